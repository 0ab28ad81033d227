// The numbers the help texts state, read from the texts themselves, so that a test compares the
// tank with what a pupil reads and fails when either changes alone.
#pragma once

#include <string>
#include <vector>

namespace zb {

// The text of a help file below data/RTFs as a reader sees it, in UTF-8: escapes decoded,
// no-break spaces as plain spaces, paragraph marks as line ends, control words and braces gone.
std::string helpText(const std::string& file);

// The numbers in the capture groups of every match of pattern (ECMAScript syntax) in the text
// of file, in order; a decimal comma is read as a German reader would. Empty when nothing
// matches, so that a test can assert that the claim is still there.
std::vector<std::vector<double>> statedNumbers(const std::string& file, const std::string& pattern);

// The number in the one capture group of the first match; NaN when there is none.
double statedNumber(const std::string& file, const std::string& pattern);

} // namespace zb
