// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "camera/camera_settings.h"

namespace orvendel {

// Needles of an angle gauge, by index; the labels of the gauge use the same indexes.
enum AngleNeedle : int {
    kNeedleMinimum = 0,  // "Minimum Angle" -> AngleMin
    kNeedleDefault = 1,  // "Default Angle" -> AngleDef
    kNeedleIns = 2,      // "INS Key Angle" -> AngleIns (revision 0 only)
    kNeedleDel = 3,      // "DEL Key Angle" -> AngleDel (revision 0 only)
};
inline constexpr int kAngleNeedleCount = 4;

// Values to put onto the needles of an angle gauge; an empty entry leaves that needle alone.
using AngleNeedleValues = std::array<std::optional<float>, kAngleNeedleCount>;

// Scale 1 of an angle gauge: it starts at the minimum angle and always ends at 90.
struct AngleScale {
    float start;
    float extent;
};

// Rounds `value` to a whole multiple of `step` (greater than 0), ties going to the even multiple
// (with a step of 1: 44.5 -> 44, 45.5 -> 46), independent of the floating-point rounding mode.
// A result of zero is +0; NaN stays NaN.
double roundToMultiple(double value, double step);

// Rounds a needle's value to a whole degree as roundToMultiple does (-0.5 -> 0). Values beyond
// the range of a 16-bit integer are clamped to it; a NaN gives 0.
float roundNeedleValue(double value);

// Scale 1 for the current minimum angle of `camera`: start AngleMin, extent 90 - AngleMin
// computed in float. Changes nothing.
AngleScale angleScaleFor(const CameraSettings& s, Camera camera);

// The needle values an angle gauge shows for the record: minimum and default always, INS and
// DEL only in revision 0. Changes nothing.
AngleNeedleValues needleValuesFor(const CameraSettings& s, Camera camera, std::int16_t revision);

// Outcome of reading an angle gauge: the scale to set and the needles to put back.
struct AngleReadResult {
    AngleScale scale;
    AngleNeedleValues putBack;
};

// Takes the needle values read from the gauge of `camera` into the record after the user moved
// a needle. The minimum is read first; the default (and in revision 0 the INS and DEL angles)
// are read next and raised to the minimum if they fell below it, in which case their needle is
// put back at the minimum. Needles 2 and 3 are ignored unless `revision` is 0. Every value read
// is rounded with roundNeedleValue; AngleMax is never touched.
AngleReadResult takeNeedles(CameraSettings& s, Camera camera, std::int16_t revision,
                            const std::array<double, kAngleNeedleCount>& needles);

}  // namespace orvendel
