#include "text/rtf_tokenizer.h"

#include <algorithm>

namespace zb::ui::rtf {

namespace {

constexpr int kMaxParameter = 1'000'000'000;
constexpr int kMaxWordLength = 32;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

int Tokenizer::readParameter(bool& has) {
    const qsizetype n = in_.size();
    const char* s = in_.constData();
    has = false;
    bool negative = false;
    if (pos_ + 1 < n && s[pos_] == '-' && isDigit(s[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    int value = 0;
    while (pos_ < n && isDigit(s[pos_])) {
        has = true;
        value = value > kMaxParameter / 10 ? kMaxParameter
                                           : std::min(kMaxParameter, value * 10 + (s[pos_] - '0'));
        ++pos_;
    }
    return negative ? -value : value;
}

Token Tokenizer::next() {
    const qsizetype n = in_.size();
    const char* s = in_.constData();
    Token t;
    while (pos_ < n && (s[pos_] == '\r' || s[pos_] == '\n')) {
        ++pos_;
    }
    if (pos_ >= n) {
        return t;
    }
    const char c = s[pos_++];
    if (c == '{' || c == '}') {
        t.kind = c == '{' ? Token::Kind::GroupOpen : Token::Kind::GroupClose;
        return t;
    }
    if (c != '\\') {
        t.kind = Token::Kind::Byte;
        t.byte = static_cast<unsigned char>(c);
        return t;
    }
    if (pos_ >= n) {
        return t; // a lone backslash at the end
    }
    const char d = s[pos_];
    if (isLetter(d)) {
        const qsizetype begin = pos_;
        while (pos_ < n && isLetter(s[pos_])) {
            ++pos_;
        }
        // Longer words are not RTF; they match nothing, but their letters are still consumed.
        if (pos_ - begin <= kMaxWordLength) {
            t.word = std::string_view(s + begin, size_t(pos_ - begin));
        }
        t.kind = Token::Kind::Word;
        t.parameter = readParameter(t.hasParameter);
        if (pos_ < n && s[pos_] == ' ') {
            ++pos_; // the delimiter belongs to the word
        }
        if (t.word == "bin") {
            // Raw bytes follow that could hold anything, braces included.
            pos_ += std::clamp<qsizetype>(t.parameter, 0, n - pos_);
        }
        return t;
    }
    ++pos_;
    if (d == '\'') {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < n && hexValue(s[pos_]) >= 0) {
            value = value * 16 + hexValue(s[pos_]);
            ++digits;
            ++pos_;
        }
        // A broken escape still counts as one character for a fallback after \uN.
        t.kind = digits > 0 ? Token::Kind::HexByte : Token::Kind::Symbol;
        t.byte = static_cast<unsigned char>(value);
        return t;
    }
    t.kind = Token::Kind::Symbol;
    t.symbol = d;
    return t;
}

} // namespace zb::ui::rtf
