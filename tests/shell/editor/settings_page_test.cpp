#include "shell/editor/settings_page.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <iterator>
#include <memory>

#include "camera/angle_editor.h"
#include "camera/distance_warning.h"
#include "camera/zoom_editor.h"
#include "gauge_driver.h"
#include "shell/editor/scripted_message_boxes.h"
#include "shell/editor/settings_page_layout.h"
#include "shell/gauges/linear_gauge.h"
#include "shell/gauges/round_gauge.h"

namespace orvendel {
namespace {

using gauge_driver::dragNeedle;
using gauge_driver::dragPointer;
constexpr Camera kChase = Camera::ChaseTopDown;
constexpr Camera kDrive = Camera::Drive;

// A record as a read of the executable might leave it: every value distinct where the tests
// need to grab one needle or pointer without touching another.
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
        state.ExecutableRevision = revision;
        page = std::make_unique<SettingsPage>(state, boxes);
        page->adaptToRevision(revision);
        page->showSettings();
        page->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    }

    RoundGauge& angle(Camera c) { return *page->angleGauge(c); }
    LinearGauge& zoom(Camera c) { return *page->zoomGauge(c); }
    LinearGauge& distance(Camera c) { return *page->distanceGauge(c); }
    CameraSettings& record() { return state.settings; }

    CameraState state;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<SettingsPage> page;
};

// Angle gauges ---------------------------------------------------------------------------------

TEST_F(SettingsPageTest, MinimumNeedleDraggedAboveTheOthersPushesThemUpInRevisionZero) {
    open(0);
    QSignalSpy edited(page.get(), &SettingsPage::recordEdited);
    dragNeedle(angle(kChase), kNeedleMinimum, 50);

    const float minimum = record().CTAngleMin;
    EXPECT_NEAR(minimum, 50, 2);
    EXPECT_EQ(minimum, std::nearbyint(minimum));  // whole degrees only
    EXPECT_EQ(record().CTAngleDef, minimum);
    EXPECT_EQ(record().CTAngleDel, minimum);
    EXPECT_EQ(record().CTAngleIns, 70);  // already above
    EXPECT_EQ(angle(kChase).needleValue(kNeedleDefault), minimum);
    EXPECT_EQ(angle(kChase).needleValue(kNeedleDel), minimum);
    EXPECT_EQ(angle(kChase).scaleStart(1), minimum);
    EXPECT_EQ(angle(kChase).scaleExtent(1), 90 - minimum);
    EXPECT_EQ(record().CTAngleMax, 89);
    EXPECT_EQ(record().DAngleMin, 10);  // the other camera is untouched
    EXPECT_GE(edited.count(), 2);       // every step of the drag and the release
}

TEST_F(SettingsPageTest, DefaultNeedleBelowTheMinimumSpringsBackAndInsDelStayInRevisionOne) {
    CameraSettings s = readRecord();
    s.DAngleMin = 40, s.DAngleDef = 60, s.DAngleIns = 12.25f, s.DAngleDel = -3.5f;
    open(1, s);
    angle(kDrive).setNeedleValue(kNeedleIns, 80);  // hidden needles are never read
    dragNeedle(angle(kDrive), kNeedleDefault, 10);
    EXPECT_EQ(record().DAngleDef, 40);
    EXPECT_EQ(angle(kDrive).needleValue(kNeedleDefault), 40);
    EXPECT_EQ(record().DAngleIns, 12.25f);
    EXPECT_EQ(record().DAngleDel, -3.5f);
}

TEST_F(SettingsPageTest, NeedleDraggedPastTheEndStopsThere) {
    open(0);
    dragNeedle(angle(kChase), kNeedleDefault, 130);
    EXPECT_EQ(angle(kChase).needleValue(kNeedleDefault), 90);
    EXPECT_EQ(record().CTAngleDef, 90);
    dragNeedle(angle(kChase), kNeedleMinimum, -130);
    EXPECT_EQ(record().CTAngleMin, -90);
    EXPECT_EQ(angle(kChase).scaleExtent(1), 180);
}

TEST_F(SettingsPageTest, KeysPickAndMoveANeedleWithinTheInterlock) {
    open(0);
    RoundGauge& gauge = angle(kChase);
    gauge.setFocus();
    QTest::keyClick(&gauge, Qt::Key_2);  // the default angle
    QTest::keyClick(&gauge, Qt::Key_Up);
    EXPECT_EQ(record().CTAngleDef, 31);
    QTest::keyClick(&gauge, Qt::Key_PageDown);  // 21: still above the minimum of 20
    EXPECT_EQ(record().CTAngleDef, 21);
    QTest::keyClick(&gauge, Qt::Key_PageDown);  // 11 springs back to 20
    EXPECT_EQ(record().CTAngleDef, 20);
    EXPECT_EQ(gauge.needleValue(kNeedleDefault), 20);
    QTest::keyClick(&gauge, Qt::Key_4);  // DEL
    QTest::keyClick(&gauge, Qt::Key_Up);
    EXPECT_EQ(record().CTAngleDel, 26);
}

TEST_F(SettingsPageTest, AFractionFromTheRecordIsShownAndRoundedOnTheFirstMove) {
    CameraSettings s = readRecord();
    s.CTAngleDef = 39.5f;
    s.CTAngleIns = 40.5f;
    open(0, s);
    EXPECT_EQ(angle(kChase).needleValue(kNeedleDefault), 39.5);
    angle(kChase).setFocus();
    QTest::keyClick(&angle(kChase), Qt::Key_4);
    QTest::keyClick(&angle(kChase), Qt::Key_Up);
    EXPECT_EQ(record().CTAngleDef, 40);
    EXPECT_EQ(record().CTAngleIns, 40);
}

// Zoom gauges ----------------------------------------------------------------------------------

TEST_F(SettingsPageTest, RevisionZeroMinimumPointerDraggedAboveTheMaximumTakesBothAlong) {
    CameraSettings s = readRecord();
    s.CTZoomMin = 5, s.CTZoomMax = 20, s.CTZoomDef = 20;
    open(0, s);
    dragPointer(zoom(kChase), kPointerMinimum, 25);
    const float minimum = record().CTZoomMin;
    EXPECT_NEAR(minimum, 25, 0.3);
    EXPECT_EQ(record().CTZoomMax, minimum);
    EXPECT_EQ(record().CTZoomDef, minimum);
    EXPECT_EQ(zoom(kChase).pointerValue(kPointerMaximum), minimum);
    EXPECT_EQ(zoom(kChase).pointerValue(kPointerDefault), minimum);
    EXPECT_EQ(zoom(kChase).bandStart(0), minimum);
    EXPECT_EQ(zoom(kChase).bandEnd(0), minimum);
    EXPECT_EQ(zoom(kChase).labelCaption(3), "");
}

TEST_F(SettingsPageTest, RevisionZeroMinimumFollowsTheMaximumDown) {
    open(0);
    dragPointer(zoom(kChase), kPointerMaximum, 3);
    const float maximum = record().CTZoomMax;
    EXPECT_NEAR(maximum, 3, 0.3);
    EXPECT_EQ(record().CTZoomMin, maximum);
    EXPECT_EQ(record().CTZoomDef, maximum);
    EXPECT_EQ(zoom(kChase).pointerValue(kPointerMinimum), maximum);
}

TEST_F(SettingsPageTest, RevisionOneMinimaArePinnedFixedMarkers) {
    open(1);
    for (Camera c : {kChase, kDrive}) {
        LinearGauge& gauge = zoom(c);
        EXPECT_FALSE(gauge.isPointerDraggable(kPointerMinimum));
        const double before = gauge.pointerValue(kPointerMinimum);
        dragPointer(gauge, kPointerMinimum, 9);
        EXPECT_EQ(gauge.pointerValue(kPointerMinimum), before);
    }
    EXPECT_EQ(record().CTZoomMin, 5);
    EXPECT_EQ(record().DZoomMin, 6);

    // The maximum stops at the pinned minimum, and the default with it.
    dragPointer(zoom(kChase), kPointerMaximum, 3);
    EXPECT_EQ(record().CTZoomMax, 5);
    EXPECT_EQ(record().CTZoomDef, 5);
    EXPECT_EQ(zoom(kChase).pointerValue(kPointerMaximum), 5);
    dragPointer(zoom(kDrive), kPointerMaximum, -1);
    EXPECT_EQ(record().DZoomMax, 6);
    EXPECT_EQ(record().DZoomDef, 6);
}

TEST_F(SettingsPageTest, DefaultPointerReturnsBetweenMinimumAndMaximum) {
    open(1);
    dragPointer(zoom(kDrive), kPointerDefault, 28);
    EXPECT_EQ(record().DZoomDef, 22);
    EXPECT_EQ(zoom(kDrive).pointerValue(kPointerDefault), 22);
    dragPointer(zoom(kDrive), kPointerDefault, 1);
    EXPECT_EQ(record().DZoomDef, 6);
}

TEST_F(SettingsPageTest, FirstPersonZoomShowsFpsLabels) {
    open(0);
    QTest::mouseClick(page->firstPersonButton(kChase), Qt::LeftButton);
    EXPECT_EQ(zoom(kChase).labelCaption(3), "FPS");
    EXPECT_EQ(zoom(kChase).labelCaption(4), "");
    EXPECT_EQ(zoom(kChase).pointerValue(kPointerMinimum), -0.4f);

    QTest::mouseClick(page->firstPersonButton(kDrive), Qt::LeftButton);
    EXPECT_EQ(zoom(kDrive).pointerCount(), 1);
    EXPECT_EQ(zoom(kDrive).pointerValue(0), -0.4f);
    EXPECT_EQ(zoom(kDrive).labelCaption(3), "FPS");

    // A key move of the default into first-person range marks label 4 too.
    LinearGauge& gauge = zoom(kChase);
    gauge.setFocus();
    QTest::keyClick(&gauge, Qt::Key_3);
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(&gauge, Qt::Key_PageDown);
    EXPECT_EQ(record().CTZoomDef, -0.4f);  // stops at the minimum
    EXPECT_EQ(gauge.labelCaption(4), "FPS");
}

TEST_F(SettingsPageTest, RevisionZeroDriveGaugeEditsOnlyTheDefaultZoom) {
    open(0);
    LinearGauge& gauge = zoom(kDrive);
    EXPECT_EQ(gauge.pointerCount(), 1);
    EXPECT_EQ(gauge.labelCaption(0), "Zoom");
    EXPECT_EQ(gauge.labelCaption(1), "");
    EXPECT_EQ(gauge.labelCaption(2), "");
    EXPECT_EQ(gauge.labelCaption(4), "");  // no default pointer of its own to mark
    EXPECT_EQ(gauge.pointerValue(0), 14);
    dragPointer(gauge, 0, 2);
    EXPECT_NEAR(record().DZoomDef, 2, 0.3);
    EXPECT_EQ(record().DZoomMin, 6);  // no interlock
    EXPECT_EQ(record().DZoomMax, 22);
    EXPECT_EQ(zoom(kChase).pointerCount(), 3);
}

// Viewing distance -----------------------------------------------------------------------------

TEST_F(SettingsPageTest, DistanceWarningComesOnceBeyondFortyFiveForEitherGauge) {
    CameraSettings s = readRecord();
    s.CTClipDist = 44;
    open(0, s);
    LinearGauge& chase = distance(kChase);
    chase.setFocus();
    QTest::keyClick(&chase, Qt::Key_Up);
    EXPECT_EQ(record().CTClipDist, 45);
    EXPECT_TRUE(boxes.shown().isEmpty());  // exactly 45 is not beyond
    QTest::keyClick(&chase, Qt::Key_Up);
    EXPECT_EQ(record().CTClipDist, 46);
    ASSERT_EQ(boxes.shown().size(), 1);
    const ScriptedMessageBoxes::Shown& box = boxes.shown().front();
    EXPECT_EQ(box.kind, ScriptedMessageBoxes::Kind::Inform);
    EXPECT_EQ(box.title, "Orvendel");
    EXPECT_EQ(box.icon, MessageBoxes::Icon::None);
    EXPECT_EQ(box.text.toStdString(), kDistanceWarningText);
    EXPECT_TRUE(state.DistanceWarningShown);

    dragPointer(distance(kDrive), 0, 300);
    EXPECT_NEAR(record().DClipDist, 300, 2);
    QTest::keyClick(&chase, Qt::Key_PageUp);
    EXPECT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(record().CTClipDist, 56);  // the distance stays as the user set it
}

TEST_F(SettingsPageTest, DistanceIsReadWhenTheDragEnds) {
    open(1);
    dragPointer(distance(kDrive), 0, 200, /*release=*/false);
    EXPECT_EQ(record().DClipDist, 30);
    EXPECT_TRUE(boxes.shown().isEmpty());
    QTest::mouseRelease(&distance(kDrive), Qt::LeftButton, Qt::NoModifier,
                        gauge_driver::pointerPoint(distance(kDrive), 0));
    EXPECT_NEAR(record().DClipDist, 200, 2);
    EXPECT_EQ(boxes.shown().size(), 1);
}

// Pushes ---------------------------------------------------------------------------------------

TEST_F(SettingsPageTest, APushNeitherReadsNorWarnsNorChangesTheRecord) {
    CameraSettings s = readRecord();
    s.CTClipDist = 300, s.DClipDist = 200;
    open(0, s);
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    spies.push_back(std::make_unique<QSignalSpy>(page.get(), &SettingsPage::recordEdited));
    for (Camera c : {kChase, kDrive}) {
        spies.push_back(std::make_unique<QSignalSpy>(&angle(c), &RoundGauge::needleMoved));
        spies.push_back(std::make_unique<QSignalSpy>(&angle(c), &RoundGauge::needleReleased));
        spies.push_back(std::make_unique<QSignalSpy>(&zoom(c), &LinearGauge::pointerMoved));
        spies.push_back(std::make_unique<QSignalSpy>(&zoom(c), &LinearGauge::pointerReleased));
        spies.push_back(std::make_unique<QSignalSpy>(&distance(c), &LinearGauge::pointerMoved));
        spies.push_back(std::make_unique<QSignalSpy>(&distance(c), &LinearGauge::pointerReleased));
    }
    // Controls that disagree with the record: a push in the wrong order, or one that read the
    // controls back, would take these into the record.
    angle(kChase).setNeedleValue(kNeedleMinimum, 80);
    zoom(kChase).setPointerValue(kPointerMinimum, 29);
    zoom(kDrive).setPointerValue(0, -1);
    page->heightList(kChase)->setCurrentIndex(13);
    const CameraSettings before = record();

    page->showSettings();
    EXPECT_TRUE(sameBytes(record(), before));
    EXPECT_EQ(angle(kChase).needleValue(kNeedleMinimum), 20);
    EXPECT_EQ(zoom(kChase).pointerValue(kPointerMinimum), 5);
    EXPECT_EQ(page->heightList(kChase)->currentIndex(), 7);

    QTest::mouseClick(page->findChild<QPushButton*>("BiowareBtn"), Qt::LeftButton);
    QTest::mouseClick(page->findChild<QPushButton*>("UndoBtn"), Qt::LeftButton);
    QTest::mouseClick(page->firstPersonButton(kChase), Qt::LeftButton);
    QTest::mouseClick(page->firstPersonButton(kDrive), Qt::LeftButton);
    for (const auto& spy : spies)
        EXPECT_EQ(spy->count(), 0);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_FALSE(state.DistanceWarningShown);
}

TEST_F(SettingsPageTest, ShowSettingsPutsEveryFieldOnItsControl) {
    open(0);
    EXPECT_EQ(distance(kChase).pointerValue(0), 40);
    EXPECT_EQ(distance(kDrive).pointerValue(0), 30);
    EXPECT_EQ(angle(kDrive).needleValue(kNeedleIns), 75);
    EXPECT_EQ(angle(kDrive).needleValue(kNeedleDel), 15);
    EXPECT_EQ(angle(kDrive).scaleStart(1), 10);
    EXPECT_EQ(angle(kDrive).scaleExtent(1), 80);
    EXPECT_EQ(zoom(kChase).pointerValue(kPointerMaximum), 20);
    EXPECT_EQ(zoom(kChase).bandStart(0), 5);
    EXPECT_EQ(zoom(kChase).bandEnd(0), 20);
    EXPECT_EQ(page->heightList(kChase)->currentText(), "1.65m Half-Elf Female, Human Female");
    EXPECT_EQ(page->heightList(kDrive)->currentText(), "1.97m Half-Orc Male");
}

TEST_F(SettingsPageTest, RevisionOneShowNeverMovesInsAndDelNeedles) {
    open(1);
    angle(kChase).setNeedleValue(kNeedleIns, -60);
    page->showSettings();
    EXPECT_EQ(angle(kChase).needleValue(kNeedleIns), -60);
}

TEST_F(SettingsPageTest, WithoutARevisionTheDriveZoomGaugeIsLeftAlone) {
    open(kRevisionUnknown);
    EXPECT_EQ(zoom(kDrive).pointerCount(), 3);
    EXPECT_EQ(zoom(kDrive).labelCaption(0), "Zoom Min");
    zoom(kDrive).setPointerValue(kPointerMaximum, 17);
    page->showSettings();
    EXPECT_EQ(zoom(kDrive).pointerValue(kPointerMaximum), 17);
    EXPECT_EQ(zoom(kChase).pointerValue(kPointerMaximum), 20);
    // Nothing would be read, so the gauge takes no moves at all.
    EXPECT_FALSE(zoom(kDrive).isEnabled());
    dragPointer(zoom(kDrive), kPointerMaximum, 25);
    EXPECT_EQ(zoom(kDrive).pointerValue(kPointerMaximum), 17);
    EXPECT_EQ(record().DZoomMax, 22);
    page->adaptToRevision(1);
    EXPECT_TRUE(zoom(kDrive).isEnabled());
}

// Heights --------------------------------------------------------------------------------------

TEST_F(SettingsPageTest, HeightListsStartEmptyAndReachTheRecordOnlyThroughReadHeights) {
    SettingsPage fresh(state, boxes);
    for (Camera c : {kChase, kDrive}) {
        EXPECT_EQ(fresh.heightList(c)->count(), 14);
        EXPECT_EQ(fresh.heightList(c)->currentIndex(), -1);
        EXPECT_FALSE(fresh.heightList(c)->isEditable());
    }
    state.settings.CTHeight = 1.7f;
    fresh.readHeights();  // no selection keeps the field
    EXPECT_EQ(state.settings.CTHeight, 1.7f);

    open(0);
    QComboBox& list = *page->heightList(kChase);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Down);  // the user picks 1.80m
    EXPECT_EQ(list.currentIndex(), 8);
    EXPECT_EQ(record().CTHeight, 1.7f);
    page->readHeights();
    EXPECT_EQ(record().CTHeight, 1.8f);
    EXPECT_EQ(record().DHeight, 1.97f);
}

TEST_F(SettingsPageTest, APresetPutsTheListBackToTheRecordsHeight) {
    open(0);
    page->heightList(kDrive)->setCurrentIndex(2);
    page->applyBiowareDefaults();
    EXPECT_EQ(page->heightList(kChase)->currentText(), "1.00m (Bioware Default)");
    EXPECT_EQ(page->heightList(kDrive)->currentText(), "2.00m (Bioware Default)");
}

// Presets and undo -----------------------------------------------------------------------------

TEST_F(SettingsPageTest, BiowareDefaultsThenUndoGiveBackTheReadValuesEverywhere) {
    open(0);
    dragNeedle(angle(kChase), kNeedleDefault, 60);
    QTest::mouseClick(page->findChild<QPushButton*>("BiowareBtn"), Qt::LeftButton);
    EXPECT_TRUE(sameBytes(record(), kBiowareDefaults));
    EXPECT_EQ(angle(kChase).needleValue(kNeedleMinimum), 40);
    EXPECT_EQ(zoom(kDrive).pointerValue(0), 6);  // still the single pointer of revision 0
    EXPECT_EQ(zoom(kDrive).pointerCount(), 1);

    for (int press = 0; press < 2; ++press) {
        QTest::mouseClick(page->findChild<QPushButton*>("UndoBtn"), Qt::LeftButton);
        EXPECT_TRUE(sameBytes(record(), readRecord()));
        EXPECT_EQ(angle(kChase).needleValue(kNeedleDefault), 30);
        EXPECT_EQ(angle(kDrive).needleValue(kNeedleDel), 15);
        EXPECT_EQ(zoom(kChase).pointerValue(kPointerDefault), 12);
        EXPECT_EQ(distance(kChase).pointerValue(0), 40);
        EXPECT_EQ(page->heightList(kChase)->currentIndex(), 7);
        EXPECT_EQ(page->heightList(kDrive)->currentIndex(), 10);
    }
    EXPECT_EQ(state.ExecutableRevision, 0);
    EXPECT_TRUE(sameBytes(state.UndoSnapshot, readRecord()));
}

TEST_F(SettingsPageTest, UndoWithoutAReadGivesZeros) {
    open(kRevisionUnknown);
    state.UndoSnapshot = CameraSettings{};
    page->undoChanges();
    EXPECT_TRUE(sameBytes(record(), CameraSettings{}));
    EXPECT_EQ(page->heightList(kChase)->currentIndex(), 0);
    EXPECT_EQ(page->heightList(kDrive)->currentIndex(), 0);
}

TEST_F(SettingsPageTest, FirstPersonPresetChangesOnlyItsOwnCamera) {
    open(0);
    QTest::mouseClick(page->firstPersonButton(kDrive), Qt::LeftButton);
    CameraSettings expected = readRecord();
    orvendel::applyFirstPersonPreset(expected, kDrive);
    EXPECT_TRUE(sameBytes(record(), expected));
    EXPECT_EQ(angle(kDrive).needleValue(kNeedleMinimum), -45);
    EXPECT_EQ(angle(kDrive).scaleExtent(1), 135);
    EXPECT_EQ(angle(kChase).needleValue(kNeedleMinimum), 20);
    EXPECT_EQ(record().DAngleDel, record().DAngleMin);
}

// Revision styles ------------------------------------------------------------------------------

TEST_F(SettingsPageTest, RevisionOneHidesInsDelAndTheFirstPersonButtons) {
    open(1);
    for (Camera c : {kChase, kDrive}) {
        EXPECT_TRUE(page->firstPersonButton(c)->isHidden());
        EXPECT_EQ(angle(c).needleCount(), 2);
        EXPECT_EQ(angle(c).labelCount(), 2);
        EXPECT_EQ(zoom(c).pointerCount(), 3);
        EXPECT_FALSE(angle(c).toolTip().contains("INS"));
        EXPECT_TRUE(zoom(c).toolTip().contains("fixed"));
    }
}

TEST_F(SettingsPageTest, OtherRevisionsKeepTheDesign) {
    for (std::int16_t revision : {std::int16_t{0}, kRevisionUnknown}) {
        open(revision);
        for (Camera c : {kChase, kDrive}) {
            EXPECT_FALSE(page->firstPersonButton(c)->isHidden()) << revision;
            EXPECT_EQ(angle(c).needleCount(), 4);
            EXPECT_TRUE(zoom(c).isPointerDraggable(kPointerMinimum));
            EXPECT_FALSE(angle(c).accessibleName().isEmpty());
            EXPECT_TRUE(angle(c).toolTip().contains("DEL key angle"));
        }
        EXPECT_EQ(zoom(kChase).labelCaption(0), "Zoom Min");
    }
}

TEST_F(SettingsPageTest, TheLastAdaptationWins) {
    open(1);
    page->adaptToRevision(0);
    EXPECT_FALSE(page->firstPersonButton(kChase)->isHidden());
    EXPECT_EQ(angle(kDrive).needleCount(), 4);
    EXPECT_TRUE(zoom(kChase).isPointerDraggable(kPointerMinimum));
    EXPECT_EQ(zoom(kDrive).pointerCount(), 1);
}

// Layout ---------------------------------------------------------------------------------------

TEST_F(SettingsPageTest, EveryControlSitsInItsFrameAtItsPlace) {
    open(0);
    EXPECT_EQ(page->objectName(), "SettingsFrame");
    for (const ControlLayout& row : settingsPageLayout()) {
        auto* control = page->findChild<QWidget*>(QLatin1String(row.name));
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_EQ(control->geometry(), twipsRect(row.left, row.top, row.width, row.height))
            << row.name;
    }
    auto parentOf = [&](const char* name) {
        return page->findChild<QWidget*>(QLatin1String(name))->parentWidget()->objectName();
    };
    EXPECT_EQ(parentOf("LoadSettings"), "Frame1");
    EXPECT_EQ(parentOf("CTGauge"), "Frame3");
    EXPECT_EQ(parentOf("DZoomGauge"), "Frame2");
    EXPECT_EQ(parentOf("ApplyButton"), "SettingsFrame");
    EXPECT_EQ(page->findChild<QGroupBox*>("Frame3")->title(), "Chase and Top Down Camera Settings");
    for (const char* name : {"Label7", "Label13"}) {
        auto* label = page->findChild<QLabel*>(QLatin1String(name));
        EXPECT_EQ(label->text(), "Camera Height");
        EXPECT_LE(QFontMetricsF(label->font()).horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << name << " wraps";
    }
    EXPECT_EQ(page->applyButton()->text(), "Modify NWN");
    EXPECT_EQ(page->exitButton()->text(), "Exit");
}

TEST_F(SettingsPageTest, FramesListsAndLabelsAreYellowOnBlackButtonsKeepTheSystemColours) {
    open(0);
    for (const char* name : {"Frame1", "Frame2", "Frame3", "Label7", "CTHeight", "DHeight"}) {
        auto* w = page->findChild<QWidget*>(QLatin1String(name));
        EXPECT_EQ(w->palette().color(QPalette::Window), QColor(0, 0, 0)) << name;
        EXPECT_EQ(w->palette().color(w->foregroundRole()), QColor(255, 255, 0)) << name;
    }
    EXPECT_EQ(page->heightList(kDrive)->palette().color(QPalette::ButtonText), QColor(255, 255, 0));
    const QPalette system = QApplication::palette(page->applyButton());
    for (const char* name : {"ApplyButton", "BiowareBtn", "CTFPS"}) {
        auto* w = page->findChild<QPushButton*>(QLatin1String(name));
        EXPECT_EQ(w->palette().color(QPalette::Button), system.color(QPalette::Button)) << name;
        EXPECT_EQ(w->palette().color(QPalette::Window), system.color(QPalette::Window)) << name;
    }
}

TEST_F(SettingsPageTest, TabRunsByTabIndex) {
    open(0);
    // The next control that the Tab key reaches from `w`.
    auto nextTabStop = [](QWidget* w) {
        do {
            w = w->nextInFocusChain();
        } while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(w->window()));
        return w;
    };
    // DHeight (8), "Modify NWN" (10), "Exit" (11), CTGauge (13), ..., "Load Settings..." (28),
    // DZoomGauge (29)
    const char* order[] = {"DHeight",    "ApplyButton",  "CancelButton", "CTGauge",
                           "LGauge1",    "CTClipGauge",  "CTHeight",     "DGauge",
                           "DClipGauge", "CTFPS",        "DFPS",         "BiowareBtn",
                           "UndoBtn",    "SaveSettings", "LoadSettings", "DZoomGauge"};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        auto* w = page->findChild<QWidget*>(QLatin1String(order[i]));
        EXPECT_EQ(nextTabStop(w)->objectName(), order[i + 1]) << order[i];
    }
}

TEST_F(SettingsPageTest, WindowButtonsOnlyRaiseTheirSignals) {
    open(0);
    QSignalSpy apply(page.get(), &SettingsPage::applyRequested);
    QSignalSpy exit(page.get(), &SettingsPage::exitRequested);
    QSignalSpy load(page.get(), &SettingsPage::loadRequested);
    QSignalSpy save(page.get(), &SettingsPage::saveRequested);
    page->heightList(kChase)->setCurrentIndex(0);
    QTest::mouseClick(page->applyButton(), Qt::LeftButton);
    QTest::mouseClick(page->exitButton(), Qt::LeftButton);
    QTest::mouseClick(page->loadButton(), Qt::LeftButton);
    QTest::mouseClick(page->saveButton(), Qt::LeftButton);
    EXPECT_EQ(apply.count(), 1);
    EXPECT_EQ(exit.count(), 1);
    EXPECT_EQ(load.count(), 1);
    EXPECT_EQ(save.count(), 1);
    EXPECT_TRUE(sameBytes(record(), readRecord()));  // heights wait for the window's call
}

}  // namespace
}  // namespace orvendel
