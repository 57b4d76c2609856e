// SPDX-License-Identifier: MIT
// Renders the gauges in both revision styles, leaves the pictures in the build tree for a look
// by eye, and checks that the design's colours show where the design puts them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "shell/gauges/gauge_designs.h"
#include "shell/gauges/linear_gauge.h"
#include "shell/gauges/round_gauge.h"

namespace orvendel {
namespace {

// A grabbed picture at logical size, whatever the device pixel ratio.
struct Picture {
    QImage image;
    // Number of pixels in `area` within `tolerance` of `colour` in every channel.
    int countNear(const QRect& area, QColor colour, int tolerance = 40) const {
        int count = 0;
        const QRect inside = area.intersected(image.rect());
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += std::abs(c.red() - colour.red()) <= tolerance &&
                         std::abs(c.green() - colour.green()) <= tolerance &&
                         std::abs(c.blue() - colour.blue()) <= tolerance;
            }
        return count;
    }
    bool isNear(QPointF at, QColor colour, int tolerance = 60) const {
        return countNear(QRect(at.toPoint(), QSize(1, 1)), colour, tolerance) > 0;
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
        gauge.setMarkerValue(i, values[i]);
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

    gauge.setMarkerCount(2);
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
        gauge.setMarkerValue(i, values[i]);
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

    gauge.setMarkerShape(0, LinearGauge::PointerShape::Bar);
    gauge.setMarkerWidth(0, 0.0);
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
    gauge.setMarkerValue(0, 120);
    const Picture image = backdrop.save(QStringLiteral("distance_gauge.png"));
    EXPECT_TRUE(image.isNear(QPointF(gauge.positionForValue(45), 22.5), gauge.bandColour(0)));
    EXPECT_TRUE(image.isNear(gauge.pointerPolygon(0).boundingRect().center(), kRed, 40));
    EXPECT_GT(image.countNear(QRect(70, 0, 140, 18), kRed), 10);
}

// The gauges' own font in DejaVu Sans (Debian's default) at the size a 96 dpi screen gives 8.25
// points, times `scale`.
QFont dejaVu(const QWidget& widget, double scale) {
    QFont font = GaugeWidget::gaugeFont();
    font.setFamilies({QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(11.0 * 72.0 / widget.logicalDpiY() * scale);
    return font;
}

// Checks the static texts of `gauge` at `scale` times the font: every expected text drawn,
// inside the widget, none overlapping another. With `grown` the widget grows with the font (as
// the window's layout does) and the texts must keep near their font's height; otherwise they
// must fit the design size whatever it takes.
void expectTextsFit(GaugeWidget& gauge, QSize design, double scale, bool grown,
                    const QStringList& expected) {
    gauge.setFont(dejaVu(gauge, scale));
    gauge.setFixedSize(grown ? design * scale : design);
    const QList<DrawnText> texts = gauge.drawnTexts();
    QStringList drawn;
    for (const auto& t : texts)
        drawn << t.text;
    EXPECT_THAT(drawn, testing::UnorderedElementsAreArray(expected));
    const double height = QFontMetricsF(gauge.font()).height();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const auto& a = texts[i];
        EXPECT_TRUE(QRectF(gauge.rect()).contains(a.box)) << a.text.toStdString();
        bool number = false;
        a.text.toDouble(&number);
        if (grown && !number) {  // legends; tick values are boxed by their ink
            EXPECT_GE(a.box.height(), 0.85 * height) << a.text.toStdString();
        }
        for (qsizetype j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(a.box.intersects(texts[j].box))
                << a.text.toStdString() << " / " << texts[j].text.toStdString();
    }
}

TEST(GaugeTexts, EveryTextFitsInsideItsGaugeAndClearOfTheOthersAndTheScale) {
    QStringList zoomTexts{"Zoom Min", "Zoom Default", "Zoom Max", "FPS", "FPS"};
    QStringList angleTexts{"Minimum Angle", "Default Angle", "INS Key Angle", "DEL Key Angle"};
    QStringList distanceTexts{"Viewing Distance"};
    for (int tick = 0; tick <= 30; tick += 5)
        zoomTexts << QString::number(tick);
    for (int tick = -90; tick <= 90; tick += 30)
        angleTexts << QString::number(tick);
    for (int tick = 50; tick <= 350; tick += 50)
        distanceTexts << QString::number(tick);
    for (double scale : {1.0, 1.6}) {
        for (bool grown : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << "font x" << scale << (grown ? " grown" : " design size"));
            RoundGauge angle;
            configureAngleGauge(angle);
            expectTextsFit(angle, QSize(174, 158), scale, grown, angleTexts);
            // Legends keep out of the dial's right half: ring, ticks, scale 1 and needles.
            for (const auto& t : angle.drawnTexts()) {
                if (t.box.right() < angle.centre().x())
                    continue;
                const QPointF c = angle.centre();
                const double dx = std::clamp(c.x(), t.box.left(), t.box.right()) - c.x();
                const double dy = std::clamp(c.y(), t.box.top(), t.box.bottom()) - c.y();
                EXPECT_GE(std::hypot(dx, dy), 0.8 * angle.radius()) << t.text.toStdString();
            }

            LinearGauge zoom;
            configureZoomGauge(zoom);
            zoom.setLabelCaption(3, QStringLiteral("FPS"));
            zoom.setLabelCaption(4, QStringLiteral("FPS"));
            expectTextsFit(zoom, QSize(279, 59), scale, grown, zoomTexts);
            for (const auto& t : zoom.drawnTexts()) {
                if (t.text.startsWith(QLatin1String("Zoom")) || t.text == "FPS")
                    EXPECT_LE(t.box.bottom(), 0.6 * zoom.height()) << "above the band";
                else
                    EXPECT_GE(t.box.top(), 0.75 * zoom.height()) << "below the band";
            }

            LinearGauge distance;
            configureDistanceGauge(distance);
            expectTextsFit(distance, QSize(279, 45), scale, grown, distanceTexts);
        }
    }
}

}  // namespace
}  // namespace orvendel
