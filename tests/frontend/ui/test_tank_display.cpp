#include "gallery_folder.h"
#include "main_window/file_commands.h"
#include "main_window_parts.h"
#include "model/tank_file.h"
#include "simulation/display_group.h"
#include "simulation/simulation_group.h"
#include "test_registry.h"
#include "ui_harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QSlider>
#include <QTest>

namespace zb::ui::test {

namespace {

std::optional<TAnzeige> displayIn(const QString& path, QByteArray* bytes = nullptr) {
    TZBecken t;
    if (t.read(QFile::encodeName(path).toStdString()) != TankReadResult::Ok) {
        return TAnzeige{}; // never what a test expects
    }
    if (bytes) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        *bytes = f.readAll();
    }
    return t.Anzeige;
}

} // namespace

class TankDisplayTest : public QObject {
    Q_OBJECT

  private slots:
    void aTankWithoutDisplayBringsBackTheRememberedChoices() {
        GalleryFolder g;
        Harness h(true);
        SimulationGroup& s = simulationOf(*h.window);
        DisplayGroup& d = *s.gbDarstellung;
        // The user's own choices before: a colour mode and a view angle.
        d.cbFaerbung->setCurrentIndex(1);
        s.tbWinkel->triggerAction(QAbstractSlider::SliderPageStepAdd);
        const int angle = s.tbWinkel->value();
        QVERIFY(angle != 90);

        QVERIFY2(h.window->openTankFile(g.path("03_Spalt.zb")),
                 qPrintable(h.dialogs.errors.join(u'\n')));
        QCOMPARE(d.cbFaerbung->currentIndex(), 2);
        QCOMPARE(s.tbWinkel->value(), 0);
        QCOMPARE(s.tbHoehe->value(), 150);
        // Shown, not remembered.
        QCOMPARE(QSettings().value(QStringLiteral("display/colorMode")).toInt(), 1);
        // A control the user moves now becomes his choice; the others stay the tank's.
        s.tbEntfernung->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s.tbEntfernung->value(), 41);
        d.tbHoehenfaktor->setValue(5);

        QVERIFY(h.window->openTankFile(g.path("01_Wand.zb")));
        QCOMPARE(d.cbFaerbung->currentIndex(), 1);
        QCOMPARE(d.tbHoehenfaktor->value(), 5);
        QVERIFY(!d.cbSchirmIntensitaet->isChecked());
        QCOMPARE(s.tbWinkel->value(), angle);
        QCOMPARE(s.tbEntfernung->value(), 41);
        QCOMPARE(s.tbHoehe->value(), 20);
        QVERIFY(s.cbDrahtAnsicht->isChecked());
        QVERIFY(!s.cbScreensTranslucent->isChecked());
        QCOMPARE(h.engine.last("setViewParameters"),
                 zb::test::callLine("setViewParameters", false, true));
        h.window->run().start();
        QCOMPARE(s.tbSimSpeed->value(), SimulationGroup::kStartPosition);
        h.window->run().stop();
        QVERIFY(h.dialogs.errors.isEmpty());
    }

    void savingWritesTheDisplayOnlyWhenItDiffersAndChangesNothingInTheTank() {
        GalleryFolder g;
        Harness h(true);
        SimulationGroup& s = simulationOf(*h.window);
        QTemporaryDir dir;
        const QString plain = dir.filePath(QStringLiteral("plain.zb"));
        QByteArray bytes;
        QVERIFY(h.window->files().saveTankAs(plain));
        QCOMPARE(displayIn(plain, &bytes), std::optional<TAnzeige>());
        QCOMPARE(int(uint8_t(bytes[0])), 2); // as the designed program writes it

        // The tank's display is saved as the controls show it, the speed a run started with.
        QVERIFY(h.window->openTankFile(g.path("03_Spalt.zb")));
        s.gbDarstellung->cbFaerbung->setCurrentIndex(1);
        QVERIFY(!h.window->document().isModified()); // a display choice is no change
        const QString shown = dir.filePath(QStringLiteral("shown.zb"));
        QVERIFY(h.window->files().saveTankAs(shown));
        TAnzeige expected = g.display;
        expected.Faerbung = 1;
        QCOMPARE(displayIn(shown), std::optional<TAnzeige>(expected));
        QVERIFY(!h.window->document().isModified());

        // Back on the remembered defaults the block is gone again.
        h.window->NewTank(100, 50);
        s.gbDarstellung->cbFaerbung->setCurrentIndex(0);
        const QString again = dir.filePath(QStringLiteral("again.zb"));
        QVERIFY(h.window->files().saveTankAs(again));
        QCOMPARE(displayIn(again), std::optional<TAnzeige>());
        QVERIFY(h.dialogs.errors.isEmpty());
    }
};

static RegisterTest<TankDisplayTest> registerTankDisplayTest;

} // namespace zb::ui::test

#include "test_tank_display.moc"
