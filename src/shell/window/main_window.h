// SPDX-License-Identifier: MIT
#pragma once

#include <QMargins>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>

#include "camera/camera_settings.h"
#include "patcher/patch_run.h"
#include "shell/window/progress_window.h"

class QScrollArea;
class QThread;

namespace orvendel {

class FileDialogs;
class LocationPage;
class MessageBoxes;
class RememberedPlaces;
class SettingsPage;

// The main window: a two-step wizard whose location page confirms where nwmain.exe
// lies and whose settings page edits the camera record and writes it back. It owns the record,
// its undo snapshot, the recognised revision and the viewing-distance warning flag for its
// whole life, and runs every patch run through the modal progress window.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // What the search for the game at start-up found: the paths of its copies, the first one
    // proposed, the launcher or setting that led to each ("Lutris"; missing or empty when not
    // known), and when there is none a line saying where it looked. A lone path converts.
    struct LocatedGames {
        LocatedGames() = default;
        LocatedGames(const QString& path)
            : paths(path.isEmpty() ? QStringList() : QStringList{path}) {}
        LocatedGames(QStringList found, QString notFoundLine, QStringList launcherNames = {})
            : paths(std::move(found)),
              notFound(std::move(notFoundLine)),
              launchers(std::move(launcherNames)) {}

        QStringList paths;
        QString notFound;
        QStringList launchers;  // by the index of paths
    };
    // Searches for the game at start-up.
    using Locator = std::function<LocatedGames()>;

    // The window asks its questions through `messages` and its file dialogs through `dialogs`,
    // and keeps the last executable read and the last settings folder in `places`; all three
    // must outlive it. The path box starts with the first of `found`, the list offers every
    // copy, or, when none was found, the box offers the remembered executable if it is still
    // there, else the note says where the search looked.
    MainWindow(MessageBoxes& messages, FileDialogs& dialogs, RememberedPlaces& places,
               const LocatedGames& found, QWidget* parent = nullptr);
    // The same, but the window starts with an empty path box and runs `locate` on a thread of
    // its own, while the page says that it is searching. When the search ends its outcome is
    // shown as above, except that a path the player typed or browsed to in the meantime stays
    // in the box. The search thread holds nothing of the window: a window closed and destroyed
    // meanwhile leaves the search to end on its own, and its outcome goes nowhere.
    MainWindow(MessageBoxes& messages, FileDialogs& dialogs, RememberedPlaces& places,
               Locator locate, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Whether the start-up search still runs.
    bool searching() const;

    // The record and what travels with it.
    CameraState& state() { return state_; }
    const CameraState& state() const { return state_; }

    LocationPage* locationPage() const { return locationPage_; }
    // Holds both pages at the layout's size; it scrolls when the window is smaller.
    QScrollArea* pageScroller() const { return scroller_; }
    SettingsPage* settingsPage() const { return settingsPage_; }
    ProgressWindow* progressWindow() const { return progressWindow_; }

    // One complete reading or writing run on the file named by the path box: the checks and
    // questions before it (read-only state; before writing, write permission and other names
    // of the file), then the run inside the modal progress window with the wait cursor on this
    // window. The run works on a thread of its own on a copy of the record, which replaces the
    // record when the run has ended. Returns when the progress window has been hidden, or at
    // once when the checks refused. A reading run that did not get the values keeps the
    // progress window until OK, so that the user sees why; a writing run always does. A
    // temporary file left by an earlier run that could not be removed is reported in a message
    // box once the progress window has gone.
    void readExecutable();
    void writeExecutable();

signals:
    // The start-up search has ended and its outcome is shown.
    void searchEnded();

protected:
    // Refused while a run works; otherwise the window closes, and the program ends with it.
    void closeEvent(QCloseEvent* event) override;
    // The first show fits the window to its screen once more, with the frame the window
    // system has now given it.
    void showEvent(QShowEvent* event) override;

private:
    // Sizes the window to the pages, or to the room its screen has for it (frame included)
    // where they do not fit, and centres it there.
    void fitToScreen();
    // The frame the window system puts round the window, or an allowance for one while the
    // window is not yet shown.
    QMargins expectedFrame() const;
    // Scrolls the pages so that `focused`, if it lies on them, is in view.
    void scrollToFocus(QWidget* focused);
    // The path box, its list of copies and the note filled from what a search found; a path
    // already in the box is kept.
    void showLocatedGames(const LocatedGames& found);
    // Enables "Next >" only while the path box names an existing file called NWMAIN.EXE, and
    // "Restore Original" only while a copy of that file's original is kept.
    void updateButtons();
    void updateRestoreButton();
    // "Browse...": the file dialog, opening at the path box's text (when empty, at the remembered
    // executable); cancel keeps the text.
    void browseForExecutable();
    // "Next >": reading run, adaptation to the revision, push of the record, page switch.
    void readExecutableAndShowSettings();
    // "Cancel" and "Exit": end the program at once.
    void endProgram();
    // "Modify NWN": refused while the record holds no chosen values; otherwise height lists
    // into the record, the revision's warning, the writing run.
    void writeSettingsToExecutable();
    // "Restore Original": the question, then the original copy put back in the progress window.
    void restoreOriginalExecutable();
    // "Save Settings..." (never onto the executable; an existing file only after a question)
    // and "Load Settings...", both opening in the remembered settings folder.
    void saveSettings();
    void loadSettings();

    // The answer of the checks and questions before a run; a failure is shown in a message box.
    // True when the run may go ahead.
    bool consentGiven(const Result<RunConsent>& consent);
    // `run` on a copy of the record in the progress window; the record takes the copy's values
    // once the run has ended, unless it broke off with an exception.
    void runOnRecord(ProgressWindow::WhenDone whenDone,
                     RunResult (*run)(const std::filesystem::path&, CameraState&, ProgressSink&));
    // Runs `run` in the modal progress window with the wait cursor on this window; then shows
    // the run's clean-up failure, if any, in a message box.
    void runInProgressWindow(ProgressWindow::WhenDone whenDone,
                             const std::function<RunResult(ProgressSink&)>& run);

    QString executablePath() const;

    MessageBoxes& messages_;
    FileDialogs& dialogs_;
    RememberedPlaces& places_;
    CameraState state_;
    QScrollArea* scroller_ = nullptr;
    LocationPage* locationPage_;
    SettingsPage* settingsPage_;
    ProgressWindow* progressWindow_;
    QPointer<QThread> searchThread_;  // the start-up search, deleted once it has ended
    bool fittedOnShow_ = false;
    QMetaObject::Connection focusFollower_;  // scrolls the focused control into view
};

}  // namespace orvendel
