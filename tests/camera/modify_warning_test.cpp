#include "camera/modify_warning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace orvendel {
namespace {

TEST(ModifyWarning, WhichWarningForWhichRecordAndRevision) {
    using W = ModifyWarning;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // kBiowareDefaults gives no reason for a warning in either revision.
    const struct {
        const char* name;
        std::int16_t revision;
        std::function<void(CameraSettings&)> change;
        ModifyWarning expected;
    } rows[] = {
        {"defaults, rev 0", 0, [](CameraSettings&) {}, W::None},
        {"defaults, rev 1", 1, [](CameraSettings&) {}, W::None},
        {"chase DEL differs", 0, [](CameraSettings& s) { s.CTAngleDel = 41; }, W::DelKeyAngle},
        {"drive DEL differs", 0, [](CameraSettings& s) { s.DAngleDel = 29; }, W::DelKeyAngle},
        {"minimum moved", 0, [](CameraSettings& s) { s.CTAngleMin = 39; }, W::DelKeyAngle},
        {"one ulp apart", 0,
         [](CameraSettings& s) { s.CTAngleDel = std::nextafter(s.CTAngleMin, 90.0f); },
         W::DelKeyAngle},
        {"NaN never equals itself", 0, [&](CameraSettings& s) { s.DAngleMin = s.DAngleDel = nan; },
         W::DelKeyAngle},
        {"the two zeros are equal", 0,
         [](CameraSettings& s) { s.CTAngleMin = 0.0f, s.CTAngleDel = -0.0f; }, W::None},
        {"rev 0 ignores the drive zoom", 0, [](CameraSettings& s) { s.DZoomMin = 2; }, W::None},
        {"rev 1 ignores DEL angles", 1, [](CameraSettings& s) { s.CTAngleDel = s.DAngleDel = 60; },
         W::None},
        {"drive zoom just below 6", 1,
         [](CameraSettings& s) { s.DZoomMin = std::nextafter(6.0f, 0.0f); }, W::DriveZoom},
        {"drive zoom first person", 1, [](CameraSettings& s) { s.DZoomMin = -0.4f; }, W::DriveZoom},
        {"unknown revision", kRevisionUnknown,
         [](CameraSettings& s) { s.CTAngleDel = 60, s.DZoomMin = 1; }, W::None},
        {"revision 2", 2, [](CameraSettings& s) { s.CTAngleDel = 60, s.DZoomMin = 1; }, W::None},
    };
    for (const auto& row : rows) {
        CameraSettings s = kBiowareDefaults;
        row.change(s);
        EXPECT_EQ(modifyWarning(s, row.revision), row.expected) << row.name;
    }
}

TEST(ModifyWarning, TextsAreTheUsersOwnWords) {
    EXPECT_TRUE(modifyWarningText(ModifyWarning::None).empty());
    const std::string_view del = modifyWarningText(ModifyWarning::DelKeyAngle);
    EXPECT_TRUE(del.starts_with(
        "You have chosen your DEL key angle to be different from your minimum angle.  This "));
    EXPECT_TRUE(del.ends_with("set your DEL key angle to match your Minimum Angle."));
    const std::string_view zoom = modifyWarningText(ModifyWarning::DriveZoom);
    EXPECT_TRUE(zoom.starts_with(
        "You have chosen to modify the minimum zoom for Drive Camera.  This option has not been "
        "fully tested"));
    EXPECT_TRUE(zoom.ends_with("after using this option for a few days."));
}

}  // namespace
}  // namespace orvendel
