#include "text/rtf_reader.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <cstring>
#include <string_view>
#include <vector>

namespace zb::ui {

namespace {

// Windows-1252 where it differs from Latin-1 (0x80..0x9F); 0 marks the unassigned codes.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QChar fromCp1252(unsigned char c) {
    if (c >= 0x80 && c < 0xA0) {
        const char16_t u = kCp1252High[c - 0x80];
        return QChar(u ? u : char16_t(0xFFFD));
    }
    return QChar(char16_t(c));
}

enum class Destination { Text, FontTable, ColorTable, Skip };

// Everything a group saves and restores.
struct State {
    Destination dest = Destination::Text;
    bool bold = false, italic = false, underline = false;
    int fontSize = 24; // half-points
    int font = -1;
    int color = 0, background = 0;
    int unicodeSkip = 1;
    Qt::Alignment align = Qt::AlignLeft;
    int leftIndent = 0, rightIndent = 0, firstIndent = 0, spaceBefore = 0, spaceAfter = 0;
};

constexpr int kMaxDepth = 256;
constexpr int kTwipsPerPixel = 15; // 1440 per inch at 96 pixels per inch

// Destinations whose text is never shown.
bool isSkippedDestination(std::string_view word) {
    static constexpr std::string_view skipped[] = {"info",       "stylesheet",
                                                   "pict",       "header",
                                                   "headerl",    "headerr",
                                                   "headerf",    "footer",
                                                   "footerl",    "footerr",
                                                   "footerf",    "fldinst",
                                                   "object",     "themedata",
                                                   "listtable",  "listoverridetable",
                                                   "revtbl",     "rsidtbl",
                                                   "generator",  "filetbl",
                                                   "xmlnstbl",   "latentstyles",
                                                   "datastore",  "colorschememapping",
                                                   "footnote",   "annotation",
                                                   "bkmkstart",  "bkmkend",
                                                   "nonshppict", "shp",
                                                   "shpinst",    "mmathPr",
                                                   "pgdsctbl",   "expandedcolortbl",
                                                   "pntxta",     "pntxtb",
                                                   "template",   "userprops",
                                                   "docvar",     "comment",
                                                   "company",    "operator",
                                                   "title",      "subject",
                                                   "author",     "keywords",
                                                   "doccomm"};
    for (std::string_view s : skipped) {
        if (word == s) {
            return true;
        }
    }
    return false;
}

class Reader {
  public:
    Reader(const QByteArray& rtf, QTextDocument& doc) : in_(rtf), cursor_(&doc) {}

    void run(int start);

  private:
    void openGroup();
    void closeGroup();
    void controlWord(std::string_view word, bool hasParam, int param);
    void controlSymbol(char c);
    void character(QChar c);
    void flush();
    void endParagraph();
    QTextCharFormat charFormat() const;
    QTextBlockFormat blockFormat() const;
    int readParameter(int& pos, bool& has) const;

    const QByteArray& in_;
    QTextCursor cursor_;
    State state_;
    std::vector<State> stack_;
    int overflowDepth_ = 0; // groups beyond kMaxDepth, counted so the braces still balance
    bool starAfterBrace_ = false;
    bool groupStart_ = false;
    int pendingSkip_ = 0; // fallback characters after \uN still to drop
    QString run_;
    QTextCharFormat runFormat_;
    std::vector<QString> fonts_;
    std::vector<QColor> colors_; // index 0 may be "auto" (invalid)
    int red_ = -1, green_ = -1, blue_ = -1;
    int fontNumber_ = -1;
    QString fontName_;
    bool ended_ = false;
};

int Reader::readParameter(int& pos, bool& has) const {
    const int n = int(in_.size());
    bool negative = false;
    if (pos < n && in_[pos] == '-') {
        negative = true;
        ++pos;
    }
    long long value = 0;
    has = false;
    while (pos < n && in_[pos] >= '0' && in_[pos] <= '9') {
        has = true;
        if (value < 1'000'000'000) {
            value = value * 10 + (in_[pos] - '0');
        }
        ++pos;
    }
    if (value > 1'000'000'000) {
        value = 1'000'000'000;
    }
    return int(negative ? -value : value);
}

void Reader::run(int pos) {
    const int n = int(in_.size());
    while (pos < n && !ended_) {
        const char c = in_[pos];
        if (c == '{') {
            openGroup();
            ++pos;
        } else if (c == '}') {
            closeGroup();
            ++pos;
        } else if (c == '\\') {
            ++pos;
            if (pos >= n) {
                break;
            }
            const char d = in_[pos];
            if ((d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z')) {
                const int begin = pos;
                while (pos < n && pos - begin < 32 &&
                       ((in_[pos] >= 'a' && in_[pos] <= 'z') ||
                        (in_[pos] >= 'A' && in_[pos] <= 'Z'))) {
                    ++pos;
                }
                const std::string_view word(in_.constData() + begin, size_t(pos - begin));
                bool has = false;
                const int param = readParameter(pos, has);
                if (pos < n && in_[pos] == ' ') {
                    ++pos; // the delimiter belongs to the control word
                }
                controlWord(word, has, param);
            } else if (d == '\'') {
                int value = 0;
                int digits = 0;
                ++pos;
                while (digits < 2 && pos < n) {
                    const char h = in_[pos];
                    const int v = (h >= '0' && h <= '9')   ? h - '0'
                                  : (h >= 'a' && h <= 'f') ? h - 'a' + 10
                                  : (h >= 'A' && h <= 'F') ? h - 'A' + 10
                                                           : -1;
                    if (v < 0) {
                        break;
                    }
                    value = value * 16 + v;
                    ++digits;
                    ++pos;
                }
                if (digits > 0) {
                    character(fromCp1252((unsigned char)value));
                }
            } else {
                controlSymbol(d);
                ++pos;
            }
            groupStart_ = false;
        } else if (c == '\r' || c == '\n') {
            ++pos;
        } else {
            character(fromCp1252((unsigned char)c));
            groupStart_ = false;
            ++pos;
        }
    }
    if (!ended_) {
        flush(); // a text cut off before its last brace still shows what it had
        cursor_.setBlockFormat(blockFormat());
    }
}

void Reader::openGroup() {
    if (stack_.size() >= size_t(kMaxDepth)) {
        ++overflowDepth_;
        return;
    }
    flush();
    stack_.push_back(state_);
    groupStart_ = true;
    starAfterBrace_ = false;
}

void Reader::closeGroup() {
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return;
    }
    if (state_.dest == Destination::FontTable && fontNumber_ >= 0 && !fontName_.isEmpty()) {
        // A font entry may end with its group instead of a semicolon.
        if (size_t(fontNumber_) < 4096) {
            if (fonts_.size() <= size_t(fontNumber_)) {
                fonts_.resize(size_t(fontNumber_) + 1);
            }
            fonts_[size_t(fontNumber_)] = fontName_.trimmed();
        }
        fontName_.clear();
    }
    flush();
    if (stack_.size() <= 1) {
        // The outermost group ends: its last paragraph keeps its own formatting, and whatever
        // follows is not part of the text.
        if (state_.dest == Destination::Text) {
            cursor_.setBlockFormat(blockFormat());
        }
        ended_ = true;
        return;
    }
    state_ = stack_.back();
    stack_.pop_back();
    pendingSkip_ = 0;
}

void Reader::controlSymbol(char c) {
    switch (c) {
    case '\\':
    case '{':
    case '}':
        character(QLatin1Char(c));
        break;
    case '~':
        character(QChar(0x00A0));
        break;
    case '_':
        character(QChar(0x2011));
        break;
    case '-':
        break; // optional hyphen
    case '*':
        if (groupStart_) {
            state_.dest = Destination::Skip; // an ignorable destination we do not know
        }
        break;
    case '\n':
    case '\r':
        endParagraph();
        break;
    case '\t':
        character(QLatin1Char('\t'));
        break;
    default:
        break;
    }
}

void Reader::controlWord(std::string_view w, bool has, int p) {
    const bool atGroupStart = groupStart_;
    groupStart_ = false;
    if (state_.dest == Destination::Skip) {
        return;
    }
    if (w == "u") {
        character(QChar(char16_t(uint16_t(p))));
        pendingSkip_ = state_.unicodeSkip;
        return;
    }
    if (state_.dest == Destination::FontTable) {
        if (w == "f") {
            fontNumber_ = p;
            fontName_.clear();
        } else if (atGroupStart && isSkippedDestination(w)) {
            state_.dest = Destination::Skip;
        }
        return;
    }
    if (state_.dest == Destination::ColorTable) {
        const int v = p < 0 ? 0 : p > 255 ? 255 : p;
        if (w == "red") {
            red_ = v;
        } else if (w == "green") {
            green_ = v;
        } else if (w == "blue") {
            blue_ = v;
        }
        return;
    }
    if (w == "fonttbl") {
        state_.dest = Destination::FontTable;
    } else if (w == "colortbl") {
        state_.dest = Destination::ColorTable;
        colors_.clear();
    } else if (isSkippedDestination(w)) {
        if (atGroupStart || w == "fldinst" || w == "pict") {
            state_.dest = Destination::Skip;
        }
    } else if (w == "par" || w == "sect") {
        endParagraph();
    } else if (w == "line") {
        character(QChar(QChar::LineSeparator));
    } else if (w == "tab") {
        character(QLatin1Char('\t'));
    } else if (w == "emdash") {
        character(QChar(0x2014));
    } else if (w == "endash") {
        character(QChar(0x2013));
    } else if (w == "bullet") {
        character(QChar(0x2022));
    } else if (w == "lquote") {
        character(QChar(0x2018));
    } else if (w == "rquote") {
        character(QChar(0x2019));
    } else if (w == "ldblquote") {
        character(QChar(0x201C));
    } else if (w == "rdblquote") {
        character(QChar(0x201D));
    } else if (w == "b") {
        state_.bold = !has || p != 0;
    } else if (w == "i") {
        state_.italic = !has || p != 0;
    } else if (w == "ul") {
        state_.underline = !has || p != 0;
    } else if (w == "ulnone") {
        state_.underline = false;
    } else if (w == "fs") {
        state_.fontSize = p < 2 ? 2 : p > 1000 ? 1000 : p;
    } else if (w == "f") {
        state_.font = p;
    } else if (w == "cf") {
        state_.color = p;
    } else if (w == "cb" || w == "highlight") {
        state_.background = p;
    } else if (w == "plain") {
        const State keep = state_;
        state_ = State{};
        state_.dest = keep.dest;
        state_.unicodeSkip = keep.unicodeSkip;
        state_.align = keep.align;
        state_.leftIndent = keep.leftIndent;
        state_.rightIndent = keep.rightIndent;
        state_.firstIndent = keep.firstIndent;
        state_.spaceBefore = keep.spaceBefore;
        state_.spaceAfter = keep.spaceAfter;
    } else if (w == "pard") {
        state_.align = Qt::AlignLeft;
        state_.leftIndent = state_.rightIndent = state_.firstIndent = 0;
        state_.spaceBefore = state_.spaceAfter = 0;
    } else if (w == "ql") {
        state_.align = Qt::AlignLeft;
    } else if (w == "qc") {
        state_.align = Qt::AlignHCenter;
    } else if (w == "qr") {
        state_.align = Qt::AlignRight;
    } else if (w == "qj") {
        state_.align = Qt::AlignJustify;
    } else if (w == "li") {
        state_.leftIndent = p;
    } else if (w == "ri") {
        state_.rightIndent = p;
    } else if (w == "fi") {
        state_.firstIndent = p;
    } else if (w == "sb") {
        state_.spaceBefore = p;
    } else if (w == "sa") {
        state_.spaceAfter = p;
    } else if (w == "uc") {
        state_.unicodeSkip = p < 0 ? 0 : p > 8 ? 8 : p;
    } else if (w == "bin") {
        state_.dest = Destination::Skip; // raw bytes we cannot show; the group is dropped
    }
}

void Reader::character(QChar c) {
    if (pendingSkip_ > 0) {
        --pendingSkip_;
        return;
    }
    switch (state_.dest) {
    case Destination::Skip:
        return;
    case Destination::FontTable:
        if (c == QLatin1Char(';')) {
            if (fontNumber_ >= 0 && size_t(fontNumber_) < 4096) {
                if (fonts_.size() <= size_t(fontNumber_)) {
                    fonts_.resize(size_t(fontNumber_) + 1);
                }
                fonts_[size_t(fontNumber_)] = fontName_.trimmed();
            }
            fontName_.clear();
        } else if (fontName_.size() < 256) {
            fontName_ += c;
        }
        return;
    case Destination::ColorTable:
        if (c == QLatin1Char(';') && colors_.size() < 4096) {
            colors_.push_back(red_ < 0 && green_ < 0 && blue_ < 0
                                  ? QColor()
                                  : QColor(qMax(red_, 0), qMax(green_, 0), qMax(blue_, 0)));
            red_ = green_ = blue_ = -1;
        }
        return;
    case Destination::Text:
        break;
    }
    const QTextCharFormat format = charFormat();
    if (!run_.isEmpty() && format != runFormat_) {
        flush();
    }
    runFormat_ = format;
    run_ += c;
}

void Reader::flush() {
    if (!run_.isEmpty()) {
        cursor_.insertText(run_, runFormat_);
        run_.clear();
    }
}

void Reader::endParagraph() {
    if (state_.dest != Destination::Text) {
        return;
    }
    flush();
    cursor_.setBlockFormat(blockFormat());
    cursor_.insertBlock(blockFormat(), charFormat());
}

QTextCharFormat Reader::charFormat() const {
    QTextCharFormat f;
    f.setFontWeight(state_.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(state_.italic);
    f.setFontUnderline(state_.underline);
    f.setFontPointSize(state_.fontSize / 2.0);
    if (state_.font >= 0 && size_t(state_.font) < fonts_.size() &&
        !fonts_[size_t(state_.font)].isEmpty()) {
        f.setFontFamilies({fonts_[size_t(state_.font)]});
    }
    if (state_.color > 0 && size_t(state_.color) < colors_.size() &&
        colors_[size_t(state_.color)].isValid()) {
        f.setForeground(colors_[size_t(state_.color)]);
    }
    if (state_.background > 0 && size_t(state_.background) < colors_.size() &&
        colors_[size_t(state_.background)].isValid()) {
        f.setBackground(colors_[size_t(state_.background)]);
    }
    return f;
}

QTextBlockFormat Reader::blockFormat() const {
    QTextBlockFormat f;
    f.setAlignment(state_.align);
    f.setLeftMargin(state_.leftIndent / double(kTwipsPerPixel));
    f.setRightMargin(state_.rightIndent / double(kTwipsPerPixel));
    f.setTextIndent(state_.firstIndent / double(kTwipsPerPixel));
    f.setTopMargin(qMax(0, state_.spaceBefore) / double(kTwipsPerPixel));
    f.setBottomMargin(qMax(0, state_.spaceAfter) / double(kTwipsPerPixel));
    if (state_.firstIndent < 0 && state_.leftIndent > 0) {
        // A hanging indent: the first tab of the first line goes to the indent, as in a list.
        f.setTabPositions(
            {QTextOption::Tab(state_.leftIndent / double(kTwipsPerPixel), QTextOption::LeftTab)});
    }
    return f;
}

} // namespace

bool parseRtf(const QByteArray& rtf, QTextDocument& document) {
    document.clear();
    int start = 0;
    if (rtf.startsWith("\xEF\xBB\xBF")) {
        start = 3;
    }
    while (start < rtf.size() &&
           (rtf[start] == ' ' || rtf[start] == '\t' || rtf[start] == '\r' || rtf[start] == '\n')) {
        ++start;
    }
    if (rtf.size() - start < 5 || std::memcmp(rtf.constData() + start, "{\\rtf", 5) != 0) {
        return false;
    }
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(720.0 / kTwipsPerPixel); // the default tab width of rich text
    document.setDefaultTextOption(option);
    Reader reader(rtf, document);
    reader.run(start);
    return true;
}

} // namespace zb::ui
