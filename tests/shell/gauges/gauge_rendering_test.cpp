// SPDX-License-Identifier: MIT
// Renders the gauges in both revision styles, leaves the pictures in the build tree for a look
// by eye, and checks that the design's colours show where the design puts them.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QWidget>
#include <cmath>

#include "shell/gauges/gauge_designs.h"
#include "shell/gauges/linear_gauge.h"
#include "shell/gauges/round_gauge.h"

namespace orvendel {
namespace {

bool near(QColor actual, QColor expected, int tolerance) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

// A grabbed picture at logical size, whatever the device pixel ratio.
struct Picture {
    QImage image;
    // Whether the pixel under `at` is within `tolerance` of `colour`.
    bool isNear(QPointF at, QColor colour, int tolerance = 60) const {
        const QPoint p = at.toPoint();
        return image.valid(p) && near(image.pixelColor(p), colour, tolerance);
    }
    // Number of pixels in `area` close to `colour`.
    int countNear(const QRect& area, QColor colour, int tolerance = 40) const {
        int count = 0;
        const QRect inside = area.intersected(image.rect());
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                count += near(image.pixelColor(x, y), colour, tolerance) ? 1 : 0;
        return count;
    }
};

// A black backdrop as on the settings page holding one gauge of the window's size; saves
// pictures of itself.
template <typename Gauge>
class Backdrop : public QWidget {
public:
    explicit Backdrop(QSize size) : gauge(*new Gauge(this)) {
        QPalette black = palette();
        black.setColor(QPalette::Window, Qt::black);
        setPalette(black);
        setAutoFillBackground(true);
        setFixedSize(size);
        gauge.setFixedSize(size);
    }
    Picture save(const QString& name) {
        const QPixmap picture = grab();
        QDir().mkpath(QStringLiteral(ORVENDEL_GAUGE_RENDER_DIR));
        picture.save(QStringLiteral(ORVENDEL_GAUGE_RENDER_DIR "/") + name);
        return {picture.toImage()
                    .convertToFormat(QImage::Format_RGB32)
                    .scaled(picture.deviceIndependentSize().toSize())};
    }
    Gauge& gauge;
};

const QColor kRed(255, 0, 0), kCyan(0, 255, 255), kMagenta(255, 0, 255), kGrey(192, 192, 192);

TEST(GaugeRendering, AngleGaugeShowsBandsTicksNeedlesAndLegendAndRevisionOneDropsInsDel) {
    Backdrop<RoundGauge> backdrop(QSize(174, 158));
    RoundGauge& gauge = backdrop.gauge;
    configureAngleGauge(gauge);
    const double values[] = {-10, 20, 60, -10};
    for (int i = 0; i < 4; ++i)
        gauge.setNeedleValue(i, values[i]);
    auto at = [&](double value, double fraction) { return gauge.pointForValue(value, fraction); };
    auto legendRow = [&](int index) {  // the rows a legend label covers
        const double y = gauge.centre().y() - gauge.labelPosition(index).y() * gauge.radius();
        return QRect(0, static_cast<int>(y) - 6, gauge.width() / 2, 12);
    };

    const Picture full = backdrop.save(QStringLiteral("angle_gauge_revision0.png"));
    EXPECT_TRUE(full.isNear(at(-22.5, 0.75), QColor(128, 0, 0), 24));
    EXPECT_TRUE(full.isNear(at(0, 0.62), QColor(255, 255, 0)));  // major tick
    EXPECT_TRUE(full.isNear(at(20, 0.55), kCyan));
    EXPECT_TRUE(full.isNear(at(60, 0.55), kMagenta));
    EXPECT_GT(full.countNear(legendRow(2), kMagenta), 10);
    EXPECT_GT(full.countNear(legendRow(3), kGrey), 10);

    gauge.setNeedleCount(2);
    gauge.setLabelCount(2);
    const Picture reduced = backdrop.save(QStringLiteral("angle_gauge_revision1.png"));
    EXPECT_FALSE(reduced.isNear(at(60, 0.55), kMagenta));
    EXPECT_EQ(reduced.countNear(legendRow(2), kMagenta), 0);
    EXPECT_EQ(reduced.countNear(legendRow(3), kGrey, 20), 0);
}

TEST(GaugeRendering, ZoomGaugeShowsPointersAndBandAndRevisionOneAFixedMark) {
    Backdrop<LinearGauge> backdrop(QSize(279, 59));
    LinearGauge& gauge = backdrop.gauge;
    configureZoomGauge(gauge);
    const double values[] = {5, 20, 8};
    for (int i = 0; i < 3; ++i)
        gauge.setPointerValue(i, values[i]);
    gauge.setBand(0, 5, 20);
    auto inside = [&](int index) {  // a third of the way down the pointer's box
        const QRectF box = gauge.pointerPolygon(index).boundingRect();
        return QPointF(box.center().x(), box.top() + box.height() / 3);
    };

    const Picture arrows = backdrop.save(QStringLiteral("zoom_gauge_revision0.png"));
    EXPECT_TRUE(
        arrows.isNear(QPointF(gauge.positionForValue(14), 0.68 * 59), gauge.bandColour(0), 24));
    EXPECT_TRUE(arrows.isNear(inside(0), kRed));
    EXPECT_TRUE(arrows.isNear(inside(1), kMagenta));
    EXPECT_TRUE(arrows.isNear(inside(2), kCyan));
    EXPECT_GT(arrows.countNear(QRect(0, 0, 279, 20), kRed), 10);  // "Zoom Min"

    gauge.setPointerShape(0, LinearGauge::PointerShape::Bar);
    gauge.setPointerWidth(0, 0.0);
    const Picture fixed = backdrop.save(QStringLiteral("zoom_gauge_revision1.png"));
    const QPoint mark = inside(0).toPoint();
    EXPECT_TRUE(fixed.isNear(mark, kRed, 80));
    // Nothing red left of the mark where the arrowhead used to be.
    EXPECT_EQ(fixed.countNear(QRect(mark.x() - 10, mark.y() - 3, 8, 10), kRed), 0);
}

TEST(GaugeRendering, DistanceGaugeShowsTheMarkAtFortyFiveThePointerAndItsLabel) {
    Backdrop<LinearGauge> backdrop(QSize(279, 45));
    LinearGauge& gauge = backdrop.gauge;
    configureDistanceGauge(gauge);
    gauge.setPointerValue(0, 120);
    const Picture image = backdrop.save(QStringLiteral("distance_gauge.png"));
    EXPECT_TRUE(image.isNear(QPointF(gauge.positionForValue(45), 22.5), gauge.bandColour(0)));
    EXPECT_TRUE(image.isNear(gauge.pointerPolygon(0).boundingRect().center(), kRed, 40));
    EXPECT_GT(image.countNear(QRect(70, 0, 140, 18), kRed), 10);
}

}  // namespace
}  // namespace orvendel
