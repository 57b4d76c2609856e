// SPDX-License-Identifier: MIT
#include "shell/gauges/value_box_placement.h"

#include <algorithm>

namespace orvendel {

QRectF keptInside(QRectF box, const QRectF& area) {
    box.moveLeft(
        std::clamp(box.left(), area.left(), std::max(area.left(), area.right() - box.width())));
    box.moveTop(
        std::clamp(box.top(), area.top(), std::max(area.top(), area.bottom() - box.height())));
    return box;
}

QRectF placeValueEditor(const QRectF& area, const QPointF& anchor, const QSizeF& size,
                        const QRectF& legend) {
    const QRectF centred =
        keptInside(QRectF(anchor - QPointF(size.width() / 2, size.height() / 2), size), area);
    if (legend.isNull() || !centred.intersects(legend))
        return centred;
    const double reach = std::max(area.width(), area.height()) + 2;
    for (double shift = 1; shift <= reach; shift += 1) {
        for (const QPointF step :
             {QPointF(0, -shift), QPointF(0, shift), QPointF(shift, 0), QPointF(-shift, 0)}) {
            const QRectF box = centred.translated(step);
            if (area.contains(box) && !box.intersects(legend))
                return box;
        }
    }
    return centred;
}

}  // namespace orvendel
