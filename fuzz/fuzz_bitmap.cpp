// libFuzzer target for the bitmap reader: any bytes must decode to a consistent picture or to
// an error with an empty image, never crash, hang or leak.
#include "render/bitmap_loader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zb::RgbImage image;
    const zb::DibError error = zb::decodeDib(data, size, image);
    if (error == zb::DibError::None) {
        if (image.width <= 0 || image.height <= 0 ||
            image.pixels.size() != size_t(image.width) * size_t(image.height) * 3)
            std::abort();
        // Touch every byte, so that uninitialised pixels would show under the sanitizers.
        unsigned sum = 0;
        for (uint8_t p : image.pixels)
            sum += p;
        if (sum == 0xFFFFFFFFu)
            std::abort();
    } else if (image.width != 0 || image.height != 0 || !image.pixels.empty()) {
        std::abort();
    }
    // The colour count must stay inside what it is told is there, with and without file header.
    (void)zb::countDibColours(data, size);
    if (size >= 14)
        (void)zb::countDibColours(data + 14, size - 14);
    return 0;
}
