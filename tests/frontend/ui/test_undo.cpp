// Undo and redo: every change of the tank, one step per gesture, and exactly the tank it was.
#include "editor/exciter_box.h"
#include "editor/material_box.h"
#include "editor/probe_box.h"
#include "editor/screen_box.h"
#include "editor/tank_box.h"
#include "editor/wall_box.h"
#include "main_window_parts.h"
#include "model/tank_file.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSet>
#include <QSlider>
#include <QTest>

#include <functional>
#include <vector>

namespace zb::ui::test {

namespace {

QAction& undoAction(Harness& h) {
    return actionOf(*h.window, "actRueckgaengig");
}
QAction& redoAction(Harness& h) {
    return actionOf(*h.window, "actWiederholen");
}

// Types a number into a field as a user does, and leaves it.
void type(SpinEdit& field, int value) {
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&field, QString::number(value));
    QTest::keyClick(&field, Qt::Key_Return);
}

// Types a number other than `current`: typing the same digits again passes through other values
// and back, a step that changes nothing, which the comparison of states cannot tell from none.
void typeOther(SpinEdit& field, QRandomGenerator& random, int low, int high, int current) {
    int value = random.bounded(low, high);
    while (value == current) {
        value = random.bounded(low, high);
    }
    type(field, value);
}
void typeOther(SpinEdit& field, QRandomGenerator& random, int low, int high) {
    typeOther(field, random, low, high, field.value());
}

void slide(Harness& h, QSlider& slider, int value) {
    slider.setValue(value);
    h.window->document().endGesture(); // the mouse lets go
}

void choose(QComboBox& choice, int index) {
    choice.setCurrentIndex(index);
    emit choice.activated(index);
}

// The shape fields of the panel not shown keep what they showed for an earlier exciter: what is
// new is judged by the record.
const TErreger& selectedExciter(const ObjectEditor& e) {
    return *e.selectedObject()->erreger();
}

// One gesture on the box of the selected object (or of the tank), aimed at one field.
struct FieldChange {
    int32_t art; // kArtBecken: the tank's own values
    const char* field;
    std::function<void(Harness&, ObjectEditor&, QRandomGenerator&)> make;
};

// Every field of the tank and of its objects that the editor can change, each by its control.
const std::vector<FieldChange>& fieldChanges() {
    using R = QRandomGenerator;
    using E = ObjectEditor;
    const auto edge = [](QCheckBox* TankBox::*box) {
        return [box](Harness&, E& e, R&) {
            if (!e.gbWannenWerte->rbDaempf->isChecked()) {
                e.gbWannenWerte->rbDaempf->click(); // shows the edge controls, changes nothing
            }
            (e.gbWannenWerte->*box)->click();
        };
    };
    const auto wall = [](SpinEdit* WallBox::*field, int low, int high) {
        return [=](Harness&, E& e, R& r) { typeOther(*(e.gbWand->*field), r, low, high); };
    };
    static const std::vector<FieldChange> all = {
        {kArtBecken, "StandardDaempfung",
         [](Harness&, E& e, R& r) { typeOther(*e.gbWannenWerte->seStandardDaempf, r, 0, 100); }},
        {kArtBecken, "StandardKopplung",
         [](Harness& h, E& e, R& r) {
             slide(h, *e.gbWannenWerte->tbStandardKoppl, r.bounded(151));
         }},
        {kArtBecken, "GroesseX",
         [](Harness&, E& e, R& r) { typeOther(*e.gbWannenWerte->seXGr, r, 20, 200); }},
        {kArtBecken, "GroesseY",
         [](Harness&, E& e, R& r) { typeOther(*e.gbWannenWerte->seYGr, r, 20, 200); }},
        {kArtBecken, "RandHinten", edge(&TankBox::cbZBDaempfVorne)}, // captioned "Hinten"
        {kArtBecken, "RandVorne", edge(&TankBox::cbZBDaempfHinten)},
        {kArtBecken, "RandLinks", edge(&TankBox::cbZBDaempfLinks)},
        {kArtBecken, "RandRechts", edge(&TankBox::cbZBDaempfRechts)},
        {kArtBecken, "RandBreite",
         [](Harness& h, E& e, R& r) {
             if (!e.gbWannenWerte->rbDaempf->isChecked()) {
                 e.gbWannenWerte->rbDaempf->click();
             }
             slide(h, *e.gbWannenWerte->tbDaempfRand, r.bounded(1, 51));
         }},
        {kArtBecken, "Randverhalten", // all four edges and the width in one click
         [](Harness&, E& e, R& r) {
             (r.bounded(2) == 0 ? e.gbWannenWerte->rbReflOhnePhS : e.gbWannenWerte->rbReflMitPhS)
                 ->click();
         }},
        {kArtWand, "Wand.X", wall(&WallBox::seWandPosX, 0, 100)},
        {kArtWand, "Wand.Y", wall(&WallBox::seWandPosY, 0, 50)},
        {kArtWand, "Wand.Winkel", wall(&WallBox::seWandWinkel, -179, 181)},
        {kArtWand, "Wand.Laenge", wall(&WallBox::seWandLaenge, 0, 200)},
        {kArtWand, "Wand.SpaltAnz", wall(&WallBox::seWandSpaltAnz, 0, 5)},
        {kArtWand, "Wand.Spaltbreite", wall(&WallBox::seWandSpaltbreite, 0, 20)},
        {kArtWand, "Wand.Spaltabstand", wall(&WallBox::seWandSpaltabstand, 0, 40)},
        {kArtSchirm, "Schirm.Position",
         [](Harness&, E& e, R& r) { typeOther(*e.gbSchirm->seSchirmPos, r, 1, 51); }},
        {kArtSchirm, "Schirm.Horizontal",
         [](Harness&, E& e, R&) {
             (e.gbSchirm->rbHorizontal->isChecked() ? e.gbSchirm->rbVertikal
                                                    : e.gbSchirm->rbHorizontal)
                 ->click();
         }},
        {kArtMatUebergang, "MatUebergang.Y",
         [](Harness&, E& e, R& r) { typeOther(*e.gbMatUebergang->seUeY, r, 0, 50); }},
        {kArtMatUebergang, "MatUebergang.Kopplung",
         [](Harness& h, E& e, R& r) {
             slide(h, *e.gbMatUebergang->tbMatUeKopplung, r.bounded(151));
         }},
        {kArtMatUebergang, "MatUebergang.Daempfung",
         [](Harness&, E& e, R& r) { typeOther(*e.gbMatUebergang->seUeDaempfung, r, 0, 101); }},
        {kArtErreger, "Erreger.X",
         [](Harness&, E& e, R& r) { typeOther(*e.gbErreger->seErrXPos, r, 0, 100); }},
        {kArtErreger, "Erreger.Y",
         [](Harness&, E& e, R& r) { typeOther(*e.gbErreger->seErrYPos, r, 0, 50); }},
        {kArtErreger, "Erreger.Amplitude",
         [](Harness& h, E& e, R& r) { slide(h, *e.gbErreger->seErrAmpl, r.bounded(127)); }},
        {kArtErreger, "Erreger.Frequenz",
         [](Harness&, E& e, R& r) { typeOther(*e.gbErreger->seErrT, r, 1, 20000); }},
        {kArtErreger, "Erreger.Fest",
         [](Harness&, E& e, R&) {
             choose(*e.gbErreger->cbErregerFest, 1 - e.gbErreger->cbErregerFest->currentIndex());
         }},
        {kArtErreger, "Erreger.Breite=Laenge",
         [](Harness&, E& e, R& r) {
             e.gbErreger->rbRadialwelle->click();
             typeOther(*e.gbErreger->seDurchmesser, r, 1, 20, selectedExciter(e).Breite);
         }},
        {kArtErreger, "Erreger.Breite",
         [](Harness&, E& e, R& r) {
             e.gbErreger->rbEbeneWellenfront->click();
             typeOther(*e.gbErreger->seErrBreite, r, 1, 20, selectedExciter(e).Breite);
         }},
        {kArtErreger, "Erreger.Laenge",
         [](Harness&, E& e, R& r) {
             e.gbErreger->rbEbeneWellenfront->click();
             typeOther(*e.gbErreger->seErrLaenge, r, 1, 20, selectedExciter(e).Laenge);
         }},
        {kArtErreger, "Erreger.Winkel",
         [](Harness&, E& e, R& r) {
             e.gbErreger->rbEbeneWellenfront->click();
             typeOther(*e.gbErreger->seErrWinkel, r, 0, 360, selectedExciter(e).Winkel);
         }},
        {kArtMesspunkt, "Messpunkt.X",
         [](Harness&, E& e, R& r) { typeOther(*e.gbMesspunkt->seMessX, r, 0, 100); }},
        {kArtMesspunkt, "Messpunkt.Y",
         [](Harness&, E& e, R& r) { typeOther(*e.gbMesspunkt->seMessY, r, 0, 50); }},
        {kArtMesspunkt, "Messpunkt.Farbe",
         [](Harness&, E& e, R& r) { choose(*e.gbMesspunkt->cbMessFarbe, r.bounded(8)); }},
        {kArtMesspunkt, "Messpunkt.Name",
         [](Harness&, E& e, R& r) {
             e.gbMesspunkt->edMessName->setText(QStringLiteral("Boje %1").arg(r.bounded(1000)));
             emit e.gbMesspunkt->edMessName->editingFinished();
         }},
    };
    return all;
}

// One random change through the editor's controls, as a pupil might make it: one gesture.
// Returns the field it aimed at, empty for inserting or deleting an object.
QString randomChange(Harness& h, QRandomGenerator& random) {
    ObjectEditor& e = h.editor();
    const TObjektListe& list = *h.tank().Objekte;
    const std::pair<int32_t, const char*> kinds[] = {{kArtErreger, "Erreger"},
                                                     {kArtWand, "Wand"},
                                                     {kArtSchirm, "Schirm"},
                                                     {kArtMatUebergang, "Materialübergang"},
                                                     {kArtMesspunkt, "Messpunkt"}};
    const auto insert = [&](int32_t art) {
        for (const auto& [kind, item] : kinds) {
            if (kind == art) {
                h.insert(QString::fromUtf8(item));
            }
        }
        return QString();
    };
    const int choice = random.bounded(12);
    if (choice == 0) {
        return insert(kinds[random.bounded(5)].first);
    }
    if (choice == 1 && list.Count() > 1) {
        e.selectObject(list.at(1 + random.bounded(list.Count() - 1)).serial());
        e.btnObjektLoeschen->click();
        return {};
    }
    // Every field alike; a field of a kind the tank does not hold yet brings one in first.
    const FieldChange& c = fieldChanges()[size_t(random.bounded(int(fieldChanges().size())))];
    std::vector<uint64_t> owners;
    for (int k = 0; k < list.Count(); ++k) {
        if (list.at(k).Art == c.art) {
            owners.push_back(list.at(k).serial());
        }
    }
    if (owners.empty()) {
        return insert(c.art);
    }
    e.selectObject(owners[size_t(random.bounded(int(owners.size())))]);
    c.make(h, e, random);
    return QString::fromUtf8(c.field);
}

} // namespace

class UndoTest : public QObject {
    Q_OBJECT

  private slots:
    void undoNamesTheStepAndPutsTheValueBack() {
        Harness h(true);
        QVERIFY(!undoAction(h).isEnabled());
        h.insert(QStringLiteral("Wand"));
        QCOMPARE(undoAction(h).text(), QStringLiteral("Rückgängig: Wand 1 einfügen"));
        WallBox& box = *h.editor().gbWand;
        type(*box.seWandPosX, 42); // two keystrokes, one step
        QCOMPARE(h.tank().Objekte->at(1).wand()->X, 42);
        QCOMPARE(undoAction(h).text(), QStringLiteral("Rückgängig: Wand verschieben"));

        undoAction(h).trigger();
        QCOMPARE(h.tank().Objekte->at(1).wand()->X, 1);
        QCOMPARE(box.seWandPosX->value(), 1); // the box shows the restored wall
        QCOMPARE(h.selectedText(), QStringLiteral("Wand 1"));
        QCOMPARE(redoAction(h).text(), QStringLiteral("Wiederholen: Wand verschieben"));
        redoAction(h).trigger();
        QCOMPARE(box.seWandPosX->value(), 42);

        // Looking at objects changes nothing and is nothing to undo.
        h.insert(QStringLiteral("Erreger"));
        h.select(QStringLiteral("Wand 1"));
        h.select(QStringLiteral("Erreger 1"));
        QCOMPARE(undoAction(h).text(), QStringLiteral("Rückgängig: Erreger 1 einfügen"));

        // The tank's own values and deleting are steps too, and unsaved-ness follows them.
        h.window->document().markSaved();
        h.editor().btnObjektLoeschen->click();
        QVERIFY(h.window->document().isModified());
        undoAction(h).trigger();
        QVERIFY(!h.window->document().isModified());
        QCOMPARE(h.tank().Objekte->Count(), 3);
        h.settle();
        QVERIFY(!h.engine.named("addExciter").empty()); // the engine has it back as well
    }

    void randomEditsUndoAndRedoToTheSameBytes() {
        QRandomGenerator random(20261208);
        QSet<QString> reached; // the fields whose change made a step
        for (int round = 0; round < 10; ++round) {
            Harness h;
            const std::vector<uint8_t> start = serializeTank(h.tank());
            std::vector<std::vector<uint8_t>> states{start};
            for (int k = 0; k < 50; ++k) {
                const QString field = randomChange(h, random);
                if (serializeTank(h.tank()) != states.back()) {
                    states.push_back(serializeTank(h.tank()));
                    reached << field;
                }
            }
            // Walk back through every state there was, then forward again.
            for (size_t k = states.size() - 1; k > 0; --k) {
                QVERIFY(h.window->document().canUndo());
                h.window->document().undo();
                QVERIFY2(
                    serializeTank(h.tank()) == states[k - 1],
                    qPrintable(QStringLiteral("round %1, undo to state %2").arg(round).arg(k - 1)));
            }
            QVERIFY(!h.window->document().canUndo());
            QVERIFY(!h.window->document().isModified());
            for (size_t k = 1; k < states.size(); ++k) {
                h.window->document().redo();
                QVERIFY2(
                    serializeTank(h.tank()) == states[k],
                    qPrintable(QStringLiteral("round %1, redo to state %2").arg(round).arg(k)));
            }
            QVERIFY(!h.window->document().canRedo());
        }
        // An undo that forgets a field goes unnoticed unless some step changed that field.
        QStringList missed;
        for (const FieldChange& c : fieldChanges()) {
            if (!reached.contains(QString::fromUtf8(c.field))) {
                missed << QString::fromUtf8(c.field);
            }
        }
        QVERIFY2(missed.isEmpty(), qPrintable(missed.join(QStringLiteral(", "))));
    }

    // The saved values count as unchanged wherever they come back: in the middle of a gesture,
    // which stays one step, and by undoing to before a step that had come back to them. With
    // nothing left to undo, the command names nothing.
    void theSavedValuesAreUnchangedWhereverTheyComeBack() {
        Harness h;
        TankDocument& document = h.window->document();
        QSlider& slider = *h.editor().gbWannenWerte->tbStandardKoppl;
        const int saved = slider.value();
        slider.setValue(saved + 10);
        slider.setValue(saved); // the mouse still held
        QVERIFY(!document.isModified());
        slide(h, slider, saved + 20);
        QVERIFY(document.isModified());
        slide(h, slider, saved);
        QVERIFY(!document.isModified());

        undoAction(h).trigger();
        QCOMPARE(slider.value(), saved + 20);
        QVERIFY(document.isModified());
        undoAction(h).trigger();
        QCOMPARE(slider.value(), saved);
        QVERIFY(!document.isModified());
        QVERIFY(!undoAction(h).isEnabled());                          // the drag was one step
        QCOMPARE(undoAction(h).text(), QStringLiteral("Rückgängig")); // nothing to name
        QCOMPARE(redoAction(h).text(), QStringLiteral("Wiederholen: Kopplung ändern"));
    }

    void newAndOpenStartAFreshHistoryAndTheTutorialHasNoMenu() {
        Harness h;
        h.insert(QStringLiteral("Schirm"));
        h.dialogs.answer = UserDialogs::Answer::No;
        h.window->files().NewCommand();
        QVERIFY(!h.window->document().canUndo());
        QVERIFY(!undoAction(h).isEnabled());

        const QList<QAction*> menus = menuBarOf(*h.window, "MainMenu").actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[1]->text(), QStringLiteral("&Bearbeiten"));
        for (QAction* a : menuBarOf(*h.window, "MenuEinfuehrung").actions()) {
            QVERIFY(!a->text().contains(QStringLiteral("Bearbeiten")));
        }
        // During a run the tank stays as it was sent.
        h.insert(QStringLiteral("Wand"));
        h.window->run().start();
        QVERIFY(!undoAction(h).isEnabled());
        h.window->run().end();
        QVERIFY(undoAction(h).isEnabled());
    }
};

static RegisterTest<UndoTest> registerUndoTest;

} // namespace zb::ui::test

#include "test_undo.moc"
