#include "field_check.h"

#include <cmath>

namespace zbtool {

std::optional<Node> firstNonFiniteNode(const zb::Pool& pool) {
    if (!pool.oscillators)
        return std::nullopt;
    for (int32_t j = 0; j < pool.sizeY; ++j)
        for (int32_t i = 0; i < pool.sizeX; ++i) {
            const zb::Oscillator& o = pool.at(i, j);
            // The height is the float copy: an elongation beyond float's range is infinite there.
            if (!std::isfinite(o.elongation) || !std::isfinite(o.position.y))
                return Node{i, j};
        }
    return std::nullopt;
}

} // namespace zbtool
