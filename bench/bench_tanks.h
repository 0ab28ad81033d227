// The tanks the benchmarks run on, built through the exports.
#pragma once

namespace zb::bench {

// An n x n pool with a radial exciter in the middle, already running for a few steps.
void makeRadialPool(int n);

// An n x n pool without objects, already running for a few steps.
void makeEmptyPool(int n);

// An n x n pool with 20 walls at mixed angles (some with slits; every row holds wall cells)
// and 5 exciters in both modes, already running for a few steps.
void makeObjectPool(int n);

} // namespace zb::bench
