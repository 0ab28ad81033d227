#include "tutorial/tutorial_panel.h"

#include "widgets/fit_text.h"

#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zb::ui {

namespace {

constexpr int kDesignWidth = 793;
// "Tutorial verlassen" keeps its design distance from the bar's right edge.
constexpr int kLeaveFromRight = kDesignWidth - 142;

QPushButton* barButton(const QString& caption, const char* name, QRect place, QWidget* bar) {
    auto* button = new QPushButton(caption, bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

} // namespace

TutorialPanel::TutorialPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("panTutorial"));
    setFixedHeight(160);
    setAutoFillBackground(true);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    setPalette(teal);

    reTutorial = new QTextEdit;
    reTutorial->setObjectName(QStringLiteral("reTutorial"));
    reTutorial->setReadOnly(true);
    reTutorial->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reTutorial->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    buttonBar = new QWidget;
    buttonBar->setObjectName(QStringLiteral("panTutorialButtons"));
    buttonBar->setFixedHeight(32);
    buttonBar->setAutoFillBackground(true);
    QPalette blue = buttonBar->palette();
    blue.setColor(QPalette::Window, QColor(16, 136, 182));
    buttonBar->setPalette(blue);
    btnTutorialZurueck =
        barButton(QStringLiteral("<< Zurück"), "btnTutorialZurueck", {8, 4, 75, 25}, buttonBar);
    btnTutorialWeiter =
        barButton(QStringLiteral("Weiter >>"), "btnTutorialWeiter", {88, 4, 75, 25}, buttonBar);
    btnStartSim = barButton(QStringLiteral("Simulation anhalten"), "btnStartSim", {168, 4, 113, 25},
                            buttonBar);
    fitTextToWidth(btnStartSim, 113); // the longer of its two captions must fit
    btnStartSim->setText(QStringLiteral("Zur Simulation!"));
    btnLeaveTutorial = barButton(QStringLiteral("Tutorial verlassen"), "btnLeaveTutorial",
                                 {142, 4, 137, 25}, buttonBar);
    btnLeaveTutorial->hide();
    btnSimScreenHelp = barButton(QStringLiteral("Hilfe zum Simulationsbildschirm anzeigen"),
                                 "btnSimScreenHelp", {288, 4, 217, 25}, buttonBar);
    fitTextToWidth(btnSimScreenHelp, 217);
    btnSimScreenHelp->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(reTutorial, 1);
    layout->addWidget(buttonBar);
}

void TutorialPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    btnLeaveTutorial->move(qMax(8, width() - kLeaveFromRight), 4);
}

} // namespace zb::ui
