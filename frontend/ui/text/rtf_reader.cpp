#include "text/rtf_reader.h"

#include "text/rtf_charset.h"
#include "text/rtf_destinations.h"
#include "text/rtf_format.h"
#include "text/rtf_table.h"
#include "text/rtf_tokenizer.h"
#include "text/rtf_words.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace zb::ui {

namespace {

using namespace rtf;

// Bounds that keep every input cheap, whatever it claims.
constexpr int kMaxDepth = 200;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kMaxFootnotes = 1000;

// Everything a group saves and restores.
struct State {
    Dest dest = Dest::Text;
    CharState chars;
    ParaState para;
    int unicodeSkip = 1;
    int output = 0; // 0 the document, then one per footnote
    int field = -1;
};

// Where text goes: the document, or the page of one footnote.
struct Output {
    std::unique_ptr<QTextDocument> page; // null for the document itself
    QTextCursor cursor;
    bool blockEnded = false; // the current block got its \par; the next one opens on demand
    QString run;             // text of one format, inserted in one piece
    std::optional<CharState> runChars;
    int runTables = -1; // the version of the tables runFormat was made from
    QTextCharFormat runFormat;
    TableBuilder table;
};

class Reader {
  public:
    Reader(const QByteArray& rtf, QTextDocument& document) : in_(rtf), destinations_(tables_) {
        outputs_.push_back(std::make_unique<Output>());
        outputs_[0]->cursor = QTextCursor(&document);
    }

    void run(qsizetype pos);

  private:
    bool skipFallback();
    void openGroup();
    void closeGroup();
    void controlWord(std::string_view name, bool has, int param);
    void destinationWord(const WordGroup& word, int param);
    void controlSymbol(char c);
    void byte(unsigned char c);
    void unicode(int param);
    void text(char32_t c);
    void put(char32_t c);
    void paragraph();
    void endCell();
    void startFootnote();
    void footnoteNumber();
    void finish();

    Output& out() { return *outputs_[size_t(state_.output)]; }
    // Moves into or out of a table as the paragraph's \intbl says, before anything is written.
    void placeForParagraph();
    void flush(Output& o);

    const QByteArray& in_;
    State state_;
    std::vector<State> stack_;
    int flatDepth_ = 0;       // groups beyond kMaxDepth, only counted so the braces balance
    bool groupStart_ = false; // nothing but '{' read since the group opened
    bool ignorable_ = false;  // \* just read: the next word names a destination we may skip
    bool ended_ = false;
    int tablesVersion_ = 0; // counts changes to the font and colour tables
    int pendingSkip_ = 0;   // fallback characters after \uN still to drop
    char16_t highSurrogate_ = 0;
    // The depth of the list label group whose text has not begun yet; 0 outside one.
    size_t labelGroup_ = 0;

    FormatTables tables_;
    Destinations destinations_;
    std::vector<std::unique_ptr<Output>> outputs_;
};

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
    Tokenizer tokens(in_, pos);
    outputs_[0]->cursor.beginEditBlock();
    for (Token t = tokens.next(); t.kind != Token::Kind::End && !ended_; t = tokens.next()) {
        switch (t.kind) {
        case Token::Kind::GroupOpen:
            openGroup();
            continue;
        case Token::Kind::GroupClose:
            closeGroup();
            continue;
        case Token::Kind::Word:
            if (!skipFallback()) {
                controlWord(t.word, t.hasParameter, t.parameter);
            }
            break;
        case Token::Kind::Symbol:
            if (!skipFallback()) {
                controlSymbol(t.symbol);
            }
            break;
        case Token::Kind::HexByte:
        case Token::Kind::Byte:
            if (!skipFallback()) {
                byte(t.byte);
            }
            break;
        case Token::Kind::End:
            break;
        }
        groupStart_ = false;
        if (t.kind != Token::Kind::Symbol || t.symbol != '*') {
            ignorable_ = false;
        }
    }
    finish();
    outputs_[0]->cursor.endEditBlock();
}

void Reader::openGroup() {
    pendingSkip_ = 0;
    ignorable_ = false;
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
    ignorable_ = false;
    if (flatDepth_ > 0) {
        --flatDepth_;
        return;
    }
    destinations_.endGroup(state_.dest);
    // What follows the outermost group is not part of the document; its state stays for the
    // last paragraph, which may lack a \par.
    if (stack_.size() <= 1) {
        ended_ = true;
        return;
    }
    if (state_.output != stack_.back().output) {
        flush(out()); // the footnote's page is complete
    }
    if (stack_.size() == labelGroup_) {
        labelGroup_ = 0;
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
        ignorable_ = groupStart_;
        break;
    default:
        break;
    }
}

void Reader::controlWord(std::string_view name, bool has, int p) {
    const WordGroup* info = lookUp(name);
    const bool skipUnknown = ignorable_;
    ignorable_ = false;
    if (state_.dest == Dest::Skip) {
        return;
    }
    // Only a nested group can be a destination; the document itself never turns into one.
    const bool mayStartDestination = stack_.size() > 1 && flatDepth_ == 0;
    if (info == nullptr) {
        if (skipUnknown && mayStartDestination) {
            state_.dest = Dest::Skip; // a destination a reader may ignore
        }
        return;
    }
    if (state_.dest != Dest::Text) {
        destinationWord(*info, p);
        return;
    }
    if (applyFormatWord(*info, has, p, state_.chars, state_.para, tables_)) {
        return;
    }
    TableBuilder& table = out().table;
    switch (info->word) {
    case Word::Char:
        text(info->value);
        break;
    case Word::Par:
        paragraph();
        break;
    case Word::Cell:
        endCell();
        break;
    case Word::Row:
        flush(out());
        table.endRow();
        break;
    case Word::RowDefaults:
        table.defineRow();
        break;
    case Word::CellBoundary:
        table.cellBoundary(p);
        break;
    case Word::RowGap:
        table.gap(p);
        break;
    case Word::Border:
        table.border();
        break;
    case Word::UnicodeSkip:
        state_.unicodeSkip = has ? std::clamp(p, 0, kMaxUnicodeSkip) : 1;
        break;
    case Word::Unicode:
        if (has) {
            unicode(p);
        }
        break;
    case Word::Field:
        state_.field = destinations_.startField();
        break;
    case Word::FieldResult:
        state_.chars.link = destinations_.linkOf(state_.field);
        break;
    case Word::FootnoteNumber:
        footnoteNumber();
        break;
    case Word::ListLabel:
        if (mayStartDestination) {
            labelGroup_ = stack_.size();
        }
        break;
    case Word::Footnote:
        if (mayStartDestination) {
            startFootnote();
        }
        break;
    case Word::FontTable:
    case Word::ColorTable:
    case Word::FieldInstruction:
    case Word::Destination:
        if (mayStartDestination) {
            state_.dest = info->word == Word::FontTable          ? Dest::FontTable
                          : info->word == Word::ColorTable       ? Dest::ColorTable
                          : info->word == Word::FieldInstruction ? Dest::FieldInstruction
                                                                 : Dest::Skip;
            if (info->word == Word::ColorTable) {
                destinations_.startColorTable();
            }
        }
        break;
    default:
        break;
    }
}

void Reader::destinationWord(const WordGroup& word, int p) {
    if (word.word == Word::Unicode && state_.dest == Dest::FontTable) {
        unicode(p);
    } else if (destinations_.word(state_.dest, word, p)) {
        state_.dest = Dest::Skip;
    }
}

void Reader::byte(unsigned char c) {
    if (state_.dest == Dest::Text) {
        const Font* font = tables_.fontOf(state_.chars);
        if (font != nullptr && font->glyphs != Glyphs::Text) {
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
    if (state_.dest != Dest::Text) {
        destinations_.character(state_.dest, state_.field, c);
        ++tablesVersion_; // the formats may refer to what changed
        return;
    }
    if (state_.chars.hidden) {
        return;
    }
    // A label starts where the first line does. Word processors number lists from the list
    // table and skip this text, so a blank that some write before the number shows nowhere;
    // here it would push the number along by a space of whatever font stands in.
    if (labelGroup_ != 0) {
        if (c == u' ') {
            return;
        }
        labelGroup_ = 0;
    }
    placeForParagraph();
    Output& o = out();
    if (o.blockEnded) {
        flush(o);
        o.cursor.insertBlock(tables_.blockFormat(state_.para), tables_.charFormat(state_.chars));
        o.blockEnded = false;
    }
    if (!o.runChars || *o.runChars != state_.chars || o.runTables != tablesVersion_) {
        flush(o);
        o.runChars = state_.chars;
        o.runTables = tablesVersion_;
        o.runFormat = tables_.charFormat(state_.chars);
    }
    appendCodePoint(o.run, c);
}

void Reader::placeForParagraph() {
    Output& o = out();
    const bool inTable = state_.para.inTable;
    if (inTable ? !o.table.placed() : o.table.open()) {
        flush(o);
        if (inTable) {
            o.table.enterCell(o.cursor);
        } else {
            o.table.leave(o.cursor);
        }
        o.blockEnded = false;
    }
}

void Reader::flush(Output& o) {
    if (!o.run.isEmpty()) {
        o.cursor.insertText(o.run, o.runFormat);
        o.run.clear();
    }
}

// A paragraph takes the properties in effect at its mark. The block after it is only opened
// when text follows, so the mark that ends the last paragraph leaves no empty line behind.
void Reader::paragraph() {
    if (state_.dest != Dest::Text) {
        return;
    }
    placeForParagraph();
    Output& o = out();
    flush(o);
    if (o.blockEnded) {
        o.cursor.insertBlock(tables_.blockFormat(state_.para), tables_.charFormat(state_.chars));
    } else {
        o.cursor.setBlockFormat(tables_.blockFormat(state_.para));
        o.cursor.setBlockCharFormat(tables_.charFormat(state_.chars));
        o.blockEnded = true;
    }
}

// The end of a cell also ends its last paragraph, unless a \par already did.
void Reader::endCell() {
    Output& o = out();
    if (!o.table.placed()) { // an empty cell
        flush(o);
        o.table.enterCell(o.cursor);
        o.blockEnded = false;
    }
    flush(o);
    if (!o.blockEnded) {
        o.cursor.setBlockFormat(tables_.blockFormat(state_.para));
    }
    o.table.endCell();
    o.blockEnded = false;
}

// A footnote's text goes to a page of its own, shown after the document's text.
void Reader::startFootnote() {
    if (outputs_.size() > size_t(kMaxFootnotes)) {
        state_.dest = Dest::Skip;
        return;
    }
    auto o = std::make_unique<Output>();
    o->page = std::make_unique<QTextDocument>();
    o->cursor = QTextCursor(o->page.get());
    outputs_.push_back(std::move(o));
    state_.output = int(outputs_.size()) - 1;
    state_.para = ParaState{};
}

// \chftn: in the text the number the next footnote gets, in a footnote its own.
void Reader::footnoteNumber() {
    const int number = state_.output > 0 ? state_.output : int(outputs_.size());
    for (const QChar c : QString::number(number)) {
        text(c.unicode());
    }
}

void Reader::finish() {
    if (highSurrogate_ != 0) {
        highSurrogate_ = 0;
        put(0xFFFD);
    }
    state_.output = 0;
    Output& o = out();
    flush(o);
    if (o.table.leave(o.cursor)) {
        o.blockEnded = false;
    } else if (!o.blockEnded) {
        o.cursor.setBlockFormat(tables_.blockFormat(state_.para));
    }
    // Footnotes follow the text below a short rule, in their order.
    for (size_t k = 1; k < outputs_.size(); ++k) {
        Output& note = *outputs_[k];
        flush(note);
        if (k == 1) {
            QTextBlockFormat rule;
            rule.setTopMargin(12);
            rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                             QTextLength(QTextLength::PercentageLength, 30));
            if (o.blockEnded || !o.cursor.block().text().isEmpty()) {
                o.cursor.insertBlock(rule);
            } else {
                o.cursor.setBlockFormat(rule);
            }
        }
        o.cursor.insertBlock();
        o.cursor.insertFragment(QTextDocumentFragment(note.page.get()));
    }
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
