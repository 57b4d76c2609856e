// SPDX-License-Identifier: MIT
#include "camera/zoom_editor.h"

namespace orvendel {

float pinnedZoomMinimum(Camera camera) {
    return camera == Camera::ChaseTopDown ? kRevision1ChaseZoomMin : kRevision1DriveZoomMin;
}

namespace {
std::string_view fpsCaption(float zoom) {
    return zoom < 0 ? kFpsCaption : std::string_view{};
}

// The three-pointer interlocks shared by the chase/top-down gauge in every revision and the
// drive gauge in revision 1.
void readThreePointers(CameraGroup& g, Camera camera, std::int16_t revision,
                       const std::array<double, kZoomPointerCount>& pointers) {
    int moved = -1;
    float newMin = g.ZoomMin;

    const float minimum = static_cast<float>(pointers[kPointerMinimum]);
    if (minimum != g.ZoomMin) {
        moved = kPointerMinimum;
        newMin = minimum;
        if (revision == 0)
            g.ZoomMin = newMin;
        if (revision == 1)
            g.ZoomMin = pinnedZoomMinimum(camera);
    }
    const float maximum = static_cast<float>(pointers[kPointerMaximum]);
    if (maximum != g.ZoomMax) {
        moved = kPointerMaximum;
        g.ZoomMax = maximum;
    }
    const float standard = static_cast<float>(pointers[kPointerDefault]);
    if (standard != g.ZoomDef) {
        moved = kPointerDefault;
        g.ZoomDef = standard;
    }

    if (newMin > g.ZoomMax) {
        if (moved == kPointerMinimum) {
            // The maximum is pushed up to where the minimum pointer was dragged.
            if (newMin >= g.ZoomMin)
                g.ZoomMax = newMin;
        } else if (revision == 0) {
            g.ZoomMin = g.ZoomMax;  // the minimum follows the maximum down
        } else if (revision == 1) {
            g.ZoomMax = g.ZoomMin;  // the maximum stops at the pinned minimum
        }
    }
    if (g.ZoomMin > g.ZoomDef)
        g.ZoomDef = g.ZoomMin;
    if (g.ZoomMax < g.ZoomDef)
        g.ZoomDef = g.ZoomMax;
}
}  // namespace

ZoomGaugeView showZoomGauge(const CameraSettings& s, Camera camera, std::int16_t revision) {
    CameraSettings copy = s;
    const CameraGroup g = group(copy, camera);
    ZoomGaugeView view;
    if (camera == Camera::Drive && revision != 1) {
        if (revision == 0) {
            view.pointers[0] = g.ZoomDef;
            view.minimumFpsCaption = fpsCaption(g.ZoomDef);
        }
        return view;
    }
    view.pointers = {g.ZoomMin, g.ZoomMax, g.ZoomDef};
    view.bandStart = g.ZoomMin;
    view.bandEnd = g.ZoomMax;
    view.minimumFpsCaption = fpsCaption(g.ZoomMin);
    view.defaultFpsCaption = fpsCaption(g.ZoomDef);
    return view;
}

ZoomGaugeView readZoomGauge(CameraSettings& s, Camera camera, std::int16_t revision,
                            const std::array<double, kZoomPointerCount>& pointers) {
    CameraGroup g = group(s, camera);
    if (camera == Camera::ChaseTopDown || revision == 1) {
        readThreePointers(g, camera, revision, pointers);
    } else if (revision == 0) {
        g.ZoomDef = static_cast<float>(pointers[0]);
    }
    return showZoomGauge(s, camera, revision);
}

}  // namespace orvendel
