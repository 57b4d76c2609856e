// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace orvendel {

class MainWindow;

// Walks `window` through its steps and writes a picture of each into `folder`:
// location-page.png as started, settings-page.png after "Next >", progress-window.png while a
// writing run waits for OK. The writing run works on a temporary copy of the executable, so the
// file in the path box is only read. The window must be shown and its path box must name a
// readable executable for the later pictures to show values.
// Returns an empty text on success, else the reason naming the file that could not be written.
QString writeScreenshots(MainWindow& window, const QString& folder);

}  // namespace orvendel
