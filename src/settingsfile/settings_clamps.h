// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "camera/camera_settings.h"

namespace orvendel {

// Bounds of the single-value clamps, as 4-byte floats.
inline constexpr float kAngleLowerBound = -90.0f;
inline constexpr float kAngleUpperBound = 89.0f;
inline constexpr float kZoomLowerBound = -1.0f;
inline constexpr float kZoomUpperBound = 30.0f;
inline constexpr float kDistanceLowerBound = 10.0f;
inline constexpr float kDistanceUpperBound = 350.0f;
inline constexpr float kHeightLowerBound = 1.0f;
// The float nearest 2.2 (bits 0x400CCCCD).
inline constexpr float kHeightUpperBound = 2.2f;

// Each single clamp first raises a value below its lower bound to that bound, then lowers a
// value above its upper bound to that bound; a value equal to a bound stays. NaN passes through.
void clampAngle(float& x);     // -90 .. 89
void clampZoom(float& x);      // -1 .. 30
void clampDistance(float& x);  // 10 .. 350
void clampHeight(float& x);    // 1 .. the float nearest 2.2

// Exchanges min and max if min is greater, then moves v into [min, max].
void orderMinMaxDef(float& min, float& max, float& v);

// Brings a freshly loaded record into the ranges the editor and the patcher accept, in this
// order: chase/top-down angles, chase/top-down zoom clamps, the revision 1 zoom rule (only when
// `revision` is 1: CTZoomMin 5, CTZoomMax at least 5, DZoomMin 6, DZoomMax at least 6),
// chase/top-down zoom order, viewing distance and height, then the same for the drive camera.
void clampSettings(CameraSettings& s, std::int16_t revision);

}  // namespace orvendel
