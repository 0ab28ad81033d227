#include "field_check.h"

#include <cmath>

namespace zbtool {

std::optional<Node> firstNonFiniteNode(const ZBTOOLS_PoolView& pool) {
    if (!pool.exists)
        return std::nullopt;
    size_t k = 0;
    for (int32_t j = 0; j < pool.sizeY; ++j)
        for (int32_t i = 0; i < pool.sizeX; ++i, ++k) {
            // The height is the float copy: an elongation beyond float's range is infinite there.
            if (!std::isfinite(ZBTOOLS_Elongation(&pool, k)) ||
                !std::isfinite(ZBTOOLS_Height(&pool, k)))
                return Node{i, j};
        }
    return std::nullopt;
}

} // namespace zbtool
