// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string_view>

#include "camera/camera_settings.h"

namespace orvendel {

// One item of the camera-height lists: the height it stands for, the value above which a
// field selects it, and its caption in the chase/top-down list (A) and the drive list (B).
struct HeightItem {
    float height;
    float threshold;  // unused for item 0, which takes everything not above item 1's threshold
    std::string_view captionA;
    std::string_view captionB;
};

inline constexpr int kHeightItemCount = 14;

// The fourteen items of both height lists, in list order.
extern const std::array<HeightItem, kHeightItemCount> kHeightTable;

// Caption of item `index` (0..13) in the height list of `camera`.
std::string_view heightCaption(Camera camera, int index);

// The list item that shows `height`: the highest item whose threshold the height is above,
// item 0 for anything not above 1.05, item 13 for a NaN.
int heightItemFor(float height);

// Takes the selected item of a height list into `height`: an index 0..13 sets that item's
// height, anything else (-1 for no selection) leaves the field as it is. Returns whether the
// field was set.
bool readHeight(float& height, int selectedIndex);

// The height that a field of `height` has after the round trip through its list, which every
// write from the window takes: the list shows heightItemFor(height), and reading that item back
// gives its height (1.7 becomes 1.65, 0 becomes 1.0, NaN becomes 2.2).
float snapHeightToList(float height);

}  // namespace orvendel
