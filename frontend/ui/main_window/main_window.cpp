#include "main_window/main_window.h"

#include "base/application.h"
#include "base/help_texts.h"
#include "base/user_dialogs.h"
#include "editor/object_editor.h"
#include "editor/tank_box.h"
#include "gallery/gallery_window.h"
#include "main_window/file_commands.h"
#include "main_window/measurement_export.h"
#include "main_window/picture_export.h"
#include "main_window/run_panels.h"
#include "main_window/tank_display.h"
#include "run/pool_size.h"
#include "run/run_controller.h"
#include "run/tutorial_driver.h"
#include "simulation/display_group.h"
#include "simulation/simulation_group.h"
#include "simulation/strip_scroll_area.h"
#include "tutorial/tutorial_panel.h"
#include "tutorial/tutorial_steps.h"
#include "view/flat_view_editor.h"
#include "view/probe_plot.h"
#include "view/view_frame.h"
#include "widgets/track_bar.h"
#include "widgets/window_placement.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSettings>
#include <QSlider>
#include <QVBoxLayout>

namespace zb::ui {

namespace {

QString designedTitle() {
    return QStringLiteral("Simulation einer Zitterbecken");
}

} // namespace

TfrmMain::TfrmMain(EngineCalls& engine, QWidget* parent)
    : QMainWindow(parent), engine_(engine), document_(this),
      controller_(new RunController(document_, engine_, this)), run_(controller_->state()) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(designedTitle());
    createWidgets();
    createMenus();
    connectParts();
    readSettings();
    startEngine();
}

TfrmMain::~TfrmMain() {
    // The parts refer to the document and the run state, members that are gone before QWidget's
    // destructor deletes the parts, and some see events while they are deleted (the view's
    // editor filters its panel's): delete them while everything they refer to still exists.
    delete viewEditor;
    delete takeCentralWidget();
}

void TfrmMain::createWidgets() {
    GLFrame = new TFrame2(engine_, run_);
    panTutorial = new TutorialPanel;
    panTutorial->hide();
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

    files_ = new FileCommands(document_, *editor, run_, this);
    tutorial_ = new TutorialDriver(*panTutorial, *controller_, document_, this);
    runPanels_ = std::make_unique<RunPanels>(*GLFrame, *gbSimulation, *panEdit, run_);
    controller_->setView(runPanels_.get());
    measurements_ =
        std::make_unique<MeasurementExport>(document_, engine_, controller_->probes(), *files_);
    pictures_ = std::make_unique<PictureExport>(engine_, run_, *files_);
    GLFrame->probePlot->setRecording(&controller_->probes());
    display_ = new TankDisplay(*gbSimulation, *runPanels_, run_, this);
    files_->setDisplayToSave([this] { return display_->toSave(); });
    files_->protectFolder(defaultGalleryFolder());
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
    auto* Button1 = new QPushButton(QStringLiteral(">> zur Simulation >>"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(QStringLiteral("Zeigt das Zitterbecken dreidimensional und lässt die "
                                       "Wellen laufen."));
    connect(Button1, &QPushButton::clicked, controller_, &RunController::start);
    auto* editLayout = new QVBoxLayout(panEdit);
    editLayout->setContentsMargins(2, 2, 2, 2);
    editLayout->setSpacing(4);
    editLayout->addWidget(editor, 1);
    auto* zoomRow = new QHBoxLayout;
    zoomRow->addWidget(new QLabel(QStringLiteral("Zoomstufe: ")));
    zoomRow->addWidget(tbZoom, 1);
    editLayout->addLayout(zoomRow);
    editLayout->addWidget(Button1);

    gbSimulation = new SimulationGroup(engine_, run_, controller_->stepTimer());
    gbSimulation->hide();

    stripLayout->addWidget(panEdit, 1);
    stripLayout->addWidget(new StripScrollArea(gbSimulation, SimulationGroup::kDesignedWidth,
                                               SimulationGroup::kDesignedHeight),
                           1);
    return strip;
}

void TfrmMain::createMenus() {
    MainMenu = new QMenuBar;
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    QMenu* datei = MainMenu->addMenu(QStringLiteral("&Datei"));
    QAction* actNeu = datei->addAction(QStringLiteral("Neu..."), files_, &FileCommands::NewCommand);
    actNeu->setObjectName(QStringLiteral("actNeu"));
    QAction* actSpeichern =
        datei->addAction(QStringLiteral("Speichern..."), files_, [this] { files_->SaveCommand(); });
    actSpeichern->setObjectName(QStringLiteral("actSpeichern"));
    actSpeichern->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    actOeffnen = datei->addAction(QStringLiteral("Öffnen..."), this, &TfrmMain::OpenCommand);
    actOeffnen->setObjectName(QStringLiteral("actOeffnen"));
    actOeffnen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    actVersuch = datei->addAction(QStringLiteral("Versuch aus der Sammlung öffnen..."), this,
                                  &TfrmMain::galleryRequested);
    actVersuch->setObjectName(QStringLiteral("actVersuch"));
    recentMenu = datei->addMenu(QStringLiteral("Zuletzt geöffnet"));
    recentMenu->setObjectName(QStringLiteral("menuZuletzt"));
    connect(recentMenu, &QMenu::aboutToShow, files_,
            [this] { files_->fillRecentMenu(recentMenu); });
    QAction* actBild = datei->addAction(QStringLiteral("Bild speichern..."), this,
                                        [this] { pictures_->SavePictureCommand(); });
    actBild->setObjectName(QStringLiteral("actBildSpeichern"));
    actBild->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    actMesswerte = datei->addAction(QStringLiteral("Messwerte speichern..."), this,
                                    [this] { measurements_->SaveMeasurementsCommand(); });
    actMesswerte->setObjectName(QStringLiteral("actMesswerteSpeichern"));
    actMesswerte->setEnabled(false);
    connect(datei, &QMenu::aboutToShow, this,
            [this] { actMesswerte->setEnabled(measurements_->hasMeasurements()); });
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
    for (const HelpPage& page : help::kExtendedObjectPages) {
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

void TfrmMain::connectParts() {
    // The engine follows the document; nothing else sends the tank outside a run.
    connect(&document_, &TankDocument::changed, controller_, &RunController::refreshEngine);
    connect(&document_, &TankDocument::modifiedChanged, this, &TfrmMain::updateTitle);
    // Each tank opens with its own display, or with the user's choices.
    connect(&document_, &TankDocument::replaced, display_,
            [this] { display_->show(document_.tank().Anzeige); });
    connect(controller_, &RunController::pulseAvailableChanged, gbSimulation,
            &SimulationGroup::setPulseAvailable);
    connect(files_, &FileCommands::tankFileChanged, this, &TfrmMain::updateTitle);
    connect(files_, &FileCommands::newTankRequested, this, [this] { NewTank(100, 50); });
    connect(editor, &ObjectEditor::helpTextRequested, this, &TfrmMain::helpTextRequested);

    // What may not change during a run: the tank (through undo or a file) and the editing panel.
    connect(controller_, &RunController::runningChanged, this, [this](bool running) {
        updateEditMenu();
        actOeffnen->setEnabled(!running);
        actVersuch->setEnabled(!running);
        recentMenu->menuAction()->setEnabled(!running);
    });
    connect(tbZoom, &QSlider::valueChanged, this, [this](int position) {
        GLFrame->zoomFactor = 1.2 - double(position) / double(tbZoom->maximum());
        GLFrame->UpdateTopView();
    });
    connect(gbSimulation->Button2, &QPushButton::clicked, controller_, [this] {
        run_.simulationStopped = true;
        panTutorial->btnSimScreenHelp->hide();
        controller_->stop();
        controller_->refreshEngine();
    });
    connect(gbSimulation->btnSimReset, &QPushButton::clicked, controller_, [this] {
        gbSimulation->btnSimRun->show();
        controller_->start();
    });
    // A paused run draws only when what it shows changes.
    connect(GLFrame, &TFrame2::runViewMoved, controller_, &RunController::requestFrame);
    connect(gbSimulation, &SimulationGroup::runViewChanged, controller_,
            &RunController::requestFrame);

    connect(tutorial_, &TutorialDriver::sequenceStarted, this, [this] {
        panEdit->hide();
        MainMenu->hide();
        MenuEinfuehrung->show();
        gbSimulation->gbDarstellung->startSequence();
    });
    connect(tutorial_, &TutorialDriver::leaveRequested, this, [this] {
        if (files_->mayDiscardTank(false)) {
            enterFreeMode();
            gbSimulation->gbDarstellung->applyToEngine(); // free mode's choices back at once
        }
    });
    connect(tutorial_, &TutorialDriver::helpTextRequested, this, &TfrmMain::helpTextRequested);

    // A size the machine cannot hold is refused where it is typed, with the reason.
    editor->gbWannenWerte->setSizeCheck([this](int32_t x, int32_t y) {
        if (const std::optional<QString> problem = poolSizeProblem(engine_, x, y)) {
            userDialogs().error(QStringLiteral("Größe der Zitterbecken"), *problem);
            return false;
        }
        return true;
    });
    // The flat view's editing ties the document, the editor and the view together; it follows
    // the document's changes after the engine has the tank.
    viewEditor =
        new FlatViewEditor(document_, editor->selection(), *GLFrame, *tbZoom, run_, engine_, this);
    viewEditor->setObjectName(QStringLiteral("viewEditor"));
}

void TfrmMain::readSettings() {
    // The design size: a client area of 992 x 654 below the menu bar, at the screen's top left.
    resize(992, 654 + menuWidget()->sizeHint().height());
    move(0, 0);
    // Where the user left it last time, if anywhere.
    restoreGeometry(QSettings().value(QStringLiteral("mainWindow/geometry")).toByteArray());
    keepOnScreen(this);
}

void TfrmMain::startEngine() {
    panEdit->hide();
    layout()->activate();
    const std::string folder = ZbApplication::programDir();
    GLFrame->createEngine(folder);
    engine_.set3dMode(false);
    gbSimulation->gbDarstellung->applyToEngine();
    programDir_ = folder;
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

void TfrmMain::StartIntroduction() {
    tutorial_->startSequence(kIntroduction);
}

void TfrmMain::StartExperimentSeries() {
    tutorial_->startSequence(kExperimentSeries);
}

void TfrmMain::NewTank(int32_t x, int32_t y) {
    run_.simulationStopped = true;
    controller_->end();
    document_.replace(std::make_unique<TZBecken>());
    editor->gbWannenWerte->startNewTank(x, y);
    document_.markSaved(); // a new tank is unchanged until the user changes it
    document_.clearHistory();
    files_->setTankFile({});
    GLFrame->zoomFactor = 1.0 - double(tbZoom->value()) / double(tbZoom->maximum());
    editor->FillTree(document_.tank().Objekte->Count() - 1);
}

void TfrmMain::OpenCommand() {
    files_->OpenCommand();
}

bool TfrmMain::openTankFile(const QString& fileName) {
    return files_->openTankFile(fileName);
}

bool TfrmMain::openExperiment(const QString& tankPath, const QString& title) {
    if (isVisible() && !files_->mayDiscardTank(false)) {
        return false;
    }
    // A guided sequence or a closed window turns to free mode only for a tank that reads.
    const bool leaving = run_.tutorialSequence != 0 || !isVisible();
    if (leaving &&
        TZBecken().read(QFile::encodeName(tankPath).toStdString()) != TankReadResult::Ok) {
        return files_->openExperiment(tankPath, title); // says why, and changes nothing
    }
    run_.simulationStopped = true;
    controller_->end();
    if (leaving) {
        enterFreeMode();
    }
    if (!files_->openExperiment(tankPath, title)) {
        return false;
    }
    gbSimulation->gbDarstellung->applyToEngine();
    return true;
}

void TfrmMain::updateTitle() {
    const QString& tankFile = files_->tankFile();
    if (tankFile.isEmpty() && !files_->experimentTitle().isEmpty()) {
        const QString name = QString(files_->experimentTitle())
                                 .replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
        setWindowTitle(QStringLiteral("%1 (Versuch)[*] – %2").arg(name, designedTitle()));
        setWindowModified(document_.isModified());
        return;
    }
    if (tankFile.isEmpty()) {
        setWindowModified(false);
        setWindowTitle(designedTitle());
        return;
    }
    // "[*]" in a file name is doubled, which Qt shows as written.
    const QString name =
        QFileInfo(tankFile).fileName().replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(QStringLiteral("%1[*] – %2").arg(name, designedTitle()));
    setWindowModified(document_.isModified());
}

void TfrmMain::quitProgram() {
    if (isVisible() && !files_->mayDiscardTank(false)) {
        return;
    }
    controller_->stop();
    // Quitting closes the windows, this one too: the question has just been answered.
    discardAgreed_ = true;
    QCoreApplication::quit();
    discardAgreed_ = false;
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    update(); // the panel's expose draws the picture
}

void TfrmMain::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    QSettings().setValue(QStringLiteral("mainWindow/geometry"), saveGeometry());
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // The question below runs an event loop, where a second close can arrive: the first one
    // decides for both.
    if (closing_) {
        event->ignore();
        return;
    }
    const QScopedValueRollback<bool> deciding(closing_, true);
    if (!discardAgreed_ && !files_->mayDiscardTank(false)) {
        event->ignore();
        return;
    }
    controller_->stop();
    emit closed();
    QMainWindow::closeEvent(event);
}

} // namespace zb::ui
