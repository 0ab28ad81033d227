#include "main_window/main_window.h"

#include "base/application.h"
#include "base/help_texts.h"
#include "base/user_dialogs.h"
#include "editor/object_editor.h"
#include "editor/tank_box.h"
#include "main_window/pool_size.h"
#include "model/tank_file.h"
#include "simulation/display_group.h"
#include "simulation/simulation_group.h"
#include "simulation/strip_scroll_area.h"
#include "tutorial/tutorial_panel.h"
#include "view/engine_panel.h"
#include "view/flat_view_editor.h"
#include "view/probe_plot.h"
#include "view/view_frame.h"
#include "widgets/track_bar.h"
#include "widgets/window_placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace zb::ui {

namespace {

QString designedTitle() {
    return QStringLiteral("Simulation einer Zitterbecken");
}

// Tanks from this many oscillators on take long enough to build that the user should see it.
constexpr long long kSlowTransferNodes = 1'000'000;

class BusyCursor {
  public:
    explicit BusyCursor(bool show) : shown_(show) {
        if (shown_) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    }
    ~BusyCursor() {
        if (shown_) {
            QApplication::restoreOverrideCursor();
        }
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    bool shown_;
};

} // namespace

TfrmMain::TfrmMain(EngineCalls& engine, QWidget* parent)
    : QMainWindow(parent), engine_(engine), document_(this) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(designedTitle());
    buildMenus();
    timerSchrittweise = new QTimer(this);
    timerSchrittweise->setObjectName(QStringLiteral("timerSchrittweise"));
    timerSchrittweise->setInterval(100);

    GLFrame = new TFrame2(engine_, run_);
    panTutorial = new TutorialPanel;
    panTutorial->hide();
    connectTutorial();

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(GLFrame, 1);
    right->addWidget(panTutorial);
    auto* central = new QWidget;
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    columns->addWidget(buildLeftStrip());
    columns->addLayout(right, 1);
    setCentralWidget(central);

    UpdateTimer = new QTimer(this);
    UpdateTimer->setObjectName(QStringLiteral("UpdateTimer"));
    UpdateTimer->setInterval(500);
    connect(UpdateTimer, &QTimer::timeout, this, &TfrmMain::updateTimerTick);
    runTimer = new QTimer(this);
    runTimer->setObjectName(QStringLiteral("runTimer"));
    runTimer->setInterval(0);
    connect(runTimer, &QTimer::timeout, this, &TfrmMain::runFrame);

    // The design size: a client area of 992 x 654 below the menu bar, at the screen's top left.
    resize(992, 654 + menuWidget()->sizeHint().height());
    move(0, 0);
    // Where the user left it last time, if anywhere.
    restoreGeometry(QSettings().value(QStringLiteral("mainWindow/geometry")).toByteArray());
    keepOnScreen(this);
    connect(&document_, &TankDocument::changed, this, &TfrmMain::RefreshEngine);
    connect(&document_, &TankDocument::modifiedChanged, this, &TfrmMain::updateTitle);
    connect(editor, &ObjectEditor::helpTextRequested, this, &TfrmMain::helpTextRequested);
    // A paused run draws only when what it shows changes.
    connect(GLFrame, &TFrame2::runViewMoved, this, &TfrmMain::requestRunFrame);
    GLFrame->probePlot->setRecording(&probes_);
    connect(gbSimulation, &SimulationGroup::runViewChanged, this, &TfrmMain::requestRunFrame);

    // A size the machine cannot hold is refused where it is typed, with the reason.
    editor->gbWannenWerte->setSizeCheck([this](int32_t x, int32_t y) {
        if (const std::optional<QString> problem = poolSizeProblem(engine_, x, y)) {
            userDialogs().error(QStringLiteral("Größe der Zitterbecken"), *problem);
            return false;
        }
        return true;
    });
    viewEditor =
        new FlatViewEditor(document_, editor->selection(), *GLFrame, *tbZoom, run_, engine_, this);
    viewEditor->setObjectName(QStringLiteral("viewEditor"));

    panEdit->hide();
    layout()->activate();
    const std::string folder = ZbApplication::programDir();
    GLFrame->createEngine(folder);
    engine_.set3dMode(false);
    gbSimulation->gbDarstellung->applyToEngine();
    programDir_ = folder;
}

TfrmMain::~TfrmMain() {
    // The parts refer to the document and the run state, members that are gone before QWidget's
    // destructor deletes the parts, and some see events while they are deleted (the view's
    // editor filters its panel's): delete them while everything they refer to still exists.
    delete viewEditor;
    delete takeCentralWidget();
}

QWidget* TfrmMain::buildLeftStrip() {
    auto* strip = new QWidget;
    strip->setObjectName(QStringLiteral("leftStrip"));
    // The designed width, also while a sequence hides both parts; the simulation group widens
    // it by a scroll bar in a low window.
    strip->setMinimumWidth(SimulationGroup::kDesignedWidth);
    strip->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* stripLayout = new QVBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);

    panEdit = new QWidget;
    panEdit->setObjectName(QStringLiteral("panEdit"));
    panEdit->setFixedWidth(SimulationGroup::kDesignedWidth);
    // The strip is narrow: its own texts use the small dialog size (help labels keep 12 px).
    QFont small = panEdit->font();
    small.setPixelSize(11);
    panEdit->setFont(small);
    editor = new ObjectEditor(document_);
    tbZoom = makeTrackBar(0, 100, 0, 10);
    tbZoom->setObjectName(QStringLiteral("tbZoom"));
    tbZoom->setToolTip(QStringLiteral("Bringt die Ansicht näher heran oder rückt sie weiter weg."));
    Button1 = new QPushButton(QStringLiteral(">> zur Simulation >>"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(QStringLiteral("Zeigt das Zitterbecken dreidimensional und lässt die "
                                       "Wellen laufen."));
    connect(Button1, &QPushButton::clicked, this, &TfrmMain::RunSimulation);
    auto* editLayout = new QVBoxLayout(panEdit);
    editLayout->setContentsMargins(2, 2, 2, 2);
    editLayout->setSpacing(4);
    editLayout->addWidget(editor, 1);
    auto* zoomRow = new QHBoxLayout;
    zoomRow->addWidget(new QLabel(QStringLiteral("Zoomstufe: ")));
    zoomRow->addWidget(tbZoom, 1);
    editLayout->addLayout(zoomRow);
    editLayout->addWidget(Button1);
    connect(tbZoom, &QSlider::valueChanged, this, [this](int position) {
        GLFrame->zoomFactor = 1.2 - double(position) / double(tbZoom->maximum());
        GLFrame->UpdateTopView();
    });

    gbSimulation = new SimulationGroup(engine_, run_, *timerSchrittweise);
    connect(gbSimulation->Button2, &QPushButton::clicked, this, &TfrmMain::leaveRunClick);
    connect(gbSimulation->btnSimReset, &QPushButton::clicked, this, &TfrmMain::resetRunClick);
    gbSimulation->hide();

    stripLayout->addWidget(panEdit, 1);
    stripLayout->addWidget(new StripScrollArea(gbSimulation, SimulationGroup::kDesignedWidth,
                                               SimulationGroup::kDesignedHeight),
                           1);
    return strip;
}

void TfrmMain::buildMenus() {
    MainMenu = new QMenuBar;
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    QMenu* datei = MainMenu->addMenu(QStringLiteral("&Datei"));
    QAction* actNeu = datei->addAction(QStringLiteral("Neu..."), this, &TfrmMain::NewCommand);
    actNeu->setObjectName(QStringLiteral("actNeu"));
    QAction* actSpeichern =
        datei->addAction(QStringLiteral("Speichern..."), this, [this] { SaveCommand(); });
    actSpeichern->setObjectName(QStringLiteral("actSpeichern"));
    actSpeichern->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    actOeffnen = datei->addAction(QStringLiteral("Öffnen..."), this, &TfrmMain::OpenCommand);
    actOeffnen->setObjectName(QStringLiteral("actOeffnen"));
    actOeffnen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    recentMenu = datei->addMenu(QStringLiteral("Zuletzt geöffnet"));
    recentMenu->setObjectName(QStringLiteral("menuZuletzt"));
    connect(recentMenu, &QMenu::aboutToShow, this, &TfrmMain::fillRecentMenu);
    QAction* actBild =
        datei->addAction(QStringLiteral("Bild speichern..."), this, &TfrmMain::SavePictureCommand);
    actBild->setObjectName(QStringLiteral("actBildSpeichern"));
    actBild->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    actMesswerte = datei->addAction(QStringLiteral("Messwerte speichern..."), this,
                                    &TfrmMain::SaveMeasurementsCommand);
    actMesswerte->setObjectName(QStringLiteral("actMesswerteSpeichern"));
    actMesswerte->setEnabled(false);
    connect(datei, &QMenu::aboutToShow, this, &TfrmMain::updateMeasurementAction);
    datei->addSeparator();
    datei->addAction(QStringLiteral("Beenden"), this, &TfrmMain::quitProgram)
        ->setObjectName(QStringLiteral("actBeenden"));
    buildEditMenu();
    QMenu* info = MainMenu->addMenu(QStringLiteral("Information"));
    info->setObjectName(QStringLiteral("menuInformation"));
    for (const HelpPage& page : {help::kSteuerungPage, help::kMausPage, help::kMesspunktePage}) {
        info->addAction(page.title, this,
                        [this, page] { emit helpTextRequested(page.title, page.file); });
    }
    info->addAction(QStringLiteral("Über das Programm"), this, &TfrmMain::aboutRequested);

    MenuEinfuehrung = new QMenuBar;
    MenuEinfuehrung->setObjectName(QStringLiteral("MenuEinfuehrung"));
    MenuEinfuehrung->addMenu(QStringLiteral("Datei"))
        ->addAction(QStringLiteral("Beenden"), this, &TfrmMain::quitProgram);
    MenuEinfuehrung->addMenu(QStringLiteral("Information"))
        ->addAction(QStringLiteral("Über das Programm"), this, &TfrmMain::aboutRequested);
    MenuEinfuehrung->hide();

    // Both bars live in one holder; the mode decides which one shows.
    auto* holder = new QWidget;
    auto* bars = new QVBoxLayout(holder);
    bars->setContentsMargins(0, 0, 0, 0);
    bars->setSpacing(0);
    bars->addWidget(MainMenu);
    bars->addWidget(MenuEinfuehrung);
    setMenuWidget(holder);
}

void TfrmMain::enterFreeMode() {
    run_.tutorialSequence = 0;
    run_.tutorialStep = 0;
    panTutorial->hide();
    MenuEinfuehrung->hide();
    MainMenu->show();
    panEdit->show();
    NewTank(100, 50);
}

void TfrmMain::NewTank(int32_t x, int32_t y) {
    run_.simulationStopped = true;
    endRun();
    document_.replace(std::make_unique<TZBecken>());
    editor->gbWannenWerte->startNewTank(x, y);
    document_.markSaved(); // a new tank is unchanged until the user changes it
    document_.clearHistory();
    setTankFile({});
    GLFrame->zoomFactor = 1.0 - double(tbZoom->value()) / double(tbZoom->maximum());
    editor->FillTree(document_.tank().Objekte->Count() - 1);
}

void TfrmMain::RefreshEngine() {
    if (!document_.hasTank()) {
        return;
    }
    const TZBecken& tank = document_.tank();
    // A tank from a file may ask for more than the machine has: say so once, show an empty view.
    const std::optional<QString> problem = poolSizeProblem(engine_, tank.GroesseX, tank.GroesseY);
    const std::pair<int32_t, int32_t> size{tank.GroesseX, tank.GroesseY};
    if (problem && size != refusedSize_) {
        refusedSize_ = size;
        userDialogs().error(QStringLiteral("Größe der Zitterbecken"),
                            *problem + QStringLiteral("\n\nBis dahin bleibt die Ansicht leer."));
    } else if (!problem) {
        refusedSize_ = {};
    }
    GLFrame->PanSim->setVisible(!problem);
    {
        const BusyCursor busy((long long)tank.GroesseX * tank.GroesseY >= kSlowTransferNodes);
        tank.TransferToEngine(engine_);
    }
    gbSimulation->gbDarstellung->applyToEngine();
    transferred_ = serializeTank(tank);
    fieldAtRest_ = true;
    GLFrame->UpdateTopView();
}

bool TfrmMain::tankChangedSinceTransfer() const {
    return !document_.hasTank() || serializeTank(document_.tank()) != transferred_;
}

void TfrmMain::setTankFile(const QString& fileName) {
    tankFile_ = fileName;
    updateTitle();
}

void TfrmMain::updateTitle() {
    if (tankFile_.isEmpty()) {
        setWindowModified(false);
        setWindowTitle(designedTitle());
        return;
    }
    // "[*]" in a file name is doubled, which Qt shows as written.
    const QString name =
        QFileInfo(tankFile_).fileName().replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(QStringLiteral("%1[*] – %2").arg(name, designedTitle()));
    setWindowModified(document_.isModified());
}

bool TfrmMain::mayDiscardTank(bool askEvenUnchanged) {
    // A size typed but not yet confirmed is part of the tank the user means.
    if (run_.tutorialSequence == 0) {
        editor->gbWannenWerte->commitTypedSize();
    }
    if (!document_.hasTank() || (!askEvenUnchanged && !document_.isModified())) {
        return true;
    }
    switch (userDialogs().askYesNoCancel(
        QStringLiteral("Speichern?"),
        QStringLiteral("Möchten Sie die gerade geöffnete Zitterbecken speichern?"))) {
    case UserDialogs::Answer::Yes:
        return SaveCommand() == SaveOutcome::Saved;
    case UserDialogs::Answer::No:
        return true;
    case UserDialogs::Answer::Cancel:
        break;
    }
    return false;
}

void TfrmMain::quitProgram() {
    if (isVisible() && !mayDiscardTank(false)) {
        return;
    }
    StopRun();
    // Quitting closes the windows, this one too: the question has just been answered.
    discardAgreed_ = true;
    QCoreApplication::quit();
    discardAgreed_ = false;
}

void TfrmMain::updateTimerTick() {
    // Re-sending an unchanged tank onto a field at rest would rebuild the same grid.
    if (tankChangedSinceTransfer() || !fieldAtRest_) {
        RefreshEngine();
    }
}

void TfrmMain::StopRun() {
    run_.simulationStopped = true;
    QThread::msleep(20);
    QCoreApplication::processEvents();
    QThread::msleep(20);
    endRun();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    UpdateTimer->start();
    update();
    engine_.repaintScene(true, false);
}

void TfrmMain::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    UpdateTimer->stop();
    QSettings().setValue(QStringLiteral("mainWindow/geometry"), saveGeometry());
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!discardAgreed_ && !mayDiscardTank(false)) {
        event->ignore();
        return;
    }
    StopRun();
    emit closed();
    QMainWindow::closeEvent(event);
}

} // namespace zb::ui
