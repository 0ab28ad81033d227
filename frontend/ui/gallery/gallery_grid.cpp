#include "gallery/gallery_grid.h"

#include "gallery/gallery_tile.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <cstdlib>

namespace zb::ui {

namespace {

// A tile's width with its margins and the grid's spacing.
constexpr int kTileSpacing = 8;

QString picturePathOf(const GalleryEntry& e) {
    const QFileInfo tank(QFile::decodeName(e.tankPath.c_str()));
    return tank.dir().filePath(tank.completeBaseName() + QStringLiteral(".png"));
}

} // namespace

GalleryGrid::GalleryGrid(QScrollArea& scroller, QWidget* parent)
    : QWidget(parent), scroller_(scroller) {
    setObjectName(QStringLiteral("galleryGrid"));
    setFocusPolicy(Qt::StrongFocus);
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(kTileSpacing, kTileSpacing, kTileSpacing, kTileSpacing);
    grid_->setHorizontalSpacing(kTileSpacing);
    grid_->setVerticalSpacing(2);
    grid_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The grid follows the width the scroll area offers.
    scroller_.viewport()->installEventFilter(this);
}

void GalleryGrid::setEntries(const std::vector<GalleryEntry>& entries) {
    for (QWidget* w : tiles_) {
        delete w;
    }
    for (QWidget* w : headings_) {
        delete w;
    }
    tiles_.clear();
    headings_.clear();
    entries_ = entries;
    for (size_t k = 0; k < entries_.size(); ++k) {
        const GalleryEntry& e = entries_[k];
        if (k == 0 || e.group != entries_[k - 1].group) {
            auto* heading = new QLabel(QString::fromStdString(e.group), this);
            heading->setObjectName(QStringLiteral("groupHeading"));
            QFont big = heading->font();
            big.setBold(true);
            big.setPointSizeF(big.pointSizeF() * 1.3);
            heading->setFont(big);
            heading->setContentsMargins(0, k == 0 ? 0 : 10, 0, 2);
            headings_.push_back(heading);
        }
        auto* tile = new GalleryTile(QString::fromStdString(e.title), picturePathOf(e),
                                     QSize(kPictureWidth, kPictureHeight), this);
        tile->setObjectName(QString::fromStdString(e.name));
        // The text at the pointer too, so that a teacher browsing with the mouse reads it
        // without selecting each one.
        tile->setToolTip(QStringLiteral("<b>%1</b><p>%2</p>")
                             .arg(QString::fromStdString(e.title).toHtmlEscaped(),
                                  QString::fromStdString(e.text).toHtmlEscaped()));
        tile->installEventFilter(this);
        tiles_.push_back(tile);
    }
    selected_ = -1;
    columns_ = 0;
    arrange(std::max(1, (scroller_.viewport()->width() - kTileSpacing) /
                            (kPictureWidth + 12 + kTileSpacing)));
    select(tiles_.empty() ? -1 : 0);
}

void GalleryGrid::arrange(int columns) {
    if (columns == columns_) {
        return;
    }
    columns_ = columns;
    while (grid_->count() > 0) {
        delete grid_->takeAt(0);
    }
    // The pictures keep their size, side by side from the left; the room to spare stays right.
    for (int c = 0; c < grid_->columnCount(); ++c) {
        grid_->setColumnStretch(c, 0);
    }
    grid_->setColumnStretch(columns, 1);
    places_.assign(tiles_.size(), QPoint());
    int row = 0, column = 0;
    size_t heading = 0;
    for (size_t k = 0; k < tiles_.size(); ++k) {
        if (k == 0 || entries_[k].group != entries_[k - 1].group) {
            if (column > 0) {
                ++row;
            }
            grid_->addWidget(headings_[heading++], row++, 0, 1, columns + 1);
            column = 0;
        }
        grid_->addWidget(tiles_[k], row, column, Qt::AlignTop);
        places_[k] = QPoint(column, row);
        if (++column == columns) {
            column = 0;
            ++row;
        }
    }
}

void GalleryGrid::select(int index) {
    if (index < -1 || index >= count()) {
        return;
    }
    if (selected_ >= 0) {
        tiles_[size_t(selected_)]->setSelected(false);
    }
    selected_ = index;
    if (selected_ >= 0) {
        tiles_[size_t(selected_)]->setSelected(true);
        scroller_.ensureWidgetVisible(tiles_[size_t(selected_)], 0, kTileSpacing);
    }
    emit selectionChanged(selected_);
}

int GalleryGrid::neighbourInRow(int index, int rowStep) const {
    const QPoint here = places_[size_t(index)];
    // The next row that holds tiles (a heading's row holds none), then the nearest column.
    for (int k = index + rowStep; k >= 0 && k < count(); k += rowStep) {
        if (places_[size_t(k)].y() == here.y()) {
            continue;
        }
        const int row = places_[size_t(k)].y();
        int best = k;
        for (int j = k; j >= 0 && j < count() && places_[size_t(j)].y() == row; j += rowStep) {
            if (std::abs(places_[size_t(j)].x() - here.x()) <
                std::abs(places_[size_t(best)].x() - here.x())) {
                best = j;
            }
        }
        return best;
    }
    return -1;
}

void GalleryGrid::keyPressEvent(QKeyEvent* event) {
    if (selected_ < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    int next = -1;
    switch (event->key()) {
    case Qt::Key_Left:
        next = selected_ - 1;
        break;
    case Qt::Key_Right:
        next = selected_ + 1;
        break;
    case Qt::Key_Up:
        next = neighbourInRow(selected_, -1);
        break;
    case Qt::Key_Down:
        next = neighbourInRow(selected_, 1);
        break;
    case Qt::Key_Home:
        next = 0;
        break;
    case Qt::Key_End:
        next = count() - 1;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit activated(selected_);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (next >= 0 && next < count()) {
        select(next);
    }
}

bool GalleryGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroller_.viewport() && event->type() == QEvent::Resize) {
        const int width = scroller_.viewport()->width();
        arrange(std::max(1, (width - kTileSpacing) / (kPictureWidth + 12 + kTileSpacing)));
    } else if (event->type() == QEvent::MouseButtonPress ||
               event->type() == QEvent::MouseButtonDblClick) {
        for (int k = 0; k < count(); ++k) {
            if (tiles_[size_t(k)] == watched) {
                setFocus(Qt::MouseFocusReason);
                select(k);
                if (event->type() == QEvent::MouseButtonDblClick &&
                    static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                    emit activated(k);
                }
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zb::ui
