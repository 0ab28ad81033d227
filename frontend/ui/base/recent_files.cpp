#include "base/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace zb::ui {

namespace {

// The same file however it was named: a link to it and the file itself are one entry.
QString identity(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

RecentFiles RecentFiles::load() {
    RecentFiles recent;
    const QStringList stored = QSettings().value(QStringLiteral("recentFiles")).toStringList();
    for (auto it = stored.crbegin(); it != stored.crend(); ++it) {
        if (!it->isEmpty()) {
            recent.add(*it);
        }
    }
    return recent;
}

void RecentFiles::save() const {
    QSettings().setValue(QStringLiteral("recentFiles"), entries_);
}

void RecentFiles::add(const QString& path) {
    const QString file = identity(path);
    entries_.removeIf([&](const QString& e) { return identity(e) == file; });
    entries_.prepend(file);
    while (entries_.size() > kMaxEntries) {
        entries_.removeLast();
    }
}

void RecentFiles::remove(const QString& path) {
    const QString file = identity(path);
    entries_.removeIf([&](const QString& e) { return identity(e) == file; });
}

QString lastFolder() {
    const QString stored = QSettings().value(QStringLiteral("lastFolder")).toString();
    if (!stored.isEmpty() && QFileInfo(stored).isDir()) {
        return stored;
    }
    // The documents folder is only a name until someone creates it; a dialog started in a folder
    // that is not there would offer that name as the file's.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void setLastFolder(const QString& fileInIt) {
    QSettings().setValue(QStringLiteral("lastFolder"), QFileInfo(fileInIt).absolutePath());
}

} // namespace zb::ui
