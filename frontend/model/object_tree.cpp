#include "model/object_tree.h"

namespace zb {

ObjectTree buildObjectTree(const TObjektListe& list, int selectIndex) {
    ObjectTree tree;
    tree.nodes.push_back({"Zitterbecken", -1, 0});
    if (selectIndex == 0)
        tree.selected = 0;
    // Node indices of the groups, in the order they are shown.
    const int erreger = 1, waende = 2, schirme = 3, material = 4;
    tree.nodes.push_back({"Erreger", 0, -1});
    tree.nodes.push_back({"Wände", 0, -1});
    tree.nodes.push_back({"Schirme", 0, -1});
    tree.nodes.push_back({"Materialübergang", 0, -1});
    // Tanks without probes keep the tree they always had.
    int messpunkte = -1;
    for (int k = 1; k < list.Count() && messpunkte < 0; ++k)
        if (list.at(k).messpunkt()) {
            messpunkte = int(tree.nodes.size());
            tree.nodes.push_back({"Messpunkte", 0, -1});
        }
    // Likewise the groups of the extended kinds, in this order, once such an object exists.
    int medien = -1, gebogen = -1;
    for (int k = 1; k < list.Count() && medien < 0; ++k)
        if (list.at(k).medium()) {
            medien = int(tree.nodes.size());
            tree.nodes.push_back({"Medien", 0, -1});
        }
    for (int k = 1; k < list.Count() && gebogen < 0; ++k)
        if (list.at(k).kreisbogen() || list.at(k).parabel()) {
            gebogen = int(tree.nodes.size());
            tree.nodes.push_back({"Gebogene Wände", 0, -1});
        }
    for (int k = 1; k < list.Count(); ++k) {
        const TObjekt& o = list.at(k);
        int group;
        switch (o.Art) {
        case kArtErreger:
            group = erreger;
            break;
        case kArtWand:
            group = waende;
            break;
        case kArtSchirm:
            group = schirme;
            break;
        case kArtMatUebergang:
            group = material;
            break;
        case kArtMedium:
        case kArtKreisbogen:
        case kArtParabel:
            if (!o.hasDaten())
                continue; // a code without its record has nothing to edit
            group = o.medium() ? medien : gebogen;
            break;
        default:
            if (!o.messpunkt())
                continue; // a foreign code, or a probe's code from a file that had no probes
            group = messpunkte;
            break;
        }
        if (k == selectIndex)
            tree.selected = int(tree.nodes.size());
        tree.nodes.push_back({o.Name, group, k});
    }
    return tree;
}

} // namespace zb
