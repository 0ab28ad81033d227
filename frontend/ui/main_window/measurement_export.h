// "Messwerte speichern...": the probes' samples of the run and the screens' intensity curves, as
// one CSV table in the form the dialog's file type chose (remembered).
#pragma once

#include "model/csv_table.h"
#include "model/engine_calls.h"

#include <QString>

namespace zb::ui {

class FileCommands;
class ProbeRecording;
class TankDocument;

class MeasurementExport {
  public:
    MeasurementExport(const TankDocument& document, EngineCalls& engine,
                      const ProbeRecording& probes, const FileCommands& files)
        : document_(document), engine_(engine), probes_(probes), files_(files) {}

    // Whether the run left anything to save; the menu's action says so.
    bool hasMeasurements() const;
    void SaveMeasurementsCommand();
    bool saveMeasurementsAs(const QString& fileName, CsvForm form = CsvForm::German);

  private:
    const TankDocument& document_;
    EngineCalls& engine_;
    const ProbeRecording& probes_;
    const FileCommands& files_;
};

} // namespace zb::ui
