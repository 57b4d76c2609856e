// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "camera/camera_settings.h"

namespace orvendel {

// The range a kind of value is kept in, bounds included, as 4-byte floats.
struct Range {
    float lower;
    float upper;
};
inline constexpr Range kAngleRange{-90.0f, 89.0f};
inline constexpr Range kZoomRange{-1.0f, 30.0f};
inline constexpr Range kDistanceRange{10.0f, 350.0f};
// Up to the float nearest 2.2 (bits 0x400CCCCD).
inline constexpr Range kHeightRange{1.0f, 2.2f};

// Raises a value below the range's lower bound to that bound, then lowers a value above its
// upper bound to that bound; a value equal to a bound stays. NaN passes through.
void keepInRange(float& x, Range range);

// Exchanges min and max if min is greater, then moves `value` into [min, max].
void orderLimitsAndKeepBetween(float& min, float& max, float& value);

// Brings a freshly loaded record into the ranges the editor and the patcher accept, in this
// order: chase/top-down angles, chase/top-down zoom clamps, the revision 1 zoom rule (only when
// `revision` is 1: CTZoomMin 5, CTZoomMax at least 5, DZoomMin 6, DZoomMax at least 6),
// chase/top-down zoom order, viewing distance and height, then the same for the drive camera.
void clampSettings(CameraSettings& s, std::int16_t revision);

}  // namespace orvendel
