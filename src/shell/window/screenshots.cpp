// SPDX-License-Identifier: MIT
#include "shell/window/screenshots.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>

#include "shell/window/busy_form.h"
#include "shell/window/location_page.h"
#include "shell/window/main_window.h"

namespace orvendel {

namespace {

QString save(QWidget& widget, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    if (!widget.grab().save(path, "PNG")) {
        return QStringLiteral("Cannot write the picture %1.").arg(QDir::toNativeSeparators(path));
    }
    return {};
}

}  // namespace

QString writeScreenshots(MainWindow& window, const QString& folder) {
    const QDir dir(folder);
    if (!dir.exists() && !QDir().mkpath(folder)) {
        return QStringLiteral("Cannot create the folder %1.").arg(QDir::toNativeSeparators(folder));
    }
    QString error = save(window, dir, QStringLiteral("location-page.png"));
    if (!error.isEmpty())
        return error;

    // A reading run that did not get the values waits for OK; the picture is of a writing run.
    BusyForm& busy = *window.busyForm();
    bool writing = false;
    const auto connection = QObject::connect(&busy, &BusyForm::waitingForOk, &busy, [&] {
        if (writing)
            error = save(busy, dir, QStringLiteral("progress-window.png"));
        busy.accept();
    });
    const auto disconnect = qScopeGuard([&] { QObject::disconnect(connection); });

    window.locationPage()->nextButton()->click();
    if (!window.locationPage()->isHidden()) {
        return QStringLiteral("The settings page did not open.");
    }
    error = save(window, dir, QStringLiteral("settings-page.png"));
    if (!error.isEmpty())
        return error;

    // The writing run works on a copy, so that taking pictures never rewrites the game's file.
    QLineEdit& pathBox = *window.locationPage()->pathEdit();
    const QString original = pathBox.text();
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("nwmain.exe"));
    if (!scratch.isValid() || !QFile::copy(original, copy)) {
        return QStringLiteral("Cannot copy %1 for the progress window's picture.")
            .arg(QDir::toNativeSeparators(original));
    }
    pathBox.setText(copy);
    writing = true;
    window.processData(false);
    pathBox.setText(original);
    return error;
}

}  // namespace orvendel
