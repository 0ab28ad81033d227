#include "text/rtf_charset.h"

#include "model/cp1252.h"

namespace zb::ui::rtf {

namespace {

// Symbol and Wingdings are rarely installed here, so the bytes become what they show.

constexpr char16_t kSymbolLetters[26] = {0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
                                         0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD,
                                         0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5,
                                         0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6};
constexpr char16_t kSymbolCapitals[26] = {0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,
                                          0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D,
                                          0x039F, 0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5,
                                          0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396};

struct Glyph {
    unsigned char byte;
    char16_t code;
};
constexpr Glyph kSymbolSigns[] = {
    {0x2D, 0x2212}, {0xA3, 0x2264}, {0xA5, 0x221E}, {0xAC, 0x2190}, {0xAD, 0x2191}, {0xAE, 0x2192},
    {0xAF, 0x2193}, {0xB0, 0x00B0}, {0xB1, 0x00B1}, {0xB3, 0x2265}, {0xB4, 0x00D7}, {0xB6, 0x2202},
    {0xB7, 0x2022}, {0xB8, 0x00F7}, {0xB9, 0x2260}, {0xBB, 0x2248}, {0xD6, 0x221A}};
constexpr Glyph kWingdingsSigns[] = {{0x6C, 0x25CF}, {0x6E, 0x25A0}, {0x71, 0x2751}, {0x76, 0x2756},
                                     {0xA7, 0x25AA}, {0xD8, 0x27A2}, {0xFC, 0x2714}};

} // namespace

char32_t fromCp1252(unsigned char c) {
    const char32_t u = cp1252CodePoint(c);
    return u != 0 ? u : char32_t(0xFFFD); // an unassigned byte shows as the replacement sign
}

char32_t fromSymbolFont(unsigned char c, Glyphs glyphs) {
    if (glyphs == Glyphs::Symbol) {
        if (c >= 'a' && c <= 'z') {
            return kSymbolLetters[c - 'a'];
        }
        if (c >= 'A' && c <= 'Z') {
            return kSymbolCapitals[c - 'A'];
        }
        for (const Glyph& g : kSymbolSigns) {
            if (g.byte == c) {
                return g.code;
            }
        }
        return c; // the rest of the lower half matches ASCII closely enough
    }
    for (const Glyph& g : kWingdingsSigns) {
        if (g.byte == c) {
            return g.code;
        }
    }
    return 0x2022; // an unknown picture sign is most likely a list bullet
}

} // namespace zb::ui::rtf
