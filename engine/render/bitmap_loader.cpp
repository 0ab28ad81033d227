// Placeholder until the reader is written.
#include "render/bitmap_loader.h"

namespace zb {

const char* dibErrorMessage(DibError) { return ""; }
std::string dibOpenFailedMessage(const char*) { return {}; }
uint16_t countDibColours(const uint8_t*, size_t) { return 0; }
DibError decodeDib(const uint8_t*, size_t, RgbImage&) { return DibError::ConversionFailed; }
std::unique_ptr<RgbImage> loadDibImage(const char*) { return nullptr; }

} // namespace zb
