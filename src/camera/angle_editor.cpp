// SPDX-License-Identifier: MIT
#include "camera/angle_editor.h"

#include <cmath>
#include <limits>

namespace orvendel {

double roundToMultiple(double value, double step) {
    const double steps = value / step;
    const double floor = std::floor(steps);
    const double fraction = steps - floor;  // exact: both share their leading bits
    double whole = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        whole = floor + 1.0;
    return whole * step + 0.0;  // + 0.0 turns -0 into 0
}

float roundNeedleValue(double value) {
    if (std::isnan(value))
        return 0.0f;
    constexpr double kLow = std::numeric_limits<std::int16_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int16_t>::max();
    if (value <= kLow)
        return static_cast<float>(kLow);
    if (value >= kHigh)
        return static_cast<float>(kHigh);
    return static_cast<float>(roundToMultiple(value, 1.0));
}

AngleScale angleScaleFor(const CameraSettings& s, Camera camera) {
    CameraSettings copy = s;
    const float minimum = group(copy, camera).AngleMin;
    return {minimum, 90.0f - minimum};
}

AngleNeedleValues needleValuesFor(const CameraSettings& s, Camera camera, std::int16_t revision) {
    CameraSettings copy = s;
    const CameraGroup g = group(copy, camera);
    AngleNeedleValues values;
    values[kNeedleMinimum] = g.AngleMin;
    values[kNeedleDefault] = g.AngleDef;
    if (revision == 0) {
        values[kNeedleIns] = g.AngleIns;
        values[kNeedleDel] = g.AngleDel;
    }
    return values;
}

namespace {
// Reads one needle into `field` and keeps it from falling below `minimum`; returns the value
// to put back on the needle when it had to be raised.
std::optional<float> readAboveMinimum(float& field, double needle, float minimum) {
    field = roundNeedleValue(needle);
    if (field < minimum) {
        field = minimum;
        return minimum;
    }
    return std::nullopt;
}
}  // namespace

AngleReadResult takeNeedles(CameraSettings& s, Camera camera, std::int16_t revision,
                            const std::array<double, kAngleNeedleCount>& needles) {
    CameraGroup g = group(s, camera);
    AngleReadResult result{};
    g.AngleMin = roundNeedleValue(needles[kNeedleMinimum]);
    result.scale = angleScaleFor(s, camera);
    result.putBack[kNeedleDefault] =
        readAboveMinimum(g.AngleDef, needles[kNeedleDefault], g.AngleMin);
    if (revision != 0)
        return result;
    result.putBack[kNeedleIns] = readAboveMinimum(g.AngleIns, needles[kNeedleIns], g.AngleMin);
    result.putBack[kNeedleDel] = readAboveMinimum(g.AngleDel, needles[kNeedleDel], g.AngleMin);
    return result;
}

}  // namespace orvendel
