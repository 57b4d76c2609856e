// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string_view>

#include "camera/camera_settings.h"

namespace orvendel {

// Key and value of the first line of every settings file.
inline constexpr std::string_view kSettingsVersionKey = "Version";
inline constexpr std::string_view kSettingsFormatTag = "G";

// The record fields of lines 2 to 21, in file order. The drive camera's zoom lines stand in the
// order default, minimum, maximum; the chase/top-down camera's in minimum, maximum, default.
// Writer and loader both go by this table; the keys of a file are never compared.
inline constexpr std::array<Field, kFieldCount> kSettingsFileOrder = {
    Field::CTAngleMin, Field::CTAngleMax, Field::CTAngleDef, Field::CTAngleDel, Field::CTAngleIns,
    Field::CTZoomMin,  Field::CTZoomMax,  Field::CTZoomDef,  Field::CTClipDist, Field::CTHeight,
    Field::DAngleMin,  Field::DAngleMax,  Field::DAngleDef,  Field::DAngleDel,  Field::DAngleIns,
    Field::DZoomDef,   Field::DZoomMin,   Field::DZoomMax,   Field::DClipDist,  Field::DHeight,
};

}  // namespace orvendel
