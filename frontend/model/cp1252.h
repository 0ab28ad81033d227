// Names in tank files are Windows-1252; in memory they are UTF-8.
#pragma once

#include <string>

namespace zb {

std::string utf8FromCp1252(const std::string& bytes);

// Appends the character (up to U+FFFF) as UTF-8.
void appendUtf8(std::string& out, char32_t c);

// The character a Windows-1252 byte stands for; 0 for the five bytes the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D).
char32_t cp1252CodePoint(unsigned char byte);

// Characters Windows-1252 cannot hold become '?', as do bytes that are not valid UTF-8.
std::string cp1252FromUtf8(const std::string& text);

} // namespace zb
