// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPointF>
#include <QPolygonF>

class QPainter;

namespace orvendel {

// One needle or pointer of a gauge: its shape, colour and size, and its drawing. Both kinds of
// gauge keep one per marker, so they share the shapes and draw them the same way.
//
// An outline lies in a 1000 x 1000 box: x runs across the marker (500 is its middle line), y along
// it from its head (0) to its foot (1000). The gauge says where head and foot lie: a round gauge
// along a radius (head at the needle's tip), a linear gauge upright over the value (head at the
// top).
class MarkerPainter {
public:
    enum class Shape {
        LeftArrowhead,   // fills the left half of its box and points right at its middle line
        RightArrowhead,  // fills the right half and points left at its middle line
        Bar,             // the whole box
        Blade,           // a slim needle: a narrow tip at the head, widest near the foot
        Custom,          // the outline given to setOutline()
    };

    MarkerPainter() = default;
    MarkerPainter(Shape shape, const QColor& colour, double width, double head, double foot);

    Shape shape() const { return shape_; }
    void setShape(Shape shape) { shape_ = shape; }
    // Sets the outline of Shape::Custom, in box coordinates, and selects that shape.
    void setOutline(const QPolygonF& outline);
    // The outline drawn for the current shape, in box coordinates.
    QPolygonF outline() const;

    QColor colour() const { return colour_; }
    void setColour(const QColor& colour) { colour_ = colour; }

    // Breadth across the marker as a fraction of the gauge's measure for it (0..1).
    double width() const { return width_; }
    void setWidth(double width);

    // Where head and foot lie, as fractions of the gauge's measure along the marker.
    double head() const { return head_; }
    double foot() const { return foot_; }
    void setReach(double head, double foot);

    // The outline laid on a marker whose middle line runs from `head` to `foot` (widget
    // coordinates), `breadth` pixels across.
    QPolygonF place(const QPointF& head, const QPointF& foot, double breadth) const;
    // Fills `polygon` in the marker's colour inside a darker edge.
    void paint(QPainter& painter, const QPolygonF& polygon) const;

private:
    Shape shape_ = Shape::Bar;
    QPolygonF customOutline_;
    QColor colour_ = Qt::white;
    double width_ = 0.02;
    double head_ = 0.0;
    double foot_ = 1.0;
};

}  // namespace orvendel
