// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>

#include "camera/camera_settings.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace orvendel {

class LinearGauge;
class MessageBoxes;
class RoundGauge;

// The settings page: per camera mode an angle gauge, a zoom gauge, a
// viewing-distance gauge, a height list and an "FPS Mode!" button, the quick presets, and the
// page's window-level buttons.
//
// The page edits the record of a CameraState that the main window owns. The user's moves on
// the gauges are read into the record at once (with the interlocks of the editor logic); the
// height lists reach the record only through readHeights(). The show functions push the record
// into the controls and never read a control back. "Modify NWN", "Exit", "Load Settings..."
// and "Save Settings..." are the window's: the page only raises their signals.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(CameraState& state, MessageBoxes& messages, QWidget* parent = nullptr);
    ~SettingsPage() override;

    CameraState& state() { return state_; }

    // Pushes the whole record into the controls: chase/top-down first, then drive.
    void showSettings();
    // Pushes one camera mode: viewing distance, scale 1, angle needles, height list, zoom gauge,
    // in that order. Changes no field and reads no control back.
    void showSettings(Camera camera);

    // Takes both height lists' selections into the record (chase/top-down, then drive); a list
    // without a selection leaves its field as it is. Called before writing the executable.
    void readHeights();

    // Restyles the page for the executable revision found by a read: revision 0 turns the drive
    // zoom gauge into a single bar pointer captioned "Zoom"; revision 1 hides the INS and DEL
    // needles and their labels, shows both zoom minima as fixed markers and hides both
    // "FPS Mode!" buttons; any other value (none recognised) shows both zoom minima as fixed
    // markers too and takes no moves on the drive zoom gauge. Every call starts from the
    // layout's design, so the last call wins. Call showSettings() afterwards.
    void adaptToRevision(int revision);

    // Preset commands, also run by their buttons: "Bioware Defaults" and "Undo Changes" replace
    // the whole record and push both modes; "FPS Mode!" replaces one mode's fields and pushes it.
    // The presets make the record writable (CameraState::valuesChosen); undo makes it writable
    // only when the snapshot holds the values of a recognised read.
    void applyBiowareDefaults();
    void undoChanges();
    void applyFirstPersonPreset(Camera camera);

    // Controls, for the window and for tests (each also carries its object name).
    RoundGauge* angleGauge(Camera camera) const;
    LinearGauge* zoomGauge(Camera camera) const;
    LinearGauge* distanceGauge(Camera camera) const;
    QComboBox* heightList(Camera camera) const;
    QPushButton* firstPersonButton(Camera camera) const;
    QPushButton* applyButton() const { return applyButton_; }
    QPushButton* exitButton() const { return exitButton_; }
    QPushButton* loadButton() const { return loadButton_; }
    QPushButton* saveButton() const { return saveButton_; }

signals:
    // "Modify NWN", "Exit", "Load Settings..." and "Save Settings..." were pressed.
    void applyRequested();
    void exitRequested();
    void loadRequested();
    void saveRequested();
    // A user's move on a gauge of `camera` was taken into the record.
    void recordEdited(orvendel::Camera camera);

private:
    struct Group;  // the controls of one camera mode

    // Creates the "Quick Presets" frame with its four buttons.
    void buildQuickPresets();
    // Creates the controls of one camera mode inside `frame` and applies their designs.
    void buildGroup(Camera camera, QGroupBox* frame);
    // Ties the gauges and the "FPS Mode!" button of one camera mode to their handlers.
    void connectGroup(Camera camera);
    Group& controls(Camera camera) const;

    // Run only by the user's moves: each takes its gauge's values into the record,
    // puts corrected values back onto the gauge and raises recordEdited().
    void readAngleGauge(Camera camera);
    void readZoomGauge(Camera camera);
    // Also shows the viewing-distance warning when it is due, once the move has returned.
    void readDistanceGauge(Camera camera);

    // Each sets its control from the record and changes nothing else.
    void showDistanceGauge(Camera camera);
    void updateGaugeScale(Camera camera);
    void showAngleGauge(Camera camera);
    void showHeight(Camera camera);
    void showZoomGauge(Camera camera);

    // Sets the gauges' accessible names, descriptions and tooltips for `revision`.
    void describeGauges(int revision);

    CameraState& state_;
    MessageBoxes& messages_;
    std::unique_ptr<Group> chase_;
    std::unique_ptr<Group> drive_;
    QPushButton* applyButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* loadButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* biowareButton_ = nullptr;
    QPushButton* undoButton_ = nullptr;
};

}  // namespace orvendel
