// The gallery as a whole: enough experiments, every phenomenon present, every text well formed,
// and every experiment held to its text by a claims test of its own.
#include "gallery_text.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>

namespace zb {
namespace {

TEST(GalleryCatalogue, EveryExperimentIsReadableAndHasItsClaimsTest) {
    std::vector<std::string> problems;
    const std::vector<GalleryEntry> entries = readGallery(ZB_GALLERY_DIR, &problems);
    for (const std::string& p : problems)
        ADD_FAILURE() << p;
    EXPECT_GE(entries.size(), 30u);

    std::set<std::string> groups, names, claimTests;
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    for (int s = 0; s < unit.total_test_suite_count(); ++s) {
        const ::testing::TestSuite& suite = *unit.GetTestSuite(s);
        if (std::string(suite.name()) == "GalleryClaims")
            for (int t = 0; t < suite.total_test_count(); ++t)
                claimTests.insert(suite.GetTestInfo(t)->name());
    }
    for (const GalleryEntry& e : entries) {
        groups.insert(e.group);
        EXPECT_TRUE(names.insert(claimTestName(e.name)).second) << "twice: " << e.name;
        EXPECT_TRUE(claimTests.count(claimTestName(e.name)))
            << "no test GalleryClaims." << claimTestName(e.name) << " for " << e.name;
        TZBecken tank;
        EXPECT_EQ(tank.read(e.tankPath), TankReadResult::Ok) << e.tankPath;
    }
    EXPECT_EQ(groups.size(), std::size(kGalleryGroups));
}

} // namespace
} // namespace zb
