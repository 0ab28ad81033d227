// Reading the tank file named on the command line.
#pragma once

#include "model/tank.h"

#include <string>

namespace zbtool {

// Reads path into tank. Returns an empty string on success, otherwise the German reason, e.g.
// "Datei „a.zb“ nicht gefunden".
std::string readTank(const std::string& path, zb::TZBecken& tank);

} // namespace zbtool
