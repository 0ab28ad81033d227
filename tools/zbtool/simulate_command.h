// `zbtool simulate`: runs a tank headless and writes the requested results.
#pragma once

#include "arguments.h"

#include <string>

namespace zbtool {

// Returns the exit code; reports every failure on standard error.
int runSimulate(const std::string& tankPath, const SimulateOptions& options);

} // namespace zbtool
