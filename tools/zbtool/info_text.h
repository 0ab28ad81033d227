// The readable description of a tank that `zbtool info` prints.
#pragma once

#include "model/tank.h"

#include <string>

namespace zbtool {

std::string infoText(const zb::TZBecken& tank, const std::string& path);

} // namespace zbtool
