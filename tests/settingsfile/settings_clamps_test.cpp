#include "settingsfile/settings_clamps.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>

namespace orvendel {
namespace {

float clamped(void (*clamp)(float&), float x) {
    clamp(x);
    return x;
}

struct ClampCase {
    const char* name;
    void (*clamp)(float&);
    float lower;
    float upper;
};

TEST(SingleClamps, BoundsAreAsTheEditorAcceptsThem) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(kHeightUpperBound), 0x400CCCCDu);
    const ClampCase cases[] = {
        {"angle", clampAngle, -90.0f, 89.0f},
        {"zoom", clampZoom, -1.0f, 30.0f},
        {"distance", clampDistance, 10.0f, 350.0f},
        {"height", clampHeight, 1.0f, std::bit_cast<float>(0x400CCCCDu)},
    };
    for (const ClampCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(clamped(c.clamp, c.lower), c.lower) << "a bound stays";
        EXPECT_EQ(clamped(c.clamp, c.upper), c.upper);
        EXPECT_EQ(clamped(c.clamp, std::nextafter(c.lower, -1e9f)), c.lower);
        EXPECT_EQ(clamped(c.clamp, std::nextafter(c.upper, 1e9f)), c.upper);
        EXPECT_EQ(clamped(c.clamp, -1e30f), c.lower);
        EXPECT_EQ(clamped(c.clamp, 1e30f), c.upper);
        const float inside = std::nextafter(c.upper, 0.0f);
        EXPECT_EQ(clamped(c.clamp, inside), inside);
    }
}

TEST(SingleClamps, ExamplesOfOutOfRangeValues) {
    EXPECT_EQ(clamped(clampAngle, 90), 89);
    EXPECT_EQ(clamped(clampAngle, -120), -90);
    EXPECT_EQ(clamped(clampZoom, 31), 30);
    EXPECT_EQ(clamped(clampZoom, -5), -1);
    EXPECT_EQ(clamped(clampDistance, 5), 10);
    EXPECT_EQ(clamped(clampDistance, 400), 350);
    EXPECT_EQ(clamped(clampHeight, 0.5f), 1);
    EXPECT_EQ(clamped(clampHeight, 3), 2.2f);
    EXPECT_EQ(clamped(clampHeight, 2.2f), 2.2f);
}

TEST(OrderMinMaxDef, SwapsAReversedPairThenMovesTheValueBetween) {
    float min = 60, max = 30, v = 70;
    orderMinMaxDef(min, max, v);
    EXPECT_EQ(min, 30);
    EXPECT_EQ(max, 60);
    EXPECT_EQ(v, 60);

    min = 10, max = 20, v = 5;
    orderMinMaxDef(min, max, v);
    EXPECT_EQ(v, 10);

    min = 10, max = 20, v = 15;
    orderMinMaxDef(min, max, v);
    EXPECT_EQ(min, 10);
    EXPECT_EQ(max, 20);
    EXPECT_EQ(v, 15);
}

CameraSettings wildRecord() {
    CameraSettings s;
    s.CTAngleMin = 60, s.CTAngleMax = 30, s.CTAngleDef = 10, s.CTAngleDel = 45, s.CTAngleIns = 95;
    s.CTZoomMin = 2, s.CTZoomMax = 3, s.CTZoomDef = 2.5f, s.CTClipDist = 5, s.CTHeight = 3;
    s.DAngleMin = -120, s.DAngleMax = 120, s.DAngleDef = 0, s.DAngleDel = -100, s.DAngleIns = 100;
    s.DZoomMin = 31, s.DZoomMax = -5, s.DZoomDef = 40, s.DClipDist = 400, s.DHeight = 0.5f;
    return s;
}

TEST(ClampSettings, Revision0ClampsAndOrdersEveryGroup) {
    CameraSettings s = wildRecord();
    clampSettings(s, 0);
    EXPECT_EQ(s.CTAngleMin, 30);
    EXPECT_EQ(s.CTAngleMax, 60);
    EXPECT_EQ(s.CTAngleDef, 30);
    EXPECT_EQ(s.CTAngleDel, 45);
    EXPECT_EQ(s.CTAngleIns, 60);
    EXPECT_EQ(s.CTZoomMin, 2) << "no revision rule in revision 0";
    EXPECT_EQ(s.CTZoomMax, 3);
    EXPECT_EQ(s.CTZoomDef, 2.5f);
    EXPECT_EQ(s.CTClipDist, 10);
    EXPECT_EQ(s.CTHeight, 2.2f);
    EXPECT_EQ(s.DAngleMin, -90);
    EXPECT_EQ(s.DAngleMax, 89);
    EXPECT_EQ(s.DAngleDef, 0);
    EXPECT_EQ(s.DAngleDel, -90);
    EXPECT_EQ(s.DAngleIns, 89);
    EXPECT_EQ(s.DZoomMin, -1) << "clamped to 30 and -1, then swapped";
    EXPECT_EQ(s.DZoomMax, 30);
    EXPECT_EQ(s.DZoomDef, 30);
    EXPECT_EQ(s.DClipDist, 350);
    EXPECT_EQ(s.DHeight, 1);

    CameraSettings unknown = wildRecord();
    clampSettings(unknown, kRevisionUnknown);
    EXPECT_TRUE(sameBytes(unknown, s)) << "revision -1 clamps like revision 0";
}

TEST(ClampSettings, Revision1PinsTheZoomMinimaWhateverTheyHeld) {
    CameraSettings s = wildRecord();
    clampSettings(s, 1);
    EXPECT_EQ(s.CTZoomMin, 5);
    EXPECT_EQ(s.CTZoomMax, 5);
    EXPECT_EQ(s.CTZoomDef, 5);
    EXPECT_EQ(s.DZoomMin, 6);
    EXPECT_EQ(s.DZoomMax, 6) << "-5 raised to 6";
    EXPECT_EQ(s.DZoomDef, 6);

    s = kBiowareDefaults;
    s.CTZoomMin = -0.4f, s.CTZoomMax = 25, s.CTZoomDef = 1;
    s.DZoomMin = 29, s.DZoomMax = 31, s.DZoomDef = 20;
    clampSettings(s, 1);
    EXPECT_EQ(s.CTZoomMin, 5);
    EXPECT_EQ(s.CTZoomMax, 25);
    EXPECT_EQ(s.CTZoomDef, 5);
    EXPECT_EQ(s.DZoomMin, 6);
    EXPECT_EQ(s.DZoomMax, 30);
    EXPECT_EQ(s.DZoomDef, 20);
}

TEST(ClampSettings, ValuesInRangeStayUntouched) {
    CameraSettings s = kBiowareDefaults;
    clampSettings(s, 1);
    EXPECT_TRUE(sameBytes(s, kBiowareDefaults));
    s = kBiowareDefaults;
    applyFirstPersonPreset(s, Camera::ChaseTopDown);
    applyFirstPersonPreset(s, Camera::Drive);
    CameraSettings expected = s;
    expected.CTAngleMax = 89;  // the first-person presets' 90 is beyond the clamp
    expected.CTAngleIns = 89;
    expected.DAngleMax = 89;
    expected.DAngleIns = 89;
    clampSettings(s, 0);
    EXPECT_TRUE(sameBytes(s, expected));
}

}  // namespace
}  // namespace orvendel
