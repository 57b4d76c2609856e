#include "camera/zoom_editor.h"

#include <gtest/gtest.h>

namespace orvendel {
namespace {

CameraSettings chaseZoom(float minimum, float maximum, float standard) {
    CameraSettings s = kBiowareDefaults;
    s.CTZoomMin = minimum;
    s.CTZoomMax = maximum;
    s.CTZoomDef = standard;
    return s;
}

void expectZoom(const CameraSettings& s, float minimum, float maximum, float standard) {
    EXPECT_EQ(s.CTZoomMin, minimum);
    EXPECT_EQ(s.CTZoomMax, maximum);
    EXPECT_EQ(s.CTZoomDef, standard);
}

TEST(ReadZoomGauge, RevisionZeroMinimumDraggedAboveMaximumPushesBothUp) {
    CameraSettings s = chaseZoom(5, 20, 20);
    const ZoomGaugeView v = readZoomGauge(s, Camera::ChaseTopDown, 0, {25, 20, 20});
    expectZoom(s, 25, 25, 25);
    EXPECT_EQ(v.pointers[0], 25.0f);
    EXPECT_EQ(v.pointers[1], 25.0f);
    EXPECT_EQ(v.pointers[2], 25.0f);
    EXPECT_EQ(v.label3, "");
}

TEST(ReadZoomGauge, RevisionZeroMinimumFollowsTheMaximumDown) {
    CameraSettings s = chaseZoom(5, 20, 20);
    readZoomGauge(s, Camera::ChaseTopDown, 0, {5, 3, 20});
    expectZoom(s, 3, 3, 3);
}

TEST(ReadZoomGauge, RevisionOneMaximumStopsAtThePinnedMinimum) {
    CameraSettings s = chaseZoom(5, 20, 20);
    const ZoomGaugeView v = readZoomGauge(s, Camera::ChaseTopDown, 1, {5, 3, 20});
    expectZoom(s, 5, 5, 5);
    EXPECT_EQ(v.pointers[1], 5.0f);
}

TEST(ReadZoomGauge, RevisionOnePinsBothMinima) {
    CameraSettings s = chaseZoom(5, 20, 20);
    ZoomGaugeView v = readZoomGauge(s, Camera::ChaseTopDown, 1, {8, 20, 20});
    EXPECT_EQ(s.CTZoomMin, 5.0f);
    EXPECT_EQ(v.pointers[0], 5.0f);

    s.DZoomMin = 6, s.DZoomMax = 20, s.DZoomDef = 10;
    v = readZoomGauge(s, Camera::Drive, 1, {8, 20, 10});
    EXPECT_EQ(s.DZoomMin, 6.0f);
    EXPECT_EQ(v.pointers[0], 6.0f);
    EXPECT_EQ(v.bandStart, 6.0f);
    EXPECT_EQ(v.bandEnd, 20.0f);
}

TEST(ReadZoomGauge, RevisionOnePinningAlsoCorrectsAMinimumThatArrivedUnpinned) {
    // A settings file may carry another minimum; the first move of the pointer pins it.
    CameraSettings s = chaseZoom(2, 20, 10);
    readZoomGauge(s, Camera::ChaseTopDown, 1, {3, 20, 10});
    expectZoom(s, 5, 20, 10);
}

TEST(ReadZoomGauge, DefaultStaysBetweenMinimumAndMaximum) {
    for (std::int16_t revision : {std::int16_t{0}, std::int16_t{1}, kRevisionUnknown}) {
        CameraSettings s = chaseZoom(5, 20, 10);
        readZoomGauge(s, Camera::ChaseTopDown, revision, {5, 20, 2});
        EXPECT_EQ(s.CTZoomDef, 5.0f) << revision;
        readZoomGauge(s, Camera::ChaseTopDown, revision, {5, 20, 28});
        EXPECT_EQ(s.CTZoomDef, 20.0f) << revision;
    }
}

TEST(ReadZoomGauge, WithoutARevisionTheMinimumIsNeitherTakenNorFollowed) {
    CameraSettings s = chaseZoom(5, 20, 20);
    readZoomGauge(s, Camera::ChaseTopDown, kRevisionUnknown, {8, 20, 20});
    expectZoom(s, 5, 20, 20);
    readZoomGauge(s, Camera::ChaseTopDown, kRevisionUnknown, {5, 3, 20});
    expectZoom(s, 5, 3, 3);  // min above max is left alone; the default follows the max
}

TEST(ReadZoomGauge, PointersCompareAsFloats) {
    // A pointer holding the double nearest to -0.4 is the same as the float field -0.4f.
    CameraSettings s = chaseZoom(-0.4f, 30, 6);
    readZoomGauge(s, Camera::ChaseTopDown, 0, {-0.4, 30, 25});
    expectZoom(s, -0.4f, 30, 25);
}

TEST(ReadZoomGauge, DriveRevisionZeroTakesOnlyTheDefaultWithoutInterlock) {
    CameraSettings s = kBiowareDefaults;  // drive 6 / 6 / 6
    const ZoomGaugeView v = readZoomGauge(s, Camera::Drive, 0, {-0.4, 30, 30});
    EXPECT_EQ(s.DZoomDef, -0.4f);
    EXPECT_EQ(s.DZoomMin, 6.0f);
    EXPECT_EQ(s.DZoomMax, 6.0f);
    EXPECT_EQ(v.pointers[0], -0.4f);
    EXPECT_FALSE(v.pointers[1]);
    EXPECT_FALSE(v.bandStart);
    EXPECT_EQ(v.label3, "FPS");
    EXPECT_FALSE(v.label4);
}

TEST(ReadZoomGauge, DriveWithoutARevisionChangesNothingAndShowsNothing) {
    CameraSettings s = kBiowareDefaults;
    const ZoomGaugeView v = readZoomGauge(s, Camera::Drive, kRevisionUnknown, {1, 2, 3});
    EXPECT_TRUE(sameBytes(s, kBiowareDefaults));
    EXPECT_TRUE(v.empty());
}

TEST(ShowZoomGauge, FpsLabelsMarkNegativeMinimumAndDefault) {
    const CameraSettings s = chaseZoom(-0.4f, 30, 6);
    const ZoomGaugeView v = showZoomGauge(s, Camera::ChaseTopDown, 1);
    EXPECT_EQ(v.label3, "FPS");
    EXPECT_EQ(v.label4, "");
    EXPECT_EQ(v.bandStart, -0.4f);
    EXPECT_EQ(v.bandEnd, 30.0f);

    const ZoomGaugeView d = showZoomGauge(chaseZoom(1, 2, -1), Camera::ChaseTopDown, 0);
    EXPECT_EQ(d.label3, "");
    EXPECT_EQ(d.label4, "FPS");
    // Zero is not first-person.
    EXPECT_EQ(showZoomGauge(chaseZoom(0, 2, 0), Camera::ChaseTopDown, 0).label3, "");
}

TEST(ShowZoomGauge, ChaseGaugeIsTheSameInEveryRevision) {
    const CameraSettings s = chaseZoom(5, 20, 12);
    const ZoomGaugeView a = showZoomGauge(s, Camera::ChaseTopDown, kRevisionUnknown);
    const ZoomGaugeView b = showZoomGauge(s, Camera::ChaseTopDown, 0);
    EXPECT_EQ(a.pointers, b.pointers);
    EXPECT_EQ(a.label3, b.label3);
    EXPECT_EQ(a.pointers[2], 12.0f);
}

}  // namespace
}  // namespace orvendel
