// SPDX-License-Identifier: MIT
#include "shell/gauges/gauge_value_editor.h"

#include <QKeyEvent>
#include <QLocale>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace orvendel {

GaugeValueEditor::GaugeValueEditor(const QString& suffix, double minimum, double maximum,
                                   QWidget* parent)
    : QLineEdit(parent), suffix_(suffix), minimum_(minimum), maximum_(maximum) {
    setLocale(QLocale::c());
    connect(this, &QLineEdit::textEdited, this, &GaugeValueEditor::hideRefusal);
}

void GaugeValueEditor::showRefusal(const QString& text) {
    if (!note_) {
        // A window of its own, like a tool tip, so that the gauge's edges do not cut it off.
        note_ = new QLabel(this, Qt::ToolTip);
        note_->setObjectName(QStringLiteral("RefusalNote"));
        note_->setFont(font());
        note_->setMargin(3);
        note_->setFrameShape(QFrame::Box);
        QPalette palette = note_->palette();
        palette.setColor(QPalette::Window, QColor(0, 0, 0));
        palette.setColor(QPalette::WindowText, QColor(255, 255, 0));
        note_->setPalette(palette);
        note_->setAutoFillBackground(true);
    }
    note_->setText(text);
    note_->adjustSize();
    QPoint at = mapToGlobal(QPoint(0, height() + 2));
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + note_->height() > room.bottom())
            at.setY(mapToGlobal(QPoint()).y() - 2 - note_->height());
        at.setX(
            std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - note_->width())));
    }
    note_->move(at);
    note_->show();
    setAccessibleDescription(text);
}

void GaugeValueEditor::hideRefusal() {
    if (note_)
        note_->hide();
    setAccessibleDescription(QString());
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
                hideRefusal();
                emit valueEntered(value);
            } else {
                selectAll();
                //: Said when the typed value is not a number; %1 and %2 are the gauge's limits.
                showRefusal(
                    tr("Not a number: type one from %1 to %2, decimals with a point.")
                        .arg(QLocale::c().toString(minimum_), QLocale::c().toString(maximum_)));
            }
            return;
        }
        case Qt::Key_Escape:
            event->accept();
            finished_ = true;
            hideRefusal();
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
        hideRefusal();
        emit cancelled();
    }
}

}  // namespace orvendel
