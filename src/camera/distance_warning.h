// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "camera/camera_settings.h"

namespace orvendel {

// The viewing distance beyond which the user is warned once per run of the program.
inline constexpr float kDistanceWarningLimit = 45.0f;

inline constexpr std::string_view kDistanceWarningText =
    "Increasing the clipping distance beyond 45 meters can ruin the ambience of some modules "
    "since it causes fog to thin out.  It can also cause performance degredation if your "
    "computer and video card are not sufficiently fast.  If you encounter problems, you should "
    "lower the distance.  Some players consider increasing the viewing distance a cheat.  You "
    "are encouraged to notify other players and DM's that you have extended your viewing "
    "distance in any multiplayer games you join.";

// Takes a viewing-distance pointer's value into ClipDist of `camera`, unrounded, as a float.
void readDistanceGauge(CameraSettings& s, Camera camera, double pointer);

// Decides whether the viewing-distance warning is due for a distance the user has just set:
// true when `distance` is strictly above 45 and the warning has not been shown in this run, in
// which case distanceWarningShown is set so that neither gauge shows it again. The distance
// itself is left as the user set it.
bool takeDistanceWarning(CameraState& state, float distance);

}  // namespace orvendel
