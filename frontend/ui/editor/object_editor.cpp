#include "editor/object_editor.h"

#include "base/user_dialogs.h"
#include "editor/arc_wall_box.h"
#include "editor/exciter_box.h"
#include "editor/material_box.h"
#include "editor/medium_box.h"
#include "editor/parabola_wall_box.h"
#include "editor/probe_box.h"
#include "editor/screen_box.h"
#include "editor/tank_box.h"
#include "editor/wall_box.h"
#include "model/object_tree.h"
#include "widgets/compact_group_box.h"
#include "widgets/spin_edit.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace zb::ui {

namespace {

// The combo box's items, in order, with the kind each inserts and the group it belongs to.
struct KindItem {
    const char* item;
    int32_t art;
    const char* group;
};
const KindItem kKinds[] = {
    {"Erreger", kArtErreger, "Erreger"},
    {"Wand", kArtWand, "Wände"},
    {"Schirm", kArtSchirm, "Schirme"},
    {"Materialübergang", kArtMatUebergang, "Materialübergang"},
    {"Messpunkt", kArtMesspunkt, "Messpunkte"},
    {"Medium", kArtMedium, "Medien"},
    {"Kreisbogen", kArtKreisbogen, "Gebogene Wände"},
    {"Parabel", kArtParabel, "Gebogene Wände"},
};
constexpr int kKindCount = int(std::size(kKinds));

// The serial of the node's object; 0 for a group node.
uint64_t serialOf(const QTreeWidgetItem* node) {
    return node ? node->data(0, Qt::UserRole).value<quint64>() : 0;
}

} // namespace

ObjectEditor::ObjectEditor(TankDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), selection_(new Selection(document, this)) {
    setObjectName(QStringLiteral("editor"));
    connect(selection_, &Selection::selectRequested, this, &ObjectEditor::selectObject);
    connect(selection_, &Selection::removeRequested, this, &ObjectEditor::deleteSelected);
    connect(selection_, &Selection::showAgainRequested, this, &ObjectEditor::showSelected);
    connect(selection_, &Selection::insertRequested, this, &ObjectEditor::insertPlaced);
    gbWannenWerte = new TankBox(document_);
    gbWand = new WallBox(document_);
    gbSchirm = new ScreenBox(document_);
    gbMatUebergang = new MaterialBox(document_);
    gbErreger = new ExciterBox(document_);
    gbMesspunkt = new ProbeBox(document_);
    gbMedium = new MediumBox(document_);
    gbKreisbogen = new ArcWallBox(document_);
    gbParabel = new ParabolaWallBox(document_);

    // The boxes can be taller than the strip on small screens; they scroll rather than squeeze.
    auto* boxes = new QWidget;
    auto* boxesLayout = new QVBoxLayout(boxes);
    boxesLayout->setContentsMargins(0, 0, 0, 0);
    for (QGroupBox* box : propertyBoxes()) {
        boxesLayout->addWidget(box);
        box->hide();
    }
    boxesLayout->addStretch(1);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("propertyArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(boxes);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(buildTreeBox());
    layout->addWidget(scroll, 1);

    for (ObjectBox* box : std::initializer_list<ObjectBox*>{
             gbWand, gbSchirm, gbMatUebergang, gbErreger, gbMedium, gbKreisbogen, gbParabel}) {
        connect(box, &ObjectBox::helpTextRequested, this, &ObjectEditor::helpTextRequested);
    }
    connect(gbMesspunkt, &ProbeBox::renamed, this, [this] {
        const int index = document_.indexOf(serialOf(tvObjekte->currentItem()));
        FillTree(index >= 0 ? index : 0);
    });
    // The nodes of another tank's objects would find nothing; show none until refilled.
    connect(&document_, &TankDocument::replaced, this, [this] { FillTree(-1); });
    // After undo or redo the same object stays selected, now with its earlier values.
    connect(&document_, &TankDocument::reverted, this, [this] {
        const int index = document_.indexOf(serialOf(tvObjekte->currentItem()));
        gbWannenWerte->showLoadedTank();
        FillTree(index >= 0 ? index : 0);
    });
    // A number typed to its end, a slider let go, a click or a choice ends one step of the
    // history (connected after the boxes' own handlers, so it comes after their edits).
    for (SpinEdit* field : findChildren<SpinEdit*>()) {
        connect(field, &SpinEdit::editingFinished, &document_, &TankDocument::endGesture);
    }
    for (QSlider* slider : findChildren<QSlider*>()) {
        connect(slider, &QSlider::sliderReleased, &document_, &TankDocument::endGesture);
    }
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        connect(button, &QAbstractButton::clicked, &document_, &TankDocument::endGesture);
    }
    for (QComboBox* choice : findChildren<QComboBox*>()) {
        connect(choice, &QComboBox::activated, &document_, &TankDocument::endGesture);
    }
    for (QDoubleSpinBox* field : findChildren<QDoubleSpinBox*>()) {
        connect(field, &QDoubleSpinBox::editingFinished, &document_, &TankDocument::endGesture);
    }
}

std::vector<QGroupBox*> ObjectEditor::propertyBoxes() const {
    return {gbWannenWerte, gbWand,   gbSchirm,     gbMatUebergang, gbErreger,
            gbMesspunkt,   gbMedium, gbKreisbogen, gbParabel};
}

QWidget* ObjectEditor::buildTreeBox() {
    auto* box = new CompactGroupBox(QStringLiteral("Objekte der Zitterbecken"));
    box->setObjectName(QStringLiteral("gbObjekte"));
    Label2 =
        new QLabel(QStringLiteral("Wählen Sie ein Objekt, um dessen Eigenschaften zu bearbeiten:"));
    Label2->setWordWrap(true);
    tvObjekte = new QTreeWidget;
    tvObjekte->setObjectName(QStringLiteral("tvObjekte"));
    tvObjekte->setHeaderHidden(true);
    tvObjekte->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvObjekte->setAutoExpandDelay(0);
    tvObjekte->setMinimumHeight(90);
    tvObjekte->setMaximumHeight(130); // the property boxes need the height more
    btnObjektLoeschen = new QPushButton(QStringLiteral("Objekt löschen"));
    btnObjektLoeschen->setObjectName(QStringLiteral("btnObjektLoeschen"));
    btnObjektLoeschen->setEnabled(false);
    btnObjektLoeschen->setToolTip(QStringLiteral("Löscht das ausgewählte Objekt."));
    cbNeuesObjekt = new QComboBox;
    cbNeuesObjekt->setObjectName(QStringLiteral("cbNeuesObjekt"));
    for (const KindItem& kind : kKinds) {
        cbNeuesObjekt->addItem(QString::fromUtf8(kind.item));
    }
    cbNeuesObjekt->setCurrentIndex(-1);
    cbNeuesObjekt->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbNeuesObjekt->setMinimumContentsLength(6);
    cbNeuesObjekt->setPlaceholderText(QStringLiteral("Objektart"));
    btnNeuesObjekt = new QPushButton(QStringLiteral("Einfügen"));
    btnNeuesObjekt->setObjectName(QStringLiteral("btnNeuesObjekt"));

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(Label2);
    layout->addWidget(tvObjekte, 1);
    layout->addWidget(btnObjektLoeschen);
    auto* insertRow = new QHBoxLayout;
    insertRow->addWidget(cbNeuesObjekt, 1);
    insertRow->addWidget(btnNeuesObjekt);
    layout->addLayout(insertRow);

    connect(tvObjekte, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { nodeSelected(node); });
    connect(btnObjektLoeschen, &QPushButton::clicked, this, &ObjectEditor::deleteSelected);
    connect(btnNeuesObjekt, &QPushButton::clicked, this, &ObjectEditor::insertObject);
    connect(cbNeuesObjekt, &QComboBox::currentIndexChanged, this, &ObjectEditor::updateInsertHint);
    updateInsertHint();
    return box;
}

const TObjekt* ObjectEditor::selectedObject() const {
    return document_.find(serialOf(tvObjekte->currentItem()));
}

void ObjectEditor::selectObject(uint64_t serial) {
    const int index = document_.indexOf(serial);
    const uint64_t wanted = index > 0             ? serial
                            : document_.hasTank() ? document_.tank().Objekte->at(0).serial()
                                                  : 0;
    for (QTreeWidgetItemIterator it(tvObjekte); *it; ++it) {
        if (serialOf(*it) == wanted && wanted != 0) {
            if (tvObjekte->currentItem() != *it) {
                tvObjekte->setCurrentItem(*it);
            }
            return;
        }
    }
}

void ObjectEditor::showSelected() {
    showNode(tvObjekte->currentItem()); // within a gesture: it goes on
    selection_->setCurrent(serialOf(tvObjekte->currentItem()));
}

void ObjectEditor::FillTree(int selectIndex) {
    {
        const QSignalBlocker quiet(tvObjekte);
        tvObjekte->clear();
    }
    if (!document_.hasTank()) {
        nodeSelected(nullptr);
        return;
    }
    const TObjektListe& list = *document_.tank().Objekte;
    const ObjectTree tree = buildObjectTree(list, selectIndex);
    std::vector<QTreeWidgetItem*> items;
    items.reserve(tree.nodes.size());
    for (const ObjectTreeNode& node : tree.nodes) {
        auto* item = node.parent < 0 ? new QTreeWidgetItem(tvObjekte)
                                     : new QTreeWidgetItem(items[size_t(node.parent)]);
        item->setText(0, QString::fromStdString(node.text));
        const uint64_t serial = node.entry >= 0 ? list.at(node.entry).serial() : 0;
        item->setData(0, Qt::UserRole, QVariant::fromValue(quint64(serial)));
        items.push_back(item);
    }
    tvObjekte->expandAll();
    if (tree.selected >= 0) {
        tvObjekte->setCurrentItem(items[size_t(tree.selected)]);
    } else {
        nodeSelected(nullptr);
    }
}

void ObjectEditor::nodeSelected(QTreeWidgetItem* node) {
    for (QGroupBox* box : propertyBoxes()) {
        box->hide();
    }
    btnObjektLoeschen->setEnabled(false);
    document_.endGesture();
    showNode(node);
    selection_->setCurrent(serialOf(node));
}

void ObjectEditor::showNode(QTreeWidgetItem* node) {
    if (!node) {
        return;
    }
    // Showing writes back what the controls can represent; that is not a step of its own.
    const TankDocument::Quiet quiet(document_);
    node->setExpanded(true);
    const TObjekt* object = document_.find(serialOf(node));
    if (!object) {
        for (int k = 0; k < kKindCount; ++k) {
            if (node->text(0) == QString::fromUtf8(kKinds[k].group)) {
                cbNeuesObjekt->setCurrentIndex(k); // a shared group offers its first kind
                break;
            }
        }
        return;
    }
    switch (object->Art) {
    case kArtBecken:
        gbWannenWerte->show();
        return;
    case kArtWand:
        gbWand->showObject(*object);
        gbWand->show();
        break;
    case kArtSchirm:
        gbSchirm->show();
        gbSchirm->showObject(*object);
        break;
    case kArtMatUebergang:
        gbMatUebergang->show();
        gbMatUebergang->showObject(*object);
        break;
    case kArtErreger:
        gbErreger->showObject(*object);
        gbErreger->show();
        break;
    case kArtMesspunkt:
        if (!object->messpunkt()) {
            return; // a code 5 from a file that had no probes yet
        }
        gbMesspunkt->showObject(*object);
        gbMesspunkt->show();
        break;
    case kArtMedium:
    case kArtKreisbogen:
    case kArtParabel:
        if (!object->hasDaten()) {
            return;
        }
        if (object->medium()) {
            gbMedium->showObject(*object);
            gbMedium->show();
        } else if (object->kreisbogen()) {
            gbKreisbogen->showObject(*object);
            gbKreisbogen->show();
        } else {
            gbParabel->showObject(*object);
            gbParabel->show();
        }
        break;
    default:
        return;
    }
    btnObjektLoeschen->setEnabled(true);
}

void ObjectEditor::deleteSelected() {
    const TObjekt* object = selectedObject();
    if (!object || object->Art == kArtBecken) {
        return;
    }
    document_.remove(object->serial(),
                     QStringLiteral("%1 löschen").arg(QString::fromStdString(object->Name)));
    FillTree(document_.tank().Objekte->Count() - 1);
}

QString ObjectEditor::newObjectName(int32_t art) const {
    const KindItem* kind = nullptr;
    for (const KindItem& k : kKinds) {
        if (k.art == art) {
            kind = &k;
        }
    }
    // One more than the highest number already used, so names stay unique after deletions.
    const QRegularExpression numbered(
        QStringLiteral("^%1 (\\d+)$")
            .arg(QRegularExpression::escape(QString::fromUtf8(kind->item))));
    int highest = 0;
    const TObjektListe& list = *document_.tank().Objekte;
    for (int k = 1; k < list.Count(); ++k) {
        const auto match = numbered.match(QString::fromStdString(list.at(k).Name));
        if (match.hasMatch()) {
            highest = qMax(highest, match.captured(1).toInt());
        }
    }
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(kind->item)).arg(highest + 1);
}

std::unique_ptr<TObjekt> ObjectEditor::newObject(int32_t art) const {
    auto object = std::make_unique<TObjekt>(art, newObjectName(art).toStdString());
    const TZBecken& tank = document_.tank();
    if (TMesspunkt* m = object->messpunkt()) {
        m->Farbe = nextProbeColour(tank);
    }
    // The records' sizes suit the designed 100 x 50 tank; a smaller one gets a smaller object,
    // whole inside it.
    const int32_t cx = tank.GroesseX / 2, cy = tank.GroesseY / 2;
    const int32_t reach = std::max(1, std::min(cx, cy) - 1); // from the middle to the border
    if (TMedium* m = object->medium()) {
        m->X = cx;
        m->Y = cy;
        m->Breite = std::clamp(tank.GroesseX / 2, 1, m->Breite);
        m->Hoehe = std::clamp(tank.GroesseY / 2, 1, m->Hoehe);
        // Half the coupling, as a new material change: slower waves, so an ellipse gathers them.
        m->Kopplung = std::nearbyint(tank.StandardKopplung * 10.0) / 20.0;
        m->Daempfung = tank.StandardDaempfung;
    } else if (TKreisbogen* a = object->kreisbogen()) {
        a->X = cx;
        a->Y = cy;
        a->Radius = std::min(a->Radius, reach);
    } else if (TParabel* p = object->parabel()) {
        // Opening to the right, the mirror spans the focus's column and reaches back by the
        // focal length: the ends lie at the focus's height when the width is four focal lengths.
        p->X = cx;
        p->Y = cy;
        p->Brennweite = std::min(p->Brennweite, std::max(1, reach / 2));
        p->Breite = 4 * p->Brennweite;
    }
    return object;
}

void ObjectEditor::insertObject() {
    const int choice = cbNeuesObjekt->currentIndex();
    if (!document_.hasTank() || choice < 0 || choice >= kKindCount) {
        return;
    }
    const TZBecken& tank = document_.tank();
    const int32_t art = kKinds[choice].art;
    if (!mayInsert(art)) {
        return;
    }
    std::unique_ptr<TObjekt> object = newObject(art);
    if (TMatUebergang* m = object->matUebergang()) {
        // Halfway down, into a medium with half the coupling (slower waves), damped like the rest.
        m->Y = tank.GroesseY / 2;
        m->Kopplung = std::nearbyint(tank.StandardKopplung * 10.0) / 20.0;
        m->Daempfung = tank.StandardDaempfung;
    }
    const QString what = QStringLiteral("%1 einfügen").arg(QString::fromStdString(object->Name));
    document_.insert(std::move(object), what);
    FillTree(tank.Objekte->Count() - 1);
}

void ObjectEditor::insertPlaced(int32_t art, const std::function<void(TObjekt&)>& place) {
    if (!mayInsert(art)) {
        return;
    }
    std::unique_ptr<TObjekt> object = newObject(art);
    place(*object);
    const QString what = QStringLiteral("%1 einfügen").arg(QString::fromStdString(object->Name));
    const uint64_t serial = document_.insert(std::move(object), what);
    FillTree(document_.indexOf(serial));
}

bool ObjectEditor::mayInsert(int32_t art) const {
    if (art != kArtMesspunkt || !document_.hasTank()) {
        return true;
    }
    const TObjektListe& list = *document_.tank().Objekte;
    int probes = 0;
    for (int k = 1; k < list.Count(); ++k) {
        probes += list.at(k).messpunkt() ? 1 : 0; // as the engine counts them
    }
    if (probes < kMaxMesspunkte) {
        return true;
    }
    userDialogs().error(QStringLiteral("Messpunkt einfügen"),
                        QStringLiteral("Eine Zitterbecken kann höchstens %1 Messpunkte haben. "
                                       "Löschen Sie zuerst einen der vorhandenen Messpunkte.")
                            .arg(kMaxMesspunkte));
    return false;
}

void ObjectEditor::updateInsertHint() {
    btnNeuesObjekt->setToolTip(
        cbNeuesObjekt->currentIndex() < 0
            ? QStringLiteral("Wählen Sie zuerst links die Art des neuen Objekts aus.")
            : QStringLiteral("Fügt ein neues Objekt der links gewählten Art ein."));
}

} // namespace zb::ui
