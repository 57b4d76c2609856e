// SPDX-License-Identifier: MIT
// The desktop program: the main window on the path proposed by the game's location.
#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <memory>

#include "locate/game_location.h"
#include "shell/application_identity.h"
#include "shell/editor/qt_message_boxes.h"
#include "shell/translations.h"
#include "shell/window/location_page.h"
#include "shell/window/main_window.h"
#include "shell/window/qt_file_dialogs.h"
#include "shell/window/remembered_places.h"
#include "shell/window/screenshots.h"
#include "version.h"

namespace {

// The options that QApplication takes for itself (QGuiApplication's and QApplication's), known
// to the parser so that they are not refused before the application has taken them.
struct QtOption {
    const char* name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"session", true},
    {"display", true},         {"geometry", true},
    {"style", true},           {"stylesheet", true},
    {"qmljsdebugger", true},   {"dialogs", true},
    {"fontengine", true},      {"reverse", false},
    {"widgetcount", false},    {"nograb", false},
    {"dograb", false},
};

// Wrong arguments: what is wrong, the usage and where the whole help is, on standard error.
int usageError(const QString& message) {
    std::fprintf(stderr,
                 "orvendel: %s\n"
                 "usage: orvendel [--path FILE] [--screenshot FOLDER] [--language CODE] [FILE]\n"
                 "Try 'orvendel --help' for more.\n",
                 qPrintable(message));
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // A file-size limit (ulimit -f) is then an ordinary write error that the window reports,
    // naming the file, not a silent end of the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits the camera limits of Neverwinter Nights in nwmain.exe."));
    // Qt's own options are words after one dash ("-platform offscreen").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Displays version information."));
    const QCommandLineOption pathOption(
        QStringLiteral("path"),
        QStringLiteral("Propose <file> as the game's executable instead of looking for the game."),
        QStringLiteral("file"));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Write pictures of every page into <folder>, then quit."),
        QStringLiteral("folder"));
    const QCommandLineOption languageOption(
        QStringLiteral("language"),
        QStringLiteral("Speak <code> (en, or a translation such as de) instead of the system's "
                       "language."),
        QStringLiteral("code"));
    parser.addOption(versionOption);
    parser.addOption(languageOption);
    parser.addOption(pathOption);
    parser.addOption(screenshotOption);
    for (const QtOption& qt : kQtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name), QString(),
                                  qt.takesValue ? QStringLiteral("value") : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The same as --path <file>."),
                                 QStringLiteral("[file]"));

    // The arguments are checked before the QApplication exists, since it needs a display: so
    // --help, --version and wrong arguments are answered without one.
    QString language;
    {
        const QCoreApplication core(argc, argv);
        if (!parser.parse(QCoreApplication::arguments())) {
            return usageError(parser.errorText());
        }
        if (parser.isSet(helpOption)) {
            parser.showHelp();
        }
        if (parser.isSet(versionOption)) {
            std::printf("orvendel %.*s\n", static_cast<int>(orvendel::kVersion.size()),
                        orvendel::kVersion.data());
            return 0;
        }
        const QStringList files = parser.positionalArguments();
        if (files.size() > 1 || (!files.isEmpty() && parser.isSet(pathOption))) {
            return usageError(
                QStringLiteral("give one file, either as an argument or with --path"));
        }
        const QStringList available = orvendel::translatedLanguages();
        if (parser.isSet(languageOption)) {
            language = parser.value(languageOption).toLower();
            if (language != QLatin1String("en") && !available.contains(language)) {
                return usageError(
                    QStringLiteral("unknown language '%1' (en %2)")
                        .arg(parser.value(languageOption), available.join(QLatin1Char(' '))));
            }
        } else {
            language = orvendel::chooseLanguage(QLocale::system().uiLanguages(), available);
        }
    }

    QApplication app(argc, argv);
    orvendel::setApplicationIdentity();
    const auto translators = orvendel::installTranslations(language);
    // --help-all lists Qt's options too, which only the QApplication knows.
    parser.process(app);
    const QStringList files = parser.positionalArguments();

    // A file given on the command line is proposed as it stands; otherwise the window opens at
    // once and looks for the game meanwhile.
    orvendel::QtMessageBoxes messages;
    orvendel::QtFileDialogs dialogs;
    // Pictures are taken without reading or changing what the user's settings remember.
    orvendel::RememberedPlaces places(
        parser.isSet(screenshotOption) ? nullptr : orvendel::RememberedPlaces::userSettings());
    std::unique_ptr<orvendel::MainWindow> window;
    if (!files.isEmpty() || parser.isSet(pathOption)) {
        window = std::make_unique<orvendel::MainWindow>(
            messages, dialogs, places,
            orvendel::MainWindow::LocatedGames(files.isEmpty() ? parser.value(pathOption)
                                                               : files.first()));
    } else {
        window = std::make_unique<orvendel::MainWindow>(messages, dialogs, places, [] {
            const orvendel::GameSearch search = orvendel::searchGameExecutables();
            QStringList paths;
            QStringList launchers;
            // The locate layer answers in the system's code page (UTF-8 outside Windows).
            for (const orvendel::FoundGame& game : search.games) {
                paths << QString::fromLocal8Bit(game.executablePath);
                launchers << QString::fromLocal8Bit(orvendel::launcherName(game));
            }
            return orvendel::MainWindow::LocatedGames(
                paths, orvendel::LocationPage::notFoundNote(QString::fromLocal8Bit(search.places)),
                launchers);
        });
    }
    messages.setParentWidget(window.get());
    window->show();

    if (parser.isSet(screenshotOption)) {
        int status = 0;
        QTimer::singleShot(0, window.get(), [&] {
            const QString error =
                orvendel::writeScreenshots(*window, parser.value(screenshotOption));
            if (!error.isEmpty()) {
                std::fprintf(stderr, "orvendel: %s\n", qPrintable(error));
                status = 1;
            }
            window->close();
        });
        const int loop = QApplication::exec();
        return status != 0 ? status : loop;
    }
    return QApplication::exec();
}
