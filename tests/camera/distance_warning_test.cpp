#include "camera/distance_warning.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvendel {
namespace {

TEST(DistanceWarning, DueOnceAboveFortyFiveForEitherGaugeAndTheDistanceStaysUnrounded) {
    CameraState state;
    EXPECT_FALSE(takeDistanceWarning(state, 45.0f));
    EXPECT_FALSE(takeDistanceWarning(state, std::nanf("")));
    EXPECT_FALSE(state.DistanceWarningShown);
    readClipGauge(state.settings, Camera::ChaseTopDown, 45.00001);
    EXPECT_TRUE(takeDistanceWarning(state, state.settings.CTClipDist));
    EXPECT_TRUE(state.DistanceWarningShown);
    readClipGauge(state.settings, Camera::Drive, 123.456);
    EXPECT_FALSE(takeDistanceWarning(state, state.settings.DClipDist));
    EXPECT_EQ(state.settings.CTClipDist, 45.00001f);
    EXPECT_EQ(state.settings.DClipDist, 123.456f);
}

TEST(DistanceWarning, TextKeepsItsOwnSpellingAndDoubleBlanks) {
    EXPECT_TRUE(kDistanceWarningText.starts_with("Increasing the clipping distance beyond 45"));
    EXPECT_NE(kDistanceWarningText.find("out.  It can also cause performance degredation if"),
              std::string_view::npos);
    EXPECT_NE(kDistanceWarningText.find("DM's that"), std::string_view::npos);
    EXPECT_TRUE(kDistanceWarningText.ends_with("games you join."));
}

}  // namespace
}  // namespace orvendel
