// The editor's marks are stored here, without GL, so that programs that never draw link them
// too; render/marks.cpp draws them.
#include "sim/engine_state.h"
#include "zbengine.h"

namespace zb {

namespace {

// An outline and a few handles need a dozen; a caller that forgets to clear stops here.
constexpr size_t kMaxMarks = 256;

void addMark(const Mark& mark) {
    std::vector<Mark>& marks = gEngine.view.marks;
    try {
        marks.reserve(kMaxMarks); // once; then no push_back below can allocate
    } catch (...) {
        return; // without memory for marks the picture goes without them
    }
    if (marks.size() < kMaxMarks)
        marks.push_back(mark);
}

} // namespace

} // namespace zb

using namespace zb;

extern "C" {

ZBDLL_API void ZBDLL_ClearMarks(void) {
    gEngine.view.marks.clear();
}

ZBDLL_API void ZBDLL_AddMarkLine(double i0, double j0, double i1, double j1) {
    addMark({false, i0, j0, i1, j1});
}

ZBDLL_API void ZBDLL_AddMarkHandle(double i, double j) {
    addMark({true, i, j, i, j});
}

} // extern "C"
