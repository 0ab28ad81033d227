#include "model/tank_file.h"
#include "model/cp1252.h"
#include "model/replacing_file.h"
#include "model/system_errors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zb {

namespace {

constexpr size_t kNameFieldSize = 256;
// Version 3 adds nothing but the probe record, so a tank without probes is still written as
// version 2, readable by every earlier program.
constexpr int32_t kVersionWithoutProbes = 2;
constexpr int32_t kVersionWithProbes = 3;

// Reads little-endian fields and remembers whether the data ran out.
class Reader {
  public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool exhausted() const { return short_; }
    size_t remaining() const { return size_ - pos_; }

    template <class T>
    T get() {
        T v{};
        if (remaining() < sizeof(T)) {
            short_ = true;
            pos_ = size_;
            return v;
        }
        std::memcpy(&v, data_ + pos_, sizeof v);
        pos_ += sizeof v;
        return v;
    }
    bool flag() { return get<uint8_t>() != 0; }
    std::string name() {
        if (remaining() < kNameFieldSize) {
            short_ = true;
            pos_ = size_;
            return {};
        }
        const uint8_t length = data_[pos_];
        std::string bytes(reinterpret_cast<const char*>(data_ + pos_ + 1), length);
        pos_ += kNameFieldSize;
        return utf8FromCp1252(bytes);
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool short_ = false;
};

class Writer {
  public:
    template <class T>
    void put(T v) {
        const auto* p = reinterpret_cast<const uint8_t*>(&v);
        bytes.insert(bytes.end(), p, p + sizeof v);
    }
    void flag(bool b) { bytes.push_back(b ? 1 : 0); }
    void name(const std::string& utf8) {
        std::string text = cp1252FromUtf8(utf8);
        if (text.size() > kNameFieldSize - 1)
            text.resize(kNameFieldSize - 1); // one byte per character: any cut is clean
        bytes.push_back(uint8_t(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.insert(bytes.end(), kNameFieldSize - 1 - text.size(), 0);
    }
    std::vector<uint8_t> bytes;
};

void readPayload(Reader& in, TObjekt& o, int32_t version) {
    if (TWand* w = o.wand()) {
        w->X = in.get<int32_t>();
        w->Y = in.get<int32_t>();
        w->Winkel = in.get<int32_t>();
        w->Laenge = in.get<int32_t>();
        w->SpaltAnz = in.get<int32_t>();
        w->Spaltbreite = in.get<int32_t>();
        w->Spaltabstand = in.get<int32_t>();
    } else if (TSchirm* s = o.schirm()) {
        s->Position = in.get<int32_t>();
        s->Horizontal = in.flag();
    } else if (TMatUebergang* m = o.matUebergang()) {
        m->Y = in.get<int32_t>();
        m->Kopplung = in.get<double>();
        m->Daempfung = in.get<double>();
    } else if (TErreger* e = o.erreger()) {
        e->Merker = in.flag();
        e->X = in.get<int32_t>();
        e->Y = in.get<int32_t>();
        e->Breite = in.get<int32_t>();
        e->Laenge = in.get<int32_t>();
        e->Winkel = in.get<int32_t>();
        e->Frequenz = in.get<double>();
        e->Amplitude = in.get<double>();
        if (version >= 2)
            e->Fest = in.flag(); // version 1 keeps the default: prescribed sine
    } else if (TMesspunkt* p = o.messpunkt()) {
        p->X = in.get<int32_t>();
        p->Y = in.get<int32_t>();
        p->Farbe = in.get<uint32_t>();
    }
}

void writePayload(Writer& out, const TObjekt& o) {
    if (const TWand* w = o.wand()) {
        out.put(w->X);
        out.put(w->Y);
        out.put(w->Winkel);
        out.put(w->Laenge);
        out.put(w->SpaltAnz);
        out.put(w->Spaltbreite);
        out.put(w->Spaltabstand);
    } else if (const TSchirm* s = o.schirm()) {
        out.put(s->Position);
        out.flag(s->Horizontal);
    } else if (const TMatUebergang* m = o.matUebergang()) {
        out.put(m->Y);
        out.put(m->Kopplung);
        out.put(m->Daempfung);
    } else if (const TErreger* e = o.erreger()) {
        out.flag(e->Merker);
        out.put(e->X);
        out.put(e->Y);
        out.put(e->Breite);
        out.put(e->Laenge);
        out.put(e->Winkel);
        out.put(e->Frequenz);
        out.put(e->Amplitude);
        out.flag(e->Fest);
    } else if (const TMesspunkt* p = o.messpunkt()) {
        out.put(p->X);
        out.put(p->Y);
        out.put(p->Farbe);
    }
}

bool holdsProbes(const TObjektListe& list) {
    for (int k = 1; k < list.Count(); ++k)
        if (list.at(k).messpunkt())
            return true;
    return false;
}

// A probe's code in a version 1 or 2 file had no payload and made an entry without a record,
// and still does; from version 3 on it is a probe.
std::unique_ptr<TObjekt> newEntry(int32_t art, std::string name, int32_t version) {
    if (art == kArtMesspunkt && version < kVersionWithProbes)
        return TObjekt::withoutRecord(art, std::move(name));
    return std::make_unique<TObjekt>(art, std::move(name));
}

} // namespace

TankReadResult parseTank(const uint8_t* data, size_t size, TZBecken& tank) {
    Reader in(data, size);
    const int32_t version = in.get<int32_t>();
    if (in.exhausted() || version < 1 || version > kVersionWithProbes)
        return in.exhausted() ? TankReadResult::Truncated : TankReadResult::WrongVersion;
    tank.GroesseX = in.get<int32_t>();
    tank.GroesseY = in.get<int32_t>();
    tank.RandHinten = in.flag();
    tank.RandVorne = in.flag();
    tank.RandLinks = in.flag();
    tank.RandRechts = in.flag();
    tank.StandardDaempfung = in.get<double>();
    tank.StandardKopplung = in.get<double>();
    tank.RandBreite = in.get<int32_t>();
    const int32_t count = in.get<int32_t>();
    if (in.exhausted())
        return TankReadResult::Truncated;
    tank.Objekte = std::make_unique<TObjektListe>();
    // Every record takes at least its name and kind: a count the file cannot hold is refused
    // before anything is allocated for it.
    const int64_t objects = int64_t(count) - 1;
    if (objects > 0 && uint64_t(objects) > in.remaining() / kRecordHeadSize)
        return TankReadResult::Truncated;
    int probes = 0;
    for (int64_t k = 0; k < objects; ++k) {
        std::string name = in.name();
        const int32_t art = in.get<int32_t>();
        auto entry = newEntry(art, std::move(name), version);
        readPayload(in, *entry, version);
        if (in.exhausted())
            return TankReadResult::Truncated;
        // The engine keeps no more probes than this; later ones are read past and dropped.
        if (entry->messpunkt() && ++probes > kMaxMesspunkte)
            continue;
        tank.Objekte->add(std::move(entry));
    }
    return TankReadResult::Ok;
}

TankReadResult readTankFile(const std::string& path, TZBecken& tank, TankReadDetail* detail) {
    TankReadDetail ignored;
    TankReadDetail& why = detail ? *detail : ignored;
    const auto cannotOpen = [&](std::string reason) {
        why.reason = std::move(reason);
        return TankReadResult::CannotOpen;
    };
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? TankReadResult::Missing
                                                   : cannotOpen(systemErrorText(errno));
    if (!S_ISREG(st.st_mode))
        return cannotOpen(fileKindText(st.st_mode));
    // Non-blocking, in case a pipe took the file's place since the look: the open returns at
    // once and the second look refuses it.
    int fd;
    do
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return errno == ENOENT ? TankReadResult::Missing : cannotOpen(systemErrorText(errno));
    const bool looked = fstat(fd, &st) == 0;
    const int error = errno;
    if (!looked || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return cannotOpen(looked ? fileKindText(st.st_mode) : systemErrorText(error));
    }
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int failure = errno;
            ::close(fd);
            return cannotOpen(systemErrorText(failure));
        }
        if (n == 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    ::close(fd);
    const TankReadResult result = parseTank(bytes.data(), bytes.size(), tank);
    if (result == TankReadResult::WrongVersion)
        std::memcpy(&why.version, bytes.data(), sizeof why.version);
    return result;
}

std::vector<uint8_t> serializeTank(const TZBecken& tank) {
    Writer out;
    const bool probes = holdsProbes(*tank.Objekte);
    out.put(probes ? kVersionWithProbes : kVersionWithoutProbes);
    out.put(tank.GroesseX);
    out.put(tank.GroesseY);
    out.flag(tank.RandHinten);
    out.flag(tank.RandVorne);
    out.flag(tank.RandLinks);
    out.flag(tank.RandRechts);
    out.put(tank.StandardDaempfung);
    out.put(tank.StandardKopplung);
    out.put(tank.RandBreite);
    // An entry of the probe's code without a record (from a version 1 or 2 file) has no layout
    // in version 3: it is left out there, as a reader of version 3 would misread it.
    const auto written = [&](const TObjekt& o) {
        return !probes || o.Art != kArtMesspunkt || o.messpunkt();
    };
    int32_t count = 1;
    for (int k = 1; k < tank.Objekte->Count(); ++k)
        count += written(tank.Objekte->at(k)) ? 1 : 0;
    out.put(count);
    for (int k = 1; k < tank.Objekte->Count(); ++k) {
        const TObjekt& o = tank.Objekte->at(k);
        if (!written(o))
            continue;
        out.name(o.Name);
        out.put(o.Art); // unknown kinds keep their code, without payload
        writePayload(out, o);
    }
    return std::move(out.bytes);
}

TankSaveResult writeTankFile(const std::string& path, const TZBecken& tank) {
    ReplacingFile file(path, FileTargets::RegularOnly);
    if (!file.open() || !file.commit(serializeTank(tank)))
        return {false, file.reason()};
    return {};
}

} // namespace zb
