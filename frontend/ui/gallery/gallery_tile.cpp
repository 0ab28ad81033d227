#include "gallery/gallery_tile.h"

#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace zb::ui {

namespace {

// Thumbnails are small; anything far larger is not one.
constexpr int kLargestPictureSide = 4096;

QPixmap placeholder(QSize size, const QPalette& palette) {
    QPixmap p(size);
    p.fill(palette.color(QPalette::Base));
    QPainter painter(&p);
    painter.setPen(palette.color(QPalette::Mid));
    painter.drawRect(p.rect().adjusted(0, 0, -1, -1));
    painter.setPen(palette.color(QPalette::PlaceholderText));
    painter.drawText(p.rect(), Qt::AlignCenter, QStringLiteral("kein Bild"));
    return p;
}

} // namespace

GalleryTile::GalleryTile(const QString& title, const QString& picturePath, QSize pictureSize,
                         QWidget* parent)
    : QWidget(parent) {
    picture_ = new QLabel;
    picture_->setObjectName(QStringLiteral("picture"));
    picture_->setFixedSize(pictureSize);
    picture_->setAlignment(Qt::AlignCenter);
    QImageReader reader(picturePath);
    const QSize stored = reader.size();
    QImage image;
    if (stored.isValid() && stored.width() <= kLargestPictureSide &&
        stored.height() <= kLargestPictureSide) {
        image = reader.read();
    }
    hasPicture_ = !image.isNull();
    picture_->setPixmap(
        hasPicture_ ? QPixmap::fromImage(image.size().boundedTo(pictureSize) == image.size()
                                             ? image
                                             : image.scaled(pictureSize, Qt::KeepAspectRatio,
                                                            Qt::SmoothTransformation))
                    : placeholder(pictureSize, palette()));

    title_ = new QLabel(title);
    title_->setObjectName(QStringLiteral("title"));
    title_->setWordWrap(true);
    title_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title_->setFixedWidth(pictureSize.width());
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(picture_, 0, Qt::AlignHCenter);
    layout->addWidget(title_);
    layout->addStretch(1);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    setToolTip(title);
}

void GalleryTile::setSelected(bool selected) {
    if (selected_ != selected) {
        selected_ = selected;
        update();
    }
}

void GalleryTile::paintEvent(QPaintEvent*) {
    if (!selected_) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = palette().color(QPalette::Highlight);
    fill.setAlpha(60);
    painter.setBrush(fill);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
}

} // namespace zb::ui
