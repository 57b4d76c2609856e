// SPDX-License-Identifier: MIT
#include "shell/gauges/round_gauge.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

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
// Needles: a blade from behind the centre to its tip, and its breadth; fractions of the radius.
constexpr double kNeedleTail = -0.16;
constexpr double kNeedleBreadth = 0.07;
constexpr double kThinnestNeedle = 3.2;

// Legends keep this far from the dial's ring, ticks and needles.
constexpr double kDialGap = 2.0;

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
    : GaugeWidget(kMaxLabels, kMaxBands, parent),
      faceFill_(28, 28, 28),
      faceEdge_(112, 112, 112),
      angleMap_(kNeedleMinimum, kNeedleMaximum, kNeedleMinimum, kNeedleMaximum) {
    setRange(kNeedleMinimum, kNeedleMaximum);
    for (auto& scale : scales_) {
        scale = {kNeedleMinimum, kNeedleMaximum - kNeedleMinimum, QColor(255, 255, 0)};
    }
    setTickColour(QColor(255, 255, 0));
    for (int i = 0; i < kMaxBands; ++i) {
        setBandColour(i, QColor(128, 128, 128));
    }
    const QColor colours[] = {QColor(255, 0, 0), QColor(0, 255, 255), QColor(255, 0, 255),
                              QColor(192, 192, 192)};
    for (int i = 0; i < kMaxNeedles; ++i) {
        setMarkerShape(i, MarkerPainter::Shape::Blade);
        setMarkerColour(i, colours[i]);
        setMarkerWidth(i, kNeedleBreadth);
        setMarkerReach(i, kNeedleLength, kNeedleTail);
        setLabelColour(i, colours[i]);
        setLabelPosition(i, QPointF(-0.75, 0.0));
    }
    faceOutline_ << QPointF(0, 0) << QPointF(1000, 0) << QPointF(1000, 1000) << QPointF(0, 1000);
}

QPolygonF RoundGauge::needlePolygon(int index) const {
    const MarkerPainter& needle = markerPainter(index);
    const double value = std::clamp(markerValue(index), kNeedleMinimum, kNeedleMaximum);
    return needle.place(pointForValue(value, needle.head()), pointForValue(value, needle.foot()),
                        std::max(kThinnestNeedle, needle.width() * radius()));
}

QString RoundGauge::markerName(int index) const {
    return labelCaption(index);
}

QPolygonF RoundGauge::markerPolygon(int index) const {
    return needlePolygon(index);
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

void RoundGauge::setBandRing(double inner, double outer) {
    bandInner_ = std::clamp(std::min(inner, outer), 0.0, 1.0);
    bandOuter_ = std::clamp(std::max(inner, outer), 0.0, 1.0);
    invalidateStatic();
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
    for (int i = markerCount() - 1; i >= 0; --i) {
        if (!isMarkerShown(i) || !isMarkerDraggable(i)) {
            continue;
        }
        const double value = std::clamp(markerValue(i), kNeedleMinimum, kNeedleMaximum);
        const double distance =
            distanceToSegment(pos, c, pointForValue(value, markerPainter(i).head()));
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
    for (int i = 0; i < markings().bandCount; ++i) {
        const GaugeMarkings::Band& band = markings().bands[i];
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
    painter.setPen(QPen(markings().tickColour, 1.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(ringRect(kTickOuter), qRound(angleOf(mainFrom) * 16),
                    qRound((angleOf(mainTo) - angleOf(mainFrom)) * 16));
    auto drawTicks = [&](double interval, double inner, double width) {
        if (interval <= 0) {
            return;
        }
        painter.setPen(QPen(markings().tickColour, width, Qt::SolidLine, Qt::FlatCap));
        const double first = std::ceil(mainFrom / interval - 1e-9) * interval;
        for (double v = first; v <= mainTo + 1e-9; v += interval) {
            painter.drawLine(pointForValue(v, inner), pointForValue(v, kTickOuter));
        }
    };
    drawTicks(minorTick_, kMinorTickInner, 1.2);
    drawTicks(majorTick_, kMajorTickInner, 1.6);

    paintTexts(painter, fitTexts());

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
    paintMarkers(painter);
    // Hub over the needles' roots.
    painter.setPen(QPen(QColor(40, 40, 40), 1.0));
    painter.setBrush(QColor(150, 150, 150));
    painter.drawEllipse(c, kHubRadius * r, kHubRadius * r);
    paintReadout(painter);
}

QPointF RoundGauge::valueAnchor(int index) const {
    const double value = std::clamp(markerValue(index), kNeedleMinimum, kNeedleMaximum);
    // The readout sits beside the needle, on the side away from the nearer end of the arc.
    const double side = value >= 0 ? 1.0 : -1.0;
    const QPointF normal(std::sin(value * kDegrees), std::cos(value * kDegrees));
    const double offset = QFontMetricsF(font()).height() / 2 + 4;
    return pointForValue(value, kValueTextRadius) + normal * side * offset;
}

bool RoundGauge::placeTexts(const QFont& font, bool dropMisfits, QList<PlacedText>& texts) const {
    const QFontMetricsF metrics(font);
    const QPointF c = centre();
    const double r = radius();
    const QPolygonF face = facePolygon();
    // Texts keep this far from the face's edge, the dial and each other.
    const double spacing = textGap(metrics);
    auto angleOf = [&](double value) {
        return angleMap_.transform(std::clamp(value, kNeedleMinimum, kNeedleMaximum));
    };

    // What texts keep clear of: the dial's right half out to the ring (where ticks, bands,
    // scale 1 and the needles are) and, all round, the hub with the needles' tails.
    double needleHalf = kThinnestNeedle / 2;
    double tail = 0.0;
    double reach = std::max(bandOuter_, kTickOuter);
    for (int i = 0; i < markerCount(); ++i) {
        needleHalf = std::max(needleHalf, markerPainter(i).width() * r / 2);
        tail = std::max(tail, -std::min(markerPainter(i).foot(), 0.0));
        reach = std::max(reach, markerPainter(i).head());
    }
    auto hitsDisc = [&](const QRectF& box, double discRadius, double fromX) {
        const double left = std::max(box.left(), fromX);
        if (left > box.right()) {
            return false;
        }
        const double nx = std::clamp(c.x(), left, box.right());
        const double ny = std::clamp(c.y(), box.top(), box.bottom());
        return std::hypot(nx - c.x(), ny - c.y()) < discRadius;
    };
    auto clearOfDial = [&](const QRectF& box, double gap) {
        return !hitsDisc(box, reach * r + gap, c.x() - needleHalf - gap) &&
               !hitsDisc(box, std::max(kHubRadius, tail) * r + needleHalf + gap,
                         -std::numeric_limits<double>::infinity());
    };
    auto insideFace = [&](const QRectF& box) {
        const QRectF spaced = box.adjusted(-spacing, -spacing, spacing, spacing);
        for (const QPointF& corner :
             {spaced.topLeft(), spaced.topRight(), spaced.bottomLeft(), spaced.bottomRight()}) {
            if (!face.containsPoint(corner, Qt::OddEvenFill)) {
                return false;
            }
        }
        return true;
    };
    auto clearOf = [spacing](const QList<PlacedText>& placed, const QRectF& box) {
        const QRectF spaced = box.adjusted(-spacing, -spacing, spacing, spacing);
        return std::none_of(placed.begin(), placed.end(),
                            [&](const PlacedText& t) { return t.box.intersects(spaced); });
    };

    // Tick values where they belong: just outside the ring, the box's nearest side touching it.
    QList<PlacedText> numbers;
    const Scale& main = scales_[0];
    const double mainFrom = std::min(main.start, main.start + main.extent);
    const double mainTo = std::max(main.start, main.start + main.extent);
    if (markings().tickLabelsShown && majorTick_ > 0) {
        const QRectF digits = metrics.tightBoundingRect(QStringLiteral("0123456789-"));
        const double first = std::ceil(mainFrom / majorTick_ - 1e-9) * majorTick_;
        for (double v = first; v <= mainTo + 1e-9; v += majorTick_) {
            const QString text = QString::number(v, 'f', 0);
            const QSizeF size(metrics.horizontalAdvance(text), digits.height());
            const double a = angleOf(v) * kDegrees;
            const double clearance = std::max(std::abs(std::cos(a)) * size.width(),
                                              std::abs(std::sin(a)) * size.height()) /
                                     2;
            const QPointF middle = pointForValue(v, 1.0) - c;
            const QPointF at = c + middle * ((reach * r + clearance + spacing) / r);
            const QRectF box(at - QPointF(size.width() / 2, size.height() / 2), size);
            numbers.append(
                {text, box, QPointF(box.left(), box.top() - digits.top()), markings().tickColour});
        }
    }

    // Legends: at the design place if that is clear, else as near to it as the face, the dial
    // and the other texts allow.
    QList<PlacedText> legends;
    for (int i = 0; i < markings().labelCount; ++i) {
        const GaugeMarkings::Label& label = markings().labels[i];
        if (label.caption.isEmpty()) {
            continue;
        }
        const QSizeF size(metrics.horizontalAdvance(label.caption), metrics.height());
        const double designX =
            std::clamp(c.x() + label.position.x() * r, 0.0, std::max(0.0, width() - size.width()));
        const double designTop = c.y() - label.position.y() * r - size.height() / 2;
        const double outwards = label.position.y() >= 0 ? -1.0 : 1.0;
        auto leftmost = [&](double top) {
            for (double x = 0; x + size.width() <= width(); x += 1.0) {
                if (insideFace(QRectF(QPointF(x, top), size))) {
                    return x;
                }
            }
            return designX;
        };
        // Each vertical shift (outwards first) tries the design place and the leftmost place,
        // clear of the tick values, then the same letting the values move aside.
        auto search = [&]() -> std::optional<QRectF> {
            for (double shift = 0; shift <= 0.5 * r; shift += 1.0) {
                for (double direction : {outwards, -outwards}) {
                    const double top = designTop + direction * shift;
                    if (top < 0 || top + size.height() > height()) {
                        continue;
                    }
                    const double leftX = leftmost(top);
                    for (bool avoidNumbers : {true, false}) {
                        for (double x :
                             {avoidNumbers ? designX : leftX, avoidNumbers ? leftX : designX}) {
                            const QRectF box(QPointF(x, top), size);
                            if (insideFace(box) && clearOfDial(box, kDialGap) &&
                                clearOf(legends, box) && (!avoidNumbers || clearOf(numbers, box))) {
                                return box;
                            }
                        }
                    }
                }
            }
            return std::nullopt;
        };
        const std::optional<QRectF> found = search();
        if (found) {
            legends.append({label.caption, *found,
                            QPointF(found->left(), found->top() + metrics.ascent()), label.colour});
        } else if (!dropMisfits) {
            return false;
        }
    }
    texts = legends;

    // Tick values crowded by a legend move right, away from the legends, by up to one and a half
    // times their width.
    for (PlacedText number : numbers) {
        const QRectF ideal = number.box;
        bool placed = false;
        for (double shift = 0; shift <= 1.5 * ideal.width() + 2 * spacing; shift += 1.0) {
            const QRectF box = ideal.translated(shift, 0);
            if (insideFace(box) && clearOfDial(box, 0.0) && clearOf(texts, box)) {
                number.origin += QPointF(shift, 0);
                number.box = box;
                texts.append(number);
                placed = true;
                break;
            }
        }
        if (!placed && !dropMisfits) {
            return false;
        }
    }
    return true;
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

}  // namespace orvendel
