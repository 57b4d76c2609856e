// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace orvendel {

// `box` moved the least distance that puts it inside `area`; a box larger than the area keeps
// to its left or top edge.
QRectF keptInside(QRectF box, const QRectF& area);

// Where a gauge's value editor of `size` goes: centred on `anchor` (the marker's readout) inside
// `area`, then, if it covers `legend` (the marker's legend, which says what is being typed),
// moved the shortest way off it, up, down, right or left, as far as the area allows.
QRectF placeValueEditor(const QRectF& area, const QPointF& anchor, const QSizeF& size,
                        const QRectF& legend);

}  // namespace orvendel
