// libFuzzer target for the tank file reader: any bytes must parse into a tank or be refused,
// never crash, hang or leak; a tank that was read must write out and read back unchanged.
#include "model/tank_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zb::TZBecken tank;
    if (zb::parseTank(data, size, tank) != zb::TankReadResult::Ok)
        return 0;
    const std::vector<uint8_t> written = zb::serializeTank(tank);
    zb::TZBecken again;
    if (zb::parseTank(written.data(), written.size(), again) != zb::TankReadResult::Ok ||
        zb::serializeTank(again) != written || again.Objekte->Count() != tank.Objekte->Count())
        std::abort();
    return 0;
}
