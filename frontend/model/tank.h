// The tank being edited or simulated: its size, medium and edges, and its object list.
#pragma once

#include "model/engine_calls.h"
#include "model/objects.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace zb {

// Why a tank file was not read; the tank is unchanged in every case but Ok.
enum class TankReadResult {
    Ok,
    Missing,      // no file at the path
    CannotOpen,   // a file, but it cannot be read (a folder, no permission, ...)
    WrongVersion, // not version 1, 2, 3 or 4
    Truncated,    // ends before the records it announces are complete
};

// Why read() gave its result, for a message that names the cause.
struct TankReadDetail {
    // CannotOpen: what the path is instead of a file ("ein Ordner", "eine benannte Pipe",
    // "ein Gerät") or the system's reason in German ("keine Berechtigung").
    std::string reason;
    int32_t version = 0; // WrongVersion: the number the file starts with
};

// How the editor offers the edges. The file keeps only the flags and the width, which several
// choices can produce (no edge ticked: "ohne Phasensprung" or "wählbar"); the user's pick is kept
// beside them, never written.
enum class EdgeChoice : uint8_t {
    FromFlags, // not picked (a tank read from a file): the one that produces the flags
    NoPhaseJump,
    PhaseJump,
    Choosable,
};

struct TankSaveResult {
    bool ok = true;
    std::string reason; // German, e.g. "der Datenträger ist voll", when not ok
};

// How a tank wants to be shown during a run: the positions of the run's display and view controls.
// A tank carries it only when saved with choices other than the program's defaults (the block
// ANZG of version 4); one without it is shown with the choices the program remembers.
struct TAnzeige {
    int32_t Faerbung = 0;           // 0 normal colours, 1 elongation, 2 intensity
    int32_t Hoehenfaktor = 0;       // height slider, -30..30: heights x 2^(position/10)
    bool SchirmIntensitaet = false; // the screen panel shows each screen's mean intensity
    bool DrahtAnsicht = true;       // wire frame instead of the lit relief
    bool SchirmeTransparent = false;
    int32_t Drehwinkel = 90;      // angle slider, -90..270
    int32_t Entfernung = 75;      // distance slider, 0..150
    int32_t Hoehe = 20;           // viewer's height slider, 0..150; 150 looks straight down
    int32_t Geschwindigkeit = 30; // speed slider at the start of a run, 0..150 (capped per tank)

    bool operator==(const TAnzeige&) const = default;
    // The factor on the drawn heights at a height-slider position: 2^(position/10).
    static double heightScaleOf(int32_t position);
    // Every field brought into its slider's range, as a file of a later program may hold more.
    void clamp();
};

class TZBecken {
  public:
    TZBecken();
    // A deep copy: the same bytes in a file, the same serials in the list.
    TZBecken(const TZBecken& other);
    TZBecken& operator=(const TZBecken&) = delete;
    TZBecken(TZBecken&&) = default;
    TZBecken& operator=(TZBecken&&) = default;

    int32_t GroesseX = 0;
    int32_t GroesseY = 0;
    bool RandHinten = false;        // the edge at y = 0 absorbs
    bool RandVorne = false;         // the edge at y = GroesseY - 1
    bool RandLinks = false;         // the edge at x = 0
    bool RandRechts = false;        // the edge at x = GroesseX - 1
    double StandardDaempfung = 0.0; // fraction
    double StandardKopplung = 0.0;
    int32_t RandBreite = 0; // width of every damped edge, oscillators
    EdgeChoice RandWahl = EdgeChoice::FromFlags;
    // 0 the designed damped edges, 1 "kaum reflektierend"; anything but 0 needs version 4.
    int32_t RandArt = 0;
    std::unique_ptr<TObjektListe> Objekte;
    // The display this tank opens with; empty: the program's remembered choices. Anything but
    // empty needs version 4.
    std::optional<TAnzeige> Anzeige;

    void SetSize(int32_t x, int32_t y);
    void SetEdges(bool hinten, bool vorne, bool links, bool rechts, int32_t breite);
    // RandWahl when the flags allow it, otherwise the choice that produces them.
    EdgeChoice edgeChoice() const;
    bool sameEdges(const TZBecken& other) const;

    // True when a file of version 1 to 4 was read completely. A file that cannot be opened
    // throws std::runtime_error("Datei <path> kann nicht geöffnet werden"); in every other
    // failure the tank keeps all its values and objects.
    bool LoadFromFile(const std::string& path);
    // Opens nothing but a regular file, so that a pipe or device at the path cannot hang it.
    TankReadResult read(const std::string& path, TankReadDetail* detail = nullptr);

    // Writes version 2 (3 when the tank holds a probe, 4 when it uses a kind or option only that
    // version holds) beside the target and renames it over the target only when complete. A folder,
    // pipe or device at the path is refused and stays as it is.
    TankSaveResult SaveToFile(const std::string& path) const;

    // Describes the whole tank to the engine again, in the engine's required order.
    void TransferToEngine(EngineCalls& engine = theEngine()) const;

    // (p1, p3) the eye over the tank, p2 its height, (p4, p5) the viewing direction in height
    // and in y; the tank's centre lies at (0.5, 0.5).
    static void PlaceCamera(double p1, double p2, double p3, double p4, double p5,
                            EngineCalls& engine = theEngine());
};

} // namespace zb
