// A strip of controls placed for a designed height. In a lower window it scrolls instead of
// letting its controls slide onto each other, and widens by the scroll bar so that none is cut;
// at the designed height and above it is the strip alone. It is shown while its strip is.
#pragma once

#include <QScrollArea>

namespace zb::ui {

class StripScrollArea : public QScrollArea {
    Q_OBJECT

  public:
    StripScrollArea(QWidget* strip, int designedWidth, int designedHeight,
                    QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    int designedWidth_;
};

} // namespace zb::ui
