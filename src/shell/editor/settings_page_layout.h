// SPDX-License-Identifier: MIT
#pragma once

#include <span>

#include "shell/layout.h"

namespace orvendel {

// Size of the settings page, in twips.
inline constexpr int kSettingsPageWidth = 7800;
inline constexpr int kSettingsPageHeight = 8550;

// Every control of the settings page: frames, buttons, gauges, lists and
// labels, each placed inside its own parent (the page or one of its three frames), with its
// tab index in the main window's keyboard order.
std::span<const ControlLayout> settingsPageLayout();

}  // namespace orvendel
