// An underlined caption that explains itself: as a tooltip, and on click in a message box or, for
// a label that names a help page, in the help text window.
#pragma once

#include "base/help_texts.h"

#include <QLabel>

class QPalette;

namespace zb::ui {

// The colour of the help labels against the palette's window colour: the designed navy where it
// is readable (contrast at least 4.5 : 1), otherwise the palette's link colour, lightened or
// darkened as far as that contrast needs. For any text that should look like a help label.
QColor helpLabelColour(const QPalette& palette);

// Emits the pages the help labels ask for; the program connects it to its help text window.
class HelpPageRequests : public QObject {
    Q_OBJECT

  signals:
    void requested(const QString& title, const QString& file);
};

class HelpLabel : public QLabel {
    Q_OBJECT

  public:
    HelpLabel(const QString& caption, const QString& help, QWidget* parent = nullptr);
    // Clicked, it opens the page instead of the message box; the tooltip stays.
    HelpLabel(const QString& caption, const QString& help, const HelpPage& page,
              QWidget* parent = nullptr);

    QString helpText() const { return toolTip(); }
    const HelpPage& page() const { return page_; }

    static HelpPageRequests& pageRequests();

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void takeColour();

    HelpPage page_;
};

} // namespace zb::ui
