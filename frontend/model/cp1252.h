// Names in tank files are Windows-1252; in memory they are UTF-8.
#pragma once

#include <string>

namespace zb {

std::string utf8FromCp1252(const std::string& bytes);

// Characters Windows-1252 cannot hold become '?', as do bytes that are not valid UTF-8.
std::string cp1252FromUtf8(const std::string& text);

} // namespace zb
