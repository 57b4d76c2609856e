// SPDX-License-Identifier: MIT
#include "settingsfile/settings_clamps.h"

#include <utility>

namespace orvendel {

namespace {

// Angles of one camera: the two bounds, then the default, DEL and INS angles between them.
void clampAngles(const CameraGroup& g) {
    keepInRange(g.AngleMin, kAngleRange);
    keepInRange(g.AngleMax, kAngleRange);
    orderLimitsAndKeepBetween(g.AngleMin, g.AngleMax, g.AngleDef);
    orderLimitsAndKeepBetween(g.AngleMin, g.AngleMax, g.AngleDel);
    orderLimitsAndKeepBetween(g.AngleMin, g.AngleMax, g.AngleIns);
}

// Revision 1 pins both zoom minima; the maxima may not fall below them.
void applyRevision1ZoomRule(CameraSettings& s) {
    s.CTZoomMin = kRevision1ChaseZoomMin;
    if (s.CTZoomMax < kRevision1ChaseZoomMin) {
        s.CTZoomMax = kRevision1ChaseZoomMin;
    }
    s.DZoomMin = kRevision1DriveZoomMin;
    if (s.DZoomMax < kRevision1DriveZoomMin) {
        s.DZoomMax = kRevision1DriveZoomMin;
    }
}

}  // namespace

void keepInRange(float& x, Range range) {
    if (x < range.lower) {
        x = range.lower;
    }
    if (x > range.upper) {
        x = range.upper;
    }
}

void orderLimitsAndKeepBetween(float& min, float& max, float& value) {
    if (min > max) {
        std::swap(min, max);
    }
    keepInRange(value, {min, max});
}

void clampSettings(CameraSettings& s, std::int16_t revision) {
    const CameraGroup ct = group(s, Camera::ChaseTopDown);
    clampAngles(ct);
    keepInRange(ct.ZoomMin, kZoomRange);
    keepInRange(ct.ZoomMax, kZoomRange);
    if (revision == 1) {
        applyRevision1ZoomRule(s);
    }
    orderLimitsAndKeepBetween(ct.ZoomMin, ct.ZoomMax, ct.ZoomDef);
    keepInRange(ct.ClipDist, kDistanceRange);
    keepInRange(ct.Height, kHeightRange);

    const CameraGroup d = group(s, Camera::Drive);
    clampAngles(d);
    keepInRange(d.ZoomMin, kZoomRange);
    keepInRange(d.ZoomMax, kZoomRange);
    orderLimitsAndKeepBetween(d.ZoomMin, d.ZoomMax, d.ZoomDef);
    keepInRange(d.ClipDist, kDistanceRange);
    keepInRange(d.Height, kHeightRange);
}

}  // namespace orvendel
