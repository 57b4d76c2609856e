// SPDX-License-Identifier: MIT
#include "shell/gauges/gauge_widget.h"

#include <algorithm>
#include <cmath>

#include "camera/angle_editor.h"
#include "settingsfile/settings_number.h"
#include "shell/gauges/gauge_accessible.h"
#include "shell/gauges/gauge_value_editor.h"

namespace orvendel {

namespace {

bool sameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

GaugeWidget::GaugeWidget(int labelSlots, int bandSlots, QWidget* parent)
    : QWidget(parent), markings_(labelSlots, bandSlots) {
    GaugeAccessible::install();
    setFocusPolicy(Qt::StrongFocus);
    setFont(gaugeFont());
}

GaugeWidget::~GaugeWidget() {
    // An open editor loses the focus as it goes, and must not call back into a gauge that is
    // being destroyed.
    if (editor_) {
        editor_->disconnect(this);
        delete editor_;
    }
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
    GaugeAccessible::announceValue(this, index);
    if (index == selected_)
        emit valueChanged(value);
}

bool GaugeWidget::setValueByUser(int index, double value) {
    if (dragged_ >= 0 || !isMarkerShown(index) || !isMarkerDraggable(index)) {
        return false;
    }
    if (!moveByUser(index, value)) {
        return false;
    }
    emit markerReleased(index, markerValue(index));
    return true;
}

double GaugeWidget::selectedValue() const {
    return selected_ >= 0 ? markerValue(selected_) : 0.0;
}

void GaugeWidget::setSelectedValue(double value) {
    setMarkerValue(selected_, value);
}

QRectF GaugeWidget::markerBounds(int index) const {
    return isMarkerShown(index) ? markerPolygon(index).boundingRect() : QRectF();
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

const MarkerPainter& GaugeWidget::markerPainter(int index) const {
    static const MarkerPainter none;
    return index >= 0 && index < kMaxMarkers ? painters_[static_cast<size_t>(index)] : none;
}

void GaugeWidget::setMarkerColour(int index, const QColor& colour) {
    if (index >= 0 && index < kMaxMarkers) {
        painters_[static_cast<size_t>(index)].setColour(colour);
        update();
    }
}

void GaugeWidget::setMarkerShape(int index, MarkerPainter::Shape shape) {
    if (index >= 0 && index < kMaxMarkers) {
        painters_[static_cast<size_t>(index)].setShape(shape);
        update();
    }
}

void GaugeWidget::setMarkerWidth(int index, double width) {
    if (index >= 0 && index < kMaxMarkers) {
        painters_[static_cast<size_t>(index)].setWidth(width);
        update();
    }
}

void GaugeWidget::setMarkerReach(int index, double head, double foot) {
    if (index >= 0 && index < kMaxMarkers) {
        painters_[static_cast<size_t>(index)].setReach(head, foot);
        update();
    }
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

void GaugeWidget::setValueResolution(double resolution) {
    valueResolution_ = std::isfinite(resolution) ? std::abs(resolution) : 0.0;
}

void GaugeWidget::setValueSuffix(const QString& suffix) {
    valueSuffix_ = suffix;
    update();
}

QString GaugeWidget::valueNumber(int index) const {
    // The record keeps 4-byte floats: the shortest text that reads back as the same float is
    // exactly what will be saved; + 0.0f shows -0 as "0".
    return QString::fromStdString(shortestFloatText(static_cast<float>(markerValue(index)) + 0.0f));
}

QString GaugeWidget::valueText(int index) const {
    return valueNumber(index) + valueSuffix_;
}

void GaugeWidget::setSelectedMarker(int index) {
    if (index < 0 || index >= markerCount_ || !isMarkerDraggable(index) || index == selected_) {
        return;
    }
    select(index);
    update();
    GaugeAccessible::announceValue(this, index);
}

bool GaugeWidget::isValueTextShown() const {
    if (dragged_ >= 0) {
        return true;
    }
    return hasFocus() && selected_ >= 0 && isMarkerShown(selected_);
}

bool GaugeWidget::isMarkerShown(int index) const {
    return index >= 0 && index < markerCount_ && !std::isnan(values_[static_cast<size_t>(index)]);
}

bool GaugeWidget::moveByUser(int index, double value) {
    if (std::isnan(value)) {
        return false;
    }
    value = std::clamp(value, rangeMinimum_, rangeMaximum_);
    if (valueResolution_ > 0) {
        value = std::clamp(roundToMultiple(value, valueResolution_), rangeMinimum_, rangeMaximum_);
    }
    return storeUserValue(index, value);
}

bool GaugeWidget::storeUserValue(int index, double value) {
    if (sameValue(markerValue(index), value)) {
        return false;
    }
    values_[static_cast<size_t>(index)] = value;
    update();
    GaugeAccessible::announceValue(this, index);
    if (index == selected_)
        emit valueChanged(value);
    emit markerMoved(index, value);
    return true;
}

void GaugeWidget::repairSelection() {
    if (selected_ >= 0 && selected_ < markerCount_ && isMarkerDraggable(selected_)) {
        return;
    }
    int usable = -1;
    for (int i = 0; i < markerCount_ && usable < 0; ++i) {
        if (isMarkerDraggable(i))
            usable = i;
    }
    select(usable);
}

void GaugeWidget::select(int index) {
    if (index == selected_)
        return;
    const double before = selectedValue();
    selected_ = index;
    emit selectedMarkerChanged(index);
    if (!sameValue(before, selectedValue()))
        emit valueChanged(selectedValue());
}

}  // namespace orvendel
