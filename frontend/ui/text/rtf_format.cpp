#include "text/rtf_format.h"

#include <algorithm>

namespace zb::ui::rtf {

namespace {

constexpr int kMaxHalfPoints = 3276;
constexpr size_t kMaxTabStops = 64;

bool applyCharWord(Word word, bool has, int p, CharState& chars) {
    const bool on = !has || p != 0;
    switch (word) {
    case Word::Bold:
        chars.bold = on;
        return true;
    case Word::Italic:
        chars.italic = on;
        return true;
    case Word::Underline:
        chars.underline = on;
        return true;
    case Word::UnderlineNone:
        chars.underline = false;
        return true;
    case Word::Strike:
        chars.strike = on;
        return true;
    case Word::Super:
        chars.valign = QTextCharFormat::AlignSuperScript;
        return true;
    case Word::Sub:
        chars.valign = QTextCharFormat::AlignSubScript;
        return true;
    case Word::NoSuperSub:
        chars.valign = QTextCharFormat::AlignNormal;
        return true;
    case Word::Hidden:
        chars.hidden = on;
        return true;
    case Word::FontSize:
        chars.halfPoints = has ? std::clamp(p, 2, kMaxHalfPoints) : 24;
        return true;
    case Word::Font:
        chars.font = p;
        return true;
    case Word::Foreground:
        chars.foreground = p;
        return true;
    case Word::Background:
        chars.background = p;
        return true;
    case Word::Plain: {
        const int link = chars.link; // a link is the field's, not a format to reset
        chars = CharState{};
        chars.link = link;
        return true;
    }
    default:
        return false;
    }
}

bool applyParaWord(const WordGroup& w, int p, ParaState& para) {
    const auto twips = [p](int low) { return std::clamp(p, low, kMaxTwips); };
    switch (w.word) {
    case Word::Pard:
        para = ParaState{};
        return true;
    case Word::Align:
        para.align = Qt::Alignment::fromInt(w.value);
        return true;
    case Word::LeftIndent:
        para.left = twips(0);
        return true;
    case Word::RightIndent:
        para.right = twips(0);
        return true;
    case Word::FirstIndent:
        para.first = twips(-kMaxTwips);
        return true;
    case Word::SpaceBefore:
        para.before = twips(0);
        return true;
    case Word::SpaceAfter:
        para.after = twips(0);
        return true;
    case Word::InTable:
        para.inTable = true;
        return true;
    case Word::TabKind:
        para.nextTab = QTextOption::TabType(w.value);
        return true;
    case Word::TabLeader:
        return true;
    case Word::TabStop:
        if (para.tabs.size() < kMaxTabStops) {
            para.tabs.push_back({twips(0), para.nextTab});
        }
        para.nextTab = QTextOption::LeftTab;
        return true;
    case Word::BarTab:
        para.nextTab = QTextOption::LeftTab; // a vertical line, not a stop
        return true;
    default:
        return false;
    }
}

} // namespace

const Font* FormatTables::fontOf(const CharState& chars) const {
    const auto it = fonts.constFind(chars.font >= 0 ? chars.font : defaultFont);
    return it == fonts.constEnd() ? nullptr : &*it;
}

QTextCharFormat FormatTables::charFormat(const CharState& chars) const {
    QTextCharFormat f;
    f.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(chars.italic);
    f.setFontUnderline(chars.underline);
    f.setFontStrikeOut(chars.strike);
    f.setVerticalAlignment(chars.valign);
    f.setFontPointSize(chars.halfPoints / 2.0);
    // Symbol fonts are shown through their Unicode equivalents in the document's default font.
    const Font* font = fontOf(chars);
    if (font != nullptr && font->glyphs != Glyphs::Text) {
        const auto d = fonts.constFind(defaultFont);
        font = d == fonts.constEnd() ? nullptr : &*d;
    }
    if (font != nullptr && font->glyphs == Glyphs::Text) {
        f.setFontFamilies({font->family});
    }
    const auto colour = [this](int index) {
        return index >= 0 && size_t(index) < colors.size() ? colors[size_t(index)] : QColor();
    };
    if (const QColor c = colour(chars.foreground); c.isValid()) {
        f.setForeground(c);
    }
    if (const QColor c = colour(chars.background); c.isValid()) {
        f.setBackground(c);
    }
    if (chars.link >= 0 && size_t(chars.link) < links.size()) {
        f.setAnchor(true);
        f.setAnchorHref(links[size_t(chars.link)]);
    }
    return f;
}

QTextBlockFormat FormatTables::blockFormat(const ParaState& p) const {
    QTextBlockFormat f;
    f.setAlignment(p.align);
    f.setLeftMargin(p.left / kTwipsPerPixel);
    f.setRightMargin(p.right / kTwipsPerPixel);
    // A hanging first line may reach back to the left margin, not beyond.
    const int first = std::max(p.first, -p.left);
    f.setTextIndent(first / kTwipsPerPixel);
    f.setTopMargin(p.before / kTwipsPerPixel);
    f.setBottomMargin(p.after / kTwipsPerPixel);
    // Qt counts stops from where the first line starts, RTF from the left edge. A hanging
    // indent is a stop of its own, as word processors keep it, so that "bullet, tab, text" puts
    // the text flush with the lines below.
    QList<QTextOption::Tab> tabs;
    const int firstLine = p.left + first;
    bool hangingStopCovered = first >= 0;
    int lastStop = firstLine;
    for (const TabStop& t : p.tabs) {
        if (t.twips <= firstLine) {
            continue;
        }
        hangingStopCovered |= t.twips <= p.left;
        lastStop = std::max(lastStop, t.twips);
        // Our texts are German: a decimal stop aligns on the comma.
        const QChar delimiter = t.type == QTextOption::DelimiterTab ? QLatin1Char(',') : QChar();
        tabs.append(QTextOption::Tab((t.twips - firstLine) / kTwipsPerPixel, t.type, delimiter));
    }
    if (!hangingStopCovered) {
        tabs.append(QTextOption::Tab(-first / kTwipsPerPixel, QTextOption::LeftTab));
        lastStop = std::max(lastStop, p.left);
    }
    std::sort(tabs.begin(), tabs.end(), [](const QTextOption::Tab& a, const QTextOption::Tab& b) {
        return a.position < b.position;
    });
    // Past its own stops a paragraph has the document's default ones, on a grid from the left
    // edge. Qt's own grid starts where the line does and is 80 pixels wide, so a bullet wider
    // than the hanging indent would send its text elsewhere than a word processor does.
    size_t added = 0;
    for (int at = (lastStop / defaultTab + 1) * defaultTab; at <= kMaxTwips && added < kMaxTabStops;
         at += defaultTab, ++added) {
        tabs.append(QTextOption::Tab((at - firstLine) / kTwipsPerPixel, QTextOption::LeftTab));
    }
    if (!tabs.isEmpty()) {
        f.setTabPositions(tabs);
    }
    return f;
}

bool applyFormatWord(const WordGroup& w, bool has, int p, CharState& chars, ParaState& para,
                     FormatTables& tables) {
    if (w.word == Word::DefaultFont) {
        tables.defaultFont = p;
        return true;
    }
    if (w.word == Word::DefaultTab) {
        tables.defaultTab = p > 0 ? std::min(p, kMaxTwips) : 720;
        return true;
    }
    return applyCharWord(w.word, has, p, chars) || applyParaWord(w, p, para);
}

} // namespace zb::ui::rtf
