// "Messwerte speichern...": what a run measured, as one CSV table for a spreadsheet: by default in
// the form a German spreadsheet opens with every number as a number, or in zbtool's
// international form for scripts. The probes' columns hold one row per time step, its time in
// seconds of Simulationszeit; the screens' averaged intensity curves stand beside them, one row
// per oscillator along the screen, numbered from 0 like the editor's positions.
#include "main_window/measurement_export.h"

#include "base/recent_files.h"
#include "base/user_dialogs.h"
#include "document/tank_document.h"
#include "main_window/file_commands.h"
#include "model/replacing_file.h"
#include "view/probe_recording.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace zb::ui {

namespace {

struct ScreenCurve {
    std::string header;
    std::vector<float> values;
};

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
                              (s->Horizontal ? "waagrecht, Position " : "senkrecht, Position ") +
                              std::to_string(s->Position) +
                              "), Intensität: gleitender Mittelwert über 2 Perioden",
                          std::move(values)});
    }
    return curves;
}

std::string measurementTable(const ProbeRecording& probes, const std::vector<ScreenCurve>& screens,
                             CsvForm form) {
    CsvTable t(form);
    const bool hasProbes = probes.probeCount() > 0 && !probes.empty();
    size_t rows = hasProbes ? probes.size() : 0;
    if (hasProbes) {
        t.text("Schritt");
        t.text("Zeit in s");
        for (const ProbeTrace& probe : probes.probes()) {
            t.text(probe.name);
        }
    }
    if (!screens.empty()) {
        t.text("Schwinger entlang des Schirms");
        for (const ScreenCurve& curve : screens) {
            t.text(curve.header);
            rows = std::max(rows, curve.values.size());
        }
    }
    t.endRow();
    size_t oscillators = 0;
    for (const ScreenCurve& curve : screens) {
        oscillators = std::max(oscillators, curve.values.size());
    }
    for (size_t r = 0; r < rows; ++r) {
        if (hasProbes) {
            if (r < probes.size()) {
                t.number(int64_t(probes.firstStep() + (long long)r));
                // As a float, like the engine's own time: its shortest form, not the product's
                // seventeen digits.
                t.number(float(probes.seconds(r)));
                for (int q = 0; q < probes.probeCount(); ++q) {
                    t.number(probes.value(r, q)); // a probe outside the tank: an empty cell
                }
            } else {
                for (int c = 0; c < probes.probeCount() + 2; ++c) {
                    t.empty();
                }
            }
        }
        if (!screens.empty()) {
            if (r < oscillators) {
                t.number(int64_t(r));
            } else {
                t.empty();
            }
            for (const ScreenCurve& curve : screens) {
                if (r < curve.values.size()) {
                    t.number(curve.values[r]);
                } else {
                    t.empty();
                }
            }
        }
        t.endRow();
    }
    return t.take();
}

} // namespace

bool MeasurementExport::hasMeasurements() const {
    return !probes_.empty() ||
           (document_.hasTank() && !screenCurves(document_.tank(), engine_).empty());
}

void MeasurementExport::SaveMeasurementsCommand() {
    if (!hasMeasurements()) {
        userDialogs().error(QStringLiteral("Messwerte speichern"),
                            QStringLiteral("Es gibt noch keine Messwerte. Setzen Sie Messpunkte "
                                           "oder Schirme und lassen Sie die Simulation laufen."));
        return;
    }
    const QString base = files_.lastFileName().isEmpty()
                             ? QStringLiteral("Zitterbecken")
                             : QFileInfo(files_.lastFileName()).completeBaseName();
    // The file type chosen last time is offered again.
    QSettings settings;
    const QString key = QStringLiteral("measurementCsvForm");
    CsvForm form =
        csvFormFromName(settings.value(key).toString().toStdString()).value_or(CsvForm::German);
    const QString name = userDialogs().saveMeasurementFileName(
        QDir(lastFolder()).filePath(base + QStringLiteral(" Messwerte.csv")), form);
    if (!name.isEmpty()) {
        settings.setValue(key,
                          form == CsvForm::German ? QStringLiteral("de") : QStringLiteral("en"));
        saveMeasurementsAs(name, form);
    }
}

bool MeasurementExport::saveMeasurementsAs(const QString& fileName, CsvForm form) {
    // Everything up to now: a run goes on while the user chooses the file.
    const std::string table = measurementTable(
        probes_,
        document_.hasTank() ? screenCurves(document_.tank(), engine_) : std::vector<ScreenCurve>{},
        form);
    ReplacingFile file(QFile::encodeName(fileName).toStdString());
    if (file.open() && file.commit(table)) {
        setLastFolder(fileName);
        return true;
    }
    FileCommands::reportSaveFailure(QStringLiteral("Die Messwerttabelle"), fileName, file.reason());
    return false;
}

} // namespace zb::ui
