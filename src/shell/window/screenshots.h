// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace orvendel {

class MainWindow;

// Waits for the start-up search of `window` to end, then walks the window through its steps
// and writes a picture of each into `folder`:
// location-page.png as started, settings-page.png after "Next >" (both pages whole, also where
// the window scrolls them), window.png the window as it then stands on its screen,
// progress-window.png while a writing run waits for OK; then the same four with "-large-font"
// before ".png" from a second window on the same path, opened with a font 1.6 times the
// application's. The writing runs work on a temporary copy of the executable, so the file in the
// path box is only read. The window must be shown and its path box must name a readable executable
// for the later pictures to show values. Returns an empty text on success, else the reason (a file
// that could not be written, or the message the second window was to show).
QString writeScreenshots(MainWindow& window, const QString& folder);

}  // namespace orvendel
