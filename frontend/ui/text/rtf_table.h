// Table rows as word processors write them (\trowd, \cellx, \intbl, \cell, \row) built into a
// real QTextTable while the text streams in.
#pragma once

#include <QTextCursor>

#include <vector>

class QTextTable;

namespace zb::ui::rtf {

class TableBuilder {
  public:
    // The row definition that the next row takes.
    void defineRow();
    void cellBoundary(int twips);
    void gap(int twips);
    void border();

    // Moves the cursor into the current cell, opening the table or a row when needed; the
    // cursor is left in an empty block of that cell.
    void enterCell(QTextCursor& cursor);
    void endCell() { ++column_; }
    void endRow();
    // Puts the cursor into the empty block after the table; false when no table was open.
    bool leave(QTextCursor& cursor);

    bool open() const { return table_ != nullptr; }
    // The cursor is in the cell that text goes to.
    bool placed() const { return rowOpen_ && placed_ == column_; }

  private:
    void applyWidths();

    QTextTable* table_ = nullptr;
    int row_ = -1, column_ = 0, placed_ = -1;
    bool rowOpen_ = false;
    std::vector<int> boundaries_; // right edge of each cell, twips
    int gap_ = 0;
    bool borders_ = false;
};

} // namespace zb::ui::rtf
