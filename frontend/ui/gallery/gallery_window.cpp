#include "gallery/gallery_window.h"

#include "gallery/gallery_grid.h"
#include "help/data_files.h"
#include "model/gallery.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace zb::ui {

QString defaultGalleryFolder() {
    return programDataPath(QStringLiteral("Data\\Versuche"));
}

GalleryWindow::GalleryWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(folder.isEmpty() ? defaultGalleryFolder() : folder) {
    setObjectName(QStringLiteral("frmVersuche"));
    setWindowTitle(QStringLiteral("Versuche"));

    scroller_ = new QScrollArea;
    scroller_->setObjectName(QStringLiteral("galleryScroller"));
    scroller_->setWidgetResizable(true);
    scroller_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid = new GalleryGrid(*scroller_);
    scroller_->setWidget(grid);
    scroller_->setFocusProxy(grid);

    lblMeldung = new QLabel;
    lblMeldung->setObjectName(QStringLiteral("lblMeldung"));
    lblMeldung->setWordWrap(true);
    lblMeldung->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblMeldung->hide();

    lblTitel = new QLabel;
    lblTitel->setObjectName(QStringLiteral("lblTitel"));
    QFont bold = lblTitel->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    lblTitel->setFont(bold);
    lblText = new QLabel;
    lblText->setObjectName(QStringLiteral("lblText"));
    lblText->setWordWrap(true);
    lblText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Three sentences at the narrowest window, without pushing the grid away.
    lblText->setMinimumHeight(lblText->fontMetrics().lineSpacing() * 4);

    btnOeffnen = new QPushButton(QStringLiteral("Öffnen"));
    btnOeffnen->setObjectName(QStringLiteral("btnOeffnen"));
    btnOeffnen->setToolTip(QStringLiteral(
        "Öffnet den Versuch als neues Zitterbecken; „Speichern“ fragt nach einem Namen."));
    auto* btnSchliessen = new QPushButton(QStringLiteral("Schließen"));
    btnSchliessen->setObjectName(QStringLiteral("btnSchliessen"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOeffnen);
    buttons->addWidget(btnSchliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMeldung);
    layout->addWidget(scroller_, 1);
    layout->addWidget(lblTitel);
    layout->addWidget(lblText);
    layout->addLayout(buttons);

    connect(grid, &GalleryGrid::selectionChanged, this, &GalleryWindow::showSelected);
    connect(grid, &GalleryGrid::activated, this, &GalleryWindow::openSelected);
    connect(btnOeffnen, &QPushButton::clicked, this, &GalleryWindow::openSelected);
    connect(btnSchliessen, &QPushButton::clicked, this, &QWidget::close);

    // Three columns of pictures and the text below fit the smallest screen the program allows.
    resize(760, 560);
    setMinimumSize(320, 300);
}

void GalleryWindow::setFolder(const QString& folder) {
    folder_ = folder;
    if (isVisible()) {
        reload();
    }
}

void GalleryWindow::reload() {
    std::vector<std::string> problems;
    const std::vector<GalleryEntry> entries =
        readGallery(QFile::encodeName(folder_).toStdString(), &problems);
    grid->setEntries(entries);
    const QString where = QDir::toNativeSeparators(QFileInfo(folder_).absoluteFilePath());
    QString message;
    if (!QFileInfo(folder_).isDir()) {
        message = QStringLiteral("Die Sammlung der Versuche fehlt: Den Ordner %1 gibt es nicht. "
                                 "Das Programm ist wohl nicht vollständig installiert.")
                      .arg(where);
    } else if (entries.empty()) {
        message = QStringLiteral("Im Ordner %1 liegt kein lesbarer Versuch.").arg(where);
    } else if (!problems.empty()) {
        message = QStringLiteral("Nicht alle Versuche konnten gelesen werden:");
    }
    for (const std::string& p : problems) {
        message += QStringLiteral("\n") + QString::fromStdString(p);
    }
    lblMeldung->setText(message);
    lblMeldung->setVisible(!message.isEmpty());
    showSelected(grid->selected());
}

void GalleryWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) {
        return; // brought back from an icon: as it was
    }
    reload();
    grid->setFocus(Qt::OtherFocusReason);
}

void GalleryWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void GalleryWindow::showSelected(int index) {
    btnOeffnen->setEnabled(index >= 0);
    if (index < 0) {
        lblTitel->clear();
        lblText->clear();
        return;
    }
    const GalleryEntry& e = grid->entry(index);
    lblTitel->setText(QString::fromStdString(e.title));
    lblText->setText(QString::fromStdString(e.text));
}

void GalleryWindow::openSelected() {
    const int index = grid->selected();
    if (index < 0) {
        return;
    }
    const GalleryEntry& e = grid->entry(index);
    emit openRequested(QFile::decodeName(e.tankPath.c_str()), QString::fromStdString(e.title));
}

} // namespace zb::ui
