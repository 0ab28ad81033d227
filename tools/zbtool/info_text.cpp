#include "info_text.h"
#include "time_step.h"

#include "model/simulation_speed.h"
#include "model/simulation_time.h"
#include "model/stability.h"

#include "zbengine.h"
#include "zbengine_tools.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace zbtool {

namespace {

std::string commaDecimal(std::string s) {
    for (char& c : s)
        if (c == '.')
            c = ',';
    return s;
}

// With a decimal comma. Ten significant digits show what the file holds without the noise that
// decimal steps leave in binary fractions (0.9500000000000001 reads as 0,95); derived values
// (percent, period) get six, what a reader takes in at a glance.
std::string decimal(double v, int digits = 10) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, v);
    return commaDecimal(buffer);
}

std::string percent(double fraction) {
    return decimal(fraction) + " (" + decimal(fraction * 100, 6) + " %)";
}

// A name from a foreign file may hold control characters that would garble the terminal.
std::string displayName(const std::string& name) {
    if (name.empty())
        return "(ohne Namen)";
    std::string s = "„";
    for (char c : name)
        s += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
    return s + "“";
}

// Binary units with one decimal, as system monitors show memory.
std::string bytesText(uint64_t bytes) {
    const char* const units[] = {"Byte", "KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
    double v = double(bytes);
    size_t unit = 0;
    while (v >= 1024.0 && unit + 1 < std::size(units)) {
        v /= 1024.0;
        ++unit;
    }
    return unit == 0 ? std::to_string(bytes) + " Byte"
                     : decimal(std::round(v * 10) / 10) + " " + units[unit];
}

// The engine's own verdict, against the memory available now (the tool holds no pool yet).
std::string poolSizeRemark(int32_t nx, int32_t ny) {
    uint64_t needed = 0, available = 0;
    switch (ZBDLL_CheckPoolSize(nx, ny, &needed, &available)) {
    case 1:
        return " – zu klein, die Simulation baut kein Becken";
    case 2:
        return " – zu groß, die Simulation baut kein Becken";
    case 3:
        return " – zu groß für den freien Speicher (braucht " + bytesText(needed) +
               ", verfügbar sind " + bytesText(available) + "), die Simulation baut kein Becken";
    }
    return {};
}

std::string timeStepText(const zb::TZBecken& t) {
    if (const std::optional<std::string> problem = zb::unstableValue(t))
        return "instabil bei jedem --dt. " + *problem;
    const double limit = zb::maxStableTimeStep(t);
    if (std::isinf(limit))
        return "ohne Grenze durch die Kopplung";
    if (!(limit > 0.0))
        return "keiner ist stabil, die Kopplung " + decimal(zb::largestCoupling(t)) +
               " ist keine endliche Zahl";
    // --dt is in the engine's unit; the user's clock is named beside it.
    return "stabil bis --dt " + limitText(limit) + " (größte Kopplung " +
           decimal(zb::largestCoupling(t), 6) + "; je Schritt bis " +
           decimal(zb::simulationSeconds(limit), 3) + " s Simulationszeit)";
}

std::string edgesText(const zb::TZBecken& t) {
    std::string sides;
    const auto add = [&](bool on, const std::string& side) {
        if (on)
            sides += (sides.empty() ? "" : ", ") + side;
    };
    add(t.RandHinten, "hinten (y = 0)");
    add(t.RandVorne, "vorne (y = " + std::to_string(int64_t(t.GroesseY) - 1) + ")");
    add(t.RandLinks, "links (x = 0)");
    add(t.RandRechts, "rechts (x = " + std::to_string(int64_t(t.GroesseX) - 1) + ")");
    // The quiet kind only changes how an absorbing edge damps.
    const std::string quiet = t.RandArt == 1 ? "Ränder kaum reflektierend" : "";
    if (sides.empty())
        return "keine absorbierenden Ränder, alle Ränder werfen Wellen zurück" +
               (quiet.empty() ? ""
                              : " (" + quiet +
                                    " gewählt, ohne absorbierenden Rand ohne "
                                    "Wirkung)");
    return "absorbierend " + sides + "; Breite " + std::to_string(t.RandBreite) + " Schwinger" +
           (quiet.empty() ? "" : "; " + quiet);
}

std::string exciterText(const zb::TErreger& e) {
    std::string s = "   Mitte (" + std::to_string(e.X) + ", " + std::to_string(e.Y) + "), Breite " +
                    std::to_string(e.Breite) + ", Länge " + std::to_string(e.Laenge) + ", Winkel " +
                    std::to_string(e.Winkel) + "°";
    s += e.Breite == e.Laenge ? " – quadratisch: Kreiswelle\n" : " – länglich: ebene Welle\n";
    s += "   Periode T = ";
    if (e.Frequenz == 0.0)
        s += "unendlich (Frequenz 0: keine Schwingung)\n";
    else
        // In ms as the exciter box states it, and in the seconds of the probes' time column.
        s += decimal(1000.0 / e.Frequenz * 50.0, 6) + " ms Simulationszeit = " +
             decimal(zb::simulationSeconds(2.0 * std::numbers::pi / e.Frequenz), 6) +
             " s (Frequenz " + decimal(e.Frequenz) + ")\n";
    s += "   Amplitude " + decimal(e.Amplitude) + "\n";
    // The transfer doubles the amplitude of an accelerating exciter; whoever checks the
    // physics needs to know.
    if (e.Fest)
        s += "   Betriebsart: Sinusförmige Auslenkung vorgeben\n";
    else
        s += "   Betriebsart: Als zusätzliche Beschleunigung (an die Simulation geht die "
             "doppelte Amplitude, " +
             decimal(2.0 * e.Amplitude) + ")\n";
    if (e.Vx != 0.0 || e.Vy != 0.0)
        s += "   bewegt mit v = (" + decimal(e.Vx) + "; " + decimal(e.Vy) +
             ") Schwinger pro Sekunde Simulationszeit, Betrag " +
             decimal(std::hypot(e.Vx, e.Vy), 6) + "; hält am Beckenrand an\n";
    if (e.Puls)
        s += "   Puls, " + std::to_string(e.Perioden) +
             (e.Perioden == 1 ? " Periode" : " Perioden") + ", dann Ruhe\n";
    return s;
}

std::string slitText(int32_t count, int32_t width, int32_t distance) {
    if (count <= 0)
        return "   ohne Spalt\n";
    std::string s = "   " + std::to_string(count) + (count == 1 ? " Spalt" : " Spalte") +
                    ", Breite " + std::to_string(width);
    if (count > 1)
        s += ", Abstand " + std::to_string(distance) + " (Mitte zu Mitte)";
    return s + "\n";
}

std::string wallText(const zb::TWand& w) {
    return "   Mitte (" + std::to_string(w.X) + ", " + std::to_string(w.Y) + "), Länge " +
           std::to_string(w.Laenge) + ", Winkel " + std::to_string(w.Winkel) + "°\n" +
           slitText(w.SpaltAnz, w.Spaltbreite, w.Spaltabstand);
}

std::string mediumName(int32_t form) {
    switch (form) {
    case zb::kMediumRechteck:
        return "Rechteck";
    case zb::kMediumEllipse:
        return "Ellipse";
    case zb::kMediumDreieck:
        return "Dreieck";
    }
    return "Form " + std::to_string(form);
}

std::string mediumText(const zb::TMedium& m) {
    return "   Mitte (" + std::to_string(m.X) + ", " + std::to_string(m.Y) + "), Breite " +
           std::to_string(m.Breite) + ", Höhe " + std::to_string(m.Hoehe) + ", Winkel " +
           std::to_string(m.Winkel) + "°\n   Kopplung " + decimal(m.Kopplung) + ", Dämpfung " +
           percent(m.Daempfung) + "\n";
}

std::string arcText(const zb::TKreisbogen& a) {
    return "   Mitte (" + std::to_string(a.X) + ", " + std::to_string(a.Y) + "), Radius " +
           std::to_string(a.Radius) + ", von " + std::to_string(a.Startwinkel) + "° bis " +
           std::to_string(a.Endwinkel) + "°, Dicke " + std::to_string(a.Dicke) + "\n" +
           slitText(a.SpaltAnz, a.Spaltbreite, a.Spaltabstand);
}

std::string parabolaText(const zb::TParabel& p) {
    return "   Brennpunkt (" + std::to_string(p.X) + ", " + std::to_string(p.Y) + "), Brennweite " +
           std::to_string(p.Brennweite) + ", öffnet zu " + std::to_string(p.Winkel) + "°, Breite " +
           std::to_string(p.Breite) + ", Dicke " + std::to_string(p.Dicke) + "\n" +
           slitText(p.SpaltAnz, p.Spaltbreite, p.Spaltabstand);
}

std::string screenText(const zb::TSchirm& sc, const zb::TZBecken& t, int screenIndex) {
    const int64_t position = sc.Position;
    const int64_t limit = sc.Horizontal ? t.GroesseY : t.GroesseX;
    std::string s = std::string("   ") + (sc.Horizontal ? "waagrecht" : "senkrecht") +
                    ", Position " + std::to_string(position) + " (" +
                    (sc.Horizontal ? "Zeile " : "Spalte ") + std::to_string(position - 1) +
                    " ab 0 gezählt)";
    if (position < 1 || position > limit)
        s += ", liegt außerhalb des Beckens";
    if (screenIndex >= ZBTOOLS_MAX_SCREENS)
        s += "\n   wird nicht gemessen: die Simulation nimmt nur die ersten " +
             std::to_string(ZBTOOLS_MAX_SCREENS) + " Schirme";
    return s + "\n";
}

std::string probeText(const zb::TMesspunkt& m, const zb::TZBecken& t) {
    char colour[16];
    std::snprintf(colour, sizeof colour, "#%06X", unsigned(m.Farbe & 0xffffffu));
    std::string s =
        "   Schwinger (" + std::to_string(m.X) + ", " + std::to_string(m.Y) + "), Farbe " + colour;
    if (m.X < 0 || m.Y < 0 || m.X >= t.GroesseX || m.Y >= t.GroesseY)
        s += ", liegt außerhalb des Beckens";
    return s + "\n";
}

// The run's controls as the tank opens them, in the words of their labels.
std::string displayText(const zb::TAnzeige& a) {
    // A read display is clamped; the combo box's entries.
    const char* const colours[] = {"Normale Farben", "Farben Auslenkung", "Farben Intensität"};
    std::string s = colours[std::clamp(a.Faerbung, 0, 2)];
    // As the height label shows it: two decimals below 1, one above.
    const double height = zb::TAnzeige::heightScaleOf(a.Hoehenfaktor);
    char scale[32];
    std::snprintf(scale, sizeof scale, "%.*f", height < 1.0 ? 2 : 1, height);
    s += ", Höhe ×" + commaDecimal(scale);
    s += a.SchirmIntensitaet ? ", Intensität an den Schirmen" : ", Schirme ohne Intensität";
    s += a.SchirmeTransparent ? ", Schirmhintergrund transparent" : "";
    s += a.DrahtAnsicht ? ", Drahtansicht an" : ", Drahtansicht aus";
    s += a.Hoehe >= 150 ? ", Blick von oben" : ", Höhe des Betrachters " + std::to_string(a.Hoehe);
    s += ", Drehwinkel " + std::to_string(a.Drehwinkel) + "°, Entfernung " +
         std::to_string(a.Entfernung);
    s += ", Geschwindigkeit " + std::to_string(a.Geschwindigkeit) + " (Schritt dt " +
         decimal(zb::timeStepOfSpeed(a.Geschwindigkeit), 4) + ")";
    return s;
}

} // namespace

std::string infoText(const zb::TZBecken& t, const std::string& path) {
    const zb::TObjektListe& list = *t.Objekte;
    std::string s = "Becken " + displayName(path) + "\n";
    s += "Größe:      " + std::to_string(t.GroesseX) + " × " + std::to_string(t.GroesseY) +
         " Schwinger" + poolSizeRemark(t.GroesseX, t.GroesseY) + "\n";
    s += "Ränder:     " + edgesText(t) + "\n";
    s += "Dämpfung:   " + percent(t.StandardDaempfung) + "\n";
    s += "Kopplung:   " + decimal(t.StandardKopplung) + "\n";
    s += "Schritt dt: " + timeStepText(t) + "\n";
    if (t.Anzeige)
        s += "Darstellung beim Öffnen: " + displayText(*t.Anzeige) + "\n";
    s += "Objekte:    " + std::to_string(list.Count() - 1) + "\n";

    int screens = 0;
    for (int k = 1; k < list.Count(); ++k) {
        const zb::TObjekt& o = list.at(k);
        s += '\n';
        s += std::to_string(k) + ". ";
        if (const zb::TErreger* e = o.erreger()) {
            s += "Erreger " + displayName(o.Name) + "\n" + exciterText(*e);
        } else if (const zb::TWand* w = o.wand()) {
            s += "Wand " + displayName(o.Name) + "\n" + wallText(*w);
        } else if (const zb::TSchirm* sc = o.schirm()) {
            s += "Schirm " + displayName(o.Name) + "\n" + screenText(*sc, t, screens++);
        } else if (const zb::TMatUebergang* m = o.matUebergang()) {
            s += "Materialübergang " + displayName(o.Name) + "\n   ab Zeile " +
                 std::to_string(m->Y) + ": Kopplung " + decimal(m->Kopplung) + ", Dämpfung " +
                 percent(m->Daempfung) + "\n";
        } else if (const zb::TMesspunkt* p = o.messpunkt()) {
            s += "Messpunkt " + displayName(o.Name) + "\n" + probeText(*p, t);
        } else if (const zb::TMedium* md = o.medium()) {
            s += "Medium (" + mediumName(md->Form) + ") " + displayName(o.Name) + "\n" +
                 mediumText(*md);
        } else if (const zb::TKreisbogen* a = o.kreisbogen()) {
            s += "gebogene Wand (Kreisbogen) " + displayName(o.Name) + "\n" + arcText(*a);
        } else if (const zb::TParabel* b = o.parabel()) {
            s += "gebogene Wand (Parabel) " + displayName(o.Name) + "\n" + parabolaText(*b);
        } else {
            s += "Eintrag unbekannter Art " + std::to_string(o.Art) + " " + displayName(o.Name) +
                 "\n   wird nicht an die Simulation gegeben\n";
        }
    }
    return s;
}

} // namespace zbtool
