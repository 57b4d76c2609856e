#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "camera/camera_settings.h"

namespace orvendel {

class BusyForm;
class FileDialogs;
class LocationPage;
class MessageBoxes;
class SettingsPage;

// The main window (Form1): a two-step wizard whose location page confirms where nwmain.exe
// lies and whose settings page edits the camera record and writes it back. It owns the record,
// its undo snapshot, the recognised revision and the viewing-distance warning flag for its
// whole life, and runs every patch run through the modal progress window.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Gives the proposed path of the game's executable at start-up, or an empty text.
    using Locator = std::function<QString()>;

    // The window asks its questions through `messages` and its file dialogs through `dialogs`;
    // both must outlive it. `locate` is called once, here, to fill the path box.
    MainWindow(MessageBoxes& messages, FileDialogs& dialogs, const Locator& locate,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The record and what travels with it.
    CameraState& state() { return state_; }
    const CameraState& state() const { return state_; }

    LocationPage* locationPage() const { return locationPage_; }
    SettingsPage* settingsPage() const { return settingsPage_; }
    BusyForm* busyForm() const { return busyForm_; }

    // One complete patch run on the file named by the path box (ProcessData): the read-only
    // check and question, then the run inside the modal progress window with the wait cursor
    // on this window. Returns when the progress window has been hidden, or at once when the
    // read-only check refused.
    void processData(bool forReading);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Enables "Next >" only while the path box names an existing file called NWMAIN.EXE.
    void nwnChange();
    // "Browse...": the file dialog, opening at the path box's text; cancel keeps the text.
    void browseButtonClick();
    // "Next >": reading run, adaptation to the revision, push of the record, page switch.
    void next1Click();
    // "Cancel" and "Exit": end the program at once.
    void endProgram();
    // "Modify NWN": height lists into the record, the revision's warning, the writing run.
    void applyButtonClick();
    // "Save Settings..." and "Load Settings...".
    void saveSettingsClick();
    void loadSettingsClick();

    QString executablePath() const;

    MessageBoxes& messages_;
    FileDialogs& dialogs_;
    CameraState state_;
    LocationPage* locationPage_;
    SettingsPage* settingsPage_;
    BusyForm* busyForm_;
};

}  // namespace orvendel
