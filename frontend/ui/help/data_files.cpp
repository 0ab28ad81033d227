#include "help/data_files.h"

#include "base/application.h"
#include "base/user_dialogs.h"
#include "text/data_paths.h"
#include "text/link_opener.h"
#include "text/rtf_reader.h"

#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QTextEdit>

namespace zb::ui {

namespace {

// Texts and pictures are small; anything larger is not one of ours.
constexpr qint64 kLargestDataFile = 64 * 1024 * 1024;

} // namespace

QString programDataPath(const QString& relative) {
    return dataPath(QFile::decodeName(ZbApplication::programDir().c_str()), relative);
}

void reportUnreadableFile(const QString& path) {
    userDialogs().error(QStringLiteral("Fehler"),
                        QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(path));
}

bool loadRichTextFile(const QString& path, QTextEdit& view) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestDataFile) {
        reportUnreadableFile(path);
        return false;
    }
    const QByteArray bytes = file.read(kLargestDataFile);
    if (!parseRtf(bytes, *view.document())) {
        reportUnreadableFile(path);
        return false;
    }
    openLinksInBrowser(view);
    return true;
}

bool loadPictureFile(const QString& path, QLabel& label) {
    QPixmap picture;
    if (!QFile::exists(path) || !picture.load(path)) {
        reportUnreadableFile(path);
        return false;
    }
    label.setPixmap(picture);
    label.resize(picture.size() / picture.devicePixelRatio());
    return true;
}

} // namespace zb::ui
