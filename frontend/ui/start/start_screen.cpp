#include "start/start_screen.h"

#include "base/user_dialogs.h"
#include "help/data_files.h"
#include "start/start_regions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zb::ui {

TfrmStart::TfrmStart(QRect desktop, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(QStringLiteral("Zitterbecken - Start"));
    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    if (desktop.isEmpty() && QGuiApplication::primaryScreen()) {
        desktop = QGuiApplication::primaryScreen()->geometry();
    }
    const QString picture = programDataPath(QStringLiteral("startbg.bmp"));
    QPixmap background;
    if (!QFile::exists(picture) || !background.load(picture)) {
        reportUnreadableFile(picture);
        layout->addWidget(Image1);
        setGeometry(2, 2, 630, 384);
        return;
    }
    Image1->setPixmap(background);
    Image1->setFixedSize(background.size());
    if (desktop.width() >= 1024 && desktop.height() >= 768) {
        layout->addWidget(Image1);
        setGeometry(desktop.x() + (desktop.width() - 1024) / 2,
                    desktop.y() + (desktop.height() - 768) / 2, 1024, 768);
        return;
    }
    userDialogs().information(
        QStringLiteral("Die von Ihnen eingestellte Desktop-Auflösung ist kleiner als 1024x768. "
                       "Das Programm sollte eigentlich mit 1024x768 betrieben werden!"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    scroller_ = new QScrollArea;
    scroller_->setObjectName(QStringLiteral("startScroller"));
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setWidget(Image1);
    layout->addWidget(scroller_);
    setGeometry(desktop.x(), desktop.y(), desktop.width(), desktop.height());
    setFixedSize(desktop.size());
}

namespace {

bool inside(const StartRegion& r, QPoint p) {
    return r.left < p.x() && p.x() < r.right && r.top < p.y() && p.y() < r.bottom;
}

} // namespace

int TfrmStart::regionAt(QPoint p) {
    for (int k = 0; k < kStartRegionCount; ++k) {
        if (inside(kStartRegions[k], p)) {
            return k;
        }
    }
    return inside(kGalleryRegion, p) ? kGalleryEntry : -1;
}

void TfrmStart::runEntry(int index) {
    emit entryChosen(index);
}

void TfrmStart::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        QApplication::quit();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TfrmStart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1) {
        if (event->type() == QEvent::MouseMove) {
            const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
            Image1->setCursor(regionAt(p) >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
        } else if (event->type() == QEvent::MouseButtonPress) {
            // Any button; every region containing the point acts, in order.
            const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
            for (int k = 0; k < kStartRegionCount; ++k) {
                if (inside(kStartRegions[k], p)) {
                    runEntry(k);
                }
            }
            if (inside(kGalleryRegion, p)) {
                runEntry(kGalleryEntry);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmStart::closeEvent(QCloseEvent* event) {
    // The start screen is the program's principal window.
    QWidget::closeEvent(event);
    QApplication::quit();
}

} // namespace zb::ui
