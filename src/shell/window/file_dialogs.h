// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace orvendel {

// The file dialogs of the main window, behind an interface so that tests answer them from a
// script. Each returns the chosen path, or nothing when the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // Asks for the game's executable, opening at `current` (the path box's text). Only files
    // named nwmain.exe are listed.
    virtual std::optional<QString> openExecutable(QWidget* parent, const QString& current) = 0;

    // Asks for a settings file to read, opening in `folder` (the dialog's choice when empty); a
    // name typed without an extension gets ".chs".
    virtual std::optional<QString> openSettings(QWidget* parent, const QString& folder) = 0;

    // Asks for a settings file to write, the same way. The dialog itself does not ask before
    // replacing a file; the window does.
    virtual std::optional<QString> saveSettings(QWidget* parent, const QString& folder) = 0;
};

}  // namespace orvendel
