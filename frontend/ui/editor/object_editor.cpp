#include "editor/object_editor.h"

#include "editor/exciter_box.h"
#include "editor/material_box.h"
#include "editor/screen_box.h"
#include "editor/tank_box.h"
#include "editor/wall_box.h"
#include "model/object_tree.h"
#include "widgets/compact_group_box.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>
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
};

TObjekt* objectOf(const QTreeWidgetItem* node) {
    return node ? reinterpret_cast<TObjekt*>(node->data(0, Qt::UserRole).value<quintptr>())
                : nullptr;
}

} // namespace

ObjectEditor::ObjectEditor(QWidget* parent) : QWidget(parent) {
    gbWannenWerte = new TankBox;
    gbWand = new WallBox;
    gbSchirm = new ScreenBox;
    gbMatUebergang = new MaterialBox;
    gbErreger = new ExciterBox;

    // The boxes can be taller than the strip on small screens; they scroll rather than squeeze.
    auto* boxes = new QWidget;
    auto* boxesLayout = new QVBoxLayout(boxes);
    boxesLayout->setContentsMargins(0, 0, 0, 0);
    QGroupBox* all[] = {gbWannenWerte, gbWand, gbSchirm, gbMatUebergang, gbErreger};
    for (QGroupBox* box : all) {
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

    connect(gbWannenWerte, &TankBox::refreshRequested, this, &ObjectEditor::refreshRequested);
    for (ObjectBox* box :
         std::initializer_list<ObjectBox*>{gbWand, gbSchirm, gbMatUebergang, gbErreger}) {
        connect(box, &ObjectBox::refreshRequested, this, &ObjectEditor::refreshRequested);
        connect(box, &ObjectBox::helpTextRequested, this, &ObjectEditor::helpTextRequested);
    }
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

void ObjectEditor::setTank(TZBecken* tank) {
    tank_ = tank;
    gbWannenWerte->setTank(tank);
}

TObjekt* ObjectEditor::selectedObject() const {
    return objectOf(tvObjekte->currentItem());
}

void ObjectEditor::FillTree(int selectIndex) {
    for (ObjectBox* box :
         std::initializer_list<ObjectBox*>{gbWand, gbSchirm, gbMatUebergang, gbErreger}) {
        box->forgetObject();
    }
    {
        const QSignalBlocker quiet(tvObjekte);
        tvObjekte->clear();
    }
    if (!tank_) {
        nodeSelected(nullptr);
        return;
    }
    const ObjectTree tree = buildObjectTree(*tank_->Objekte, selectIndex);
    std::vector<QTreeWidgetItem*> items;
    items.reserve(tree.nodes.size());
    for (const ObjectTreeNode& node : tree.nodes) {
        auto* item = node.parent < 0 ? new QTreeWidgetItem(tvObjekte)
                                     : new QTreeWidgetItem(items[size_t(node.parent)]);
        item->setText(0, QString::fromStdString(node.text));
        const TObjekt* object = node.entry >= 0 ? &tank_->Objekte->at(node.entry) : nullptr;
        item->setData(0, Qt::UserRole, QVariant::fromValue(quintptr(object)));
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
    QGroupBox* all[] = {gbWannenWerte, gbWand, gbSchirm, gbMatUebergang, gbErreger};
    for (QGroupBox* box : all) {
        box->hide();
    }
    btnObjektLoeschen->setEnabled(false);
    if (!node) {
        return;
    }
    node->setExpanded(true);
    TObjekt* object = objectOf(node);
    if (!object) {
        for (int k = 0; k < 4; ++k) {
            if (node->text(0) == QString::fromUtf8(kKinds[k].group)) {
                cbNeuesObjekt->setCurrentIndex(k);
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
    default:
        return;
    }
    btnObjektLoeschen->setEnabled(true);
}

void ObjectEditor::deleteSelected() {
    TObjekt* object = selectedObject();
    if (!tank_ || !object || object->Art == kArtBecken) {
        return;
    }
    TObjektListe& list = *tank_->Objekte;
    for (int k = 1; k < list.Count(); ++k) {
        if (&list.at(k) == object) {
            for (ObjectBox* box :
                 std::initializer_list<ObjectBox*>{gbWand, gbSchirm, gbMatUebergang, gbErreger}) {
                box->forgetObject();
            }
            list.remove(k);
            emit refreshRequested();
            FillTree(list.Count() - 1);
            return;
        }
    }
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
    const TObjektListe& list = *tank_->Objekte;
    for (int k = 1; k < list.Count(); ++k) {
        const auto match = numbered.match(QString::fromStdString(list.at(k).Name));
        if (match.hasMatch()) {
            highest = qMax(highest, match.captured(1).toInt());
        }
    }
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(kind->item)).arg(highest + 1);
}

void ObjectEditor::insertObject() {
    const int choice = cbNeuesObjekt->currentIndex();
    if (!tank_ || choice < 0 || choice >= 4) {
        return;
    }
    const int32_t art = kKinds[choice].art;
    auto object = std::make_unique<TObjekt>(art, newObjectName(art).toStdString());
    if (TMatUebergang* m = object->matUebergang()) {
        // Halfway down, into a medium with half the coupling (slower waves), damped like the rest.
        m->Y = tank_->GroesseY / 2;
        m->Kopplung = std::nearbyint(tank_->StandardKopplung * 10.0) / 20.0;
        m->Daempfung = tank_->StandardDaempfung;
    }
    tank_->Objekte->add(std::move(object));
    FillTree(tank_->Objekte->Count() - 1);
    emit refreshRequested();
}

void ObjectEditor::updateInsertHint() {
    btnNeuesObjekt->setToolTip(
        cbNeuesObjekt->currentIndex() < 0
            ? QStringLiteral("Wählen Sie zuerst links die Art des neuen Objekts aus.")
            : QStringLiteral("Fügt ein neues Objekt der links gewählten Art ein."));
}

} // namespace zb::ui
