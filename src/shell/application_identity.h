// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace orvendel {

// The name under which the desktop knows the program: its desktop entry is
// "<id>.desktop", its icons are "<id>.png" and ".svg", and its remembered places are kept
// under it.
inline QString applicationId() {
    return QStringLiteral("org.orvendel.Orvendel");
}

// Names the running application so that the desktop matches its windows with the entry: the
// application name (on X11 the class of every window's WM_CLASS, which the entry's
// StartupWMClass names), the desktop file name (on Wayland the windows' app id), the version
// and the window icon. Needs the QApplication.
void setApplicationIdentity();

}  // namespace orvendel
