#include "base/help_texts.h"
#include "editor/exciter_box.h"
#include "editor/probe_box.h"
#include "editor/screen_box.h"
#include "editor/wall_box.h"
#include "main_window_parts.h"
#include "program_harness.h"
#include "simulation/simulation_group.h"
#include "test_registry.h"
#include "ui_harness.h"
#include "view/engine_panel.h"
#include "view/flat_view_editor.h"
#include "view/object_shapes.h"
#include "widgets/help_label.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>

#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zb::ui::test {

namespace {

// The program's windows with free mode entered.
struct Windows : ProgramHarness {
    Windows() { enterFreeMode(); }
};

QAction* informationEntry(TfrmMain& main, const QString& text) {
    auto* menu = main.findChild<QMenu*>(QStringLiteral("menuInformation"));
    if (!menu) {
        return nullptr;
    }
    const QList<QAction*> actions = menu->actions();
    const auto found =
        std::find_if(actions.begin(), actions.end(), [&](QAction* a) { return a->text() == text; });
    return found == actions.end() ? nullptr : *found;
}

// Contrast ratio of two colours after the accessibility guidelines.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(0x23, 0x23, 0x23));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Link, QColor(0x2a, 0x82, 0xda));
    return p;
}

// The window's place among the X server's top-level windows, counted from the bottom: what the
// user sees in front of what. With a window manager, the frame around it counts.
int stackingPlace(const QWidget& window) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_window_t top = xcb_window_t(window.winId());
    for (;;) {
        xcb_query_tree_reply_t* up = xcb_query_tree_reply(c, xcb_query_tree(c, top), nullptr);
        if (!up) {
            return -1;
        }
        const xcb_window_t parent = up->parent;
        std::free(up);
        if (parent == root || parent == XCB_WINDOW_NONE) {
            break;
        }
        top = parent;
    }
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
    if (!tree) {
        return -1;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree);
    const int count = xcb_query_tree_children_length(tree);
    const int place = int(std::find(children, children + count, top) - children);
    std::free(tree);
    return place < count ? place : -1;
}

} // namespace

class HelpWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void theProgramStartsWithoutComplaints() {
        Windows all;
        QVERIFY2(all.dialogs.errors.isEmpty(), qPrintable(all.dialogs.errors.join('\n')));
    }

    void whatIsButtonsShareOneTextWindowFromItsBeginning() {
        Windows all;
        all.insert(QStringLiteral("Wand"));
        editorOf(all.w->frmMain).gbWand->Button6->click();
        TfrmText& text = all.w->frmText;
        QVERIFY(text.isVisible());
        QCOMPARE(text.windowTitle(), QStringLiteral("Wände"));
        QVERIFY(text.reText->toPlainText().contains(QStringLiteral("Wand")));
        text.reText->verticalScrollBar()->setValue(text.reText->verticalScrollBar()->maximum());

        all.insert(QStringLiteral("Schirm"));
        editorOf(all.w->frmMain).gbSchirm->Button7->click();
        QCOMPARE(text.windowTitle(), QStringLiteral("Schirme"));
        QVERIFY(text.reText->toPlainText().contains(QStringLiteral("Schirm")));
        QVERIFY(!text.reText->toPlainText().contains(QStringLiteral("Spaltabstand")) ||
                text.reText->toPlainText().indexOf(QStringLiteral("Schirm")) <
                    text.reText->toPlainText().indexOf(QStringLiteral("Spaltabstand")));
        QCOMPARE(text.reText->textCursor().position(), 0);
        QCOMPARE(text.reText->verticalScrollBar()->value(), 0);
        QVERIFY(text.reText->isReadOnly());

        all.insert(QStringLiteral("Erreger"));
        editorOf(all.w->frmMain)
            .gbErreger->findChild<QPushButton*>(QStringLiteral("btnWasIstErreger"))
            ->click();
        QCOMPARE(text.windowTitle(), QStringLiteral("Erreger"));
        QVERIFY(all.dialogs.errors.isEmpty());

        // It is independent of the main window.
        all.w->frmMain.close();
        QVERIFY(text.isVisible());
    }

    void aMissingTextIsNamedWithItsFullPath() {
        Windows all;
        all.w->frmText.ShowHelpText(QStringLiteral("Fehlt"), QStringLiteral("OH\\GibtEsNicht.rtf"));
        QCOMPARE(all.dialogs.errors.size(), 1);
        QVERIFY(all.dialogs.errors[0].contains(QStringLiteral("Datei ")));
        QVERIFY(all.dialogs.errors[0].contains(
            QStringLiteral("GibtEsNicht.rtf kann nicht geöffnet werden")));
        QVERIFY(
            all.dialogs.errors[0].contains(QString::fromStdString(all.w->frmMain.programDir())));
        // Letter case and separators do not matter.
        all.dialogs.errors.clear();
        all.w->frmText.ShowHelpText(QStringLiteral("Wände"), QStringLiteral("oh/WAENDE.RTF"));
        QVERIFY(all.dialogs.errors.isEmpty());
        QVERIFY(!all.w->frmText.reText->toPlainText().isEmpty());
    }

    void helpWindowsOpenOverTheirWindowAndInFront() {
        ProgramHarness h(QRect(0, 0, 1280, 1024));
        TfrmStart& start = h.w->frmStart;
        start.show();
        QVERIFY(QTest::qWaitForWindowExposed(&start));
        h.w->startEntry(0);
        TfrmText& text = h.w->frmText;
        QVERIFY(QTest::qWaitForWindowExposed(&text));
        QTRY_VERIFY(
            (text.frameGeometry().center() - start.frameGeometry().center()).manhattanLength() <=
            2);
        h.w->startEntry(1);
        TfrmFunktionsweise& f = h.w->frmFunktionsweise;
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTRY_VERIFY(
            (f.frameGeometry().center() - start.frameGeometry().center()).manhattanLength() <= 2);
        // Clicking the entry again brings the open text back in front of the start screen.
        h.w->startEntry(0);
        QTRY_COMPARE(QApplication::activeWindow(), &text);
        QVERIFY(f.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void aSecondHelpWindowFromTheStartScreenLeavesTheFirstInFrontOfIt() {
        ProgramHarness h(QRect(0, 0, 1280, 1024));
        TfrmStart& start = h.w->frmStart;
        start.show();
        QVERIFY(QTest::qWaitForWindowExposed(&start));
        h.w->startEntry(0);
        TfrmText& text = h.w->frmText;
        QVERIFY(QTest::qWaitForWindowExposed(&text));
        // The click on the next entry brings the start screen to the front, as a window manager
        // does.
        start.raise();
        QTRY_VERIFY(stackingPlace(start) > stackingPlace(text));
        h.w->startEntry(1);
        TfrmFunktionsweise& f = h.w->frmFunktionsweise;
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QVERIFY(text.isVisible());
        QTRY_VERIFY(stackingPlace(text) > stackingPlace(start));
        QTRY_VERIFY(stackingPlace(f) > stackingPlace(text));
        // The other way round, and again after free mode, whose end shows the start screen anew
        // (a window manager puts it in front then; without one it keeps its place).
        start.raise();
        h.w->startEntry(0);
        QTRY_VERIFY(stackingPlace(f) > stackingPlace(start));
        QTRY_VERIFY(stackingPlace(text) > stackingPlace(f));
        h.w->startEntry(2);
        h.w->frmMain.close();
        QTRY_VERIFY(start.isVisible());
        QTRY_VERIFY(stackingPlace(text) > stackingPlace(start));
        QTRY_VERIFY(stackingPlace(f) > stackingPlace(start));
    }

    void helpWindowsCloseWithEscapeAndTheirButton() {
        Windows all;
        TfrmText& text = all.w->frmText;
        QAction* maus = informationEntry(all.w->frmMain, QStringLiteral("Mit der Maus bearbeiten"));
        QVERIFY(maus);
        maus->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&text));
        QCOMPARE(text.windowTitle(), QStringLiteral("Mit der Maus bearbeiten"));
        QVERIFY(text.reText->toPlainText().contains(QStringLiteral("Anfasser")));
        QVERIFY(all.dialogs.errors.isEmpty());
        QTRY_COMPARE(QApplication::activeWindow(), &text);
        QTest::keyClick(text.reText, Qt::Key_Escape);
        QTRY_VERIFY(!text.isVisible());

        // Without a window manager there is no close box: the button at the bottom.
        informationEntry(all.w->frmMain, QStringLiteral("Messpunkte"))->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&text));
        QCOMPARE(text.btnSchliessen->text(), QStringLiteral("Schließen"));
        QVERIFY(text.btnSchliessen->isVisible());
        QVERIFY(text.btnSchliessen->mapTo(&text, QPoint()).y() >= text.reText->geometry().bottom());
        text.btnSchliessen->click();
        QVERIFY(!text.isVisible());

        TfrmFunktionsweise& f = all.w->frmFunktionsweise;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        auto* close = f.findChild<QPushButton*>(QStringLiteral("btnSchliessen"));
        QVERIFY(close && close->isVisible());
        QVERIFY(close->mapTo(&f, QPoint(0, close->height())).y() <= f.height());
        QVERIFY(close->mapTo(&f, QPoint()).y() >= f.Frame1->geometry().bottom());
        close->click();
        QVERIFY(!f.isVisible());
        f.show();
        f.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &f);
        QTest::keyClick(f.texts[0], Qt::Key_Escape);
        QTRY_VERIFY(!f.isVisible());
    }

    void theNewPagesAreReachable() {
        Windows all;
        TfrmText& text = all.w->frmText;
        const struct {
            const char* entry;
            const char* contains;
        } pages[] = {{"Steuerung und Menüs", "Rückgängig"},
                     {"Mit der Maus bearbeiten", "Kontextmenü"},
                     {"Messpunkte", "Messwerte speichern"}};
        for (const auto& page : pages) {
            QAction* entry = informationEntry(all.w->frmMain, QString::fromUtf8(page.entry));
            QVERIFY2(entry, page.entry);
            entry->trigger();
            QCOMPARE(text.windowTitle(), QString::fromUtf8(page.entry));
            QVERIFY2(text.reText->toPlainText().contains(QString::fromUtf8(page.contains)),
                     page.entry);
        }
        QVERIFY(all.dialogs.errors.isEmpty());
        text.close();

        // The probe box's help label leads to its page; its tooltip still explains briefly.
        all.insert(QStringLiteral("Messpunkt"));
        auto* position = editorOf(all.w->frmMain).gbMesspunkt->findChild<HelpLabel*>();
        QVERIFY(position);
        QVERIFY(!position->toolTip().isEmpty());
        QTest::mouseClick(position, Qt::LeftButton);
        QVERIFY(text.isVisible());
        QCOMPARE(text.windowTitle(), QStringLiteral("Messpunkte"));
        QVERIFY(text.reText->toPlainText().contains(QStringLiteral("Zeit in s")));
        QVERIFY(all.dialogs.informations.isEmpty());
    }

    // Every shortcut the menu help names is the one of its menu entry, and none is missing.
    void theMenuHelpNamesTheMenusShortcuts() {
        Windows all;
        TfrmText& text = all.w->frmText;
        informationEntry(all.w->frmMain, help::kSteuerungPage.title)->trigger();
        QList<QAction*> withShortcut;
        auto* bar = all.w->frmMain.findChild<QMenuBar*>(QStringLiteral("MainMenu"));
        QVERIFY(bar);
        for (QAction* a : bar->findChildren<QAction*>()) {
            if (!a->shortcuts().isEmpty()) {
                withShortcut << a;
            }
        }
        QVERIFY(withShortcut.size() >= 5);
        QRegularExpressionMatchIterator it =
            QRegularExpression(QStringLiteral("„([^“]+)“ \\((Strg\\+[^)]*)\\)"))
                .globalMatch(text.reText->toPlainText());
        int named = 0;
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            QList<QKeySequence> stated;
            for (QString key : m.captured(2).split(QStringLiteral(" oder "))) {
                key.replace(QStringLiteral("Strg"), QStringLiteral("Ctrl"))
                    .replace(QStringLiteral("Umschalt"), QStringLiteral("Shift"));
                stated << QKeySequence::fromString(key, QKeySequence::PortableText);
            }
            const auto action =
                std::find_if(withShortcut.begin(), withShortcut.end(), [&](QAction* a) {
                    return a->text().remove(QLatin1Char('&')).startsWith(m.captured(1));
                });
            QVERIFY2(action != withShortcut.end(), qPrintable(m.captured(0)));
            QCOMPARE((*action)->shortcuts(), stated);
            ++named;
        }
        QCOMPARE(named, withShortcut.size());
    }

    // The arrow keys move as far as the page on mouse editing says.
    void theKeysMoveAsFarAsThePageSays() {
        TfrmText page;
        page.ShowHelpText(help::kMausPage.title, help::kMausPage.file);
        const QRegularExpressionMatch claim =
            QRegularExpression(QStringLiteral("Pfeiltasten: verschieben das ausgewählte Objekt um "
                                              "(\\d+) Schwinger, mit gedrückter Umschalttaste um "
                                              "(\\d+) Schwinger"))
                .match(page.reText->toPlainText());
        QVERIFY(claim.hasMatch());
        page.close();
        const int step = claim.captured(1).toInt(), shifted = claim.captured(2).toInt();

        Harness h(true);
        const TObjekt& probe = h.insert(QStringLiteral("Messpunkt"));
        const int x = probe.messpunkt()->X, y = probe.messpunkt()->Y;
        EnginePanel& panel = *frameOf(*h.window).PanSim;
        panel.setFocus();
        QTest::keyClick(&panel, Qt::Key_Right);
        QTest::keyClick(&panel, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(probe.messpunkt()->X, x + step);
        QCOMPARE(probe.messpunkt()->Y, y + shifted);
    }

    // A wall end snaps to the angle step the page on mouse editing states; Shift turns freely.
    void aWallEndSnapsToTheStepThePageSays() {
        TfrmText page;
        page.ShowHelpText(help::kMausPage.title, help::kMausPage.file);
        const QRegularExpressionMatch claim =
            QRegularExpression(QStringLiteral("Winkel rastet dabei in Schritten von (\\d+)°"))
                .match(page.reText->toPlainText());
        QVERIFY(claim.hasMatch());
        page.close();
        const int step = claim.captured(1).toInt();

        Harness h(true);
        const TObjekt& wall = h.insert(QStringLiteral("Wand"));
        h.edit(wall, [](TObjekt& o) {
            o.wand()->X = 50;
            o.wand()->Y = 25;
            o.wand()->Laenge = 40;
            o.wand()->Winkel = 0;
            o.wand()->SpaltAnz = 0;
        });
        h.settle();
        EnginePanel& panel = *frameOf(*h.window).PanSim;
        const auto pointOver = [&](QPointF oscillator) {
            const TZBecken& t = h.tank();
            const FlatViewEditor& v = part<FlatViewEditor>(*h.window, "viewEditor");
            const QPointF device =
                pixelOf(v.topView(), poolLayout(t.GroesseX, t.GroesseY), oscillator) -
                QPointF(0.5, 0.5);
            const double ratio = frameOf(*h.window).devicePixelRatioF();
            return QPoint(int(std::lround(device.x() / ratio)),
                          int(std::lround(device.y() / ratio)));
        };
        // Drags the first end to `degrees` off the x axis, 20 oscillators from the centre.
        const auto dragEnd = [&](double degrees, Qt::KeyboardModifiers modifiers) {
            const QPointF end = handlesOf(wall).front().at;
            const double a = degrees * 3.14159265358979 / 180.0;
            const QPoint to = pointOver({50 + 20 * std::cos(a), 25 - 20 * std::sin(a)});
            QTest::mousePress(&panel, Qt::LeftButton, {}, pointOver(end));
            QMouseEvent move(QEvent::MouseMove, to, panel.mapToGlobal(to), Qt::NoButton,
                             Qt::LeftButton, modifiers);
            QApplication::sendEvent(&panel, &move);
            QTest::mouseRelease(&panel, Qt::LeftButton, modifiers, to);
        };
        const int near = step - 1; // a degree short of the first step
        dragEnd(near, {});
        QCOMPARE(wall.wand()->Winkel, step);
        dragEnd(near, Qt::ShiftModifier);
        QCOMPARE(wall.wand()->Winkel, near);
    }

    void helpLabelsStayReadableOnADarkPalette() {
        // The designed navy where it is readable.
        QPalette light;
        light.setColor(QPalette::Window, QColor(0xf0, 0xf0, 0xf0));
        QCOMPARE(helpLabelColour(light), QColor(0, 0, 128));

        const QPalette dark = darkPalette();
        QVERIFY(contrast(helpLabelColour(dark), dark.color(QPalette::Window)) >= 4.5);
        // A dark link colour on a dark window is lightened too.
        QPalette darkLink = dark;
        darkLink.setColor(QPalette::Link, QColor(0, 0, 160));
        QVERIFY(contrast(helpLabelColour(darkLink), dark.color(QPalette::Window)) >= 4.5);

        // Every label of the main window follows a palette set after it was built.
        Windows all;
        all.w->frmMain.setPalette(dark);
        const QList<HelpLabel*> labels = all.w->frmMain.findChildren<HelpLabel*>();
        QVERIFY(labels.size() >= 10);
        for (const HelpLabel* label : labels) {
            QVERIFY2(contrast(label->palette().color(QPalette::WindowText),
                              label->palette().color(QPalette::Window)) >= 4.5,
                     qPrintable(label->text()));
        }
    }

    void funktionsweiseStacksItsSevenParts() {
        Windows all;
        TfrmFunktionsweise& f = all.w->frmFunktionsweise;
        QCOMPARE(f.windowTitle(), QStringLiteral("Funktionsweise der Simulation"));
        // The designed page; the strip with "Schließen" below it.
        QCOMPARE(f.width(), 511);
        QCOMPARE(f.Frame1->geometry(), QRect(0, 0, 512, 369));
        QVERIFY(f.height() > 370);
        const int heights[4] = {520, 165, 340, 140};
        int y = 0;
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(f.texts[k]->geometry().top(), y);
            QCOMPARE(f.texts[k]->height(), heights[k]);
            QVERIFY(!f.texts[k]->toPlainText().isEmpty());
            QCOMPARE(f.texts[k]->isReadOnly(), k == 0);
            y += heights[k];
            if (k < 3) {
                const QLabel& picture = *f.pictures[k];
                QVERIFY(!picture.pixmap().isNull());
                QCOMPARE(picture.geometry().top(), y);
                QCOMPARE(picture.height(), picture.pixmap().height());
                y += picture.height();
            }
        }
        QCOMPARE(f.pictures[0]->x(), 104);
        QCOMPARE(f.pictures[0]->width(), 329);
        QCOMPARE(f.pictures[1]->x(), 0);
        QCOMPARE(f.pictures[1]->width(), 510);
        QCOMPARE(f.pictures[2]->width(), f.pictures[2]->pixmap().width());
        QCOMPARE(f.Frame1->widget()->height(), y);
    }

    void aboutBoxNamesTheProgram() {
        Windows all;
        emit all.w->frmMain.aboutRequested();
        TAboutBox& about = all.w->AboutBox;
        QVERIFY(about.isVisible());
        QVERIFY(!about.isModal());
        QCOMPARE(about.windowTitle(), QStringLiteral("Info"));
        QCOMPARE(about.size(), QSize(298, 323));
        QCOMPARE(about.ProductName->text(), QStringLiteral("Simulation einer Zitterbecken"));
        QCOMPARE(about.Version->text(), QStringLiteral("Version 1.2"));
        // The licence beneath the version, inside the panel and clear of the version's line.
        QVERIFY(about.License->text().contains(QStringLiteral("GNU GPL, Version 3 oder später")));
        QVERIFY(about.License->isVisible());
        QVERIFY(about.License->geometry().top() >= about.Version->geometry().bottom());
        QVERIFY(about.License->parentWidget()->rect().contains(about.License->geometry()));
        QVERIFY(!about.ProgramIcon->pixmap().isNull());
        QCOMPARE(about.ProgramIcon->size(), QSize(209, 57));
        QVERIFY(about.OKButton->isDefault());
        about.OKButton->click();
        QVERIFY(!about.isVisible());
    }

    void simulationHelpLabelsAndInfoExplain() {
        Windows all;
        SimulationGroup& g = simulationOf(all.w->frmMain);
        all.w->frmMain.run().start();
        QTest::mouseClick(g.lblSimSpeed, Qt::LeftButton);
        QVERIFY(all.dialogs.informations.last().startsWith(
            QStringLiteral("Je höher die Geschwindigkeit")));
        g.Button3->click();
        QVERIFY(all.dialogs.informations.last().startsWith(
            QStringLiteral("Du kannst die Erreger deaktivieren")));
        auto* hoehe = g.findChild<HelpLabel*>(QStringLiteral("Label28"));
        QVERIFY(hoehe);
        QCOMPARE(hoehe->text(), QStringLiteral("Höhe des Betrachters:"));
        simulationOf(all.w->frmMain).Button2->click();
    }
};

static RegisterTest<HelpWindowsTest> registerHelpWindowsTest;

} // namespace zb::ui::test

#include "test_help_windows.moc"
