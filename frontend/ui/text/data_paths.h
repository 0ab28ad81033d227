// Data files beside the program, found whatever the letter case of each part of their path and
// whichever separator the path uses.
#pragma once

#include <QString>

namespace zb::ui {

// The existing file below programDir for a path like "Data\RTFs\OH\Waende.rtf"; when there is
// none, the folder joined with the path ('/' separators), so a message can name it.
QString dataPath(const QString& programDir, const QString& relative);

} // namespace zb::ui
