#include "shell/gauges/linear_gauge.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "shell/gauges/gauge_designs.h"

namespace orvendel {
namespace {

// The zoom gauge at its size in the window: 4185 x 885 twips.
class ZoomGaugeTest : public testing::Test {
protected:
    ZoomGaugeTest() {
        configureZoomGauge(gauge);
        gauge.setFixedSize(279, 59);
        gauge.setPointerValue(0, 5);
        gauge.setPointerValue(1, 20);
        gauge.setPointerValue(2, 8);
    }

    QPoint grab(int pointer) const { return gauge.pointerGrabPoint(pointer).toPoint(); }
    // Scale units per pixel along the scale.
    double unitsPerPixel() const {
        const ScaleMap map = gauge.pixelMap();
        return (map.s2() - map.s1()) / (map.p2() - map.p1());
    }

    LinearGauge gauge;
    QSignalSpy moved{&gauge, &LinearGauge::pointerMoved};
    QSignalSpy released{&gauge, &LinearGauge::pointerReleased};
};

TEST_F(ZoomGaugeTest, ScaleIsDrawnBetweenFiveAndNinetyFivePercentOfTheWidth) {
    EXPECT_DOUBLE_EQ(gauge.positionForValue(-1), 0.05 * 279);
    EXPECT_DOUBLE_EQ(gauge.positionForValue(30), 0.95 * 279);
}

TEST_F(ZoomGaugeTest, ArrowheadsBracketTheRangeBetweenThem) {
    const QRectF minimum = gauge.pointerPolygon(0).boundingRect();
    const QRectF maximum = gauge.pointerPolygon(1).boundingRect();
    const double x5 = gauge.positionForValue(5);
    const double x20 = gauge.positionForValue(20);
    EXPECT_DOUBLE_EQ(minimum.right(), x5);  // points right at its value from the left
    EXPECT_NEAR(minimum.width(), 0.04 * 279, 1e-9);
    EXPECT_DOUBLE_EQ(maximum.left(), x20);
    EXPECT_NEAR(maximum.top(), 0.55 * 59, 1e-9);
    EXPECT_NEAR(maximum.bottom(), 0.85 * 59, 1e-9);
}

TEST_F(ZoomGaugeTest, ValuesSetByTheProgramEmitNothing) {
    gauge.setPointerValue(2, 12.25);
    gauge.setPointerValue(2, 12.25);
    gauge.setPointerValue(1, 45);  // beyond the scale: kept as set
    gauge.setBand(0, 5, 20);
    gauge.setLabelCaption(3, QStringLiteral("FPS"));
    gauge.setPointerDraggable(0, false);
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(released.count(), 0);
    EXPECT_DOUBLE_EQ(gauge.pointerValue(2), 12.25);
    EXPECT_DOUBLE_EQ(gauge.pointerValue(1), 45);
    EXPECT_DOUBLE_EQ(gauge.bandStart(0), 5);
    EXPECT_DOUBLE_EQ(gauge.bandEnd(0), 20);
}

TEST_F(ZoomGaugeTest, DragMovesByTheMouseDistanceWithoutJumping) {
    const QPoint start = grab(1);  // inside the arrowhead, right of its value
    QTest::mousePress(&gauge, Qt::LeftButton, {}, start);
    ASSERT_EQ(gauge.draggedMarker(), 1);
    EXPECT_DOUBLE_EQ(gauge.pointerValue(1), 20);
    QTest::mouseMove(&gauge, start + QPoint(9, 0));
    QTest::mouseMove(&gauge, start + QPoint(18, 3));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, start + QPoint(18, 3));
    EXPECT_NEAR(gauge.pointerValue(1), 20 + 18 * unitsPerPixel(), 1e-9);
    ASSERT_EQ(moved.count(), 2);
    EXPECT_EQ(moved.at(0).at(0).toInt(), 1);
    EXPECT_NEAR(moved.at(0).at(1).toDouble(), 20 + 9 * unitsPerPixel(), 1e-9);
    ASSERT_EQ(released.count(), 1);
    EXPECT_DOUBLE_EQ(released.at(0).at(1).toDouble(), gauge.pointerValue(1));
}

TEST_F(ZoomGaugeTest, MoveWithoutTheButtonEndsADragWhoseReleaseWentElsewhere) {
    const QPoint start = grab(2);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, start);
    QTest::mouseMove(&gauge, start + QPoint(10, 0));
    // The button came up over another window: the next move arrives without it.
    QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(40, 0)),
                     QPointF(gauge.mapToGlobal(start + QPoint(40, 0))), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&gauge, &move);
    EXPECT_EQ(gauge.draggedMarker(), -1);
    EXPECT_NEAR(gauge.pointerValue(2), 8 + 10 * unitsPerPixel(), 1e-9);
    EXPECT_EQ(moved.count(), 1);
    ASSERT_EQ(released.count(), 1);
    EXPECT_DOUBLE_EQ(released.at(0).at(1).toDouble(), gauge.pointerValue(2));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, start + QPoint(40, 0));
}

TEST_F(ZoomGaugeTest, DraggedPastEitherEndThePointerStopsThere) {
    QTest::mousePress(&gauge, Qt::LeftButton, {}, grab(2));
    QTest::mouseMove(&gauge, QPoint(gauge.width() + 40, grab(2).y()));
    EXPECT_DOUBLE_EQ(gauge.pointerValue(2), 30);
    QTest::mouseMove(&gauge, QPoint(-40, grab(2).y()));
    EXPECT_DOUBLE_EQ(gauge.pointerValue(2), -1);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, QPoint(-40, 40));
    ASSERT_EQ(released.count(), 1);
    EXPECT_DOUBLE_EQ(released.at(0).at(1).toDouble(), -1);
}

TEST_F(ZoomGaugeTest, FixedMarkerIgnoresDragsAndLetsThePointerBelowBeGrabbed) {
    // Revision 1 shows the pinned minimum as a fixed hairline.
    gauge.setPointerShape(0, LinearGauge::PointerShape::Bar);
    gauge.setPointerWidth(0, 0.0);
    gauge.setPointerDraggable(0, false);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, grab(0));
    EXPECT_EQ(gauge.draggedMarker(), -1);
    QTest::mouseMove(&gauge, grab(0) + QPoint(30, 0));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, grab(0) + QPoint(30, 0));
    EXPECT_DOUBLE_EQ(gauge.pointerValue(0), 5);
    EXPECT_EQ(moved.count(), 0);

    gauge.setPointerValue(2, 5);  // the default under the fixed minimum
    QTest::mousePress(&gauge, Qt::LeftButton, {}, grab(0));
    EXPECT_EQ(gauge.draggedMarker(), 2);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, grab(0));
    QTest::keyClick(&gauge, Qt::Key_1);
    EXPECT_EQ(gauge.selectedMarker(), 2);
}

TEST_F(ZoomGaugeTest, ArrowKeysStepATenthAndPagesAWholeUnit) {
    QTest::keyClick(&gauge, Qt::Key_3);
    QTest::keyClick(&gauge, Qt::Key_Right);
    EXPECT_NEAR(gauge.pointerValue(2), 8.1, 1e-12);
    QTest::keyClick(&gauge, Qt::Key_PageDown);
    EXPECT_NEAR(gauge.pointerValue(2), 7.1, 1e-12);
    EXPECT_EQ(moved.count(), 2);
    EXPECT_EQ(released.count(), 2);
    EXPECT_EQ(released.at(1).at(0).toInt(), 2);
    QTest::keyClick(&gauge, Qt::Key_1);
    QTest::keyClick(&gauge, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(gauge.pointerValue(0), -1);
    QTest::keyClick(&gauge, Qt::Key_Down);
    EXPECT_EQ(released.count(), 3);
}

TEST_F(ZoomGaugeTest, SinglePointerGaugeHandlesOnlyPointerZero) {
    gauge.setPointerCount(1);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, grab(1));
    EXPECT_EQ(gauge.draggedMarker(), -1);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, grab(1));
    QTest::keyClick(&gauge, Qt::Key_3);
    QTest::keyClick(&gauge, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(gauge.pointerValue(2), 8);
    EXPECT_NEAR(gauge.pointerValue(0), 5.1, 1e-12);
}

TEST_F(ZoomGaugeTest, ValueTextHasOneDecimalAndNoNegativeZero) {
    gauge.setPointerValue(2, -0.04);
    EXPECT_EQ(gauge.valueText(2), QStringLiteral("0.0"));
    gauge.setPointerValue(2, -0.4);
    EXPECT_EQ(gauge.valueText(2), QStringLiteral("-0.4"));
}

// The distance gauge at its size in the window: 4185 x 675 twips.
class DistanceGaugeTest : public testing::Test {
protected:
    DistanceGaugeTest() {
        configureDistanceGauge(gauge);
        gauge.setFixedSize(279, 45);
        gauge.setPointerValue(0, 45);
    }
    LinearGauge gauge;
    QSignalSpy moved{&gauge, &LinearGauge::pointerMoved};
    QSignalSpy released{&gauge, &LinearGauge::pointerReleased};
};

TEST_F(DistanceGaugeTest, OnlyOnePointerAndOneLabel) {
    EXPECT_EQ(gauge.pointerCount(), 1);
    EXPECT_EQ(gauge.labelCount(), 1);
    EXPECT_EQ(gauge.labelCaption(0), QStringLiteral("Viewing Distance"));
}

TEST_F(DistanceGaugeTest, DragToTheRightEndGivesThreeHundredAndFifty) {
    const QPoint start = gauge.pointerGrabPoint(0).toPoint();
    QTest::mousePress(&gauge, Qt::LeftButton, {}, start);
    QTest::mouseMove(&gauge, QPoint(gauge.width() - 1, start.y()));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, QPoint(gauge.width() - 1, start.y()));
    EXPECT_DOUBLE_EQ(gauge.pointerValue(0), 350);
    EXPECT_EQ(released.count(), 1);
}

TEST_F(DistanceGaugeTest, KeysStepWholeMetres) {
    QTest::keyClick(&gauge, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(gauge.pointerValue(0), 46);
    QTest::keyClick(&gauge, Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(gauge.pointerValue(0), 56);
    EXPECT_EQ(gauge.valueText(0), QStringLiteral("56 m"));
    EXPECT_EQ(moved.count(), 2);
    EXPECT_EQ(released.count(), 2);
}

}  // namespace
}  // namespace orvendel
