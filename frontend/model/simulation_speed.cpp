#include "model/simulation_speed.h"

namespace zb {

float timeStepOfSpeed(int position) {
    return float(position / 100.0 * 0.008 + 0.0001);
}

float startTimeStep(double maxTimeStep) {
    int position = kStartSpeedPosition;
    while (position > 0 && double(timeStepOfSpeed(position)) > maxTimeStep) {
        --position;
    }
    return timeStepOfSpeed(position);
}

} // namespace zb
