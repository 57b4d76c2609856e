// SPDX-License-Identifier: MIT
#include "camera/distance_warning.h"

namespace orvendel {

void readDistanceGauge(CameraSettings& s, Camera camera, double pointer) {
    group(s, camera).ClipDist = static_cast<float>(pointer);
}

bool takeDistanceWarning(CameraState& state, float distance) {
    if (!(distance > kDistanceWarningLimit) || state.distanceWarningShown)
        return false;
    state.distanceWarningShown = true;
    return true;
}

}  // namespace orvendel
