// SPDX-License-Identifier: MIT
// Fuzz target: the settings-file loader over arbitrary text, for each revision.
// Properties: an Error leaves the record byte for byte as it was; UnknownFormat leaves exactly
// the old record clamped; Loaded leaves a record inside every clamp range, which the writer
// turns into text that loads back to the very same text again.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "camera/camera_settings.h"
#include "fuzz_check.h"
#include "settingsfile/settings_clamps.h"
#include "settingsfile/settings_file.h"

namespace orvendel {
namespace {

bool within(float value, float low, float high) {
    return value >= low && value <= high;
}

// Checks the ranges of one camera's group after loading.
void checkGroup(CameraSettings& s, Camera camera, std::int16_t revision) {
    const CameraGroup g = group(s, camera);
    FUZZ_CHECK(within(g.AngleMin, kAngleRange.lower, kAngleRange.upper));
    FUZZ_CHECK(within(g.AngleMax, g.AngleMin, kAngleRange.upper));
    for (const float angle : {g.AngleDef, g.AngleDel, g.AngleIns}) {
        FUZZ_CHECK(within(angle, g.AngleMin, g.AngleMax));
    }
    FUZZ_CHECK(within(g.ZoomMin, kZoomRange.lower, kZoomRange.upper));
    FUZZ_CHECK(within(g.ZoomMax, g.ZoomMin, kZoomRange.upper));
    FUZZ_CHECK(within(g.ZoomDef, g.ZoomMin, g.ZoomMax));
    FUZZ_CHECK(within(g.ClipDist, kDistanceRange.lower, kDistanceRange.upper));
    FUZZ_CHECK(within(g.Height, kHeightRange.lower, kHeightRange.upper));
    if (revision == 1) {
        FUZZ_CHECK(g.ZoomMin == (camera == Camera::ChaseTopDown ? 5.0f : 6.0f));
    }
}

void checkRevision(std::string_view text, std::int16_t revision) {
    // A record with values outside every range, so that clamping always shows.
    CameraSettings initial = kBiowareDefaults;
    initial.CTAngleMin = 120;
    initial.DZoomMax = -7;
    initial.CTHeight = 9;
    CameraSettings record = initial;
    const Result<SettingsFormat> result = parseSettings(text, record, revision);
    if (!result) {
        FUZZ_CHECK(!result.message().empty());
        FUZZ_CHECK(sameBytes(record, initial));
        return;
    }
    if (result == SettingsFormat::Unknown) {
        CameraSettings clamped = initial;
        clampSettings(clamped, revision);
        FUZZ_CHECK(sameBytes(record, clamped));
        return;
    }
    FUZZ_CHECK(result.message().empty());
    checkGroup(record, Camera::ChaseTopDown, revision);
    checkGroup(record, Camera::Drive, revision);

    const std::string written = formatSettings(record);
    CameraSettings again{};
    FUZZ_CHECK(parseSettings(written, again, revision) == SettingsFormat::Known);
    FUZZ_CHECK(formatSettings(again) == written);
}

}  // namespace
}  // namespace orvendel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const std::int16_t revision : {std::int16_t{-1}, std::int16_t{0}, std::int16_t{1}}) {
        orvendel::checkRevision(text, revision);
    }
    return 0;
}
