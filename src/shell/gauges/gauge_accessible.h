// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QPointer>
#include <array>

#include "shell/gauges/gauge_widget.h"

namespace orvendel {

// What assistive technology sees of a gauge: a dial (round gauge) or slider (linear gauge)
// whose value is the selected marker's, with one child per shown marker. Values set through it
// are a user's moves, so the page takes them into the record with its interlocks.
class GaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    GaugeAccessible(GaugeWidget* gauge, QAccessible::Role role);
    ~GaugeAccessible() override;

    // Registers the factory that gives every gauge this interface; later calls do nothing.
    static void install();

    // Where the gauges' value changes go: QAccessible::updateAccessibility by default, which
    // drops them while no assistive technology listens (as on the offscreen platform).
    // Returns the previous announcer.
    using Announcer = void (*)(QAccessibleEvent* event);
    static Announcer setAnnouncer(Announcer announcer);
    // Tells assistive technology that marker `index` of `gauge` changed its value (and the
    // gauge's own value, when the marker is the selected one).
    static void announceValue(GaugeWidget* gauge, int index);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    // Markers come first, then child widgets (the value editor while it is open).
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    GaugeWidget* gauge() const;

    mutable std::array<QAccessible::Id, GaugeWidget::kMaxMarkers> markers_{};
};

// One needle or pointer of a gauge, named by its legend, with its own value.
class MarkerAccessible : public QAccessibleInterface, public QAccessibleValueInterface {
public:
    MarkerAccessible(GaugeWidget* gauge, int index);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    QPointer<GaugeWidget> gauge_;
    int index_;
};

}  // namespace orvendel
