#include "model/stability.h"
#include "model/dispersion.h"
#include "model/tank.h"

#include <cmath>
#include <limits>

namespace zb {

namespace {

double asEngineHoldsIt(double coupling) {
    return double(float(coupling));
}

} // namespace

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
        if (const TMatUebergang* m = tank.Objekte->at(k).matUebergang()) {
            const double c = asEngineHoldsIt(m->Kopplung);
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
