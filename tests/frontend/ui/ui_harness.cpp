#include "ui_harness.h"

#include "view/engine_panel.h"
#include "view/view_frame.h"

#include <QComboBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>

namespace zb::ui::test {

Harness::Harness(bool shown) {
    QSettings().clear(); // each test starts as on a new machine
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

const TObjekt& Harness::insert(const QString& kind) {
    editor().cbNeuesObjekt->setCurrentText(kind);
    editor().btnNeuesObjekt->click();
    return tank().Objekte->at(tank().Objekte->Count() - 1);
}

void Harness::edit(const TObjekt& object, const std::function<void(TObjekt&)>& change) {
    QVERIFY(window->document().editObject(object.serial(), QStringLiteral("Test"), change));
}

void Harness::settle() {
    // A change posts the transfer, the transfer posts the panel's paint.
    for (int k = 0; k < 3; ++k) {
        QCoreApplication::processEvents();
    }
}

QTreeWidgetItem* Harness::node(const QString& nodeText) const {
    const auto found =
        editorOf(*window).tvObjekte->findItems(nodeText, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void Harness::select(const QString& nodeText) {
    QTreeWidgetItem* item = node(nodeText);
    QVERIFY2(item, qPrintable(QStringLiteral("no node ") + nodeText));
    editorOf(*window).tvObjekte->setCurrentItem(item);
}

QImage Harness::grabPanel() {
    settle();
    EnginePanel* panel = frameOf(*window).PanSim;
    return panel->screen()
        ->grabWindow(panel->winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QString Harness::selectedText() const {
    const QTreeWidgetItem* item = editorOf(*window).tvObjekte->currentItem();
    return item ? item->text(0) : QString();
}

} // namespace zb::ui::test
