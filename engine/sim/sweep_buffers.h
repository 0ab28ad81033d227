// Working memory of the time step's row sweep (see step.cpp). It lives in the engine's state
// record, so that a step allocates nothing and a reset releases it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zb {

// A few rows of floats, contiguous, used as a ring indexed by row number.
class RowRing {
  public:
    void reserve(int64_t nx, int slots) {
        // Rows padded to whole cache lines plus one, so packed loads at the ends stay inside.
        stride_ = ((size_t(nx) + 15) & ~size_t(15)) + 16;
        slots_ = slots;
        if (storage_.size() < size_t(slots) * stride_)
            storage_.assign(size_t(slots) * stride_, 0.0f);
    }
    float* row(int64_t j) {
        return storage_.data() + size_t(((j % slots_) + slots_) % slots_) * stride_;
    }

  private:
    std::vector<float> storage_;
    size_t stride_ = 0;
    int slots_ = 1;
};

// A cell of a row that is fixed, a wall or an exciter, with its four flag bytes.
struct SpecialCell {
    int64_t column;
    uint32_t flags;
};
using SpecialCells = std::vector<SpecialCell>; // ascending columns

struct SweepBuffers {
    RowRing oldHeights;         // rows j-1, j, j+1 before the step
    RowRing newHeights;         // rows j-2, j-1, j after it
    std::vector<float> dx;      // x(i+1) - x(i-1), clamped to the grid
    SpecialCells specials[3];   // of rows j-1, j, j+1, by row number modulo 3
    std::vector<int64_t> stops; // columns of row j that the packed kernels leave out
    // The seam of a step in two halves: the old and the new heights of the row below it.
    RowRing seam;

    SpecialCells& specialsOf(int64_t j) { return specials[size_t(((j % 3) + 3) % 3)]; }
};

} // namespace zb
