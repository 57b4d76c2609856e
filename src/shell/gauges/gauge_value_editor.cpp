// SPDX-License-Identifier: MIT
#include "shell/gauges/gauge_value_editor.h"

#include <QKeyEvent>
#include <QLocale>
#include <cmath>

namespace orvendel {

GaugeValueEditor::GaugeValueEditor(const QString& suffix, QWidget* parent)
    : QLineEdit(parent), suffix_(suffix) {
    setLocale(QLocale::c());
}

bool GaugeValueEditor::parse(QString text, const QString& suffix, double& value) {
    text = text.trimmed();
    const QString bareSuffix = suffix.trimmed();
    if (!bareSuffix.isEmpty() && text.endsWith(bareSuffix))
        text = text.chopped(bareSuffix.size()).trimmed();
    bool ok = false;
    const double number = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(number))
        return false;
    value = number;
    return true;
}

void GaugeValueEditor::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            // Taken here: a line edit lets Enter through to its parent, which would reopen it.
            event->accept();
            double value = 0;
            if (parse(text(), suffix_, value)) {
                finished_ = true;
                emit valueEntered(value);
            } else {
                selectAll();
            }
            return;
        }
        case Qt::Key_Escape:
            event->accept();
            finished_ = true;
            emit cancelled();
            return;
        default:
            QLineEdit::keyPressEvent(event);
    }
}

void GaugeValueEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Leaving the editor by mouse or Tab drops the typed text: only Enter changes a value. Its own
    // context menu does not count as leaving.
    if (!finished_ && event->reason() != Qt::PopupFocusReason) {
        finished_ = true;
        emit cancelled();
    }
}

}  // namespace orvendel
