// SPDX-License-Identifier: MIT
#include "camera/modify_warning.h"

namespace orvendel {

namespace {

constexpr std::string_view kDelKeyAngleText =
    "You have chosen your DEL key angle to be different from your minimum angle.  This "
    "sometimes locks the camera while in the game if you change areas or equipment.  If this "
    "happens, toggle your camera mode to unlock the camera again.  To avoid this problem, make "
    "sure and set your DEL key angle to match your Minimum Angle.";

constexpr std::string_view kDriveZoomText =
    "You have chosen to modify the minimum zoom for Drive Camera.  This option has not been "
    "fully tested and you may encounter strange bugs while playing NWN.  If you choose to "
    "continue I would appreciate any feedback, good or bad, you have after using this option "
    "for a few days.";

}  // namespace

ModifyWarning modifyWarning(const CameraSettings& settings, std::int16_t revision) {
    switch (revision) {
        case 0:
            if (settings.CTAngleDel != settings.CTAngleMin ||
                settings.DAngleDel != settings.DAngleMin) {
                return ModifyWarning::DelKeyAngle;
            }
            return ModifyWarning::None;
        case 1:
            return settings.DZoomMin != kRevision1DriveZoomMin ? ModifyWarning::DriveZoom
                                                               : ModifyWarning::None;
        default:
            return ModifyWarning::None;
    }
}

std::string_view modifyWarningText(ModifyWarning warning) {
    switch (warning) {
        case ModifyWarning::DelKeyAngle:
            return kDelKeyAngleText;
        case ModifyWarning::DriveZoom:
            return kDriveZoomText;
        case ModifyWarning::None:
            break;
    }
    return {};
}

}  // namespace orvendel
