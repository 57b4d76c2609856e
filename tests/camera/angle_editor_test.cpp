// SPDX-License-Identifier: MIT
#include "camera/angle_editor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvendel {
namespace {

TEST(RoundNeedleValue, TiesGoToEvenOthersToTheNearestWithinSixteenBits) {
    const struct {
        double value;
        float rounded;
    } rows[] = {
        // clang-format off
        {44.5, 44},   {45.5, 46},     {-0.5, 0},         {-1.5, -2},   {-2.5, -2},
        {89.5, 90},   {44.49999, 44}, {44.50001, 45},    {-44.6, -45}, {-90, -90},
        {1e9, 32767}, {-1e9, -32768}, {std::nan(""), 0},
        // clang-format on
    };
    for (const auto& row : rows)
        EXPECT_EQ(roundNeedleValue(row.value), row.rounded) << row.value;
}

TEST(RoundToMultiple, LandsOnTheNearestMultipleOfTheStepTiesToTheEvenOne) {
    const struct {
        double value;
        double step;
        double rounded;
    } rows[] = {{0.25, 0.5, 0}, {0.75, 0.5, 1}, {7, 2.5, 7.5}, {-6.25, 2.5, -5}, {-0.2, 1, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.value << " by " << row.step);
        const double rounded = roundToMultiple(row.value, row.step);
        EXPECT_EQ(rounded, row.rounded);
        EXPECT_EQ(std::signbit(rounded), std::signbit(row.rounded)) << "no -0";
    }
    EXPECT_TRUE(std::isnan(roundToMultiple(std::nan(""), 1)));
}

TEST(AngleGauge, ScaleEndsAtNinetyAndInsAndDelNeedlesShowOnlyInRevisionZero) {
    CameraSettings s = kBiowareDefaults;
    s.CTAngleMin = 90;
    s.DAngleMin = -45;
    s.DAngleDef = 39.5f;
    EXPECT_EQ(angleScaleFor(s, Camera::ChaseTopDown).extent, 0.0f);
    EXPECT_EQ(angleScaleFor(s, Camera::Drive).start, -45.0f);
    EXPECT_EQ(angleScaleFor(s, Camera::Drive).extent, 135.0f);
    const AngleNeedleValues rev0 = needleValuesFor(s, Camera::Drive, 0);
    EXPECT_EQ(rev0, (AngleNeedleValues{-45.0f, 39.5f, 89.0f, 28.0f}));
    for (std::int16_t revision : {std::int16_t{1}, kRevisionUnknown}) {
        EXPECT_EQ(needleValuesFor(s, Camera::Drive, revision),
                  (AngleNeedleValues{-45.0f, 39.5f, std::nullopt, std::nullopt}));
    }
}

// Needles in the order minimum, default, INS, DEL.
TEST(TakeNeedles, RaisesToTheMinimumRoundsAndReadsInsAndDelOnlyInRevisionZero) {
    using Angles = std::array<float, kAngleNeedleCount>;  // min, def, ins, del
    const std::optional<float> no;
    const Camera ct = Camera::ChaseTopDown;
    const Camera d = Camera::Drive;
    const struct {
        const char* name;
        Camera camera;
        std::int16_t revision;
        Angles before;
        std::array<double, kAngleNeedleCount> needles;
        Angles after;
        AngleNeedleValues putBack;
    } rows[] = {
        // clang-format off
        {"tie rounds to even", ct, 0, {40, 40, 89, 40}, {44.5, 50, 89, 60}, {44, 50, 89, 60}, {}},
        {"minimum pushes the others up", ct, 0, {40, 40, 89, 40}, {50, 40, 89, 40},
         {50, 50, 89, 50}, {no, 50.0f, no, 50.0f}},
        {"default springs back", ct, 1, {40, 40, 89, 40}, {40, 30, 0, 0}, {40, 40, 89, 40},
         {no, 40.0f, no, no}},
        {"equal to the minimum stays", d, 0, {28, 28, 89, 28}, {28, 28, 28, 28}, {28, 28, 28, 28},
         {}},
        {"revision 1 ignores INS and DEL", d, 1, {28, 28, 12.25f, -3.5f}, {30, 20, -90, -90},
         {30, 30, 12.25f, -3.5f}, {no, 30.0f, no, no}},
        {"no revision ignores INS and DEL", d, kRevisionUnknown, {28, 28, 12.25f, -3.5f},
         {30, 20, -90, -90}, {30, 30, 12.25f, -3.5f}, {no, 30.0f, no, no}},
        {"every pass rounds what it reads", ct, 0, {40, 39.5f, 40.5f, 40}, {40, 39.5, 40.5, 60},
         {40, 40, 40, 60}, {}},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CameraSettings s = kBiowareDefaults;
        const CameraGroup g = group(s, row.camera);
        g.AngleMin = row.before[0], g.AngleDef = row.before[1];
        g.AngleIns = row.before[2], g.AngleDel = row.before[3];
        CameraSettings expected = s;
        const CameraGroup e = group(expected, row.camera);
        e.AngleMin = row.after[0], e.AngleDef = row.after[1];
        e.AngleIns = row.after[2], e.AngleDel = row.after[3];
        const AngleReadResult r = takeNeedles(s, row.camera, row.revision, row.needles);
        EXPECT_TRUE(sameBytes(s, expected)) << "only this camera's read angles change";
        EXPECT_EQ(r.putBack, row.putBack);
        EXPECT_EQ(r.scale.start, row.after[0]);
        EXPECT_EQ(r.scale.extent, 90 - row.after[0]);
    }
}

}  // namespace
}  // namespace orvendel
