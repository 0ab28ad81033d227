// The object editor: the tank and its objects as a tree, and the property box of the selected
// node. Every change goes into the tank document, which tells whoever shows the tank.
#pragma once

#include "document/selection.h"
#include "document/tank_document.h"

#include <QWidget>

#include <memory>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zb::ui {

class ArcWallBox;
class ExciterBox;
class MaterialBox;
class MediumBox;
class ParabolaWallBox;
class ProbeBox;
class ScreenBox;
class TankBox;
class WallBox;

class ObjectEditor : public QWidget {
    Q_OBJECT

  public:
    explicit ObjectEditor(TankDocument& document, QWidget* parent = nullptr);

    // Rebuilds the tree, selects the node of list entry selectIndex and expands everything.
    void FillTree(int selectIndex);
    // The object of the selected node, nullptr for a group node (entry 0 is the tank).
    const TObjekt* selectedObject() const;
    // Selects the node of the object with this serial (the tank's node when there is none).
    void selectObject(uint64_t serial);
    // Shows the selected object's values again, after it was changed elsewhere.
    void showSelected();
    // "Objekt löschen".
    void deleteSelected();
    // "<Kind> <n>", one more than the highest number the kind's names use.
    QString newObjectName(int32_t art) const;
    // A new object of the kind for this tank, named as above; a probe takes the next free colour,
    // a medium or curved wall a size that fits the tank, around its middle.
    std::unique_ptr<TObjekt> newObject(int32_t art) const;
    // Whether the tank can take another object of this kind; says why not when it cannot (a
    // tank holds at most kMaxMesspunkte probes).
    bool mayInsert(int32_t art) const;
    // The selected node's object, shared with the flat view; the editor carries out its requests.
    Selection& selection() { return *selection_; }

    QLabel* Label2;
    QTreeWidget* tvObjekte;
    QPushButton* btnObjektLoeschen;
    QComboBox* cbNeuesObjekt;
    QPushButton* btnNeuesObjekt;
    TankBox* gbWannenWerte;
    WallBox* gbWand;
    ScreenBox* gbSchirm;
    MaterialBox* gbMatUebergang;
    ExciterBox* gbErreger;
    ProbeBox* gbMesspunkt;
    MediumBox* gbMedium;
    ArcWallBox* gbKreisbogen;
    ParabolaWallBox* gbParabel;

  signals:
    void helpTextRequested(const QString& title, const QString& file);

  private:
    QWidget* buildTreeBox();
    void nodeSelected(QTreeWidgetItem* node);
    void showNode(QTreeWidgetItem* node);
    void insertObject();
    void updateInsertHint();
    void insertPlaced(int32_t art, const std::function<void(TObjekt&)>& place);
    // Every property box, in the order they stack.
    std::vector<QGroupBox*> propertyBoxes() const;

    TankDocument& document_;
    Selection* selection_;
};

} // namespace zb::ui
