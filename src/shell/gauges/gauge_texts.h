// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>

class QFontMetricsF;
class QPainter;

namespace orvendel {

// A text a gauge draws (tick number, legend, caption) and its box in widget coordinates.
struct DrawnText {
    QString text;
    QRectF box;
};

// A text of a gauge's static layer as placed for drawing: `origin` is the left end of its
// baseline.
struct PlacedText {
    QString text;
    QRectF box;
    QPointF origin;
    QColor colour;
};

// The static texts at the largest font at which they all fit.
struct FittedTexts {
    QFont font;
    QList<PlacedText> texts;
};

// Places every static text in `font` into `texts`; false as soon as one does not fit, unless
// `dropMisfits` leaves such texts out.
using TextPlacer = std::function<bool(const QFont& font, bool dropMisfits, QList<PlacedText>&)>;

// The room every static text keeps to the others, to the scale and to the gauge's edge: a
// fifth of its font's line height, never under two pixels, so that it grows with the font.
double textGap(const QFontMetricsF& metrics);

// The texts `place` lays out, at `font` or shrunk together until they fit (down to half its
// size); what fits at no size is left out.
FittedTexts fitTexts(const QFont& font, const TextPlacer& place);

// Draws placed texts.
void paintTexts(QPainter& painter, const FittedTexts& fitted);

// Draws `text` in `colour` on a dark rounded box centred at `middle`, moved inside `area` where
// it would stick out.
void paintValueBox(QPainter& painter, const QRectF& area, const QPointF& middle,
                   const QColor& colour, const QString& text);

}  // namespace orvendel
