#include "text/data_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace zb::ui {

namespace {

// Descends part by part; every entry that matches without regard to case is tried, an exact
// match first, because a folder may hold "data" and "Data" side by side.
QString findBelow(const QString& folder, const QStringList& parts, int index) {
    if (index == parts.size()) {
        return QFileInfo(folder).isFile() ? folder : QString();
    }
    const QString& part = parts[index];
    QStringList candidates;
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(part, Qt::CaseInsensitive) == 0) {
            if (entry == part) {
                candidates.prepend(entry);
            } else {
                candidates.append(entry);
            }
        }
    }
    for (const QString& candidate : candidates) {
        const QString found = findBelow(folder + QLatin1Char('/') + candidate, parts, index + 1);
        if (!found.isEmpty()) {
            return found;
        }
    }
    return {};
}

} // namespace

QString dataPath(const QString& programDir, const QString& relative) {
    QString normalised = relative;
    normalised.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = normalised.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString base = programDir;
    while (base.size() > 1 && base.endsWith(QLatin1Char('/'))) {
        base.chop(1);
    }
    const QString plain = base + QLatin1Char('/') + parts.join(QLatin1Char('/'));
    if (QFileInfo(plain).isFile()) {
        return plain;
    }
    const QString found = findBelow(base, parts, 0);
    return found.isEmpty() ? plain : found;
}

} // namespace zb::ui
