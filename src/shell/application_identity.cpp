// SPDX-License-Identifier: MIT
#include "shell/application_identity.h"

#include <QApplication>
#include <QIcon>

#include "version.h"

namespace orvendel {

void setApplicationIdentity() {
    QApplication::setApplicationName(QStringLiteral("Orvendel"));
    QApplication::setApplicationVersion(QString::fromUtf8(kVersion));
    QGuiApplication::setDesktopFileName(applicationId());
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/orvendel/orvendel-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
}

}  // namespace orvendel
