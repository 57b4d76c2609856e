#include "camera/distance_warning.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvendel {
namespace {

TEST(DistanceWarning, ExactlyFortyFiveIsNotBeyond) {
    CameraState state;
    EXPECT_FALSE(takeDistanceWarning(state, 45.0f));
    EXPECT_FALSE(state.DistanceWarningShown);
    EXPECT_FALSE(takeDistanceWarning(state, std::nanf("")));
    EXPECT_TRUE(takeDistanceWarning(state, std::nextafter(45.0f, 46.0f)));
}

TEST(DistanceWarning, ShownOnceForEitherGauge) {
    CameraState state;
    readClipGauge(state.settings, Camera::ChaseTopDown, 46);
    EXPECT_TRUE(takeDistanceWarning(state, state.settings.CTClipDist));
    EXPECT_TRUE(state.DistanceWarningShown);
    readClipGauge(state.settings, Camera::Drive, 300);
    EXPECT_FALSE(takeDistanceWarning(state, state.settings.DClipDist));
    EXPECT_FALSE(takeDistanceWarning(state, 46));
    EXPECT_EQ(state.settings.CTClipDist, 46.0f);  // the distance stays as the user set it
    EXPECT_EQ(state.settings.DClipDist, 300.0f);
}

TEST(DistanceWarning, ClipDistanceIsStoredWithoutRounding) {
    CameraSettings s;
    readClipGauge(s, Camera::Drive, 123.456);
    EXPECT_EQ(s.DClipDist, 123.456f);
    EXPECT_EQ(s.CTClipDist, 0.0f);
}

TEST(DistanceWarning, TextKeepsItsOwnSpellingAndDoubleBlanks) {
    EXPECT_NE(kDistanceWarningText.find("performance degredation if"), std::string_view::npos);
    EXPECT_NE(kDistanceWarningText.find("out.  It can"), std::string_view::npos);
    EXPECT_NE(kDistanceWarningText.find("DM's that"), std::string_view::npos);
    EXPECT_EQ(kDistanceWarningText.find("   "), std::string_view::npos);
    EXPECT_EQ(kDistanceWarningText.front(), 'I');
    EXPECT_EQ(kDistanceWarningText.substr(kDistanceWarningText.size() - 5), "join.");
}

}  // namespace
}  // namespace orvendel
