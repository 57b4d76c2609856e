// SPDX-License-Identifier: MIT
#include "shell/window/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QTemporaryDir>
#include <cmath>

#include "shell/editor/message_boxes.h"
#include "shell/window/file_dialogs.h"
#include "shell/window/location_page.h"
#include "shell/window/main_window.h"
#include "shell/window/progress_window.h"
#include "shell/window/remembered_places.h"

namespace orvendel {

namespace {

// The font of the second set of pictures, against the application's own.
constexpr double kLargeFontFactor = 1.6;

// The window of the second set is only photographed: it declines every question, opens no
// dialog and keeps the first message it was to show, so that it can be reported.
class PictureOnlyMessages : public MessageBoxes {
public:
    bool askOkCancel(const QString& text, const QString&) override { return keep(text); }
    bool askYesNo(const QString& text, const QString&) override { return keep(text); }
    void inform(const QString& text, Icon, const QString&) override { keep(text); }
    QString first;

private:
    bool keep(const QString& text) {
        if (first.isEmpty())
            first = text;
        return false;
    }
};

class NoFileDialogs : public FileDialogs {
public:
    std::optional<QString> openExecutable(QWidget*, const QString&) override { return {}; }
    std::optional<QString> openSettings(QWidget*, const QString&) override { return {}; }
    std::optional<QString> saveSettings(QWidget*, const QString&) override { return {}; }
};

QString save(QWidget& widget, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    if (!widget.grab().save(path, "PNG")) {
        return QStringLiteral("Cannot write the picture %1.").arg(QDir::toNativeSeparators(path));
    }
    return {};
}

// Takes the pictures of every step of `window`, named <page><suffix>.png.
QString picturePages(MainWindow& window, const QDir& dir, const QString& suffix) {
    auto name = [&](const char* page) { return QLatin1String(page) + suffix + ".png"; };
    // The pages are pictured whole, also where the window scrolls them.
    QWidget& pages = *window.pageScroller()->widget();
    QString error = save(pages, dir, name("location-page"));
    if (!error.isEmpty())
        return error;

    // A reading run that did not get the values waits for OK; the picture is of a writing run.
    ProgressWindow& busy = *window.progressWindow();
    bool writing = false;
    const auto connection = QObject::connect(&busy, &ProgressWindow::waitingForOk, &busy, [&] {
        if (writing)
            error = save(busy, dir, name("progress-window"));
        busy.accept();
    });
    const auto disconnect = qScopeGuard([&] { QObject::disconnect(connection); });

    if (!window.locationPage()->nextButton()->isEnabled()) {
        return QStringLiteral(
                   "\"Next >\" is not enabled: %1 is not an ordinary file called nwmain.exe.")
            .arg(QDir::toNativeSeparators(window.locationPage()->pathEdit()->text()));
    }
    window.locationPage()->nextButton()->click();
    if (!window.locationPage()->isHidden()) {
        return QStringLiteral("The settings page did not open.");
    }
    error = save(pages, dir, name("settings-page"));
    if (error.isEmpty())
        error = save(window, dir, name("window"));
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
    window.writeExecutable();
    pathBox.setText(original);
    return error;
}

}  // namespace

QString writeScreenshots(MainWindow& window, const QString& folder) {
    const QDir dir(folder);
    if (!dir.exists() && !QDir().mkpath(folder)) {
        return QStringLiteral("Cannot create the folder %1.").arg(QDir::toNativeSeparators(folder));
    }
    // The pictures show what the start-up search found, so they wait for it.
    if (window.searching()) {
        QEventLoop ended;
        QObject::connect(&window, &MainWindow::searchEnded, &ended, &QEventLoop::quit);
        ended.exec();
    }
    const QString path = window.locationPage()->pathEdit()->text();
    QString error = picturePages(window, dir, QString());
    if (!error.isEmpty())
        return error;

    // The same steps in a second window, laid out for a larger font.
    const QFont font = QApplication::font();
    QFont large = font;
    if (font.pointSizeF() > 0) {
        large.setPointSizeF(font.pointSizeF() * kLargeFontFactor);
    } else {
        large.setPixelSize(static_cast<int>(std::lround(font.pixelSize() * kLargeFontFactor)));
    }
    QApplication::setFont(large);
    const auto restore = qScopeGuard([&] { QApplication::setFont(font); });
    PictureOnlyMessages messages;
    NoFileDialogs dialogs;
    RememberedPlaces places;  // in memory: pictures change nothing the user keeps
    MainWindow largeWindow(messages, dialogs, places, MainWindow::LocatedGames(path));
    largeWindow.show();
    error = picturePages(largeWindow, dir, QStringLiteral("-large-font"));
    return error.isEmpty() ? messages.first : error;
}

}  // namespace orvendel
