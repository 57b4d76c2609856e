// SPDX-License-Identifier: MIT
#include "shell/gauges/gauge_widget.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <cmath>

namespace orvendel {

namespace {

bool sameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

GaugeWidget::GaugeWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setFont(gaugeFont());
}

QFont GaugeWidget::gaugeFont() {
    QFont font;
    // The first family is the gauges' own; the others are close in width on systems without it.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

void GaugeWidget::setMarkerCount(int count) {
    count = std::clamp(count, 0, kMaxMarkers);
    if (count == markerCount_) {
        return;
    }
    markerCount_ = count;
    if (dragged_ >= markerCount_) {
        dragged_ = -1;  // the program took the marker away: no notification
        setMouseTracking(false);
    }
    repairSelection();
    update();
}

double GaugeWidget::markerValue(int index) const {
    if (index < 0 || index >= kMaxMarkers) {
        return 0.0;
    }
    return values_[static_cast<size_t>(index)];
}

void GaugeWidget::setMarkerValue(int index, double value) {
    if (index < 0 || index >= kMaxMarkers) {
        return;
    }
    double& stored = values_[static_cast<size_t>(index)];
    if (sameValue(stored, value)) {
        return;
    }
    stored = value;
    update();
}

bool GaugeWidget::isMarkerDraggable(int index) const {
    return index >= 0 && index < kMaxMarkers && draggable_[static_cast<size_t>(index)];
}

void GaugeWidget::setMarkerDraggable(int index, bool draggable) {
    if (index < 0 || index >= kMaxMarkers || draggable_[static_cast<size_t>(index)] == draggable) {
        return;
    }
    draggable_[static_cast<size_t>(index)] = draggable;
    if (!draggable && dragged_ == index) {
        dragged_ = -1;  // the program took the marker away: no notification
        setMouseTracking(false);
    }
    repairSelection();
    update();
}

void GaugeWidget::setRange(double minimum, double maximum) {
    rangeMinimum_ = std::min(minimum, maximum);
    rangeMaximum_ = std::max(minimum, maximum);
    update();
}

void GaugeWidget::setSingleStep(double step) {
    singleStep_ = std::abs(step);
}

void GaugeWidget::setPageStep(double step) {
    pageStep_ = std::abs(step);
}

void GaugeWidget::setValueFormat(int decimals, const QString& suffix) {
    valueDecimals_ = std::clamp(decimals, 0, 6);
    valueSuffix_ = suffix;
    update();
}

QString GaugeWidget::valueText(int index) const {
    QString number = QString::number(markerValue(index), 'f', valueDecimals_);
    // A value that rounds to zero reads "0", not "-0".
    if (number.startsWith(QLatin1Char('-')) &&
        number.count(QLatin1Char('0')) + number.count(QLatin1Char('.')) == number.size() - 1) {
        number.remove(0, 1);
    }
    return number + valueSuffix_;
}

void GaugeWidget::setSelectedMarker(int index) {
    if (index < 0 || index >= markerCount_ || !isMarkerDraggable(index) || index == selected_) {
        return;
    }
    selected_ = index;
    update();
}

bool GaugeWidget::isValueTextShown() const {
    if (dragged_ >= 0) {
        return true;
    }
    return hasFocus() && selected_ >= 0 && isMarkerShown(selected_);
}

QSize GaugeWidget::minimumSizeHint() const {
    return {40, 30};
}

QList<GaugeWidget::DrawnText> GaugeWidget::drawnTexts() const {
    return {};
}

void GaugeWidget::invalidateStatic() {
    staticLayer_ = QPixmap();
    update();
}

void GaugeWidget::paintValueBox(QPainter& painter, const QPointF& middle, const QColor& colour,
                                const QString& text) const {
    const QFontMetricsF metrics(painter.font());
    const QSizeF size(metrics.horizontalAdvance(text) + 6, metrics.height() + 1);
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    QRectF box(middle - QPointF(size.width() / 2, size.height() / 2), size);
    box.moveLeft(
        std::clamp(box.left(), area.left(), std::max(area.left(), area.right() - box.width())));
    box.moveTop(
        std::clamp(box.top(), area.top(), std::max(area.top(), area.bottom() - box.height())));
    painter.save();
    painter.setPen(QPen(colour, 1.0));
    painter.setBrush(QColor(0, 0, 0, 220));
    painter.drawRoundedRect(box, 3, 3);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

QPainterPath GaugeWidget::faceEdge() const {
    QPainterPath edge;
    edge.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    return edge;
}

bool GaugeWidget::isMarkerShown(int index) const {
    return index >= 0 && index < markerCount_ && !std::isnan(values_[static_cast<size_t>(index)]);
}

void GaugeWidget::paintEvent(QPaintEvent* /*event*/) {
    const qreal ratio = devicePixelRatioF();
    if (staticLayer_.isNull() || staticLayer_.devicePixelRatio() != ratio ||
        staticLayer_.deviceIndependentSize() != QSizeF(size())) {
        staticLayer_ = QPixmap(size() * ratio);
        staticLayer_.setDevicePixelRatio(ratio);
        staticLayer_.fill(Qt::transparent);
        QPainter layerPainter(&staticLayer_);
        layerPainter.setRenderHint(QPainter::Antialiasing);
        layerPainter.setFont(font());
        paintStatic(layerPainter);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, staticLayer_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    paintDynamic(painter);
    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        option.backgroundColor = palette().color(QPalette::Window);
        // Some styles fill the focus rectangle; only its edge may cover the gauge.
        painter.setClipRegion(QRegion(rect()) - QRegion(rect().adjusted(3, 3, -3, -3)));
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        // Styles draw faint frames on dark faces; the face's own edge lights up as well.
        painter.setClipping(false);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1.5));
        painter.drawPath(faceEdge());
    }
}

void GaugeWidget::resizeEvent(QResizeEvent* event) {
    invalidateStatic();
    QWidget::resizeEvent(event);
}

void GaugeWidget::changeEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::PaletteChange:
        case QEvent::FontChange:
        case QEvent::StyleChange:
            invalidateStatic();
            break;
        default:
            break;
    }
    QWidget::changeEvent(event);
}

void GaugeWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || dragged_ >= 0) {
        event->ignore();
        return;
    }
    const QPointF pos = event->position();
    const int index = markerAt(pos);
    if (index < 0) {
        event->ignore();
        return;
    }
    // The offset keeps a needle grabbed away from its value from jumping to the mouse.
    const double shown = std::clamp(markerValue(index), rangeMinimum_, rangeMaximum_);
    grabOffset_ = shown - valueFromPoint(pos);
    dragged_ = index;
    dragChanged_ = false;
    // Moves without the button reach the gauge only when tracked; they end a lost drag.
    setMouseTracking(true);
    selected_ = index;
    event->accept();
    update();
}

void GaugeWidget::mouseMoveEvent(QMouseEvent* event) {
    if (dragged_ < 0) {
        event->ignore();
        return;
    }
    if (!(event->buttons() & Qt::LeftButton)) {
        // The release went elsewhere (for instance to a message box opened meanwhile).
        finishDrag();
        event->accept();
        return;
    }
    if (moveByUser(dragged_, valueFromPoint(event->position()) + grabOffset_)) {
        dragChanged_ = true;
    }
    event->accept();
}

void GaugeWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (dragged_ < 0 || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    // The release only ends the drag; its position was already taken by the last move.
    event->accept();
    finishDrag();
}

void GaugeWidget::finishDrag() {
    const int index = dragged_;
    const bool changed = dragChanged_;
    dragged_ = -1;
    dragChanged_ = false;
    setMouseTracking(false);
    update();
    if (changed) {
        notifyReleased(index, markerValue(index));
    }
}

void GaugeWidget::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_1 && key < Qt::Key_1 + kMaxMarkers) {
        setSelectedMarker(key - Qt::Key_1);
        event->accept();
        return;
    }
    double step = 0.0;
    bool toEnd = false;
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Right:
            step = singleStep_;
            break;
        case Qt::Key_Down:
        case Qt::Key_Left:
            step = -singleStep_;
            break;
        case Qt::Key_PageUp:
            step = pageStep_;
            break;
        case Qt::Key_PageDown:
            step = -pageStep_;
            break;
        case Qt::Key_Home:
            toEnd = true;
            step = -1.0;
            break;
        case Qt::Key_End:
            toEnd = true;
            step = 1.0;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
    const int index = selected_;
    if (dragged_ >= 0 || !isMarkerShown(index) || !isMarkerDraggable(index)) {
        return;
    }
    const double from = std::clamp(markerValue(index), rangeMinimum_, rangeMaximum_);
    const double target = toEnd ? (step < 0 ? rangeMinimum_ : rangeMaximum_) : from + step;
    if (moveByUser(index, target)) {
        notifyReleased(index, markerValue(index));
    }
}

void GaugeWidget::focusInEvent(QFocusEvent* event) {
    repairSelection();
    update();
    QWidget::focusInEvent(event);
}

void GaugeWidget::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

bool GaugeWidget::moveByUser(int index, double value) {
    if (std::isnan(value)) {
        return false;
    }
    value = std::clamp(value, rangeMinimum_, rangeMaximum_);
    if (sameValue(markerValue(index), value)) {
        return false;
    }
    values_[static_cast<size_t>(index)] = value;
    update();
    notifyMoved(index, value);
    return true;
}

void GaugeWidget::repairSelection() {
    if (selected_ >= 0 && selected_ < markerCount_ && isMarkerDraggable(selected_)) {
        return;
    }
    selected_ = -1;
    for (int i = 0; i < markerCount_; ++i) {
        if (isMarkerDraggable(i)) {
            selected_ = i;
            return;
        }
    }
}

}  // namespace orvendel
