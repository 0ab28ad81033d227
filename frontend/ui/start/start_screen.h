// The start screen: a borderless 1024 x 768 picture whose seven drawn entries lead to every
// activity of the program.
#pragma once

#include <QWidget>

class QLabel;
class QScrollArea;

namespace zb::ui {

class TfrmStart : public QWidget {
    Q_OBJECT

  public:
    // The desktop it sizes itself against (the primary screen's when empty).
    explicit TfrmStart(QRect desktop = {}, QWidget* parent = nullptr);

    QLabel* Image1;

    // The entry at a point of the picture, -1 outside all; bounds are exclusive.
    static int regionAt(QPoint picturePoint);
    void runEntry(int index);

  signals:
    void entryChosen(int index);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QScrollArea* scroller_ = nullptr;
};

} // namespace zb::ui
