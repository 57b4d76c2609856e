// The round gauge, and through it the mouse, key and signal handling that both gauges share.
#include "shell/gauges/round_gauge.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "shell/gauges/gauge_designs.h"

namespace orvendel {
namespace {

// The angle gauge at its size in the window, needles at -10, 20, 45 and -10.
class RoundGaugeTest : public testing::Test {
protected:
    RoundGaugeTest() {
        configureAngleGauge(gauge);
        gauge.setFixedSize(174, 158);
        const double values[] = {-10, 20, 45, -10};
        for (int i = 0; i < 4; ++i)
            gauge.setNeedleValue(i, values[i]);
    }

    // The pixel where a needle standing at `value` passes, far out on the needle.
    QPoint at(double value) const { return gauge.pointForValue(value, 0.75).toPoint(); }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(&gauge, Qt::LeftButton, {}, from);
        QTest::mouseMove(&gauge, to);
        QTest::mouseRelease(&gauge, Qt::LeftButton, {}, to);
    }

    RoundGauge gauge;
    QSignalSpy moved{&gauge, &RoundGauge::needleMoved};
    QSignalSpy released{&gauge, &RoundGauge::needleReleased};
};

TEST_F(RoundGaugeTest, ProgramValuesEmitNothingAndTextIsInWholeDegrees) {
    EXPECT_NEAR(gauge.pointForValue(0, 1).x(), gauge.centre().x() + gauge.radius(), 1e-9);
    EXPECT_NEAR(gauge.pointForValue(90, 1).y(), gauge.centre().y() - gauge.radius(), 1e-9);
    gauge.setNeedleValue(1, 120);  // beyond the arc: drawn at its end, kept as set
    gauge.setScaleStart(1, 44);
    gauge.setNeedleCount(2);
    EXPECT_EQ(moved.count() + released.count(), 0);
    EXPECT_DOUBLE_EQ(gauge.needleValue(1), 120);
    const struct {
        double value;
        const char* text;
    } rows[] = {{44.6, "45°"}, {-0.4, "0°"}, {-12, "-12°"}};
    for (const auto& row : rows) {
        gauge.setNeedleValue(0, row.value);
        EXPECT_EQ(gauge.valueText(0), QString::fromUtf8(row.text)) << row.value;
    }
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
    EXPECT_NEAR(gauge.needleValue(1), 50, 1.0);
    EXPECT_DOUBLE_EQ(released.at(0).at(1).toDouble(), gauge.needleValue(1));
    EXPECT_EQ(gauge.draggedMarker(), -1);
    EXPECT_DOUBLE_EQ(gauge.needleValue(0), -10);
    EXPECT_DOUBLE_EQ(gauge.needleValue(2), 45);
}

TEST_F(RoundGaugeTest, DraggedBeyondEitherEndTheNeedleStopsThere) {
    gauge.setNeedleValue(2, 135);  // drawn at 90, grabbed there
    const QPointF c = gauge.centre();
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(90));
    ASSERT_EQ(gauge.draggedMarker(), 2);
    QTest::mouseMove(&gauge, (c + QPointF(-40, -30)).toPoint());  // up-left lies beyond 90
    EXPECT_DOUBLE_EQ(gauge.needleValue(2), 90);
    QTest::mouseMove(&gauge, (c + QPointF(-40, 30)).toPoint());  // down-left beyond -90
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, (c + QPointF(-40, 30)).toPoint());
    ASSERT_EQ(released.count(), 1);
    EXPECT_DOUBLE_EQ(released.at(0).at(1).toDouble(), -90);
}

TEST_F(RoundGaugeTest, ReleaseReportsTheValueTheProgramPutBackDuringTheDrag) {
    QObject::connect(&gauge, &RoundGauge::needleMoved, [this](int index, double value) {
        if (index == 1 && value < gauge.needleValue(0))
            gauge.setNeedleValue(1, gauge.needleValue(0));
    });
    drag(at(20), at(-30));
    ASSERT_EQ(released.count(), 1);
    EXPECT_DOUBLE_EQ(released.at(0).at(1).toDouble(), -10);
}

TEST_F(RoundGaugeTest, HiddenFixedAndNanNeedlesAreNeitherGrabbedNorSelected) {
    gauge.setNeedleCount(2);  // INS and DEL gone
    drag(at(45), at(60));
    EXPECT_DOUBLE_EQ(gauge.needleValue(2), 45);
    QTest::keyClick(&gauge, Qt::Key_2);
    QTest::keyClick(&gauge, Qt::Key_3);
    EXPECT_EQ(gauge.selectedMarker(), 1);
    gauge.setNeedleDraggable(1, false);  // the selection moves to a needle that can move
    EXPECT_EQ(gauge.selectedMarker(), 0);
    drag(at(20), at(60));
    EXPECT_DOUBLE_EQ(gauge.needleValue(1), 20);
    gauge.setNeedleDraggable(1, true);
    gauge.setNeedleValue(1, std::nan(""));
    QTest::keyClick(&gauge, Qt::Key_2);
    QTest::keyClick(&gauge, Qt::Key_Up);
    drag(at(0), at(30));
    EXPECT_TRUE(std::isnan(gauge.needleValue(1)));
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
        const double before = gauge.needleValue(row.needle);
        QTest::keyClick(&gauge, row.key);
        EXPECT_DOUBLE_EQ(gauge.needleValue(row.needle), row.value) << row.key;
        moves += before != row.value ? 1 : 0;
        EXPECT_EQ(moved.count(), moves) << row.key;
        EXPECT_EQ(released.count(), moves) << row.key;
    }
}

TEST_F(RoundGaugeTest, FocusShowsTheValueText) {
    EXPECT_FALSE(gauge.isValueTextShown());
    gauge.show();
    gauge.activateWindow();
    gauge.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&gauge));
    EXPECT_TRUE(gauge.isValueTextShown());
}

}  // namespace
}  // namespace orvendel
