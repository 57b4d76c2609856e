// SPDX-License-Identifier: MIT
// The gauge base's input, all turned into a user's moves of the value model.
//
// A drag moves its marker by as much as the mouse moved since the press, snapped towards the
// marker's value at the press, so that a press, or a jitter of less than a step, changes
// nothing. Keyboard (the gauge takes focus by Tab and click): 1 to 4 select a marker, Up/Right
// and Down/Left move it by the single step, Page Up/Page Down by the page step, Home/End to the
// ends of the range; each key move raises one markerMoved and one markerReleased. Enter or F2
// (or a double click on a marker) opens a small editor for typing the selected marker's value:
// Enter takes it as a user's move, Escape or leaving the editor drops it.
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "shell/gauges/gauge_value_editor.h"
#include "shell/gauges/gauge_widget.h"
#include "shell/gauges/value_box_placement.h"

namespace orvendel {

void GaugeWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || dragged_ >= 0) {
        event->ignore();
        return;
    }
    const QPointF pos = event->position();
    const int index = markerAt(pos);
    if (index < 0) {
        event->ignore();
        return;
    }
    // The marker follows the mouse by how far it has moved since the press, so that one
    // grabbed away from its value does not jump to the mouse.
    grabValue_ = markerValue(index);
    grabPoint_ = valueFromPoint(pos);
    dragged_ = index;
    dragChanged_ = false;
    // Moves without the button reach the gauge only when tracked; they end a lost drag.
    setMouseTracking(true);
    select(index);
    event->accept();
    update();
}

void GaugeWidget::mouseMoveEvent(QMouseEvent* event) {
    if (dragged_ < 0) {
        event->ignore();
        return;
    }
    if (!(event->buttons() & Qt::LeftButton)) {
        // The release went elsewhere (for instance to a message box opened meanwhile).
        finishDrag();
        event->accept();
        return;
    }
    if (dragTo(valueFromPoint(event->position()) - grabPoint_)) {
        dragChanged_ = true;
    }
    event->accept();
}

void GaugeWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (dragged_ < 0 || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    // The release only ends the drag; its position was already taken by the last move.
    event->accept();
    finishDrag();
}

bool GaugeWidget::dragTo(double moved) {
    if (std::isnan(moved)) {
        return false;
    }
    const double start = std::clamp(grabValue_, rangeMinimum_, rangeMaximum_);
    double value = std::clamp(start + moved, rangeMinimum_, rangeMaximum_);
    if (valueResolution_ > 0) {
        // Snapped towards where the drag began: a move of less than one step from a whole value
        // changes nothing, and no move lands on the far side of where the marker stood.
        const double steps = value / valueResolution_;
        value = (moved > 0 ? std::floor(steps) : std::ceil(steps)) * valueResolution_ + 0.0;
        value = std::clamp(value, rangeMinimum_, rangeMaximum_);
    }
    const bool onward = moved > 0 ? value > start : value < start;
    // Short of a step the marker stays where it stood (within the range), fraction and all;
    // without any move it keeps its value from before the press.
    return storeUserValue(dragged_, onward ? value : moved == 0 ? grabValue_ : start);
}

void GaugeWidget::finishDrag() {
    const int index = dragged_;
    const bool changed = dragChanged_;
    dragged_ = -1;
    dragChanged_ = false;
    setMouseTracking(false);
    update();
    if (changed) {
        emit markerReleased(index, markerValue(index));
    }
}

void GaugeWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const int index = event->button() == Qt::LeftButton ? markerAt(event->position()) : -1;
    if (index < 0) {
        event->ignore();
        return;
    }
    event->accept();
    setSelectedMarker(index);
    openValueEditor();
}

void GaugeWidget::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_1 && key < Qt::Key_1 + kMaxMarkers) {
        setSelectedMarker(key - Qt::Key_1);
        event->accept();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) {
        if (openValueEditor()) {
            event->accept();
        } else {
            QWidget::keyPressEvent(event);
        }
        return;
    }
    double step = 0.0;
    bool toEnd = false;
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Right:
            step = singleStep_;
            break;
        case Qt::Key_Down:
        case Qt::Key_Left:
            step = -singleStep_;
            break;
        case Qt::Key_PageUp:
            step = pageStep_;
            break;
        case Qt::Key_PageDown:
            step = -pageStep_;
            break;
        case Qt::Key_Home:
            toEnd = true;
            step = -1.0;
            break;
        case Qt::Key_End:
            toEnd = true;
            step = 1.0;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
    const int index = selected_;
    if (!isMarkerShown(index)) {
        return;
    }
    const double from = std::clamp(markerValue(index), rangeMinimum_, rangeMaximum_);
    setValueByUser(index, toEnd ? (step < 0 ? rangeMinimum_ : rangeMaximum_) : from + step);
}

void GaugeWidget::focusInEvent(QFocusEvent* event) {
    repairSelection();
    update();
    QWidget::focusInEvent(event);
}

void GaugeWidget::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

bool GaugeWidget::openValueEditor() {
    const int index = selected_;
    if (editor_ || dragged_ >= 0 || !isEnabled() || !isMarkerShown(index) ||
        !isMarkerDraggable(index)) {
        return false;
    }
    editedMarker_ = index;
    editor_ = new GaugeValueEditor(valueSuffix_, rangeMinimum_, rangeMaximum_, this);
    editor_->setAccessibleName(markerName(index));
    editor_->setText(valueNumber(index));
    editor_->selectAll();
    const QFontMetricsF metrics(editor_->font());
    const QSizeF size(
        std::min<double>(width() - 2, metrics.horizontalAdvance(QStringLiteral("-000.0000")) + 10),
        std::min<double>(height() - 2, metrics.height() + 6));
    // The box keeps clear of the marker's legend, which says what is being typed.
    QRectF legend;
    for (const DrawnText& text : drawnTexts()) {
        if (text.text == markerName(index))
            legend = text.box.adjusted(-1, -1, 1, 1);
    }
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    editor_->setGeometry(placeValueEditor(area, valueAnchor(index), size, legend).toAlignedRect());
    connect(editor_, &GaugeValueEditor::valueEntered, this, &GaugeWidget::commitValueEditor);
    connect(editor_, &GaugeValueEditor::cancelled, this, &GaugeWidget::closeValueEditor);
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
    update();
    return true;
}

QLineEdit* GaugeWidget::valueEditor() const {
    return editor_;
}

void GaugeWidget::commitValueEditor(double value) {
    const int index = editedMarker_;
    closeValueEditor();
    setValueByUser(index, value);
}

void GaugeWidget::closeValueEditor() {
    if (!editor_) {
        return;
    }
    GaugeValueEditor* editor = editor_;
    editor_ = nullptr;
    editedMarker_ = -1;
    const bool hadFocus = editor->hasFocus();
    if (QLabel* note = editor->refusalNote())
        note->hide();  // a window of its own
    editor->hide();
    editor->deleteLater();
    if (hadFocus) {
        setFocus(Qt::OtherFocusReason);
    }
    update();
}

}  // namespace orvendel
