// "Bild speichern...": the view as drawn at this moment, as a PNG file.
#pragma once

#include "model/engine_calls.h"

#include <QString>

class QImage;

namespace zb::ui {

class FileCommands;
struct RunState;

class PictureExport {
  public:
    PictureExport(EngineCalls& engine, const RunState& run, const FileCommands& files)
        : engine_(engine), run_(run), files_(files) {}

    void SavePictureCommand();
    bool savePictureAs(const QImage& picture, const QString& fileName);

  private:
    EngineCalls& engine_;
    const RunState& run_;
    const FileCommands& files_;
};

} // namespace zb::ui
