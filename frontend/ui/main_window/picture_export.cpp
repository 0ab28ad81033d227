// "Bild speichern...": the view exactly as the engine draws it, for worksheets.
#include "main_window/picture_export.h"

#include "base/recent_files.h"
#include "base/run_state.h"
#include "base/user_dialogs.h"
#include "main_window/file_commands.h"
#include "model/replacing_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <vector>

namespace zb::ui {

namespace {

// The frame the view shows, read back from the engine; a null image when nothing is drawn.
QImage drawnPicture(EngineCalls& engine, bool drawScreenPanel) {
    int32_t width = 0, height = 0;
    engine.readFrame(true, drawScreenPanel, nullptr, 0, &width, &height);
    if (width <= 0 || height <= 0) {
        return {};
    }
    std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
    if (engine.readFrame(true, drawScreenPanel, rgb.data(), int64_t(rgb.size()), &width, &height) !=
        0) {
        return {};
    }
    // The engine writes the rows packed; the image keeps a copy of its own.
    return QImage(rgb.data(), width, height, qsizetype(width) * 3, QImage::Format_RGB888).copy();
}

} // namespace

void PictureExport::SavePictureCommand() {
    // Taken before the dialog: a run goes on behind it, and the picture is the one the user saw.
    const QImage picture = drawnPicture(engine_, run_.in3dMode);
    if (picture.isNull()) {
        userDialogs().error(QStringLiteral("Bild speichern"),
                            QStringLiteral("Im Moment ist kein Bild zu sehen, das gespeichert "
                                           "werden könnte."));
        return;
    }
    const QString base = files_.lastFileName().isEmpty()
                             ? QStringLiteral("Zitterbecken")
                             : QFileInfo(files_.lastFileName()).completeBaseName();
    const QString name = userDialogs().savePictureFileName(
        QDir(lastFolder()).filePath(base + QStringLiteral(".png")));
    if (!name.isEmpty()) {
        savePictureAs(picture, name);
    }
}

bool PictureExport::savePictureAs(const QImage& picture, const QString& fileName) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    std::string reason;
    if (!picture.save(&buffer, "PNG")) {
        reason = "das Bild ließ sich nicht als PNG verpacken";
    } else {
        ReplacingFile file(QFile::encodeName(fileName).toStdString());
        if (file.open() &&
            file.commit({reinterpret_cast<const uint8_t*>(png.constData()), size_t(png.size())})) {
            setLastFolder(fileName);
            return true;
        }
        reason = file.reason();
    }
    FileCommands::reportSaveFailure(QStringLiteral("Das Bild"), fileName, reason);
    return false;
}

} // namespace zb::ui
