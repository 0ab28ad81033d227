#include "probe_series.h"

#include "zbengine.h"

#include <charconv>

namespace zbtool {

namespace {

constexpr uint32_t kCommandLineColour = 0xd01c8bu; // never shown; the engine wants one

template <class T>
void appendNumber(std::string& s, T v) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    s.append(buffer, ec == std::errc() ? end : buffer);
}

bool inside(const zb::TZBecken& tank, int64_t x, int64_t y) {
    return x >= 0 && y >= 0 && x < tank.GroesseX && y < tank.GroesseY;
}

// Built by appending: GCC 12 warns falsely about a literal followed by a temporary string.
std::string position(int64_t x, int64_t y) {
    std::string s = "(";
    s += std::to_string(x);
    s += ',';
    s += std::to_string(y);
    s += ')';
    return s;
}

std::string probeName(int64_t x, int64_t y) {
    std::string s = "Messpunkt ";
    s += position(x, y);
    return s;
}

std::string quotedCell(const std::string& text) {
    std::string s = "\"";
    for (char c : text) {
        if (c == '"')
            s += '"';
        s += (c == '\n' || c == '\r') ? ' ' : c;
    }
    return s + '"';
}

} // namespace

std::vector<RunProbe> runProbes(const zb::TZBecken& tank, std::span<const ProbePoint> extra) {
    std::vector<RunProbe> probes;
    for (int k = 1; k < tank.Objekte->Count(); ++k) {
        const zb::TObjekt& o = tank.Objekte->at(k);
        if (const zb::TMesspunkt* m = o.messpunkt())
            probes.push_back({o.Name.empty() ? probeName(m->X, m->Y) : o.Name, m->X, m->Y,
                              inside(tank, m->X, m->Y)});
    }
    for (const ProbePoint& p : extra)
        probes.push_back({probeName(p.x, p.y), p.x, p.y, inside(tank, p.x, p.y)});
    return probes;
}

std::optional<std::string> probesProblem(const zb::TZBecken& tank,
                                         std::span<const ProbePoint> extra) {
    for (const ProbePoint& p : extra)
        if (!inside(tank, p.x, p.y))
            return std::string("Der Messpunkt ") + position(p.x, p.y) +
                   " liegt außerhalb des Beckens (" + std::to_string(tank.GroesseX) + " × " +
                   std::to_string(tank.GroesseY) + " Schwinger, X von 0 bis " +
                   std::to_string(int64_t(tank.GroesseX) - 1) + ", Y von 0 bis " +
                   std::to_string(int64_t(tank.GroesseY) - 1) + ").";
    const size_t total = runProbes(tank, extra).size();
    const size_t fromTank = total - extra.size();
    if (total > size_t(zb::kMaxMesspunkte))
        return std::string("Zu viele Messpunkte: ") + std::to_string(total) + " (" +
               std::to_string(fromTank) + " im Becken, " + std::to_string(extra.size()) +
               " mit --probe); die Simulation misst höchstens " +
               std::to_string(zb::kMaxMesspunkte) + ".";
    if (total == 0)
        return "Das Becken hat keine Messpunkte; --probe X,Y fügt welche hinzu.";
    return std::nullopt;
}

void addCommandLineProbes(std::span<const ProbePoint> extra) {
    for (const ProbePoint& p : extra)
        ZBDLL_AddProbe(p.x, p.y, kCommandLineColour);
}

ProbeCsv::ProbeCsv(std::vector<RunProbe> probes, float dt) : probes_(std::move(probes)), dt_(dt) {
    buffer_.resize(probes_.size() * 1024);
    text_ = "Schritt,Zeit";
    for (const RunProbe& p : probes_)
        text_ += ',' + quotedCell(p.inside ? p.name : p.name + " (außerhalb des Beckens)");
    text_ += '\n';
}

void ProbeCsv::takeSamples() {
    const size_t n = probes_.size();
    if (n == 0)
        return;
    int32_t steps;
    while ((steps = ZBDLL_ReadProbes(buffer_.data(), int32_t(buffer_.size()))) > 0) {
        for (int32_t s = 0; s < steps; ++s) {
            ++step_;
            time_ = time_ + dt_;
            appendNumber(text_, step_);
            text_ += ',';
            appendNumber(text_, time_);
            for (size_t k = 0; k < n; ++k) {
                text_ += ',';
                if (probes_[k].inside)
                    appendNumber(text_, buffer_[size_t(s) * n + k]);
            }
            text_ += '\n';
        }
    }
}

} // namespace zbtool
