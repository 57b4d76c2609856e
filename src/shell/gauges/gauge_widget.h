// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>

#include "shell/gauges/gauge_markings.h"
#include "shell/gauges/gauge_texts.h"
#include "shell/gauges/marker_painter.h"
#include "shell/gauges/static_layer.h"

class QLineEdit;
class QPainterPath;

namespace orvendel {

class GaugeValueEditor;

// Base of the round and the linear gauge: the value model of up to four movable markers
// (needles or pointers), and the one place where mouse, keyboard, typed values and assistive
// technology turn into moves (gauge_widget_input.cpp). Subclasses draw, hit-test and map
// points to values.
//
// Values set by the program (setMarkerValue) are stored as given and raise neither markerMoved
// nor markerReleased. A user's move is limited to the range and snapped to the value
// resolution; it raises markerMoved for every change while it lasts and markerReleased once
// when it ends, if the marker moved.
class GaugeWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(
        int selectedMarker READ selectedMarker WRITE setSelectedMarker NOTIFY selectedMarkerChanged)
    Q_PROPERTY(double value READ selectedValue WRITE setSelectedValue NOTIFY valueChanged)
    Q_PROPERTY(double minimum READ rangeMinimum)
    Q_PROPERTY(double maximum READ rangeMaximum)
    Q_PROPERTY(double singleStep READ singleStep WRITE setSingleStep)
    Q_PROPERTY(QString valueSuffix READ valueSuffix WRITE setValueSuffix)
public:
    static constexpr int kMaxMarkers = 4;

    ~GaugeWidget() override;

    // The font of every gauge text: "MS Sans Serif" 8.25 pt, falling back to a similar sans
    // serif face where that family is missing.
    static QFont gaugeFont();

    // Number of markers shown and handled, 0..kMaxMarkers; markers past it are neither drawn
    // nor hit, but keep their values.
    int markerCount() const { return markerCount_; }
    void setMarkerCount(int count);

    // Value of marker `index` (0..kMaxMarkers-1); out-of-range indexes read 0 and are ignored
    // when set. Setting stores the value unchanged (even outside the range) and, only when it
    // differs from the stored one, repaints, tells assistive technology and (for the selected
    // marker) emits valueChanged; never markerMoved or markerReleased.
    double markerValue(int index) const;
    void setMarkerValue(int index, double value);

    // Moves marker `index` towards `value` as the user would: limited to the range, snapped to
    // the resolution, then markerMoved and markerReleased if the marker moved. Does nothing
    // for a marker that is hidden, fixed, NaN or being dragged, or for a NaN value. Returns
    // whether the marker moved.
    bool setValueByUser(int index, double value);

    // The selected marker's value (0 when none is selected); setting it acts as setMarkerValue.
    double selectedValue() const;
    void setSelectedValue(double value);

    // The marker that the keyboard moves, or -1 when none can be moved. Selecting a marker that
    // is hidden or fixed is ignored.
    int selectedMarker() const { return selected_; }
    void setSelectedMarker(int index);
    // The marker being dragged by the mouse, or -1.
    int draggedMarker() const { return dragged_; }

    // Whether the user may move marker `index` (default true). A fixed marker is still drawn.
    bool isMarkerDraggable(int index) const;
    void setMarkerDraggable(int index, bool draggable);

    // How marker `index` is drawn; out-of-range indexes read a default painter and are ignored
    // when set.
    const MarkerPainter& markerPainter(int index) const;
    void setMarkerColour(int index, const QColor& colour);
    void setMarkerShape(int index, MarkerPainter::Shape shape);
    void setMarkerWidth(int index, double width);
    void setMarkerReach(int index, double head, double foot);

    // The name of marker `index` for assistive technology: the caption of its legend.
    virtual QString markerName(int index) const = 0;
    // The box that marker `index` covers, in widget coordinates (empty when not shown).
    QRectF markerBounds(int index) const;

    // The range a user's move keeps a marker within (low <= high after the call).
    double rangeMinimum() const { return rangeMinimum_; }
    double rangeMaximum() const { return rangeMaximum_; }
    void setRange(double minimum, double maximum);
    // Steps of the arrow keys and of Page Up/Page Down, in scale units.
    double singleStep() const { return singleStep_; }
    void setSingleStep(double step);
    void setPageStep(double step);
    // A user's move lands on a whole multiple of this (ties to the even multiple); 0, the
    // default, keeps every value.
    void setValueResolution(double resolution);

    // The readout of marker `index`: the shortest number that reads back as the same 4-byte
    // float (the value as it is saved), followed by the suffix (e.g. "°", " m"). Zero of either
    // sign reads "0".
    QString valueSuffix() const { return valueSuffix_; }
    void setValueSuffix(const QString& suffix);
    QString valueText(int index) const;
    // Whether the value of the selected marker is currently shown as a number.
    bool isValueTextShown() const;

    // Labels, bands and the ticks' look (see GaugeMarkings). Indexes past the slots the kind of
    // gauge has read empty values and are ignored when set; counts are limited to the slots.
    int labelCount() const { return markings_.labelCount; }
    void setLabelCount(int count);
    QString labelCaption(int index) const;
    void setLabelCaption(int index, const QString& caption);
    void setLabelColour(int index, const QColor& colour);
    QPointF labelPosition(int index) const;
    void setLabelPosition(int index, const QPointF& position);
    void setBandCount(int count);
    double bandStart(int index) const;
    double bandEnd(int index) const;
    QColor bandColour(int index) const;
    void setBand(int index, double start, double end);
    void setBandColour(int index, const QColor& colour);
    void setTickColour(const QColor& colour);
    // Whether the values of the major ticks are printed (default false).
    void setTickLabelsShown(bool shown);

    // Opens the value editor on the selected marker (as Enter does); returns whether it opened.
    bool openValueEditor();
    // The open value editor, or null.
    QLineEdit* valueEditor() const;

    // Every text of the gauge's static layer at its current size and font.
    QList<DrawnText> drawnTexts() const;

    QSize minimumSizeHint() const override;

signals:
    // A user's move changed marker `index` to `value` (during a drag, for each step).
    void markerMoved(int index, double value);
    // A user's move of marker `index` ended at `value`; only after it changed the marker.
    void markerReleased(int index, double value);
    // The `value` property, the selected marker's value, changed: that marker's value was set
    // to a different one, by the program or the user, or the selection moved to a marker with
    // a different value. Setting the value it already has emits nothing.
    void valueChanged(double value);
    // The selection moved to marker `index` (-1: none).
    void selectedMarkerChanged(int index);

protected:
    // A gauge with `labelSlots` labels and `bandSlots` bands, all of them drawn at first.
    GaugeWidget(int labelSlots, int bandSlots, QWidget* parent);

    const GaugeMarkings& markings() const { return markings_; }

    // Index of the movable marker under `pos` (widget coordinates), or -1.
    virtual int markerAt(const QPointF& pos) const = 0;
    // Scale value that `pos` stands for, not limited to the range.
    virtual double valueFromPoint(const QPointF& pos) const = 0;
    // The polygon marker `index` is drawn as, in widget coordinates.
    virtual QPolygonF markerPolygon(int index) const = 0;
    // Where the readout of marker `index` is centred, in widget coordinates.
    virtual QPointF valueAnchor(int index) const = 0;
    // Places every static text in `font` into `texts`. Returns false as soon as one would leave
    // the gauge or overlap another text or the scale; with `dropMisfits` leaves such texts out
    // instead and returns true.
    virtual bool placeTexts(const QFont& font, bool dropMisfits,
                            QList<PlacedText>& texts) const = 0;
    // Paints the parts that change only with size, palette or settings (face, scales, ticks,
    // bands, labels) in widget coordinates.
    virtual void paintStatic(QPainter& painter) = 0;
    // Paints markers and the readout.
    virtual void paintDynamic(QPainter& painter) = 0;
    // Outline of the face in widget coordinates; drawn in the highlight colour while focused.
    virtual QPainterPath faceEdge() const;

    // The static texts at the widget's font, shrunk together until they fit (see fitTexts()).
    FittedTexts fitTexts() const;
    // Drops the cached static layer; every setter of a static setting calls it.
    void invalidateStatic();
    // Draws the markers, the emphasised one (dragged, else selected) last.
    void paintMarkers(QPainter& painter) const;
    // Draws the readout of the emphasised marker while it is shown.
    void paintReadout(QPainter& painter) const;
    // Whether marker `index` is shown and not NaN.
    bool isMarkerShown(int index) const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The readout's number without the suffix, as the value editor starts with it.
    QString valueNumber(int index) const;
    // Clamps and snaps `value` and, if it differs, stores it and emits markerMoved.
    bool moveByUser(int index, double value);
    // The dragged marker after the mouse moved by `moved` scale units since the press: its value
    // at the press moved as far, within the range, snapped towards the value at the press; no
    // move at all gives that value back. Stores and emits as moveByUser().
    bool dragTo(double moved);
    // Stores `value` for marker `index` and emits markerMoved, if it differs.
    bool storeUserValue(int index, double value);
    // Ends the drag, with markerReleased if the marker moved during it.
    void finishDrag();
    // Picks the first shown, draggable marker when the selection is no longer usable.
    void repairSelection();
    // Makes `index` the selected marker and emits what changed with it.
    void select(int index);
    // Takes or drops the editor's value; both close the editor.
    void commitValueEditor(double value);
    void closeValueEditor();

    std::array<double, kMaxMarkers> values_{};
    std::array<bool, kMaxMarkers> draggable_{true, true, true, true};
    std::array<MarkerPainter, kMaxMarkers> painters_;
    int markerCount_ = kMaxMarkers;
    double rangeMinimum_ = 0.0;
    double rangeMaximum_ = 1.0;
    double singleStep_ = 1.0;
    double pageStep_ = 10.0;
    double valueResolution_ = 0.0;
    QString valueSuffix_;
    int selected_ = 0;
    int dragged_ = -1;
    double grabValue_ = 0.0;  // the dragged marker's value at the press
    double grabPoint_ = 0.0;  // the scale value under the mouse at the press
    bool dragChanged_ = false;
    GaugeMarkings markings_;
    StaticLayer staticLayer_;
    QPointer<GaugeValueEditor> editor_;
    int editedMarker_ = -1;
};

}  // namespace orvendel
