// SPDX-License-Identifier: MIT
#include "settingsfile/settings_clamps.h"

namespace orvendel {

namespace {

void clampBetween(float& x, float lower, float upper) {
    if (x < lower) {
        x = lower;
    }
    if (x > upper) {
        x = upper;
    }
}

// Angles of one camera: the two bounds, then the default, DEL and INS angles between them.
void clampAngles(const CameraGroup& g) {
    clampAngle(g.AngleMin);
    clampAngle(g.AngleMax);
    orderMinMaxDef(g.AngleMin, g.AngleMax, g.AngleDef);
    orderMinMaxDef(g.AngleMin, g.AngleMax, g.AngleDel);
    orderMinMaxDef(g.AngleMin, g.AngleMax, g.AngleIns);
}

// Revision 1 pins both zoom minima; the maxima may not fall below them.
void applyRevision1ZoomRule(CameraSettings& s) {
    constexpr float kCTZoomMin = 5.0f;
    constexpr float kDZoomMin = 6.0f;
    s.CTZoomMin = kCTZoomMin;
    if (s.CTZoomMax < kCTZoomMin) {
        s.CTZoomMax = kCTZoomMin;
    }
    s.DZoomMin = kDZoomMin;
    if (s.DZoomMax < kDZoomMin) {
        s.DZoomMax = kDZoomMin;
    }
}

}  // namespace

void clampAngle(float& x) {
    clampBetween(x, kAngleLowerBound, kAngleUpperBound);
}
void clampZoom(float& x) {
    clampBetween(x, kZoomLowerBound, kZoomUpperBound);
}
void clampDistance(float& x) {
    clampBetween(x, kDistanceLowerBound, kDistanceUpperBound);
}
void clampHeight(float& x) {
    clampBetween(x, kHeightLowerBound, kHeightUpperBound);
}

void orderMinMaxDef(float& min, float& max, float& v) {
    if (min > max) {
        const float t = min;
        min = max;
        max = t;
    }
    if (v < min) {
        v = min;
    }
    if (v > max) {
        v = max;
    }
}

void clampSettings(CameraSettings& s, std::int16_t revision) {
    const CameraGroup ct = group(s, Camera::ChaseTopDown);
    clampAngles(ct);
    clampZoom(ct.ZoomMin);
    clampZoom(ct.ZoomMax);
    if (revision == 1) {
        applyRevision1ZoomRule(s);
    }
    orderMinMaxDef(ct.ZoomMin, ct.ZoomMax, ct.ZoomDef);
    clampDistance(ct.ClipDist);
    clampHeight(ct.Height);

    const CameraGroup d = group(s, Camera::Drive);
    clampAngles(d);
    clampZoom(d.ZoomMin);
    clampZoom(d.ZoomMax);
    orderMinMaxDef(d.ZoomMin, d.ZoomMax, d.ZoomDef);
    clampDistance(d.ClipDist);
    clampHeight(d.Height);
}

}  // namespace orvendel
