// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <functional>

class QPainter;
class QWidget;

namespace orvendel {

// The parts of a widget that change only with its size, palette or settings, kept in a pixmap
// at the widget's device pixel ratio and painted again only when dropped or out of date.
class StaticLayer {
public:
    // Drops the pixmap; the next get() paints it again.
    void drop() { pixmap_ = QPixmap(); }
    // The layer for `widget` at its size and device pixel ratio, painted by `paint` (in widget
    // coordinates, antialiased, in the widget's font) when dropped or out of date.
    const QPixmap& get(const QWidget& widget, const std::function<void(QPainter&)>& paint);

private:
    QPixmap pixmap_;
};

}  // namespace orvendel
