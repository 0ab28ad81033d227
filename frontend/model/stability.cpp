#include "model/stability.h"
#include "model/dispersion.h"
#include "model/tank.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace zb {

namespace {

double asEngineHoldsIt(double coupling) {
    return double(float(coupling));
}

// German digits: a decimal comma and a real minus sign.
std::string germanNumber(double v) {
    if (std::isnan(v))
        return "keine Zahl";
    if (std::isinf(v))
        return v > 0 ? "unendlich" : "−unendlich";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6g", std::fabs(v));
    std::string s = v < 0 ? "−" : "";
    for (const char* c = buffer; *c; ++c)
        s += *c == '.' ? ',' : *c;
    return s;
}

// A name from a foreign file may hold control characters.
std::string quotedName(const std::string& name) {
    std::string s = "„";
    for (char c : name)
        s += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
    return s + "“";
}

std::optional<std::string> couplingProblem(double coupling, const std::string& owner) {
    const double c = asEngineHoldsIt(coupling);
    if (std::isfinite(c) && c >= 0.0)
        return std::nullopt;
    const std::string value = std::isfinite(coupling) && !std::isfinite(c)
                                  ? germanNumber(coupling) + ", für die Rechnung zu groß"
                                  : germanNumber(coupling);
    return "Die Kopplung " + owner + " ist " + value + "; erlaubt sind Werte ab 0.";
}

// The engine holds 1 − damping as a float; the editor shows the damping in percent.
std::optional<std::string> dampingProblem(double damping, const std::string& owner) {
    const double d = double(float(damping));
    if (d >= 0.0 && d <= 1.0)
        return std::nullopt;
    const std::string value =
        std::isfinite(damping) ? germanNumber(damping * 100.0) + " %" : germanNumber(damping);
    return "Die Dämpfung " + owner + " ist " + value + "; erlaubt sind Werte von 0 % bis 100 %.";
}

} // namespace

std::optional<std::string> unstableValue(const TZBecken& tank) {
    const std::string own = "des Beckens";
    if (auto problem = couplingProblem(tank.StandardKopplung, own))
        return problem;
    if (auto problem = dampingProblem(tank.StandardDaempfung, own))
        return problem;
    for (int k = 0; k < tank.Objekte->Count(); ++k) {
        const TObjekt& o = tank.Objekte->at(k);
        if (const TMatUebergang* m = o.matUebergang()) {
            const std::string owner = "des Materialübergangs " + quotedName(o.Name);
            if (auto problem = couplingProblem(m->Kopplung, owner))
                return problem;
            if (auto problem = dampingProblem(m->Daempfung, owner))
                return problem;
        }
    }
    return std::nullopt;
}

double stabilityLimit(double coupling) {
    const double c = asEngineHoldsIt(coupling);
    if (!std::isfinite(c))
        return 0.0;
    if (c <= 0.0)
        return std::numeric_limits<double>::infinity();
    return std::sqrt(2.0 / (kSpring * c));
}

double largestCoupling(const TZBecken& tank) {
    double largest = asEngineHoldsIt(tank.StandardKopplung);
    for (int k = 0; k < tank.Objekte->Count(); ++k) {
        const TObjekt& entry = tank.Objekte->at(k);
        const TMatUebergang* m = entry.matUebergang();
        const TMedium* medium = entry.medium();
        if (m || medium) {
            const double c = asEngineHoldsIt(m ? m->Kopplung : medium->Kopplung);
            // A coupling that is no number must win, so that the tank gets no stable step.
            if (std::isnan(c) || c > largest)
                largest = c;
            if (std::isnan(largest))
                break;
        }
    }
    return largest;
}

double maxStableTimeStep(const TZBecken& tank) {
    return kStableTimeStepMargin * stabilityLimit(largestCoupling(tank));
}

} // namespace zb
