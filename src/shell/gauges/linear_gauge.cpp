// SPDX-License-Identifier: MIT
#include "shell/gauges/linear_gauge.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace orvendel {

namespace {

// The scale is drawn between these fractions of the width.
constexpr double kScaleLeft = 0.05;
constexpr double kScaleRight = 0.95;
// Narrower boxes are widened to this many pixels so that hairlines stay visible and hittable.
constexpr double kMinimumPointerWidth = 2.0;
constexpr double kMinimumBandWidth = 2.0;

// The room between a tick value and the gauge's edge, past the border's middle: it grows with
// the values' own height, the digits' ink.
double numberEdge(const QRectF& digits) {
    return std::max(2.0, 0.2 * digits.height() + 0.01);
}

bool validIndex(int index, int count) {
    return index >= 0 && index < count;
}

// Texts keep their gap (GaugeWidget::textGap) from each other and the scale, and from the
// widget's edges as well as the width of the border drawn there.
constexpr double kBorder = 1.0;
// Ticks end this far above their values.
constexpr double kTickGap = 2.0;
// Ticks shorter than this leave no visible scale.
constexpr double kShortestTick = 1.5;

}  // namespace

LinearGauge::LinearGauge(QWidget* parent) : GaugeWidget(kMaxLabels, kMaxBands, parent) {
    setMarkerCount(kMaxPointers);
    setRange(scaleStart_, scaleEnd_);
    setSingleStep(1.0);
    setPageStep(10.0);
    setTickColour(QColor(192, 192, 0));
    setBandColour(0, QColor(64, 64, 112));
    for (int i = 0; i < kMaxLabels; ++i) {
        setLabelColour(i, QColor(255, 255, 0));
        setLabelPosition(i, QPointF(0.1 + 0.15 * i, 0.1));
    }
    const MarkerPainter pointers[] = {
        {PointerShape::LeftArrowhead, QColor(255, 0, 0), 0.08, 0.55, 0.85},
        {PointerShape::RightArrowhead, QColor(255, 0, 255), 0.08, 0.55, 0.85},
        {PointerShape::Bar, QColor(0, 255, 255), 0.02, 0.55, 0.85},
    };
    for (int i = 0; i < kMaxPointers; ++i) {
        const MarkerPainter& pointer = pointers[i];
        setMarkerShape(i, pointer.shape());
        setMarkerColour(i, pointer.colour());
        setMarkerWidth(i, pointer.width());
        setMarkerReach(i, pointer.head(), pointer.foot());
    }
}

void LinearGauge::setScale(double start, double end) {
    scaleStart_ = start;
    scaleEnd_ = end;
    setRange(start, end);
    invalidateStatic();
}

ScaleMap LinearGauge::pixelMap() const {
    return ScaleMap(scaleStart_, scaleEnd_, kScaleLeft * width(), kScaleRight * width());
}

double LinearGauge::positionForValue(double value) const {
    return pixelMap().transform(value);
}

void LinearGauge::setMinorTicks(double interval, double from, double to) {
    minor_ = {std::max(0.0, interval), std::min(from, to), std::max(from, to)};
    invalidateStatic();
}

void LinearGauge::setMajorTicks(double interval, double from, double to) {
    major_ = {std::max(0.0, interval), std::min(from, to), std::max(from, to)};
    invalidateStatic();
}

void LinearGauge::setTickExtent(double top, double bottom) {
    tickTop_ = std::clamp(std::min(top, bottom), 0.0, 1.0);
    tickBottom_ = std::clamp(std::max(top, bottom), 0.0, 1.0);
    invalidateStatic();
}

void LinearGauge::setBandExtent(int index, double top, double bottom) {
    if (validIndex(index, kMaxBands)) {
        bandExtents_[static_cast<size_t>(index)] = {std::clamp(std::min(top, bottom), 0.0, 1.0),
                                                    std::clamp(std::max(top, bottom), 0.0, 1.0)};
        invalidateStatic();
    }
}

void LinearGauge::setPointerExtent(int index, double top, double bottom) {
    setMarkerReach(index, std::clamp(std::min(top, bottom), 0.0, 1.0),
                   std::clamp(std::max(top, bottom), 0.0, 1.0));
}

int LinearGauge::pointerLegend(int index) const {
    return validIndex(index, kMaxPointers) ? pointerLegends_[static_cast<size_t>(index)] : -1;
}

void LinearGauge::setPointerLegend(int index, int label) {
    if (validIndex(index, kMaxPointers)) {
        pointerLegends_[static_cast<size_t>(index)] = label;
    }
}

QString LinearGauge::markerName(int index) const {
    return labelCaption(pointerLegend(index));
}

QPolygonF LinearGauge::markerPolygon(int index) const {
    return pointerPolygon(index);
}

QPolygonF LinearGauge::pointerPolygon(int index) const {
    if (!validIndex(index, kMaxPointers)) {
        return {};
    }
    const MarkerPainter& pointer = markerPainter(index);
    const ScaleMap map = pixelMap();
    double x = map.transform(map.clampToScale(markerValue(index)));
    double boxWidth = std::max(kMinimumPointerWidth, pointer.width() * width());
    if (pointer.shape() == PointerShape::Bar) {
        // Bars keep to whole pixels so that thin ones stay sharp and in their full colour.
        boxWidth = std::max(kMinimumPointerWidth, std::round(boxWidth));
        x = std::round(x - boxWidth / 2) + boxWidth / 2;
    }
    return pointer.place(QPointF(x, pointer.head() * height()),
                         QPointF(x, pointer.foot() * height()), boxWidth);
}

QPointF LinearGauge::pointerGrabPoint(int index) const {
    return pointerPolygon(index).boundingRect().center();
}

int LinearGauge::markerAt(const QPointF& pos) const {
    // The pointer drawn on top wins: the emphasised one, then the higher index.
    auto hits = [&](int i) {
        return isMarkerShown(i) && isMarkerDraggable(i) &&
               pointerPolygon(i).boundingRect().adjusted(-2, -2, 2, 2).contains(pos);
    };
    if (hits(selectedMarker())) {
        return selectedMarker();
    }
    for (int i = markerCount() - 1; i >= 0; --i) {
        if (hits(i)) {
            return i;
        }
    }
    return -1;
}

double LinearGauge::valueFromPoint(const QPointF& pos) const {
    return pixelMap().invTransform(pos.x());
}

void LinearGauge::paintStatic(QPainter& painter) {
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double h = height();
    const ScaleMap map = pixelMap();

    QLinearGradient shade(box.topLeft(), box.bottomLeft());
    shade.setColorAt(0.0, QColor(36, 36, 36));
    shade.setColorAt(1.0, QColor(20, 20, 20));
    painter.setPen(QPen(QColor(112, 112, 112), 1.0));
    painter.setBrush(shade);
    painter.drawRoundedRect(box, 3, 3);

    painter.setPen(Qt::NoPen);
    for (int i = 0; i < markings().bandCount; ++i) {
        const GaugeMarkings::Band& band = markings().bands[i];
        double x1 = map.transform(map.clampToScale(std::min(band.start, band.end)));
        double x2 = map.transform(map.clampToScale(std::max(band.start, band.end)));
        if (x2 - x1 < kMinimumBandWidth) {
            const double middle = (x1 + x2) / 2;
            x1 = middle - kMinimumBandWidth / 2;
            x2 = middle + kMinimumBandWidth / 2;
        }
        painter.setBrush(band.colour);
        const BandExtent& extent = bandExtents_[static_cast<size_t>(i)];
        painter.drawRect(QRectF(x1, extent.top * h, x2 - x1, (extent.bottom - extent.top) * h));
    }

    // Axis along the top of the tick area, ticks hanging below it, their values under them.
    // One-pixel lines run through pixel centres so that they stay sharp at any device pixel
    // ratio.
    const FittedTexts fitted = fitTexts();
    const TickGeometry ticks = tickGeometry(QFontMetricsF(fitted.font));
    painter.setPen(QPen(markings().tickColour, 1.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(std::round(map.p1()), ticks.axis),
                     QPointF(std::round(map.p2()) + 1, ticks.axis));
    auto drawTicks = [&](const Ticks& kind, double end) {
        if (kind.interval <= 0) {
            return;
        }
        for (double v = kind.from; v <= kind.to + 1e-9; v += kind.interval) {
            const double x = std::round(map.transform(v)) + 0.5;
            painter.drawLine(QPointF(x, ticks.axis), QPointF(x, end));
        }
    };
    drawTicks(minor_, ticks.minorEnd);
    drawTicks(major_, ticks.majorEnd);
    paintTexts(painter, fitted);
}

LinearGauge::TickGeometry LinearGauge::tickGeometry(const QFontMetricsF& metrics) const {
    const double h = height();
    TickGeometry g{};
    g.fits = true;
    if (!markings().tickLabelsShown || major_.interval <= 0) {
        g.axis = std::floor(tickTop_ * h) + 0.5;
        g.majorEnd = std::min(std::floor(tickBottom_ * h), h - 2);
    } else {
        // The values sit on the bottom edge; the ticks keep their design length above them but
        // stay below the bands.
        const QRectF digits = metrics.tightBoundingRect(QStringLiteral("0123456789-"));
        g.baseline = std::floor(h - 0.5 - numberEdge(digits) - digits.bottom());
        g.majorEnd = std::floor(g.baseline + digits.top() - kTickGap);
        double lowestBand = 0.0;
        for (int i = 0; i < markings().bandCount; ++i) {
            lowestBand = std::max(lowestBand, bandExtents_[static_cast<size_t>(i)].bottom * h);
        }
        const double designLength = (tickBottom_ - tickTop_) * h;
        g.axis = std::floor(std::max(g.majorEnd - designLength, lowestBand)) + 0.5;
        g.fits = g.majorEnd - g.axis >= kShortestTick;
    }
    g.minorEnd = g.axis + std::max(1.0, std::round((g.majorEnd - g.axis) / 2));
    return g;
}

bool LinearGauge::placeTexts(const QFont& font, bool dropMisfits, QList<PlacedText>& texts) const {
    const QFontMetricsF metrics(font);
    const TickGeometry ticks = tickGeometry(metrics);
    if (!ticks.fits && !dropMisfits) {
        return false;
    }
    const double w = width();
    const double h = height();
    const double gap = textGap(metrics);
    const double margin = kBorder + gap;
    const QRectF area = QRectF(rect()).adjusted(margin, margin, -margin, -margin);
    const ScaleMap map = pixelMap();
    auto clearOfTexts = [&](const QRectF& box) {
        const QRectF spaced = box.adjusted(-gap, -gap, gap, gap);
        return std::none_of(texts.begin(), texts.end(),
                            [&](const PlacedText& t) { return t.box.intersects(spaced); });
    };

    if (markings().tickLabelsShown && major_.interval > 0) {
        const QRectF digits = metrics.tightBoundingRect(QStringLiteral("0123456789-"));
        for (double v = major_.from; v <= major_.to + 1e-9; v += major_.interval) {
            const QString text = QString::number(v);
            const double textWidth = metrics.horizontalAdvance(text);
            const QRectF box(map.transform(v) - textWidth / 2, ticks.baseline + digits.top(),
                             textWidth, digits.height());
            // Their room below is settled with the ticks' places, and the same at the sides.
            const double side = 0.5 + numberEdge(digits);
            if (box.left() >= side && box.right() <= w - side && clearOfTexts(box)) {
                texts.append(
                    {text, box, QPointF(box.left(), ticks.baseline), markings().tickColour});
            } else if (!dropMisfits) {
                return false;
            }
        }
    }

    // Legends keep clear of the bands and of everything from the axis down.
    QList<QRectF> scale{QRectF(0, ticks.axis - 0.5, w, h)};
    for (int i = 0; i < markings().bandCount; ++i) {
        const GaugeMarkings::Band& band = markings().bands[i];
        const double x1 = map.transform(map.clampToScale(std::min(band.start, band.end)));
        const double x2 = map.transform(map.clampToScale(std::max(band.start, band.end)));
        const BandExtent& extent = bandExtents_[static_cast<size_t>(i)];
        scale << QRectF(x1 - 1, extent.top * h, x2 - x1 + 2, (extent.bottom - extent.top) * h);
    }
    // Labels sharing a row are laid out left to right: each at its design place unless the one
    // before reaches there, the row then pulled in from the right edge as far as it sticks out.
    QList<int> order;
    for (int i = 0; i < markings().labelCount; ++i) {
        if (!markings().labels[i].caption.isEmpty()) {
            order << i;
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const QPointF pa = markings().labels[a].position;
        const QPointF pb = markings().labels[b].position;
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    double rowsEnd = area.top();  // below the rows laid out so far, with the gap
    for (qsizetype first = 0; first < order.size();) {
        const double rowY = markings().labels[order[first]].position.y();
        // A row starts at its design height, or lower where the row above reaches there.
        const double rowTop = std::max(rowY * h, rowsEnd);
        qsizetype end = first;
        while (end < order.size() && markings().labels[order[end]].position.y() == rowY) {
            ++end;
        }
        // Labels in a row stay clearly further apart than the words of one caption.
        const double rowGap = std::max(2 * gap, 2 * metrics.horizontalAdvance(QLatin1Char(' ')));
        QList<QRectF> boxes;
        double reached = area.left() - rowGap;
        for (qsizetype k = first; k < end; ++k) {
            const GaugeMarkings::Label& label = markings().labels[order[k]];
            const double x = std::max(label.position.x() * w, reached + rowGap);
            boxes << QRectF(x, rowTop, metrics.horizontalAdvance(label.caption), metrics.height());
            reached = boxes.last().right();
        }
        double limit = area.right();
        for (qsizetype k = boxes.size() - 1; k >= 0; --k) {
            QRectF& box = boxes[k];
            box.moveRight(std::min(box.right(), limit));
            limit = box.left() - rowGap;
        }
        for (qsizetype k = 0; k < boxes.size(); ++k) {
            const QRectF& box = boxes[k];
            const GaugeMarkings::Label& label = markings().labels[order[first + k]];
            const bool clear = std::none_of(scale.begin(), scale.end(), [&](const QRectF& part) {
                return part.intersects(box);
            });
            if (area.contains(box) && clear && clearOfTexts(box)) {
                texts.append({label.caption, box, QPointF(box.left(), box.top() + metrics.ascent()),
                              label.colour});
            } else if (!dropMisfits) {
                return false;
            }
        }
        rowsEnd = rowTop + metrics.height() + gap;
        first = end;
    }
    return true;
}

void LinearGauge::paintDynamic(QPainter& painter) {
    paintMarkers(painter);
    paintReadout(painter);
}

QPointF LinearGauge::valueAnchor(int index) const {
    const QRectF pointer = pointerPolygon(index).boundingRect();
    const double x = positionForValue(pixelMap().clampToScale(markerValue(index)));
    return {x, pointer.top() - QFontMetricsF(font()).height() / 2 - 1};
}

}  // namespace orvendel
