// SPDX-License-Identifier: MIT
#include "shell/gauges/gauge_accessible.h"

#include <QWidget>
#include <QWindow>

namespace orvendel {

namespace {

QAccessibleInterface* gaugeFactory(const QString& className, QObject* object) {
    // Qt asks for each class from the most derived one up, so the subclasses come first.
    if (className == QLatin1String("orvendel::RoundGauge"))
        return new GaugeAccessible(static_cast<GaugeWidget*>(object), QAccessible::Dial);
    if (className == QLatin1String("orvendel::LinearGauge") ||
        className == QLatin1String("orvendel::GaugeWidget"))
        return new GaugeAccessible(static_cast<GaugeWidget*>(object), QAccessible::Slider);
    return nullptr;
}

GaugeAccessible::Announcer announcer = &QAccessible::updateAccessibility;

}  // namespace

GaugeAccessible::Announcer GaugeAccessible::setAnnouncer(Announcer replacement) {
    const Announcer previous = announcer;
    announcer = replacement ? replacement : &QAccessible::updateAccessibility;
    return previous;
}

void GaugeAccessible::announceValue(GaugeWidget* gauge, int index) {
    // Without listeners nothing is built: the interfaces are made on first use.
    if (announcer == &QAccessible::updateAccessibility && !QAccessible::isActive()) {
        return;
    }
    QAccessibleInterface* gaugeInterface = QAccessible::queryAccessibleInterface(gauge);
    if (!gaugeInterface || index < 0 || index >= gauge->markerCount()) {
        return;
    }
    if (QAccessibleInterface* marker = gaugeInterface->child(index)) {
        QAccessibleValueChangeEvent event(marker, gauge->markerValue(index));
        announcer(&event);
    }
    if (index == gauge->selectedMarker()) {
        QAccessibleValueChangeEvent event(gauge, gauge->markerValue(index));
        announcer(&event);
    }
}

GaugeAccessible::GaugeAccessible(GaugeWidget* gauge, QAccessible::Role role)
    : QAccessibleWidget(gauge, role) {}

GaugeAccessible::~GaugeAccessible() {
    for (QAccessible::Id id : markers_) {
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
    }
}

void GaugeAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(gaugeFactory);
        return true;
    }();
    (void)installed;
}

GaugeWidget* GaugeAccessible::gauge() const {
    return static_cast<GaugeWidget*>(widget());
}

void* GaugeAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString GaugeAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        const int selected = gauge()->selectedMarker();
        return selected >= 0 ? gauge()->valueText(selected) : QString();
    }
    return QAccessibleWidget::text(t);
}

int GaugeAccessible::childCount() const {
    return gauge()->markerCount() + QAccessibleWidget::childCount();
}

QAccessibleInterface* GaugeAccessible::child(int index) const {
    const int markers = gauge()->markerCount();
    if (index < 0)
        return nullptr;
    if (index >= markers)
        return QAccessibleWidget::child(index - markers);
    QAccessible::Id& id = markers_[static_cast<size_t>(index)];
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(new MarkerAccessible(gauge(), index));
    return QAccessible::accessibleInterface(id);
}

int GaugeAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int i = 0; i < gauge()->markerCount(); ++i) {
        const QAccessible::Id id = markers_[static_cast<size_t>(i)];
        if (id != 0 && QAccessible::accessibleInterface(id) == child)
            return i;
    }
    const int widgetIndex = QAccessibleWidget::indexOfChild(child);
    return widgetIndex < 0 ? -1 : gauge()->markerCount() + widgetIndex;
}

QAccessibleInterface* GaugeAccessible::childAt(int x, int y) const {
    if (QAccessibleInterface* widgetChild = QAccessibleWidget::childAt(x, y))
        return widgetChild;
    const QPointF local = gauge()->mapFromGlobal(QPoint(x, y));
    for (int i = gauge()->markerCount() - 1; i >= 0; --i) {
        if (gauge()->markerBounds(i).contains(local))
            return child(i);
    }
    return nullptr;
}

QAccessibleInterface* GaugeAccessible::focusChild() const {
    if (QAccessibleInterface* editor = QAccessibleWidget::focusChild())
        return editor;
    const int selected = gauge()->selectedMarker();
    return gauge()->hasFocus() && selected >= 0 ? child(selected) : nullptr;
}

QVariant GaugeAccessible::currentValue() const {
    return gauge()->selectedValue();
}

void GaugeAccessible::setCurrentValue(const QVariant& value) {
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (ok)
        gauge()->setValueByUser(gauge()->selectedMarker(), number);
}

QVariant GaugeAccessible::maximumValue() const {
    return gauge()->rangeMaximum();
}

QVariant GaugeAccessible::minimumValue() const {
    return gauge()->rangeMinimum();
}

QVariant GaugeAccessible::minimumStepSize() const {
    return gauge()->singleStep();
}

// One marker -------------------------------------------------------------------------------

MarkerAccessible::MarkerAccessible(GaugeWidget* gauge, int index) : gauge_(gauge), index_(index) {}

bool MarkerAccessible::isValid() const {
    return !gauge_.isNull();
}

QObject* MarkerAccessible::object() const {
    return nullptr;
}

QWindow* MarkerAccessible::window() const {
    return gauge_ && gauge_->window() ? gauge_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* MarkerAccessible::focusChild() const {
    return nullptr;
}

QAccessibleInterface* MarkerAccessible::childAt(int, int) const {
    return nullptr;
}

QAccessibleInterface* MarkerAccessible::parent() const {
    return gauge_ ? QAccessible::queryAccessibleInterface(gauge_.data()) : nullptr;
}

QAccessibleInterface* MarkerAccessible::child(int) const {
    return nullptr;
}

int MarkerAccessible::childCount() const {
    return 0;
}

int MarkerAccessible::indexOfChild(const QAccessibleInterface*) const {
    return -1;
}

QString MarkerAccessible::text(QAccessible::Text t) const {
    if (!gauge_)
        return {};
    switch (t) {
        case QAccessible::Name:
            return gauge_->markerName(index_);
        case QAccessible::Value:
            return gauge_->valueText(index_);
        default:
            return {};
    }
}

void MarkerAccessible::setText(QAccessible::Text, const QString&) {}

QRect MarkerAccessible::rect() const {
    if (!gauge_)
        return {};
    const QRect local = gauge_->markerBounds(index_).toAlignedRect();
    return QRect(gauge_->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role MarkerAccessible::role() const {
    return QAccessible::Slider;
}

QAccessible::State MarkerAccessible::state() const {
    QAccessible::State state;
    if (!gauge_) {
        state.invalid = true;
        return state;
    }
    state.focusable = gauge_->isMarkerDraggable(index_);
    state.focused = gauge_->hasFocus() && gauge_->selectedMarker() == index_;
    state.selected = gauge_->selectedMarker() == index_;
    state.readOnly = !gauge_->isMarkerDraggable(index_);
    state.disabled = !gauge_->isEnabled();
    state.invisible = !gauge_->isVisible() || index_ >= gauge_->markerCount();
    return state;
}

void* MarkerAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                               : nullptr;
}

QVariant MarkerAccessible::currentValue() const {
    return gauge_ ? gauge_->markerValue(index_) : QVariant();
}

void MarkerAccessible::setCurrentValue(const QVariant& value) {
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (gauge_ && ok)
        gauge_->setValueByUser(index_, number);
}

QVariant MarkerAccessible::maximumValue() const {
    return gauge_ ? gauge_->rangeMaximum() : QVariant();
}

QVariant MarkerAccessible::minimumValue() const {
    return gauge_ ? gauge_->rangeMinimum() : QVariant();
}

QVariant MarkerAccessible::minimumStepSize() const {
    return gauge_ ? gauge_->singleStep() : QVariant();
}

}  // namespace orvendel
