// The step is the program's inner loop. Its result is defined by three passes over the grid
// (update, heights, normals); this implementation fuses them into one row-major sweep with a
// lag of one row per pass, which gives the same bits: the update of row j reads the old heights
// of rows j-1..j+1, after which row j-1 may take its new heights, after which the normals of
// row j-2 see only new heights.
#include "sim/step.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace zb {

namespace {

// sin and cos of omega * t for the few distinct omegas of a tank, computed once per step. Keyed
// by the bit pattern, so that -0 and +0 keep their own signs.
class TrigCache {
public:
    explicit TrigCache(double t) : t_(t) {}

    void get(float omega, double& s, double& c) {
        uint32_t key;
        std::memcpy(&key, &omega, sizeof key);
        for (int k = 0; k < count_; ++k) {
            if (keys_[k] == key) {
                s = sin_[k];
                c = cos_[k];
                return;
            }
        }
        const double arg = double(omega) * t_;
        s = std::sin(arg);
        c = std::cos(arg);
        if (count_ < kSlots) {
            keys_[count_] = key;
            sin_[count_] = s;
            cos_[count_] = c;
            ++count_;
        }
    }

private:
    static constexpr int kSlots = 16;
    double t_;
    int count_ = 0;
    uint32_t keys_[kSlots];
    double sin_[kSlots];
    double cos_[kSlots];
};

struct StepContext {
    double dt;
    double dtK; // dt * 10000/3, the first two factors of the coupling term
    bool drive; // exciters enabled
    TrigCache trig;
};

inline double heightOf(const Oscillator& o) { return double(o.position.y); }

// Velocity and elongation of one cell whose neighbours are all free and which is not driven.
inline void updatePlainCell(Oscillator& o, double up, double down, double right, double left,
                            const StepContext& ctx) {
    const double h = heightOf(o);
    const double delta = 0.25 * (up + down + right + left) - h;
    double velocity = o.velocity + delta * (ctx.dtK * double(o.coupling));
    velocity = double(o.dampingFactor) * velocity;
    o.velocity = velocity;
    o.elongation = o.elongation + ctx.dt * velocity;
}

// Any cell, with every case of the update.
void updateCell(Pool& p, int64_t i, int64_t j, StepContext& ctx) {
    Oscillator& o = p.at(i, j);
    if (o.fixed)
        return;
    const bool fl = isFreeCell(p, i - 1, j);
    const bool fr = isFreeCell(p, i + 1, j);
    const bool fu = isFreeCell(p, i, j - 1);
    const bool fd = isFreeCell(p, i, j + 1);
    const double h = heightOf(o);
    double delta;
    if (fl && fr && fu && fd) {
        delta = 0.25 * (heightOf(p.at(i, j - 1)) + heightOf(p.at(i, j + 1)) +
                        heightOf(p.at(i + 1, j)) + heightOf(p.at(i - 1, j))) -
                h;
    } else {
        // Mean over the free neighbours only; the running sum is a float, as it always was.
        float sum = 0.0f;
        int n = 0;
        if (fl) {
            sum = float(double(sum) + (heightOf(p.at(i - 1, j)) - h));
            ++n;
        }
        if (fr) {
            sum = float(double(sum) + (heightOf(p.at(i + 1, j)) - h));
            ++n;
        }
        if (fu) {
            sum = float(double(sum) + (heightOf(p.at(i, j - 1)) - h));
            ++n;
        }
        if (fd) {
            sum = float(double(sum) + (heightOf(p.at(i, j + 1)) - h));
            ++n;
        }
        delta = n > 0 ? double(sum) / double(n) : 0.0;
    }
    double velocity = o.velocity + delta * (ctx.dtK * double(o.coupling));
    const bool driven = o.exciter && ctx.drive;
    if (driven) {
        double s, c;
        ctx.trig.get(o.omega, s, c);
        const double omega = o.omega;
        const double amplitude = o.amplitude;
        velocity = velocity - ctx.dt * amplitude * (omega * omega) * s;
        if (o.sineMode)
            velocity = amplitude * omega * c;
    } else {
        velocity = double(o.dampingFactor) * velocity;
    }
    o.velocity = velocity;
    o.elongation = o.elongation + ctx.dt * velocity;
}

// A row none of whose cells is fixed, a wall or an exciter.
bool rowIsPlain(const Oscillator* row, int64_t nx) {
    uint32_t any = 0;
    for (int64_t i = 0; i < nx; ++i)
        any |= flagWord(row[i]);
    return (any & (kFixedByte | kWallByte | kExciterByte)) == 0;
}

void updateRow(Pool& p, int64_t j, bool neighbourhoodPlain, StepContext& ctx) {
    const int64_t nx = p.sizeX;
    if (!neighbourhoodPlain || nx < 3) {
        for (int64_t i = 0; i < nx; ++i)
            updateCell(p, i, j, ctx);
        return;
    }
    Oscillator* row = &p.at(0, j);
    const Oscillator* up = row - nx;
    const Oscillator* down = row + nx;
    updateCell(p, 0, j, ctx);
    for (int64_t i = 1; i < nx - 1; ++i)
        updatePlainCell(row[i], heightOf(up[i]), heightOf(down[i]), heightOf(row[i + 1]),
                        heightOf(row[i - 1]), ctx);
    updateCell(p, nx - 1, j, ctx);
}

void storeHeights(Oscillator* row, int64_t nx) {
    for (int64_t i = 0; i < nx; ++i)
        row[i].position.y = float(row[i].elongation);
}

inline Vec3f difference(const Vec3f& a, const Vec3f& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

inline void setNormal(Oscillator& o, const Vec3f& dX, const Vec3f& dZ) {
    const double nx = double(dX.y) * double(dZ.z) - double(dX.z) * double(dZ.y);
    const double ny = double(dX.z) * double(dZ.x) - double(dX.x) * double(dZ.z);
    const double nz = double(dX.x) * double(dZ.y) - double(dX.y) * double(dZ.x);
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (len == 0.0) {
        o.normal = {0.0f, 0.0f, 0.0f};
        return;
    }
    o.normal = {float(nx / len), float(ny / len), float(nz / len)};
}

void storeNormals(Pool& p, int64_t j) {
    const int64_t nx = p.sizeX;
    const int64_t ny = p.sizeY;
    Oscillator* row = &p.at(0, j);
    const Oscillator* up = j > 0 ? row - nx : row;
    const Oscillator* down = j < ny - 1 ? row + nx : row;
    for (int64_t i = 0; i < nx; ++i) {
        const Vec3f& left = row[i > 0 ? i - 1 : i].position;
        const Vec3f& right = row[i < nx - 1 ? i + 1 : i].position;
        setNormal(row[i], difference(right, left), difference(down[i].position, up[i].position));
    }
}

} // namespace

void stepPool(Pool& pool, float dt, float t, bool exciterEnabled) {
    if (!pool.oscillators)
        return;
    StepContext ctx{double(dt), double(dt) * kCouplingScale, exciterEnabled, TrigCache(double(t))};
    const int64_t nx = pool.sizeX;
    const int64_t ny = pool.sizeY;

    // plain[k] for rows j-1, j, j+1 of the current update, shifted along with j.
    bool plainUp = false;
    bool plainHere = ny > 0 && rowIsPlain(&pool.at(0, 0), nx);
    for (int64_t j = 0; j < ny + 2; ++j) {
        if (j < ny) {
            const bool plainDown = j + 1 < ny && rowIsPlain(&pool.at(0, j + 1), nx);
            const bool interior = j > 0 && j + 1 < ny;
            updateRow(pool, j, interior && plainUp && plainHere && plainDown, ctx);
            plainUp = plainHere;
            plainHere = plainDown;
        }
        if (j >= 1 && j - 1 < ny)
            storeHeights(&pool.at(0, j - 1), nx);
        if (j >= 2)
            storeNormals(pool, j - 2);
    }
}

} // namespace zb
