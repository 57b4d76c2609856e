// SPDX-License-Identifier: MIT
// The two warnings of the editor: the clipping distance one and the one before a record is
// written.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "camera/distance_warning.h"
#include "camera/modify_warning.h"

namespace orvendel {
namespace {

TEST(DistanceWarning, DueOnceAboveFortyFiveForEitherGaugeAndTheDistanceStaysUnrounded) {
    CameraState state;
    EXPECT_FALSE(takeDistanceWarning(state, 45.0f));
    EXPECT_FALSE(takeDistanceWarning(state, std::nanf("")));
    EXPECT_FALSE(state.distanceWarningShown);
    readDistanceGauge(state.settings, Camera::ChaseTopDown, 45.00001);
    EXPECT_TRUE(takeDistanceWarning(state, state.settings.CTClipDist));
    EXPECT_TRUE(state.distanceWarningShown);
    readDistanceGauge(state.settings, Camera::Drive, 123.456);
    EXPECT_FALSE(takeDistanceWarning(state, state.settings.DClipDist));
    EXPECT_EQ(state.settings.CTClipDist, 45.00001f);
    EXPECT_EQ(state.settings.DClipDist, 123.456f);
}

TEST(ModifyWarning, WhichWarningForWhichRecordAndRevision) {
    using W = ModifyWarning;
    using F = Field;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Up to two fields changed from kBiowareDefaults, which give no reason for a warning.
    const struct {
        const char* name;
        std::int16_t revision;
        std::pair<Field, float> first, second;
        ModifyWarning expected;
    } rows[] = {
        // clang-format off
        {"defaults, rev 0", 0, {F::CTAngleMin, 40}, {F::DAngleMin, 28}, W::None},
        {"defaults, rev 1", 1, {F::CTAngleMin, 40}, {F::DZoomMin, 6}, W::None},
        {"chase DEL differs", 0, {F::CTAngleDel, 41}, {F::DAngleMin, 28}, W::DelKeyAngle},
        {"drive DEL differs", 0, {F::CTAngleMin, 40}, {F::DAngleDel, 29}, W::DelKeyAngle},
        {"minimum moved", 0, {F::CTAngleMin, 39}, {F::DAngleMin, 28}, W::DelKeyAngle},
        {"one ulp apart", 0, {F::CTAngleDel, std::nextafter(40.0f, 90.0f)}, {F::DAngleMin, 28},
         W::DelKeyAngle},
        {"NaN never equals itself", 0, {F::DAngleMin, nan}, {F::DAngleDel, nan}, W::DelKeyAngle},
        {"the two zeros are equal", 0, {F::CTAngleMin, 0.0f}, {F::CTAngleDel, -0.0f}, W::None},
        {"rev 0 ignores the drive zoom", 0, {F::DZoomMin, 2}, {F::DZoomMin, 2}, W::None},
        {"rev 1 ignores DEL angles", 1, {F::CTAngleDel, 60}, {F::DAngleDel, 60}, W::None},
        {"drive zoom just below 6", 1, {F::DZoomMin, std::nextafter(6.0f, 0.0f)},
         {F::CTAngleMin, 40}, W::DriveZoom},
        {"drive zoom first person", 1, {F::DZoomMin, -0.4f}, {F::CTAngleMin, 40}, W::DriveZoom},
        {"unknown revision", kRevisionUnknown, {F::CTAngleDel, 60}, {F::DZoomMin, 1}, W::None},
        {"revision 2", 2, {F::CTAngleDel, 60}, {F::DZoomMin, 1}, W::None},
        // clang-format on
    };
    for (const auto& row : rows) {
        CameraSettings s = kBiowareDefaults;
        fieldRef(s, row.first.first) = row.first.second;
        fieldRef(s, row.second.first) = row.second.second;
        EXPECT_EQ(modifyWarning(s, row.revision), row.expected) << row.name;
    }
}

// The texts are the users' own words, spelling and double blanks included.
TEST(WarningTexts, KeepTheirOwnWordsAndNoWarningHasNoText) {
    const std::string_view clip = kDistanceWarningText;
    EXPECT_TRUE(clip.starts_with("Increasing the clipping distance beyond 45"));
    EXPECT_NE(clip.find("out.  It can also cause performance degredation if"), clip.npos);
    EXPECT_NE(clip.find("DM's that"), clip.npos);
    EXPECT_TRUE(clip.ends_with("games you join."));
    EXPECT_TRUE(modifyWarningText(ModifyWarning::None).empty());
    const std::string_view del = modifyWarningText(ModifyWarning::DelKeyAngle);
    EXPECT_TRUE(del.starts_with(
        "You have chosen your DEL key angle to be different from your minimum angle.  This "));
    EXPECT_TRUE(del.ends_with("set your DEL key angle to match your Minimum Angle."));
    const std::string_view zoom = modifyWarningText(ModifyWarning::DriveZoom);
    EXPECT_TRUE(
        zoom.starts_with("You have chosen to modify the minimum zoom for Drive Camera.  "
                         "This option has not been fully tested"));
    EXPECT_TRUE(zoom.ends_with("after using this option for a few days."));
}

}  // namespace
}  // namespace orvendel
