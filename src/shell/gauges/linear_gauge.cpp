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

bool validIndex(int index, int count) {
    return index >= 0 && index < count;
}

// The arrowhead filling the left half of its box and pointing right at the box's middle.
QPolygonF leftArrowhead() {
    return QPolygonF({QPointF(0, 1000), QPointF(100, 1000), QPointF(500, 550), QPointF(500, 450),
                      QPointF(100, 0), QPointF(0, 0)});
}

// Its mirror image.
QPolygonF rightArrowhead() {
    return QPolygonF({QPointF(1000, 1000), QPointF(900, 1000), QPointF(500, 550), QPointF(500, 450),
                      QPointF(900, 0), QPointF(1000, 0)});
}

QPolygonF fullBar() {
    return QPolygonF({QPointF(0, 0), QPointF(1000, 0), QPointF(1000, 1000), QPointF(0, 1000)});
}

}  // namespace

LinearGauge::LinearGauge(QWidget* parent) : GaugeWidget(parent), tickColour_(192, 192, 0) {
    setPointerCount(kMaxPointers);
    setRange(scaleStart_, scaleEnd_);
    setValueFormat(1, QString());
    setSingleStep(1.0);
    setPageStep(10.0);
    bands_[0] = {0.0, 0.0, 0.6, 0.75, QColor(64, 64, 112)};
    for (size_t i = 0; i < labels_.size(); ++i) {
        labels_[i] = {QString(), QColor(255, 255, 0), QPointF(0.1 + 0.15 * i, 0.1)};
    }
    pointers_[0] = {PointerShape::LeftArrowhead, {}, 0.08, 0.55, 0.85, QColor(255, 0, 0)};
    pointers_[1] = {PointerShape::RightArrowhead, {}, 0.08, 0.55, 0.85, QColor(255, 0, 255)};
    pointers_[2] = {PointerShape::Bar, {}, 0.02, 0.55, 0.85, QColor(0, 255, 255)};
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

void LinearGauge::setTickColour(const QColor& colour) {
    tickColour_ = colour;
    invalidateStatic();
}

void LinearGauge::setTickExtent(double top, double bottom) {
    tickTop_ = std::clamp(std::min(top, bottom), 0.0, 1.0);
    tickBottom_ = std::clamp(std::max(top, bottom), 0.0, 1.0);
    invalidateStatic();
}

void LinearGauge::setTickLabelsShown(bool shown) {
    tickLabelsShown_ = shown;
    invalidateStatic();
}

void LinearGauge::setBandCount(int count) {
    bandCount_ = std::clamp(count, 0, kMaxBands);
    invalidateStatic();
}

double LinearGauge::bandStart(int index) const {
    return validIndex(index, kMaxBands) ? bands_[static_cast<size_t>(index)].start : 0.0;
}

double LinearGauge::bandEnd(int index) const {
    return validIndex(index, kMaxBands) ? bands_[static_cast<size_t>(index)].end : 0.0;
}

void LinearGauge::setBand(int index, double start, double end) {
    if (validIndex(index, kMaxBands)) {
        bands_[static_cast<size_t>(index)].start = start;
        bands_[static_cast<size_t>(index)].end = end;
        invalidateStatic();
    }
}

void LinearGauge::setBandExtent(int index, double top, double bottom) {
    if (validIndex(index, kMaxBands)) {
        bands_[static_cast<size_t>(index)].top = std::clamp(std::min(top, bottom), 0.0, 1.0);
        bands_[static_cast<size_t>(index)].bottom = std::clamp(std::max(top, bottom), 0.0, 1.0);
        invalidateStatic();
    }
}

QColor LinearGauge::bandColour(int index) const {
    return validIndex(index, kMaxBands) ? bands_[static_cast<size_t>(index)].colour : QColor();
}

void LinearGauge::setBandColour(int index, const QColor& colour) {
    if (validIndex(index, kMaxBands)) {
        bands_[static_cast<size_t>(index)].colour = colour;
        invalidateStatic();
    }
}

void LinearGauge::setLabelCount(int count) {
    labelCount_ = std::clamp(count, 0, kMaxLabels);
    invalidateStatic();
}

QString LinearGauge::labelCaption(int index) const {
    return validIndex(index, kMaxLabels) ? labels_[static_cast<size_t>(index)].caption : QString();
}

void LinearGauge::setLabelCaption(int index, const QString& caption) {
    if (validIndex(index, kMaxLabels)) {
        labels_[static_cast<size_t>(index)].caption = caption;
        invalidateStatic();
    }
}

QColor LinearGauge::labelColour(int index) const {
    return validIndex(index, kMaxLabels) ? labels_[static_cast<size_t>(index)].colour : QColor();
}

void LinearGauge::setLabelColour(int index, const QColor& colour) {
    if (validIndex(index, kMaxLabels)) {
        labels_[static_cast<size_t>(index)].colour = colour;
        invalidateStatic();
    }
}

QPointF LinearGauge::labelPosition(int index) const {
    return validIndex(index, kMaxLabels) ? labels_[static_cast<size_t>(index)].position : QPointF();
}

void LinearGauge::setLabelPosition(int index, const QPointF& position) {
    if (validIndex(index, kMaxLabels)) {
        labels_[static_cast<size_t>(index)].position = position;
        invalidateStatic();
    }
}

LinearGauge::PointerShape LinearGauge::pointerShape(int index) const {
    return validIndex(index, kMaxPointers) ? pointers_[static_cast<size_t>(index)].shape
                                           : PointerShape::Bar;
}

void LinearGauge::setPointerShape(int index, PointerShape shape) {
    if (validIndex(index, kMaxPointers)) {
        pointers_[static_cast<size_t>(index)].shape = shape;
        update();
    }
}

void LinearGauge::setPointerOutline(int index, const QPolygonF& outline) {
    if (validIndex(index, kMaxPointers)) {
        pointers_[static_cast<size_t>(index)].customOutline = outline;
        pointers_[static_cast<size_t>(index)].shape = PointerShape::Custom;
        update();
    }
}

QPolygonF LinearGauge::pointerOutline(int index) const {
    switch (pointerShape(index)) {
        case PointerShape::LeftArrowhead:
            return leftArrowhead();
        case PointerShape::RightArrowhead:
            return rightArrowhead();
        case PointerShape::Bar:
            return fullBar();
        case PointerShape::Custom:
            return pointers_[static_cast<size_t>(index)].customOutline;
    }
    return fullBar();
}

double LinearGauge::pointerWidth(int index) const {
    return validIndex(index, kMaxPointers) ? pointers_[static_cast<size_t>(index)].width : 0.0;
}

void LinearGauge::setPointerWidth(int index, double relativeWidth) {
    if (validIndex(index, kMaxPointers)) {
        pointers_[static_cast<size_t>(index)].width = std::clamp(relativeWidth, 0.0, 1.0);
        update();
    }
}

void LinearGauge::setPointerExtent(int index, double top, double bottom) {
    if (validIndex(index, kMaxPointers)) {
        pointers_[static_cast<size_t>(index)].top = std::clamp(std::min(top, bottom), 0.0, 1.0);
        pointers_[static_cast<size_t>(index)].bottom = std::clamp(std::max(top, bottom), 0.0, 1.0);
        update();
    }
}

QColor LinearGauge::pointerColour(int index) const {
    return validIndex(index, kMaxPointers) ? pointers_[static_cast<size_t>(index)].colour
                                           : QColor();
}

void LinearGauge::setPointerColour(int index, const QColor& colour) {
    if (validIndex(index, kMaxPointers)) {
        pointers_[static_cast<size_t>(index)].colour = colour;
        update();
    }
}

QPolygonF LinearGauge::pointerPolygon(int index) const {
    if (!validIndex(index, kMaxPointers)) {
        return {};
    }
    const Pointer& pointer = pointers_[static_cast<size_t>(index)];
    const ScaleMap map = pixelMap();
    const double x = map.transform(map.clampToScale(pointerValue(index)));
    double boxWidth = std::max(kMinimumPointerWidth, pointer.width * width());
    double left = x - boxWidth / 2;
    if (pointer.shape == PointerShape::Bar) {
        // Bars keep to whole pixels so that thin ones stay sharp and in their full colour.
        boxWidth = std::max(kMinimumPointerWidth, std::round(boxWidth));
        left = std::round(x - boxWidth / 2);
    }
    const double top = pointer.top * height();
    const double boxHeight = (pointer.bottom - pointer.top) * height();
    QPolygonF polygon;
    for (const QPointF& p : pointerOutline(index)) {
        polygon << QPointF(left + p.x() * boxWidth / 1000.0, top + p.y() * boxHeight / 1000.0);
    }
    return polygon;
}

QPointF LinearGauge::pointerGrabPoint(int index) const {
    return pointerPolygon(index).boundingRect().center();
}

int LinearGauge::markerAt(const QPointF& pos) const {
    // The pointer drawn on top wins: the emphasised one, then the higher index.
    auto hits = [&](int i) {
        return isMarkerShown(i) && isPointerDraggable(i) &&
               pointerPolygon(i).boundingRect().adjusted(-2, -2, 2, 2).contains(pos);
    };
    if (hits(selectedMarker())) {
        return selectedMarker();
    }
    for (int i = pointerCount() - 1; i >= 0; --i) {
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
    for (int i = 0; i < bandCount_; ++i) {
        const Band& band = bands_[static_cast<size_t>(i)];
        double x1 = map.transform(map.clampToScale(std::min(band.start, band.end)));
        double x2 = map.transform(map.clampToScale(std::max(band.start, band.end)));
        if (x2 - x1 < kMinimumBandWidth) {
            const double middle = (x1 + x2) / 2;
            x1 = middle - kMinimumBandWidth / 2;
            x2 = middle + kMinimumBandWidth / 2;
        }
        painter.setBrush(band.colour);
        painter.drawRect(QRectF(x1, band.top * h, x2 - x1, (band.bottom - band.top) * h));
    }

    // Axis along the top of the tick area, ticks hanging below it. One-pixel lines run through
    // pixel centres so that they stay sharp at any device pixel ratio.
    const double axis = std::floor(tickTop_ * h) + 0.5;
    const double bottom = std::min(std::floor(tickBottom_ * h), h - 2);
    painter.setPen(QPen(tickColour_, 1.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(std::round(map.p1()), axis), QPointF(std::round(map.p2()) + 1, axis));
    auto drawTicks = [&](const Ticks& ticks, double end) {
        if (ticks.interval <= 0) {
            return;
        }
        for (double v = ticks.from; v <= ticks.to + 1e-9; v += ticks.interval) {
            const double x = std::round(map.transform(v)) + 0.5;
            painter.drawLine(QPointF(x, axis), QPointF(x, end));
        }
    };
    drawTicks(minor_, axis + std::max(1.0, std::round((bottom - axis) / 2)));
    drawTicks(major_, bottom);

    const QFontMetricsF metrics(painter.font());
    if (tickLabelsShown_ && major_.interval > 0) {
        painter.setPen(tickColour_);
        for (double v = major_.from; v <= major_.to + 1e-9; v += major_.interval) {
            const QString text = QString::number(v);
            const double w = metrics.horizontalAdvance(text);
            painter.drawText(
                QRectF(map.transform(v) - w / 2, axis - metrics.height(), w, metrics.height()),
                Qt::AlignCenter, text);
        }
    }

    for (int i = 0; i < labelCount_; ++i) {
        const Label& label = labels_[static_cast<size_t>(i)];
        if (label.caption.isEmpty()) {
            continue;
        }
        const QPointF topLeft(label.position.x() * width(), label.position.y() * h);
        painter.setPen(label.colour);
        painter.drawText(QRectF(topLeft, QSizeF(width() - topLeft.x(), metrics.height())),
                         Qt::AlignLeft | Qt::AlignTop, label.caption);
    }
}

void LinearGauge::paintDynamic(QPainter& painter) {
    const int emphasised = draggedMarker() >= 0 ? draggedMarker() : selectedMarker();
    auto drawPointer = [&](int i) {
        const QColor colour = pointerColour(i);
        painter.setPen(QPen(colour.darker(200), 0.8));
        painter.setBrush(colour);
        painter.drawPolygon(pointerPolygon(i));
    };
    for (int i = 0; i < pointerCount(); ++i) {
        if (isMarkerShown(i) && i != emphasised) {
            drawPointer(i);
        }
    }
    if (isMarkerShown(emphasised)) {
        drawPointer(emphasised);
    }

    if (isValueTextShown() && isMarkerShown(emphasised)) {
        const QRectF pointer = pointerPolygon(emphasised).boundingRect();
        const double x = positionForValue(pixelMap().clampToScale(pointerValue(emphasised)));
        const QFontMetricsF metrics(painter.font());
        const QPointF middle(x, pointer.top() - metrics.height() / 2 - 1);
        paintValueBox(painter, middle, pointerColour(emphasised), valueText(emphasised));
    }
}

void LinearGauge::notifyMoved(int index, double value) {
    emit pointerMoved(index, value);
}

void LinearGauge::notifyReleased(int index, double value) {
    emit pointerReleased(index, value);
}

}  // namespace orvendel
