// The About box: the program's name, logo, version and licence.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace zb::ui {

class TAboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* License;
    QPushButton* OKButton;

    // Shows the box, not modal, centred on the screen.
    void showCentred();
};

} // namespace zb::ui
