// SPDX-License-Identifier: MIT
// The gauges' mouse, key and signal handling, typed values and the accessible interfaces, on the
// round angle gauge that has most of it and on the zoom gauge for what a linear gauge adds: its
// scale's place, drags by mouse distance, fixed pointers and the zoom's steps; and the scale map
// beneath both.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "shell/gauges/gauge_accessible.h"
#include "shell/gauges/gauge_designs.h"
#include "shell/gauges/linear_gauge.h"
#include "shell/gauges/round_gauge.h"
#include "shell/gauges/scale_map.h"

namespace orvendel {
namespace {

using testing::ElementsAre;
using testing::Pair;

TEST(ScaleMap, MapsBothWaysClampsAndKeepsNanIncludingReversedAndEmptyIntervals) {
    EXPECT_DOUBLE_EQ(ScaleMap(-1, 30, 14, 265).transform(30), 265);
    EXPECT_DOUBLE_EQ(ScaleMap(10, 350, 0, 340).transform(0), -10);  // extrapolates
    const ScaleMap upwards(0, 100, 200, 0);                         // y grows downwards
    EXPECT_DOUBLE_EQ(upwards.transform(25), 150);
    EXPECT_DOUBLE_EQ(upwards.invTransform(150), 25);
    // Empty intervals give their start instead of dividing by zero.
    EXPECT_DOUBLE_EQ(ScaleMap(5, 5, 10, 20).transform(7), 10);
    EXPECT_DOUBLE_EQ(ScaleMap(0, 10, 3, 3).invTransform(8), 0);
    // Clamps to the scale whichever way it runs, and keeps NaN.
    const ScaleMap backwards(30, -1, 0, 1);
    EXPECT_DOUBLE_EQ(backwards.clampToScale(31), 30);
    EXPECT_DOUBLE_EQ(backwards.clampToScale(-2), -1);
    EXPECT_DOUBLE_EQ(backwards.clampToScale(12.5), 12.5);
    EXPECT_TRUE(std::isnan(backwards.clampToScale(std::nan(""))));
}

// Presses at `from`, moves to `to` and releases there.
void dragMouse(QWidget& widget, QPoint from, QPoint to) {
    QTest::mousePress(&widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(&widget, to);
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, to);
}

// The angle gauge at its size in the window, needles at -10, 20, 45 and -10.
class RoundGaugeTest : public testing::Test {
protected:
    RoundGaugeTest() {
        configureAngleGauge(gauge);
        gauge.setFixedSize(174, 158);
        const double values[] = {-10, 20, 45, -10};
        for (int i = 0; i < 4; ++i)
            gauge.setMarkerValue(i, values[i]);
    }

    // The pixel where a needle standing at `value` passes, far out on the needle.
    QPoint at(double value) const { return gauge.pointForValue(value, 0.75).toPoint(); }

    RoundGauge gauge;
    QSignalSpy moved{&gauge, &GaugeWidget::markerMoved};
    QSignalSpy released{&gauge, &GaugeWidget::markerReleased};
};

TEST_F(RoundGaugeTest, ProgramValuesAreKeptAsSetAndTheReadoutIsTheSavedFloatShownWithFocus) {
    EXPECT_NEAR(gauge.pointForValue(0, 1).x(), gauge.centre().x() + gauge.radius(), 1e-9);
    EXPECT_NEAR(gauge.pointForValue(90, 1).y(), gauge.centre().y() - gauge.radius(), 1e-9);
    gauge.setMarkerValue(1, 120);  // beyond the arc: drawn at its end, kept as set
    EXPECT_DOUBLE_EQ(gauge.markerValue(1), 120);
    const struct {
        double value;
        const char* text;
    } rows[] = {{2.901235f, "2.901235°"}, {45, "45°"}, {-12, "-12°"}, {-0.0, "0°"}, {0.1, "0.1°"},
                {1e-7, "1e-07°"}};
    for (const auto& row : rows) {
        gauge.setMarkerValue(0, row.value);
        EXPECT_EQ(gauge.valueText(0), QString::fromUtf8(row.text)) << row.value;
    }
    EXPECT_FALSE(gauge.isValueTextShown());
    gauge.show();
    gauge.activateWindow();
    gauge.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&gauge));
    EXPECT_TRUE(gauge.isValueTextShown());
}

TEST_F(RoundGaugeTest, ValueAndSelectionNotifyTheirChangesByAnyPathButNotARepeat) {
    const QMetaObject* meta = gauge.metaObject();
    ASSERT_TRUE(meta->property(meta->indexOfProperty("value")).hasNotifySignal());
    ASSERT_TRUE(meta->property(meta->indexOfProperty("selectedMarker")).hasNotifySignal());
    const struct {
        const char* what;
        std::function<void()> act;
        QList<QList<QVariant>> values;  // valueChanged's arguments
        int selections;                 // selectedMarkerChanged's
    } rows[] = {
        {"program sets the selected needle", [&] { gauge.setMarkerValue(0, 12); }, {{12.0}}, 0},
        {"the same value again", [&] { gauge.setMarkerValue(0, 12); }, {}, 0},
        {"other needles", [&] { gauge.setMarkerValue(1, 30), gauge.setMarkerValue(2, 30); }, {}, 0},
        {"a key moves it", [&] { QTest::keyClick(&gauge, Qt::Key_Up); }, {{13.0}}, 0},
        {"the property", [&] { gauge.setProperty("value", -5.0); }, {{-5.0}}, 0},
        {"another value selected", [&] { QTest::keyClick(&gauge, Qt::Key_2); }, {{30.0}}, 1},
        {"an equal value selected", [&] { gauge.setSelectedMarker(2); }, {}, 1},
        {"selection taken away", [&] { gauge.setMarkerCount(2); }, {{-5.0}}, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QSignalSpy value{&gauge, &GaugeWidget::valueChanged};
        QSignalSpy selection{&gauge, &GaugeWidget::selectedMarkerChanged};
        row.act();
        EXPECT_TRUE(value == row.values) << value.size() << " emitted";
        EXPECT_EQ(selection.count(), row.selections);
    }
    EXPECT_EQ(moved.count() + released.count(), 2) << "the key alone moved as the user";
}

TEST_F(RoundGaugeTest, DragMovesOnlyItsNeedleKeepsTheGrabOffsetAndReleasesOnce) {
    QTest::mouseClick(&gauge, Qt::LeftButton, {}, at(45));
    EXPECT_EQ(moved.count() + released.count(), 0) << "a click without moving";
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(23));  // 3 degrees beside needle 1
    EXPECT_EQ(gauge.draggedMarker(), 1);
    EXPECT_TRUE(gauge.isValueTextShown());
    QTest::mouseMove(&gauge, at(33));
    QTest::mouseMove(&gauge, at(53));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(53));
    ASSERT_EQ(moved.count(), 2);
    EXPECT_EQ(moved.at(0).at(0).toInt(), 1);
    EXPECT_NEAR(moved.at(0).at(1).toDouble(), 30, 1.0);
    ASSERT_EQ(released.count(), 1);
    EXPECT_NEAR(gauge.markerValue(1), 50, 1.0);
    EXPECT_EQ(gauge.markerValue(1), std::round(gauge.markerValue(1))) << "whole degrees";
    EXPECT_DOUBLE_EQ(released.at(0).at(1).toDouble(), gauge.markerValue(1));
    EXPECT_EQ(gauge.draggedMarker(), -1);
    EXPECT_DOUBLE_EQ(gauge.markerValue(0), -10);
    EXPECT_DOUBLE_EQ(gauge.markerValue(2), 45);
}

TEST_F(RoundGaugeTest, DragStopsAtEitherEndAndReleaseReportsTheValueTheProgramPutBack) {
    const QPointF c = gauge.centre();
    gauge.setMarkerValue(2, 135);  // drawn at 90, grabbed there
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(90));
    ASSERT_EQ(gauge.draggedMarker(), 2);
    QTest::mouseMove(&gauge, (c + QPointF(-40, -30)).toPoint());  // up-left lies beyond 90
    EXPECT_DOUBLE_EQ(gauge.markerValue(2), 90);
    QTest::mouseMove(&gauge, (c + QPointF(-40, 30)).toPoint());  // down-left beyond -90
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, (c + QPointF(-40, 30)).toPoint());
    ASSERT_EQ(released.count(), 1);
    EXPECT_DOUBLE_EQ(released.at(0).at(1).toDouble(), -90);

    QObject::connect(&gauge, &GaugeWidget::markerMoved, [this](int index, double value) {
        if (index == 1 && value < gauge.markerValue(0))
            gauge.setMarkerValue(1, gauge.markerValue(0));
    });
    dragMouse(gauge, at(20), at(-30));
    ASSERT_EQ(released.count(), 2);
    EXPECT_DOUBLE_EQ(released.at(1).at(1).toDouble(), -10);
}

TEST_F(RoundGaugeTest, HiddenFixedAndNanNeedlesAreNeitherGrabbedNorSelected) {
    gauge.setMarkerCount(2);  // INS and DEL gone
    dragMouse(gauge, at(45), at(60));
    EXPECT_DOUBLE_EQ(gauge.markerValue(2), 45);
    QTest::keyClick(&gauge, Qt::Key_2);
    QTest::keyClick(&gauge, Qt::Key_3);
    EXPECT_EQ(gauge.selectedMarker(), 1);
    gauge.setMarkerDraggable(1, false);  // the selection moves to a needle that can move
    EXPECT_EQ(gauge.selectedMarker(), 0);
    dragMouse(gauge, at(20), at(60));
    EXPECT_DOUBLE_EQ(gauge.markerValue(1), 20);
    gauge.setMarkerDraggable(1, true);
    gauge.setMarkerValue(1, std::nan(""));
    QTest::keyClick(&gauge, Qt::Key_2);
    QTest::keyClick(&gauge, Qt::Key_Up);
    dragMouse(gauge, at(0), at(30));
    EXPECT_TRUE(std::isnan(gauge.markerValue(1)));
    EXPECT_EQ(moved.count() + released.count(), 0);
}

TEST_F(RoundGaugeTest, OfTwoNeedlesInOnePlaceTheSelectedOneIsGrabbed) {
    // Minimum and DEL share -10; without a selection among them the higher index is on top.
    const struct {
        Qt::Key key;
        int grabbed;
    } rows[] = {{Qt::Key_1, 0}, {Qt::Key_4, 3}, {Qt::Key_2, 3}};
    for (const auto& row : rows) {
        QTest::keyClick(&gauge, row.key);
        QTest::mousePress(&gauge, Qt::LeftButton, {}, at(-10));
        EXPECT_EQ(gauge.draggedMarker(), row.grabbed) << row.key;
        QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(-10));
    }
}

TEST_F(RoundGaugeTest, KeysSelectStepAndStopAtTheEndsWithOneNotificationEach) {
    const struct {
        Qt::Key key;
        int needle;
        double value;
    } rows[] = {{Qt::Key_Up, 1, 21},    {Qt::Key_PageDown, 1, 11}, {Qt::Key_Left, 1, 10},
                {Qt::Key_PageUp, 3, 0}, {Qt::Key_End, 2, 90},      {Qt::Key_Up, 2, 90},
                {Qt::Key_Home, 2, -90}};
    int moves = 0;
    for (const auto& row : rows) {
        QTest::keyClick(&gauge, static_cast<Qt::Key>(Qt::Key_1 + row.needle));
        const double before = gauge.markerValue(row.needle);
        QTest::keyClick(&gauge, row.key);
        EXPECT_DOUBLE_EQ(gauge.markerValue(row.needle), row.value) << row.key;
        moves += before != row.value ? 1 : 0;
        EXPECT_EQ(moved.count(), moves) << row.key;
        EXPECT_EQ(released.count(), moves) << row.key;
    }
}

TEST_F(RoundGaugeTest, TypedValuesLandOnWholeDegreesTiesToEvenAndTakeTheDegreeSign) {
    const struct {
        const char* text;
        double value;
    } rows[] = {{"44.5", 44}, {"45.5°", 46}, {"-0.4", 0}, {"120", 90}};
    for (const auto& row : rows) {
        ASSERT_TRUE(gauge.openValueEditor()) << row.text;
        gauge.valueEditor()->setText(QString::fromUtf8(row.text));
        QTest::keyClick(gauge.valueEditor(), Qt::Key_Return);
        EXPECT_EQ(gauge.markerValue(0), row.value) << row.text;
        EXPECT_FALSE(std::signbit(gauge.markerValue(0))) << row.text;
    }
    EXPECT_EQ(released.count(), 4);
}

TEST_F(RoundGaugeTest, ARefusedTypedValueSaysWhyBesideTheBoxAndTheBoxLeavesItsLegendClear) {
    gauge.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&gauge));
    gauge.setMarkerValue(1, 90);  // upright, its readout's place lies on "Default Angle"
    gauge.setSelectedMarker(1);
    ASSERT_TRUE(gauge.openValueEditor());
    QLineEdit* editor = gauge.valueEditor();
    const QList<DrawnText> texts = gauge.drawnTexts();
    const auto legend = std::ranges::find(texts, QString("Default Angle"), &DrawnText::text);
    ASSERT_NE(legend, texts.end());
    EXPECT_FALSE(QRectF(editor->geometry()).intersects(legend->box));

    for (const char* typed : {"abc", "12,5"}) {
        SCOPED_TRACE(typed);
        editor->setText(QString::fromLatin1(typed));
        QTest::keyClick(editor, Qt::Key_Return);
        ASSERT_EQ(gauge.valueEditor(), editor) << "the box stays open";
        const QLabel* note = editor->findChild<QLabel*>("RefusalNote");
        ASSERT_NE(note, nullptr);
        EXPECT_TRUE(note->isVisible());
        EXPECT_TRUE(note->text().contains("Not a number")) << note->text().toStdString();
        EXPECT_TRUE(note->text().contains("from -90 to 90")) << note->text().toStdString();
        // Beside the box: just below or above it, overlapping neither it nor far from it.
        const QRect box(editor->mapToGlobal(QPoint()), editor->size());
        const QRect beside = note->geometry();
        const int distance = std::max(beside.top() - box.bottom(), box.top() - beside.bottom());
        EXPECT_TRUE(distance > 0 && distance <= 8) << distance;
    }
    QTest::keyClicks(editor, "7");
    EXPECT_FALSE(editor->findChild<QLabel*>("RefusalNote")->isVisible()) << "gone once edited";
    EXPECT_EQ(released.count(), 0);
}

// Value changes announced by the gauges while a test listens: whose, and the new value.
std::vector<std::pair<QAccessibleInterface*, double>> announced;
void listen(QAccessibleEvent* event) {
    if (event->type() == QAccessible::ValueChanged)
        announced.emplace_back(
            event->accessibleInterface(),
            static_cast<QAccessibleValueChangeEvent*>(event)->value().toDouble());
}

TEST_F(RoundGaugeTest, AGaugeIsADialOrSliderWithOneNamedChildPerMarkerAndAnnouncesChanges) {
    const double values[] = {-10, 20, 45, -10};
    QAccessibleInterface* dial = QAccessible::queryAccessibleInterface(&gauge);
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(dial->role(), QAccessible::Dial);
    QAccessibleValueInterface* value = dial->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->minimumValue().toDouble(), -90);
    EXPECT_EQ(value->maximumValue().toDouble(), 90);
    EXPECT_EQ(value->minimumStepSize().toDouble(), 1);
    EXPECT_EQ(value->currentValue().toDouble(), -10);
    ASSERT_EQ(dial->childCount(), 4);
    const char* names[] = {"Minimum Angle", "Default Angle", "INS Key Angle", "DEL Key Angle"};
    for (int i = 0; i < 4; ++i) {
        QAccessibleInterface* needle = dial->child(i);
        ASSERT_NE(needle, nullptr);
        EXPECT_EQ(needle->text(QAccessible::Name), names[i]);
        EXPECT_EQ(needle->valueInterface()->currentValue().toDouble(), values[i]);
        EXPECT_EQ(needle->parent(), dial);
        EXPECT_EQ(dial->indexOfChild(needle), i);
    }
    EXPECT_EQ(dial->child(2)->text(QAccessible::Value), QString::fromUtf8("45°"));

    // Set through the interfaces: a user's move, limited to the range.
    dial->child(1)->valueInterface()->setCurrentValue(120.0);
    value->setCurrentValue(-30.4);  // the selected needle, 0
    ASSERT_EQ(released.count(), 2);
    EXPECT_EQ(gauge.markerValue(1), 90);
    EXPECT_EQ(gauge.markerValue(0), -30);

    announced.clear();
    const GaugeAccessible::Announcer previous = GaugeAccessible::setAnnouncer(listen);
    gauge.setMarkerValue(2, 33);            // by the program
    QTest::keyClick(&gauge, Qt::Key_Down);  // by the user, on the selected needle 0
    GaugeAccessible::setAnnouncer(previous);
    EXPECT_THAT(announced,
                ElementsAre(Pair(dial->child(2), 33), Pair(dial->child(0), -31), Pair(dial, -31)));

    // The zoom gauge names its pointers by their legends, whose order differs from theirs.
    LinearGauge zoom;
    configureZoomGauge(zoom);
    QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(&zoom);
    EXPECT_EQ(slider->role(), QAccessible::Slider);
    ASSERT_EQ(slider->childCount(), 3);
    int i = 0;
    for (const char* name : {"Zoom Min", "Zoom Max", "Zoom Default"})
        EXPECT_EQ(slider->child(i++)->text(QAccessible::Name), name);
    EXPECT_EQ(slider->valueInterface()->minimumValue().toDouble(), -1);
    EXPECT_EQ(slider->valueInterface()->maximumValue().toDouble(), 30);
}

// The zoom gauge at its size in the window, pointers at 5, 20 and 8.
class ZoomGaugeTest : public testing::Test {
protected:
    ZoomGaugeTest() {
        configureZoomGauge(gauge);
        gauge.setFixedSize(279, 59);
        gauge.setMarkerValue(0, 5);
        gauge.setMarkerValue(1, 20);
        gauge.setMarkerValue(2, 8);
    }

    QPoint grab(int pointer) const { return gauge.pointerGrabPoint(pointer).toPoint(); }
    // Shows the gauge, active and with the focus, for the value editor.
    void activate() {
        gauge.show();
        gauge.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&gauge));
        gauge.setFocus();
    }
    // Selects `pointer`, opens the editor with `opener` and types `text` over the value.
    QLineEdit* type(int pointer, Qt::Key opener, const char* text) {
        QTest::keyClick(&gauge, static_cast<Qt::Key>(Qt::Key_1 + pointer));
        QTest::keyClick(&gauge, opener);
        QLineEdit* editor = gauge.valueEditor();
        if (editor)
            QTest::keyClicks(editor, text);
        return editor;
    }
    // Scale units per pixel along the scale.
    double unitsPerPixel() const {
        const ScaleMap map = gauge.pixelMap();
        return (map.s2() - map.s1()) / (map.p2() - map.p1());
    }

    LinearGauge gauge;
    QSignalSpy moved{&gauge, &GaugeWidget::markerMoved};
    QSignalSpy released{&gauge, &GaugeWidget::markerReleased};
};

TEST_F(ZoomGaugeTest, ScaleSpansNinetyPercentAndDragsMoveByTheMouseDistanceUpToItsEnd) {
    EXPECT_DOUBLE_EQ(gauge.positionForValue(-1), 0.05 * 279);
    EXPECT_DOUBLE_EQ(gauge.positionForValue(30), 0.95 * 279);
    EXPECT_DOUBLE_EQ(gauge.pointerPolygon(0).boundingRect().right(), gauge.positionForValue(5));

    const QPoint start = grab(1);  // inside the arrowhead, right of its value
    QTest::mousePress(&gauge, Qt::LeftButton, {}, start);
    ASSERT_EQ(gauge.draggedMarker(), 1);
    EXPECT_DOUBLE_EQ(gauge.markerValue(1), 20);
    QTest::mouseMove(&gauge, start + QPoint(18, 3));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, start + QPoint(18, 3));
    EXPECT_NEAR(gauge.markerValue(1), 20 + 18 * unitsPerPixel(), 1e-9);
    dragMouse(gauge, grab(2), QPoint(gauge.width() + 40, grab(2).y()));
    EXPECT_DOUBLE_EQ(gauge.markerValue(2), 30);
}

TEST_F(ZoomGaugeTest, MoveWithoutTheButtonEndsADragWhoseReleaseWentElsewhere) {
    const QPoint start = grab(2);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, start);
    QTest::mouseMove(&gauge, start + QPoint(10, 0));
    const QPoint away = start + QPoint(40, 0);
    QMouseEvent move(QEvent::MouseMove, QPointF(away), QPointF(gauge.mapToGlobal(away)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&gauge, &move);
    EXPECT_EQ(gauge.draggedMarker(), -1);
    EXPECT_NEAR(gauge.markerValue(2), 8 + 10 * unitsPerPixel(), 1e-9);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(released.count(), 1);
}

TEST_F(ZoomGaugeTest, KeysStepATenthAndPagesAUnitAndAFixedBarLetsThePointerBelowBeGrabbed) {
    QTest::keyClick(&gauge, Qt::Key_3);
    QTest::keyClick(&gauge, Qt::Key_Right);
    EXPECT_NEAR(gauge.markerValue(2), 8.1, 1e-12);
    QTest::keyClick(&gauge, Qt::Key_PageDown);
    EXPECT_NEAR(gauge.markerValue(2), 7.1, 1e-12);
    EXPECT_EQ(gauge.valueText(2), "7.1") << "no suffix";

    gauge.setMarkerShape(0, LinearGauge::PointerShape::Bar);
    gauge.setMarkerWidth(0, 0.0);
    gauge.setMarkerDraggable(0, false);
    gauge.setMarkerValue(2, 5);  // the default under the fixed minimum
    QTest::mousePress(&gauge, Qt::LeftButton, {}, grab(0));
    EXPECT_EQ(gauge.draggedMarker(), 2);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, grab(0));
}

TEST_F(ZoomGaugeTest, EnterTakesTheTypedValueAsOneUserMoveWithinTheScale) {
    activate();
    const struct {
        Qt::Key opener;
        const char* text;  // typed over the value, which the editor opens selected
        double value;      // pointer 2 afterwards
        int releases;      // in all so far
    } rows[] = {{Qt::Key_Return, "12.25", 12.25, 1},
                {Qt::Key_F2, "99", 30, 2},  // beyond the scale: stops at its end
                {Qt::Key_Enter, " -7e-1 ", -0.7, 3},
                {Qt::Key_Return, "-0.7", -0.7, 3}};  // no change, no notification
    for (const auto& row : rows) {
        ASSERT_NE(type(2, row.opener, row.text), nullptr) << row.text;
        QTest::keyClick(gauge.valueEditor(), Qt::Key_Return);
        EXPECT_EQ(gauge.valueEditor(), nullptr) << row.text;
        EXPECT_DOUBLE_EQ(gauge.markerValue(2), row.value) << row.text;
        EXPECT_EQ(released.count(), row.releases) << row.text;
    }
    EXPECT_TRUE(gauge.hasFocus());
    EXPECT_EQ(moved.count(), 3);
    EXPECT_TRUE(released.last() == (QList<QVariant>{2, -0.7}));
}

TEST_F(ZoomGaugeTest, EscapeLeavingTheEditorAndTextThatIsNoNumberChangeNothing) {
    QLineEdit elsewhere(&gauge);  // below the scale, to take the focus away
    elsewhere.setGeometry(0, 70, 100, 20);
    activate();
    QTest::keyClick(type(1, Qt::Key_Return, "3"), Qt::Key_Escape);
    EXPECT_EQ(gauge.valueEditor(), nullptr);
    EXPECT_TRUE(gauge.hasFocus());

    QLineEdit* editor = type(1, Qt::Key_Return, "abc");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(gauge.valueEditor(), editor) << "stays open on text that is no number";
    elsewhere.setFocus();  // leaving drops the text
    EXPECT_EQ(gauge.valueEditor(), nullptr);
    EXPECT_DOUBLE_EQ(gauge.markerValue(1), 20);
    EXPECT_EQ(moved.count() + released.count(), 0);

    // A double click opens the editor on the pointer under the mouse.
    QTest::mouseDClick(&gauge, Qt::LeftButton, {}, gauge.pointerGrabPoint(0).toPoint());
    ASSERT_NE(gauge.valueEditor(), nullptr);
    EXPECT_EQ(gauge.valueEditor()->text(), "5");
    QTest::keyClicks(gauge.valueEditor(), "6");
    QTest::keyClick(gauge.valueEditor(), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(gauge.markerValue(0), 6);
    EXPECT_EQ(released.count(), 1);
}

}  // namespace
}  // namespace orvendel
