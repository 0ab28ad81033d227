#include "sim/memory_budget.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace zb {

namespace {

uint64_t saturatingProduct(uint64_t a, uint64_t b) {
    uint64_t product;
    return __builtin_mul_overflow(a, b, &product) ? UINT64_MAX : product;
}

uint64_t saturatingSum(uint64_t a, uint64_t b) {
    uint64_t sum;
    return __builtin_add_overflow(a, b, &sum) ? UINT64_MAX : sum;
}

} // namespace

uint64_t poolBytes(int64_t sizeX, int64_t sizeY) {
    if (sizeX <= 0 || sizeY <= 0)
        return 0;
    const uint64_t nx = uint64_t(sizeX);
    const uint64_t ny = uint64_t(sizeY);
    const uint64_t nodes = saturatingProduct(nx, ny);
    // 6 (NX-1)(NY-1) triangle indices and 2 ((NX-1) NY + NX (NY-1)) line indices.
    const uint64_t triangles = saturatingProduct(6, saturatingProduct(nx - 1, ny - 1));
    const uint64_t lines = saturatingProduct(
        2, saturatingSum(saturatingProduct(nx - 1, ny), saturatingProduct(nx, ny - 1)));
    return saturatingSum(saturatingProduct(nodes, sizeof(Oscillator)),
                         saturatingProduct(saturatingSum(triangles, lines), sizeof(uint32_t)));
}

uint64_t displayArrayBytes(int64_t sizeX, int64_t sizeY) {
    if (sizeX <= 0 || sizeY <= 0)
        return 0;
    return saturatingProduct(saturatingProduct(uint64_t(sizeX), uint64_t(sizeY)),
                             sizeof(float) + sizeof(uint32_t));
}

uint64_t availableMemoryBytes() {
    if (FILE* f = std::fopen("/proc/meminfo", "re")) {
        char line[256];
        unsigned long long kib = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, f))
            found = std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1;
        std::fclose(f);
        if (found)
            return saturatingProduct(kib, 1024);
    }
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return UINT64_MAX;
    return saturatingProduct(uint64_t(pages), uint64_t(pageSize));
}

uint64_t poolMemoryBudget(uint64_t availableBytes) {
    return availableBytes - availableBytes / 4;
}

PoolBudget checkPoolBudget(int64_t sizeX, int64_t sizeY, uint64_t availableBytes) {
    PoolBudget budget{checkPoolSize(sizeX, sizeY, UINT64_MAX), poolBytes(sizeX, sizeY),
                      poolMemoryBudget(availableBytes)};
    // Refused up front: an overcommitted allocation would succeed and then be killed on first
    // use, or push the desktop into swap.
    if (budget.verdict == PoolSizeCheck::Ok && budget.neededBytes > budget.availableBytes)
        budget.verdict = PoolSizeCheck::TooLittleMemory;
    return budget;
}

PoolBudget checkPoolBudget(int64_t sizeX, int64_t sizeY) {
    return checkPoolBudget(sizeX, sizeY, availableMemoryBytes());
}

} // namespace zb
