// SPDX-License-Identifier: MIT
#include "shell/window/window_layout.h"

#include <QLabel>
#include <array>

namespace orvendel {

namespace {

// In the order the window creates them; parents are the frames named in the comments.
constexpr std::array kMainWindowRows = {
    ControlLayout{"SettingsFrame", 45, 15, 7800, 8550, 6},
    ControlLayout{"NWMainLocationFrame", 45, 15, 7680, 8550, 0},
    // On the location page:
    ControlLayout{"Command2", 3870, 7965, 1200, 465, 26},
    ControlLayout{"Next1", 2400, 7965, 1200, 465, 25},
    ControlLayout{"BrowseButton", 6060, 4920, 1170, 375, 2},
    ControlLayout{"RestoreButton", 5505, 5415, 1725, 375, 24},
    ControlLayout{"NWN", 90, 4920, 5745, 360, 1},
    ControlLayout{"Label16", 105, 4110, 7200, 510, 4},
    ControlLayout{"Label12", 120, 240, 7215, 495, 3},
    ControlLayout{"SearchNote", 120, 1500, 7215, 1200, 27},
    ControlLayout{"Label17", 105, 5910, 7110, 375, 5},
};

constexpr std::array kProgressWindowRows = {
    // As wide as the window's client area, so that the centred status line stays inside it.
    ControlLayout{"Label1", 0, 150, 4875, 510, 1},
    ControlLayout{"ProgressBar1", 720, 765, 3390, 255, 0},
    ControlLayout{"OKButton", 1845, 1125, 1125, 405, 2},
};

}  // namespace

std::span<const ControlLayout> mainWindowLayout() {
    return kMainWindowRows;
}

std::span<const ControlLayout> progressWindowLayout() {
    return kProgressWindowRows;
}

void fitWrappedLabels(QWidget* root) {
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (!label->wordWrap())
            continue;
        const int needed = label->heightForWidth(label->width());
        if (needed > label->height())
            label->resize(label->width(), needed);
    }
}

}  // namespace orvendel
