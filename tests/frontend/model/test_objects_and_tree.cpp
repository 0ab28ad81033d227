#include "model/object_tree.h"
#include "model/tank.h"

#include <gtest/gtest.h>

namespace zb::test {

namespace {

TObjekt& add(TObjektListe& list, int32_t art, const std::string& name) {
    return list.add(std::make_unique<TObjekt>(art, name));
}

// "text<parent" for every node, to compare whole trees at a glance.
std::vector<std::string> shape(const ObjectTree& tree) {
    std::vector<std::string> s;
    for (const ObjectTreeNode& n : tree.nodes)
        s.push_back(n.text + "<" + std::to_string(n.parent));
    return s;
}

} // namespace

TEST(ObjectList, NewListHoldsOnlyTheTankAndGroupsAlwaysShow) {
    TObjektListe list;
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.at(0).Art, kArtBecken);
    EXPECT_FALSE(list.at(0).hasDaten());
    const ObjectTree tree = buildObjectTree(list, 0);
    EXPECT_EQ(shape(tree), (std::vector<std::string>{"Zitterbecken<-1", "Erreger<0", "Wände<0",
                                                     "Schirme<0", "Materialübergang<0"}));
    EXPECT_EQ(tree.selected, 0);
    EXPECT_EQ(buildObjectTree(list, 5).selected, -1);
}

TEST(ObjectList, EntriesSitUnderTheirGroupInListOrder) {
    TObjektListe list;
    add(list, kArtWand, "Wand A");
    add(list, kArtErreger, "Erreger");
    add(list, kArtWand, "Wand B");
    add(list, 9, "fremd"); // from a foreign file: no group
    add(list, kArtMatUebergang, "Glas");
    add(list, kArtSchirm, "Schirm");
    const ObjectTree tree = buildObjectTree(list, 3);
    EXPECT_EQ(shape(tree),
              (std::vector<std::string>{"Zitterbecken<-1", "Erreger<0", "Wände<0", "Schirme<0",
                                        "Materialübergang<0", "Wand A<2", "Erreger<1", "Wand B<2",
                                        "Glas<4", "Schirm<3"}));
    ASSERT_GE(tree.selected, 0);
    EXPECT_EQ(tree.nodes[size_t(tree.selected)].text, "Wand B");
    EXPECT_EQ(tree.nodes[size_t(tree.selected)].entry, 3);
    EXPECT_EQ(buildObjectTree(list, 4).selected, -1) << "the unknown entry has no node";
    EXPECT_EQ(list.Count(), 7) << "it stays in the list";
}

TEST(ObjectList, ProbesGetTheirGroupOnlyWhenTheTankHasOne) {
    TObjektListe list;
    add(list, kArtWand, "Wand");
    list.add(TObjekt::withoutRecord(kArtMesspunkt, "alt")); // a version 2 file's code 5
    EXPECT_EQ(buildObjectTree(list, 0).nodes.size(), 6u) << "no group, no node for it";
    add(list, kArtMesspunkt, "Messpunkt 1");
    add(list, kArtSchirm, "Schirm");
    add(list, kArtMesspunkt, "Messpunkt 2");
    const ObjectTree tree = buildObjectTree(list, 5);
    EXPECT_EQ(shape(tree),
              (std::vector<std::string>{"Zitterbecken<-1", "Erreger<0", "Wände<0", "Schirme<0",
                                        "Materialübergang<0", "Messpunkte<0", "Wand<2",
                                        "Messpunkt 1<5", "Schirm<3", "Messpunkt 2<5"}));
    EXPECT_EQ(tree.nodes[size_t(tree.selected)].text, "Messpunkt 2");
    EXPECT_EQ(buildObjectTree(list, 2).selected, -1);
}

TEST(ObjectList, MediaAndCurvedWallsGetTheirGroupsOnlyWhenTheTankHasThem) {
    TObjektListe list;
    add(list, kArtWand, "Wand");
    list.add(TObjekt::withoutRecord(kArtMedium, "leer")); // a code without its record
    EXPECT_EQ(shape(buildObjectTree(list, 0)).size(), 6u) << "no group, no node for it";
    add(list, kArtParabel, "Parabel 1");
    add(list, kArtMedium, "Medium 1");
    add(list, kArtMesspunkt, "Messpunkt 1");
    add(list, kArtKreisbogen, "Kreisbogen 1");
    const ObjectTree tree = buildObjectTree(list, 5);
    // The groups keep one order, whichever kind came first.
    EXPECT_EQ(shape(tree),
              (std::vector<std::string>{"Zitterbecken<-1", "Erreger<0", "Wände<0", "Schirme<0",
                                        "Materialübergang<0", "Messpunkte<0", "Medien<0",
                                        "Gebogene Wände<0", "Wand<2", "Parabel 1<7", "Medium 1<6",
                                        "Messpunkt 1<5", "Kreisbogen 1<7"}));
    EXPECT_EQ(tree.nodes[size_t(tree.selected)].text, "Messpunkt 1");
}

TEST(ObjectList, RemovingHandsTheEntryOverAndTheTankEntryStays) {
    TObjektListe list;
    add(list, kArtWand, "a");
    TObjekt& second = add(list, kArtSchirm, "b");
    std::unique_ptr<TObjekt> removed = list.remove(2);
    EXPECT_EQ(removed.get(), &second);
    EXPECT_EQ(removed->schirm()->Position, 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.remove(0), std::out_of_range);
    EXPECT_THROW(list.remove(2), std::out_of_range);
}

TEST(ObjectList, RecordsStartWithTheirDefaults) {
    const TObjekt erreger(kArtErreger);
    ASSERT_NE(erreger.erreger(), nullptr);
    EXPECT_EQ(erreger.erreger()->Breite, erreger.erreger()->Laenge); // radial
    EXPECT_EQ(1000.0 / erreger.erreger()->Frequenz * 50.0, 5000.0);  // period shown
    EXPECT_TRUE(erreger.erreger()->Fest);
    EXPECT_TRUE(erreger.erreger()->Merker);
    const TObjekt wand(kArtWand);
    EXPECT_EQ(wand.wand()->Laenge, 100);
    EXPECT_EQ(wand.wand()->Spaltbreite, 8);
    EXPECT_EQ(wand.wand()->Spaltabstand, 20);
    EXPECT_EQ(wand.erreger(), nullptr);
    EXPECT_FALSE(TObjekt(9).hasDaten());
    const TZBecken tank;
    EXPECT_EQ(tank.GroesseX, 0);
    EXPECT_EQ(tank.StandardKopplung, 0.0);
    EXPECT_FALSE(tank.RandLinks);
    EXPECT_EQ(tank.Objekte->Count(), 1);
}

} // namespace zb::test
