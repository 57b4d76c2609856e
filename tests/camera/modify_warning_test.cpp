#include "camera/modify_warning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orvendel {
namespace {

// A record without any reason for a warning in either revision.
CameraSettings calmRecord() {
    CameraSettings s = kBiowareDefaults;
    EXPECT_EQ(s.CTAngleDel, s.CTAngleMin);
    EXPECT_EQ(s.DAngleDel, s.DAngleMin);
    EXPECT_EQ(s.DZoomMin, 6.0f);
    return s;
}

TEST(ModifyWarning, Revision0WarnsWhenEitherDelKeyAngleDiffersFromItsMinimum) {
    CameraSettings s = calmRecord();
    EXPECT_EQ(modifyWarning(s, 0), ModifyWarning::None);

    s.CTAngleDel = 41;
    EXPECT_EQ(modifyWarning(s, 0), ModifyWarning::DelKeyAngle);

    s = calmRecord();
    s.DAngleDel = 29;
    EXPECT_EQ(modifyWarning(s, 0), ModifyWarning::DelKeyAngle) << "drive pair alone is enough";

    s = calmRecord();
    s.CTAngleMin = 39;  // the minimum moved, the DEL angle stayed
    EXPECT_EQ(modifyWarning(s, 0), ModifyWarning::DelKeyAngle);
}

TEST(ModifyWarning, Revision0ComparesTheFloatsExactly) {
    CameraSettings s = calmRecord();
    s.CTAngleDel = std::nextafter(s.CTAngleMin, 90.0f);
    EXPECT_EQ(modifyWarning(s, 0), ModifyWarning::DelKeyAngle);

    s = calmRecord();
    s.DAngleMin = std::numeric_limits<float>::quiet_NaN();
    s.DAngleDel = s.DAngleMin;
    EXPECT_EQ(modifyWarning(s, 0), ModifyWarning::DelKeyAngle) << "NaN never equals itself";

    s = calmRecord();
    s.CTAngleMin = 0.0f;
    s.CTAngleDel = -0.0f;
    EXPECT_EQ(modifyWarning(s, 0), ModifyWarning::None) << "the two zeros are equal floats";
}

TEST(ModifyWarning, Revision0IgnoresTheDriveZoom) {
    CameraSettings s = calmRecord();
    s.DZoomMin = 2;
    EXPECT_EQ(modifyWarning(s, 0), ModifyWarning::None);
}

TEST(ModifyWarning, Revision1WarnsOnlyWhenTheDriveMinimumZoomIsNotSix) {
    CameraSettings s = calmRecord();
    s.CTAngleDel = 60;
    s.DAngleDel = 60;
    EXPECT_EQ(modifyWarning(s, 1), ModifyWarning::None) << "DEL angles are not compared";

    s.DZoomMin = std::nextafter(6.0f, 0.0f);
    EXPECT_EQ(modifyWarning(s, 1), ModifyWarning::DriveZoom);
    s.DZoomMin = -0.4f;
    EXPECT_EQ(modifyWarning(s, 1), ModifyWarning::DriveZoom);
}

TEST(ModifyWarning, UnrecognisedRevisionNeverWarns) {
    CameraSettings s = calmRecord();
    s.CTAngleDel = 60;
    s.DZoomMin = 1;
    EXPECT_EQ(modifyWarning(s, kRevisionUnknown), ModifyWarning::None);
    EXPECT_EQ(modifyWarning(s, 2), ModifyWarning::None);
}

TEST(ModifyWarning, TextsAreTheUsersOwnWords) {
    EXPECT_TRUE(modifyWarningText(ModifyWarning::None).empty());
    const std::string_view del = modifyWarningText(ModifyWarning::DelKeyAngle);
    EXPECT_TRUE(del.starts_with(
        "You have chosen your DEL key angle to be different from your minimum angle.  This "));
    EXPECT_TRUE(del.ends_with("set your DEL key angle to match your Minimum Angle."));
    const std::string_view zoom = modifyWarningText(ModifyWarning::DriveZoom);
    EXPECT_TRUE(zoom.starts_with("You have chosen to modify the minimum zoom for Drive Camera.  "));
    EXPECT_TRUE(zoom.ends_with("after using this option for a few days."));
    EXPECT_NE(zoom.find("Camera.  This option has not been fully tested"), std::string_view::npos);
}

}  // namespace
}  // namespace orvendel
