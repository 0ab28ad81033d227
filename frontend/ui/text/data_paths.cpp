#include "text/data_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace zb::ui {

QString dataPath(const QString& programDir, const QString& relative) {
    QString normalised = relative;
    normalised.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = normalised.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString base = programDir;
    if (!base.endsWith(QLatin1Char('/'))) {
        base += QLatin1Char('/');
    }
    const QString plain = base + parts.join(QLatin1Char('/'));
    if (QFileInfo::exists(plain)) {
        return plain;
    }
    // Walk the parts, matching each without regard to case; an exact match wins.
    QString found = base;
    for (int k = 0; k < parts.size(); ++k) {
        const QString& part = parts[k];
        if (QFileInfo::exists(found + part)) {
            found += part;
        } else {
            const QStringList entries =
                QDir(found).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            const auto match = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
                return e.compare(part, Qt::CaseInsensitive) == 0;
            });
            if (match == entries.end()) {
                return plain;
            }
            found += *match;
        }
        if (k + 1 < parts.size()) {
            found += QLatin1Char('/');
        }
    }
    return found;
}

} // namespace zb::ui
