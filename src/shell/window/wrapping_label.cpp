// SPDX-License-Identifier: MIT
#include "shell/window/wrapping_label.h"

#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace orvendel {

WrappingLabel::WrappingLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

qreal WrappingLabel::layOut(QTextLayout& layout, qreal width) const {
    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    // Lines as QPainter::drawText places them: the font's leading above each, on whole pixels.
    const qreal leading = fontMetrics().leading();
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height = std::ceil(height + leading);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

int WrappingLabel::heightForWidth(int width) const {
    const int horizontalMargins = this->width() - contentsRect().width() + 2 * margin();
    const int verticalMargins = height() - contentsRect().height() + 2 * margin();
    QTextLayout layout(text(), font(), this);
    return static_cast<int>(std::ceil(layOut(layout, width - horizontalMargins))) + verticalMargins;
}

void WrappingLabel::paintEvent(QPaintEvent* /*event*/) {
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    QTextLayout layout(text(), font(), this);
    const qreal height = layOut(layout, area.width());
    qreal top = area.top();
    // Text taller than the label keeps its first lines in view.
    const qreal room = std::max(0.0, area.height() - height);
    if (alignment() & Qt::AlignVCenter) {
        top += room / 2;
    } else if (alignment() & Qt::AlignBottom) {
        top += room;
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    layout.draw(&painter, QPointF(area.left(), std::round(top)));
}

}  // namespace orvendel
