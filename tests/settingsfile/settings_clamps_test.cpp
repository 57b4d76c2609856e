// SPDX-License-Identifier: MIT
#include "settingsfile/settings_clamps.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

namespace orvendel {
namespace {

float clamped(Range range, float x) {
    keepInRange(x, range);
    return x;
}

TEST(SingleClamps, BoundsStayAndEverythingBeyondThemIsBroughtBack) {
    const struct {
        const char* name;
        Range range;
        float lower;
        float upper;
    } rows[] = {
        {"angle", kAngleRange, -90.0f, 89.0f},
        {"zoom", kZoomRange, -1.0f, 30.0f},
        {"distance", kDistanceRange, 10.0f, 350.0f},
        {"height", kHeightRange, 1.0f, std::bit_cast<float>(0x400CCCCDu)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(clamped(row.range, row.lower), row.lower);
        EXPECT_EQ(clamped(row.range, row.upper), row.upper);
        EXPECT_EQ(clamped(row.range, std::nextafter(row.lower, -1e9f)), row.lower);
        EXPECT_EQ(clamped(row.range, std::nextafter(row.upper, 1e9f)), row.upper);
        const float inside = std::nextafter(row.upper, 0.0f);
        EXPECT_EQ(clamped(row.range, inside), inside);
    }
}

// Records in field order: CT angles min, max, def, del, ins; CT zoom min, max, def; CT
// distance, height; then the same ten for the drive camera.
constexpr CameraSettings kWild = {60,   30,  10, 45,   95,  2,  3,  2.5f, 5,   3,
                                  -120, 120, 0,  -100, 100, 31, -5, 40,   400, 0.5f};
constexpr CameraSettings kWildClamped = {30,  60, 30, 45,  60, 2,  3,  2.5f, 10,  2.2f,
                                         -90, 89, 0,  -90, 89, -1, 30, 30,   350, 1};
// The chase/top-down zoom beyond both of its bounds.
constexpr CameraSettings kWideZoom = {40, 89, 40, 40, 89, -5, 40, 35, 45, 1,
                                      28, 89, 28, 28, 89, 6,  6,  6,  45, 2};
constexpr CameraSettings kLowZoom = {40, 89, 40, 40, 89, -0.4f, 25, 1,  45, 1,
                                     28, 89, 28, 28, 89, 29,    31, 20, 45, 2};

TEST(ClampSettings, ClampsOrdersAndAppliesTheRevision1ZoomRule) {
    CameraSettings firstPerson = kBiowareDefaults;
    applyFirstPersonPreset(firstPerson, Camera::ChaseTopDown);
    applyFirstPersonPreset(firstPerson, Camera::Drive);
    CameraSettings firstPersonClamped = firstPerson;
    firstPersonClamped.CTAngleMax = firstPersonClamped.CTAngleIns = 89;  // the presets say 90
    firstPersonClamped.DAngleMax = firstPersonClamped.DAngleIns = 89;
    const struct {
        const char* name;
        std::int16_t revision;
        CameraSettings input;
        CameraSettings expected;
    } rows[] = {
        // The drive zoom is clamped to 30 and -1 first, then swapped.
        {"wild, revision 0", 0, kWild, kWildClamped},
        {"wild, unknown revision", kRevisionUnknown, kWild, kWildClamped},
        {"wild, revision 1", 1, kWild, {30,  60, 30, 45,  60, 5, 5, 5, 10,  2.2f,
                                        -90, 89, 0,  -90, 89, 6, 6, 6, 350, 1}},
        {"low zoom, revision 1", 1, kLowZoom, {40, 89, 40, 40, 89, 5, 25, 5,  45, 1,
                                               28, 89, 28, 28, 89, 6, 30, 20, 45, 2}},
        {"low zoom, revision 0", 0, kLowZoom, {40, 89, 40, 40, 89, -0.4f, 25, 1,  45, 1,
                                               28, 89, 28, 28, 89, 29,    30, 29, 45, 2}},
        {"wide zoom, revision 0", 0, kWideZoom, {40, 89, 40, 40, 89, -1, 30, 30, 45, 1,
                                                 28, 89, 28, 28, 89, 6,  6,  6,  45, 2}},
        {"wide zoom, revision 1", 1, kWideZoom, {40, 89, 40, 40, 89, 5, 30, 30, 45, 1,
                                                 28, 89, 28, 28, 89, 6, 6,  6,  45, 2}},
        {"first person", 0, firstPerson, firstPersonClamped},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CameraSettings s = row.input;
        clampSettings(s, row.revision);
        for (std::size_t i = 0; i < kFieldCount; ++i)
            EXPECT_EQ(s.*kFieldMembers[i], row.expected.*kFieldMembers[i]) << kFieldNames[i];
    }
}

}  // namespace
}  // namespace orvendel
