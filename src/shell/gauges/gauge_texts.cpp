// SPDX-License-Identifier: MIT
#include "shell/gauges/gauge_texts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "shell/gauges/value_box_placement.h"

namespace orvendel {

namespace {

// Font sizes tried when the static texts do not fit, as fractions of the widget's font.
constexpr double kSmallestTextScale = 0.5;
constexpr double kTextScaleStep = 0.05;

QFont scaledFont(const QFont& font, double scale) {
    QFont scaled = font;
    if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * scale);
    else if (font.pixelSize() > 0)
        scaled.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * scale))));
    return scaled;
}

}  // namespace

double textGap(const QFontMetricsF& metrics) {
    return std::max(2.0, 0.2 * metrics.height() + 0.01);
}

FittedTexts fitTexts(const QFont& font, const TextPlacer& place) {
    FittedTexts fitted;
    for (double scale = 1.0; scale >= kSmallestTextScale - 1e-9; scale -= kTextScaleStep) {
        fitted.font = scaledFont(font, scale);
        fitted.texts.clear();
        if (place(fitted.font, false, fitted.texts)) {
            return fitted;
        }
    }
    fitted.texts.clear();
    place(fitted.font, true, fitted.texts);
    return fitted;
}

void paintTexts(QPainter& painter, const FittedTexts& fitted) {
    painter.save();
    painter.setFont(fitted.font);
    for (const PlacedText& placed : fitted.texts) {
        painter.setPen(placed.colour);
        painter.drawText(placed.origin, placed.text);
    }
    painter.restore();
}

void paintValueBox(QPainter& painter, const QRectF& area, const QPointF& middle,
                   const QColor& colour, const QString& text) {
    const QFontMetricsF metrics(painter.font());
    const QSizeF size(metrics.horizontalAdvance(text) + 6, metrics.height() + 1);
    const QRectF box =
        keptInside(QRectF(middle - QPointF(size.width() / 2, size.height() / 2), size), area);
    painter.save();
    painter.setPen(QPen(colour, 1.0));
    painter.setBrush(QColor(0, 0, 0, 220));
    painter.drawRoundedRect(box, 3, 3);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

}  // namespace orvendel
