// SPDX-License-Identifier: MIT
#include "layout.h"

#include <QWidget>
#include <algorithm>
#include <vector>

namespace orvendel {

int applyLayout(QWidget* root, std::span<const ControlLayout> table) {
    int missing = 0;
    for (const ControlLayout& row : table) {
        auto* w = root->objectName() == QLatin1String(row.name)
                      ? root
                      : root->findChild<QWidget*>(QLatin1String(row.name));
        if (!w) {
            ++missing;
            continue;
        }
        w->setGeometry(twipsRect(row.left, row.top, row.width, row.height));
    }
    return missing;
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
