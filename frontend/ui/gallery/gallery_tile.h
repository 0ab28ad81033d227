// One experiment of the gallery: its picture (or a plain placeholder) and its title below.
#pragma once

#include <QWidget>

class QLabel;

namespace zb::ui {

class GalleryTile : public QWidget {
    Q_OBJECT

  public:
    // picturePath may name a missing or unreadable file: the tile shows a placeholder.
    GalleryTile(const QString& title, const QString& picturePath, QSize pictureSize,
                QWidget* parent = nullptr);

    bool hasPicture() const { return hasPicture_; }
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QLabel* picture_;
    QLabel* title_;
    bool hasPicture_ = false;
    bool selected_ = false;
};

} // namespace zb::ui
