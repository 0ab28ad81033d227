#include "text/rtf_table.h"
#include "text/rtf_format.h"

#include <QTextTable>

#include <algorithm>

namespace zb::ui::rtf {

namespace {

constexpr int kMaxColumns = 63; // what word processors allow

} // namespace

void TableBuilder::defineRow() {
    boundaries_.clear();
    gap_ = 0;
    borders_ = false;
}

void TableBuilder::cellBoundary(int twips) {
    if (boundaries_.size() < size_t(kMaxColumns)) {
        boundaries_.push_back(std::clamp(twips, -kMaxTwips, kMaxTwips));
    }
}

void TableBuilder::gap(int twips) {
    gap_ = std::clamp(twips, 0, kMaxTwips);
}

void TableBuilder::border() {
    borders_ = true;
}

void TableBuilder::enterCell(QTextCursor& cursor) {
    if (!rowOpen_) {
        const int columns = std::max<int>(1, int(boundaries_.size()));
        if (table_ == nullptr) {
            QTextTableFormat format;
            format.setBorder(borders_ ? 1 : 0);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderCollapse(true);
            format.setCellSpacing(0);
            format.setCellPadding(std::max(2.0, gap_ / kTwipsPerPixel));
            table_ = cursor.insertTable(1, columns, format);
            row_ = 0;
        } else {
            table_->appendRows(1);
            ++row_;
            if (table_->columns() < columns) {
                table_->appendColumns(columns - table_->columns());
            }
        }
        applyWidths();
        rowOpen_ = true;
        column_ = 0;
        placed_ = -1;
    }
    if (placed_ != column_) {
        // More cells than the row defines: the table grows, up to what a word processor allows;
        // beyond that the text joins the last cell.
        if (column_ >= table_->columns() && table_->columns() < kMaxColumns) {
            table_->appendColumns(1);
        }
        const int column = std::min(column_, table_->columns() - 1);
        cursor = table_->cellAt(row_, column).lastCursorPosition();
        if (column == placed_) {
            cursor.insertBlock(); // the joined cell keeps its earlier paragraphs
        }
        placed_ = column_ = column;
    }
}

void TableBuilder::endRow() {
    rowOpen_ = false;
    placed_ = -1;
}

bool TableBuilder::leave(QTextCursor& cursor) {
    if (table_ == nullptr) {
        return false;
    }
    cursor = table_->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
    table_ = nullptr;
    rowOpen_ = false;
    placed_ = -1;
    return true;
}

void TableBuilder::applyWidths() {
    if (boundaries_.empty()) {
        return;
    }
    QTextTableFormat format = table_->format();
    QList<QTextLength> widths;
    int left = 0;
    for (int right : boundaries_) {
        widths.append(
            QTextLength(QTextLength::FixedLength, std::max(right - left, 0) / kTwipsPerPixel));
        left = right;
    }
    while (widths.size() < table_->columns()) {
        widths.append(QTextLength());
    }
    format.setColumnWidthConstraints(widths);
    if (borders_) {
        format.setBorder(1);
    }
    table_->setFormat(format);
}

} // namespace zb::ui::rtf
