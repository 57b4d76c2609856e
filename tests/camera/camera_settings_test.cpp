#include "camera/camera_settings.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace orvendel {
namespace {

TEST(CameraSettings, MembersFollowRecordOrderWithoutPadding) {
    CameraSettings s;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto* base = reinterpret_cast<const unsigned char*>(&s);
        const auto* member = reinterpret_cast<const unsigned char*>(&(s.*kFieldMembers[i]));
        EXPECT_EQ(member - base, static_cast<std::ptrdiff_t>(4 * i)) << kFieldNames[i];
    }
}

TEST(CameraSettings, GroupsReachTheirOwnTenFields) {
    CameraSettings s;
    group(s, Camera::ChaseTopDown).Height = 1.5f;
    group(s, Camera::Drive).ZoomMin = -0.4f;
    group(s, Camera::Drive).AngleDel = 12;
    EXPECT_EQ(s.CTHeight, 1.5f);
    EXPECT_EQ(s.DZoomMin, -0.4f);
    EXPECT_EQ(s.DAngleDel, 12);
    EXPECT_EQ(s.CTZoomMin, 0);
    EXPECT_EQ(s.CTAngleDel, 0);
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

TEST(CameraState, UndoSnapshotCopiesAllEightyBytes) {
    CameraState state;
    state.settings = kBiowareDefaults;
    state.takeUndoSnapshot();
    state.settings.CTAngleMin = 3;
    state.restoreUndoSnapshot();
    EXPECT_TRUE(sameBytes(state.settings, kBiowareDefaults));
}

}  // namespace
}  // namespace orvendel
