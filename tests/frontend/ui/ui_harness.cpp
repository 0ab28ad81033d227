#include "ui_harness.h"

#include "view/engine_panel.h"
#include "view/view_frame.h"

#include <QComboBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace zb::ui::test {

Harness::Harness(bool shown) {
    setUserDialogs(&dialogs);
    window = std::make_unique<TfrmMain>(engine);
    window->enterFreeMode();
    if (shown) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
}

Harness::~Harness() {
    window.reset();
    setUserDialogs(nullptr);
}

TObjekt& Harness::insert(const QString& kind) {
    editor().cbNeuesObjekt->setCurrentText(kind);
    editor().btnNeuesObjekt->click();
    return tank().Objekte->at(tank().Objekte->Count() - 1);
}

QTreeWidgetItem* Harness::node(const QString& nodeText) const {
    const auto found =
        window->editor->tvObjekte->findItems(nodeText, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void Harness::select(const QString& nodeText) {
    QTreeWidgetItem* item = node(nodeText);
    QVERIFY2(item, qPrintable(QStringLiteral("no node ") + nodeText));
    window->editor->tvObjekte->setCurrentItem(item);
}

QImage Harness::grabPanel() {
    QCoreApplication::processEvents();
    EnginePanel* panel = window->GLFrame->PanSim;
    return panel->screen()
        ->grabWindow(panel->winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QString Harness::selectedText() const {
    const QTreeWidgetItem* item = window->editor->tvObjekte->currentItem();
    return item ? item->text(0) : QString();
}

} // namespace zb::ui::test
