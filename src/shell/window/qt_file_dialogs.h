// SPDX-License-Identifier: MIT
#pragma once

#include "shell/window/file_dialogs.h"

namespace orvendel {

// The file dialogs as the user sees them, built on QFileDialog with the titles, filters and
// default extension of the two dialogs.
class QtFileDialogs : public FileDialogs {
public:
    // Title "Location of NWMAIN.EXE", one filter entry for nwmain.exe, initial file nwmain.exe
    // in the folder of `current` (or `current` itself when it names a file).
    std::optional<QString> openExecutable(QWidget* parent, const QString& current) override;

    // Title "Settings File", filter "Settings Files (*.chs)", default suffix chs.
    std::optional<QString> openSettings(QWidget* parent, const QString& folder) override;

    // As openSettings, as a save dialog that does not ask before replacing a file (the window
    // asks, whichever dialog the platform shows).
    std::optional<QString> saveSettings(QWidget* parent, const QString& folder) override;
};

}  // namespace orvendel
