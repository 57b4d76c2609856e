// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace orvendel {

// The twenty camera values that the tool edits, laid out as the game keeps them in memory:
// ten for the chase and top-down camera (CT), then the same ten for the drive camera (D).
// Angles are in degrees, viewing distances and heights in metres, zoom distances in game
// units (a zoom below 0 is a first-person setting). The field names are also the keys of
// settings files.
struct CameraSettings {
    float CTAngleMin = 0;
    float CTAngleMax = 0;
    float CTAngleDef = 0;
    float CTAngleDel = 0;
    float CTAngleIns = 0;
    float CTZoomMin = 0;
    float CTZoomMax = 0;
    float CTZoomDef = 0;
    float CTClipDist = 0;
    float CTHeight = 0;
    float DAngleMin = 0;
    float DAngleMax = 0;
    float DAngleDef = 0;
    float DAngleDel = 0;
    float DAngleIns = 0;
    float DZoomMin = 0;
    float DZoomMax = 0;
    float DZoomDef = 0;
    float DClipDist = 0;
    float DHeight = 0;
};
static_assert(sizeof(float) == 4);
static_assert(sizeof(CameraSettings) == 80, "twenty contiguous 4-byte floats");
static_assert(std::is_trivially_copyable_v<CameraSettings>);
static_assert(std::is_standard_layout_v<CameraSettings>);

// True when both records hold the same 80 bytes (NaNs and signed zeros compare by bits).
inline bool sameBytes(const CameraSettings& a, const CameraSettings& b) {
    return std::memcmp(&a, &b, sizeof(CameraSettings)) == 0;
}

// The field tables keep the record's rows of five.
// clang-format off
// Index of a field in record order.
enum class Field : std::uint8_t {
    CTAngleMin, CTAngleMax, CTAngleDef, CTAngleDel, CTAngleIns,
    CTZoomMin, CTZoomMax, CTZoomDef, CTClipDist, CTHeight,
    DAngleMin, DAngleMax, DAngleDef, DAngleDel, DAngleIns,
    DZoomMin, DZoomMax, DZoomDef, DClipDist, DHeight,
};
inline constexpr std::size_t kFieldCount = 20;

// Field names in record order; they double as settings-file keys.
inline constexpr std::array<std::string_view, kFieldCount> kFieldNames = {
    "CTAngleMin", "CTAngleMax", "CTAngleDef", "CTAngleDel", "CTAngleIns",
    "CTZoomMin",  "CTZoomMax",  "CTZoomDef",  "CTClipDist", "CTHeight",
    "DAngleMin",  "DAngleMax",  "DAngleDef",  "DAngleDel",  "DAngleIns",
    "DZoomMin",   "DZoomMax",   "DZoomDef",   "DClipDist",  "DHeight",
};

// Member pointers in record order, so that tables can name fields as data.
inline constexpr std::array<float CameraSettings::*, kFieldCount> kFieldMembers = {
    &CameraSettings::CTAngleMin, &CameraSettings::CTAngleMax, &CameraSettings::CTAngleDef,
    &CameraSettings::CTAngleDel, &CameraSettings::CTAngleIns, &CameraSettings::CTZoomMin,
    &CameraSettings::CTZoomMax,  &CameraSettings::CTZoomDef,  &CameraSettings::CTClipDist,
    &CameraSettings::CTHeight,   &CameraSettings::DAngleMin,  &CameraSettings::DAngleMax,
    &CameraSettings::DAngleDef,  &CameraSettings::DAngleDel,  &CameraSettings::DAngleIns,
    &CameraSettings::DZoomMin,   &CameraSettings::DZoomMax,   &CameraSettings::DZoomDef,
    &CameraSettings::DClipDist,  &CameraSettings::DHeight,
};
// clang-format on

inline float& fieldRef(CameraSettings& s, Field f) {
    return s.*kFieldMembers[static_cast<std::size_t>(f)];
}
inline float fieldValue(const CameraSettings& s, Field f) {
    return s.*kFieldMembers[static_cast<std::size_t>(f)];
}
inline constexpr std::string_view fieldName(Field f) {
    return kFieldNames[static_cast<std::size_t>(f)];
}

// The two camera modes. What is done alike for both modes is written once over a CameraGroup.
enum class Camera : std::uint8_t { ChaseTopDown, Drive };

// References to the ten fields of one camera mode.
struct CameraGroup {
    float& AngleMin;
    float& AngleMax;
    float& AngleDef;
    float& AngleDel;
    float& AngleIns;
    float& ZoomMin;
    float& ZoomMax;
    float& ZoomDef;
    float& ClipDist;
    float& Height;
};
CameraGroup group(CameraSettings& s, Camera camera);

// The zoom minima that revision 1 keeps whatever is chosen: the chase/top-down camera's has no
// site in the executable, and the drive camera's was built as 6 (changing it is warned about).
inline constexpr float kRevision1ChaseZoomMin = 5.0f;
inline constexpr float kRevision1DriveZoomMin = 6.0f;

// The revision of a file no table recognised.
inline constexpr std::int16_t kRevisionUnknown = -1;

// What the main window keeps alongside the record for its whole life.
struct CameraState {
    CameraSettings settings;                   // the working record
    CameraSettings undoSnapshot;               // values of the last recognised read
    std::int16_t revision = kRevisionUnknown;  // build recognised by the last patch run
    bool distanceWarningShown = false;
    // Whether the record holds values the player chose: those of a recognised read, a preset
    // or a loaded settings file (and then edits of them). A record without is never written.
    bool valuesChosen = false;
    // Whether undoSnapshot holds the values of a recognised read.
    bool snapshotTaken = false;

    void takeUndoSnapshot() {
        undoSnapshot = settings;
        snapshotTaken = true;
    }
    void restoreUndoSnapshot() {
        settings = undoSnapshot;
        valuesChosen = snapshotTaken;
    }
};

// The "Bioware Defaults" preset.
extern const CameraSettings kBiowareDefaults;

// The first-person values of one camera mode; viewing distance and height are not part of it.
struct FirstPersonPreset {
    float AngleMin, AngleMax, AngleDef, AngleDel, AngleIns, ZoomMin, ZoomMax, ZoomDef;
};
const FirstPersonPreset& firstPersonPreset(Camera camera);

// Sets the fields of one camera mode to its "FPS Mode!" preset; the other mode is untouched.
void applyFirstPersonPreset(CameraSettings& s, Camera camera);

}  // namespace orvendel
