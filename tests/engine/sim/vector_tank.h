// A minimal reader of version 1/2 tank files and the transfer order the program uses, for the
// engine's reference tests only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zb::test {

struct VectorTankObject {
    int32_t kind = 0;
    int32_t ints[7] = {}; // wall: X Y angle length slitCount slitWidth slitDistance;
                          // screen: position; material: Y; exciter: X Y width length angle
    double reals[2] = {}; // material: coupling damping; exciter: frequency amplitude
    bool flag = true;     // screen: horizontal; exciter: fixed (prescribed sine)
};

struct VectorTank {
    int32_t sizeX = 0, sizeY = 0;
    bool back = false, front = false, left = false, right = false;
    double damping = 0, coupling = 0;
    int32_t edgeWidth = 0;
    std::vector<VectorTankObject> objects;
};

// Throws std::runtime_error on a file it cannot read completely.
VectorTank readVectorTank(const std::string& path);

// Reset, empty pool, material changes by ascending row (stable), walls/screens/exciters in list
// order, edges last.
void transferVectorTank(const VectorTank& tank);

} // namespace zb::test
