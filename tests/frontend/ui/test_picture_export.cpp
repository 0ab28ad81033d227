// "Bild speichern...": the PNG holds the view as the engine drew it, pixel for pixel where the
// objects lie, and a target that cannot take it keeps what it had.
#include "main_window_parts.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "view/engine_panel.h"
#include "view/flat_view_editor.h"
#include "view/view_geometry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace zb::ui::test {

class PictureExportTest : public QObject {
    Q_OBJECT

  private slots:
    void theFlatViewIsSavedAsDrawn() {
        Harness h(true);
        h.edit(h.insert(QStringLiteral("Erreger")), [](TObjekt& o) {
            o.erreger()->X = 70;
            o.erreger()->Y = 12;
            o.erreger()->Breite = o.erreger()->Laenge = 5;
        });
        h.select(QStringLiteral("Zitterbecken")); // no selection marks in the picture
        h.settle();
        QTemporaryDir dir;
        h.dialogs.pictureName = dir.filePath(QStringLiteral("bild.png"));
        actionOf(*h.window, "actBildSpeichern").trigger();
        QVERIFY2(h.dialogs.errors.isEmpty(), qPrintable(h.dialogs.errors.join('\n')));
        QVERIFY(h.dialogs.suggestions.last().endsWith(QStringLiteral("/Zitterbecken.png")));

        QImage picture(h.dialogs.pictureName);
        QCOMPARE(picture.format() == QImage::Format_Invalid, false);
        // What the panel shows: the engine's viewport also lies under the scroll bars.
        const QWidget& panel = *frameOf(*h.window).PanSim;
        const double ratio = panel.devicePixelRatioF();
        QCOMPARE(picture.width(), int(std::lround(panel.width() * ratio)));
        QCOMPARE(picture.height(), int(std::lround(panel.height() * ratio)));

        const auto& viewEditor = part<FlatViewEditor>(*h.window, "viewEditor");
        const auto pixel = [&](QPointF oscillator) {
            return pixelOf(viewEditor.topView(), poolLayout(100, 50), oscillator).toPoint();
        };
        const QColor exciter = picture.pixelColor(pixel({70, 12}));
        QVERIFY2(exciter.green() > 200 && exciter.red() < 60 && exciter.blue() < 60,
                 qPrintable(exciter.name()));
        const QColor water = picture.pixelColor(pixel({20, 40}));
        QVERIFY2(water.red() > 240 && water.green() > 240 && water.blue() > 240,
                 qPrintable(water.name()));
        // Outside the tank: the engine's background, so the rows are not upside down either.
        const QColor background = picture.pixelColor(pixel({50, -8}));
        QVERIFY2(std::abs(background.red() - 153) < 4 && std::abs(background.blue() - 229) < 4,
                 qPrintable(background.name()));
    }

    void aTargetThatCannotTakeItIsNamedAndNothingIsWritten() {
        Harness h(true);
        QTemporaryDir dir;
        h.dialogs.pictureName = dir.filePath(QStringLiteral("fehlt/bild.png"));
        actionOf(*h.window, "actBildSpeichern").trigger();
        QCOMPARE(h.dialogs.errors.size(), 1);
        QVERIFY2(h.dialogs.errors.first().startsWith(
                     QStringLiteral("Speichern fehlgeschlagen | Das Bild konnte nicht als ")),
                 qPrintable(h.dialogs.errors.first()));
        QVERIFY(!QFile::exists(h.dialogs.pictureName));

        // A folder is no picture file, and stays a folder; cancelling writes nothing.
        h.dialogs.errors.clear();
        h.dialogs.pictureName = dir.path();
        actionOf(*h.window, "actBildSpeichern").trigger();
        QCOMPARE(h.dialogs.errors.size(), 1);
        QVERIFY(QFileInfo(dir.path()).isDir());
        h.dialogs.pictureName.clear();
        h.dialogs.errors.clear();
        actionOf(*h.window, "actBildSpeichern").trigger();
        QVERIFY(h.dialogs.errors.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }
};

static RegisterTest<PictureExportTest> registerPictureExportTest;

} // namespace zb::ui::test

#include "test_picture_export.moc"
