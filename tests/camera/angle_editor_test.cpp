#include "camera/angle_editor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvendel {
namespace {

TEST(RoundNeedleValue, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundNeedleValue(44.5), 44.0f);
    EXPECT_EQ(roundNeedleValue(45.5), 46.0f);
    EXPECT_EQ(roundNeedleValue(-0.5), 0.0f);
    EXPECT_EQ(roundNeedleValue(-1.5), -2.0f);
    EXPECT_EQ(roundNeedleValue(-2.5), -2.0f);
    EXPECT_EQ(roundNeedleValue(89.5), 90.0f);
}

TEST(RoundNeedleValue, NonTiesGoToTheNearestWholeDegree) {
    EXPECT_EQ(roundNeedleValue(44.49999), 44.0f);
    EXPECT_EQ(roundNeedleValue(44.50001), 45.0f);
    EXPECT_EQ(roundNeedleValue(-44.6), -45.0f);
    EXPECT_EQ(roundNeedleValue(-90.0), -90.0f);
}

TEST(RoundNeedleValue, StaysWithinSixteenBitsAndTurnsNanIntoZero) {
    EXPECT_EQ(roundNeedleValue(1e9), 32767.0f);
    EXPECT_EQ(roundNeedleValue(-1e9), -32768.0f);
    EXPECT_EQ(roundNeedleValue(std::nan("")), 0.0f);
}

TEST(GaugeScale, EndsAtNinetyWhateverTheMinimum) {
    CameraSettings s;
    s.CTAngleMin = 90;
    s.DAngleMin = -45;
    EXPECT_EQ(gaugeScale(s, Camera::ChaseTopDown).start, 90.0f);
    EXPECT_EQ(gaugeScale(s, Camera::ChaseTopDown).extent, 0.0f);
    EXPECT_EQ(gaugeScale(s, Camera::Drive).start, -45.0f);
    EXPECT_EQ(gaugeScale(s, Camera::Drive).extent, 135.0f);
}

TEST(ShowGauge, SetsInsAndDelNeedlesOnlyInRevisionZero) {
    CameraSettings s = kBiowareDefaults;
    s.DAngleDef = 39.5f;
    const AngleNeedleValues rev0 = showGauge(s, Camera::Drive, 0);
    EXPECT_EQ(rev0[kNeedleMinimum], 28.0f);
    EXPECT_EQ(rev0[kNeedleDefault], 39.5f);  // shown with its fraction
    EXPECT_EQ(rev0[kNeedleIns], 89.0f);
    EXPECT_EQ(rev0[kNeedleDel], 28.0f);
    for (std::int16_t revision : {std::int16_t{1}, kRevisionUnknown}) {
        const AngleNeedleValues v = showGauge(s, Camera::Drive, revision);
        EXPECT_TRUE(v[kNeedleMinimum] && v[kNeedleDefault]);
        EXPECT_FALSE(v[kNeedleIns]) << revision;
        EXPECT_FALSE(v[kNeedleDel]) << revision;
    }
}

TEST(ReadGauge, MinimumAtATieRoundsToEvenAndMovesScaleOne) {
    CameraSettings s = kBiowareDefaults;
    const AngleReadResult r = readGauge(s, Camera::ChaseTopDown, 0, {44.5, 50, 89, 60});
    EXPECT_EQ(s.CTAngleMin, 44.0f);
    EXPECT_EQ(r.scale.start, 44.0f);
    EXPECT_EQ(r.scale.extent, 46.0f);
    for (const auto& needle : r.putBack)
        EXPECT_FALSE(needle);
}

TEST(ReadGauge, MinimumDraggedAboveTheOthersPushesThemUpInRevisionZero) {
    CameraSettings s = kBiowareDefaults;  // CT: min 40, def 40, del 40, ins 89
    const AngleReadResult r = readGauge(s, Camera::ChaseTopDown, 0, {50, 40, 89, 40});
    EXPECT_EQ(s.CTAngleMin, 50.0f);
    EXPECT_EQ(s.CTAngleDef, 50.0f);
    EXPECT_EQ(s.CTAngleIns, 89.0f);
    EXPECT_EQ(s.CTAngleDel, 50.0f);
    EXPECT_EQ(r.putBack[kNeedleDefault], 50.0f);
    EXPECT_FALSE(r.putBack[kNeedleIns]);
    EXPECT_EQ(r.putBack[kNeedleDel], 50.0f);
    EXPECT_EQ(s.CTAngleMax, 89.0f);
}

TEST(ReadGauge, DefaultBelowTheMinimumSpringsBack) {
    CameraSettings s = kBiowareDefaults;
    const AngleReadResult r = readGauge(s, Camera::ChaseTopDown, 1, {40, 30, 0, 0});
    EXPECT_EQ(s.CTAngleDef, 40.0f);
    EXPECT_EQ(r.putBack[kNeedleDefault], 40.0f);
}

TEST(ReadGauge, ValueEqualToTheMinimumStays) {
    CameraSettings s = kBiowareDefaults;
    const AngleReadResult r = readGauge(s, Camera::Drive, 0, {28, 28, 28, 28});
    EXPECT_EQ(s.DAngleIns, 28.0f);
    for (const auto& needle : r.putBack)
        EXPECT_FALSE(needle);
}

TEST(ReadGauge, RevisionOneNeverReadsInsOrDel) {
    for (std::int16_t revision : {std::int16_t{1}, kRevisionUnknown}) {
        CameraSettings s = kBiowareDefaults;
        s.DAngleIns = 12.25f;
        s.DAngleDel = -3.5f;
        const AngleReadResult r = readGauge(s, Camera::Drive, revision, {30, 20, -90, -90});
        EXPECT_EQ(s.DAngleMin, 30.0f);
        EXPECT_EQ(s.DAngleDef, 30.0f);
        EXPECT_EQ(s.DAngleIns, 12.25f) << revision;
        EXPECT_EQ(s.DAngleDel, -3.5f) << revision;
        EXPECT_FALSE(r.putBack[kNeedleIns]);
        EXPECT_FALSE(r.putBack[kNeedleDel]);
    }
}

TEST(ReadGauge, EveryPassRoundsAllFieldsItReads) {
    CameraSettings s = kBiowareDefaults;
    s.CTAngleDef = 39.5f;
    s.CTAngleIns = 40.5f;
    // The user moved only the DEL needle; the others still show their fractions.
    readGauge(s, Camera::ChaseTopDown, 0, {40, 39.5, 40.5, 60});
    EXPECT_EQ(s.CTAngleDef, 40.0f);
    EXPECT_EQ(s.CTAngleIns, 40.0f);
    EXPECT_EQ(s.CTAngleDel, 60.0f);
}

TEST(ReadGauge, TouchesOnlyItsOwnCamera) {
    CameraSettings s = kBiowareDefaults;
    readGauge(s, Camera::Drive, 0, {-90, -90, -90, -90});
    CameraSettings expected = kBiowareDefaults;
    expected.DAngleMin = expected.DAngleDef = expected.DAngleIns = expected.DAngleDel = -90;
    EXPECT_TRUE(sameBytes(s, expected));
}

}  // namespace
}  // namespace orvendel
