// SPDX-License-Identifier: MIT
#include "shell/window/found_copy_label.h"

namespace orvendel {

QString foundCopyLabel(const QString& launcher, const QString& path, const QString& home) {
    QString shown = path;
#ifndef Q_OS_WIN
    // Only the home folder itself, not another folder whose name starts the same way.
    const QString homeFolder = home.endsWith(QLatin1Char('/')) ? home : home + QLatin1Char('/');
    if (home.size() > 1 && path.startsWith(homeFolder))
        shown = QStringLiteral("~/") + path.mid(homeFolder.size());
#else
    Q_UNUSED(home);
#endif
    shown = QDir::toNativeSeparators(shown);
    return launcher.isEmpty() ? shown : launcher + QStringLiteral(": ") + shown;
}

}  // namespace orvendel
