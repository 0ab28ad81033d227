// Finding the engine's data files below the program's folder.
#pragma once

#include <string>

namespace zb {

// base joined with relative ('/'-separated; an empty base is the root). Where a component does
// not exist with exactly this spelling, every entry that differs only in letter case is tried;
// when nothing matches, the plain join is returned (so a message can name it).
std::string findDataFile(const std::string& base, const std::string& relative);

} // namespace zb
