#include "probe_series.h"

#include "model/simulation_time.h"
#include "zbengine.h"

namespace zbtool {

namespace {

constexpr uint32_t kCommandLineColour = 0xd01c8bu; // never shown; the engine wants one

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

// One line per step, even for a name with a line break from a hand-made file.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
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

ProbeCsv::ProbeCsv(std::vector<RunProbe> probes, float dt, zb::CsvForm form)
    : probes_(std::move(probes)), dt_(dt), table_(form) {
    buffer_.resize(probes_.size() * 1024);
    table_.text("Schritt");
    table_.text("Zeit in s");
    for (const RunProbe& p : probes_)
        table_.text(oneLine(p.inside ? p.name : p.name + " (außerhalb des Beckens)"));
    table_.endRow();
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
            table_.number(step_);
            // As a float: its at most 9 digits survive a spreadsheet, which keeps 15.
            table_.number(float(zb::simulationSeconds(double(time_))));
            for (size_t k = 0; k < n; ++k) {
                if (probes_[k].inside)
                    table_.number(buffer_[size_t(s) * n + k]);
                else
                    table_.empty();
            }
            table_.endRow();
        }
    }
}

} // namespace zbtool
