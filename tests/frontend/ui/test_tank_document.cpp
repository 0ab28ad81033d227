// The tank document: one door for every change, one transfer per turn of the event loop, and
// references to objects that cannot outlive them.
#include "document/tank_document.h"
#include "main_window_parts.h"
#include "model/tank_file.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "widgets/spin_edit.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace zb::ui::test {

class TankDocumentTest : public QObject {
    Q_OBJECT

  private slots:
    void editsOfOneTurnAreOneChange() {
        TankDocument doc;
        QSignalSpy changed(&doc, &TankDocument::changed);
        QSignalSpy replaced(&doc, &TankDocument::replaced);
        doc.replace(std::make_unique<TZBecken>());
        QCOMPARE(replaced.size(), 1); // at once
        const uint64_t wall =
            doc.insert(std::make_unique<TObjekt>(kArtWand, "Wand 1"), QStringLiteral("einfügen"));
        doc.edit(QStringLiteral("Größe"), [](TZBecken& t) { t.SetSize(30, 20); });
        QVERIFY(doc.editObject(wall, QStringLiteral("verschieben"),
                               [](TObjekt& o) { o.wand()->X = 7; }));
        QCOMPARE(changed.size(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(changed.size(), 1);
        QCOMPARE(doc.find(wall)->wand()->X, 7);
        QVERIFY(doc.isModified());

        // A reference into the old tank finds nothing in the new one, even at the same address.
        doc.replace(std::make_unique<TZBecken>());
        QVERIFY(doc.find(wall) == nullptr);
        QVERIFY(!doc.editObject(wall, QStringLiteral("verschieben"),
                                [](TObjekt& o) { o.wand()->X = 8; }));
        QVERIFY(!doc.isModified());
        doc.flush();
        QCOMPARE(changed.size(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(changed.size(), 2); // delivered early, not twice
    }

    void aTreeClickATypedValueAndOpeningAFileTransferOnce() {
        Harness h(true);
        h.insert(QStringLiteral("Wand"));
        h.edit(h.insert(QStringLiteral("Erreger")), [](TObjekt& o) {
            // Values the controls must round, so that showing it writes back several fields.
            o.erreger()->Frequenz = 7.0;
            o.erreger()->Amplitude = 0.123;
            o.erreger()->Breite = 3;
            o.erreger()->Laenge = 40;
        });
        h.settle();

        h.engine.clear();
        h.select(QStringLiteral("Wand 1"));
        h.select(QStringLiteral("Erreger 1"));
        h.settle();
        QCOMPARE(h.engine.named("resetAll").size(), 1u);

        h.engine.clear();
        SpinEdit& field = part<SpinEdit>(*h.window, "seErrXPos");
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&field, QStringLiteral("42"));
        h.settle();
        QCOMPARE(h.engine.named("resetAll").size(), 1u);

        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("t.zb"));
        QVERIFY(h.window->files().saveTankAs(name));
        h.window->NewTank(100, 50);
        h.settle();
        h.engine.clear();
        QVERIFY(h.window->openTankFile(name));
        h.settle();
        QCOMPARE(h.engine.named("resetAll").size(), 1u);
        QCOMPARE(h.engine.named("repaintScene").size(), 1u); // opening draws once
    }
};

static RegisterTest<TankDocumentTest> registerTankDocumentTest;

} // namespace zb::ui::test

#include "test_tank_document.moc"
