#include "text/data_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace zb::ui {

namespace {

// Depth first over the spellings of each part that exist, the exact one first, so that a
// folder "Data" beside "data" does not hide a file that only the other one holds.
bool find(const QString& folder, const QStringList& parts, qsizetype k, QString& found) {
    const QString& part = parts[k];
    const bool last = k + 1 == parts.size();
    QStringList candidates{part};
    if (part != QLatin1String(".") && part != QLatin1String("..")) {
        const QStringList entries =
            QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& entry : entries) {
            if (entry != part && entry.compare(part, Qt::CaseInsensitive) == 0) {
                candidates << entry;
            }
        }
    }
    for (const QString& name : candidates) {
        const QString path = folder + name;
        const QFileInfo info(path);
        if (last && info.isFile()) {
            found = path;
            return true;
        }
        if (!last && info.isDir() && find(path + QLatin1Char('/'), parts, k + 1, found)) {
            return true;
        }
    }
    return false;
}

} // namespace

QString dataPath(const QString& programDir, const QString& relative) {
    QString normalised = relative;
    normalised.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = normalised.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString folder = programDir;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/'))) {
        folder += QLatin1Char('/');
    }
    const QString plain = folder + parts.join(QLatin1Char('/'));
    QString found;
    if (!parts.isEmpty() && find(folder, parts, 0, found)) {
        return found;
    }
    return plain;
}

} // namespace zb::ui
