// SPDX-License-Identifier: MIT
// The settings page's wiring: user moves on the gauges reach the record with the interlocks'
// results shown, pushes never read, presets and undo, and the restyling per revision. The
// interlocks' edge cases belong to the camera editor tests.
#include "shell/editor/settings_page.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <cmath>
#include <memory>
#include <vector>

#include "../gauge_drags.h"
#include "camera/angle_editor.h"
#include "camera/distance_warning.h"
#include "camera/zoom_editor.h"
#include "scripted_message_boxes.h"

namespace orvendel {
namespace {

constexpr Camera kChase = Camera::ChaseTopDown;
constexpr Camera kDrive = Camera::Drive;

// A record as a read might leave it: values distinct where a test grabs one needle or pointer.
CameraSettings readRecord() {
    CameraSettings s = kBiowareDefaults;
    s.CTAngleMin = 20, s.CTAngleDef = 30, s.CTAngleIns = 70, s.CTAngleDel = 25;
    s.DAngleMin = 10, s.DAngleDef = 35, s.DAngleIns = 75, s.DAngleDel = 15;
    s.CTZoomMin = 5, s.CTZoomMax = 20, s.CTZoomDef = 12;
    s.DZoomMin = 6, s.DZoomMax = 22, s.DZoomDef = 14;
    s.CTClipDist = 40, s.DClipDist = 30;
    s.CTHeight = 1.7f, s.DHeight = 1.97f;
    return s;
}

class SettingsPageTest : public ::testing::Test {
protected:
    // Does what "Next >" does once a read found `revision`: snapshot, restyle, push.
    void open(std::int16_t revision, const CameraSettings& record = readRecord()) {
        state.settings = record;
        state.takeUndoSnapshot();
        state.revision = revision;
        page = std::make_unique<SettingsPage>(state, boxes);
        page->adaptToRevision(revision);
        page->showSettings();
        page->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    }
    void click(const char* name) {
        QTest::mouseClick(page->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }

    RoundGauge& angle(Camera c) { return *page->angleGauge(c); }
    LinearGauge& zoom(Camera c) { return *page->zoomGauge(c); }
    LinearGauge& distance(Camera c) { return *page->distanceGauge(c); }
    CameraSettings& record() { return state.settings; }

    CameraState state;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<SettingsPage> page;
};

TEST_F(SettingsPageTest, UserMovesReachTheRecordWithTheInterlocksResultsShown) {
    open(0);
    QSignalSpy edited(page.get(), &SettingsPage::recordEdited);
    dragNeedle(angle(kChase), kNeedleMinimum, 50);
    const float angleMinimum = record().CTAngleMin;
    EXPECT_NEAR(angleMinimum, 50, 2);
    EXPECT_EQ(angleMinimum, std::nearbyint(angleMinimum));  // whole degrees only
    EXPECT_EQ(record().CTAngleDef, angleMinimum);
    EXPECT_EQ(record().CTAngleDel, angleMinimum);
    EXPECT_EQ(angle(kChase).markerValue(kNeedleDefault), angleMinimum);
    EXPECT_EQ(angle(kChase).scaleStart(1), angleMinimum);
    EXPECT_EQ(angle(kChase).scaleExtent(1), 90 - angleMinimum);
    EXPECT_EQ(record().DAngleMin, 10);  // the other camera is untouched
    EXPECT_GE(edited.count(), 2);       // every step of the drag and the release

    dragPointer(zoom(kChase), kPointerMinimum, 25);
    const float zoomMinimum = record().CTZoomMin;
    EXPECT_NEAR(zoomMinimum, 25, 0.3);
    EXPECT_EQ(record().CTZoomMax, zoomMinimum);
    EXPECT_EQ(record().CTZoomDef, zoomMinimum);
    EXPECT_EQ(zoom(kChase).markerValue(kPointerMaximum), zoomMinimum);
    EXPECT_EQ(zoom(kChase).markerValue(kPointerDefault), zoomMinimum);
    EXPECT_EQ(zoom(kChase).bandStart(0), zoomMinimum);
    EXPECT_EQ(zoom(kChase).bandEnd(0), zoomMinimum);

    // The drive camera's single bar of revision 0 edits only the default, without interlock.
    LinearGauge& drive = zoom(kDrive);
    EXPECT_EQ(drive.markerCount(), 1);
    EXPECT_EQ(drive.labelCaption(0), "Zoom");
    EXPECT_EQ(drive.markerValue(0), 14);
    dragPointer(drive, 0, 2);
    EXPECT_NEAR(record().DZoomDef, 2, 0.3);
    EXPECT_EQ(record().DZoomMin, 6);

    // Height lists reach the record only through readHeights().
    QComboBox& list = *page->heightList(kChase);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Down);  // the user picks 1.80m
    EXPECT_EQ(record().CTHeight, 1.7f);
    page->readHeights();
    EXPECT_EQ(record().CTHeight, 1.8f);
    EXPECT_EQ(record().DHeight, 1.97f);
}

TEST_F(SettingsPageTest, RevisionOneKeepsTheInterlocksPinsTheZoomMinimaAndNeverReadsInsDel) {
    CameraSettings s = readRecord();
    s.DAngleIns = 12.25f, s.DAngleDel = -3.5f;
    open(1, s);
    RoundGauge& gauge = angle(kDrive);
    gauge.setMarkerValue(kNeedleIns, 80);  // hidden needles are never read
    gauge.setFocus();
    QTest::keyClick(&gauge, Qt::Key_2);  // the default angle, 35
    QTest::keyClick(&gauge, Qt::Key_Up);
    EXPECT_EQ(record().DAngleDef, 36);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&gauge, Qt::Key_PageDown);  // 6 springs back to the minimum of 10
    EXPECT_EQ(record().DAngleDef, 10);
    EXPECT_EQ(gauge.markerValue(kNeedleDefault), 10);
    dragNeedle(gauge, kNeedleDefault, 40);
    EXPECT_NEAR(record().DAngleDef, 40, 2);
    EXPECT_EQ(record().DAngleIns, 12.25f);
    EXPECT_EQ(record().DAngleDel, -3.5f);

    for (Camera c : {kChase, kDrive}) {
        EXPECT_FALSE(zoom(c).isMarkerDraggable(kPointerMinimum));
        dragPointer(zoom(c), kPointerMinimum, 9);
    }
    EXPECT_EQ(zoom(kChase).markerValue(kPointerMinimum), 5);
    EXPECT_EQ(record().CTZoomMin, 5);
    EXPECT_EQ(record().DZoomMin, 6);
    dragPointer(zoom(kDrive), kPointerMaximum, -1);  // stops at the pinned minimum
    EXPECT_EQ(record().DZoomMax, 6);
    EXPECT_EQ(record().DZoomDef, 6);
    EXPECT_EQ(zoom(kDrive).markerValue(kPointerMaximum), 6);
}

TEST_F(SettingsPageTest, PresetsChangeOnlyTheirCameraAndUndoGivesBackTheReadValuesEverywhere) {
    open(0);
    QTest::mouseClick(page->firstPersonButton(kDrive), Qt::LeftButton);
    CameraSettings expected = readRecord();
    orvendel::applyFirstPersonPreset(expected, kDrive);
    EXPECT_TRUE(sameBytes(record(), expected));
    EXPECT_EQ(angle(kDrive).markerValue(kNeedleMinimum), -45);
    EXPECT_EQ(angle(kDrive).scaleExtent(1), 135);
    EXPECT_EQ(zoom(kDrive).markerValue(0), -0.4f);
    EXPECT_EQ(zoom(kDrive).labelCaption(3), "FPS");
    EXPECT_EQ(angle(kChase).markerValue(kNeedleMinimum), 20);

    QTest::mouseClick(page->firstPersonButton(kChase), Qt::LeftButton);
    EXPECT_EQ(zoom(kChase).labelCaption(4), "");
    // A key move of the default into first-person range marks label 4 too.
    LinearGauge& gauge = zoom(kChase);
    gauge.setFocus();
    QTest::keyClick(&gauge, Qt::Key_3);
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(&gauge, Qt::Key_PageDown);
    EXPECT_EQ(record().CTZoomDef, -0.4f);  // stops at the minimum
    EXPECT_EQ(gauge.labelCaption(4), "FPS");

    // "Bioware Defaults", then "Undo Changes" gives back the read values everywhere.
    dragNeedle(angle(kChase), kNeedleDefault, 60);
    page->heightList(kDrive)->setCurrentIndex(2);
    click("BiowareBtn");
    EXPECT_TRUE(sameBytes(record(), kBiowareDefaults));
    EXPECT_EQ(angle(kChase).markerValue(kNeedleMinimum), 40);
    EXPECT_EQ(zoom(kDrive).markerValue(0), 6);  // still the single pointer of revision 0
    EXPECT_EQ(page->heightList(kDrive)->currentText(), "2.00m (Bioware Default)");

    for (int press = 0; press < 2; ++press) {
        click("UndoBtn");
        EXPECT_TRUE(sameBytes(record(), readRecord()));
        EXPECT_EQ(angle(kChase).markerValue(kNeedleDefault), 30);
        EXPECT_EQ(zoom(kChase).markerValue(kPointerDefault), 12);
        EXPECT_EQ(distance(kChase).markerValue(0), 40);
        EXPECT_EQ(page->heightList(kDrive)->currentIndex(), 10);
    }
    EXPECT_TRUE(sameBytes(state.undoSnapshot, readRecord()));
}

TEST_F(SettingsPageTest, DistanceWarningComesOnceBeyondFortyFiveAndOnlyWhenADragEnds) {
    CameraSettings s = readRecord();
    s.CTClipDist = 44;
    open(0, s);
    LinearGauge& chase = distance(kChase);
    chase.setFocus();
    QTest::keyClick(&chase, Qt::Key_Up);
    EXPECT_EQ(record().CTClipDist, 45);
    EXPECT_TRUE(boxes.shown().isEmpty());  // exactly 45 is not beyond

    dragPointer(distance(kDrive), 0, 200, /*release=*/false);
    EXPECT_EQ(record().DClipDist, 30);
    EXPECT_TRUE(boxes.shown().isEmpty());
    QTest::mouseRelease(&distance(kDrive), Qt::LeftButton, Qt::NoModifier,
                        distance(kDrive).pointerGrabPoint(0).toPoint());
    EXPECT_NEAR(record().DClipDist, 200, 2);
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().front().kind, ScriptedMessageBoxes::Kind::Inform);
    EXPECT_EQ(boxes.shown().front().icon, MessageBoxes::Icon::None);
    EXPECT_EQ(boxes.shown().front().text.toStdString(), kDistanceWarningText);
    EXPECT_TRUE(state.distanceWarningShown);

    QTest::keyClick(&chase, Qt::Key_PageUp);
    EXPECT_EQ(record().CTClipDist, 55);  // the distance stays as the user set it
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.shown().size(), 1);
}

// A screen reader's call returns before the warning it raised is shown.
TEST_F(SettingsPageTest, ADistanceSetByAScreenReaderReturnsBeforeItsWarningShows) {
    open(1);
    QAccessibleInterface* gauge = QAccessible::queryAccessibleInterface(&distance(kDrive));
    ASSERT_NE(gauge->valueInterface(), nullptr);
    gauge->valueInterface()->setCurrentValue(120.0);
    EXPECT_EQ(record().DClipDist, 120.0f);
    EXPECT_TRUE(boxes.shown().isEmpty()) << "the warning came inside the call";
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().front().text.toStdString(), kDistanceWarningText);
}

TEST_F(SettingsPageTest, APushNeitherReadsNorWarnsNorChangesTheRecord) {
    CameraSettings s = readRecord();
    s.CTClipDist = 300, s.DClipDist = 200;
    open(0, s);
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    spies.push_back(std::make_unique<QSignalSpy>(page.get(), &SettingsPage::recordEdited));
    for (GaugeWidget* g : page->findChildren<GaugeWidget*>()) {
        spies.push_back(std::make_unique<QSignalSpy>(g, &GaugeWidget::markerMoved));
        spies.push_back(std::make_unique<QSignalSpy>(g, &GaugeWidget::markerReleased));
    }
    ASSERT_EQ(spies.size(), 13u) << "six gauges";
    // Controls that disagree with the record: a push in the wrong order, or one that read the
    // controls back, would take these into the record.
    angle(kChase).setMarkerValue(kNeedleMinimum, 80);
    zoom(kChase).setMarkerValue(kPointerMinimum, 29);
    zoom(kDrive).setMarkerValue(0, -1);
    page->heightList(kChase)->setCurrentIndex(13);
    const CameraSettings before = record();

    page->showSettings();
    EXPECT_TRUE(sameBytes(record(), before));
    EXPECT_EQ(angle(kChase).markerValue(kNeedleMinimum), 20);
    EXPECT_EQ(angle(kDrive).markerValue(kNeedleDel), 15);
    EXPECT_EQ(zoom(kChase).markerValue(kPointerMinimum), 5);
    EXPECT_EQ(distance(kDrive).markerValue(0), 200);
    EXPECT_EQ(page->heightList(kChase)->currentText(), "1.65m Half-Elf Female, Human Female");
    EXPECT_EQ(page->heightList(kDrive)->currentText(), "1.97m Half-Orc Male");

    click("BiowareBtn");
    click("UndoBtn");
    QTest::mouseClick(page->firstPersonButton(kChase), Qt::LeftButton);
    QTest::mouseClick(page->firstPersonButton(kDrive), Qt::LeftButton);
    for (const auto& spy : spies)
        EXPECT_EQ(spy->count(), 0);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_FALSE(state.distanceWarningShown);
}

TEST_F(SettingsPageTest, EachAdaptationStartsFromTheDesignAndWindowButtonsOnlyRaiseSignals) {
    open(1);
    for (Camera c : {kChase, kDrive}) {
        EXPECT_TRUE(page->firstPersonButton(c)->isHidden());
        EXPECT_EQ(angle(c).markerCount(), 2);
        EXPECT_EQ(angle(c).labelCount(), 2);
        EXPECT_FALSE(angle(c).toolTip().contains("INS"));
        EXPECT_TRUE(zoom(c).toolTip().contains("fixed"));
    }
    page->adaptToRevision(0);
    EXPECT_FALSE(page->firstPersonButton(kChase)->isHidden());
    EXPECT_EQ(angle(kDrive).markerCount(), 4);
    EXPECT_TRUE(zoom(kChase).isMarkerDraggable(kPointerMinimum));
    EXPECT_EQ(zoom(kDrive).markerCount(), 1);
    page->adaptToRevision(kRevisionUnknown);
    EXPECT_EQ(zoom(kDrive).markerCount(), 3);
    EXPECT_EQ(zoom(kDrive).labelCaption(0), "Zoom Min");
    EXPECT_TRUE(angle(kChase).toolTip().contains("DEL key angle"));
    // Nothing would be read from the drive zoom gauge, so it takes no moves at all.
    EXPECT_FALSE(zoom(kDrive).isEnabled());
    page->adaptToRevision(1);
    EXPECT_TRUE(zoom(kDrive).isEnabled());

    // Frames hold their controls, and the window's buttons only raise signals.
    auto parentOf = [&](const char* name) {
        return page->findChild<QWidget*>(QLatin1String(name))->parentWidget()->objectName();
    };
    EXPECT_EQ(parentOf("LoadSettings"), "Frame1");
    EXPECT_EQ(parentOf("CTGauge"), "Frame3");
    EXPECT_EQ(parentOf("DZoomGauge"), "Frame2");
    EXPECT_EQ(page->findChild<QGroupBox*>("Frame3")->title(), "Chase and Top Down Camera Settings");
    EXPECT_EQ(page->heightList(kDrive)->palette().color(QPalette::Window), QColor(0, 0, 0));
    EXPECT_EQ(page->heightList(kDrive)->palette().color(QPalette::ButtonText), QColor(255, 255, 0));

    QSignalSpy apply(page.get(), &SettingsPage::applyRequested);
    QSignalSpy exit(page.get(), &SettingsPage::exitRequested);
    QSignalSpy load(page.get(), &SettingsPage::loadRequested);
    QSignalSpy save(page.get(), &SettingsPage::saveRequested);
    page->heightList(kChase)->setCurrentIndex(0);
    for (QPushButton* b :
         {page->applyButton(), page->exitButton(), page->loadButton(), page->saveButton()})
        QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(apply.count() + exit.count() + load.count() + save.count(), 4);
    EXPECT_EQ(apply.count() * exit.count() * load.count() * save.count(), 1);
    EXPECT_TRUE(sameBytes(record(), readRecord()));  // heights wait for the window's call
}

// Sends a mouse event at a point between pixels, as scaled screens and tablets give them.
void sendMouse(QWidget& widget, QEvent::Type type, const QPointF& at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

TEST_F(SettingsPageTest, AGrabMovesNoValueAndAJitterRoundsNoneUpToPushAnother) {
    CameraSettings s = readRecord();
    s.CTAngleMin = 50, s.CTAngleDef = 50;
    s.DAngleMin = 9.5f;  // a fraction as a file may hold it
    open(1, s);

    // A press, a move that stays where it pressed, a release: nothing changes.
    RoundGauge& drive = angle(kDrive);
    const QPointF on = drive.pointForValue(9.5, 0.6);
    for (QEvent::Type type :
         {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease})
        sendMouse(drive, type, on);
    EXPECT_EQ(record().DAngleMin, 9.5f);
    EXPECT_EQ(drive.markerValue(kNeedleMinimum), 9.5);

    // Half a degree up first, then down to the end: the default stays where it was.
    RoundGauge& chase = angle(kChase);
    sendMouse(chase, QEvent::MouseButtonPress, chase.pointForValue(50, 0.6));
    sendMouse(chase, QEvent::MouseMove, chase.pointForValue(50.6, 0.6));
    EXPECT_EQ(record().CTAngleMin, 50);
    sendMouse(chase, QEvent::MouseMove, chase.pointForValue(-90, 0.6));
    sendMouse(chase, QEvent::MouseButtonRelease, chase.pointForValue(-90, 0.6));
    EXPECT_EQ(record().CTAngleMin, -90);
    EXPECT_EQ(record().CTAngleDef, 50);
}

// A page on a file of neither revision shows the record as the read left it, on every gauge.
TEST_F(SettingsPageTest, AnUnrecognisedFilesPageShowsTheRecordWithoutDesignStateOrCrossedPointers) {
    CameraSettings s{};
    s.CTZoomMin = 5;  // an unrecognised read leaves the minimum above the maximum of 0
    s.DZoomMin = 2, s.DZoomMax = 12, s.DZoomDef = 7;
    open(kRevisionUnknown, s);
    for (Camera c : {kChase, kDrive}) {
        SCOPED_TRACE(c == kChase ? "chase" : "drive");
        const LinearGauge& gauge = zoom(c);
        const CameraGroup g = group(record(), c);
        EXPECT_EQ(gauge.markerCount(), 3);
        EXPECT_EQ(gauge.markerValue(kPointerMinimum), g.ZoomMin);
        EXPECT_EQ(gauge.markerValue(kPointerMaximum), g.ZoomMax);
        EXPECT_EQ(gauge.markerValue(kPointerDefault), g.ZoomDef);
        EXPECT_EQ(gauge.bandStart(0), g.ZoomMin);
        EXPECT_EQ(gauge.bandEnd(0), g.ZoomMax);
        const QStringList captions{"Zoom Min", "Zoom Default", "Zoom Max", "", ""};
        for (int i = 0; i < captions.size(); ++i)
            EXPECT_EQ(gauge.labelCaption(i), captions[i]) << "label " << i;
        // The minimum's arrowhead points right and the maximum's left: one right of the other
        // would cross them.
        const bool arrowheads = gauge.markerPainter(kPointerMinimum).shape() ==
                                    LinearGauge::PointerShape::LeftArrowhead &&
                                gauge.markerPainter(kPointerMaximum).shape() ==
                                    LinearGauge::PointerShape::RightArrowhead;
        EXPECT_FALSE(arrowheads && gauge.pointerPolygon(kPointerMinimum).boundingRect().left() >
                                       gauge.pointerPolygon(kPointerMaximum).boundingRect().left())
            << "crossed pointers";
    }
}

// Typed values and values set by assistive technology are user moves: the interlocks apply.
TEST_F(SettingsPageTest, TypedAndAssistedValuesGoThroughTheInterlocksAsADragWould) {
    open(0);
    page->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    const auto type = [](GaugeWidget& gauge, int marker, const char* text) {
        gauge.setFocus();
        QTest::keyClick(&gauge, static_cast<Qt::Key>(Qt::Key_1 + marker));
        QTest::keyClick(&gauge, Qt::Key_Return);
        ASSERT_NE(gauge.valueEditor(), nullptr);
        QTest::keyClicks(gauge.valueEditor(), text);
        QTest::keyClick(gauge.valueEditor(), Qt::Key_Return);
    };
    type(angle(kChase), kNeedleMinimum, "50");  // above the default of 30
    EXPECT_EQ(record().CTAngleMin, 50.0f);
    EXPECT_EQ(record().CTAngleDef, 50.0f);
    EXPECT_EQ(record().CTAngleDel, 50.0f);
    type(zoom(kChase), kPointerMaximum, "3");  // below the minimum of 5
    EXPECT_EQ(record().CTZoomMin, 3.0f);
    EXPECT_EQ(record().CTZoomDef, 3.0f);

    // The default angle set below the minimum springs back.
    QAccessibleInterface* needle =
        QAccessible::queryAccessibleInterface(&angle(kChase))->child(kNeedleDefault);
    needle->valueInterface()->setCurrentValue(10.0);
    EXPECT_EQ(record().CTAngleDef, 50.0f);
    EXPECT_EQ(needle->valueInterface()->currentValue().toDouble(), 50);
}

}  // namespace
}  // namespace orvendel
