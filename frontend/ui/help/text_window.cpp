#include "help/text_window.h"

#include "help/data_files.h"

#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zb::ui {

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
    layout->addWidget(reText);
}

void TfrmText::ShowHelpText(const QString& title, const QString& file) {
    showText(title, QStringLiteral("data\\rtfs\\") + file);
}

void TfrmText::showText(const QString& title, const QString& relativePath) {
    show();
    raise();
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
