#include "editor/tank_box.h"

#include "base/help_texts.h"
#include "editor/box_rows.h"
#include "widgets/help_label.h"
#include "widgets/rounding.h"
#include "widgets/spin_edit.h"
#include "widgets/track_bar.h"
#include "widgets/wrap_radio_button.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

namespace zb::ui {

TankBox::TankBox(TankDocument& document, QWidget* parent)
    : CompactGroupBox(QStringLiteral("Eigenschaften der Zitterbecken"), parent),
      document_(document) {
    setObjectName(QStringLiteral("gbWannenWerte"));
    seStandardDaempf = new SpinEdit(0, 99, 99);
    seStandardDaempf->setObjectName(QStringLiteral("seStandardDaempf"));
    tbStandardKoppl = makeTrackBar(0, 150, 0);
    tbStandardKoppl->setObjectName(QStringLiteral("tbStandardKoppl"));
    seXGr = new SpinEdit(2, 100000, 100);
    seXGr->setObjectName(QStringLiteral("seXGr"));
    seYGr = new SpinEdit(2, 100000, 50);
    seYGr->setObjectName(QStringLiteral("seYGr"));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(3);
    auto* StandardDaempfung =
        new HelpLabel(QStringLiteral("Standard Dämpfung:"), help::StandardDaempfung);
    StandardDaempfung->setObjectName(QStringLiteral("StandardDaempfung"));
    addCaptionedRow(grid, StandardDaempfung, seStandardDaempf, QStringLiteral("%"));
    auto* StandardKopplung =
        new HelpLabel(QStringLiteral("Standard Kopplung:"), help::StandardKopplung);
    StandardKopplung->setObjectName(QStringLiteral("StandardKopplung"));
    addCaptionedRow(grid, StandardKopplung, tbStandardKoppl);
    auto* Groesse = new HelpLabel(QStringLiteral("Größe der Zitterbecken:"), help::Groesse);
    Groesse->setObjectName(QStringLiteral("Groesse"));
    grid->addWidget(Groesse, grid->rowCount(), 0, 1, 2);
    addXYRow(grid, seXGr, seYGr);
    buildEdgeControls(grid);

    connect(seStandardDaempf, &SpinEdit::valueChanged, this, [this](int percent) {
        if (percent >= 0 && percent <= 99) {
            document_.edit(QStringLiteral("Dämpfung ändern"),
                           [&](TZBecken& t) { t.StandardDaempfung = percent / 100.0; });
        }
    });
    connect(tbStandardKoppl, &QSlider::valueChanged, this, [this](int position) {
        document_.edit(QStringLiteral("Kopplung ändern"),
                       [&](TZBecken& t) { t.StandardKopplung = position / 20.0; });
    });
    // Typing 100000 passes through 1, 10, ... 10000: only the finished size is built.
    connect(seXGr, &SpinEdit::valueCommitted, this, &TankBox::sizeChanged);
    connect(seYGr, &SpinEdit::valueCommitted, this, &TankBox::sizeChanged);
    connect(seXGr, &SpinEdit::valueChanged, this, [this] { sizeTyped_ = true; });
    connect(seYGr, &SpinEdit::valueChanged, this, [this] { sizeTyped_ = true; });
}

void TankBox::buildEdgeControls(QGridLayout* grid) {
    auto* Label1 = new HelpLabel(QStringLiteral("Verhalten an den Rändern:"), help::Label1);
    Label1->setObjectName(QStringLiteral("Label1"));
    rbReflOhnePhS = new WrapRadioButton(QStringLiteral("Reflexion ohne Phasensprung"));
    rbReflMitPhS = new WrapRadioButton(QStringLiteral("Reflexion mit Phasensprung (180°)"));
    rbDaempf = new WrapRadioButton(QStringLiteral("Stärke der Reflexion wählbar"));
    rbReflOhnePhS->setObjectName(QStringLiteral("rbReflOhnePhS"));
    rbReflMitPhS->setObjectName(QStringLiteral("rbReflMitPhS"));
    rbDaempf->setObjectName(QStringLiteral("rbDaempf"));
    rbDaempf->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(rbReflOhnePhS),
                       static_cast<QWidget*>(rbReflMitPhS), static_cast<QWidget*>(rbDaempf)}) {
        grid->addWidget(w, grid->rowCount(), 0, 1, 2);
    }

    panDaempf = new QWidget;
    panDaempf->setObjectName(QStringLiteral("panDaempf"));
    cbZBDaempfLinks = new QCheckBox(QStringLiteral("Links"));
    cbZBDaempfRechts = new QCheckBox(QStringLiteral("Rechts"));
    cbZBDaempfVorne = new QCheckBox(QStringLiteral("Hinten"));
    cbZBDaempfHinten = new QCheckBox(QStringLiteral("Vorne"));
    cbZBDaempfLinks->setObjectName(QStringLiteral("cbZBDaempfLinks"));
    cbZBDaempfRechts->setObjectName(QStringLiteral("cbZBDaempfRechts"));
    cbZBDaempfVorne->setObjectName(QStringLiteral("cbZBDaempfVorne"));
    cbZBDaempfHinten->setObjectName(QStringLiteral("cbZBDaempfHinten"));
    tbDaempfRand = makeTrackBar(1, 50, 10, 5);
    tbDaempfRand->setObjectName(QStringLiteral("tbDaempfRand"));
    auto* edges = new QGridLayout(panDaempf);
    edges->setContentsMargins(12, 0, 0, 0);
    edges->setVerticalSpacing(2);
    edges->addWidget(cbZBDaempfLinks, 0, 0);
    edges->addWidget(cbZBDaempfRechts, 0, 1);
    edges->addWidget(cbZBDaempfHinten, 1, 0);
    edges->addWidget(cbZBDaempfVorne, 1, 1);
    lblRandBreite = new QLabel;
    lblRandBreite->setObjectName(QStringLiteral("lblRandBreite"));
    showEdgeWidth();
    edges->addWidget(lblRandBreite, 2, 0, 1, 2);
    edges->addWidget(tbDaempfRand, 3, 0, 1, 2);
    auto* RandArt =
        new HelpLabel(QStringLiteral("Art der Ränder:"), help::RandArt, help::kRaenderPage);
    RandArt->setObjectName(QStringLiteral("RandArt"));
    edges->addWidget(RandArt, 4, 0, 1, 2);
    cbKaumReflektierend = new QCheckBox(QStringLiteral("kaum reflektierend"));
    cbKaumReflektierend->setObjectName(QStringLiteral("cbKaumReflektierend"));
    cbKaumReflektierend->setToolTip(help::RandArt);
    edges->addWidget(cbKaumReflektierend, 5, 0, 1, 2);
    grid->addWidget(panDaempf, grid->rowCount(), 0, 1, 2);

    for (QCheckBox* box : {cbZBDaempfLinks, cbZBDaempfRechts, cbZBDaempfVorne, cbZBDaempfHinten}) {
        connect(box, &QCheckBox::toggled, this, &TankBox::edgesChanged);
    }
    connect(tbDaempfRand, &QSlider::valueChanged, this, &TankBox::showEdgeWidth);
    connect(tbDaempfRand, &QSlider::valueChanged, this, &TankBox::edgesChanged);
    connect(cbKaumReflektierend, &QCheckBox::toggled, this, [this] {
        const int32_t kind = shownEdgeKind();
        document_.edit(QStringLiteral("Ränder ändern"), [&](TZBecken& t) { t.RandArt = kind; });
    });
    for (QRadioButton* rb : {rbReflOhnePhS, rbReflMitPhS, rbDaempf}) {
        connect(rb, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked) {
                edgeBehaviourChosen();
            }
        });
    }
}

void TankBox::showEdgeWidth() {
    lblRandBreite->setText(QStringLiteral("Breite der Ränder: %1").arg(tbDaempfRand->value()));
}

EdgeChoice TankBox::shownEdgeChoice() const {
    return rbReflOhnePhS->isChecked()  ? EdgeChoice::NoPhaseJump
           : rbReflMitPhS->isChecked() ? EdgeChoice::PhaseJump
                                       : EdgeChoice::Choosable;
}

int32_t TankBox::shownEdgeKind() const {
    return shownEdgeChoice() == EdgeChoice::Choosable && cbKaumReflektierend->isChecked() ? 1 : 0;
}

void TankBox::edgesChanged() {
    document_.edit(QStringLiteral("Ränder ändern"), [&](TZBecken& t) {
        t.SetEdges(cbZBDaempfVorne->isChecked(), cbZBDaempfHinten->isChecked(),
                   cbZBDaempfLinks->isChecked(), cbZBDaempfRechts->isChecked(),
                   tbDaempfRand->value());
        t.RandWahl = shownEdgeChoice();
        t.RandArt = shownEdgeKind();
    });
}

void TankBox::edgeBehaviourChosen() {
    const bool choosable = rbDaempf->isChecked();
    panDaempf->setVisible(choosable);
    bool controlsChanged = false;
    if (!choosable) {
        // The four edges and the width follow the choice in one step.
        const bool phaseJump = rbReflMitPhS->isChecked();
        const QSignalBlocker blocks[] = {
            QSignalBlocker(cbZBDaempfLinks), QSignalBlocker(cbZBDaempfRechts),
            QSignalBlocker(cbZBDaempfVorne), QSignalBlocker(cbZBDaempfHinten),
            QSignalBlocker(tbDaempfRand)};
        for (QCheckBox* box :
             {cbZBDaempfLinks, cbZBDaempfRechts, cbZBDaempfVorne, cbZBDaempfHinten}) {
            controlsChanged = controlsChanged || box->isChecked() != phaseJump;
            box->setChecked(phaseJump);
        }
        if (phaseJump && tbDaempfRand->value() != 1) {
            controlsChanged = true;
            tbDaempfRand->setValue(1);
            showEdgeWidth();
        }
    }
    if (controlsChanged) {
        edgesChanged();
        return;
    }
    // A pick that changes no edge still is the user's choice, remembered with the tank.
    const EdgeChoice choice = shownEdgeChoice();
    const int32_t kind = shownEdgeKind();
    document_.edit(QStringLiteral("Ränder ändern"), [&](TZBecken& t) {
        t.RandWahl = choice;
        t.RandArt = kind;
    });
}

void TankBox::commitTypedSize() {
    if (sizeTyped_) {
        sizeChanged();
    }
}

void TankBox::sizeChanged() {
    sizeTyped_ = false;
    if (sizeCheck_ && !sizeCheck_(seXGr->value(), seYGr->value()) && document_.hasTank()) {
        const QSignalBlocker quietX(seXGr), quietY(seYGr);
        seXGr->setValue(document_.tank().GroesseX);
        seYGr->setValue(document_.tank().GroesseY);
        return;
    }
    document_.edit(QStringLiteral("Größe ändern"),
                   [&](TZBecken& t) { t.SetSize(seXGr->value(), seYGr->value()); });
}

void TankBox::startNewTank(int32_t x, int32_t y) {
    seXGr->setValue(x);
    seYGr->setValue(y);
    sizeChanged(); // also when the fields showed these values already
    rbReflOhnePhS->setChecked(true);
    {
        const QSignalBlocker quiet(cbKaumReflektierend); // a new tank has the designed edges
        cbKaumReflektierend->setChecked(false);
    }
    edgeBehaviourChosen();
    seStandardDaempf->setValue(0);
    tbStandardKoppl->setValue(80);
    document_.edit(QStringLiteral("Neu"), [](TZBecken& t) {
        t.StandardDaempfung = 0.0;
        t.StandardKopplung = 4.0;
    });
}

void TankBox::showLoadedTank() {
    if (!document_.hasTank()) {
        return;
    }
    const TZBecken& t = document_.tank();
    const QSignalBlocker blocks[] = {QSignalBlocker(seStandardDaempf),
                                     QSignalBlocker(tbStandardKoppl),
                                     QSignalBlocker(seXGr),
                                     QSignalBlocker(seYGr),
                                     QSignalBlocker(rbReflOhnePhS),
                                     QSignalBlocker(rbReflMitPhS),
                                     QSignalBlocker(rbDaempf),
                                     QSignalBlocker(cbZBDaempfLinks),
                                     QSignalBlocker(cbZBDaempfRechts),
                                     QSignalBlocker(cbZBDaempfVorne),
                                     QSignalBlocker(cbZBDaempfHinten),
                                     QSignalBlocker(tbDaempfRand),
                                     QSignalBlocker(cbKaumReflektierend)};
    seXGr->setValue(t.GroesseX);
    seYGr->setValue(t.GroesseY);
    sizeTyped_ = false;
    seStandardDaempf->setValueFrom(t.StandardDaempfung * 100);
    tbStandardKoppl->setValue(roundIntoRange(t.StandardKopplung * 20, tbStandardKoppl->minimum(),
                                             tbStandardKoppl->maximum()));
    cbZBDaempfVorne->setChecked(t.RandHinten);
    cbZBDaempfHinten->setChecked(t.RandVorne);
    cbZBDaempfLinks->setChecked(t.RandLinks);
    cbZBDaempfRechts->setChecked(t.RandRechts);
    tbDaempfRand->setValue(t.RandBreite);
    showEdgeWidth();
    cbKaumReflektierend->setChecked(t.RandArt != 0);
    const EdgeChoice shown = t.edgeChoice();
    QRadioButton* choice = shown == EdgeChoice::NoPhaseJump ? rbReflOhnePhS
                           : shown == EdgeChoice::PhaseJump ? rbReflMitPhS
                                                            : rbDaempf;
    choice->setChecked(true);
    panDaempf->setVisible(choice == rbDaempf);
}

} // namespace zb::ui
