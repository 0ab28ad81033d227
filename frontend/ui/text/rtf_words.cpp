#include "text/rtf_words.h"

#include <QTextOption>

#include <algorithm>
#include <unordered_map>

namespace zb::ui::rtf {

namespace {

constexpr WordGroup kWords[] = {
    {Word::Par, 0, "par sect page"},
    {Word::Char, 0x2028, "line nestrow"},
    {Word::Char, u'\t', "tab nestcell"},
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
    {Word::DefaultTab, 0, "deftab"},
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
    {Word::TabStop, 0, "tx"},
    {Word::BarTab, 0, "tb"},
    {Word::TabKind, QTextOption::RightTab, "tqr"},
    {Word::TabKind, QTextOption::CenterTab, "tqc"},
    {Word::TabKind, QTextOption::DelimiterTab, "tqdec"},
    // Leaders cannot be drawn by the text layout; the stop itself still counts.
    {Word::TabLeader, 0, "tldot tlmdot tlhyph tlul tlth tleq"},
    {Word::InTable, 0, "intbl"},
    {Word::RowDefaults, 0, "trowd"},
    {Word::CellBoundary, 0, "cellx"},
    {Word::RowGap, 0, "trgaph"},
    {Word::Border, 0,
     "clbrdrt clbrdrl clbrdrb clbrdrr trbrdrt trbrdrl trbrdrb trbrdrr trbrdrh trbrdrv"},
    {Word::Cell, 0, "cell"},
    {Word::Row, 0, "row"},
    {Word::UnicodeSkip, 0, "uc"},
    {Word::Unicode, 0, "u"},
    {Word::Red, 0, "red"},
    {Word::Green, 0, "green"},
    {Word::Blue, 0, "blue"},
    {Word::FontTable, 0, "fonttbl"},
    {Word::ColorTable, 0, "colortbl"},
    {Word::Field, 0, "field"},
    {Word::FieldInstruction, 0, "fldinst"},
    {Word::FieldResult, 0, "fldrslt"},
    {Word::Footnote, 0, "footnote"},
    {Word::FootnoteNumber, 0, "chftn"},
    // A list item's number or bullet as text, for readers that do not number lists themselves.
    {Word::ListLabel, 0, "listtext pntext"},
    // Destinations whose content is never shown.
    {Word::Destination, 0,
     "info stylesheet pict object header headerl headerr headerf footer footerl footerr footerf "
     "annotation atnid atnauthor xe tc txe rxe private pn listtable listoverridetable revtbl "
     "rsidtbl filetbl generator themedata colorschememapping latentstyles datastore xmlnstbl "
     "mmathPr pgdsctbl nonshppict shp shpinst shprslt do ftnsep ftnsepc ftncn aftnsep aftnsepc "
     "aftncn template docvar userprops nonesttables bkmkstart bkmkend title subject author "
     "operator keywords comment doccomm company creatim revtim printim buptim expandedcolortbl"}};

} // namespace

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

} // namespace zb::ui::rtf
