// SPDX-License-Identifier: MIT
#pragma once

#include <QDir>
#include <QString>

namespace orvendel {

// What the list of copies shows for the copy at `path` that `launcher` led to: the launcher,
// then the path in native separators, with the home folder `home` written "~" outside Windows
// ("Lutris: ~/Games/nwn/drive_c/NWN/nwmain.exe"), so that the folders that tell the copies
// apart come early. Just the path when the launcher is not known.
QString foundCopyLabel(const QString& launcher, const QString& path,
                       const QString& home = QDir::homePath());

}  // namespace orvendel
