#include "help/funktionsweise_window.h"

#include "help/data_files.h"
#include "help/text_window.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>

namespace zb::ui {

namespace {

const int kTextHeights[4] = {520, 165, 340, 140};

} // namespace

TfrmFunktionsweise::TfrmFunktionsweise(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("frmFunktionsweise"));
    setWindowTitle(QStringLiteral("Funktionsweise der Simulation"));
    Frame1 = new QScrollArea(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(0, 0, 512, 369);
    Frame1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Frame1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Frame1->setFrameShape(QFrame::NoFrame);
    page_ = new QWidget;
    page_->setAutoFillBackground(true);
    QPalette paper = page_->palette();
    paper.setColor(QPalette::Window, paper.color(QPalette::Base)); // one sheet with the texts
    page_->setPalette(paper);
    for (int k = 0; k < 4; ++k) {
        texts[k] = new QTextEdit(page_);
        texts[k]->setObjectName(QStringLiteral("Text%1").arg(k + 1));
        texts[k]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        texts[k]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        texts[k]->setFrameShape(QFrame::NoFrame);
        texts[k]->setFixedHeight(kTextHeights[k]);
    }
    texts[0]->setReadOnly(true); // the others take typing, which changes only what is shown
    for (int k = 0; k < 3; ++k) {
        pictures[k] = new QLabel(page_);
        pictures[k]->setObjectName(QStringLiteral("Bild%1").arg(k + 1));
        pictures[k]->resize(0, 0);
    }
    Frame1->setWidget(page_);
    fill();
    stack();
    // Below the designed page, not over it.
    QWidget* bar = addCloseBar(*this);
    bar->setGeometry(0, 370, 511, bar->sizeHint().height());
    setFixedSize(511, 370 + bar->height());
}

void TfrmFunktionsweise::fill() {
    // In order; a file that cannot be read ends the filling, the rest stays empty.
    for (int k = 0; k < 4; ++k) {
        const QString text = QStringLiteral("Data\\RTFs\\Funktionsweise%1.rtf").arg(k + 1);
        if (!loadRichTextFile(programDataPath(text), *texts[k])) {
            return;
        }
        if (k == 3) {
            return;
        }
        const QString picture = QStringLiteral("Data\\RTFs\\Funktionsweise_Bild%1.bmp").arg(k + 1);
        if (!loadPictureFile(programDataPath(picture), *pictures[k])) {
            return;
        }
    }
}

void TfrmFunktionsweise::stack() {
    // The frame is fixed and its scroll bar always there, so the page width is known before the
    // window is first shown.
    const int width = Frame1->width() - Frame1->verticalScrollBar()->sizeHint().width();
    int y = 0;
    for (int k = 0; k < 4; ++k) {
        texts[k]->setGeometry(0, y, width, kTextHeights[k]);
        y += kTextHeights[k];
        if (k == 3) {
            break;
        }
        QLabel& picture = *pictures[k];
        const int height = picture.pixmap().isNull() ? 0 : picture.pixmap().height();
        // The first picture is centred at 329 pixels, the second spans 510, the third keeps
        // its own width; none is scaled.
        const int x = k == 0 ? 104 : 0;
        const int pictureWidth = k == 0 ? 329 : k == 1 ? 510 : picture.pixmap().width();
        picture.setGeometry(x, y, pictureWidth, height);
        picture.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        y += height;
    }
    page_->resize(width, y);
}

} // namespace zb::ui
