// Whether a run may use the time step asked for: above the tank's stability limit the field
// turns into infinities within a few hundred steps.
#pragma once

#include "model/tank.h"

#include <optional>
#include <string>

namespace zbtool {

// The German reason why dt is too large for the tank, naming the largest step it allows; none
// when dt is allowed.
std::optional<std::string> timeStepProblem(const zb::TZBecken& tank, double dt);

// A limit rounded down to four significant digits with a decimal comma, so that the number a
// user copies from the message is itself accepted: 0.0087654 gives "0,008765".
std::string limitText(double limit);

} // namespace zbtool
