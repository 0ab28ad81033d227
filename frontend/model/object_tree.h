// The object tree the editor shows, as plain data: the root stands for the tank, four groups
// always follow in a fixed order ("Messpunkte", "Medien" and "Gebogene Wände" after them when the
// tank holds such an object), and every object sits under its kind's group in list order.
#pragma once

#include "model/objects.h"

#include <string>
#include <vector>

namespace zb {

struct ObjectTreeNode {
    std::string text;
    int parent; // index of the parent node, -1 for the root
    int entry;  // index in the object list, -1 for a group
};

struct ObjectTree {
    std::vector<ObjectTreeNode> nodes; // parents before their children
    int selected = -1;                 // node of the entry to select, -1 when there is none
};

// Entries of kinds without a group get no node.
ObjectTree buildObjectTree(const TObjektListe& list, int selectIndex);

} // namespace zb
