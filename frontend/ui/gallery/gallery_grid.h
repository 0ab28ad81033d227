// The gallery's experiments as a grid of pictures with their titles, a heading above each
// group. One of them is selected; the mouse and the arrow keys move the selection, a double
// click or Enter opens it.
#pragma once

#include "model/gallery.h"

#include <QPoint>
#include <QWidget>

#include <vector>

class QGridLayout;
class QScrollArea;

namespace zb::ui {

class GalleryTile;

class GalleryGrid : public QWidget {
    Q_OBJECT

  public:
    // The pictures' size: the one the thumbnails are made in.
    static constexpr int kPictureWidth = 200;
    static constexpr int kPictureHeight = 150;

    explicit GalleryGrid(QScrollArea& scroller, QWidget* parent = nullptr);

    // Entries in the order shown, grouped as readGallery sorts them; pictures are NAME.png
    // beside each tank.
    void setEntries(const std::vector<GalleryEntry>& entries);
    int count() const { return int(tiles_.size()); }
    // -1 when there is no entry.
    int selected() const { return selected_; }
    void select(int index);
    const GalleryEntry& entry(int index) const { return entries_[size_t(index)]; }
    GalleryTile* tile(int index) const { return tiles_[size_t(index)]; }
    int columns() const { return columns_; }

  signals:
    void selectionChanged(int index);
    void activated(int index);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void arrange(int columns);
    // The entry one row above or below (rows counted across the groups' headings), in the
    // nearest column; -1 when there is none.
    int neighbourInRow(int index, int rowStep) const;

    QScrollArea& scroller_;
    QGridLayout* grid_;
    std::vector<GalleryEntry> entries_;
    std::vector<GalleryTile*> tiles_;
    std::vector<QWidget*> headings_;
    std::vector<QPoint> places_; // each tile's column and row
    int columns_ = 0;
    int selected_ = -1;
};

} // namespace zb::ui
