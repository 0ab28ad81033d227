// libFuzzer target for the tank file reader: any bytes must parse into a tank or be refused,
// never crash, hang or leak; a tank that was read must write out and read back unchanged, and
// the engine must take it and step it.
#include "model/tank_file.h"
#include "zbengine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Larger pools test the allocator and the memory limit of the fuzzer, not the code: sides are
// cut down, while sizes that build no pool at all stay as they are.
constexpr int32_t kLargestSide = 160;

void stepInEngine(zb::TZBecken& tank) {
    if (tank.GroesseX > 0 && tank.GroesseY > 0)
        tank.SetSize(std::min(tank.GroesseX, kLargestSide), std::min(tank.GroesseY, kLargestSide));
    tank.TransferToEngine();
    ZBDLL_SetSimulationSpeed(0.0025f);
    ZBDLL_SetPaused(false);
    ZBDLL_EnableExciters(true);
    for (int k = 0; k < 4; ++k)
        ZBDLL_NextFrame();
    ZBDLL_ResetAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zb::TZBecken tank;
    if (zb::parseTank(data, size, tank) != zb::TankReadResult::Ok)
        return 0;
    const std::vector<uint8_t> written = zb::serializeTank(tank);
    zb::TZBecken again;
    if (zb::parseTank(written.data(), written.size(), again) != zb::TankReadResult::Ok ||
        zb::serializeTank(again) != written || again.Objekte->Count() != tank.Objekte->Count())
        std::abort();
    stepInEngine(tank);
    return 0;
}
