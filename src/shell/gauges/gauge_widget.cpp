// SPDX-License-Identifier: MIT
#include "shell/gauges/gauge_widget.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <cmath>

#include "camera/angle_editor.h"
#include "settingsfile/settings_number.h"
#include "shell/gauges/gauge_accessible.h"
#include "shell/gauges/gauge_value_editor.h"

namespace orvendel {

namespace {

bool sameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

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

GaugeWidget::GaugeWidget(int labelSlots, int bandSlots, QWidget* parent)
    : QWidget(parent), markings_(labelSlots, bandSlots) {
    GaugeAccessible::install();
    setFocusPolicy(Qt::StrongFocus);
    setFont(gaugeFont());
}

GaugeWidget::~GaugeWidget() {
    // An open editor loses the focus as it goes, and must not call back into a gauge that is
    // being destroyed.
    if (editor_) {
        editor_->disconnect(this);
        delete editor_;
    }
}

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

void GaugeWidget::setMarkerCount(int count) {
    count = std::clamp(count, 0, kMaxMarkers);
    if (count == markerCount_) {
        return;
    }
    markerCount_ = count;
    if (dragged_ >= markerCount_) {
        dragged_ = -1;  // the program took the marker away: no notification
        setMouseTracking(false);
    }
    repairSelection();
    update();
}

double GaugeWidget::markerValue(int index) const {
    if (index < 0 || index >= kMaxMarkers) {
        return 0.0;
    }
    return values_[static_cast<size_t>(index)];
}

void GaugeWidget::setMarkerValue(int index, double value) {
    if (index < 0 || index >= kMaxMarkers) {
        return;
    }
    double& stored = values_[static_cast<size_t>(index)];
    if (sameValue(stored, value)) {
        return;
    }
    stored = value;
    update();
    announceValue(index);
    if (index == selected_)
        emit valueChanged(value);
}

bool GaugeWidget::setValueByUser(int index, double value) {
    if (dragged_ >= 0 || !isMarkerShown(index) || !isMarkerDraggable(index)) {
        return false;
    }
    if (!moveByUser(index, value)) {
        return false;
    }
    emit markerReleased(index, markerValue(index));
    return true;
}

double GaugeWidget::selectedValue() const {
    return selected_ >= 0 ? markerValue(selected_) : 0.0;
}

void GaugeWidget::setSelectedValue(double value) {
    setMarkerValue(selected_, value);
}

bool GaugeWidget::isMarkerDraggable(int index) const {
    return index >= 0 && index < kMaxMarkers && draggable_[static_cast<size_t>(index)];
}

void GaugeWidget::setMarkerDraggable(int index, bool draggable) {
    if (index < 0 || index >= kMaxMarkers || draggable_[static_cast<size_t>(index)] == draggable) {
        return;
    }
    draggable_[static_cast<size_t>(index)] = draggable;
    if (!draggable && dragged_ == index) {
        dragged_ = -1;  // the program took the marker away: no notification
        setMouseTracking(false);
    }
    repairSelection();
    update();
}

const MarkerPainter& GaugeWidget::markerPainter(int index) const {
    static const MarkerPainter none;
    return index >= 0 && index < kMaxMarkers ? painters_[static_cast<size_t>(index)] : none;
}

void GaugeWidget::setMarkerColour(int index, const QColor& colour) {
    if (index >= 0 && index < kMaxMarkers) {
        painters_[static_cast<size_t>(index)].setColour(colour);
        update();
    }
}

void GaugeWidget::setMarkerShape(int index, MarkerPainter::Shape shape) {
    if (index >= 0 && index < kMaxMarkers) {
        painters_[static_cast<size_t>(index)].setShape(shape);
        update();
    }
}

void GaugeWidget::setMarkerOutline(int index, const QPolygonF& outline) {
    if (index >= 0 && index < kMaxMarkers) {
        painters_[static_cast<size_t>(index)].setOutline(outline);
        update();
    }
}

void GaugeWidget::setMarkerWidth(int index, double width) {
    if (index >= 0 && index < kMaxMarkers) {
        painters_[static_cast<size_t>(index)].setWidth(width);
        update();
    }
}

void GaugeWidget::setMarkerReach(int index, double head, double foot) {
    if (index >= 0 && index < kMaxMarkers) {
        painters_[static_cast<size_t>(index)].setReach(head, foot);
        update();
    }
}

void GaugeWidget::setRange(double minimum, double maximum) {
    rangeMinimum_ = std::min(minimum, maximum);
    rangeMaximum_ = std::max(minimum, maximum);
    update();
}

void GaugeWidget::setSingleStep(double step) {
    singleStep_ = std::abs(step);
}

void GaugeWidget::setPageStep(double step) {
    pageStep_ = std::abs(step);
}

void GaugeWidget::setValueResolution(double resolution) {
    valueResolution_ = std::isfinite(resolution) ? std::abs(resolution) : 0.0;
}

void GaugeWidget::setValueSuffix(const QString& suffix) {
    valueSuffix_ = suffix;
    update();
}

QString GaugeWidget::valueNumber(int index) const {
    // The record keeps 4-byte floats: the shortest text that reads back as the same float is
    // exactly what will be saved; + 0.0f shows -0 as "0".
    return QString::fromStdString(shortestFloatText(static_cast<float>(markerValue(index)) + 0.0f));
}

QString GaugeWidget::valueText(int index) const {
    return valueNumber(index) + valueSuffix_;
}

void GaugeWidget::setSelectedMarker(int index) {
    if (index < 0 || index >= markerCount_ || !isMarkerDraggable(index) || index == selected_) {
        return;
    }
    select(index);
    update();
    announceValue(index);
}

bool GaugeWidget::isValueTextShown() const {
    if (dragged_ >= 0) {
        return true;
    }
    return hasFocus() && selected_ >= 0 && isMarkerShown(selected_);
}

QSize GaugeWidget::minimumSizeHint() const {
    return {40, 30};
}

QList<GaugeWidget::DrawnText> GaugeWidget::drawnTexts() const {
    QList<DrawnText> texts;
    for (const PlacedText& placed : fitTexts().texts) {
        texts.append({placed.text, placed.box});
    }
    return texts;
}

double GaugeWidget::textGap(const QFontMetricsF& metrics) {
    return std::max(2.0, 0.2 * metrics.height() + 0.01);
}

GaugeWidget::FittedTexts GaugeWidget::fitTexts() const {
    FittedTexts fitted;
    for (double scale = 1.0; scale >= kSmallestTextScale - 1e-9; scale -= kTextScaleStep) {
        fitted.font = scaledFont(font(), scale);
        fitted.texts.clear();
        if (placeTexts(fitted.font, false, fitted.texts)) {
            return fitted;
        }
    }
    fitted.texts.clear();
    placeTexts(fitted.font, true, fitted.texts);
    return fitted;
}

void GaugeWidget::paintTexts(QPainter& painter, const FittedTexts& fitted) {
    painter.save();
    painter.setFont(fitted.font);
    for (const PlacedText& placed : fitted.texts) {
        painter.setPen(placed.colour);
        painter.drawText(placed.origin, placed.text);
    }
    painter.restore();
}

void GaugeWidget::invalidateStatic() {
    staticLayer_ = QPixmap();
    update();
}

void GaugeWidget::paintValueBox(QPainter& painter, const QPointF& middle, const QColor& colour,
                                const QString& text) const {
    const QFontMetricsF metrics(painter.font());
    const QSizeF size(metrics.horizontalAdvance(text) + 6, metrics.height() + 1);
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    QRectF box(middle - QPointF(size.width() / 2, size.height() / 2), size);
    box.moveLeft(
        std::clamp(box.left(), area.left(), std::max(area.left(), area.right() - box.width())));
    box.moveTop(
        std::clamp(box.top(), area.top(), std::max(area.top(), area.bottom() - box.height())));
    painter.save();
    painter.setPen(QPen(colour, 1.0));
    painter.setBrush(QColor(0, 0, 0, 220));
    painter.drawRoundedRect(box, 3, 3);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

void GaugeWidget::paintReadout(QPainter& painter) const {
    const int emphasised = dragged_ >= 0 ? dragged_ : selected_;
    if (isValueTextShown() && isMarkerShown(emphasised) && !editor_) {
        paintValueBox(painter, valueAnchor(emphasised), markerColour(emphasised),
                      valueText(emphasised));
    }
}

QPainterPath GaugeWidget::faceEdge() const {
    QPainterPath edge;
    edge.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    return edge;
}

bool GaugeWidget::isMarkerShown(int index) const {
    return index >= 0 && index < markerCount_ && !std::isnan(values_[static_cast<size_t>(index)]);
}

void GaugeWidget::paintEvent(QPaintEvent* /*event*/) {
    const qreal ratio = devicePixelRatioF();
    if (staticLayer_.isNull() || staticLayer_.devicePixelRatio() != ratio ||
        staticLayer_.deviceIndependentSize() != QSizeF(size())) {
        staticLayer_ = QPixmap(size() * ratio);
        staticLayer_.setDevicePixelRatio(ratio);
        staticLayer_.fill(Qt::transparent);
        QPainter layerPainter(&staticLayer_);
        layerPainter.setRenderHint(QPainter::Antialiasing);
        layerPainter.setFont(font());
        paintStatic(layerPainter);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, staticLayer_);
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
    editor_->setGeometry(valueEditorBox(index, size).toAlignedRect());
    connect(editor_, &GaugeValueEditor::valueEntered, this, &GaugeWidget::commitValueEditor);
    connect(editor_, &GaugeValueEditor::cancelled, this, &GaugeWidget::closeValueEditor);
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
    update();
    return true;
}

QRectF GaugeWidget::valueEditorBox(int index, const QSizeF& size) const {
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    const auto inside = [&](QRectF box) {
        box.moveLeft(
            std::clamp(box.left(), area.left(), std::max(area.left(), area.right() - box.width())));
        box.moveTop(
            std::clamp(box.top(), area.top(), std::max(area.top(), area.bottom() - box.height())));
        return box;
    };
    const QRectF centred =
        inside(QRectF(valueAnchor(index) - QPointF(size.width() / 2, size.height() / 2), size));
    // The box keeps clear of the marker's legend, which says what is being typed: it moves the
    // shortest way off it, up, down, left or right, as far as the gauge allows.
    QRectF legend;
    for (const DrawnText& text : drawnTexts()) {
        if (text.text == markerName(index))
            legend = text.box.adjusted(-1, -1, 1, 1);
    }
    if (legend.isNull() || !centred.intersects(legend))
        return centred;
    const double reach = std::max(width(), height());
    for (double shift = 1; shift <= reach; shift += 1) {
        for (const QPointF step :
             {QPointF(0, -shift), QPointF(0, shift), QPointF(shift, 0), QPointF(-shift, 0)}) {
            const QRectF box = centred.translated(step);
            if (area.contains(box) && !box.intersects(legend))
                return box;
        }
    }
    return centred;
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

bool GaugeWidget::moveByUser(int index, double value) {
    if (std::isnan(value)) {
        return false;
    }
    value = std::clamp(value, rangeMinimum_, rangeMaximum_);
    if (valueResolution_ > 0) {
        value = std::clamp(roundToMultiple(value, valueResolution_), rangeMinimum_, rangeMaximum_);
    }
    return storeUserValue(index, value);
}

bool GaugeWidget::storeUserValue(int index, double value) {
    if (sameValue(markerValue(index), value)) {
        return false;
    }
    values_[static_cast<size_t>(index)] = value;
    update();
    announceValue(index);
    if (index == selected_)
        emit valueChanged(value);
    emit markerMoved(index, value);
    return true;
}

void GaugeWidget::announceValue(int index) {
    GaugeAccessible::announceValue(this, index);
}

void GaugeWidget::repairSelection() {
    if (selected_ >= 0 && selected_ < markerCount_ && isMarkerDraggable(selected_)) {
        return;
    }
    int usable = -1;
    for (int i = 0; i < markerCount_ && usable < 0; ++i) {
        if (isMarkerDraggable(i))
            usable = i;
    }
    select(usable);
}

void GaugeWidget::select(int index) {
    if (index == selected_)
        return;
    const double before = selectedValue();
    selected_ = index;
    emit selectedMarkerChanged(index);
    if (!sameValue(before, selectedValue()))
        emit valueChanged(selectedValue());
}

}  // namespace orvendel
