// Speed of describing a tank to the engine: building pools, fresh and again at the same size,
// a whole transfer from the model, and the single additions.
#include "model/tank.h"
#include "sim/engine_state.h"
#include "zbengine.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace zb::bench {

namespace {

// Nothing of an earlier pool is left to reuse.
void BM_FreshBuild(benchmark::State& state) {
    const int n = int(state.range(0));
    for (auto _ : state) {
        restoreLoadState();
        ZBDLL_ResetAll();
        ZBDLL_CreateEmptyPool(n, n, 0.001, 1.0, 10);
        benchmark::ClobberMemory();
    }
    restoreLoadState();
}

// What every editor change does: a reset and a pool of the same size as before.
void BM_Rebuild(benchmark::State& state) {
    const int n = int(state.range(0));
    restoreLoadState();
    ZBDLL_CreateEmptyPool(n, n, 0.001, 1.0, 10);
    for (auto _ : state) {
        ZBDLL_ResetAll();
        ZBDLL_CreateEmptyPool(n, n, 0.001, 1.0, 10);
        benchmark::ClobberMemory();
    }
    restoreLoadState();
}

// A tank with ten objects: two material changes, four walls at mixed angles, one screen, two
// exciters and damped edges on every side.
std::unique_ptr<TZBecken> tenObjectTank(int n) {
    auto tank = std::make_unique<TZBecken>();
    tank->SetSize(n, n);
    tank->StandardDaempfung = 0.001;
    tank->StandardKopplung = 1.0;
    tank->SetEdges(true, true, true, true, 10);
    auto add = [&](int32_t kind) -> TObjekt& {
        return tank->Objekte->add(std::make_unique<TObjekt>(kind));
    };
    for (int k = 0; k < 2; ++k) {
        TMatUebergang& m = *add(kArtMatUebergang).matUebergang();
        m.Y = n * (k + 2) / 4;
        m.Kopplung = 0.8 - 0.2 * k;
        m.Daempfung = 0.002;
    }
    const int angles[4] = {0, 30, 45, 90};
    for (int k = 0; k < 4; ++k) {
        TWand& w = *add(kArtWand).wand();
        w.X = n * (k + 1) / 5;
        w.Y = n / 3;
        w.Winkel = angles[k];
        w.Laenge = n / 4;
        w.SpaltAnz = k % 3;
        w.Spaltbreite = 8;
        w.Spaltabstand = 20;
    }
    add(kArtSchirm).schirm()->Position = n / 2;
    for (int k = 0; k < 2; ++k) {
        TErreger& e = *add(kArtErreger).erreger();
        e.X = n * (k + 1) / 3;
        e.Y = n / 8;
        e.Fest = k == 0;
    }
    return tank;
}

void BM_Transfer(benchmark::State& state) {
    const int n = int(state.range(0));
    const std::unique_ptr<TZBecken> tank = tenObjectTank(n);
    restoreLoadState();
    tank->TransferToEngine(); // the first transfer of a size builds fresh; every edit after it not
    for (auto _ : state) {
        tank->TransferToEngine();
        benchmark::ClobberMemory();
    }
    restoreLoadState();
}

void freshPool(int n) {
    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(n, n, 0.001, 1.0, 10);
}

// One wall across the whole pool at the given angle; walls over walls cost as much as the
// first, so the pool is built once.
void BM_AddWall(benchmark::State& state) {
    const int n = int(state.range(0));
    const int angle = int(state.range(1));
    freshPool(n);
    for (auto _ : state)
        ZBDLL_AddWall(n / 2, n / 2, angle, n, 2, 8, 20);
    restoreLoadState();
}

// k material changes, followed by the edges that end every transfer.
void BM_Materials(benchmark::State& state) {
    const int n = int(state.range(0));
    const int k = int(state.range(1));
    freshPool(n);
    for (auto _ : state) {
        for (int c = 0; c < k; ++c)
            ZBDLL_AddMatChange(n * (c + 1) / (k + 1), 1.0 + 0.1 * c, 0.001);
        ZBDLL_AddEdges(false, false, false, false);
        benchmark::ClobberMemory();
    }
    restoreLoadState();
}

void BM_AddEdges(benchmark::State& state) {
    const int n = int(state.range(0));
    freshPool(n);
    for (auto _ : state) {
        ZBDLL_AddEdges(true, true, true, true);
        benchmark::ClobberMemory();
    }
    restoreLoadState();
}

void once(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(2.0);
}

// A fresh 3000 x 3000 pool takes seconds, and the first in a process more than the others.
BENCHMARK(BM_FreshBuild)
    ->Name("build/fresh")
    ->Arg(1000)
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(6.0);
BENCHMARK(BM_Rebuild)->Name("build/rebuild")->Arg(1000)->Arg(3000)->Apply(once);
BENCHMARK(BM_Transfer)->Name("build/transfer-10-objects")->Arg(1000)->Arg(3000)->Apply(once);
BENCHMARK(BM_AddWall)
    ->Name("add/wall")
    ->ArgNames({"n", "deg"})
    ->Args({3000, 0})
    ->Args({3000, 45})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Materials)
    ->Name("add/materials")
    ->ArgNames({"n", "k"})
    ->Args({3000, 1})
    ->Args({3000, 8})
    ->Apply(once);
BENCHMARK(BM_AddEdges)->Name("add/edges-10-wide")->Arg(3000)->Apply(once);

} // namespace

} // namespace zb::bench
