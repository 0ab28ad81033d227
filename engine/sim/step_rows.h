// Internal pieces of the time step, which runs row by row (see step.cpp).
#pragma once

#include "sim/pool.h"
#include "sim/sweep_buffers.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zb {

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
    // Of the cache lines two rows ahead the update asks for every aheadLineStride-th: every other
    // one while the normals ask for the lines in between, all of them without normals.
    int aheadLineStride = 2;
};

// The heights of rows j-1, j and j+1 before the step (rows outside the grid are never read).
// The update of row j fills in down itself.
struct RowHeights {
    const float* up;
    const float* here;
    float* down;
};

// Copies a row's heights before the step and lists its special cells (fixed, wall or exciter)
// in specials, which it empties first.
void copyRow(const Oscillator* row, int64_t nx, float* heights, SpecialCells& specials);

// The special cells of the rows around row j: up (j-1) and here (j) are known; down (j+1) is
// filled in by the update of row j, which reads that row anyway.
struct RowSpecials {
    const SpecialCells& up;
    const SpecialCells& here;
    SpecialCells& down;
    std::vector<int64_t>& stops; // working list
};

// Passes 1 and 2 for row j: velocities and elongations of its free cells, then the heights of
// all its cells (elongation rounded to float), also copied into newHeights. Copies the old
// heights of row j+1, if there is one, into rows.down and lists its special cells. The packed
// kernels run everywhere except at the cells that are special or have a blocking neighbour;
// those take the general update.
void updateRow(Pool& p, int64_t j, RowHeights rows, float* newHeights, RowSpecials specials,
               StepContext& ctx);

// Pass 3 for one row, from the new heights of the rows around it (the row itself at the top and
// bottom border). dx[i] is x(i+1) - x(i-1) and dz is z(j+1) - z(j-1), each clamped to the grid:
// x depends only on the column and z only on the row, and neither changes after the pool is
// built, so these are the same for every step. Meanwhile asks for part of the records at ahead
// (the row three further down), which the update of the row after next will read.
void storeNormals(Oscillator* row, int64_t nx, const float* up, const float* here,
                  const float* down, const float* dx, float dz, const Oscillator* ahead);

// Chooses the packed kernels with four double lanes (when the processor has them, the default)
// or two. Both give the same bits; tests run both. Returns whether four lanes are in use.
bool setWideKernels(bool wide);
bool wideKernels();

} // namespace zb
