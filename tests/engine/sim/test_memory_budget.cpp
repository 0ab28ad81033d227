// What a pool needs and whether it fits, against given amounts of free memory: the engine,
// its export and zbtool info all take their verdict from here.
#include "engine_fixture.h"

#include "sim/memory_budget.h"

#include <climits>

namespace zb::test {

using MemoryBudget = EngineTest;

TEST_F(MemoryBudget, NeededBytesAreWhatThePoolsArraysTake) {
    EXPECT_EQ(poolBytes(2, 1), 2 * sizeof(Oscillator) + 2 * sizeof(uint32_t));
    // The estimate the size check has always used says the same for every size.
    for (const auto& [nx, ny] :
         {std::pair{2, 1}, {1, 2}, {3, 7}, {100, 50}, {3000, 3000}, {18000, 18000}, {7, 40000}}) {
        const uint64_t bytes = poolBytes(nx, ny);
        EXPECT_EQ(checkPoolSize(nx, ny, bytes), PoolSizeCheck::Ok) << nx << " x " << ny;
        EXPECT_EQ(checkPoolSize(nx, ny, bytes - 1), PoolSizeCheck::TooLittleMemory)
            << nx << " x " << ny;
    }
    EXPECT_EQ(poolBytes(0, 5), 0u);
    EXPECT_EQ(poolBytes(INT32_MAX, INT32_MAX), UINT64_MAX) << "saturates";
}

TEST_F(MemoryBudget, APoolMayTakeThreeQuartersOfTheAvailableMemory) {
    constexpr uint64_t GiB = uint64_t(1) << 30;
    const uint64_t needed = poolBytes(3000, 3000); // about 1.0 GiB
    const PoolBudget fits = checkPoolBudget(3000, 3000, needed / 3 * 4 + 4);
    EXPECT_EQ(fits.verdict, PoolSizeCheck::Ok);
    EXPECT_EQ(fits.neededBytes, needed);
    EXPECT_GE(fits.availableBytes, needed);
    const PoolBudget tight = checkPoolBudget(3000, 3000, needed / 3 * 4 - 8);
    EXPECT_EQ(tight.verdict, PoolSizeCheck::TooLittleMemory);
    EXPECT_LT(tight.availableBytes, needed);
    // The size rules come first, whatever the memory.
    EXPECT_EQ(checkPoolBudget(1, 1, 64 * GiB).verdict, PoolSizeCheck::TooSmall);
    EXPECT_EQ(checkPoolBudget(100000, 100000, UINT64_MAX).verdict, PoolSizeCheck::TooManyCells);
    EXPECT_EQ(checkPoolBudget(100000, 100000, 0).neededBytes, poolBytes(100000, 100000));
    EXPECT_GT(availableMemoryBytes(), 0u);
}

TEST_F(MemoryBudget, TheExportAnswersWithTheSameNumbers) {
    uint64_t needed = 0, available = 0;
    EXPECT_EQ(ZBDLL_CheckPoolSize(120, 80, &needed, &available), 0);
    EXPECT_EQ(needed, poolBytes(120, 80));
    EXPECT_GT(available, needed);
    EXPECT_EQ(ZBDLL_CheckPoolSize(1, 1, nullptr, nullptr), 1);
    EXPECT_EQ(ZBDLL_CheckPoolSize(100000, 100000, &needed, nullptr), 2);
    EXPECT_EQ(needed, poolBytes(100000, 100000)) << "the need is named for a refused size too";
    EXPECT_EQ(ZBDLL_CheckPoolSize(-4, 9, &needed, &available), 1);
    EXPECT_EQ(needed, 0u);
}

} // namespace zb::test
