// The formatting state a group carries, and how it becomes Qt's character and block formats.
#pragma once

#include "text/rtf_charset.h"
#include "text/rtf_words.h"

#include <QColor>
#include <QHash>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextOption>

#include <vector>

namespace zb::ui::rtf {

constexpr int kMaxTwips = 31680; // 22 inches: more than any page, so only broken input is cut
constexpr double kTwipsPerPixel = 15.0; // 1440 twips an inch, 96 pixels an inch

struct CharState {
    bool bold = false, italic = false, underline = false, strike = false, hidden = false;
    QTextCharFormat::VerticalAlignment valign = QTextCharFormat::AlignNormal;
    int halfPoints = 24;
    int font = -1; // -1: the document's default font
    int foreground = 0, background = 0;
    int link = -1; // index into FormatTables::links
    bool operator==(const CharState&) const = default;
};

struct TabStop {
    int twips;
    QTextOption::TabType type;
};

struct ParaState {
    Qt::Alignment align = Qt::AlignLeft;
    int left = 0, right = 0, first = 0, before = 0, after = 0; // twips
    bool inTable = false;
    std::vector<TabStop> tabs;
    QTextOption::TabType nextTab = QTextOption::LeftTab; // set by \tqr and the like before \tx
};

struct Font {
    QString family;
    Glyphs glyphs = Glyphs::Text;
};

// What the formats refer to: fonts, colours and link targets by number, and the document's
// default tab stops.
struct FormatTables {
    QHash<int, Font> fonts;
    int defaultFont = -1;
    int defaultTab = 720;       // twips from one default stop to the next
    std::vector<QColor> colors; // an invalid colour is "auto"
    std::vector<QString> links;

    const Font* fontOf(const CharState& chars) const;
    QTextCharFormat charFormat(const CharState& chars) const;
    QTextBlockFormat blockFormat(const ParaState& para) const;
};

// Applies a word that changes character or paragraph formatting; false for any other word.
bool applyFormatWord(const WordGroup& word, bool has, int parameter, CharState& chars,
                     ParaState& para, FormatTables& tables);

} // namespace zb::ui::rtf
