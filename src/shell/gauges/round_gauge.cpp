// SPDX-License-Identifier: MIT
#include "shell/gauges/round_gauge.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvendel {

namespace {

constexpr double kDegrees = std::numbers::pi / 180.0;
// Radii of the dial's parts as fractions of its radius. Ticks hang inwards from the band ring so
// that the space outside it stays free for the tick values and the legend.
constexpr double kTickOuter = 0.7;
constexpr double kMajorTickInner = 0.58;
constexpr double kMinorTickInner = 0.63;
constexpr double kTickValueRadius = 0.81;
constexpr double kScale1Radius = 0.5;
constexpr double kHubRadius = 0.07;
constexpr double kValueTextRadius = 0.36;

bool validIndex(int index, int count) {
    return index >= 0 && index < count;
}

// Distance from `p` to the segment from `a` to `b`.
double distanceToSegment(const QPointF& p, const QPointF& a, const QPointF& b) {
    const QPointF ab = b - a;
    const double lengthSquared = QPointF::dotProduct(ab, ab);
    double t = lengthSquared > 0 ? QPointF::dotProduct(p - a, ab) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

}  // namespace

RoundGauge::RoundGauge(QWidget* parent)
    : GaugeWidget(parent),
      needleColours_{QColor(255, 0, 0), QColor(0, 255, 255), QColor(255, 0, 255),
                     QColor(192, 192, 192)},
      tickColour_(255, 255, 0),
      faceFill_(28, 28, 28),
      faceEdge_(112, 112, 112),
      angleMap_(kNeedleMinimum, kNeedleMaximum, kNeedleMinimum, kNeedleMaximum) {
    setRange(kNeedleMinimum, kNeedleMaximum);
    for (auto& scale : scales_) {
        scale = {kNeedleMinimum, kNeedleMaximum - kNeedleMinimum, QColor(255, 255, 0)};
    }
    for (auto& band : bands_) {
        band = {0.0, 0.0, QColor(128, 128, 128)};
    }
    for (size_t i = 0; i < labels_.size(); ++i) {
        labels_[i] = {QString(), needleColours_[i], QPointF(-0.75, 0.0)};
    }
    faceOutline_ << QPointF(0, 0) << QPointF(1000, 0) << QPointF(1000, 1000) << QPointF(0, 1000);
}

QColor RoundGauge::needleColour(int index) const {
    return validIndex(index, kMaxNeedles) ? needleColours_[static_cast<size_t>(index)] : QColor();
}

void RoundGauge::setNeedleColour(int index, const QColor& colour) {
    if (validIndex(index, kMaxNeedles)) {
        needleColours_[static_cast<size_t>(index)] = colour;
        update();
    }
}

double RoundGauge::scaleStart(int index) const {
    return validIndex(index, kScaleCount) ? scales_[static_cast<size_t>(index)].start : 0.0;
}

double RoundGauge::scaleExtent(int index) const {
    return validIndex(index, kScaleCount) ? scales_[static_cast<size_t>(index)].extent : 0.0;
}

void RoundGauge::setScaleStart(int index, double start) {
    if (validIndex(index, kScaleCount)) {
        scales_[static_cast<size_t>(index)].start = start;
        invalidateStatic();
    }
}

void RoundGauge::setScaleExtent(int index, double extent) {
    if (validIndex(index, kScaleCount)) {
        scales_[static_cast<size_t>(index)].extent = extent;
        invalidateStatic();
    }
}

QColor RoundGauge::scaleColour(int index) const {
    return validIndex(index, kScaleCount) ? scales_[static_cast<size_t>(index)].colour : QColor();
}

void RoundGauge::setScaleColour(int index, const QColor& colour) {
    if (validIndex(index, kScaleCount)) {
        scales_[static_cast<size_t>(index)].colour = colour;
        invalidateStatic();
    }
}

void RoundGauge::setTickIntervals(double major, double minor) {
    majorTick_ = std::max(0.0, major);
    minorTick_ = std::max(0.0, minor);
    invalidateStatic();
}

void RoundGauge::setTickColour(const QColor& colour) {
    tickColour_ = colour;
    invalidateStatic();
}

void RoundGauge::setTickLabelsShown(bool shown) {
    tickLabelsShown_ = shown;
    invalidateStatic();
}

void RoundGauge::setBandCount(int count) {
    bandCount_ = std::clamp(count, 0, kMaxBands);
    invalidateStatic();
}

double RoundGauge::bandStart(int index) const {
    return validIndex(index, kMaxBands) ? bands_[static_cast<size_t>(index)].start : 0.0;
}

double RoundGauge::bandEnd(int index) const {
    return validIndex(index, kMaxBands) ? bands_[static_cast<size_t>(index)].end : 0.0;
}

QColor RoundGauge::bandColour(int index) const {
    return validIndex(index, kMaxBands) ? bands_[static_cast<size_t>(index)].colour : QColor();
}

void RoundGauge::setBand(int index, double start, double end) {
    if (validIndex(index, kMaxBands)) {
        setBand(index, start, end, bands_[static_cast<size_t>(index)].colour);
    }
}

void RoundGauge::setBand(int index, double start, double end, const QColor& colour) {
    if (validIndex(index, kMaxBands)) {
        bands_[static_cast<size_t>(index)] = {start, end, colour};
        invalidateStatic();
    }
}

void RoundGauge::setBandRing(double inner, double outer) {
    bandInner_ = std::clamp(std::min(inner, outer), 0.0, 1.0);
    bandOuter_ = std::clamp(std::max(inner, outer), 0.0, 1.0);
    invalidateStatic();
}

void RoundGauge::setLabelCount(int count) {
    labelCount_ = std::clamp(count, 0, kMaxLabels);
    invalidateStatic();
}

QString RoundGauge::labelCaption(int index) const {
    return validIndex(index, kMaxLabels) ? labels_[static_cast<size_t>(index)].caption : QString();
}

void RoundGauge::setLabelCaption(int index, const QString& caption) {
    if (validIndex(index, kMaxLabels)) {
        labels_[static_cast<size_t>(index)].caption = caption;
        invalidateStatic();
    }
}

QColor RoundGauge::labelColour(int index) const {
    return validIndex(index, kMaxLabels) ? labels_[static_cast<size_t>(index)].colour : QColor();
}

void RoundGauge::setLabelColour(int index, const QColor& colour) {
    if (validIndex(index, kMaxLabels)) {
        labels_[static_cast<size_t>(index)].colour = colour;
        invalidateStatic();
    }
}

QPointF RoundGauge::labelPosition(int index) const {
    return validIndex(index, kMaxLabels) ? labels_[static_cast<size_t>(index)].position : QPointF();
}

void RoundGauge::setLabelPosition(int index, const QPointF& position) {
    if (validIndex(index, kMaxLabels)) {
        labels_[static_cast<size_t>(index)].position = position;
        invalidateStatic();
    }
}

void RoundGauge::setFaceOutline(const QPolygonF& outline) {
    faceOutline_ = outline;
    invalidateStatic();
}

void RoundGauge::setFaceColours(const QColor& fill, const QColor& edge) {
    faceFill_ = fill;
    faceEdge_ = edge;
    invalidateStatic();
}

QPointF RoundGauge::centre() const {
    return QRectF(rect()).center();
}

double RoundGauge::radius() const {
    return std::max(1.0, std::min(width(), height()) / 2.0 - 3.0);
}

QPointF RoundGauge::pointForValue(double value, double radiusFraction) const {
    const double angle = angleMap_.transform(value) * kDegrees;
    const double length = radius() * radiusFraction;
    return centre() + QPointF(std::cos(angle) * length, -std::sin(angle) * length);
}

int RoundGauge::markerAt(const QPointF& pos) const {
    const QPointF c = centre();
    const double r = radius();
    if (std::hypot(pos.x() - c.x(), pos.y() - c.y()) < kHubRadius * 2 * r) {
        return -1;  // every needle meets there
    }
    const double tolerance = std::max(4.0, 0.06 * r);
    int best = -1;
    double bestDistance = tolerance;
    for (int i = needleCount() - 1; i >= 0; --i) {
        if (!isMarkerShown(i) || !isNeedleDraggable(i)) {
            continue;
        }
        const double value = std::clamp(needleValue(i), kNeedleMinimum, kNeedleMaximum);
        const double distance = distanceToSegment(pos, c, pointForValue(value, kNeedleLength));
        const bool preferred = i == selectedMarker();
        if (distance < bestDistance || (preferred && distance <= bestDistance)) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

double RoundGauge::valueFromPoint(const QPointF& pos) const {
    const QPointF c = centre();
    // Points left of the centre give angles beyond the arc (up to +-180); limiting a move to the
    // range then stops the needle at the nearer end.
    return angleMap_.invTransform(std::atan2(c.y() - pos.y(), pos.x() - c.x()) / kDegrees);
}

void RoundGauge::paintStatic(QPainter& painter) {
    const QRectF box(rect());
    const QPointF c = centre();
    const double r = radius();

    const QPolygonF face = facePolygon();
    QLinearGradient shade(box.topLeft(), box.bottomLeft());
    shade.setColorAt(0.0, faceFill_.lighter(130));
    shade.setColorAt(1.0, faceFill_.darker(130));
    painter.setPen(QPen(faceEdge_, 1.0));
    painter.setBrush(shade);
    painter.drawPolygon(face);

    auto ringRect = [&](double fraction) {
        return QRectF(c.x() - fraction * r, c.y() - fraction * r, 2 * fraction * r,
                      2 * fraction * r);
    };
    auto angleOf = [&](double value) {
        return angleMap_.transform(std::clamp(value, kNeedleMinimum, kNeedleMaximum));
    };

    // Bands as pieces of the ring.
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < bandCount_; ++i) {
        const Band& band = bands_[static_cast<size_t>(i)];
        const double a1 = angleOf(std::min(band.start, band.end));
        const double a2 = angleOf(std::max(band.start, band.end));
        if (a2 <= a1) {
            continue;
        }
        QPainterPath piece;
        piece.arcMoveTo(ringRect(bandOuter_), a1);
        piece.arcTo(ringRect(bandOuter_), a1, a2 - a1);
        piece.arcTo(ringRect(bandInner_), a2, a1 - a2);
        piece.closeSubpath();
        painter.setBrush(band.colour);
        painter.drawPath(piece);
    }

    // Scale 0: its arc along the inner edge of the ring, then the ticks.
    const Scale& main = scales_[0];
    const double mainFrom = std::min(main.start, main.start + main.extent);
    const double mainTo = std::max(main.start, main.start + main.extent);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(tickColour_, 1.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(ringRect(kTickOuter), qRound(angleOf(mainFrom) * 16),
                    qRound((angleOf(mainTo) - angleOf(mainFrom)) * 16));
    auto drawTicks = [&](double interval, double inner, double width) {
        if (interval <= 0) {
            return;
        }
        painter.setPen(QPen(tickColour_, width, Qt::SolidLine, Qt::FlatCap));
        const double first = std::ceil(mainFrom / interval - 1e-9) * interval;
        for (double v = first; v <= mainTo + 1e-9; v += interval) {
            painter.drawLine(pointForValue(v, inner), pointForValue(v, kTickOuter));
        }
    };
    drawTicks(minorTick_, kMinorTickInner, 1.2);
    drawTicks(majorTick_, kMajorTickInner, 1.6);

    // Legend labels down the left side; tick values give way to them.
    const QFontMetricsF metrics(painter.font());
    QList<QRectF> legend;
    for (int i = 0; i < labelCount_; ++i) {
        const Label& label = labels_[static_cast<size_t>(i)];
        if (label.caption.isEmpty()) {
            continue;
        }
        const QPointF anchor(std::max(c.x() + label.position.x() * r, 2.0),
                             c.y() - label.position.y() * r);
        const QRectF textBox(anchor.x(), anchor.y() - metrics.height() / 2,
                             metrics.horizontalAdvance(label.caption), metrics.height());
        painter.setPen(label.colour);
        painter.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, label.caption);
        legend << textBox;
    }
    if (tickLabelsShown_ && majorTick_ > 0) {
        painter.setPen(tickColour_);
        const double first = std::ceil(mainFrom / majorTick_ - 1e-9) * majorTick_;
        for (double v = first; v <= mainTo + 1e-9; v += majorTick_) {
            const QString text = QString::number(v, 'f', 0);
            const QSizeF size(metrics.horizontalAdvance(text), metrics.ascent());
            // Just outside the ring: the box's nearest side touches the ring's outer radius.
            const double a = angleOf(v) * kDegrees;
            const double clearance = std::max(std::abs(std::cos(a)) * size.width(),
                                              std::abs(std::sin(a)) * size.height()) /
                                     2;
            const QPointF middle = pointForValue(v, 1.0) - c;
            const QPointF at = c + middle * ((kTickValueRadius * r + clearance + 1) / r);
            const QRectF textBox(at.x() - size.width() / 2, at.y() - size.height() / 2,
                                 size.width(), size.height());
            const bool blocked = std::any_of(legend.begin(), legend.end(), [&](const QRectF& l) {
                return l.intersects(textBox);
            });
            if (!blocked && QRectF(rect()).contains(textBox)) {
                painter.drawText(textBox, Qt::AlignCenter, text);
            }
        }
    }

    // Scale 1: the arc inside the ring, from its start over its extent, closed by small ends.
    const Scale& second = scales_[1];
    if (second.extent != 0) {
        const double a1 = angleOf(std::min(second.start, second.start + second.extent));
        const double a2 = angleOf(std::max(second.start, second.start + second.extent));
        painter.setPen(QPen(second.colour, 1.5, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(ringRect(kScale1Radius), qRound(a1 * 16), qRound((a2 - a1) * 16));
        for (double a : {a1, a2}) {
            const double v = angleMap_.invTransform(a);
            painter.drawLine(pointForValue(v, kScale1Radius - 0.04),
                             pointForValue(v, kScale1Radius + 0.04));
        }
    }
}

void RoundGauge::paintDynamic(QPainter& painter) {
    const QPointF c = centre();
    const double r = radius();

    auto drawNeedle = [&](int i) {
        const double value = std::clamp(needleValue(i), kNeedleMinimum, kNeedleMaximum);
        const double angle = angleMap_.transform(value);
        const QColor colour = needleColour(i);
        painter.save();
        painter.translate(c);
        painter.rotate(-angle);
        // Drawn pointing right (angle 0): a slim blade with a short tail.
        const double length = kNeedleLength * r;
        const double half = std::max(1.6, 0.035 * r);
        QPolygonF blade;
        blade << QPointF(-0.16 * r, -half * 0.6) << QPointF(0, -half) << QPointF(length, -0.6)
              << QPointF(length, 0.6) << QPointF(0, half) << QPointF(-0.16 * r, half * 0.6);
        painter.setPen(QPen(colour.darker(170), 0.8));
        painter.setBrush(colour);
        painter.drawPolygon(blade);
        painter.restore();
    };

    const int selected = selectedMarker();
    const int emphasised = draggedMarker() >= 0 ? draggedMarker() : selected;
    for (int i = 0; i < needleCount(); ++i) {
        if (isMarkerShown(i) && i != emphasised) {
            drawNeedle(i);
        }
    }
    if (isMarkerShown(emphasised)) {
        drawNeedle(emphasised);
    }

    // Hub over the needles' roots.
    painter.setPen(QPen(QColor(40, 40, 40), 1.0));
    painter.setBrush(QColor(150, 150, 150));
    painter.drawEllipse(c, kHubRadius * r, kHubRadius * r);

    if (isValueTextShown() && isMarkerShown(emphasised)) {
        const QString text = valueText(emphasised);
        const QFontMetricsF metrics(painter.font());
        const double value = std::clamp(needleValue(emphasised), kNeedleMinimum, kNeedleMaximum);
        const QPointF at = pointForValue(value, kValueTextRadius);
        // The readout sits beside the needle, on the side away from the nearer end of the arc.
        const double side = value >= 0 ? 1.0 : -1.0;
        const QPointF normal(std::sin(value * kDegrees), std::cos(value * kDegrees));
        const double offset = metrics.height() / 2 + 4;
        paintValueBox(painter, at + normal * side * offset, needleColour(emphasised), text);
    }
}

QPolygonF RoundGauge::facePolygon() const {
    // The outline's 1000 x 1000 box is stretched over the widget, edges on pixel centres.
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPolygonF face;
    for (const QPointF& p : faceOutline_) {
        face << QPointF(box.left() + p.x() * box.width() / 1000.0,
                        box.top() + p.y() * box.height() / 1000.0);
    }
    return face;
}

QPainterPath RoundGauge::faceEdge() const {
    QPainterPath edge;
    edge.addPolygon(facePolygon());
    edge.closeSubpath();
    return edge;
}

void RoundGauge::notifyMoved(int index, double value) {
    emit needleMoved(index, value);
}

void RoundGauge::notifyReleased(int index, double value) {
    emit needleReleased(index, value);
}

}  // namespace orvendel
