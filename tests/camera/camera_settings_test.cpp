// SPDX-License-Identifier: MIT
#include "camera/camera_settings.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace orvendel {
namespace {

TEST(CameraSettings, MembersAndGroupsFollowRecordOrder) {
    CameraSettings s;
    const auto* base = reinterpret_cast<const unsigned char*>(&s);
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto* member = reinterpret_cast<const unsigned char*>(&(s.*kFieldMembers[i]));
        EXPECT_EQ(member - base, static_cast<std::ptrdiff_t>(4 * i)) << kFieldNames[i];
    }
    for (const Camera camera : {Camera::ChaseTopDown, Camera::Drive}) {
        const CameraGroup g = group(s, camera);
        const float* fields[] = {&g.AngleMin, &g.AngleMax, &g.AngleDef, &g.AngleDel, &g.AngleIns,
                                 &g.ZoomMin,  &g.ZoomMax,  &g.ZoomDef,  &g.ClipDist, &g.Height};
        const std::size_t first = camera == Camera::Drive ? 10 : 0;
        for (std::size_t i = 0; i < 10; ++i)
            EXPECT_EQ(fields[i], &(s.*kFieldMembers[first + i])) << kFieldNames[first + i];
    }
}

TEST(CameraSettings, FirstPersonPresetTouchesOnlyItsOwnCameraAndKeepsDistanceAndHeight) {
    CameraSettings s = kBiowareDefaults;
    applyFirstPersonPreset(s, Camera::Drive);
    EXPECT_EQ(s.DAngleMin, -45);
    EXPECT_EQ(s.DAngleDel, -45);
    EXPECT_EQ(s.DAngleMax, 90);
    EXPECT_EQ(s.DZoomDef, -0.4f);
    EXPECT_EQ(s.DClipDist, 45);
    EXPECT_EQ(s.DHeight, 2.0f);
    EXPECT_EQ(s.CTAngleMin, 40);
    applyFirstPersonPreset(s, Camera::ChaseTopDown);
    EXPECT_EQ(s.CTZoomMin, -0.4f);
    EXPECT_EQ(s.CTZoomDef, 6);
    EXPECT_EQ(s.CTHeight, 1.0f);
}

}  // namespace
}  // namespace orvendel
