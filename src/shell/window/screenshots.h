#pragma once

#include <QString>

namespace orvendel {

class MainWindow;

// Walks `window` through its steps and writes a picture of each into `folder`:
// location-page.png as started, progress-window.png while a writing run waits for OK (the run
// writes the record back unchanged), settings-page.png after "Next >". The window must be shown
// and its path box must name a readable executable for the later pictures to show values.
// Returns an empty text on success, else the reason naming the file that could not be written.
QString writeScreenshots(MainWindow& window, const QString& folder);

}  // namespace orvendel
