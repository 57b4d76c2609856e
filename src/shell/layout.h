// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QRect>
#include <QSize>
#include <span>

class QFont;
class QWidget;

namespace orvendel {

// Window layouts are kept in twips (1/1440 inch), designed for the classic dialog font; 15 twips
// make one device-independent pixel at that font. With a larger or wider font every place and
// size grows by one common factor, the layout scale, so the design keeps its proportions and
// every text keeps its room. Qt's own high-DPI scaling comes on top, on dense screens.
constexpr int kTwipsPerPixel = 15;

// Metrics of the classic dialog font, MS Sans Serif 8.25 pt at 96 dpi, in device-independent
// pixels: the average width of the 52 letters A-Z and a-z (the horizontal dialog base unit) and
// the line height (the vertical one).
inline constexpr double kReferenceLetterWidth = 6.0;
inline constexpr double kReferenceLineHeight = 13.0;

// The layout scale for texts in `font`: the larger of its average letter width and its line
// height against the classic dialog font's, never below 1.
double layoutScaleFor(const QFont& font);

// The layout scale for the application's fonts: the largest over the fonts of the kinds of
// control the windows use (a platform theme may give buttons or labels a font of their own).
double layoutScale();

// A length or place in twips, in device-independent pixels at `scale`.
int twipsToPixels(int twips, double scale);
// A rectangle in twips, in device-independent pixels at `scale`.
QRect twipsRect(int left, int top, int width, int height, double scale);
// The size of a client area in twips, in device-independent pixels at `scale`; without a scale,
// at the application's layout scale.
QSize twipsSize(int width, int height, double scale);
QSize twipsSize(int width, int height);

// Colours of the window scheme.
inline const QColor kWindowBackground{0, 0, 0};
inline const QColor kCaptionText{255, 255, 0};

// One row of a window's layout table: a control found by object name, its place inside its
// parent in twips, and its tab index (-1 for controls that take no focus).
struct ControlLayout {
    const char* name;
    int left, top, width, height;
    int tabIndex;
};

// Places every control of `table` that is found below `root` by object name, at `scale`
// (without one, at the application's layout scale). Returns the number of rows whose control was
// not found, so that callers and tests notice a missing control.
int applyLayout(QWidget* root, std::span<const ControlLayout> table, double scale);
int applyLayout(QWidget* root, std::span<const ControlLayout> table);

// Chains the focus order of the controls of `table` by ascending tab index.
void applyTabOrder(QWidget* root, std::span<const ControlLayout> table);

}  // namespace orvendel
