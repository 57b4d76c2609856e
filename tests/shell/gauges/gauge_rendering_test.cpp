// Renders the gauges as the settings page shows them in both revision styles, leaves the
// pictures in the build tree for a look by eye, and checks that the design's colours show where
// the design puts them.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

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

// Number of pixels in `area` of `image` close to `colour`.
int countNear(const QImage& image, const QRect& area, QColor colour, int tolerance = 40) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            count += near(image.pixelColor(x, y), colour, tolerance) ? 1 : 0;
        }
    }
    return count;
}

QImage save(QWidget& widget, const QString& name) {
    const QPixmap picture = widget.grab();
    QDir().mkpath(QStringLiteral(ORVENDEL_GAUGE_RENDER_DIR));
    picture.save(QStringLiteral(ORVENDEL_GAUGE_RENDER_DIR "/") + name);
    return picture.toImage().convertToFormat(QImage::Format_RGB32);
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
    QPoint at(double value, double fraction) const {
        return gauge->pointForValue(value, fraction).toPoint();
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
    const QImage image = save(backdrop, QStringLiteral("angle_gauge_revision0.png"));
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
    EXPECT_GT(countNear(image, labelRow(0), QColor(255, 0, 0)), 10);
    EXPECT_GT(countNear(image, labelRow(1), QColor(0, 255, 255)), 10);
    EXPECT_GT(countNear(image, labelRow(2), QColor(255, 0, 255)), 10);
    EXPECT_GT(countNear(image, labelRow(3), QColor(192, 192, 192)), 10);
}

TEST_F(AngleRendering, RevisionOneDropsTheKeyNeedlesAndTheirLabels) {
    gauge->setNeedleCount(2);
    gauge->setLabelCount(2);
    const QImage image = save(backdrop, QStringLiteral("angle_gauge_revision1.png"));
    EXPECT_FALSE(near(image.pixelColor(at(60, 0.55)), QColor(255, 0, 255), 60));
    EXPECT_EQ(countNear(image, labelRow(2), QColor(255, 0, 255)), 0);
    EXPECT_EQ(countNear(image, labelRow(3), QColor(192, 192, 192), 20), 0);
    EXPECT_GT(countNear(image, labelRow(0), QColor(255, 0, 0)), 10);
    EXPECT_TRUE(near(image.pixelColor(at(20, 0.55)), QColor(0, 255, 255), 60));
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
    QPoint inside(int index) const {
        const QRectF box = gauge->pointerPolygon(index).boundingRect();
        return QPointF(box.center().x(), box.top() + box.height() / 3).toPoint();
    }
    Backdrop backdrop;
    LinearGauge* gauge = new LinearGauge(&backdrop);
};

TEST_F(ZoomRendering, RevisionZeroShowsThreePointersTheBandAndTheLabels) {
    const QImage image = save(backdrop, QStringLiteral("zoom_gauge_revision0.png"));
    const double bandY = 0.68 * gauge->height();
    EXPECT_TRUE(near(image.pixelColor(QPointF(gauge->positionForValue(14), bandY).toPoint()),
                     gauge->bandColour(0)));
    EXPECT_TRUE(near(image.pixelColor(inside(0)), QColor(255, 0, 0), 60));
    EXPECT_TRUE(near(image.pixelColor(inside(1)), QColor(255, 0, 255), 60));
    EXPECT_TRUE(near(image.pixelColor(inside(2)), QColor(0, 255, 255), 60));
    EXPECT_GT(countNear(image, QRect(0, 0, 279, 20), QColor(255, 0, 0)), 10);     // "Zoom Min"
    EXPECT_GT(countNear(image, QRect(0, 20, 279, 15), QColor(0, 255, 255)), 10);  // "Zoom Default"
    const int tickX = qRound(gauge->positionForValue(25));
    EXPECT_GT(countNear(image, QRect(tickX, 52, 1, 6), QColor(192, 192, 0)), 2);
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
    const QImage image = save(backdrop, QStringLiteral("zoom_gauge_drive_revision0.png"));
    EXPECT_TRUE(near(image.pixelColor(inside(0)), QColor(255, 0, 0), 60));
    EXPECT_EQ(countNear(image, QRect(0, 0, 279, 59), QColor(255, 0, 255)), 0);
    EXPECT_EQ(countNear(image, QRect(0, 20, 279, 15), QColor(0, 255, 255)), 0);
}

TEST_F(ZoomRendering, RevisionOneShowsThePinnedMinimumAsAFixedMark) {
    gauge->setPointerShape(0, LinearGauge::PointerShape::Bar);
    gauge->setPointerWidth(0, 0.0);
    gauge->setPointerDraggable(0, false);
    const QImage image = save(backdrop, QStringLiteral("zoom_gauge_revision1.png"));
    const QPoint mark = inside(0);
    EXPECT_TRUE(near(image.pixelColor(mark), QColor(255, 0, 0), 80));
    // Nothing red left of the mark where the arrowhead used to be.
    EXPECT_EQ(countNear(image, QRect(mark.x() - 10, mark.y() - 3, 8, 10), QColor(255, 0, 0)), 0);
}

TEST(DistanceRendering, ShowsTheMarkAtFortyFiveThePointerAndItsLabel) {
    Backdrop backdrop;
    backdrop.setFixedSize(279, 45);
    auto* gauge = new LinearGauge(&backdrop);
    configureDistanceGauge(*gauge);
    gauge->setFixedSize(279, 45);
    gauge->setPointerValue(0, 120);
    const QImage image = save(backdrop, QStringLiteral("distance_gauge.png"));
    const QPoint mark(qRound(gauge->positionForValue(45)), qRound(0.5 * gauge->height()));
    EXPECT_TRUE(near(image.pixelColor(mark), gauge->bandColour(0), 60));
    const QRectF pointer = gauge->pointerPolygon(0).boundingRect();
    EXPECT_TRUE(near(image.pixelColor(pointer.center().toPoint()), QColor(255, 0, 0), 40));
    EXPECT_GT(countNear(image, QRect(70, 0, 140, 18), QColor(255, 0, 0)), 10);
}

}  // namespace
}  // namespace orvendel
