// Loading the texts and pictures that lie beside the program. A file that cannot be read is
// reported with "Datei <path> kann nicht geöffnet werden"; the caller skips the rest of its work.
#pragma once

#include <QString>

class QLabel;
class QTextEdit;

namespace zb::ui {

// The full path of a data file, relative to the program folder ("Data\RTFs\..." in any case).
QString programDataPath(const QString& relative);

bool loadRichTextFile(const QString& path, QTextEdit& view);
// Shows the picture unscaled and sizes the label to it.
bool loadPictureFile(const QString& path, QLabel& label);

void reportUnreadableFile(const QString& path);

} // namespace zb::ui
