#include "editor/tank_box.h"
#include "model/tank_file.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

namespace zb::ui::test {

namespace {

// A tank worth keeping: damped left and back edges, a wall, an exciter and a screen.
void buildSomething(Harness& h) {
    TankBox& box = *h.editor().gbWannenWerte;
    box.seXGr->setValue(120);
    box.seStandardDaempf->setValue(3);
    box.rbDaempf->click();
    box.cbZBDaempfLinks->click();
    box.cbZBDaempfVorne->click();
    box.tbDaempfRand->setValue(17);
    h.insert(QStringLiteral("Wand"));
    h.edit(h.insert(QStringLiteral("Erreger")), [](TObjekt& o) { o.erreger()->Frequenz = 12.5; });
    h.edit(h.insert(QStringLiteral("Schirm")), [](TObjekt& o) { o.schirm()->Position = 40; });
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void newSaveOpenRoundTrip() {
        QTemporaryDir dir;
        Harness h;
        buildSomething(h);
        const std::vector<uint8_t> built = serializeTank(h.tank());

        h.dialogs.saveName = dir.filePath(QStringLiteral("versuch.zb"));
        QCOMPARE(h.window->files().SaveCommand(), FileCommands::SaveOutcome::Saved);
        QVERIFY(h.dialogs.errors.isEmpty());

        h.dialogs.answer = UserDialogs::Answer::No;
        h.window->files().NewCommand();
        QCOMPARE(h.dialogs.questions,
                 QStringList{QStringLiteral("Speichern? | Möchten Sie die gerade geöffnete "
                                            "Zitterbecken speichern?")});
        QCOMPARE(h.tank().GroesseX, 100);
        QCOMPARE(h.tank().Objekte->Count(), 1);
        QCOMPARE(h.editor().gbWannenWerte->seXGr->value(), 100);

        h.dialogs.openName = h.dialogs.saveName;
        h.engine.clear();
        h.window->OpenCommand();
        h.settle();
        QCOMPARE(h.dialogs.questions.size(), 1); // the new tank has no changes to ask about
        QVERIFY(h.dialogs.errors.isEmpty());
        QVERIFY(serializeTank(h.tank()) == built);
        // The tank box shows the file without writing back, and the tree lists its objects.
        TankBox& box = *h.editor().gbWannenWerte;
        QCOMPARE(box.seXGr->value(), 120);
        QCOMPARE(box.seStandardDaempf->value(), 3);
        QVERIFY(box.rbDaempf->isChecked());
        QVERIFY(!box.panDaempf->isHidden());
        QVERIFY(box.cbZBDaempfLinks->isChecked() && box.cbZBDaempfVorne->isChecked());
        QVERIFY(!box.cbZBDaempfRechts->isChecked() && !box.cbZBDaempfHinten->isChecked());
        QCOMPARE(box.tbDaempfRand->value(), 17);
        QVERIFY(h.node(QStringLiteral("Wand 1")) && h.node(QStringLiteral("Erreger 1")) &&
                h.node(QStringLiteral("Schirm 1")));
        QCOMPARE(h.selectedText(), QStringLiteral("Zitterbecken"));
        QCOMPARE(h.engine.last("createEmptyPool"),
                 std::string("createEmptyPool 120, 50, 0.029999999999999999, 4, 17"));
        QCOMPARE(h.engine.last("addEdges"), std::string("addEdges true, false, true, false"));
    }

    void openChoosesTheEdgeButtonThatFitsTheFile() {
        QTemporaryDir dir;
        Harness h;
        h.editor().gbWannenWerte->rbReflMitPhS->click();
        h.dialogs.saveName = dir.filePath(QStringLiteral("phase.zb"));
        QCOMPARE(h.window->files().SaveCommand(), FileCommands::SaveOutcome::Saved);
        h.window->NewTank(100, 50);
        QVERIFY(h.window->openTankFile(h.dialogs.saveName));
        QVERIFY(h.editor().gbWannenWerte->rbReflMitPhS->isChecked());
        QVERIFY(h.editor().gbWannenWerte->panDaempf->isHidden());
    }

    void newAnsweredYesSavesFirst() {
        QTemporaryDir dir;
        Harness h;
        h.insert(QStringLiteral("Wand"));
        h.dialogs.answer = UserDialogs::Answer::Yes;
        h.dialogs.saveName = dir.filePath(QStringLiteral("vorher.zb"));
        h.window->files().NewCommand();
        TZBecken back;
        QVERIFY(back.LoadFromFile(QFile::encodeName(h.dialogs.saveName).toStdString()));
        QCOMPARE(back.Objekte->Count(), 2);
        QCOMPARE(h.tank().Objekte->Count(), 1);
    }

    void newWithACancelledSaveOrAbbrechenKeepsTheTank() {
        Harness h;
        h.insert(QStringLiteral("Wand"));
        h.dialogs.answer = UserDialogs::Answer::Yes;
        h.dialogs.saveName.clear(); // the user says Ja, then cancels the file dialog
        h.window->files().NewCommand();
        QCOMPARE(h.tank().Objekte->Count(), 2);
        h.dialogs.answer = UserDialogs::Answer::Cancel;
        h.window->files().NewCommand();
        QCOMPARE(h.tank().Objekte->Count(), 2);
        QCOMPARE(h.dialogs.questions.size(), 2);
        QVERIFY(h.dialogs.errors.isEmpty());
    }

    void aFailedSaveKeepsTankAndFile() {
        QTemporaryDir dir;
        Harness h;
        h.insert(QStringLiteral("Wand"));
        // The target exists and holds an older tank; its folder then refuses new files.
        const QString target = dir.filePath(QStringLiteral("alt.zb"));
        h.dialogs.saveName = target;
        QCOMPARE(h.window->files().SaveCommand(), FileCommands::SaveOutcome::Saved);
        const QByteArray before = readAll(target);
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        if (QFile(dir.filePath(QStringLiteral("probe"))).open(QIODevice::WriteOnly)) {
            QFile::setPermissions(dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            // Root ignores permissions: a missing folder makes the save fail instead.
            h.dialogs.saveName = dir.filePath(QStringLiteral("fehlt/alt.zb"));
        }
        h.insert(QStringLiteral("Erreger"));
        h.dialogs.answer = UserDialogs::Answer::Yes;
        h.window->files().NewCommand();
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(h.dialogs.errors.size(), 1);
        QVERIFY(h.dialogs.errors[0].startsWith(QStringLiteral("Speichern fehlgeschlagen | ")));
        QVERIFY(h.dialogs.errors[0].contains(QStringLiteral("alt.zb")));
        QCOMPARE(h.tank().Objekte->Count(), 3); // New gave up: the tank is still there
        QCOMPARE(readAll(target), before);
    }

    void openingAnythingButATankChangesNothing() {
        QTemporaryDir dir;
        Harness h;
        h.insert(QStringLiteral("Wand"));
        const std::vector<uint8_t> before = serializeTank(h.tank());

        const QString notATank = dir.filePath(QStringLiteral("brief.zb"));
        QFile f(notATank);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Liebe Klasse 9b, bitte bringt eure Hefte mit.");
        f.close();
        const QString saved = dir.filePath(QStringLiteral("ganz.zb"));
        QVERIFY(h.window->files().saveTankAs(saved));
        QByteArray whole = readAll(saved);
        const QString cut = dir.filePath(QStringLiteral("abgeschnitten.zb"));
        QFile c(cut);
        QVERIFY(c.open(QIODevice::WriteOnly));
        c.write(whole.left(whole.size() - 10));
        c.close();

        const QString cases[] = {notATank, cut, dir.filePath(QStringLiteral("gibtsnicht.zb")),
                                 dir.path()};
        for (const QString& name : cases) {
            h.dialogs.errors.clear();
            h.dialogs.openName = name;
            h.window->OpenCommand();
            QCOMPARE(h.dialogs.errors.size(), 1);
            QVERIFY2(h.dialogs.errors[0].contains(QFileInfo(name).fileName()),
                     qPrintable(h.dialogs.errors[0]));
            QVERIFY(serializeTank(h.tank()) == before);
            QCOMPARE(h.selectedText(), QStringLiteral("Wand 1"));
        }
        QVERIFY(h.dialogs.errors[0].contains(
            QStringLiteral("kann nicht geöffnet werden (ein Ordner)")));
    }

    void valuesNoControlCanShowAreClampedWithoutUndefinedArithmetic() {
        QTemporaryDir dir;
        Harness h;
        TZBecken odd;
        odd.SetSize(-5, 2000000000);
        odd.StandardDaempfung = 7.5;
        odd.StandardKopplung = -3.0;
        odd.RandBreite = 900;
        auto exciter = std::make_unique<TObjekt>(kArtErreger, "Erreger 1");
        exciter->erreger()->Frequenz = 0.0;
        exciter->erreger()->Amplitude = 1e300;
        odd.Objekte->add(std::move(exciter));
        const QString name = dir.filePath(QStringLiteral("komisch.zb"));
        QVERIFY(odd.SaveToFile(QFile::encodeName(name).toStdString()).ok);

        QVERIFY(h.window->openTankFile(name));
        TankBox& box = *h.editor().gbWannenWerte;
        QCOMPARE(box.seXGr->value(), 2);
        QCOMPARE(box.seYGr->value(), 100000);
        QCOMPARE(box.seStandardDaempf->value(), 99);
        QCOMPARE(box.tbStandardKoppl->value(), 0);
        QCOMPARE(box.tbDaempfRand->value(), 50);
        QCOMPARE(h.tank().GroesseX, -5); // shown clamped, kept as read
        h.select(QStringLiteral("Erreger 1"));
        QCOMPARE(h.editor().findChild<SpinEdit*>(QStringLiteral("seErrT"))->value(), 1000000);
        QCOMPARE(h.tank().Objekte->at(1).erreger()->Frequenz, 0.05);
        QCOMPARE(h.tank().Objekte->at(1).erreger()->Amplitude, 2.52);
    }
};

static RegisterTest<FileCommandsTest> registerFileCommandsTest;

} // namespace zb::ui::test

#include "test_file_commands.moc"
