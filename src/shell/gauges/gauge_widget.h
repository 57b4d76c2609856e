// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QList>
#include <QRectF>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <array>

class QPainter;
class QPainterPath;

namespace orvendel {

// Base of the round and the linear gauge: the value model of up to four movable markers
// (needles or pointers) and the one place where mouse and keyboard turn into moves.
//
// Values set by the program (setMarkerValue) are stored as given and raise no notification.
// A user's move (drag or key) is limited to the marker range and raises a move notification for
// every change while it lasts and a release notification once when it ends, if the marker moved.
// Subclasses provide only the drawing, a hit test and the point-to-value mapping.
//
// Keyboard (the gauge takes focus by Tab and click): 1 to 4 select a marker, Up/Right and
// Down/Left move it by the single step, Page Up/Page Down by the page step, Home/End to the
// ends of the range; each key move raises one move and one release notification.
class GaugeWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxMarkers = 4;

    explicit GaugeWidget(QWidget* parent = nullptr);

    // The font of every gauge text: "MS Sans Serif" 8.25 pt, falling back to a similar sans
    // serif face where that family is missing.
    static QFont gaugeFont();

    // Number of markers shown and handled, 0..kMaxMarkers; markers past it are neither drawn
    // nor hit, but keep their values.
    int markerCount() const { return markerCount_; }
    void setMarkerCount(int count);

    // Value of marker `index` (0..kMaxMarkers-1); out-of-range indexes read 0 and are ignored
    // when set. Setting stores the value unchanged (even outside the range), emits nothing and
    // repaints only when the value differs from the stored one.
    double markerValue(int index) const;
    void setMarkerValue(int index, double value);

    // Whether the user may move marker `index` (default true). A fixed marker is still drawn.
    bool isMarkerDraggable(int index) const;
    void setMarkerDraggable(int index, bool draggable);

    // The range a user's move keeps a marker within (low <= high after the call).
    double rangeMinimum() const { return rangeMinimum_; }
    double rangeMaximum() const { return rangeMaximum_; }
    void setRange(double minimum, double maximum);

    // Steps of the arrow keys and of Page Up/Page Down, in scale units.
    double singleStep() const { return singleStep_; }
    double pageStep() const { return pageStep_; }
    void setSingleStep(double step);
    void setPageStep(double step);

    // How the value of the selected marker is shown while it is dragged or the gauge has focus:
    // `decimals` digits after the point, followed by `suffix` (e.g. "°", " m").
    int valueDecimals() const { return valueDecimals_; }
    QString valueSuffix() const { return valueSuffix_; }
    void setValueFormat(int decimals, const QString& suffix);
    // The text shown for marker `index` in that format.
    QString valueText(int index) const;

    // The marker that the keyboard moves, or -1 when none can be moved. Selecting a marker that
    // is hidden or fixed is ignored.
    int selectedMarker() const { return selected_; }
    void setSelectedMarker(int index);

    // The marker being dragged by the mouse, or -1.
    int draggedMarker() const { return dragged_; }

    // Whether the value of the selected marker is currently shown as a number.
    bool isValueTextShown() const;

    QSize minimumSizeHint() const override;

    // A text the gauge draws (tick number, legend, caption) and its box in widget coordinates.
    struct DrawnText {
        QString text;
        QRectF box;
    };
    // Every text of the gauge's static layer at its current size and font.
    virtual QList<DrawnText> drawnTexts() const;

protected:
    // A user's move changed marker `index` to `value` (during a drag, for each step); the
    // subclass emits its own signal.
    virtual void notifyMoved(int index, double value) = 0;
    // A user's move of marker `index` ended at `value`.
    virtual void notifyReleased(int index, double value) = 0;
    // Index of the movable marker under `pos` (widget coordinates), or -1.
    virtual int markerAt(const QPointF& pos) const = 0;
    // Scale value that `pos` stands for, not limited to the range.
    virtual double valueFromPoint(const QPointF& pos) const = 0;
    // Paints the parts that change only with size, palette or settings (face, scales, ticks,
    // bands, labels) in widget coordinates.
    virtual void paintStatic(QPainter& painter) = 0;
    // Paints markers, the value text and the focus frame.
    virtual void paintDynamic(QPainter& painter) = 0;

    // Outline of the face in widget coordinates; drawn in the highlight colour while focused.
    virtual QPainterPath faceEdge() const;

    // Drops the cached static layer; every setter of a static setting calls it.
    void invalidateStatic();
    // Draws `text` in `colour` on a dark rounded box centred at `middle`, moved inside the widget
    // where it would stick out.
    void paintValueBox(QPainter& painter, const QPointF& middle, const QColor& colour,
                       const QString& text) const;
    // Whether marker `index` is shown and not NaN.
    bool isMarkerShown(int index) const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Clamps `value` to the range and, if it differs, stores it and notifies the move.
    // Returns whether the value changed.
    bool moveByUser(int index, double value);
    // Ends the drag, with a release notification if the marker moved during it.
    void finishDrag();
    // Picks the first shown, draggable marker when the selection is no longer usable.
    void repairSelection();

    std::array<double, kMaxMarkers> values_{};
    std::array<bool, kMaxMarkers> draggable_{true, true, true, true};
    int markerCount_ = kMaxMarkers;
    double rangeMinimum_ = 0.0;
    double rangeMaximum_ = 1.0;
    double singleStep_ = 1.0;
    double pageStep_ = 10.0;
    int valueDecimals_ = 0;
    QString valueSuffix_;
    int selected_ = 0;
    int dragged_ = -1;
    double grabOffset_ = 0.0;
    bool dragChanged_ = false;
    QPixmap staticLayer_;
};

}  // namespace orvendel
