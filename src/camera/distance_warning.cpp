// SPDX-License-Identifier: MIT
#include "camera/distance_warning.h"

namespace orvendel {

void readClipGauge(CameraSettings& s, Camera camera, double pointer) {
    group(s, camera).ClipDist = static_cast<float>(pointer);
}

bool takeDistanceWarning(CameraState& state, float distance) {
    if (!(distance > kDistanceWarningLimit) || state.DistanceWarningShown)
        return false;
    state.DistanceWarningShown = true;
    return true;
}

}  // namespace orvendel
