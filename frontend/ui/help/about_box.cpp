#include "help/about_box.h"

#include "help/data_files.h"

#include "zb_version.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace zb::ui {

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(298, 323);
    setModal(false);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(8, 8, 282, 265);

    ProgramIcon = new QLabel(panel);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(36, 24, 209, 57);
    ProgramIcon->setScaledContents(true);
    // The logo is decoration: without its file the box still names the program.
    const QString logo = programDataPath(QStringLiteral("Data\\Logo.bmp"));
    if (QFile::exists(logo)) {
        ProgramIcon->setPixmap(QPixmap(logo));
    }

    ProductName = new QLabel(QStringLiteral("Simulation einer Zitterbecken"), panel);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont big = ProductName->font();
    big.setPixelSize(15);
    big.setBold(true);
    ProductName->setFont(big);
    ProductName->setAlignment(Qt::AlignCenter);
    ProductName->setGeometry(8, 110, 266, 24);

    Version = new QLabel(QStringLiteral("Version " ZB_VERSION), panel);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setAlignment(Qt::AlignCenter);
    Version->setGeometry(8, 144, 266, 20);

    License = new QLabel(QStringLiteral("Lizenz: GNU GPL, Version 3 oder später"), panel);
    License->setObjectName(QStringLiteral("License"));
    License->setAlignment(Qt::AlignCenter);
    License->setGeometry(8, 168, 266, 20);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(111, 285, 75, 27);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showCentred() {
    if (QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
}

} // namespace zb::ui
