// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFontMetricsF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <array>

#include "shell/gauges/gauge_widget.h"
#include "shell/gauges/marker_painter.h"
#include "shell/gauges/scale_map.h"

namespace orvendel {

// A horizontal scale with minor and major ticks, one band, up to five text labels and up to
// three pointers. The scale runs from its start on the left to its end on the right, drawn
// between 5 % and 95 % of the width. Pointers stop at the ends of the scale.
class LinearGauge : public GaugeWidget {
    Q_OBJECT
public:
    static constexpr int kMaxPointers = 3;
    static constexpr int kMaxLabels = 5;
    static constexpr int kMaxBands = 1;

    // Pointer shapes; outlines lie in a 1000 x 1000 box centred on the value (see MarkerPainter).
    using PointerShape = MarkerPainter::Shape;

    explicit LinearGauge(QWidget* parent = nullptr);

    // Scale ----------------------------------------------------------------------------------
    // Scale start (left) and end (right); also the limits of the pointers' moves.
    void setScale(double start, double end);
    // Value to x position (widget coordinates) for the current width.
    ScaleMap pixelMap() const;
    // The x position (widget coordinates) of `value`.
    double positionForValue(double value) const;

    // Ticks: `interval` 0 switches that kind off; ticks are drawn at from, from + interval, ...
    // up to `to`.
    void setMinorTicks(double interval, double from, double to);
    void setMajorTicks(double interval, double from, double to);
    // Vertical reach of the major ticks as fractions of the height (minor ticks reach half as
    // far up from the bottom edge `bottom`).
    void setTickExtent(double top, double bottom);
    // Tick values, when shown (setTickLabelsShown), sit on the bottom edge; the ticks then hang
    // above them, below the bands.

    // Bands and labels are the base's (one band, five labels). A label's position is its text's
    // top left corner as fractions of width and height; labels sharing a row keep a blank apart
    // and are pulled in from the right edge; texts that still do not fit shrink together.
    // Band `index`'s vertical extent as fractions of the height.
    void setBandExtent(int index, double top, double bottom);

    // Pointers -------------------------------------------------------------------------------
    // The pointers are the base's markers (count 0..3, default 3). Values set by the program are
    // kept as given (a value beyond the scale is drawn at its end); a fixed pointer is still drawn
    // and lets clicks through to the pointers below it. A custom outline lies in the 1000 x 1000
    // box (x right, y down); a marker width is a fraction of the widget's width, 0 drawing a
    // hairline. Vertical extent of the box as fractions of the height.
    void setPointerExtent(int index, double top, double bottom);
    // The label whose caption names pointer `index` (default: the label of the same index).
    int pointerLegend(int index) const;
    void setPointerLegend(int index, int label);
    // The pointer's drawn polygon in widget coordinates, and its centre of mass (a point on
    // the pointer, not necessarily on its value).
    QPolygonF pointerPolygon(int index) const;
    QPointF pointerGrabPoint(int index) const;

    QString markerName(int index) const override;

protected:
    int markerAt(const QPointF& pos) const override;
    double valueFromPoint(const QPointF& pos) const override;
    QPolygonF markerPolygon(int index) const override;
    void paintStatic(QPainter& painter) override;
    void paintDynamic(QPainter& painter) override;
    QPointF valueAnchor(int index) const override;
    bool placeTexts(const QFont& font, bool dropMisfits, QList<PlacedText>& texts) const override;

private:
    // Vertical places of the axis and the ticks, and the baseline of the tick values, for the
    // tick values' font; `fits` is false when the ticks would have no room.
    struct TickGeometry {
        double axis;
        double minorEnd;
        double majorEnd;
        double baseline;
        bool fits;
    };
    TickGeometry tickGeometry(const QFontMetricsF& metrics) const;

    struct Ticks {
        double interval;
        double from;
        double to;
    };
    struct BandExtent {
        double top;
        double bottom;
    };

    double scaleStart_ = 0.0;
    double scaleEnd_ = 100.0;
    Ticks minor_{10.0, 0.0, 100.0};
    Ticks major_{50.0, 0.0, 100.0};
    double tickTop_ = 0.86;
    double tickBottom_ = 1.0;
    std::array<BandExtent, kMaxBands> bandExtents_{{{0.6, 0.75}}};
    std::array<int, kMaxPointers> pointerLegends_{0, 1, 2};
};

}  // namespace orvendel
