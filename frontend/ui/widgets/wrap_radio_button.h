// A radio button whose caption wraps onto further lines, for the narrow editing strip.
#pragma once

#include <QRadioButton>

class QLabel;

namespace zb::ui {

class WrapRadioButton : public QRadioButton {
    Q_OBJECT

  public:
    explicit WrapRadioButton(const QString& caption, QWidget* parent = nullptr);

    QString caption() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

  private:
    int captionIndent() const;

    QLabel* label_;
};

} // namespace zb::ui
