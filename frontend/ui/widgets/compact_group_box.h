// A group box whose caption never widens it: a long caption (an object's name can be any length)
// is cut with an ellipsis and shown whole as a tooltip.
#pragma once

#include <QGroupBox>

namespace zb::ui {

class CompactGroupBox : public QGroupBox {
    Q_OBJECT

  public:
    explicit CompactGroupBox(const QString& caption = {}, QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const { return caption_; }

    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fitCaption();

    QString caption_;
};

} // namespace zb::ui
