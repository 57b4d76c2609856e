// SPDX-License-Identifier: MIT
// The gauge base's painting: the cached static layer, the markers, the readout and the focus
// frame.
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "shell/gauges/gauge_value_editor.h"
#include "shell/gauges/gauge_widget.h"

namespace orvendel {

QFont GaugeWidget::gaugeFont() {
    QFont font;
    // The first family is the gauges' own; the others are close in width on systems without it.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

QSize GaugeWidget::minimumSizeHint() const {
    return {40, 30};
}

QList<DrawnText> GaugeWidget::drawnTexts() const {
    QList<DrawnText> texts;
    for (const PlacedText& placed : fitTexts().texts) {
        texts.append({placed.text, placed.box});
    }
    return texts;
}

FittedTexts GaugeWidget::fitTexts() const {
    return orvendel::fitTexts(
        font(), [this](const QFont& font, bool dropMisfits, QList<PlacedText>& texts) {
            return placeTexts(font, dropMisfits, texts);
        });
}

void GaugeWidget::invalidateStatic() {
    staticLayer_.drop();
    update();
}

void GaugeWidget::paintMarkers(QPainter& painter) const {
    const int emphasised = dragged_ >= 0 ? dragged_ : selected_;
    for (int i = 0; i < markerCount_; ++i) {
        if (isMarkerShown(i) && i != emphasised)
            markerPainter(i).paint(painter, markerPolygon(i));
    }
    if (isMarkerShown(emphasised))
        markerPainter(emphasised).paint(painter, markerPolygon(emphasised));
}

void GaugeWidget::paintReadout(QPainter& painter) const {
    const int emphasised = dragged_ >= 0 ? dragged_ : selected_;
    if (isValueTextShown() && isMarkerShown(emphasised) && !editor_) {
        paintValueBox(painter, QRectF(rect()).adjusted(1, 1, -1, -1), valueAnchor(emphasised),
                      markerPainter(emphasised).colour(), valueText(emphasised));
    }
}

QPainterPath GaugeWidget::faceEdge() const {
    QPainterPath edge;
    edge.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    return edge;
}

void GaugeWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawPixmap(0, 0,
                       staticLayer_.get(*this, [this](QPainter& layer) { paintStatic(layer); }));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    paintDynamic(painter);
    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        option.backgroundColor = palette().color(QPalette::Window);
        // Some styles fill the focus rectangle; only its edge may cover the gauge.
        painter.setClipRegion(QRegion(rect()) - QRegion(rect().adjusted(3, 3, -3, -3)));
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        // Styles draw faint frames on dark faces; the face's own edge lights up as well.
        painter.setClipping(false);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1.5));
        painter.drawPath(faceEdge());
    }
}

void GaugeWidget::resizeEvent(QResizeEvent* event) {
    invalidateStatic();
    QWidget::resizeEvent(event);
}

void GaugeWidget::changeEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::PaletteChange:
        case QEvent::FontChange:
        case QEvent::StyleChange:
            invalidateStatic();
            break;
        default:
            break;
    }
    QWidget::changeEvent(event);
}

}  // namespace orvendel
