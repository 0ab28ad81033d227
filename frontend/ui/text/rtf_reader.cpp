#include "text/rtf_reader.h"

#include <QColor>
#include <QHash>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zb::ui {

namespace {

// Bounds that keep every input cheap, whatever it claims.
constexpr int kMaxDepth = 200;
constexpr int kMaxParameter = 1'000'000'000;
constexpr int kMaxWordLength = 32;
constexpr int kMaxTableEntries = 4096;
constexpr int kMaxFontName = 256;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kMaxTwips = 31680; // 22 inches: more than any page, so only broken input is cut
constexpr int kMaxHalfPoints = 3276;
constexpr double kTwipsPerPixel = 15.0; // 1440 twips an inch, 96 pixels an inch

// Windows-1252 where it differs from Latin-1; 0 marks the five unassigned codes.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t fromCp1252(unsigned char c) {
    if (c >= 0x80 && c < 0xA0) {
        const char16_t u = kCp1252High[c - 0x80];
        return u ? u : char32_t(0xFFFD);
    }
    return c;
}

// Older word processors write Greek letters, bullets and a few signs as bytes in the Symbol or
// Wingdings font. Those fonts are rarely installed here, so the bytes become what they show.
enum class Glyphs { Text, Symbol, Wingdings };

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

enum class Dest { Text, FontTable, ColorTable, Skip };

struct CharState {
    bool bold = false, italic = false, underline = false, strike = false, hidden = false;
    QTextCharFormat::VerticalAlignment valign = QTextCharFormat::AlignNormal;
    int halfPoints = 24;
    int font = -1; // -1: the document's default font
    int foreground = 0, background = 0;
    bool operator==(const CharState&) const = default;
};

struct ParaState {
    Qt::Alignment align = Qt::AlignLeft;
    int left = 0, right = 0, first = 0, before = 0, after = 0; // twips
};

// Everything a group saves and restores.
struct State {
    Dest dest = Dest::Text;
    CharState chars;
    ParaState para;
    int unicodeSkip = 1;
};

enum class Word {
    Char,
    Par,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Super,
    Sub,
    NoSuperSub,
    Hidden,
    FontSize,
    Font,
    DefaultFont,
    Foreground,
    Background,
    Plain,
    Pard,
    Align,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    UnicodeSkip,
    Unicode,
    Red,
    Green,
    Blue,
    FontTable,
    ColorTable,
    Destination
};

struct WordGroup {
    Word word;
    char16_t value; // the character, or the alignment
    std::string_view names;
};

constexpr WordGroup kWords[] = {
    {Word::Par, 0, "par sect page row"},
    {Word::Char, 0x2028, "line"},
    {Word::Char, u'\t', "tab cell nestcell"},
    {Word::Char, 0x2014, "emdash"},
    {Word::Char, 0x2013, "endash"},
    {Word::Char, 0x2003, "emspace"},
    {Word::Char, 0x2002, "enspace"},
    {Word::Char, 0x2005, "qmspace"},
    {Word::Char, 0x2022, "bullet"},
    {Word::Char, 0x2018, "lquote"},
    {Word::Char, 0x2019, "rquote"},
    {Word::Char, 0x201C, "ldblquote"},
    {Word::Char, 0x201D, "rdblquote"},
    {Word::Bold, 0, "b"},
    {Word::Italic, 0, "i"},
    // Every underline style shows as a plain underline ("ulc" is its colour, not a style).
    {Word::Underline, 0,
     "ul uld uldash uldashd uldashdd uldb ulhwave ulldash ulth ulthd ulthdash ulthdashd "
     "ulthdashdd ulthldash ululdbwave ulw ulwave"},
    {Word::UnderlineNone, 0, "ulnone"},
    {Word::Strike, 0, "strike striked"},
    {Word::Super, 0, "super"},
    {Word::Sub, 0, "sub"},
    {Word::NoSuperSub, 0, "nosupersub"},
    {Word::Hidden, 0, "v"},
    {Word::FontSize, 0, "fs"},
    {Word::Font, 0, "f"},
    {Word::DefaultFont, 0, "deff"},
    {Word::Foreground, 0, "cf"},
    {Word::Background, 0, "cb chcbpat highlight"},
    {Word::Plain, 0, "plain"},
    {Word::Pard, 0, "pard"},
    {Word::Align, Qt::AlignLeft, "ql"},
    {Word::Align, Qt::AlignHCenter, "qc"},
    {Word::Align, Qt::AlignRight, "qr"},
    {Word::Align, Qt::AlignJustify, "qj qd"},
    {Word::LeftIndent, 0, "li lin"},
    {Word::RightIndent, 0, "ri rin"},
    {Word::FirstIndent, 0, "fi"},
    {Word::SpaceBefore, 0, "sb"},
    {Word::SpaceAfter, 0, "sa"},
    {Word::UnicodeSkip, 0, "uc"},
    {Word::Unicode, 0, "u"},
    {Word::Red, 0, "red"},
    {Word::Green, 0, "green"},
    {Word::Blue, 0, "blue"},
    {Word::FontTable, 0, "fonttbl"},
    {Word::ColorTable, 0, "colortbl"},
    // Destinations whose content is never shown; \fldrslt, \listtext and \pntext are shown.
    {Word::Destination, 0,
     "info stylesheet pict object header headerl headerr headerf footer footerl footerr footerf "
     "footnote fldinst annotation atnid atnauthor xe tc txe rxe private pn listtable "
     "listoverridetable revtbl rsidtbl filetbl generator themedata colorschememapping "
     "latentstyles datastore xmlnstbl mmathPr pgdsctbl nonshppict shp shpinst shprslt do ftnsep "
     "ftnsepc ftncn aftnsep aftnsepc aftncn template docvar userprops nonesttables bkmkstart "
     "bkmkend title subject author operator keywords comment doccomm company creatim revtim "
     "printim buptim expandedcolortbl"}};

const WordGroup* lookUp(std::string_view name) {
    static const std::unordered_map<std::string_view, const WordGroup*> words = [] {
        std::unordered_map<std::string_view, const WordGroup*> m;
        for (const WordGroup& group : kWords) {
            for (std::string_view names = group.names; !names.empty();) {
                const size_t end = std::min(names.find(' '), names.size());
                m.emplace(names.substr(0, end), &group);
                names.remove_prefix(std::min(end + 1, names.size()));
            }
        }
        return m;
    }();
    const auto it = words.find(name);
    return it == words.end() ? nullptr : it->second;
}

struct Font {
    QString family;
    Glyphs glyphs = Glyphs::Text;
};

class Reader {
  public:
    Reader(const QByteArray& rtf, QTextDocument& document) : in_(rtf), cursor_(&document) {}

    void run(qsizetype pos);

  private:
    int readParameter(qsizetype& pos, bool& has) const;
    bool skipFallback();
    void openGroup();
    void closeGroup();
    void controlWord(std::string_view name, bool has, int param);
    void controlSymbol(char c);
    void byte(unsigned char c);
    void unicode(int param);
    void text(char32_t c);
    void put(char32_t c);
    void paragraph();
    void finish();
    void flush();
    void storeFont();
    QTextCharFormat charFormat(const CharState& chars) const;
    QTextBlockFormat blockFormat() const;

    const QByteArray& in_;
    QTextCursor cursor_;
    State state_;
    std::vector<State> stack_;
    int flatDepth_ = 0;       // groups beyond kMaxDepth, only counted so the braces balance
    bool groupStart_ = false; // nothing but '{' read since the group opened
    bool ended_ = false;
    bool blockEnded_ = false; // the current block got its \par; the next one opens on demand
    int pendingSkip_ = 0;     // fallback characters after \uN still to drop
    char16_t highSurrogate_ = 0;

    QString run_; // text of one format, inserted in one piece
    std::optional<CharState> runChars_;
    QTextCharFormat runFormat_;

    QHash<int, Font> fonts_;
    int defaultFont_ = -1;
    int fontNumber_ = -1;
    QString fontName_;
    std::vector<QColor> colors_; // an invalid colour is "auto"
    int red_ = -1, green_ = -1, blue_ = -1;
};

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

void append(QString& s, char32_t c) {
    if (QChar::requiresSurrogates(c)) {
        s += QChar(QChar::highSurrogate(c));
        s += QChar(QChar::lowSurrogate(c));
    } else {
        s += QChar(char16_t(c));
    }
}

int Reader::readParameter(qsizetype& pos, bool& has) const {
    const qsizetype n = in_.size();
    const char* s = in_.constData();
    has = false;
    bool negative = false;
    if (pos + 1 < n && s[pos] == '-' && isDigit(s[pos + 1])) {
        negative = true;
        ++pos;
    }
    int value = 0;
    while (pos < n && isDigit(s[pos])) {
        has = true;
        value = value > kMaxParameter / 10 ? kMaxParameter
                                           : std::min(kMaxParameter, value * 10 + (s[pos] - '0'));
        ++pos;
    }
    return negative ? -value : value;
}

// After \uN the next N characters (a control word or \'hh counting as one) are the substitute
// for readers without Unicode.
bool Reader::skipFallback() {
    if (pendingSkip_ > 0) {
        --pendingSkip_;
        return true;
    }
    return false;
}

void Reader::run(qsizetype pos) {
    const qsizetype n = in_.size();
    const char* s = in_.constData();
    cursor_.beginEditBlock();
    while (pos < n && !ended_) {
        const char c = s[pos++];
        if (c == '{') {
            openGroup();
            continue;
        }
        if (c == '}') {
            closeGroup();
            continue;
        }
        if (c == '\r' || c == '\n') {
            continue;
        }
        if (c != '\\') {
            if (!skipFallback()) {
                byte((unsigned char)c);
            }
            groupStart_ = false;
            continue;
        }
        if (pos >= n) {
            break;
        }
        const char d = s[pos];
        if (isLetter(d)) {
            const qsizetype begin = pos;
            while (pos < n && isLetter(s[pos])) {
                ++pos;
            }
            // Longer words are not RTF; they match nothing, but their letters are still consumed.
            const std::string_view name = pos - begin > kMaxWordLength
                                              ? std::string_view()
                                              : std::string_view(s + begin, size_t(pos - begin));
            bool has = false;
            const int param = readParameter(pos, has);
            if (pos < n && s[pos] == ' ') {
                ++pos; // the delimiter belongs to the word
            }
            if (name == "bin") {
                // Raw bytes follow that could hold anything, braces included.
                pos += std::clamp<qsizetype>(param, 0, n - pos);
            }
            if (!skipFallback()) {
                controlWord(name, has, param);
            }
        } else if (d == '\'') {
            ++pos;
            int value = 0;
            int digits = 0;
            while (digits < 2 && pos < n && hexValue(s[pos]) >= 0) {
                value = value * 16 + hexValue(s[pos]);
                ++digits;
                ++pos;
            }
            if (!skipFallback() && digits > 0) {
                byte((unsigned char)value);
            }
        } else {
            ++pos;
            if (!skipFallback()) {
                controlSymbol(d);
            }
        }
        groupStart_ = false;
    }
    finish();
    cursor_.endEditBlock();
}

void Reader::openGroup() {
    pendingSkip_ = 0;
    if (stack_.size() >= size_t(kMaxDepth)) {
        ++flatDepth_;
        groupStart_ = false; // a flat group cannot become a destination: nothing would end it
        return;
    }
    stack_.push_back(state_);
    groupStart_ = true;
}

void Reader::closeGroup() {
    pendingSkip_ = 0;
    groupStart_ = false;
    if (flatDepth_ > 0) {
        --flatDepth_;
        return;
    }
    if (state_.dest == Dest::FontTable) {
        storeFont(); // an entry may end with its group instead of a semicolon
    }
    // What follows the outermost group is not part of the document; its state stays for the
    // last paragraph, which may lack a \par.
    if (stack_.size() <= 1) {
        ended_ = true;
        return;
    }
    state_ = stack_.back();
    stack_.pop_back();
}

void Reader::controlSymbol(char c) {
    switch (c) {
    case '\\':
    case '{':
    case '}':
        text(char32_t(c));
        break;
    case '~':
        text(0x00A0);
        break;
    case '-':
        text(0x00AD); // lets long German compounds break where the author allowed it
        break;
    case '_':
        text(0x2011);
        break;
    case '\t':
        text(u'\t');
        break;
    case '\n':
    case '\r':
        paragraph(); // a backslash before a line end is a paragraph mark
        break;
    case '*':
        if (groupStart_) {
            state_.dest = Dest::Skip; // a destination a reader may ignore
        }
        break;
    default:
        break;
    }
}

void Reader::controlWord(std::string_view name, bool has, int p) {
    const WordGroup* info = lookUp(name);
    if (state_.dest == Dest::Skip || info == nullptr) {
        return;
    }
    const Word word = info->word;
    const bool on = !has || p != 0;
    const auto twips = [p](int low) { return std::clamp(p, low, kMaxTwips); };

    if (state_.dest == Dest::FontTable) {
        if (word == Word::Font) {
            storeFont();
            fontNumber_ = p;
        } else if (word == Word::Unicode && has) {
            unicode(p);
        } else if (word == Word::Destination) {
            state_.dest = Dest::Skip;
        }
        return;
    }
    if (state_.dest == Dest::ColorTable) {
        const int v = std::clamp(p, 0, 255);
        if (word == Word::Red) {
            red_ = v;
        } else if (word == Word::Green) {
            green_ = v;
        } else if (word == Word::Blue) {
            blue_ = v;
        }
        return;
    }

    CharState& chars = state_.chars;
    ParaState& para = state_.para;
    switch (word) {
    case Word::Char:
        text(info->value);
        break;
    case Word::Par:
        paragraph();
        break;
    case Word::Bold:
        chars.bold = on;
        break;
    case Word::Italic:
        chars.italic = on;
        break;
    case Word::Underline:
        chars.underline = on;
        break;
    case Word::UnderlineNone:
        chars.underline = false;
        break;
    case Word::Strike:
        chars.strike = on;
        break;
    case Word::Super:
        chars.valign = QTextCharFormat::AlignSuperScript;
        break;
    case Word::Sub:
        chars.valign = QTextCharFormat::AlignSubScript;
        break;
    case Word::NoSuperSub:
        chars.valign = QTextCharFormat::AlignNormal;
        break;
    case Word::Hidden:
        chars.hidden = on;
        break;
    case Word::FontSize:
        chars.halfPoints = has ? std::clamp(p, 2, kMaxHalfPoints) : 24;
        break;
    case Word::Font:
        chars.font = p;
        break;
    case Word::DefaultFont:
        defaultFont_ = p;
        break;
    case Word::Foreground:
        chars.foreground = p;
        break;
    case Word::Background:
        chars.background = p;
        break;
    case Word::Plain:
        chars = CharState{};
        break;
    case Word::Pard:
        para = ParaState{};
        break;
    case Word::Align:
        para.align = Qt::Alignment::fromInt(info->value);
        break;
    case Word::LeftIndent:
        para.left = twips(0);
        break;
    case Word::RightIndent:
        para.right = twips(0);
        break;
    case Word::FirstIndent:
        para.first = twips(-kMaxTwips);
        break;
    case Word::SpaceBefore:
        para.before = twips(0);
        break;
    case Word::SpaceAfter:
        para.after = twips(0);
        break;
    case Word::UnicodeSkip:
        state_.unicodeSkip = has ? std::clamp(p, 0, kMaxUnicodeSkip) : 1;
        break;
    case Word::Unicode:
        if (has) {
            unicode(p);
        }
        break;
    case Word::Red:
    case Word::Green:
    case Word::Blue:
        break;
    case Word::FontTable:
    case Word::ColorTable:
    case Word::Destination:
        // Only a nested group can be a destination; the document itself never turns into one.
        if (stack_.size() > 1 && flatDepth_ == 0) {
            state_.dest = word == Word::FontTable    ? Dest::FontTable
                          : word == Word::ColorTable ? Dest::ColorTable
                                                     : Dest::Skip;
            if (word == Word::ColorTable) {
                colors_.clear();
                red_ = green_ = blue_ = -1;
            }
        }
        break;
    }
}

void Reader::byte(unsigned char c) {
    if (state_.dest == Dest::Text) {
        const auto font =
            fonts_.constFind(state_.chars.font >= 0 ? state_.chars.font : defaultFont_);
        if (font != fonts_.constEnd() && font->glyphs != Glyphs::Text) {
            text(fromSymbolFont(c, font->glyphs));
            return;
        }
    }
    text(fromCp1252(c));
}

// \uN: a UTF-16 unit, negative N standing for N + 65536; surrogate halves are paired up.
void Reader::unicode(int param) {
    if (param < -32768 || param > 65535) {
        text(0xFFFD);
        pendingSkip_ = state_.unicodeSkip;
        return;
    }
    const auto unit = char16_t(param < 0 ? param + 65536 : param);
    pendingSkip_ = state_.unicodeSkip;
    if (QChar::isHighSurrogate(unit)) {
        if (highSurrogate_ != 0) {
            put(0xFFFD);
        }
        highSurrogate_ = unit;
    } else if (QChar::isLowSurrogate(unit)) {
        if (highSurrogate_ != 0) {
            const char32_t c = QChar::surrogateToUcs4(highSurrogate_, unit);
            highSurrogate_ = 0;
            put(c);
        } else {
            put(0xFFFD);
        }
    } else {
        text(unit);
    }
}

void Reader::text(char32_t c) {
    if (highSurrogate_ != 0) {
        highSurrogate_ = 0;
        put(0xFFFD);
    }
    if (c == 0x2029) {
        paragraph();
        return;
    }
    // Control codes and the code points the document reserves for its own structure.
    if ((c < 0x20 && c != u'\t') || c == 0x7F || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC) {
        return;
    }
    put(c);
}

void Reader::put(char32_t c) {
    switch (state_.dest) {
    case Dest::Skip:
        return;
    case Dest::FontTable:
        if (c == u';') {
            storeFont();
        } else if (fontName_.size() < kMaxFontName) {
            append(fontName_, c);
        }
        return;
    case Dest::ColorTable:
        if (c == u';' && colors_.size() < size_t(kMaxTableEntries)) {
            colors_.push_back(
                red_ < 0 && green_ < 0 && blue_ < 0
                    ? QColor()
                    : QColor(std::max(red_, 0), std::max(green_, 0), std::max(blue_, 0)));
            red_ = green_ = blue_ = -1;
            runChars_.reset();
        }
        return;
    case Dest::Text:
        break;
    }
    if (state_.chars.hidden) {
        return;
    }
    if (blockEnded_) {
        flush();
        cursor_.insertBlock(blockFormat(), charFormat(state_.chars));
        blockEnded_ = false;
    }
    if (!runChars_ || *runChars_ != state_.chars) {
        flush();
        runChars_ = state_.chars;
        runFormat_ = charFormat(state_.chars);
    }
    append(run_, c);
}

void Reader::flush() {
    if (!run_.isEmpty()) {
        cursor_.insertText(run_, runFormat_);
        run_.clear();
    }
}

// A paragraph takes the properties in effect at its mark. The block after it is only opened
// when text follows, so the mark that ends the last paragraph leaves no empty line behind.
void Reader::paragraph() {
    if (state_.dest != Dest::Text) {
        return;
    }
    flush();
    if (blockEnded_) {
        cursor_.insertBlock(blockFormat(), charFormat(state_.chars));
    } else {
        cursor_.setBlockFormat(blockFormat());
        cursor_.setBlockCharFormat(charFormat(state_.chars));
        blockEnded_ = true;
    }
}

void Reader::finish() {
    if (highSurrogate_ != 0) {
        highSurrogate_ = 0;
        put(0xFFFD);
    }
    flush();
    if (!blockEnded_) {
        cursor_.setBlockFormat(blockFormat());
    }
}

void Reader::storeFont() {
    const QString family = fontName_.trimmed();
    fontName_.clear();
    const int number = fontNumber_;
    fontNumber_ = -1;
    if (number < 0 || family.isEmpty() ||
        (fonts_.size() >= kMaxTableEntries && !fonts_.contains(number))) {
        return;
    }
    Font& font = fonts_[number];
    font.glyphs = family.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0 ? Glyphs::Symbol
                  : family.startsWith(QLatin1String("Wingdings"), Qt::CaseInsensitive)
                      ? Glyphs::Wingdings
                      : Glyphs::Text;
    font.family = family;
    runChars_.reset();
}

QTextCharFormat Reader::charFormat(const CharState& chars) const {
    QTextCharFormat f;
    f.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(chars.italic);
    f.setFontUnderline(chars.underline);
    f.setFontStrikeOut(chars.strike);
    f.setVerticalAlignment(chars.valign);
    f.setFontPointSize(chars.halfPoints / 2.0);
    // Symbol fonts are shown through their Unicode equivalents in the document's default font.
    auto font = fonts_.constFind(chars.font >= 0 ? chars.font : defaultFont_);
    if (font != fonts_.constEnd() && font->glyphs != Glyphs::Text) {
        font = fonts_.constFind(defaultFont_);
    }
    if (font != fonts_.constEnd() && font->glyphs == Glyphs::Text) {
        f.setFontFamilies({font->family});
    }
    const auto colour = [this](int index) {
        return index >= 0 && size_t(index) < colors_.size() ? colors_[size_t(index)] : QColor();
    };
    if (const QColor c = colour(chars.foreground); c.isValid()) {
        f.setForeground(c);
    }
    if (const QColor c = colour(chars.background); c.isValid()) {
        f.setBackground(c);
    }
    return f;
}

QTextBlockFormat Reader::blockFormat() const {
    const ParaState& p = state_.para;
    QTextBlockFormat f;
    f.setAlignment(p.align);
    f.setLeftMargin(p.left / kTwipsPerPixel);
    f.setRightMargin(p.right / kTwipsPerPixel);
    // A hanging first line may reach back to the left margin, not beyond.
    f.setTextIndent(std::max(p.first, -p.left) / kTwipsPerPixel);
    f.setTopMargin(p.before / kTwipsPerPixel);
    f.setBottomMargin(p.after / kTwipsPerPixel);
    return f;
}

} // namespace

bool parseRtf(const QByteArray& rtf, QTextDocument& document) {
    document.clear();
    qsizetype start = 0;
    for (bool skipped = true; skipped;) {
        skipped = false;
        if (rtf.mid(start, 3) == "\xEF\xBB\xBF") {
            start += 3;
            skipped = true;
        }
        while (start < rtf.size() && (rtf[start] == ' ' || rtf[start] == '\t' ||
                                      rtf[start] == '\r' || rtf[start] == '\n')) {
            ++start;
            skipped = true;
        }
    }
    if (rtf.size() - start < 5 || std::memcmp(rtf.constData() + start, "{\\rtf", 5) != 0) {
        return false;
    }
    // The text is shown read-only: an undo history of the load would only cost memory.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    Reader reader(rtf, document);
    reader.run(start);
    document.setUndoRedoEnabled(undo);
    return true;
}

} // namespace zb::ui
