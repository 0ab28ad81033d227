// The window "Funktionsweise der Simulation": texts and pictures about how the simulation
// works, one scrolling page, filled once when the program starts.
#pragma once

#include <QWidget>

class QLabel;
class QScrollArea;
class QTextEdit;

namespace zb::ui {

class TfrmFunktionsweise : public QWidget {
    Q_OBJECT

  public:
    explicit TfrmFunktionsweise(QWidget* parent = nullptr);

    QScrollArea* Frame1; // the scrolling frame
    QTextEdit* texts[4];
    QLabel* pictures[3];

  private:
    void fill();
    void stack();

    QWidget* page_;
};

} // namespace zb::ui
