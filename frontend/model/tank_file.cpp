#include "model/tank_file.h"
#include "model/cp1252.h"
#include "model/replacing_file.h"
#include "model/system_errors.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
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
// Version 4 only for what versions 2 and 3 cannot hold (the kinds from 6 on, a moving or pulsed
// exciter, another edge kind), so that every other tank stays readable by earlier programs. Its
// records carry their payload's length and a list of tagged blocks follows them, so that later
// fields, kinds and tank-wide settings fit in without a version 5: a reader skips what it does
// not know instead of misreading everything after it.
constexpr int32_t kVersionExtended = 4;

// The blocks after the object list of version 4: four ASCII letters, then the payload's length.
constexpr uint32_t blockTag(const char (&letters)[5]) {
    return uint32_t(uint8_t(letters[0])) | uint32_t(uint8_t(letters[1])) << 8 |
           uint32_t(uint8_t(letters[2])) << 16 | uint32_t(uint8_t(letters[3])) << 24;
}
constexpr uint32_t kBlockRand = blockTag("RAND");    // int32 RandArt
constexpr uint32_t kBlockAnzeige = blockTag("ANZG"); // TAnzeige, 27 bytes
constexpr uint32_t kAnzeigeSize = 6 * sizeof(int32_t) + 3;
constexpr size_t kBlockHeadSize = 8;

// Reads little-endian fields and remembers whether the data ran out.
class Reader {
  public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool exhausted() const { return short_; }
    size_t remaining() const { return size_ - pos_; }
    // The next n bytes as a reader of their own, which this one steps past.
    Reader part(size_t n) {
        if (remaining() < n) {
            short_ = true;
            pos_ = size_;
            return {data_, 0};
        }
        Reader r(data_ + pos_, n);
        pos_ += n;
        return r;
    }

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
        if (version >= kVersionExtended) {
            e->Vx = in.get<double>();
            e->Vy = in.get<double>();
            e->Puls = in.flag();
            e->Perioden = in.get<int32_t>();
        }
    } else if (TMesspunkt* p = o.messpunkt()) {
        p->X = in.get<int32_t>();
        p->Y = in.get<int32_t>();
        p->Farbe = in.get<uint32_t>();
    } else if (TMedium* md = o.medium()) {
        md->Form = in.get<int32_t>();
        md->X = in.get<int32_t>();
        md->Y = in.get<int32_t>();
        md->Breite = in.get<int32_t>();
        md->Hoehe = in.get<int32_t>();
        md->Winkel = in.get<int32_t>();
        md->Kopplung = in.get<double>();
        md->Daempfung = in.get<double>();
    } else if (TKreisbogen* a = o.kreisbogen()) {
        a->X = in.get<int32_t>();
        a->Y = in.get<int32_t>();
        a->Radius = in.get<int32_t>();
        a->Startwinkel = in.get<int32_t>();
        a->Endwinkel = in.get<int32_t>();
        a->Dicke = in.get<int32_t>();
        a->SpaltAnz = in.get<int32_t>();
        a->Spaltbreite = in.get<int32_t>();
        a->Spaltabstand = in.get<int32_t>();
    } else if (TParabel* b = o.parabel()) {
        b->X = in.get<int32_t>();
        b->Y = in.get<int32_t>();
        b->Brennweite = in.get<int32_t>();
        b->Winkel = in.get<int32_t>();
        b->Breite = in.get<int32_t>();
        b->Dicke = in.get<int32_t>();
        b->SpaltAnz = in.get<int32_t>();
        b->Spaltbreite = in.get<int32_t>();
        b->Spaltabstand = in.get<int32_t>();
    }
}

double finiteOr(double v, double fallback) {
    return std::isfinite(v) ? v : fallback;
}

// The fields that came with version 4 are brought into what the editor can show and the engine
// can build; everything older is taken as it is, as it always was.
void settleExtendedFields(TObjekt& o) {
    if (TErreger* e = o.erreger()) {
        e->Vx = finiteOr(e->Vx, 0.0);
        e->Vy = finiteOr(e->Vy, 0.0);
        e->Perioden = std::clamp(e->Perioden, 1, 10);
    } else if (TMedium* m = o.medium()) {
        if (m->Form < kMediumRechteck || m->Form > kMediumDreieck)
            m->Form = TMedium{}.Form;
        m->Breite = std::max(m->Breite, 1);
        m->Hoehe = std::max(m->Hoehe, 1);
        m->Kopplung = std::max(finiteOr(m->Kopplung, TMedium{}.Kopplung), 0.0);
        m->Daempfung = std::clamp(finiteOr(m->Daempfung, 0.0), 0.0, 1.0);
    } else if (TKreisbogen* a = o.kreisbogen()) {
        a->Radius = std::max(a->Radius, 1);
        a->Dicke = std::max(a->Dicke, 1);
    } else if (TParabel* b = o.parabel()) {
        b->Brennweite = std::max(b->Brennweite, 1);
        b->Breite = std::max(b->Breite, 1);
        b->Dicke = std::max(b->Dicke, 1);
    }
}

void writePayload(Writer& out, const TObjekt& o, int32_t version) {
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
        if (version >= kVersionExtended) {
            out.put(e->Vx);
            out.put(e->Vy);
            out.flag(e->Puls);
            out.put(e->Perioden);
        }
    } else if (const TMesspunkt* p = o.messpunkt()) {
        out.put(p->X);
        out.put(p->Y);
        out.put(p->Farbe);
    } else if (const TMedium* md = o.medium()) {
        out.put(md->Form);
        out.put(md->X);
        out.put(md->Y);
        out.put(md->Breite);
        out.put(md->Hoehe);
        out.put(md->Winkel);
        out.put(md->Kopplung);
        out.put(md->Daempfung);
    } else if (const TKreisbogen* a = o.kreisbogen()) {
        out.put(a->X);
        out.put(a->Y);
        out.put(a->Radius);
        out.put(a->Startwinkel);
        out.put(a->Endwinkel);
        out.put(a->Dicke);
        out.put(a->SpaltAnz);
        out.put(a->Spaltbreite);
        out.put(a->Spaltabstand);
    } else if (const TParabel* b = o.parabel()) {
        out.put(b->X);
        out.put(b->Y);
        out.put(b->Brennweite);
        out.put(b->Winkel);
        out.put(b->Breite);
        out.put(b->Dicke);
        out.put(b->SpaltAnz);
        out.put(b->Spaltbreite);
        out.put(b->Spaltabstand);
    }
}

// The kinds whose code a version gives a payload: an entry of such a code without a record
// (read from an older file) has no layout there.
int32_t lastKindWithPayload(int32_t version) {
    return version >= kVersionExtended     ? kArtParabel
           : version >= kVersionWithProbes ? kArtMesspunkt
                                           : kArtErreger;
}

bool needsExtendedVersion(const TZBecken& tank) {
    if (tank.RandArt != 0 || tank.Anzeige)
        return true;
    for (int k = 1; k < tank.Objekte->Count(); ++k) {
        const TObjekt& o = tank.Objekte->at(k);
        if (o.medium() || o.kreisbogen() || o.parabel())
            return true;
        if (const TErreger* e = o.erreger(); e && e->extended())
            return true;
    }
    return false;
}

bool holdsProbes(const TObjektListe& list) {
    for (int k = 1; k < list.Count(); ++k)
        if (list.at(k).messpunkt())
            return true;
    return false;
}

int32_t versionFor(const TZBecken& tank) {
    if (needsExtendedVersion(tank))
        return kVersionExtended;
    return holdsProbes(*tank.Objekte) ? kVersionWithProbes : kVersionWithoutProbes;
}

// A code without payload in the file's version (a probe's before version 3, the kinds from 6 on
// before version 4) made an entry without a record, and still does.
std::unique_ptr<TObjekt> newEntry(int32_t art, std::string name, int32_t version) {
    if (art > kArtBecken && art <= kArtParabel && art > lastKindWithPayload(version))
        return TObjekt::withoutRecord(art, std::move(name));
    return std::make_unique<TObjekt>(art, std::move(name));
}

// Version 4: every record's payload is counted, so a reader takes the fields it knows, steps
// past later ones and past the payload of a kind it does not know.
bool readCountedPayload(Reader& in, TObjekt& o) {
    const uint32_t length = in.get<uint32_t>();
    Reader payload = in.part(length);
    if (in.exhausted())
        return false;
    readPayload(payload, o, kVersionExtended);
    if (payload.exhausted())
        return false; // shorter than its kind's fields
    settleExtendedFields(o);
    return true;
}

// The blocks after the object list of version 4. A block of an unknown tag is stepped over; a
// known one must hold its fields and may hold more.
bool readBlocks(Reader& in, TZBecken& tank) {
    const uint32_t count = in.get<uint32_t>();
    if (in.exhausted() || count > in.remaining() / kBlockHeadSize)
        return false;
    for (uint32_t k = 0; k < count; ++k) {
        const uint32_t tag = in.get<uint32_t>();
        const uint32_t length = in.get<uint32_t>();
        Reader block = in.part(length);
        if (in.exhausted())
            return false;
        if (tag == kBlockRand) {
            const int32_t kind = block.get<int32_t>();
            if (block.exhausted())
                return false;
            // An edge kind of a later program falls back to the designed edges.
            tank.RandArt = kind == 1 ? 1 : 0;
        } else if (tag == kBlockAnzeige) {
            TAnzeige a;
            a.Faerbung = block.get<int32_t>();
            a.Hoehenfaktor = block.get<int32_t>();
            a.SchirmIntensitaet = block.flag();
            a.DrahtAnsicht = block.flag();
            a.SchirmeTransparent = block.flag();
            a.Drehwinkel = block.get<int32_t>();
            a.Entfernung = block.get<int32_t>();
            a.Hoehe = block.get<int32_t>();
            a.Geschwindigkeit = block.get<int32_t>();
            if (block.exhausted())
                return false;
            a.clamp();
            tank.Anzeige = a;
        }
    }
    return true;
}

void writeBlocks(Writer& out, const TZBecken& tank) {
    const bool edges = tank.RandArt != 0;
    out.put(uint32_t((edges ? 1 : 0) + (tank.Anzeige ? 1 : 0)));
    if (edges) {
        out.put(kBlockRand);
        out.put(uint32_t(sizeof(int32_t)));
        out.put(tank.RandArt);
    }
    if (const auto& a = tank.Anzeige) {
        out.put(kBlockAnzeige);
        out.put(kAnzeigeSize);
        out.put(a->Faerbung);
        out.put(a->Hoehenfaktor);
        out.flag(a->SchirmIntensitaet);
        out.flag(a->DrahtAnsicht);
        out.flag(a->SchirmeTransparent);
        out.put(a->Drehwinkel);
        out.put(a->Entfernung);
        out.put(a->Hoehe);
        out.put(a->Geschwindigkeit);
    }
}

} // namespace

TankReadResult parseTank(const uint8_t* data, size_t size, TZBecken& tank) {
    Reader in(data, size);
    const int32_t version = in.get<int32_t>();
    if (in.exhausted() || version < 1 || version > kVersionExtended)
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
    tank.RandArt = 0;
    tank.Anzeige.reset();
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
        if (version >= kVersionExtended) {
            if (!readCountedPayload(in, *entry))
                return TankReadResult::Truncated;
        } else {
            readPayload(in, *entry, version);
        }
        if (in.exhausted())
            return TankReadResult::Truncated;
        // The engine keeps no more probes than this; later ones are read past and dropped.
        if (entry->messpunkt() && ++probes > kMaxMesspunkte)
            continue;
        tank.Objekte->add(std::move(entry));
    }
    if (version >= kVersionExtended && !readBlocks(in, tank))
        return TankReadResult::Truncated;
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
    const int32_t version = versionFor(tank);
    out.put(version);
    out.put(tank.GroesseX);
    out.put(tank.GroesseY);
    out.flag(tank.RandHinten);
    out.flag(tank.RandVorne);
    out.flag(tank.RandLinks);
    out.flag(tank.RandRechts);
    out.put(tank.StandardDaempfung);
    out.put(tank.StandardKopplung);
    out.put(tank.RandBreite);
    // An entry without a record whose code has a payload in this version (a probe's code from a
    // version 1 or 2 file in version 3 or 4, a code from 6 on from an older file in version 4) has
    // no layout here: it is left out, as a reader of this version would misread it.
    const auto written = [&](const TObjekt& o) {
        return o.hasDaten() || o.Art <= kArtBecken || o.Art > lastKindWithPayload(version);
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
        if (version >= kVersionExtended) {
            Writer payload;
            writePayload(payload, o, version);
            out.put(uint32_t(payload.bytes.size()));
            out.bytes.insert(out.bytes.end(), payload.bytes.begin(), payload.bytes.end());
        } else {
            writePayload(out, o, version);
        }
    }
    if (version >= kVersionExtended)
        writeBlocks(out, tank);
    return std::move(out.bytes);
}

TankSaveResult writeTankFile(const std::string& path, const TZBecken& tank) {
    ReplacingFile file(path, FileTargets::RegularOnly);
    if (!file.open() || !file.commit(serializeTank(tank)))
        return {false, file.reason()};
    return {};
}

} // namespace zb
