// Byte values to characters: Windows-1252, and the Symbol and Wingdings fonts that older word
// processors use for Greek letters, bullets and a few signs.
#pragma once

#include <QString>

namespace zb::ui::rtf {

enum class Glyphs { Text, Symbol, Wingdings };

char32_t fromCp1252(unsigned char c);
// What the byte shows in a Symbol or Wingdings font (not for Glyphs::Text).
char32_t fromSymbolFont(unsigned char c, Glyphs glyphs);

// Appends one character, as a surrogate pair where it needs one.
inline void appendCodePoint(QString& s, char32_t c) {
    if (QChar::requiresSurrogates(c)) {
        s += QChar(QChar::highSurrogate(c));
        s += QChar(QChar::lowSurrogate(c));
    } else {
        s += QChar(char16_t(c));
    }
}

} // namespace zb::ui::rtf
