// "Messwerte speichern...": what a run measured, as one CSV table for a spreadsheet. Separator
// and number format are zbtool's (comma, decimal point, the shortest exact form), so that tables
// from both can be read the same way. The probes' columns hold one row per time step; the
// screens' averaged intensity curves stand beside them, one row per oscillator along the screen.
#include "app/recent_files.h"
#include "app/user_dialogs.h"
#include "main_window/main_window.h"
#include "model/replacing_file.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace zb::ui {

namespace {

struct ScreenCurve {
    std::string header;
    std::vector<float> values;
};

template <class T>
void appendNumber(std::string& s, T v) {
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(v)) {
            return; // a probe outside the tank: an empty cell
        }
    }
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    s.append(buffer, ec == std::errc() ? end : buffer);
}

// A cell that contains the separator, a quote or a line break is quoted.
void appendText(std::string& s, const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        s += text;
        return;
    }
    s += '"';
    for (char c : text) {
        s += c;
        if (c == '"') {
            s += '"';
        }
    }
    s += '"';
}

// The averaged intensity along each screen that has one, in the tank's order.
std::vector<ScreenCurve> screenCurves(const TZBecken& tank, EngineCalls& engine) {
    std::vector<ScreenCurve> curves;
    if (!(engine.simulationTime() > 0.0)) {
        return curves; // no step since the tank was sent: the averages hold nothing yet
    }
    const TObjektListe& list = *tank.Objekte;
    int32_t screen = 0;
    for (int k = 1; k < list.Count(); ++k) {
        const TSchirm* s = list.at(k).schirm();
        if (!s) {
            continue;
        }
        const int32_t index = screen++;
        const int32_t length = engine.readScreenIntensity(index, nullptr, 0);
        if (length <= 0) {
            continue;
        }
        std::vector<float> values(static_cast<size_t>(length));
        const int32_t got = engine.readScreenIntensity(index, values.data(), length);
        if (got <= 0) {
            continue;
        }
        values.resize(size_t(std::min(got, length)));
        curves.push_back({list.at(k).Name + " (" +
                              (s->Horizontal ? "waagrecht, Zeile " : "senkrecht, Spalte ") +
                              std::to_string(s->Position) + ")",
                          std::move(values)});
    }
    return curves;
}

std::string measurementTable(const ProbeRecording& probes,
                             const std::vector<ScreenCurve>& screens) {
    std::string s;
    const bool hasProbes = probes.probeCount() > 0 && !probes.empty();
    size_t rows = hasProbes ? probes.size() : 0;
    if (hasProbes) {
        s += "Schritt,Zeit";
        for (const ProbeTrace& probe : probes.probes()) {
            s += ',';
            appendText(s, probe.name);
        }
    }
    if (!screens.empty()) {
        if (hasProbes) {
            s += ',';
        }
        s += "Schwinger entlang des Schirms";
        for (const ScreenCurve& curve : screens) {
            s += ',';
            appendText(s, curve.header);
            rows = std::max(rows, curve.values.size());
        }
    }
    s += '\n';
    size_t oscillators = 0;
    for (const ScreenCurve& curve : screens) {
        oscillators = std::max(oscillators, curve.values.size());
    }
    for (size_t r = 0; r < rows; ++r) {
        if (hasProbes) {
            if (r < probes.size()) {
                appendNumber(s, probes.firstStep() + (long long)r);
                s += ',';
                appendNumber(s, probes.time(r));
                for (int q = 0; q < probes.probeCount(); ++q) {
                    s += ',';
                    appendNumber(s, probes.value(r, q));
                }
            } else {
                s += std::string(size_t(probes.probeCount()) + 1, ',');
            }
        }
        if (!screens.empty()) {
            if (hasProbes) {
                s += ',';
            }
            if (r < oscillators) {
                appendNumber(s, r);
            }
            for (const ScreenCurve& curve : screens) {
                s += ',';
                if (r < curve.values.size()) {
                    appendNumber(s, curve.values[r]);
                }
            }
        }
        s += '\n';
    }
    return s;
}

} // namespace

bool TfrmMain::hasMeasurements() {
    return !probes_.empty() ||
           (document_.hasTank() && !screenCurves(document_.tank(), engine_).empty());
}

void TfrmMain::updateMeasurementAction() {
    actMesswerte->setEnabled(hasMeasurements());
}

void TfrmMain::SaveMeasurementsCommand() {
    if (!hasMeasurements()) {
        userDialogs().error(QStringLiteral("Messwerte speichern"),
                            QStringLiteral("Es gibt noch keine Messwerte. Setzen Sie Messpunkte "
                                           "oder Schirme und lassen Sie die Simulation laufen."));
        return;
    }
    const QString base = lastFileName_.isEmpty() ? QStringLiteral("Zitterbecken")
                                                 : QFileInfo(lastFileName_).completeBaseName();
    const QString name = userDialogs().saveMeasurementFileName(
        QDir(lastFolder()).filePath(base + QStringLiteral(" Messwerte.csv")));
    if (!name.isEmpty()) {
        saveMeasurementsAs(name);
    }
}

bool TfrmMain::saveMeasurementsAs(const QString& fileName) {
    // Everything up to now: a run goes on while the user chooses the file.
    const std::string table =
        measurementTable(probes_, document_.hasTank() ? screenCurves(document_.tank(), engine_)
                                                      : std::vector<ScreenCurve>{});
    ReplacingFile file(QFile::encodeName(fileName).toStdString());
    if (file.open() && file.commit(table)) {
        setLastFolder(fileName);
        return true;
    }
    reportSaveFailure(QStringLiteral("Die Messwerttabelle"), fileName, file.reason());
    return false;
}

} // namespace zb::ui
