#include "widgets/wrap_radio_button.h"

#include <QLabel>
#include <QStyle>

namespace zb::ui {

WrapRadioButton::WrapRadioButton(const QString& caption, QWidget* parent)
    : QRadioButton(parent), label_(new QLabel(caption, this)) {
    label_->setWordWrap(true);
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(caption);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QString WrapRadioButton::caption() const {
    return label_->text();
}

int WrapRadioButton::captionIndent() const {
    return style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, this) +
           style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, this);
}

int WrapRadioButton::heightForWidth(int width) const {
    const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, this);
    return qMax(indicator, label_->heightForWidth(qMax(1, width - captionIndent())));
}

QSize WrapRadioButton::sizeHint() const {
    const QSize text = label_->sizeHint();
    const int width = captionIndent() + text.width();
    return {width, heightForWidth(width)};
}

QSize WrapRadioButton::minimumSizeHint() const {
    const int width = captionIndent() + label_->minimumSizeHint().width();
    return {width, heightForWidth(width)};
}

void WrapRadioButton::resizeEvent(QResizeEvent* event) {
    QRadioButton::resizeEvent(event);
    const int indent = captionIndent();
    const int textWidth = qMax(1, width() - indent);
    const int textHeight = label_->heightForWidth(textWidth);
    label_->setGeometry(indent, qMax(0, (height() - textHeight) / 2), textWidth, textHeight);
}

} // namespace zb::ui
