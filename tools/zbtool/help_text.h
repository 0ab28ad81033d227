// What zbtool tells its users about itself.
#pragma once

namespace zbtool {

extern const char* const kHelpText;
extern const char* const kUsageText; // after a wrong command line

} // namespace zbtool
