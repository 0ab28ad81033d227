// Whether the wave field still holds finite numbers. Once a node is infinite or NaN it stays so
// and spreads to its neighbours, so a look after a step finds every fault that has happened.
#pragma once

#include "zbengine_tools.h"

#include <cstdint>
#include <optional>

namespace zbtool {

struct Node {
    int32_t i, j;
};

// The first node in row order whose elongation or height is no finite number.
std::optional<Node> firstNonFiniteNode(const ZBTOOLS_PoolView& pool);

} // namespace zbtool
