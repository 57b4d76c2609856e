#include "shell/gauges/scale_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orvendel {
namespace {

TEST(ScaleMap, MapsTheEndsOfTheScaleOntoTheEndsOfThePaintInterval) {
    const ScaleMap map(-1, 30, 14, 265);
    EXPECT_DOUBLE_EQ(map.transform(-1), 14);
    EXPECT_DOUBLE_EQ(map.transform(30), 265);
    EXPECT_DOUBLE_EQ(map.invTransform(14), -1);
    EXPECT_DOUBLE_EQ(map.invTransform(265), 30);
}

TEST(ScaleMap, RoundTripsEveryValueOfTheScale) {
    const ScaleMap zoom(-1, 30, 13.95, 265.05);
    for (double v = -1; v <= 30; v += 0.1) {
        EXPECT_NEAR(zoom.invTransform(zoom.transform(v)), v, 1e-9) << v;
    }
    const ScaleMap dial(-90, 90, -90, 90);
    for (double v = -90; v <= 90; v += 0.5) {
        EXPECT_NEAR(dial.invTransform(dial.transform(v)), v, 1e-9) << v;
    }
}

TEST(ScaleMap, ReversedPaintIntervalRunsBackwards) {
    const ScaleMap upwards(0, 100, 200, 0);  // y grows downwards
    EXPECT_DOUBLE_EQ(upwards.transform(25), 150);
    EXPECT_DOUBLE_EQ(upwards.invTransform(150), 25);
}

TEST(ScaleMap, ExtrapolatesOutsideTheScale) {
    const ScaleMap map(10, 350, 0, 340);
    EXPECT_DOUBLE_EQ(map.transform(0), -10);
    EXPECT_DOUBLE_EQ(map.invTransform(400), 410);
}

TEST(ScaleMap, EmptyIntervalsGiveTheirStartInsteadOfDividingByZero) {
    const ScaleMap emptyScale(5, 5, 10, 20);
    EXPECT_DOUBLE_EQ(emptyScale.transform(7), 10);
    const ScaleMap emptyPaint(0, 10, 3, 3);
    EXPECT_DOUBLE_EQ(emptyPaint.invTransform(8), 0);
}

TEST(ScaleMap, ClampsToTheScaleWhicheverWayItRuns) {
    const ScaleMap forwards(-90, 90, 0, 1);
    EXPECT_DOUBLE_EQ(forwards.clampToScale(120), 90);
    EXPECT_DOUBLE_EQ(forwards.clampToScale(-91), -90);
    EXPECT_DOUBLE_EQ(forwards.clampToScale(12.5), 12.5);
    const ScaleMap backwards(30, -1, 0, 1);
    EXPECT_DOUBLE_EQ(backwards.clampToScale(31), 30);
    EXPECT_DOUBLE_EQ(backwards.clampToScale(-2), -1);
    EXPECT_TRUE(backwards.contains(0));
    EXPECT_FALSE(backwards.contains(30.5));
}

TEST(ScaleMap, NotANumberStaysNotANumberAndIsNotOnTheScale) {
    const ScaleMap map(0, 1, 0, 1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(map.clampToScale(nan)));
    EXPECT_FALSE(map.contains(nan));
}

}  // namespace
}  // namespace orvendel
