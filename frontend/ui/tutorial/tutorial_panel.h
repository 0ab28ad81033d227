// The tutorial panel along the bottom of the main window: the step's text and the buttons that
// page through a guided sequence.
#pragma once

#include <QWidget>

class QPushButton;
class QTextEdit;

namespace zb::ui {

class TutorialPanel : public QWidget {
    Q_OBJECT

  public:
    explicit TutorialPanel(QWidget* parent = nullptr);

    QTextEdit* reTutorial;
    QWidget* buttonBar;
    QPushButton* btnTutorialZurueck;
    QPushButton* btnTutorialWeiter;
    QPushButton* btnStartSim;
    QPushButton* btnLeaveTutorial;
    QPushButton* btnSimScreenHelp;

  protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace zb::ui
