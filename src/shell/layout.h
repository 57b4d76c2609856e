// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QRect>
#include <span>

class QWidget;

namespace orvendel {

// Window layouts are kept in twips (1/1440 inch); 15 twips make one device-independent pixel,
// so Qt's high-DPI scaling enlarges the fixed layout on dense screens.
constexpr int kTwipsPerPixel = 15;
constexpr int twipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}
constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

// Colours of the window scheme.
inline const QColor kWindowBackground{0, 0, 0};
inline const QColor kCaptionText{255, 255, 0};

// Converts a 0x00BBGGRR colour value into a QColor.
constexpr QColor bgrColor(unsigned value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

// One row of a window's layout table: a control found by object name, its place inside its
// parent in twips, and its tab index (-1 for controls that take no focus).
struct ControlLayout {
    const char* name;
    int left, top, width, height;
    int tabIndex;
};

// Places every control of `table` that is found below `root` by object name. Returns the number
// of rows whose control was not found, so that callers and tests notice a missing control.
int applyLayout(QWidget* root, std::span<const ControlLayout> table);

// Chains the focus order of the controls of `table` by ascending tab index.
void applyTabOrder(QWidget* root, std::span<const ControlLayout> table);

}  // namespace orvendel
