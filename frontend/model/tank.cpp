#include "model/tank.h"
#include "model/tank_file.h"

#include <stdexcept>

namespace zb {

TZBecken::TZBecken() : Objekte(std::make_unique<TObjektListe>()) {}

TZBecken::TZBecken(const TZBecken& other)
    : GroesseX(other.GroesseX), GroesseY(other.GroesseY), RandHinten(other.RandHinten),
      RandVorne(other.RandVorne), RandLinks(other.RandLinks), RandRechts(other.RandRechts),
      StandardDaempfung(other.StandardDaempfung), StandardKopplung(other.StandardKopplung),
      RandBreite(other.RandBreite), Objekte(std::make_unique<TObjektListe>(*other.Objekte)) {}

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
