// The objects of a tank and their parameter records. Positions are counted in oscillators from
// the top left of the flat view, 0-based, except a screen's, which is 1-based.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace zb {

// Kind codes, shared with the tank file.
enum : int32_t {
    kArtBecken = 0, // the tank's own entry
    kArtWand = 1,
    kArtSchirm = 2,
    kArtMatUebergang = 3,
    kArtErreger = 4,
    kArtMesspunkt = 5, // files of version 3 and 4
    kArtMedium = 6,    // files of version 4
    kArtKreisbogen = 7,
    kArtParabel = 8,
};

constexpr int kMaxMesspunkte = 8; // probes per tank

// A straight wall through (X, Y), optionally broken by slits.
struct TWand {
    int32_t X = 1, Y = 1;      // centre and pivot
    int32_t Winkel = 0;        // degrees
    int32_t Laenge = 100;      // oscillators
    int32_t SpaltAnz = 0;      // number of slits
    int32_t Spaltbreite = 8;   // width of each slit
    int32_t Spaltabstand = 20; // distance between the centres of neighbouring slits
};

// A measuring line across the whole tank.
struct TSchirm {
    int32_t Position = 1;   // 1-based row (horizontal) or column
    bool Horizontal = true; // along x at row Position
};

// Another material from row Y on.
struct TMatUebergang {
    int32_t Y = 0;
    double Kopplung = 0.0;
    double Daempfung = 0.0; // fraction
};

// A rectangle of oscillators driven with a sine.
struct TErreger {
    bool Merker = true; // kept in files, no other effect
    int32_t X = 4, Y = 4;
    int32_t Breite = 5, Laenge = 5;
    int32_t Winkel = 0;     // degrees
    double Frequenz = 10.0; // angular frequency of the drive; period T = 1000 / f * 50
    double Amplitude = 0.1;
    bool Fest = true; // prescribed sine displacement rather than an added acceleration
    // Extensions, written only to files of version 4 and only needed there when not default.
    double Vx = 0.0, Vy = 0.0; // velocity, oscillators per second of Simulationszeit
    bool Puls = false;         // swing Perioden periods under an envelope, then rest
    int32_t Perioden = 1;      // 1 .. 10
    bool extended() const { return Vx != 0.0 || Vy != 0.0 || Puls; }
};

// A probe: one oscillator whose elongation a run records.
struct TMesspunkt {
    int32_t X = 10, Y = 10;     // 0-based, as an exciter's centre
    uint32_t Farbe = 0xd01c8bu; // marker and plot colour, 0xRRGGBB
};

// A region of its own coupling and damping.
enum : int32_t { kMediumRechteck = 0, kMediumEllipse = 1, kMediumDreieck = 2 };
struct TMedium {
    int32_t Form = kMediumEllipse;
    int32_t X = 50, Y = 50;          // centre
    int32_t Breite = 40, Hoehe = 20; // full extent along the shape's own axes
    int32_t Winkel = 0;              // degrees, counter-clockwise
    double Kopplung = 0.25;          // as a material change
    double Daempfung = 0.0;          // fraction
};

// A wall along a circular arc, optionally broken by slits centred on the arc's middle.
struct TKreisbogen {
    int32_t X = 50, Y = 50;    // centre of the circle
    int32_t Radius = 40;       // oscillators
    int32_t Startwinkel = 120; // degrees, counter-clockwise from +x
    int32_t Endwinkel = 240;
    int32_t Dicke = 1; // oscillators
    int32_t SpaltAnz = 0;
    int32_t Spaltbreite = 8;
    int32_t Spaltabstand = 20;
};

// A wall along a parabola, optionally broken by slits centred on the vertex.
struct TParabel {
    int32_t X = 50, Y = 50;  // focus
    int32_t Brennweite = 20; // oscillators from vertex to focus
    int32_t Winkel = 0;      // degrees: the direction the mirror opens to
    int32_t Breite = 80;     // aperture across the axis
    int32_t Dicke = 1;
    int32_t SpaltAnz = 0;
    int32_t Spaltbreite = 8;
    int32_t Spaltabstand = 20;
};

// One entry of the object list. Kinds 1 to 8 own exactly one record of their kind (but see
// withoutRecord); any other kind (the tank entry, or a code from a foreign file) owns none.
class TObjekt {
  public:
    using Daten = std::variant<std::monostate, TWand, TSchirm, TMatUebergang, TErreger, TMesspunkt,
                               TMedium, TKreisbogen, TParabel>;

    // A new entry of the kind with its default record.
    explicit TObjekt(int32_t art, std::string name = {});
    // An entry of the kind that owns no record: a probe's code read from a file of a version
    // that gave it no payload.
    static std::unique_ptr<TObjekt> withoutRecord(int32_t art, std::string name = {});

    int32_t Art;
    std::string Name; // UTF-8

    // Unique among all entries ever made in this process, so that a reference by serial cannot
    // be taken for a newer entry that happens to live at the same address.
    uint64_t serial() const { return serial_; }

    TWand* wand() { return std::get_if<TWand>(&data_); }
    TSchirm* schirm() { return std::get_if<TSchirm>(&data_); }
    TMatUebergang* matUebergang() { return std::get_if<TMatUebergang>(&data_); }
    TErreger* erreger() { return std::get_if<TErreger>(&data_); }
    const TWand* wand() const { return std::get_if<TWand>(&data_); }
    const TSchirm* schirm() const { return std::get_if<TSchirm>(&data_); }
    const TMatUebergang* matUebergang() const { return std::get_if<TMatUebergang>(&data_); }
    const TErreger* erreger() const { return std::get_if<TErreger>(&data_); }
    TMesspunkt* messpunkt() { return std::get_if<TMesspunkt>(&data_); }
    const TMesspunkt* messpunkt() const { return std::get_if<TMesspunkt>(&data_); }
    TMedium* medium() { return std::get_if<TMedium>(&data_); }
    const TMedium* medium() const { return std::get_if<TMedium>(&data_); }
    TKreisbogen* kreisbogen() { return std::get_if<TKreisbogen>(&data_); }
    const TKreisbogen* kreisbogen() const { return std::get_if<TKreisbogen>(&data_); }
    TParabel* parabel() { return std::get_if<TParabel>(&data_); }
    const TParabel* parabel() const { return std::get_if<TParabel>(&data_); }
    bool hasDaten() const { return !std::holds_alternative<std::monostate>(data_); }
    // The record when it is of type R.
    template <class R>
    R* record() {
        return std::get_if<R>(&data_);
    }

  private:
    Daten data_;
    uint64_t serial_;
};

// The ordered entries of a tank; entry 0 always stands for the tank itself.
class TObjektListe {
  public:
    TObjektListe();
    // A deep copy; the copies keep the serials of their originals.
    TObjektListe(const TObjektListe& other);
    TObjektListe& operator=(const TObjektListe&) = delete;

    int Count() const { return int(entries_.size()); }
    TObjekt& at(int index) { return *entries_.at(size_t(index)); }
    const TObjekt& at(int index) const { return *entries_.at(size_t(index)); }
    TObjekt& add(std::unique_ptr<TObjekt> entry);
    // Takes an entry out of the list and hands it to the caller. Entry 0 cannot be removed.
    std::unique_ptr<TObjekt> remove(int index);

  private:
    std::vector<std::unique_ptr<TObjekt>> entries_;
};

} // namespace zb
