// SPDX-License-Identifier: MIT
#pragma once

#include <span>

#include "shell/layout.h"

namespace orvendel {

// Client area of the main window, in twips.
inline constexpr int kMainWindowWidth = 7950;
inline constexpr int kMainWindowHeight = 8685;

// Client area of the progress window, in twips.
inline constexpr int kProgressWindowWidth = 4875;
inline constexpr int kProgressWindowHeight = 1605;

// The main window's own controls: both page frames and the location page's controls, with
// their places inside their parents and tab indexes. The settings page places its children
// itself; its rows take part in the window's tab order.
std::span<const ControlLayout> mainWindowLayout();

// The progress window's three controls.
std::span<const ControlLayout> progressWindowLayout();

// Lets every word-wrapped label below `root` grow downwards to the height its text needs in
// the font in use, keeping its place and width; a label already tall enough keeps its height.
// The layout's heights hold two lines of the classic dialog font; larger fonts need more.
void fitWrappedLabels(QWidget* root);

}  // namespace orvendel
