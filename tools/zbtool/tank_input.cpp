#include "tank_input.h"

namespace zbtool {

std::string readTank(const std::string& path, zb::TZBecken& tank) {
    const std::string name = "Datei „" + path + "“";
    zb::TankReadDetail detail;
    switch (tank.read(path, &detail)) {
    case zb::TankReadResult::Ok:
        return {};
    case zb::TankReadResult::Missing:
        return name + " nicht gefunden";
    case zb::TankReadResult::CannotOpen:
        return name + " kann nicht gelesen werden (" + detail.reason + ")";
    case zb::TankReadResult::WrongVersion:
        // The number tells "not a tank at all" from "a newer program's tank".
        return name + " ist keine Zitterbecken-Datei (Version " + std::to_string(detail.version) +
               ", erwartet 1 bis 4)";
    case zb::TankReadResult::Truncated:
        return name + " ist unvollständig";
    }
    return name + " kann nicht gelesen werden";
}

} // namespace zbtool
