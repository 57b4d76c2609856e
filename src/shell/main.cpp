// The desktop program: the main window on the path proposed by the game's location.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>
#include <cstdio>

#include "locate/game_location.h"
#include "shell/editor/qt_message_boxes.h"
#include "shell/window/main_window.h"
#include "shell/window/qt_file_dialogs.h"
#include "shell/window/screenshots.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvendel"));
    QApplication::setApplicationVersion(QStringLiteral(ORVENDEL_VERSION));
    QIcon icon;
    for (const int size : {16, 32, 64, 256}) {
        icon.addFile(QStringLiteral(":/orvendel/orvendel-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits the camera limits of Neverwinter Nights in nwmain.exe."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption pathOption(
        QStringLiteral("path"),
        QStringLiteral("Propose <file> as the game's executable instead of looking for the game."),
        QStringLiteral("file"));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Write pictures of every page into <folder>, then quit."),
        QStringLiteral("folder"));
    parser.addOption(pathOption);
    parser.addOption(screenshotOption);
    parser.process(app);

    orvendel::MainWindow::Locator locate;
    if (parser.isSet(pathOption)) {
        locate = [path = parser.value(pathOption)] { return path; };
    } else {
        // The locate layer answers in the system's code page (UTF-8 outside Windows).
        locate = [] { return QString::fromLocal8Bit(orvendel::proposedExecutablePath()); };
    }

    orvendel::QtMessageBoxes messages;
    orvendel::QtFileDialogs dialogs;
    orvendel::MainWindow window(messages, dialogs, locate);
    messages.setParentWidget(&window);
    window.show();

    if (parser.isSet(screenshotOption)) {
        int status = 0;
        QTimer::singleShot(0, &window, [&] {
            const QString error =
                orvendel::writeScreenshots(window, parser.value(screenshotOption));
            if (!error.isEmpty()) {
                std::fprintf(stderr, "orvendel: %s\n", qPrintable(error));
                status = 1;
            }
            window.close();
        });
        const int loop = QApplication::exec();
        return status != 0 ? status : loop;
    }
    return QApplication::exec();
}
