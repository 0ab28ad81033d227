// The time averages of the elevation squared that the display shows: per cell while colour
// mode 2 is set, along every screen whenever screens exist. Each restarts with a new pool or a
// reset run. The average is the plain mean of the steps seen until one time constant has
// passed, then exponential with that time constant: it starts neither dim nor with the
// start-up kept for ever.
#pragma once

#include "sim/engine_state.h"

#include <cstdint>

namespace zb {

constexpr double kPeriodsAveraged = 2.0; // time constant in periods of the slowest exciter
constexpr uint64_t kFallbackSteps = 400; // time constant in steps without a driven exciter

// The weight of the n-th sample (n >= 1) of a step of dt in an average of time constant tau
// (tau <= 0: none known, kFallbackSteps steps are used).
float averageWeight(uint64_t n, double dt, double tau);

// Nodes along a screen's line: a row's columns or a column's rows; 0 outside the pool.
int64_t screenLineLength(const Pool& pool, const ScreenLine& line);

// Every average starts afresh; the per-cell arrays are released unless the pool (or the arrays
// set aside for the next one) still has their size.
void restartDisplayAverages(EngineState& s);

// The per-cell arrays for the current pool; false when there is no pool or its memory budget
// does not cover them (the designed colours are drawn then).
bool holdDisplayArrays(EngineState& s);

// What one step adds to the averages, handed to the step so that each row is added while its
// new heights are at hand. Rows are independent: two threads may add different rows at once.
struct RowAverages {
    struct Line {
        float* values;
        float weight;
        int32_t position;
        bool horizontal;
    };
    float* cells = nullptr; // the per-cell array, row-major; null while it is not kept
    float cellWeight = 0.0f;
    Line screens[kMaxScreens];
    int32_t screenCount = 0;
};

// Counts the step about to be taken in every average that is kept and fills in what its rows
// add. False (and nothing to add) unless colour mode 2 is set or screens exist.
bool prepareDisplayAverages(EngineState& s, RowAverages& averages);

// Adds row j, whose nx new heights are h.
void addRowToAverages(const RowAverages& averages, int64_t j, int64_t nx, const float* h);

// Adds the step just taken to the averages that are kept, from the records after the step:
// the same as the rows added during it. Cheap to call: it returns at once unless colour mode 2
// is set or screens exist.
void accumulateDisplayAverages(EngineState& s);

} // namespace zb
