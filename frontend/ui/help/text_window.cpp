#include "help/text_window.h"

#include "help/data_files.h"
#include "widgets/window_placement.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zb::ui {

QWidget* addCloseBar(QWidget& window) {
    auto* bar = new QWidget(&window);
    bar->setObjectName(QStringLiteral("closeBar"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 6, 8, 8);
    row->addStretch();
    auto* close = new QPushButton(QStringLiteral("Schließen"), bar);
    close->setObjectName(QStringLiteral("btnSchliessen"));
    close->setAutoDefault(false);
    row->addWidget(close);
    QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, &window, &QWidget::close);
    return bar;
}

TfrmText::TfrmText(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmText"));
    resize(696, 480);
    reText = new QTextEdit(this);
    reText->setObjectName(QStringLiteral("reText"));
    reText->setReadOnly(true);
    reText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    reText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(reText);
    QWidget* bar = addCloseBar(*this);
    layout->addWidget(bar);
    btnSchliessen = bar->findChild<QPushButton*>(QStringLiteral("btnSchliessen"));
}

void TfrmText::ShowHelpText(const QString& title, const QString& file, const QWidget* over) {
    showText(title, QStringLiteral("data\\rtfs\\") + file, over);
}

void TfrmText::showText(const QString& title, const QString& relativePath, const QWidget* over) {
    if (!over || !over->isVisible()) {
        over = QApplication::activeWindow();
    }
    // Placed only when it opens; a window already open stays where the user put it.
    if (isVisible()) {
        show();
        raise();
        activateWindow();
    } else {
        showOver(this, over == this ? nullptr : over);
    }
    setWindowTitle(title);
    reText->clear();
    if (!loadRichTextFile(programDataPath(relativePath), *reText)) {
        return;
    }
    if (reText->isVisible()) {
        reText->setFocus();
    }
    reText->moveCursor(QTextCursor::Start);
    reText->ensureCursorVisible();
    reText->verticalScrollBar()->setValue(reText->verticalScrollBar()->minimum());
    reText->horizontalScrollBar()->setValue(reText->horizontalScrollBar()->minimum());
}

} // namespace zb::ui
