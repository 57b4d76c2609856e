// Renders the gauges as the settings page shows them in both revision styles, leaves the
// pictures in the build tree for a look by eye, and checks that the design's colours show where
// the design puts them.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <cmath>

#include "shell/gauges/gauge_designs.h"
#include "shell/gauges/linear_gauge.h"
#include "shell/gauges/round_gauge.h"

namespace orvendel {
namespace {

// Whether `actual` is within `tolerance` of `expected` in each channel.
bool near(QColor actual, QColor expected, int tolerance = 24) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

// A grabbed picture read at logical coordinates, whatever the device pixel ratio.
class Picture {
public:
    explicit Picture(const QPixmap& pixmap)
        : image_(pixmap.toImage().convertToFormat(QImage::Format_RGB32)),
          ratio_(pixmap.devicePixelRatio()) {}

    // The colour of the device pixel under the logical point `at`.
    QColor pixelColor(QPointF at) const {
        const QPoint device(static_cast<int>(std::floor(at.x() * ratio_)),
                            static_cast<int>(std::floor(at.y() * ratio_)));
        return image_.valid(device) ? image_.pixelColor(device) : QColor();
    }
    // Number of pixels in the logical `area` close to `colour`, in logical pixels.
    int countNear(const QRect& area, QColor colour, int tolerance = 40) const {
        const QRect device = QRectF(QPointF(area.topLeft()) * ratio_, QSizeF(area.size()) * ratio_)
                                 .toRect()
                                 .intersected(image_.rect());
        int count = 0;
        for (int y = device.top(); y <= device.bottom(); ++y) {
            for (int x = device.left(); x <= device.right(); ++x) {
                count += near(image_.pixelColor(x, y), colour, tolerance) ? 1 : 0;
            }
        }
        return static_cast<int>(count / (ratio_ * ratio_));
    }

private:
    QImage image_;
    qreal ratio_;
};

Picture save(QWidget& widget, const QString& name) {
    const QPixmap picture = widget.grab();
    QDir().mkpath(QStringLiteral(ORVENDEL_GAUGE_RENDER_DIR));
    picture.save(QStringLiteral(ORVENDEL_GAUGE_RENDER_DIR "/") + name);
    return Picture(picture);
}

// A black backdrop like the settings page's frames.
class Backdrop : public QWidget {
public:
    Backdrop() {
        QPalette black = palette();
        black.setColor(QPalette::Window, Qt::black);
        setPalette(black);
        setAutoFillBackground(true);
    }
};

// The chase camera's angle gauge with the game's usual angles.
class AngleRendering : public testing::Test {
protected:
    AngleRendering() {
        backdrop.setFixedSize(174, 158);
        configureAngleGauge(*gauge);
        gauge->setFixedSize(174, 158);
        gauge->setScaleStart(1, -10);
        gauge->setScaleExtent(1, 100);
        const double values[] = {-10, 20, 60, -10};
        for (int i = 0; i < 4; ++i) {
            gauge->setNeedleValue(i, values[i]);
        }
    }
    QPointF at(double value, double fraction) const {
        return gauge->pointForValue(value, fraction);
    }
    // The band of rows a legend label covers.
    QRect labelRow(int index) const {
        const double y = gauge->centre().y() - gauge->labelPosition(index).y() * gauge->radius();
        return QRect(0, static_cast<int>(y) - 6, gauge->width() / 2, 12);
    }

    Backdrop backdrop;
    RoundGauge* gauge = new RoundGauge(&backdrop);
};

TEST_F(AngleRendering, RevisionZeroShowsBandsTicksNeedlesAndTheWholeLegend) {
    const Picture image = save(backdrop, QStringLiteral("angle_gauge_revision0.png"));
    EXPECT_TRUE(near(image.pixelColor(at(-22.5, 0.75)), QColor(128, 0, 0)));
    EXPECT_TRUE(near(image.pixelColor(at(-67.5, 0.75)), QColor(64, 0, 0)));
    EXPECT_TRUE(near(image.pixelColor(at(17.5, 0.75)), QColor(0, 128, 128)));
    EXPECT_TRUE(near(image.pixelColor(at(75, 0.75)), QColor(0, 64, 64)));
    EXPECT_TRUE(near(image.pixelColor(at(0, 0.62)), QColor(255, 255, 0), 60));    // major tick
    EXPECT_TRUE(near(image.pixelColor(at(-15, 0.67)), QColor(255, 255, 0), 80));  // minor tick
    EXPECT_TRUE(near(image.pixelColor(at(20, 0.55)), QColor(0, 255, 255), 60));
    EXPECT_TRUE(near(image.pixelColor(at(60, 0.55)), QColor(255, 0, 255), 60));
    EXPECT_TRUE(near(image.pixelColor(at(-10, 0.55)), QColor(192, 192, 192), 60) ||
                near(image.pixelColor(at(-10, 0.55)), QColor(255, 0, 0), 60));
    EXPECT_GT(image.countNear(labelRow(0), QColor(255, 0, 0)), 10);
    EXPECT_GT(image.countNear(labelRow(1), QColor(0, 255, 255)), 10);
    EXPECT_GT(image.countNear(labelRow(2), QColor(255, 0, 255)), 10);
    EXPECT_GT(image.countNear(labelRow(3), QColor(192, 192, 192)), 10);
}

TEST_F(AngleRendering, RevisionOneDropsTheKeyNeedlesAndTheirLabels) {
    gauge->setNeedleCount(2);
    gauge->setLabelCount(2);
    const Picture image = save(backdrop, QStringLiteral("angle_gauge_revision1.png"));
    EXPECT_FALSE(near(image.pixelColor(at(60, 0.55)), QColor(255, 0, 255), 60));
    EXPECT_EQ(image.countNear(labelRow(2), QColor(255, 0, 255)), 0);
    EXPECT_EQ(image.countNear(labelRow(3), QColor(192, 192, 192), 20), 0);
    EXPECT_GT(image.countNear(labelRow(0), QColor(255, 0, 0)), 10);
    EXPECT_TRUE(near(image.pixelColor(at(20, 0.55)), QColor(0, 255, 255), 60));
}

TEST_F(AngleRendering, DraggedNeedleShowsItsValueBesideIt) {
    const Picture still = save(backdrop, QStringLiteral("angle_gauge_still.png"));
    const QPoint grip = at(20, 0.7).toPoint();
    QTest::mousePress(gauge, Qt::LeftButton, {}, grip);
    QTest::mouseMove(gauge, at(33, 0.7).toPoint());
    const Picture dragging = save(backdrop, QStringLiteral("angle_gauge_dragging.png"));
    QTest::mouseRelease(gauge, Qt::LeftButton, {}, at(33, 0.7).toPoint());
    const QRect all(0, 0, 174, 158);
    EXPECT_GT(dragging.countNear(all, QColor(0, 255, 255)),
              still.countNear(all, QColor(0, 255, 255)) + 10);
}

class ZoomRendering : public testing::Test {
protected:
    ZoomRendering() {
        backdrop.setFixedSize(279, 59);
        configureZoomGauge(*gauge);
        gauge->setFixedSize(279, 59);
        gauge->setPointerValue(0, 5);
        gauge->setPointerValue(1, 20);
        gauge->setPointerValue(2, 8);
        gauge->setBand(0, 5, 20);
        gauge->setLabelCaption(3, QString());
        gauge->setLabelCaption(4, QString());
    }
    // A point inside pointer `index`, a third of the way down its box.
    QPointF inside(int index) const {
        const QRectF box = gauge->pointerPolygon(index).boundingRect();
        return QPointF(box.center().x(), box.top() + box.height() / 3);
    }
    Backdrop backdrop;
    LinearGauge* gauge = new LinearGauge(&backdrop);
};

TEST_F(ZoomRendering, RevisionZeroShowsThreePointersTheBandAndTheLabels) {
    const Picture image = save(backdrop, QStringLiteral("zoom_gauge_revision0.png"));
    const double bandY = 0.68 * gauge->height();
    EXPECT_TRUE(
        near(image.pixelColor(QPointF(gauge->positionForValue(14), bandY)), gauge->bandColour(0)));
    EXPECT_TRUE(near(image.pixelColor(inside(0)), QColor(255, 0, 0), 60));
    EXPECT_TRUE(near(image.pixelColor(inside(1)), QColor(255, 0, 255), 60));
    EXPECT_TRUE(near(image.pixelColor(inside(2)), QColor(0, 255, 255), 60));
    EXPECT_GT(image.countNear(QRect(0, 0, 279, 20), QColor(255, 0, 0)), 10);     // "Zoom Min"
    EXPECT_GT(image.countNear(QRect(0, 20, 279, 15), QColor(0, 255, 255)), 10);  // "Zoom Default"
    const int tickX = qRound(gauge->positionForValue(25));
    EXPECT_GT(image.countNear(QRect(tickX, 52, 1, 6), QColor(192, 192, 0)), 2);
}

TEST_F(ZoomRendering, RevisionZeroDriveGaugeIsOneBarCaptionedZoom) {
    gauge->setPointerCount(1);
    gauge->setBandCount(0);
    gauge->setLabelCount(4);
    gauge->setPointerShape(0, LinearGauge::PointerShape::Bar);
    gauge->setPointerWidth(0, 0.02);
    gauge->setLabelCaption(0, QStringLiteral("Zoom"));
    gauge->setLabelCaption(1, QString());
    gauge->setLabelCaption(2, QString());
    gauge->setLabelCaption(3, QStringLiteral("FPS"));
    gauge->setPointerValue(0, -0.4);
    const Picture image = save(backdrop, QStringLiteral("zoom_gauge_drive_revision0.png"));
    EXPECT_TRUE(near(image.pixelColor(inside(0)), QColor(255, 0, 0), 60));
    EXPECT_EQ(image.countNear(QRect(0, 0, 279, 59), QColor(255, 0, 255)), 0);
    EXPECT_EQ(image.countNear(QRect(0, 20, 279, 15), QColor(0, 255, 255)), 0);
}

TEST_F(ZoomRendering, RevisionOneShowsThePinnedMinimumAsAFixedMark) {
    gauge->setPointerShape(0, LinearGauge::PointerShape::Bar);
    gauge->setPointerWidth(0, 0.0);
    gauge->setPointerDraggable(0, false);
    const Picture image = save(backdrop, QStringLiteral("zoom_gauge_revision1.png"));
    const QPoint mark = inside(0).toPoint();
    EXPECT_TRUE(near(image.pixelColor(mark), QColor(255, 0, 0), 80));
    // Nothing red left of the mark where the arrowhead used to be.
    EXPECT_EQ(image.countNear(QRect(mark.x() - 10, mark.y() - 3, 8, 10), QColor(255, 0, 0)), 0);
}

TEST_F(ZoomRendering, DraggedPointerShowsItsValueAboveIt) {
    const Picture still = save(backdrop, QStringLiteral("zoom_gauge_still.png"));
    const QPoint grip = gauge->pointerGrabPoint(2).toPoint();
    QTest::mousePress(gauge, Qt::LeftButton, {}, grip);
    QTest::mouseMove(gauge, grip + QPoint(30, 0));
    const Picture dragging = save(backdrop, QStringLiteral("zoom_gauge_dragging.png"));
    QTest::mouseRelease(gauge, Qt::LeftButton, {}, grip + QPoint(30, 0));
    const QRect above(0, 0, 279, qRound(0.55 * 59));
    EXPECT_GT(dragging.countNear(above, QColor(0, 255, 255)),
              still.countNear(above, QColor(0, 255, 255)) + 10);
}

TEST_F(ZoomRendering, FocusedGaugeShowsAFocusFrameAndTheSelectedValue) {
    const Picture still = save(backdrop, QStringLiteral("zoom_gauge_still.png"));
    // Reached with Tab from a neighbour, as the style draws focus frames after keyboard moves.
    auto* neighbour = new LinearGauge(&backdrop);
    neighbour->setGeometry(0, 0, 1, 1);
    QWidget::setTabOrder(neighbour, gauge);
    backdrop.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&backdrop));
    backdrop.activateWindow();
    neighbour->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&backdrop));
    QTest::keyClick(neighbour, Qt::Key_Tab);
    ASSERT_TRUE(gauge->hasFocus());
    QTest::keyClick(gauge, Qt::Key_2);
    const Picture focused = save(backdrop, QStringLiteral("zoom_gauge_focused.png"));
    const QRect above(0, 0, 279, qRound(0.55 * 59));
    EXPECT_GT(focused.countNear(above, QColor(255, 0, 255)),
              still.countNear(above, QColor(255, 0, 255)) + 10);
}

TEST(DistanceRendering, ShowsTheMarkAtFortyFiveThePointerAndItsLabel) {
    Backdrop backdrop;
    backdrop.setFixedSize(279, 45);
    auto* gauge = new LinearGauge(&backdrop);
    configureDistanceGauge(*gauge);
    gauge->setFixedSize(279, 45);
    gauge->setPointerValue(0, 120);
    const Picture image = save(backdrop, QStringLiteral("distance_gauge.png"));
    const QPointF mark(gauge->positionForValue(45), 0.5 * gauge->height());
    EXPECT_TRUE(near(image.pixelColor(mark), gauge->bandColour(0), 60));
    const QRectF pointer = gauge->pointerPolygon(0).boundingRect();
    EXPECT_TRUE(near(image.pixelColor(pointer.center()), QColor(255, 0, 0), 40));
    EXPECT_GT(image.countNear(QRect(70, 0, 140, 18), QColor(255, 0, 0)), 10);
}

}  // namespace
}  // namespace orvendel
