// An underlined navy caption that explains itself: as a tooltip, and in a message box on click.
#pragma once

#include <QLabel>

namespace zb::ui {

class HelpLabel : public QLabel {
    Q_OBJECT

  public:
    HelpLabel(const QString& caption, const QString& help, QWidget* parent = nullptr);

    QString helpText() const { return toolTip(); }

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace zb::ui
