// SPDX-License-Identifier: MIT
// The gauge base's accessors of its labels, bands and tick look.
#include <algorithm>

#include "shell/gauges/gauge_widget.h"

namespace orvendel {

GaugeMarkings::Label* GaugeWidget::label(int index) {
    return index >= 0 && index < markings_.labels.size() ? &markings_.labels[index] : nullptr;
}

const GaugeMarkings::Label* GaugeWidget::label(int index) const {
    return index >= 0 && index < markings_.labels.size() ? &markings_.labels[index] : nullptr;
}

GaugeMarkings::Band* GaugeWidget::band(int index) {
    return index >= 0 && index < markings_.bands.size() ? &markings_.bands[index] : nullptr;
}

const GaugeMarkings::Band* GaugeWidget::band(int index) const {
    return index >= 0 && index < markings_.bands.size() ? &markings_.bands[index] : nullptr;
}

void GaugeWidget::setLabelCount(int count) {
    markings_.labelCount = std::clamp(count, 0, static_cast<int>(markings_.labels.size()));
    invalidateStatic();
}

QString GaugeWidget::labelCaption(int index) const {
    return label(index) ? label(index)->caption : QString();
}

void GaugeWidget::setLabelCaption(int index, const QString& caption) {
    if (GaugeMarkings::Label* changed = label(index)) {
        changed->caption = caption;
        invalidateStatic();
    }
}

void GaugeWidget::setLabelColour(int index, const QColor& colour) {
    if (GaugeMarkings::Label* changed = label(index)) {
        changed->colour = colour;
        invalidateStatic();
    }
}

QPointF GaugeWidget::labelPosition(int index) const {
    return label(index) ? label(index)->position : QPointF();
}

void GaugeWidget::setLabelPosition(int index, const QPointF& position) {
    if (GaugeMarkings::Label* changed = label(index)) {
        changed->position = position;
        invalidateStatic();
    }
}

void GaugeWidget::setBandCount(int count) {
    markings_.bandCount = std::clamp(count, 0, static_cast<int>(markings_.bands.size()));
    invalidateStatic();
}

double GaugeWidget::bandStart(int index) const {
    return band(index) ? band(index)->start : 0.0;
}

double GaugeWidget::bandEnd(int index) const {
    return band(index) ? band(index)->end : 0.0;
}

QColor GaugeWidget::bandColour(int index) const {
    return band(index) ? band(index)->colour : QColor();
}

void GaugeWidget::setBand(int index, double start, double end) {
    if (GaugeMarkings::Band* changed = band(index)) {
        changed->start = start;
        changed->end = end;
        invalidateStatic();
    }
}

void GaugeWidget::setBandColour(int index, const QColor& colour) {
    if (GaugeMarkings::Band* changed = band(index)) {
        changed->colour = colour;
        invalidateStatic();
    }
}

void GaugeWidget::setTickColour(const QColor& colour) {
    markings_.tickColour = colour;
    invalidateStatic();
}

void GaugeWidget::setTickLabelsShown(bool shown) {
    markings_.tickLabelsShown = shown;
    invalidateStatic();
}

}  // namespace orvendel
