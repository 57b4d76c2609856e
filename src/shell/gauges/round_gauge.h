// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <array>

#include "shell/gauges/gauge_widget.h"
#include "shell/gauges/scale_map.h"

namespace orvendel {

// A round dial with up to four needles, two scales, ticks, up to four bands drawn as a ring and
// up to four text labels. The needles move over the fixed range -90..90, which the dial shows
// as its right half: 0 points right, 90 straight up and -90 straight down, so that a camera's
// pitch reads as it looks. The face is a polygon laid over the whole widget.
class RoundGauge : public GaugeWidget {
    Q_OBJECT
public:
    static constexpr int kMaxNeedles = 4;
    static constexpr int kScaleCount = 2;
    static constexpr int kMaxBands = 4;
    static constexpr int kMaxLabels = 4;
    // The needles' range, which is also the dial's arc.
    static constexpr double kNeedleMinimum = -90.0;
    static constexpr double kNeedleMaximum = 90.0;

    explicit RoundGauge(QWidget* parent = nullptr);

    // Needles ------------------------------------------------------------------------------
    // The needles are the base's markers (count 0..4, default 4; colours red, cyan, magenta,
    // silver by default). Values set by the program are kept as given (a value beyond the arc is
    // drawn at its end). A needle is a blade from 0.16 of the radius behind the centre to 0.8 of
    // it, 0.07 of the radius wide.
    // The needle's drawn polygon in widget coordinates.
    QPolygonF needlePolygon(int index) const;

    // Needles are named by the label of the same index.
    QString markerName(int index) const override;

    // Scales ---------------------------------------------------------------------------------
    // Start and extent of scale `index` (0 or 1) in degrees of value. Scale 0 carries the ticks;
    // scale 1 is drawn as an arc at half the radius from start to start + extent (an extent of
    // 0 draws nothing).
    double scaleStart(int index) const;
    double scaleExtent(int index) const;
    void setScaleStart(int index, double start);
    void setScaleExtent(int index, double extent);
    QColor scaleColour(int index) const;
    void setScaleColour(int index, const QColor& colour);

    // Ticks on scale 0: intervals in degrees (0 switches that kind off). Tick values, when shown
    // (setTickLabelsShown), are printed outside the ring; a value that a legend crowds moves
    // aside, to the right, by up to one and a half times its width.
    void setTickIntervals(double major, double minor);

    // Bands and labels are the base's (four of each). Bands run in degrees and fill a ring, as
    // fractions of the dial's radius (default 0.7 to 0.8).
    void setBandRing(double inner, double outer);
    // A label's position is where its text begins: its left end and vertical middle, in
    // fractions of the dial's radius from the centre, x to the right and y upwards. A label that
    // would run into the dial, the face's edge or a tick value moves outwards (up for the upper
    // labels, down for the lower ones) and to the left as far as needed.

    // Face -----------------------------------------------------------------------------------
    // Outline of the face in a 1000 x 1000 box stretched over the widget (default: the whole
    // box), and its fill and edge colours.
    void setFaceOutline(const QPolygonF& outline);
    void setFaceColours(const QColor& fill, const QColor& edge);

    // Geometry (widget coordinates) ---------------------------------------------------------
    // Centre and radius of the dial.
    QPointF centre() const;
    double radius() const;
    // The point at `radiusFraction` of the radius along a needle standing at `value`.
    QPointF pointForValue(double value, double radiusFraction) const;
    // Needle length as a fraction of the radius (the default reach of the needles' heads).
    static constexpr double kNeedleLength = 0.8;

    // The face outline stretched over the widget, in widget coordinates.
    QPolygonF facePolygon() const;

protected:
    int markerAt(const QPointF& pos) const override;
    double valueFromPoint(const QPointF& pos) const override;
    QPolygonF markerPolygon(int index) const override;
    void paintStatic(QPainter& painter) override;
    void paintDynamic(QPainter& painter) override;
    QPointF valueAnchor(int index) const override;
    bool placeTexts(const QFont& font, bool dropMisfits, QList<PlacedText>& texts) const override;
    QPainterPath faceEdge() const override;

private:
    struct Scale {
        double start;
        double extent;
        QColor colour;
    };

    std::array<Scale, kScaleCount> scales_;
    double majorTick_ = 30.0;
    double minorTick_ = 15.0;
    double bandInner_ = 0.7;
    double bandOuter_ = 0.8;
    QPolygonF faceOutline_;
    QColor faceFill_;
    QColor faceEdge_;
    // Value to dial angle (degrees, counter-clockwise from pointing right) and back.
    ScaleMap angleMap_;
};

}  // namespace orvendel
