#include "widgets/help_label.h"

#include "app/user_dialogs.h"

#include <QMouseEvent>

namespace zb::ui {

HelpLabel::HelpLabel(const QString& caption, const QString& help, QWidget* parent)
    : QLabel(caption, parent) {
    QFont f = font();
    f.setPixelSize(12);
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 128));
    setPalette(p);
    setWordWrap(true);
    setCursor(Qt::PointingHandCursor);
    setToolTip(help);
    connect(this, &HelpLabel::clicked, this, [this] { userDialogs().information(helpText()); });
}

void HelpLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace zb::ui
