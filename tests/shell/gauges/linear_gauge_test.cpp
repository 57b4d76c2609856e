// What the linear gauge adds to the shared gauge behaviour (tested on the round gauge): its
// scale's place, drags by mouse distance, fixed pointers and the zoom gauge's steps.
#include "shell/gauges/linear_gauge.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "shell/gauges/gauge_designs.h"

namespace orvendel {
namespace {

// The zoom gauge at its size in the window, pointers at 5, 20 and 8.
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

TEST_F(ZoomGaugeTest, ScaleSpansFiveToNinetyFivePercentAndTheArrowheadPointsAtItsValue) {
    EXPECT_DOUBLE_EQ(gauge.positionForValue(-1), 0.05 * 279);
    EXPECT_DOUBLE_EQ(gauge.positionForValue(30), 0.95 * 279);
    EXPECT_DOUBLE_EQ(gauge.pointerPolygon(0).boundingRect().right(), gauge.positionForValue(5));
}

TEST_F(ZoomGaugeTest, DragMovesByTheMouseDistanceAndStopsAtTheScaleEnd) {
    const QPoint start = grab(1);  // inside the arrowhead, right of its value
    QTest::mousePress(&gauge, Qt::LeftButton, {}, start);
    ASSERT_EQ(gauge.draggedMarker(), 1);
    EXPECT_DOUBLE_EQ(gauge.pointerValue(1), 20);
    QTest::mouseMove(&gauge, start + QPoint(18, 3));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, start + QPoint(18, 3));
    EXPECT_NEAR(gauge.pointerValue(1), 20 + 18 * unitsPerPixel(), 1e-9);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, grab(2));
    QTest::mouseMove(&gauge, QPoint(gauge.width() + 40, grab(2).y()));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, QPoint(gauge.width() + 40, grab(2).y()));
    EXPECT_DOUBLE_EQ(gauge.pointerValue(2), 30);
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
    EXPECT_NEAR(gauge.pointerValue(2), 8 + 10 * unitsPerPixel(), 1e-9);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(released.count(), 1);
}

TEST_F(ZoomGaugeTest, AFixedBarLetsThePointerBelowItBeGrabbed) {
    gauge.setPointerShape(0, LinearGauge::PointerShape::Bar);
    gauge.setPointerWidth(0, 0.0);
    gauge.setPointerDraggable(0, false);
    gauge.setPointerValue(2, 5);  // the default under the fixed minimum
    QTest::mousePress(&gauge, Qt::LeftButton, {}, grab(0));
    EXPECT_EQ(gauge.draggedMarker(), 2);
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, grab(0));
}

TEST_F(ZoomGaugeTest, KeysStepATenthAndPagesAWholeUnitWithOneDecimalShown) {
    QTest::keyClick(&gauge, Qt::Key_3);
    QTest::keyClick(&gauge, Qt::Key_Right);
    EXPECT_NEAR(gauge.pointerValue(2), 8.1, 1e-12);
    QTest::keyClick(&gauge, Qt::Key_PageDown);
    EXPECT_NEAR(gauge.pointerValue(2), 7.1, 1e-12);
    EXPECT_EQ(gauge.valueText(2), "7.1");
    gauge.setPointerValue(2, -0.04);
    EXPECT_EQ(gauge.valueText(2), "0.0");  // no negative zero
}

}  // namespace
}  // namespace orvendel
