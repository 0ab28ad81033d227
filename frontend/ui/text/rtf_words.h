// The control words the reader acts on, grouped by what they do.
#pragma once

#include <string_view>

namespace zb::ui::rtf {

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
    DefaultTab,
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
    TabStop,
    BarTab,
    TabKind,
    TabLeader,
    InTable,
    RowDefaults,
    CellBoundary,
    RowGap,
    Border,
    Cell,
    Row,
    UnicodeSkip,
    Unicode,
    Red,
    Green,
    Blue,
    FontTable,
    ColorTable,
    Field,
    FieldInstruction,
    FieldResult,
    Footnote,
    FootnoteNumber,
    ListLabel,
    Destination
};

struct WordGroup {
    Word word;
    char16_t value; // the character, the alignment or the tab kind
    std::string_view names;
};

// The group of a control word; nullptr for words the reader ignores.
const WordGroup* lookUp(std::string_view name);

} // namespace zb::ui::rtf
