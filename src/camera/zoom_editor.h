// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "camera/camera_settings.h"

namespace orvendel {

// Pointers of a zoom gauge. In revision 0 the drive zoom gauge has only pointer 0, which holds
// the default zoom.
enum ZoomPointer : int {
    kPointerMinimum = 0,
    kPointerMaximum = 1,
    kPointerDefault = 2,
};
inline constexpr int kZoomPointerCount = 3;

// Labels of a zoom gauge that mark a first-person (negative) zoom.
inline constexpr int kZoomMinimumFpsLabel = 3;
inline constexpr int kZoomDefaultFpsLabel = 4;
inline constexpr std::string_view kFpsCaption = "FPS";

// The minimum zoom that the gauges keep in revision 1, whatever the pointer says.
float pinnedZoomMinimum(Camera camera);

// What a zoom gauge is to show; every empty entry leaves that part of the gauge alone.
struct ZoomGaugeView {
    std::array<std::optional<float>, kZoomPointerCount> pointers;
    std::optional<float> bandStart;  // band 0, set together with bandEnd
    std::optional<float> bandEnd;
    // The captions at kZoomMinimumFpsLabel and kZoomDefaultFpsLabel: "FPS" or empty.
    std::optional<std::string_view> minimumFpsCaption;
    std::optional<std::string_view> defaultFpsCaption;
};

// What a zoom gauge shows for the record. Chase/top-down, and drive in revision 1: three pointers
// (min, max, default), band 0 from min to max, the minimum's caption "FPS" when min < 0 and the
// default's "FPS" when the default < 0 (otherwise empty). Drive in revision 0: pointer 0 :=
// default zoom and the minimum's caption by the default zoom. Drive with no revision
// recognised: nothing. Changes nothing.
ZoomGaugeView showZoomGauge(const CameraSettings& s, Camera camera, std::int16_t revision);

// Takes the pointer values read from the zoom gauge into the record after a user move, keeping
// min <= default <= max (the maximum wins when min and max disagree), pinning the minimum in
// revision 1 and following the minimum pointer up with the maximum. The drive gauge in
// revision 0 only takes pointer 0 into the default zoom; with no revision recognised it takes
// nothing. Returns what the gauge must show afterwards (showZoomGauge of the new record).
ZoomGaugeView readZoomGauge(CameraSettings& s, Camera camera, std::int16_t revision,
                            const std::array<double, kZoomPointerCount>& pointers);

}  // namespace orvendel
