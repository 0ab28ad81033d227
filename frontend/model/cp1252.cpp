#include "model/cp1252.h"

#include <cstdint>

namespace zb {

namespace {

// 0x80 .. 0x9F; 0 where the code page has no character (those bytes map to the C1 controls).
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Names keep an unassigned byte as the C1 control of the same number, so that it goes back
// into a file as it came.
char32_t fromByte(unsigned char b) {
    const char32_t c = cp1252CodePoint(b);
    return c != 0 ? c : b;
}

int toByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (int k = 0; k < 32; ++k)
        if (kHighControls[k] == c)
            return 0x80 + k;
    if (c >= 0x80 && c < 0xA0) // the five undefined bytes come back as they went
        return kHighControls[c - 0x80] == 0 ? int(c) : -1;
    return -1;
}

// The next code point of UTF-8 text, or -1 for a malformed sequence (k moves past it).
int64_t nextCodePoint(const std::string& s, size_t& k) {
    const unsigned char b = static_cast<unsigned char>(s[k++]);
    if (b < 0x80)
        return b;
    const int extra = b >= 0xF5 ? -1 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 ? 1 : -1;
    if (extra < 0)
        return -1;
    int64_t c = b & (0x3F >> extra);
    for (int left = extra; left > 0; --left) {
        if (k >= s.size() || (static_cast<unsigned char>(s[k]) & 0xC0) != 0x80)
            return -1;
        c = (c << 6) | (static_cast<unsigned char>(s[k++]) & 0x3F);
    }
    return c;
}

} // namespace

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

char32_t cp1252CodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControls[byte - 0x80];
    return byte;
}

std::string utf8FromCp1252(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char b : bytes)
        appendUtf8(out, fromByte(static_cast<unsigned char>(b)));
    return out;
}

std::string cp1252FromUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t k = 0; k < text.size();) {
        const int64_t c = nextCodePoint(text, k);
        const int b = c < 0 || c > 0xFFFF ? -1 : toByte(char32_t(c));
        out += b < 0 ? '?' : char(b);
    }
    return out;
}

} // namespace zb
