// SPDX-License-Identifier: MIT
// Moving values between the record and the settings page's controls: the user's moves read
// into the record, the record shown in the controls, the presets, and the page restyled for
// the revision a read recognised.
#include <QComboBox>
#include <QPushButton>
#include <array>

#include "camera/angle_editor.h"
#include "camera/distance_warning.h"
#include "camera/height_table.h"
#include "camera/zoom_editor.h"
#include "shell/core_texts.h"
#include "shell/editor/message_boxes.h"
#include "shell/editor/settings_page.h"
#include "shell/editor/settings_page_group.h"
#include "shell/gauges/gauge_designs.h"
#include "shell/gauges/linear_gauge.h"
#include "shell/gauges/round_gauge.h"

namespace orvendel {

namespace {

// Puts what the zoom editor shows onto the gauge; an empty entry leaves its part as it is.
void showZoomView(LinearGauge& gauge, const ZoomGaugeView& view) {
    for (int i = 0; i < kZoomPointerCount; ++i) {
        if (const auto& value = view.pointers[static_cast<std::size_t>(i)]) {
            gauge.setMarkerValue(i, *value);
        }
    }
    if (view.bandStart && view.bandEnd)
        gauge.setBand(0, *view.bandStart, *view.bandEnd);
    if (view.minimumFpsCaption)
        gauge.setLabelCaption(kZoomMinimumFpsLabel, windowText(*view.minimumFpsCaption));
    if (view.defaultFpsCaption)
        gauge.setLabelCaption(kZoomDefaultFpsLabel, windowText(*view.defaultFpsCaption));
}

}  // namespace

// Taking the user's moves into the record ---------------------------------------------------------

void SettingsPage::readAngleGauge(Camera camera) {
    RoundGauge& gauge = *controls(camera).angle;
    std::array<double, kAngleNeedleCount> needles{};
    for (int i = 0; i < kAngleNeedleCount; ++i) {
        needles[static_cast<std::size_t>(i)] = gauge.markerValue(i);
    }
    const AngleReadResult result = takeNeedles(state_.settings, camera, state_.revision, needles);
    gauge.setScaleStart(1, result.scale.start);
    gauge.setScaleExtent(1, result.scale.extent);
    for (int i = 0; i < kAngleNeedleCount; ++i) {
        if (const auto& value = result.putBack[static_cast<std::size_t>(i)]) {
            gauge.setMarkerValue(i, *value);
        }
    }
    emit recordEdited(camera);
}

void SettingsPage::readZoomGauge(Camera camera) {
    LinearGauge& gauge = *controls(camera).zoom;
    std::array<double, kZoomPointerCount> pointers{};
    for (int i = 0; i < kZoomPointerCount; ++i) {
        pointers[static_cast<std::size_t>(i)] = gauge.markerValue(i);
    }
    const ZoomGaugeView view =
        orvendel::readZoomGauge(state_.settings, camera, state_.revision, pointers);
    showZoomView(gauge, view);
    emit recordEdited(camera);
}

void SettingsPage::readDistanceGauge(Camera camera) {
    orvendel::readDistanceGauge(state_.settings, camera, controls(camera).distance->markerValue(0));
    emit recordEdited(camera);
    // The warning waits until the move has returned: a screen reader that set the distance must
    // get its answer at once, not when the box is closed.
    if (takeDistanceWarning(state_, group(state_.settings, camera).ClipDist)) {
        QMetaObject::invokeMethod(
            this, [this] { messages_.inform(windowText(kDistanceWarningText)); },
            Qt::QueuedConnection);
    }
}

void SettingsPage::readHeights() {
    readHeight(state_.settings.CTHeight, chase_->height->currentIndex());
    readHeight(state_.settings.DHeight, drive_->height->currentIndex());
}

// Showing the record in the controls --------------------------------------------------------------

void SettingsPage::showSettings() {
    showSettings(Camera::ChaseTopDown);
    showSettings(Camera::Drive);
}

void SettingsPage::showSettings(Camera camera) {
    showDistanceGauge(camera);
    updateGaugeScale(camera);
    showAngleGauge(camera);
    showHeight(camera);
    showZoomGauge(camera);
}

void SettingsPage::showDistanceGauge(Camera camera) {
    controls(camera).distance->setMarkerValue(0, group(state_.settings, camera).ClipDist);
}

void SettingsPage::updateGaugeScale(Camera camera) {
    const AngleScale scale = angleScaleFor(state_.settings, camera);
    controls(camera).angle->setScaleStart(1, scale.start);
    controls(camera).angle->setScaleExtent(1, scale.extent);
}

void SettingsPage::showAngleGauge(Camera camera) {
    const AngleNeedleValues values = needleValuesFor(state_.settings, camera, state_.revision);
    for (int i = 0; i < kAngleNeedleCount; ++i) {
        if (const auto& value = values[static_cast<std::size_t>(i)]) {
            controls(camera).angle->setMarkerValue(i, *value);
        }
    }
}

void SettingsPage::showHeight(Camera camera) {
    controls(camera).height->setCurrentIndex(heightItemFor(group(state_.settings, camera).Height));
}

void SettingsPage::showZoomGauge(Camera camera) {
    // Without a recognised revision the drive gauge takes no moves and the editor shows nothing
    // on it; it still shows the record's three values as revision 1 shows them, as the chase
    // gauge does, and not the design's pointers, band and captions.
    const bool recognised = state_.revision == 0 || state_.revision == 1;
    const std::int16_t shownAs = recognised ? state_.revision : std::int16_t{1};
    showZoomView(*controls(camera).zoom, orvendel::showZoomGauge(state_.settings, camera, shownAs));
}

// Presets ------------------------------------------------------------------------------------

void SettingsPage::applyBiowareDefaults() {
    state_.settings = kBiowareDefaults;
    state_.valuesChosen = true;
    showSettings();
}

void SettingsPage::undoChanges() {
    state_.restoreUndoSnapshot();
    showSettings();
}

void SettingsPage::applyFirstPersonPreset(Camera camera) {
    orvendel::applyFirstPersonPreset(state_.settings, camera);
    state_.valuesChosen = true;
    showSettings(camera);
}

// Revision styles ----------------------------------------------------------------------------

void SettingsPage::adaptToRevision(int revision) {
    for (Camera camera : {Camera::ChaseTopDown, Camera::Drive}) {
        Group& g = controls(camera);
        configureAngleGauge(*g.angle);
        configureZoomGauge(*g.zoom);
        g.fps->setVisible(revision != 1);
        if (revision == 1) {
            // INS and DEL are neither shown nor edited; needles and labels 2 and 3 go.
            g.angle->setMarkerCount(2);
            g.angle->setLabelCount(2);
        }
        if (revision != 0) {
            // The minimum zoom is pinned in revision 1 and taken by no gauge without a
            // recognised revision: it stays on the scale as a fixed hairline mark. Nor can a
            // minimum above the maximum, as an unrecognised file may leave them, cross the
            // maximum's arrowhead.
            g.zoom->setMarkerShape(kPointerMinimum, LinearGauge::PointerShape::Bar);
            g.zoom->setMarkerWidth(kPointerMinimum, 0.0);
            g.zoom->setMarkerDraggable(kPointerMinimum, false);
        }
    }
    // Without a recognised revision nothing on the drive zoom gauge is shown or read, so it
    // takes no moves that would silently come to nothing.
    drive_->zoom->setEnabled(revision == 0 || revision == 1);
    if (revision == 0) {
        // The drive gauge edits only the default zoom, with a single bar pointer.
        LinearGauge& zoom = *drive_->zoom;
        zoom.setMarkerCount(1);
        zoom.setBandCount(0);
        zoom.setMarkerShape(0, LinearGauge::PointerShape::Bar);
        zoom.setMarkerWidth(0, 0.02);
        //: Caption of the drive camera's single zoom pointer.
        zoom.setLabelCaption(0, tr("Zoom"));
        zoom.setLabelCaption(1, QString());
        zoom.setLabelCaption(2, QString());
        // The minimum's FPS caption now marks a first-person default; the default's caption
        // belonged to the three-pointer gauge and would otherwise keep its design text for good.
        zoom.setLabelCaption(kZoomDefaultFpsLabel, QString());
    }
    describeGauges(revision);
}

}  // namespace orvendel
