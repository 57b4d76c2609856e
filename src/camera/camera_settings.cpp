// SPDX-License-Identifier: MIT
#include "camera/camera_settings.h"

namespace orvendel {

CameraGroup group(CameraSettings& s, Camera camera) {
    if (camera == Camera::ChaseTopDown) {
        return {s.CTAngleMin, s.CTAngleMax, s.CTAngleDef, s.CTAngleDel, s.CTAngleIns,
                s.CTZoomMin,  s.CTZoomMax,  s.CTZoomDef,  s.CTClipDist, s.CTHeight};
    }
    return {s.DAngleMin, s.DAngleMax, s.DAngleDef, s.DAngleDel, s.DAngleIns,
            s.DZoomMin,  s.DZoomMax,  s.DZoomDef,  s.DClipDist, s.DHeight};
}

const CameraSettings kBiowareDefaults = [] {
    CameraSettings s;
    s.CTAngleMin = 40, s.CTAngleMax = 89, s.CTAngleDef = 40, s.CTAngleDel = 40, s.CTAngleIns = 89;
    s.CTZoomMin = 5, s.CTZoomMax = 20, s.CTZoomDef = 20, s.CTClipDist = 45, s.CTHeight = 1.0f;
    s.DAngleMin = 28, s.DAngleMax = 89, s.DAngleDef = 28, s.DAngleDel = 28, s.DAngleIns = 89;
    s.DZoomMin = 6, s.DZoomMax = 6, s.DZoomDef = 6, s.DClipDist = 45, s.DHeight = 2.0f;
    return s;
}();

namespace {
// The chase camera keeps a positive default zoom; the drive camera goes first-person by default.
constexpr FirstPersonPreset kChaseFirstPerson{-45, 90, 0, -45, 90, -0.4f, 30, 6};
constexpr FirstPersonPreset kDriveFirstPerson{-45, 90, 0, -45, 90, -0.4f, 30, -0.4f};
}  // namespace

const FirstPersonPreset& firstPersonPreset(Camera camera) {
    return camera == Camera::ChaseTopDown ? kChaseFirstPerson : kDriveFirstPerson;
}

void applyFirstPersonPreset(CameraSettings& s, Camera camera) {
    const FirstPersonPreset& p = firstPersonPreset(camera);
    CameraGroup g = group(s, camera);
    g.AngleMin = p.AngleMin;
    g.AngleMax = p.AngleMax;
    g.AngleDef = p.AngleDef;
    g.AngleDel = p.AngleDel;
    g.AngleIns = p.AngleIns;
    g.ZoomMin = p.ZoomMin;
    g.ZoomMax = p.ZoomMax;
    g.ZoomDef = p.ZoomDef;
}

}  // namespace orvendel
