// SPDX-License-Identifier: MIT
#include "camera/zoom_editor.h"

#include <gtest/gtest.h>

namespace orvendel {
namespace {

// Minimum, maximum and default zoom of one camera.
struct Zoom {
    float minimum, maximum, standard;
};

CameraSettings withZoom(Camera camera, Zoom zoom) {
    CameraSettings s = kBiowareDefaults;
    const CameraGroup g = group(s, camera);
    g.ZoomMin = zoom.minimum, g.ZoomMax = zoom.maximum, g.ZoomDef = zoom.standard;
    return s;
}

TEST(ReadZoomGauge, InterlocksPinsAndRevisionsAsATable) {
    const Camera ct = Camera::ChaseTopDown;
    const Camera d = Camera::Drive;
    const struct {
        const char* name;
        Camera camera;
        std::int16_t revision;
        Zoom before;
        std::array<double, kZoomPointerCount> pointers;
        Zoom after;
    } rows[] = {
        // clang-format off
        {"rev 0 minimum pushes the maximum up", ct, 0, {5, 20, 20}, {25, 20, 20}, {25, 25, 25}},
        {"rev 0 minimum follows the maximum down", ct, 0, {5, 20, 20}, {5, 3, 20}, {3, 3, 3}},
        {"rev 1 maximum stops at the pinned minimum", ct, 1, {5, 20, 20}, {5, 3, 20}, {5, 5, 5}},
        {"rev 1 chase minimum pinned", ct, 1, {5, 20, 20}, {8, 20, 20}, {5, 20, 20}},
        {"rev 1 drive minimum pinned", d, 1, {6, 20, 10}, {8, 20, 10}, {6, 20, 10}},
        {"rev 1 unpinned minimum corrected", ct, 1, {2, 20, 10}, {3, 20, 10}, {5, 20, 10}},
        {"rev 0 default raised to the minimum", ct, 0, {5, 20, 10}, {5, 20, 2}, {5, 20, 5}},
        {"rev 1 default lowered to the maximum", ct, 1, {5, 20, 10}, {5, 20, 28}, {5, 20, 20}},
        {"no rev default raised", ct, kRevisionUnknown, {5, 20, 10}, {5, 20, 2}, {5, 20, 5}},
        {"no rev minimum not taken", ct, kRevisionUnknown, {5, 20, 20}, {8, 20, 20}, {5, 20, 20}},
        {"no rev minimum not followed", ct, kRevisionUnknown, {5, 20, 20}, {5, 3, 20}, {5, 3, 3}},
        {"pointers compare as floats", ct, 0, {-0.4f, 30, 6}, {-0.4, 30, 25}, {-0.4f, 30, 25}},
        {"rev 0 drive takes only the default", d, 0, {6, 6, 6}, {-0.4, 30, 30}, {6, 6, -0.4f}},
        {"no rev drive takes nothing", d, kRevisionUnknown, {6, 6, 6}, {1, 2, 3}, {6, 6, 6}},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CameraSettings s = withZoom(row.camera, row.before);
        const ZoomGaugeView v = readZoomGauge(s, row.camera, row.revision, row.pointers);
        const CameraSettings expected = withZoom(row.camera, row.after);
        EXPECT_TRUE(sameBytes(s, expected));
        const ZoomGaugeView shown = showZoomGauge(s, row.camera, row.revision);
        EXPECT_EQ(v.pointers, shown.pointers) << "the gauge shows the new record";
        EXPECT_EQ(v.bandStart, shown.bandStart);
        EXPECT_EQ(v.minimumFpsCaption, shown.minimumFpsCaption);
    }
}

TEST(ShowZoomGauge, PointersBandAndFpsLabelsPerCameraAndRevision) {
    const auto chase = [](Zoom zoom, std::int16_t revision) {
        return showZoomGauge(withZoom(Camera::ChaseTopDown, zoom), Camera::ChaseTopDown, revision);
    };
    const ZoomGaugeView unknown = chase({-0.4f, 30, 6}, kRevisionUnknown);
    EXPECT_EQ(unknown.pointers[kPointerDefault], 6.0f);
    EXPECT_EQ(unknown.bandStart, -0.4f);
    EXPECT_EQ(unknown.bandEnd, 30.0f);
    EXPECT_EQ(unknown.minimumFpsCaption, "FPS");
    EXPECT_EQ(unknown.defaultFpsCaption, "");
    const ZoomGaugeView def = chase({1, 2, -1}, 0);
    EXPECT_EQ(def.minimumFpsCaption, "");
    EXPECT_EQ(def.defaultFpsCaption, "FPS");
    EXPECT_EQ(chase({0, 2, 0}, 0).minimumFpsCaption, "") << "zero is not first-person";

    const ZoomGaugeView drive0 =
        showZoomGauge(withZoom(Camera::Drive, {6, 6, -0.4f}), Camera::Drive, 0);
    EXPECT_EQ(drive0.pointers[0], -0.4f) << "the default on pointer 0";
    EXPECT_FALSE(drive0.pointers[1]);
    EXPECT_FALSE(drive0.bandStart);
    EXPECT_EQ(drive0.minimumFpsCaption, "FPS");
    EXPECT_FALSE(drive0.defaultFpsCaption);
    EXPECT_EQ(showZoomGauge(kBiowareDefaults, Camera::Drive, 1).bandStart, 6.0f);
    const ZoomGaugeView none = showZoomGauge(kBiowareDefaults, Camera::Drive, kRevisionUnknown);
    EXPECT_FALSE(none.pointers[0] || none.pointers[1] || none.pointers[2] || none.bandStart ||
                 none.bandEnd || none.minimumFpsCaption || none.defaultFpsCaption)
        << "the drive gauge shows nothing without a revision";
}

}  // namespace
}  // namespace orvendel
