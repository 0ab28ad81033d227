// The destinations whose text is data, not document: the font table, the colour table and a
// field's instruction (of which only hyperlinks matter).
#pragma once

#include "text/rtf_format.h"
#include "text/rtf_words.h"

#include <QString>

namespace zb::ui::rtf {

enum class Dest { Text, FontTable, ColorTable, FieldInstruction, Skip };

class Destinations {
  public:
    explicit Destinations(FormatTables& tables) : tables_(tables) {}

    void startColorTable();
    // A new field; returns its number for the groups of its instruction and result.
    int startField();
    // A word inside the table destinations; returns true when it opens a destination to skip.
    bool word(Dest dest, const WordGroup& word, int parameter);
    void character(Dest dest, int field, char32_t c);
    void endGroup(Dest dest);
    // The link index of a field's result, -1 when the field is no hyperlink.
    int linkOf(int field);

  private:
    void storeFont();

    FormatTables& tables_;
    int fontNumber_ = -1;
    QString fontName_;
    int red_ = -1, green_ = -1, blue_ = -1;
    std::vector<QString> instructions_;
};

// The target of a HYPERLINK field instruction ("#name" for \l jumps), empty for other fields.
QString hyperlinkTarget(const QString& instruction);

} // namespace zb::ui::rtf
