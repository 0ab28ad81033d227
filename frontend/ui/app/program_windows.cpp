#include "app/program_windows.h"

#include "start/start_regions.h"
#include "widgets/help_label.h"
#include "widgets/window_placement.h"

#include <QApplication>

namespace zb::ui {

ProgramWindows::ProgramWindows(EngineCalls& engine, QRect desktop)
    : frmStart(desktop), frmMain(engine) {
    QObject::connect(&frmMain, &TfrmMain::helpTextRequested, &frmText,
                     [this](const QString& title, const QString& file) {
                         frmText.ShowHelpText(title, file, &frmMain);
                     });
    QObject::connect(&frmMain, &TfrmMain::aboutRequested, &AboutBox, &TAboutBox::showCentred);
    QObject::connect(&frmMain, &TfrmMain::closed, &frmStart, [this] {
        frmStart.show();
        raiseOpenHelp();
    });
    QObject::connect(
        &HelpLabel::pageRequests(), &HelpPageRequests::requested, &frmText,
        [this](const QString& title, const QString& file) { frmText.ShowHelpText(title, file); });
    QObject::connect(&frmStart, &TfrmStart::entryChosen, &frmStart,
                     [this](int index) { startEntry(index); });
    QObject::connect(&frmMain, &TfrmMain::galleryRequested, &frmVersuche,
                     [this] { showOver(&frmVersuche, &frmMain); });
    QObject::connect(
        &frmVersuche, &GalleryWindow::openRequested, &frmMain,
        [this](const QString& tankPath, const QString& title) { openExperiment(tankPath, title); });
}

void ProgramWindows::openExperiment(const QString& tankPath, const QString& title) {
    if (!frmMain.openExperiment(tankPath, title)) {
        return;
    }
    frmVersuche.close();
    frmStart.hide();
    frmMain.show();
    frmMain.raise();
    frmMain.activateWindow();
}

void ProgramWindows::raiseOpenHelp() {
    for (QWidget* help :
         {static_cast<QWidget*>(&frmText), static_cast<QWidget*>(&frmFunktionsweise),
          static_cast<QWidget*>(&frmVersuche)}) {
        if (help->isVisible()) {
            help->raise();
        }
    }
}

void ProgramWindows::startEntry(int index) {
    switch (index) {
    case 0:
        // A click on the start screen brings it to the front, over a help window opened before;
        // that one comes back above it, below the one asked for.
        raiseOpenHelp();
        frmText.showText(QStringLiteral("Was ist eine Zitterbecken? Wozu dieses Programm?"),
                         QStringLiteral("Data\\RTFs\\ZitterBecken.rtf"), &frmStart);
        break;
    case 1:
        raiseOpenHelp();
        showOver(&frmFunktionsweise, &frmStart);
        break;
    case 2:
    case 3:
        frmStart.hide();
        frmMain.enterFreeMode();
        frmMain.show();
        if (index == 3) {
            frmMain.OpenCommand(); // cancelled: free mode on the new tank
        }
        break;
    case 4:
    case 5:
        frmStart.hide();
        frmMain.show();
        frmMain.NewTank(100, 100);
        if (index == 4) {
            frmMain.StartIntroduction();
        } else {
            frmMain.StartExperimentSeries();
        }
        break;
    case 6:
        QApplication::quit();
        break;
    case kGalleryEntry:
        // Over the start screen, which stays until an experiment is opened: closing the gallery
        // leads back to where the pupil chose it.
        showOver(&frmVersuche, &frmStart);
        break;
    default:
        break;
    }
}

void ProgramWindows::openOnStart(const QString& path) {
    frmMain.enterFreeMode();
    if (frmMain.openTankFile(path)) {
        frmMain.show();
    } else {
        frmStart.show();
    }
}

} // namespace zb::ui
