#include "step_oracle.h"

#include <cmath>

namespace zb::oracle {

namespace {

double h(const Pool& p, int i, int j) {
    return double(p.at(i, j).position.y);
}

void update(Pool& p, int i, int j, float dt, float t, bool exciterEnabled) {
    Oscillator& o = p.at(i, j);
    const double hc = h(p, i, j);
    const bool left = isFreeCell(p, i - 1, j);
    const bool right = isFreeCell(p, i + 1, j);
    const bool up = isFreeCell(p, i, j - 1);
    const bool down = isFreeCell(p, i, j + 1);
    double delta;
    if (left && right && up && down) {
        delta = 0.25 * (h(p, i, j - 1) + h(p, i, j + 1) + h(p, i + 1, j) + h(p, i - 1, j)) - hc;
    } else {
        float sum = 0.0f;
        int n = 0;
        if (left) {
            sum = float(double(sum) + (h(p, i - 1, j) - hc));
            n++;
        }
        if (right) {
            sum = float(double(sum) + (h(p, i + 1, j) - hc));
            n++;
        }
        if (up) {
            sum = float(double(sum) + (h(p, i, j - 1) - hc));
            n++;
        }
        if (down) {
            sum = float(double(sum) + (h(p, i, j + 1) - hc));
            n++;
        }
        delta = n == 0 ? 0.0 : double(sum) / double(n);
    }
    o.velocity = o.velocity + delta * (double(dt) * 3333.3333333333335 * double(o.coupling));
    const double omega = o.omega;
    const double amplitude = o.amplitude;
    if (o.exciter && exciterEnabled)
        o.velocity =
            o.velocity - double(dt) * amplitude * (omega * omega) * std::sin(omega * double(t));
    else
        o.velocity = double(o.dampingFactor) * o.velocity;
    if (o.exciter && exciterEnabled && o.sineMode)
        o.velocity = amplitude * omega * std::cos(omega * double(t));
    o.elongation = o.elongation + double(dt) * o.velocity;
}

void normal(Pool& p, int i, int j) {
    const int nx = p.sizeX;
    const int ny = p.sizeY;
    const Vec3f& l = p.at(i > 0 ? i - 1 : i, j).position;
    const Vec3f& r = p.at(i < nx - 1 ? i + 1 : i, j).position;
    const Vec3f& u = p.at(i, j > 0 ? j - 1 : j).position;
    const Vec3f& d = p.at(i, j < ny - 1 ? j + 1 : j).position;
    const float dxx = r.x - l.x, dxy = r.y - l.y, dxz = r.z - l.z;
    const float dzx = d.x - u.x, dzy = d.y - u.y, dzz = d.z - u.z;
    const double nxc = double(dxy) * double(dzz) - double(dxz) * double(dzy);
    const double nyc = double(dxz) * double(dzx) - double(dxx) * double(dzz);
    const double nzc = double(dxx) * double(dzy) - double(dxy) * double(dzx);
    const double len = std::sqrt(nxc * nxc + nyc * nyc + nzc * nzc);
    Oscillator& o = p.at(i, j);
    if (len == 0.0)
        o.normal = {0.0f, 0.0f, 0.0f};
    else
        o.normal = {float(nxc / len), float(nyc / len), float(nzc / len)};
}

} // namespace

void stepPool(Pool& p, float dt, float t, bool exciterEnabled) {
    for (int i = 0; i < p.sizeX; i++)
        for (int j = 0; j < p.sizeY; j++)
            if (!p.at(i, j).fixed)
                update(p, i, j, dt, t, exciterEnabled);
    for (int i = 0; i < p.sizeX; i++)
        for (int j = 0; j < p.sizeY; j++)
            p.at(i, j).position.y = float(p.at(i, j).elongation);
    for (int i = 0; i < p.sizeX; i++)
        for (int j = 0; j < p.sizeY; j++)
            normal(p, i, j);
}

} // namespace zb::oracle
