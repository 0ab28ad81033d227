#include "letterbox.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zb::gallery {

namespace {

// The source cells [first, last) behind target pixel t of n over a source of s cells; at least
// one, so that an enlarged pool repeats its cells.
struct Span {
    int64_t first, last;
};
Span span(int64_t t, int64_t n, int64_t s) {
    const int64_t first = t * s / n;
    return {first, std::max(first + 1, (t + 1) * s / n)};
}

} // namespace

zbtool::RgbImage letterboxed(const zbtool::RgbImage& source, int width, int height) {
    zbtool::RgbImage out(width, height);
    std::fill(out.pixels.begin(), out.pixels.end(), kBackground);
    const double scale = std::min(double(width) / source.width, double(height) / source.height);
    const int w = std::clamp(int(std::lround(source.width * scale)), 1, width);
    const int h = std::clamp(int(std::lround(source.height * scale)), 1, height);
    const int left = (width - w) / 2, top = (height - h) / 2;
    for (int y = 0; y < h; ++y) {
        const Span rows = span(y, h, source.height);
        for (int x = 0; x < w; ++x) {
            const Span columns = span(x, w, source.width);
            uint64_t sum[3] = {0, 0, 0};
            for (int64_t j = rows.first; j < rows.last; ++j)
                for (int64_t i = columns.first; i < columns.last; ++i) {
                    const uint8_t* p = &source.pixels[size_t(j * source.width + i) * 3];
                    for (int c = 0; c < 3; ++c)
                        sum[c] += p[c];
                }
            const uint64_t n = uint64_t((rows.last - rows.first) * (columns.last - columns.first));
            uint8_t* q = out.at(left + x, top + y);
            for (int c = 0; c < 3; ++c)
                q[c] = uint8_t((sum[c] + n / 2) / n);
        }
    }
    return out;
}

} // namespace zb::gallery
