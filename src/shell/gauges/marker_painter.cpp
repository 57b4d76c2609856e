// SPDX-License-Identifier: MIT
#include "shell/gauges/marker_painter.h"

#include <QLineF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace orvendel {

MarkerPainter::MarkerPainter(Shape shape, const QColor& colour, double width, double head,
                             double foot)
    : shape_(shape),
      colour_(colour),
      width_(std::clamp(width, 0.0, 1.0)),
      head_(head),
      foot_(foot) {}

void MarkerPainter::setOutline(const QPolygonF& outline) {
    customOutline_ = outline;
    shape_ = Shape::Custom;
}

QPolygonF MarkerPainter::outline() const {
    switch (shape_) {
        case Shape::LeftArrowhead:
            return QPolygonF({QPointF(0, 1000), QPointF(100, 1000), QPointF(500, 550),
                              QPointF(500, 450), QPointF(100, 0), QPointF(0, 0)});
        case Shape::RightArrowhead:
            return QPolygonF({QPointF(1000, 1000), QPointF(900, 1000), QPointF(500, 550),
                              QPointF(500, 450), QPointF(900, 0), QPointF(1000, 0)});
        case Shape::Blade:
            return QPolygonF({QPointF(370, 0), QPointF(630, 0), QPointF(1000, 833),
                              QPointF(800, 1000), QPointF(200, 1000), QPointF(0, 833)});
        case Shape::Custom:
            return customOutline_;
        case Shape::Bar:
            break;
    }
    return QPolygonF({QPointF(0, 0), QPointF(1000, 0), QPointF(1000, 1000), QPointF(0, 1000)});
}

void MarkerPainter::setWidth(double width) {
    width_ = std::clamp(width, 0.0, 1.0);
}

void MarkerPainter::setReach(double head, double foot) {
    head_ = head;
    foot_ = foot;
}

QPolygonF MarkerPainter::place(const QPointF& head, const QPointF& foot, double breadth) const {
    const QPointF along = foot - head;
    const double length = std::hypot(along.x(), along.y());
    // Box x grows to the right of an upright marker (head at the top), so the arrowheads keep
    // their sides.
    const QPointF unit = length > 0 ? along / length : QPointF(0, 1);
    const QPointF across(unit.y(), -unit.x());
    QPolygonF polygon;
    for (const QPointF& p : outline()) {
        polygon << head + along * (p.y() / 1000.0) + across * (breadth * (p.x() - 500) / 1000.0);
    }
    return polygon;
}

void MarkerPainter::paint(QPainter& painter, const QPolygonF& polygon) const {
    painter.save();
    painter.setPen(QPen(colour_.darker(180), 0.8));
    painter.setBrush(colour_);
    painter.drawPolygon(polygon);
    painter.restore();
}

}  // namespace orvendel
