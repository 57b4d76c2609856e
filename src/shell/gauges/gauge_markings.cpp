// SPDX-License-Identifier: MIT
// The gauge base's accessors of its labels, bands and tick look.
#include <algorithm>

#include "shell/gauges/gauge_widget.h"

namespace orvendel {

namespace {

// Entry `index` of `list`, or null past its end.
template <typename List>
auto* slot(List& list, int index) {
    return index >= 0 && index < list.size() ? &list[index] : nullptr;
}

}  // namespace

void GaugeWidget::setLabelCount(int count) {
    markings_.labelCount = std::clamp(count, 0, static_cast<int>(markings_.labels.size()));
    invalidateStatic();
}

QString GaugeWidget::labelCaption(int index) const {
    return slot(markings_.labels, index) ? slot(markings_.labels, index)->caption : QString();
}

void GaugeWidget::setLabelCaption(int index, const QString& caption) {
    if (GaugeMarkings::Label* changed = slot(markings_.labels, index)) {
        changed->caption = caption;
        invalidateStatic();
    }
}

void GaugeWidget::setLabelColour(int index, const QColor& colour) {
    if (GaugeMarkings::Label* changed = slot(markings_.labels, index)) {
        changed->colour = colour;
        invalidateStatic();
    }
}

QPointF GaugeWidget::labelPosition(int index) const {
    return slot(markings_.labels, index) ? slot(markings_.labels, index)->position : QPointF();
}

void GaugeWidget::setLabelPosition(int index, const QPointF& position) {
    if (GaugeMarkings::Label* changed = slot(markings_.labels, index)) {
        changed->position = position;
        invalidateStatic();
    }
}

void GaugeWidget::setBandCount(int count) {
    markings_.bandCount = std::clamp(count, 0, static_cast<int>(markings_.bands.size()));
    invalidateStatic();
}

double GaugeWidget::bandStart(int index) const {
    return slot(markings_.bands, index) ? slot(markings_.bands, index)->start : 0.0;
}

double GaugeWidget::bandEnd(int index) const {
    return slot(markings_.bands, index) ? slot(markings_.bands, index)->end : 0.0;
}

QColor GaugeWidget::bandColour(int index) const {
    return slot(markings_.bands, index) ? slot(markings_.bands, index)->colour : QColor();
}

void GaugeWidget::setBand(int index, double start, double end) {
    if (GaugeMarkings::Band* changed = slot(markings_.bands, index)) {
        changed->start = start;
        changed->end = end;
        invalidateStatic();
    }
}

void GaugeWidget::setBandColour(int index, const QColor& colour) {
    if (GaugeMarkings::Band* changed = slot(markings_.bands, index)) {
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
