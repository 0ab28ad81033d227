#include "model/objects.h"

#include <atomic>
#include <stdexcept>

namespace zb {

namespace {

TObjekt::Daten defaultDaten(int32_t art) {
    switch (art) {
    case kArtWand:
        return TWand{};
    case kArtSchirm:
        return TSchirm{};
    case kArtMatUebergang:
        return TMatUebergang{};
    case kArtErreger:
        return TErreger{};
    case kArtMesspunkt:
        return TMesspunkt{};
    case kArtMedium:
        return TMedium{};
    case kArtKreisbogen:
        return TKreisbogen{};
    case kArtParabel:
        return TParabel{};
    default:
        return std::monostate{};
    }
}

std::atomic<uint64_t> lastSerial{0};

} // namespace

TObjekt::TObjekt(int32_t art, std::string name)
    : Art(art), Name(std::move(name)), data_(defaultDaten(art)), serial_(++lastSerial) {}

std::unique_ptr<TObjekt> TObjekt::withoutRecord(int32_t art, std::string name) {
    auto entry = std::make_unique<TObjekt>(kArtBecken, std::move(name));
    entry->Art = art;
    return entry;
}

TObjektListe::TObjektListe() {
    entries_.push_back(std::make_unique<TObjekt>(kArtBecken));
}

TObjektListe::TObjektListe(const TObjektListe& other) {
    entries_.reserve(other.entries_.size());
    for (const auto& entry : other.entries_)
        entries_.push_back(std::make_unique<TObjekt>(*entry));
}

TObjekt& TObjektListe::add(std::unique_ptr<TObjekt> entry) {
    entries_.push_back(std::move(entry));
    return *entries_.back();
}

std::unique_ptr<TObjekt> TObjektListe::remove(int index) {
    if (index <= 0 || index >= Count())
        throw std::out_of_range("TObjektListe::remove");
    std::unique_ptr<TObjekt> entry = std::move(entries_[size_t(index)]);
    entries_.erase(entries_.begin() + index);
    return entry;
}

} // namespace zb
