#include "model/tank.h"
#include "model/tank_file.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace zb {

TZBecken::TZBecken() : Objekte(std::make_unique<TObjektListe>()) {}

TZBecken::TZBecken(const TZBecken& other)
    : GroesseX(other.GroesseX), GroesseY(other.GroesseY), RandHinten(other.RandHinten),
      RandVorne(other.RandVorne), RandLinks(other.RandLinks), RandRechts(other.RandRechts),
      StandardDaempfung(other.StandardDaempfung), StandardKopplung(other.StandardKopplung),
      RandBreite(other.RandBreite), RandWahl(other.RandWahl), RandArt(other.RandArt),
      Objekte(std::make_unique<TObjektListe>(*other.Objekte)), Anzeige(other.Anzeige) {}

double TAnzeige::heightScaleOf(int32_t position) {
    return std::exp2(position / 10.0);
}

void TAnzeige::clamp() {
    Faerbung = std::clamp(Faerbung, 0, 2);
    Hoehenfaktor = std::clamp(Hoehenfaktor, -30, 30);
    Drehwinkel = std::clamp(Drehwinkel, -90, 270);
    Entfernung = std::clamp(Entfernung, 0, 150);
    Hoehe = std::clamp(Hoehe, 0, 150);
    Geschwindigkeit = std::clamp(Geschwindigkeit, 0, 150);
}

void TZBecken::SetSize(int32_t x, int32_t y) {
    GroesseX = x;
    GroesseY = y;
}

void TZBecken::SetEdges(bool hinten, bool vorne, bool links, bool rechts, int32_t breite) {
    RandHinten = hinten;
    RandVorne = vorne;
    RandLinks = links;
    RandRechts = rechts;
    RandBreite = breite;
}

EdgeChoice TZBecken::edgeChoice() const {
    const int damped = int(RandHinten) + int(RandVorne) + int(RandLinks) + int(RandRechts);
    const bool noneDamped = damped == 0;
    const bool allThin = damped == 4 && RandBreite == 1;
    switch (RandWahl) {
    case EdgeChoice::Choosable:
        return RandWahl;
    case EdgeChoice::NoPhaseJump:
        if (noneDamped) {
            return RandWahl;
        }
        break;
    case EdgeChoice::PhaseJump:
        if (allThin) {
            return RandWahl;
        }
        break;
    case EdgeChoice::FromFlags:
        break;
    }
    return noneDamped ? EdgeChoice::NoPhaseJump
           : allThin  ? EdgeChoice::PhaseJump
                      : EdgeChoice::Choosable;
}

bool TZBecken::sameEdges(const TZBecken& other) const {
    return RandHinten == other.RandHinten && RandVorne == other.RandVorne &&
           RandLinks == other.RandLinks && RandRechts == other.RandRechts &&
           RandBreite == other.RandBreite && RandArt == other.RandArt;
}

TankReadResult TZBecken::read(const std::string& path, TankReadDetail* detail) {
    TZBecken fresh;
    const TankReadResult result = readTankFile(path, fresh, detail);
    if (result == TankReadResult::Ok)
        *this = std::move(fresh);
    return result;
}

bool TZBecken::LoadFromFile(const std::string& path) {
    const TankReadResult result = read(path);
    if (result == TankReadResult::CannotOpen)
        throw std::runtime_error("Datei " + path + " kann nicht geöffnet werden");
    return result == TankReadResult::Ok;
}

TankSaveResult TZBecken::SaveToFile(const std::string& path) const {
    return writeTankFile(path, *this);
}

} // namespace zb
