// SPDX-License-Identifier: MIT
#include "shell/editor/settings_page_layout.h"

#include <array>

namespace orvendel {

namespace {
constexpr std::array kSettingsPage = {
    // Quick presets
    ControlLayout{"Frame1", 75, 210, 7455, 945, 22},
    ControlLayout{"LoadSettings", 3600, 270, 1455, 495, 28},
    ControlLayout{"SaveSettings", 1920, 270, 1575, 495, 27},
    ControlLayout{"UndoBtn", 5160, 270, 1575, 480, 24},
    ControlLayout{"BiowareBtn", 210, 270, 1575, 480, 23},
    // Chase and top-down camera
    ControlLayout{"Frame3", 75, 1245, 7455, 3165, 12},
    // Below the angle gauge, which it would overlap by two pixels at the design's own top.
    ControlLayout{"CTFPS", 225, 2715, 1305, 390, 20},
    ControlLayout{"CTHeight", 3645, 2700, 3525, 315, 16},
    ControlLayout{"CTClipGauge", 3105, 1785, 4185, 675, 15},
    ControlLayout{"LGauge1", 3105, 330, 4185, 885, 14},
    ControlLayout{"CTGauge", 225, 285, 2610, 2370, 13},
    ControlLayout{"Label7", 2415, 2745, 1170, 270, 17},
    // Window-level buttons of the page
    ControlLayout{"CancelButton", 4125, 7980, 1485, 435, 11},
    ControlLayout{"ApplyButton", 1935, 7980, 1485, 435, 10},
    // Drive camera
    ControlLayout{"Frame2", 75, 4485, 7455, 3375, 7},
    ControlLayout{"DFPS", 195, 2745, 1305, 390, 21},
    ControlLayout{"DHeight", 3555, 2805, 3540, 315, 8},
    ControlLayout{"DClipGauge", 3030, 1890, 4185, 675, 19},
    ControlLayout{"DGauge", 165, 300, 2610, 2370, 18},
    ControlLayout{"DZoomGauge", 3000, 360, 4185, 885, 29},
    ControlLayout{"Label13", 2355, 2865, 1185, 300, 9},
};
}  // namespace

std::span<const ControlLayout> settingsPageLayout() {
    return kSettingsPage;
}

}  // namespace orvendel
