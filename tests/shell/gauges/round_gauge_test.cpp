#include "shell/gauges/round_gauge.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "shell/gauges/gauge_designs.h"

namespace orvendel {
namespace {

// The angle gauge at its size in the window: 2610 x 2370 twips.
class RoundGaugeTest : public testing::Test {
protected:
    RoundGaugeTest() {
        configureAngleGauge(gauge);
        gauge.setFixedSize(174, 158);
        gauge.setNeedleValue(0, -10);
        gauge.setNeedleValue(1, 20);
        gauge.setNeedleValue(2, 45);
        gauge.setNeedleValue(3, -10);
    }

    // The pixel nearest to where a needle standing at `value` passes, far out on the needle.
    QPoint at(double value, double radiusFraction = 0.75) const {
        return gauge.pointForValue(value, radiusFraction).toPoint();
    }

    RoundGauge gauge;
    QSignalSpy moved{&gauge, &RoundGauge::needleMoved};
    QSignalSpy released{&gauge, &RoundGauge::needleReleased};
};

TEST_F(RoundGaugeTest, ZeroPointsRightNinetyUpAndMinusNinetyDown) {
    const QPointF c = gauge.centre();
    const double r = gauge.radius();
    const QPointF right = gauge.pointForValue(0, 1.0);
    const QPointF up = gauge.pointForValue(90, 1.0);
    const QPointF down = gauge.pointForValue(-90, 1.0);
    EXPECT_NEAR(right.x(), c.x() + r, 1e-9);
    EXPECT_NEAR(right.y(), c.y(), 1e-9);
    EXPECT_NEAR(up.x(), c.x(), 1e-9);
    EXPECT_NEAR(up.y(), c.y() - r, 1e-9);
    EXPECT_NEAR(down.y(), c.y() + r, 1e-9);
}

TEST_F(RoundGaugeTest, ValuesSetByTheProgramEmitNothingAndReadBackAsSet) {
    gauge.setNeedleValue(0, 44.5);
    gauge.setNeedleValue(0, 44.5);  // the same value twice
    gauge.setNeedleValue(1, 120);   // beyond the arc: drawn at its end, kept as set
    gauge.setScaleStart(1, 44);
    gauge.setScaleExtent(1, 46);
    gauge.setBand(0, -30, 0);
    gauge.setLabelCaption(2, QString());
    gauge.setNeedleCount(2);
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(released.count(), 0);
    EXPECT_DOUBLE_EQ(gauge.needleValue(0), 44.5);
    EXPECT_DOUBLE_EQ(gauge.needleValue(1), 120);
    EXPECT_DOUBLE_EQ(gauge.scaleStart(1), 44);
    EXPECT_DOUBLE_EQ(gauge.scaleExtent(1), 46);
}

TEST_F(RoundGaugeTest, DragMovesTheNeedleAndReleasesOnce) {
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(20));
    EXPECT_EQ(gauge.draggedMarker(), 1);
    EXPECT_TRUE(gauge.isValueTextShown());
    QTest::mouseMove(&gauge, at(30));
    QTest::mouseMove(&gauge, at(50));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(50));

    ASSERT_EQ(moved.count(), 2);
    for (const QList<QVariant>& signal : moved) {
        EXPECT_EQ(signal.at(0).toInt(), 1);
    }
    EXPECT_NEAR(moved.at(0).at(1).toDouble(), 30, 1.0);
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), 1);
    EXPECT_NEAR(gauge.needleValue(1), 50, 1.0);
    EXPECT_DOUBLE_EQ(released.at(0).at(1).toDouble(), gauge.needleValue(1));
    EXPECT_EQ(gauge.draggedMarker(), -1);
    EXPECT_DOUBLE_EQ(gauge.needleValue(0), -10);
    EXPECT_DOUBLE_EQ(gauge.needleValue(2), 45);
}

TEST_F(RoundGaugeTest, NeedleGrabbedOffCentreKeepsItsDistanceToTheMouse) {
    // Pressed 3 degrees beside the needle: the needle must not jump to the mouse.
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(23));
    ASSERT_EQ(gauge.draggedMarker(), 1);
    EXPECT_DOUBLE_EQ(gauge.needleValue(1), 20);
    QTest::mouseMove(&gauge, at(43));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(43));
    EXPECT_NEAR(gauge.needleValue(1), 40, 1.0);
}

TEST_F(RoundGaugeTest, PressAndReleaseWithoutMovingEmitsNothing) {
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(45));
    EXPECT_EQ(gauge.draggedMarker(), 2);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(45));
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(released.count(), 0);
    EXPECT_DOUBLE_EQ(gauge.needleValue(2), 45);
}

TEST_F(RoundGaugeTest, DraggedBeyondEitherEndTheNeedleStopsThere) {
    const QPointF c = gauge.centre();
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(45));
    // Up and to the left of the centre lies beyond 90.
    QTest::mouseMove(&gauge, (c + QPointF(-40, -30)).toPoint());
    EXPECT_DOUBLE_EQ(gauge.needleValue(2), 90);
    // Down and to the left lies beyond -90.
    QTest::mouseMove(&gauge, (c + QPointF(-40, 30)).toPoint());
    EXPECT_DOUBLE_EQ(gauge.needleValue(2), -90);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, (c + QPointF(-40, 30)).toPoint());
    ASSERT_EQ(released.count(), 1);
    EXPECT_DOUBLE_EQ(released.at(0).at(1).toDouble(), -90);
}

TEST_F(RoundGaugeTest, NeedleBeyondTheArcIsGrabbedWhereItIsDrawn) {
    gauge.setNeedleValue(2, 135);  // drawn at 90
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(90));
    ASSERT_EQ(gauge.draggedMarker(), 2);
    QTest::mouseMove(&gauge, at(80));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(80));
    EXPECT_NEAR(gauge.needleValue(2), 80, 1.0);
}

TEST_F(RoundGaugeTest, ReleaseReportsTheValueTheProgramPutBackDuringTheDrag) {
    // The program's interlock pushes the default needle back to the minimum while dragging.
    QObject::connect(&gauge, &RoundGauge::needleMoved, [this](int index, double value) {
        if (index == 1 && value < gauge.needleValue(0)) {
            gauge.setNeedleValue(1, gauge.needleValue(0));
        }
    });
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(20));
    QTest::mouseMove(&gauge, at(-30));
    EXPECT_DOUBLE_EQ(gauge.needleValue(1), -10);
    QTest::mouseMove(&gauge, at(-40));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(-40));
    EXPECT_EQ(moved.count(), 2);
    ASSERT_EQ(released.count(), 1);
    EXPECT_DOUBLE_EQ(released.at(0).at(1).toDouble(), -10);
}

TEST_F(RoundGaugeTest, HiddenAndFixedNeedlesCannotBeGrabbed) {
    gauge.setNeedleCount(2);  // INS and DEL gone
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(45));
    EXPECT_EQ(gauge.draggedMarker(), -1);
    QTest::mouseMove(&gauge, at(60));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(60));
    EXPECT_DOUBLE_EQ(gauge.needleValue(2), 45);

    gauge.setNeedleDraggable(1, false);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(20));
    EXPECT_EQ(gauge.draggedMarker(), -1);
    QTest::mouseMove(&gauge, at(60));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(60));
    EXPECT_DOUBLE_EQ(gauge.needleValue(1), 20);
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(released.count(), 0);
}

TEST_F(RoundGaugeTest, OfTwoNeedlesInOnePlaceTheSelectedOneIsGrabbed) {
    // Minimum and DEL share -10; the selected one is drawn on top and taken.
    QTest::keyClick(&gauge, Qt::Key_1);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(-10));
    EXPECT_EQ(gauge.draggedMarker(), 0);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(-10));
    QTest::keyClick(&gauge, Qt::Key_4);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(-10));
    EXPECT_EQ(gauge.draggedMarker(), 3);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(-10));
    // With neither selected, the one drawn last (the higher index) is on top.
    QTest::keyClick(&gauge, Qt::Key_2);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(-10));
    EXPECT_EQ(gauge.draggedMarker(), 3);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(-10));
}

TEST_F(RoundGaugeTest, NumberKeysSelectAndArrowKeysMoveWithBothNotifications) {
    QTest::keyClick(&gauge, Qt::Key_2);
    EXPECT_EQ(gauge.selectedMarker(), 1);
    QTest::keyClick(&gauge, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(gauge.needleValue(1), 21);
    ASSERT_EQ(moved.count(), 1);
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), 1);
    EXPECT_DOUBLE_EQ(released.at(0).at(1).toDouble(), 21);

    QTest::keyClick(&gauge, Qt::Key_PageDown);
    EXPECT_DOUBLE_EQ(gauge.needleValue(1), 11);
    QTest::keyClick(&gauge, Qt::Key_Left);
    EXPECT_DOUBLE_EQ(gauge.needleValue(1), 10);
    QTest::keyClick(&gauge, Qt::Key_4);
    QTest::keyClick(&gauge, Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(gauge.needleValue(3), 0);
    EXPECT_EQ(moved.count(), 4);
    EXPECT_EQ(released.count(), 4);
}

TEST_F(RoundGaugeTest, KeysStopAtTheEndsAndThenEmitNothing) {
    QTest::keyClick(&gauge, Qt::Key_3);
    gauge.setNeedleValue(2, 85);
    QTest::keyClick(&gauge, Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(gauge.needleValue(2), 90);
    QTest::keyClick(&gauge, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(gauge.needleValue(2), 90);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(released.count(), 1);
}

TEST_F(RoundGaugeTest, NumberKeysOfHiddenOrFixedNeedlesKeepTheSelection) {
    gauge.setNeedleCount(2);
    QTest::keyClick(&gauge, Qt::Key_2);
    QTest::keyClick(&gauge, Qt::Key_3);
    QTest::keyClick(&gauge, Qt::Key_4);
    EXPECT_EQ(gauge.selectedMarker(), 1);
    gauge.setNeedleDraggable(1, false);  // the selection moves to a needle that can move
    EXPECT_EQ(gauge.selectedMarker(), 0);
    QTest::keyClick(&gauge, Qt::Key_2);
    EXPECT_EQ(gauge.selectedMarker(), 0);
}

TEST_F(RoundGaugeTest, NeedleWithoutANumberIsNeitherDrawnNorMoved) {
    gauge.setNeedleValue(1, std::nan(""));
    EXPECT_TRUE(std::isnan(gauge.needleValue(1)));
    QTest::keyClick(&gauge, Qt::Key_2);
    QTest::keyClick(&gauge, Qt::Key_Up);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(0));
    EXPECT_EQ(gauge.draggedMarker(), -1);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(0));
    EXPECT_TRUE(std::isnan(gauge.needleValue(1)));
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(released.count(), 0);
}

TEST_F(RoundGaugeTest, ValueTextIsInWholeDegrees) {
    gauge.setNeedleValue(0, 44.6);
    EXPECT_EQ(gauge.valueText(0), QString::fromUtf8("45°"));
    gauge.setNeedleValue(0, -0.4);
    EXPECT_EQ(gauge.valueText(0), QString::fromUtf8("0°"));
    gauge.setNeedleValue(0, -12.0);
    EXPECT_EQ(gauge.valueText(0), QString::fromUtf8("-12°"));
}

TEST_F(RoundGaugeTest, FocusedGaugeShowsTheSelectedValue) {
    EXPECT_FALSE(gauge.isValueTextShown());
    gauge.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&gauge));
    gauge.activateWindow();
    gauge.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&gauge));
    EXPECT_TRUE(gauge.hasFocus());
    EXPECT_TRUE(gauge.isValueTextShown());
}

}  // namespace
}  // namespace orvendel
