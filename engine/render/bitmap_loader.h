// A reader of Windows device-independent bitmaps (".bmp"), with or without the 14-byte file
// header, returning packed 24-bit RGB rows for texture upload. It trusts nothing in the file:
// every size and offset is checked against the bytes really there before anything is read or
// allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zb {

struct RgbImage {
    int32_t width = 0;
    int32_t height = 0;          // always positive: rows are returned bottom row first
    std::vector<uint8_t> pixels; // width * height * 3 bytes, red, green, blue, rows unpadded
};

enum class DibError {
    None,
    UnknownFormat,    // header size neither 40 nor 12, or no complete header
    ConversionFailed, // unsupported depth or compression, or damaged pixel data
    OutOfMemory,      // a picture larger than the loader accepts, or an allocation failed
};

// The user-visible message of an error: "Unknown DIB file format.", "Image file conversion
// error.", "Out of memory.".
const char* dibErrorMessage(DibError error);

// "Failed to open DIB file <path>.\n"
std::string dibOpenFailedMessage(const char* path);

// The number of colour-table entries a bitmap header asks for (0 for the true-colour depths).
// header points at the header; available is the number of bytes from there to the file's end.
uint16_t countDibColours(const uint8_t* header, size_t available);

// Decodes a bitmap held in memory. On success fills image and returns None; on failure leaves
// image empty.
DibError decodeDib(const uint8_t* data, size_t size, RgbImage& image);

// Reads and decodes a file. On any failure shows exactly one message (title "Error") through
// reportMessage and returns null.
std::unique_ptr<RgbImage> loadDibImage(const char* path);

} // namespace zb
