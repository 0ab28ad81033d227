#include "main_window/main_window.h"

#include "app/application.h"
#include "editor/object_editor.h"
#include "editor/tank_box.h"
#include "model/tank_file.h"
#include "simulation/simulation_group.h"
#include "tutorial/tutorial_panel.h"
#include "view/view_frame.h"
#include "widgets/track_bar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace zb::ui {

namespace {

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

TfrmMain::TfrmMain(EngineCalls& engine, QWidget* parent) : QMainWindow(parent), engine_(engine) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Simulation einer Zitterbecken"));
    buildMenus();
    timerSchrittweise = new QTimer(this);
    timerSchrittweise->setObjectName(QStringLiteral("timerSchrittweise"));
    timerSchrittweise->setInterval(100);

    GLFrame = new TFrame2(engine_);
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
    connect(editor, &ObjectEditor::refreshRequested, this, &TfrmMain::RefreshEngine);
    connect(editor, &ObjectEditor::helpTextRequested, this, &TfrmMain::helpTextRequested);

    panEdit->hide();
    layout()->activate();
    const std::string folder = ZbApplication::programDir();
    GLFrame->createEngine(folder);
    engine_.set3dMode(false);
    programDir = folder;
}

TfrmMain::~TfrmMain() = default;

QWidget* TfrmMain::buildLeftStrip() {
    auto* strip = new QWidget;
    strip->setObjectName(QStringLiteral("leftStrip"));
    strip->setFixedWidth(201);
    auto* stripLayout = new QVBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);

    panEdit = new QWidget;
    panEdit->setObjectName(QStringLiteral("panEdit"));
    // The strip is narrow: its own texts use the small dialog size (help labels keep 12 px).
    QFont small = panEdit->font();
    small.setPixelSize(11);
    panEdit->setFont(small);
    editor = new ObjectEditor;
    tbZoom = makeTrackBar(0, 100, 0, 10);
    tbZoom->setObjectName(QStringLiteral("tbZoom"));
    tbZoom->setToolTip(QStringLiteral("Bringt die Ansicht näher heran oder rückt sie weiter weg."));
    Button1 = new QPushButton(QStringLiteral(">> zur Simulation >>"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(QStringLiteral("Zeigt die Zitterbecken dreidimensional und lässt die "
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

    gbSimulation = new SimulationGroup(engine_, *timerSchrittweise);
    Button2 = gbSimulation->Button2;
    connect(Button2, &QPushButton::clicked, this, &TfrmMain::leaveRunClick);
    connect(gbSimulation->btnSimReset, &QPushButton::clicked, this, &TfrmMain::resetRunClick);
    gbSimulation->hide();

    stripLayout->addWidget(panEdit, 1);
    stripLayout->addWidget(gbSimulation, 1);
    return strip;
}

void TfrmMain::buildMenus() {
    MainMenu = new QMenuBar;
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    QMenu* datei = MainMenu->addMenu(QStringLiteral("&Datei"));
    actNeu = datei->addAction(QStringLiteral("Neu..."), this, &TfrmMain::NewCommand);
    actSpeichern =
        datei->addAction(QStringLiteral("Speichern..."), this, [this] { SaveCommand(); });
    actSpeichern->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    actOeffnen = datei->addAction(QStringLiteral("Öffnen..."), this, &TfrmMain::OpenCommand);
    actOeffnen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    datei->addSeparator();
    datei->addAction(QStringLiteral("Beenden"), qApp, &QCoreApplication::quit);
    QMenu* info = MainMenu->addMenu(QStringLiteral("Information"));
    info->addAction(QStringLiteral("Über das Programm"), this, &TfrmMain::aboutRequested);

    MenuEinfuehrung = new QMenuBar;
    MenuEinfuehrung->setObjectName(QStringLiteral("MenuEinfuehrung"));
    MenuEinfuehrung->addMenu(QStringLiteral("Datei"))
        ->addAction(QStringLiteral("Beenden"), qApp, &QCoreApplication::quit);
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
    tutorialSequence = 0;
    tutorialStep = 0;
    panTutorial->hide();
    MenuEinfuehrung->hide();
    MainMenu->show();
    panEdit->show();
    NewTank(100, 50);
}

void TfrmMain::NewTank(int32_t x, int32_t y) {
    simulationStopped = true;
    endRun();
    editor->setTank(nullptr); // no node or box may keep pointing into the released tank
    editor->FillTree(-1);
    tank = std::make_unique<TZBecken>();
    GLFrame->tank = tank.get();
    editor->setTank(tank.get());
    editor->gbWannenWerte->startNewTank(x, y);
    GLFrame->zoomFactor = 1.0 - double(tbZoom->value()) / double(tbZoom->maximum());
    editor->FillTree(tank->Objekte->Count() - 1);
}

void TfrmMain::RefreshEngine() {
    if (!tank) {
        return;
    }
    {
        const BusyCursor busy((long long)tank->GroesseX * tank->GroesseY >= kSlowTransferNodes);
        tank->TransferToEngine(engine_);
    }
    transferred_ = serializeTank(*tank);
    fieldAtRest_ = true;
    GLFrame->UpdateTopView();
}

bool TfrmMain::tankChangedSinceTransfer() const {
    return !tank || serializeTank(*tank) != transferred_;
}

void TfrmMain::updateTimerTick() {
    // Re-sending an unchanged tank onto a field at rest would rebuild the same grid.
    if (tankChangedSinceTransfer() || !fieldAtRest_) {
        RefreshEngine();
    }
}

void TfrmMain::StopRun() {
    simulationStopped = true;
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
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    StopRun();
    emit closed();
    QMainWindow::closeEvent(event);
}

} // namespace zb::ui
