// SPDX-License-Identifier: MIT
#include "shell/gauges/static_layer.h"

#include <QPainter>
#include <QWidget>

namespace orvendel {

const QPixmap& StaticLayer::get(const QWidget& widget,
                                const std::function<void(QPainter&)>& paint) {
    const qreal ratio = widget.devicePixelRatioF();
    if (pixmap_.isNull() || pixmap_.devicePixelRatio() != ratio ||
        pixmap_.deviceIndependentSize() != QSizeF(widget.size())) {
        pixmap_ = QPixmap(widget.size() * ratio);
        pixmap_.setDevicePixelRatio(ratio);
        pixmap_.fill(Qt::transparent);
        QPainter painter(&pixmap_);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setFont(widget.font());
        paint(painter);
    }
    return pixmap_;
}

}  // namespace orvendel
