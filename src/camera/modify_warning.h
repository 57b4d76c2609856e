// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

#include "camera/camera_settings.h"

namespace orvendel {

// The warning that is shown, and must be confirmed, before the record is written into the
// executable.
enum class ModifyWarning : std::uint8_t {
    None,
    DelKeyAngle,  // revision 0: a DEL key angle differs from its camera's minimum angle
    DriveZoom,    // revision 1: the drive camera's minimum zoom is not 6
};

// Which warning applies to writing `settings` into an executable of `revision`:
// revision 0 gives DelKeyAngle when CTAngleDel differs from CTAngleMin or DAngleDel from
// DAngleMin (exact comparison of the floats, so a NaN always differs); revision 1 gives
// DriveZoom when DZoomMin is not exactly 6; any other revision (-1: none recognised) gives None.
ModifyWarning modifyWarning(const CameraSettings& settings, std::int16_t revision);

// The text of a warning, to be confirmed with OK or refused with Cancel; empty for None.
std::string_view modifyWarningText(ModifyWarning warning);

}  // namespace orvendel
