// SPDX-License-Identifier: MIT
#include "layout.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

namespace orvendel {

double layoutScaleFor(const QFont& font) {
    static const QString kLetters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetricsF metrics(font);
    const double letterWidth = metrics.horizontalAdvance(kLetters) / kLetters.size();
    return std::max(
        {1.0, letterWidth / kReferenceLetterWidth, metrics.height() / kReferenceLineHeight});
}

double layoutScale() {
    double scale = layoutScaleFor(QApplication::font());
    for (const char* kind : {"QPushButton", "QLabel", "QGroupBox", "QComboBox", "QLineEdit"})
        scale = std::max(scale, layoutScaleFor(QApplication::font(kind)));
    return scale;
}

int twipsToPixels(int twips, double scale) {
    return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel));
}

QRect twipsRect(int left, int top, int width, int height, double scale) {
    return QRect(twipsToPixels(left, scale), twipsToPixels(top, scale), twipsToPixels(width, scale),
                 twipsToPixels(height, scale));
}

QSize twipsSize(int width, int height, double scale) {
    return QSize(twipsToPixels(width, scale), twipsToPixels(height, scale));
}

QSize twipsSize(int width, int height) {
    return twipsSize(width, height, layoutScale());
}

int applyLayout(QWidget* root, std::span<const ControlLayout> table, double scale) {
    int missing = 0;
    for (const ControlLayout& row : table) {
        auto* w = root->objectName() == QLatin1String(row.name)
                      ? root
                      : root->findChild<QWidget*>(QLatin1String(row.name));
        if (!w) {
            ++missing;
            continue;
        }
        w->setGeometry(twipsRect(row.left, row.top, row.width, row.height, scale));
    }
    return missing;
}

int applyLayout(QWidget* root, std::span<const ControlLayout> table) {
    return applyLayout(root, table, layoutScale());
}

void applyTabOrder(QWidget* root, std::span<const ControlLayout> table) {
    std::vector<const ControlLayout*> rows;
    for (const ControlLayout& row : table) {
        if (row.tabIndex >= 0)
            rows.push_back(&row);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    for (const ControlLayout* row : rows) {
        auto* w = root->findChild<QWidget*>(QLatin1String(row->name));
        if (!w || w->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

}  // namespace orvendel
