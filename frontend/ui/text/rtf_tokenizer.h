// The lexical half of the rich-text reader: bytes to groups, control words, control symbols,
// hex bytes and plain bytes. It knows nothing of what the words mean.
#pragma once

#include <QByteArray>

#include <string_view>

namespace zb::ui::rtf {

struct Token {
    enum class Kind { End, GroupOpen, GroupClose, Word, Symbol, HexByte, Byte };
    Kind kind = Kind::End;
    std::string_view word; // empty for a word longer than any RTF word
    bool hasParameter = false;
    int parameter = 0; // clamped to +-1e9
    char symbol = 0;
    unsigned char byte = 0;
};

class Tokenizer {
  public:
    Tokenizer(const QByteArray& in, qsizetype start) : in_(in), pos_(start) {}
    // The next token; line ends between tokens are skipped. \binN skips its N raw bytes.
    Token next();

  private:
    int readParameter(bool& has);

    const QByteArray& in_;
    qsizetype pos_;
};

} // namespace zb::ui::rtf
