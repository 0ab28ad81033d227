#include "sim/moving_exciters.h"
#include "sim/engine_state.h"
#include "sim/obstacles.h"
#include "sim/rotated_rect.h"
#include "sim/step.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace zb {

namespace {

constexpr double kPi = 3.14159265358979323846;

uint32_t floatBits(float f) {
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

void setFlags(Oscillator& o, uint32_t flags) {
    std::memcpy(&o.fixed, &flags, sizeof flags);
}

uint32_t exciterFlags(bool sineMode) {
    Oscillator o{};
    o.exciter = true;
    o.sineMode = sineMode;
    return flagWord(o);
}

CoveredCell underneath(const Oscillator& o, int64_t index) {
    CoveredCell c{index, flagWord(o), o.amplitude, o.omega, {}, o.velocity};
    std::memcpy(c.color, o.color, sizeof c.color);
    return c;
}

// Gives back what lay under the exciter, where its stamp is still there: a wall or another
// exciter written over it since has taken the cell. Water's blue is its damping factor, which
// damped edges added after the exciter may have changed beneath it.
void release(Pool& pool, MovingExciter& m) {
    for (const CoveredCell& c : m.covered) {
        Oscillator& o = pool.oscillators[size_t(c.index)];
        if (flagWord(o) != m.stampFlags || floatBits(o.amplitude) != floatBits(m.stampAmplitude) ||
            floatBits(o.omega) != floatBits(m.omega))
            continue;
        setFlags(o, c.flags);
        o.amplitude = c.amplitude;
        o.omega = c.omega;
        std::memcpy(o.color, c.color, sizeof o.color);
        if (!o.exciter)
            o.color[2] = o.dampingFactor;
    }
    m.covered.clear();
    m.coveredWeights.clear();
}

// Offsets d for which cell floor(p) + d or the one after it lies in [0, n) for some centre p
// between a and b.
void reachableOffsets(double a, double b, int64_t n, int64_t reach, int64_t& d0, int64_t& d1) {
    d0 = std::max(-reach, -int64_t(std::floor(std::max(a, b))) - 1);
    d1 = std::min(reach, n - 1 - int64_t(std::floor(std::min(a, b))));
}

// The resting exciter's cells relative to its centre, chosen by addExciter's own test, but
// neither clipped to the pool nor left out under walls: the exciter carries them along. Only
// offsets that reach the pool somewhere on the centre's way are kept, so that even a huge
// exciter costs no more than the pool.
void restingShape(const Pool& pool, const LastExciter& e, MovingExciter& m) {
    const Rotation r = rotationFor(e.angle);
    const double halfWidth = double(e.width) / 2;
    const double halfLength = double(e.length) / 2;
    const int64_t reach = int64_t(std::ceil(std::hypot(halfWidth, halfLength))) + 2;
    const int64_t cx = e.centerX, cy = e.centerY;
    // The border it heads for bounds the way; cheaper than the stop, which a tiny speed makes
    // infinite.
    auto end = [](double start, double v, int64_t n) {
        return v > 0 ? std::max(start, double(n - 1)) : v < 0 ? std::min(start, 0.0) : start;
    };
    const double endX = end(m.startX, m.vx, pool.sizeX);
    const double endY = end(m.startY, m.vy, pool.sizeY);
    int64_t dx0, dx1, dy0, dy1;
    reachableOffsets(m.startX, endX, pool.sizeX, reach, dx0, dx1);
    reachableOffsets(m.startY, endY, pool.sizeY, reach, dy0, dy1);
    int32_t minDx = INT32_MAX, maxDx = INT32_MIN, minDy = INT32_MAX, maxDy = INT32_MIN;
    for (int64_t dy = dy0; dy <= dy1; ++dy) {
        for (int64_t dx = dx0; dx <= dx1; ++dx) {
            const float u = alongOffset(r, cx, cy, cx + dx, cy + dy);
            const float v = float(acrossOffset(r, cx, cy, cx + dx, cy + dy));
            if (!(-halfLength < v && v <= halfLength && -halfWidth < u && u <= halfWidth))
                continue;
            m.offsetX.push_back(int32_t(dx));
            m.offsetY.push_back(int32_t(dy));
            minDx = std::min(minDx, int32_t(dx));
            maxDx = std::max(maxDx, int32_t(dx));
            minDy = std::min(minDy, int32_t(dy));
            maxDy = std::max(maxDy, int32_t(dy));
        }
    }
    if (m.offsetX.empty())
        return;
    m.minDx = minDx;
    m.minDy = minDy;
    m.boxWidth = maxDx - minDx + 2;
    m.boxHeight = maxDy - minDy + 2;
    m.weights.assign(size_t(m.boxWidth) * size_t(m.boxHeight), 0.0f);
}

// When the centre, starting inside or on its way in, reaches the border of the pool; never
// before 0.
double stopTime(const Pool& pool, double x0, double y0, double vx, double vy) {
    double stop = std::numeric_limits<double>::infinity();
    if (vx > 0)
        stop = std::min(stop, (double(pool.sizeX - 1) - x0) / vx);
    else if (vx < 0)
        stop = std::min(stop, -x0 / vx);
    if (vy > 0)
        stop = std::min(stop, (double(pool.sizeY - 1) - y0) / vy);
    else if (vy < 0)
        stop = std::min(stop, -y0 / vy);
    return std::max(stop, 0.0);
}

// Writes the exciter at time t: its shape shifted by the centre's sub-cell offset, each cell of
// it shared out over the four cells around its shifted place by bilinear weights, so that the
// drive glides from cell to cell. At a whole position this is the resting footprint.
void stamp(Pool& pool, MovingExciter& m, double t) {
    if (m.offsetX.empty())
        return;
    const double tau = std::min(t, m.stopTime);
    const double px = m.startX + m.vx * tau;
    const double py = m.startY + m.vy * tau;
    const double fx0 = std::floor(px), fy0 = std::floor(py);
    const float fx = float(px - fx0), fy = float(py - fy0);
    const int64_t baseX = int64_t(fx0) + m.minDx, baseY = int64_t(fy0) + m.minDy;
    std::fill(m.weights.begin(), m.weights.end(), 0.0f);
    for (size_t k = 0; k < m.offsetX.size(); ++k) {
        float* w = &m.weights[size_t(m.offsetY[k] - m.minDy) * size_t(m.boxWidth) +
                              size_t(m.offsetX[k] - m.minDx)];
        w[0] += (1 - fx) * (1 - fy);
        w[1] += fx * (1 - fy);
        w[m.boxWidth] += (1 - fx) * fy;
        w[m.boxWidth + 1] += fx * fy;
    }
    for (int32_t b = 0; b < m.boxHeight; ++b) {
        const int64_t j = baseY + b;
        if (j < 0 || j >= pool.sizeY)
            continue;
        for (int32_t a = 0; a < m.boxWidth; ++a) {
            const int64_t i = baseX + a;
            const float w = m.weights[size_t(b) * size_t(m.boxWidth) + size_t(a)];
            if (!(w > 0.0f) || i < 0 || i >= pool.sizeX)
                continue;
            Oscillator& o = pool.at(i, j);
            if (isWallCell(o))
                continue;
            m.covered.push_back(underneath(o, i + j * int64_t(pool.sizeX)));
            m.coveredWeights.push_back(w);
            setFlags(o, m.stampFlags);
            o.amplitude = m.stampAmplitude;
            o.omega = m.omega;
            o.color[0] = 0.0f;
            o.color[1] = 1.0f;
            o.color[2] = 0.0f;
            o.color[3] = 1.0f;
        }
    }
}

// The resting exciter's added acceleration, -A·ω²·sin(ω τ), shared out by the weights.
void driveAcceleration(Pool& pool, const MovingExciter& m, double envelope, double tau, double dt) {
    const double omega = m.omega;
    const double push = dt * m.amplitude * envelope * (omega * omega) * std::sin(omega * tau);
    for (size_t c = 0; c < m.covered.size(); ++c)
        pool.oscillators[size_t(m.covered[c].index)].velocity -= double(m.coveredWeights[c]) * push;
}

// A prescribed displacement y = A·g·sin(ω τ), shared out by the weights without making a rigid
// cell: a cell of weight w sees, instead of its neighbours' mean, (1 - w)·mean + w·y, and gets
// w·y'' on top. At w = 1 it ignores its neighbours and follows y exactly, as a resting exciter's
// cell does; at w = 0 it is water; in between the drive grows in proportion. So a small exciter
// makes waves as strong moving as at rest, which an added acceleration alone does not (a single
// cell's falls short by the ratio of its coupling's stiffness to ω², easily twenty).
void driveDisplacement(Pool& pool, const MovingExciter& m, const PulseEnvelope& g, double tau,
                       double dt) {
    const double omega = m.omega, a = m.amplitude;
    // y at the step's old heights, which the coupling term reads, and y'' at its new time.
    const double before = tau - dt;
    const PulseEnvelope gb = m.pulsePeriods > 0 ? pulseEnvelope(before, m.pulsePeriods, omega)
                                                : PulseEnvelope{1.0, 0.0, 0.0};
    const double y = a * gb.value * std::sin(omega * before);
    const double s = std::sin(omega * tau), c = std::cos(omega * tau);
    const double acceleration =
        a * (g.second * s + 2 * g.first * omega * c - g.value * (omega * omega) * s);
    const int64_t nx = pool.sizeX;
    for (size_t k = 0; k < m.covered.size(); ++k) {
        const int64_t index = m.covered[k].index;
        const int64_t i = index % nx, j = index / nx;
        Oscillator& o = pool.oscillators[size_t(index)];
        // The neighbours the step averages over: inside the pool and not walls.
        double sum = 0.0;
        int n = 0;
        const int64_t di[4] = {-1, 1, 0, 0}, dj[4] = {0, 0, -1, 1};
        for (int q = 0; q < 4; ++q) {
            if (isFreeCell(pool, i + di[q], j + dj[q])) {
                sum += double(pool.at(i + di[q], j + dj[q]).position.y);
                ++n;
            }
        }
        const double pull = n > 0 ? kCouplingScale * double(o.coupling) * (y - sum / n) : 0.0;
        o.velocity += dt * double(m.coveredWeights[k]) * (acceleration + pull);
    }
}

} // namespace

PulseEnvelope pulseEnvelope(double tau, int32_t periods, double omega) {
    const double length = double(periods) * 2 * kPi / std::abs(omega);
    if (!(tau >= 0.0) || !(tau < length))
        return {0.0, 0.0, 0.0};
    const double a = kPi / length;
    const double s = std::sin(a * tau);
    return {s * s, a * std::sin(2 * a * tau), 2 * a * a * std::cos(2 * a * tau)};
}

void setExciterMotion(EngineState& s, double vx, double vy, int32_t pulsePeriods) {
    LastExciter& e = s.lastExciter;
    if (!std::isfinite(vx))
        vx = 0;
    if (!std::isfinite(vy))
        vy = 0;
    pulsePeriods = std::clamp(pulsePeriods, 0, 10);
    // A centre beyond the border has reached it already and stays. Its way through the pool
    // would also bound the shape's offsets by nothing but the exciter's size.
    if (e.centerX < 0 || e.centerX >= s.pool.sizeX || e.centerY < 0 || e.centerY >= s.pool.sizeY)
        vx = vy = 0;
    if (!e.valid || !s.pool.oscillators || (vx == 0 && vy == 0 && pulsePeriods == 0))
        return;
    e.valid = false;
    if (pulsePeriods > 0 && !(e.omega != 0.0f))
        pulsePeriods = 0; // a pulse of no frequency lasts for ever: a plain exciter
    MovingExciter m;
    m.startX = e.centerX;
    m.startY = e.centerY;
    m.vx = vx;
    m.vy = vy;
    m.stopTime = stopTime(s.pool, m.startX, m.startY, vx, vy);
    m.omega = e.omega;
    m.amplitude = e.amplitude;
    m.sineMode = e.sineMode;
    m.pulsePeriods = pulsePeriods;
    m.pulseStart = 0.0;
    restingShape(s.pool, e, m);
    // The resting stamp stays until the first step, so that the exciter shows where it starts.
    m.stampFlags = exciterFlags(e.sineMode);
    m.stampAmplitude = e.amplitude;
    m.covered = std::move(e.covered);
    // A pulse starts from rest; a continuous drive keeps the resting exciter's start velocity,
    // which spares its cells a drift.
    if (pulsePeriods > 0)
        for (const CoveredCell& c : m.covered)
            s.pool.oscillators[size_t(c.index)].velocity = c.velocity;
    s.moving.push_back(std::move(m));
}

void triggerPulses(EngineState& s) {
    for (MovingExciter& m : s.moving)
        if (m.pulsePeriods > 0)
            m.pulseStart = double(s.simTime);
}

void moveExciters(EngineState& s) {
    if (s.moving.empty() || !s.pool.oscillators)
        return;
    Pool& pool = s.pool;
    settleMaterial(pool);
    colorsChanged(s); // the footprints' colours move with them, every step
    const double t = double(s.simTime);
    const double dt = double(s.simSpeed);
    // All are lifted before any is written, so that overlapping ones give back what lay under
    // them all.
    for (size_t k = s.moving.size(); k-- > 0;)
        release(pool, s.moving[k]);
    for (MovingExciter& m : s.moving) {
        m.stampFlags = exciterFlags(false);
        m.stampAmplitude = 0.0f;
        const double tau = t - m.pulseStart; // the carrier's zero is the pulse's start
        PulseEnvelope g{1.0, 0.0, 0.0};
        if (m.pulsePeriods > 0) {
            g = pulseEnvelope(tau, m.pulsePeriods, m.omega);
            if (g.value == 0.0)
                continue; // between pulses the cells are water
        }
        stamp(pool, m, t);
        if (!s.exciterEnabled)
            continue;
        if (m.sineMode)
            driveDisplacement(pool, m, g, tau, dt);
        else
            driveAcceleration(pool, m, g.value, tau, dt);
    }
}

void forgetMovingExciters(EngineState& s) {
    s.moving.clear();
    s.lastExciter.valid = false;
    s.lastExciter.covered.clear();
}

} // namespace zb
