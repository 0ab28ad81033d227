// The lit relief is drawn with the normals the steps would have left, also after steps in views
// that need none.
#include "gl_fixture.h"
#include "sim/step.h"

namespace zb::test {

using NormalsOnDemand = GlTest;

TEST_F(NormalsOnDemand, TheFirstLitFrameAfterTheFlatViewAndTheWireFrameHasTheStepsNormals) {
    newPool(31, 31);
    ZBDLL_AddExciter(15, 15, 3, 3, 0, 40.0, 0.3, true);
    Pool full = clonePool(pool());
    ZBDLL_SetPaused(false);
    auto frames = [&](int n) {
        for (int k = 0; k < n; ++k) {
            ZBDLL_NextFrame();
            stepPool(full, gEngine.simSpeed, gEngine.simTime, true);
        }
    };
    frames(10);
    ZBDLL_Set3dMode(true); // the wire frame
    frames(10);
    lookDown(1.5);
    capture(false);
    EXPECT_NE(firstDifference(pool(), full), -1) << "neither view needs the normals";
    ZBDLL_SetViewParameters(false, false);
    capture(false);
    EXPECT_EQ(firstDifference(pool(), full), -1);
}

} // namespace zb::test
