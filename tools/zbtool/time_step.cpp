#include "time_step.h"

#include "model/stability.h"

#include <cmath>
#include <cstdio>

namespace zbtool {

namespace {

std::string withComma(std::string s) {
    for (char& c : s)
        if (c == '.')
            c = ',';
    return s;
}

} // namespace

std::string limitText(double limit) {
    const int exponent = int(std::floor(std::log10(limit)));
    const int decimals = std::max(0, 3 - exponent);
    const double scale = std::pow(10.0, 3 - exponent);
    double shown = std::floor(limit * scale) / scale;
    // --dt is read as a float: the named number must not round up past the limit.
    if (double(float(shown)) > limit)
        shown -= 1.0 / scale;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, shown);
    return withComma(buffer);
}

std::optional<std::string> timeStepProblem(const zb::TZBecken& tank, double dt) {
    const double limit = zb::maxStableTimeStep(tank);
    if (dt <= limit)
        return std::nullopt;
    char coupling[64];
    std::snprintf(coupling, sizeof coupling, "%.6g", zb::largestCoupling(tank));
    if (!(limit > 0.0))
        return "Das Becken hat die Kopplung " + withComma(coupling) +
               "; damit bleibt bei keinem Zeitschritt die Rechnung stabil.";
    return "--dt ist für dieses Becken zu groß: bei der größten Kopplung " + withComma(coupling) +
           " bleibt die Rechnung nur bis --dt " + limitText(limit) + " stabil.";
}

} // namespace zbtool
