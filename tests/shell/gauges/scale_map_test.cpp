#include "shell/gauges/scale_map.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvendel {
namespace {

TEST(ScaleMap, MapsBothWaysIncludingReversedAndEmptyIntervals) {
    EXPECT_DOUBLE_EQ(ScaleMap(-1, 30, 14, 265).transform(30), 265);
    EXPECT_DOUBLE_EQ(ScaleMap(10, 350, 0, 340).transform(0), -10);  // extrapolates
    const ScaleMap upwards(0, 100, 200, 0);                         // y grows downwards
    EXPECT_DOUBLE_EQ(upwards.transform(25), 150);
    EXPECT_DOUBLE_EQ(upwards.invTransform(150), 25);
    // Empty intervals give their start instead of dividing by zero.
    EXPECT_DOUBLE_EQ(ScaleMap(5, 5, 10, 20).transform(7), 10);
    EXPECT_DOUBLE_EQ(ScaleMap(0, 10, 3, 3).invTransform(8), 0);
}

TEST(ScaleMap, ClampsToTheScaleWhicheverWayItRunsAndKeepsNan) {
    const ScaleMap backwards(30, -1, 0, 1);
    EXPECT_DOUBLE_EQ(backwards.clampToScale(31), 30);
    EXPECT_DOUBLE_EQ(backwards.clampToScale(-2), -1);
    EXPECT_DOUBLE_EQ(backwards.clampToScale(12.5), 12.5);
    EXPECT_TRUE(backwards.contains(0));
    EXPECT_FALSE(backwards.contains(30.5));
    EXPECT_TRUE(std::isnan(backwards.clampToScale(std::nan(""))));
    EXPECT_FALSE(backwards.contains(std::nan("")));
}

}  // namespace
}  // namespace orvendel
