// A small gallery in a temporary folder: tanks written by the model, their texts, a picture.
#pragma once

#include "model/tank.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <optional>

namespace zb::ui::test {

inline bool writeTank(const QString& path, int x, int y,
                      const std::optional<TAnzeige>& display = std::nullopt) {
    TZBecken t;
    t.SetSize(x, y);
    t.StandardKopplung = 4.0;
    t.Anzeige = display;
    return t.SaveToFile(QFile::encodeName(path).toStdString()).ok;
}

inline bool writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

// Three experiments in two groups, the second group first on disk; only "Spalt" has a picture,
// and only it brings a display.
struct GalleryFolder {
    QTemporaryDir dir;
    TAnzeige display;

    GalleryFolder() {
        display.Faerbung = 2;
        display.Hoehenfaktor = -10;
        display.SchirmIntensitaet = true;
        display.DrahtAnsicht = false;
        display.SchirmeTransparent = true;
        display.Drehwinkel = 0;
        display.Entfernung = 40;
        display.Hoehe = 150;
        display.Geschwindigkeit = 12;
        writeTank(path("01_Wand.zb"), 90, 45);
        writeText(path("01_Wand.txt"), "Titel: Reflexion an einer Wand\nGruppe: Reflexion\n\n"
                                       "Eine Welle trifft auf eine Wand.\n");
        writeTank(path("02_Kreiswelle.zb"), 110, 55);
        writeText(path("02_Kreiswelle.txt"),
                  "Titel: Eine Kreiswelle\nGruppe: Ausbreitung\n\nEin Erreger schwingt.\n"
                  "Die Welle läuft nach außen.\n");
        writeTank(path("03_Spalt.zb"), 130, 65, display);
        writeText(path("03_Spalt.txt"), "Titel: Ein Spalt\nGruppe: Ausbreitung\n\n"
                                        "Hinter dem Spalt breitet sich die Welle aus.\n");
        QImage picture(200, 150, QImage::Format_RGB32);
        picture.fill(QColor(20, 90, 160));
        picture.save(path("03_Spalt.png"));
    }
    QString folder() const { return dir.path(); }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
};

} // namespace zb::ui::test
