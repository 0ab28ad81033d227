#include "run/pool_size.h"

#include <QLocale>

namespace zb::ui {

namespace {

QString amount(uint64_t bytes) {
    const QLocale german(QLocale::German);
    const double gigabytes = double(bytes) / 1e9;
    if (gigabytes >= 1.0) {
        return german.toString(gigabytes, 'f', gigabytes < 10 ? 1 : 0) + QStringLiteral(" GB");
    }
    return german.toString(double(bytes) / 1e6, 'f', 0) + QStringLiteral(" MB");
}

} // namespace

std::optional<QString> poolSizeProblem(EngineCalls& engine, int32_t x, int32_t y) {
    uint64_t needed = 0, available = 0;
    const QLocale german(QLocale::German);
    const QString size = german.toString(x) + QStringLiteral(" × ") + german.toString(y);
    switch (engine.checkPoolSize(x, y, &needed, &available)) {
    case 0:
        return std::nullopt;
    case 1:
        return QStringLiteral("Die Größe %1 ergibt kein Zitterbecken: Es braucht mindestens zwei "
                              "Schwinger und in jeder Richtung einen.")
            .arg(size);
    case 2:
        return QStringLiteral("Ein Zitterbecken mit %1 Schwingern hat mehr Schwinger, als das "
                              "Programm zählen kann. Bitte wählen Sie eine kleinere Größe.")
            .arg(size);
    default:
        return QStringLiteral("Ein Zitterbecken mit %1 Schwingern braucht %2 Arbeitsspeicher, "
                              "frei sind zurzeit nur %3. Bitte wählen Sie eine kleinere Größe.")
            .arg(size, amount(needed), amount(available));
    }
}

} // namespace zb::ui
