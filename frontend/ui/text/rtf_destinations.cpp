#include "text/rtf_destinations.h"

#include "text/rtf_charset.h"

#include <QStringList>

#include <algorithm>

namespace zb::ui::rtf {

namespace {

constexpr int kMaxTableEntries = 4096;
constexpr int kMaxFontName = 256;
constexpr int kMaxInstruction = 2048;

} // namespace

void Destinations::startColorTable() {
    tables_.colors.clear();
    red_ = green_ = blue_ = -1;
}

int Destinations::startField() {
    if (instructions_.size() >= size_t(kMaxTableEntries)) {
        return -1;
    }
    instructions_.emplace_back();
    return int(instructions_.size()) - 1;
}

bool Destinations::word(Dest dest, const WordGroup& w, int p) {
    if (dest == Dest::FontTable) {
        if (w.word == Word::Font) {
            storeFont();
            fontNumber_ = p;
        }
        return w.word == Word::Destination;
    }
    if (dest == Dest::ColorTable) {
        const int v = std::clamp(p, 0, 255);
        if (w.word == Word::Red) {
            red_ = v;
        } else if (w.word == Word::Green) {
            green_ = v;
        } else if (w.word == Word::Blue) {
            blue_ = v;
        }
    }
    return false;
}

void Destinations::character(Dest dest, int field, char32_t c) {
    switch (dest) {
    case Dest::FontTable:
        if (c == u';') {
            storeFont();
        } else if (fontName_.size() < kMaxFontName) {
            appendCodePoint(fontName_, c);
        }
        break;
    case Dest::ColorTable:
        if (c == u';' && tables_.colors.size() < size_t(kMaxTableEntries)) {
            tables_.colors.push_back(
                red_ < 0 && green_ < 0 && blue_ < 0
                    ? QColor()
                    : QColor(std::max(red_, 0), std::max(green_, 0), std::max(blue_, 0)));
            red_ = green_ = blue_ = -1;
        }
        break;
    case Dest::FieldInstruction:
        if (field >= 0 && size_t(field) < instructions_.size() &&
            instructions_[size_t(field)].size() < kMaxInstruction) {
            appendCodePoint(instructions_[size_t(field)], c);
        }
        break;
    default:
        break;
    }
}

void Destinations::endGroup(Dest dest) {
    if (dest == Dest::FontTable) {
        storeFont(); // an entry may end with its group instead of a semicolon
    }
}

int Destinations::linkOf(int field) {
    if (field < 0 || size_t(field) >= instructions_.size() ||
        tables_.links.size() >= size_t(kMaxTableEntries)) {
        return -1;
    }
    const QString target = hyperlinkTarget(instructions_[size_t(field)]);
    if (target.isEmpty()) {
        return -1;
    }
    tables_.links.push_back(target);
    return int(tables_.links.size()) - 1;
}

void Destinations::storeFont() {
    const QString family = fontName_.trimmed();
    fontName_.clear();
    const int number = fontNumber_;
    fontNumber_ = -1;
    if (number < 0 || family.isEmpty() ||
        (tables_.fonts.size() >= kMaxTableEntries && !tables_.fonts.contains(number))) {
        return;
    }
    Font& font = tables_.fonts[number];
    font.glyphs = family.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0 ? Glyphs::Symbol
                  : family.startsWith(QLatin1String("Wingdings"), Qt::CaseInsensitive)
                      ? Glyphs::Wingdings
                      : Glyphs::Text;
    font.family = family;
}

QString hyperlinkTarget(const QString& instruction) {
    // HYPERLINK "target" [switches]; the target may also stand without quotes.
    const QString s = instruction.trimmed();
    if (!s.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive)) {
        return {};
    }
    QString target, anchor;
    bool local = false;
    for (qsizetype i = 9; i < s.size();) {
        if (s[i].isSpace()) {
            ++i;
            continue;
        }
        QString part;
        if (s[i] == u'"') {
            const qsizetype end = s.indexOf(u'"', i + 1);
            part = s.mid(i + 1, end < 0 ? -1 : end - i - 1);
            i = end < 0 ? s.size() : end + 1;
        } else {
            qsizetype end = i;
            while (end < s.size() && !s[end].isSpace()) {
                ++end;
            }
            part = s.mid(i, end - i);
            i = end;
        }
        if (part == QLatin1String("\\l")) {
            local = true;
        } else if (part.startsWith(u'\\')) {
            continue; // other switches and their arguments do not change the target
        } else if (local && anchor.isEmpty()) {
            anchor = part;
        } else if (target.isEmpty()) {
            target = part;
        }
    }
    if (!anchor.isEmpty()) {
        target += u'#' + anchor;
    }
    return target;
}

} // namespace zb::ui::rtf
