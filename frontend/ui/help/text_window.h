// The help text window: one longer explanation at a time, read from the data folder.
#pragma once

#include <QWidget>

class QPushButton;
class QTextEdit;

namespace zb::ui {

// The strip at the bottom of a help window with its button "Schließen" (also Escape), so that the
// window can be closed without a window manager's close box. The caller places the strip.
QWidget* addCloseBar(QWidget& window);

class TfrmText : public QWidget {
    Q_OBJECT

  public:
    explicit TfrmText(QWidget* parent = nullptr);

    QTextEdit* reText;
    QPushButton* btnSchliessen;

    // Shows the window with the text of "Data\RTFs\<file>" from its beginning, over the window
    // that asked for it (the active one when none is named) and in front of it.
    void ShowHelpText(const QString& title, const QString& file, const QWidget* over = nullptr);
    // The same for any text below the program folder.
    void showText(const QString& title, const QString& relativePath, const QWidget* over = nullptr);
};

} // namespace zb::ui
