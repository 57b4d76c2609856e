// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPixmap>
#include <QPointF>
#include <QPointer>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <array>

#include "shell/gauges/gauge_markings.h"
#include "shell/gauges/marker_painter.h"

class QFontMetricsF;
class QLineEdit;
class QPainter;
class QPainterPath;

namespace orvendel {

class GaugeValueEditor;

// Base of the round and the linear gauge: the value model of up to four movable markers
// (needles or pointers) with their painters, and the one place where mouse, keyboard, typed
// values and assistive technology turn into moves.
//
// Values set by the program (setMarkerValue) are stored as given and raise neither markerMoved
// nor markerReleased. A user's move (drag, key, typed value or assistive technology) is limited
// to the marker range and snapped to the value resolution; it raises markerMoved for every
// change while it lasts and markerReleased once when it ends, if the marker moved. A drag moves its
// marker by as much as the mouse moved since the press, snapped towards the marker's value at
// the press, so that a press, or a jitter of less than a step, changes nothing.
// Subclasses provide the drawing, a hit test and the point-to-value mapping.
//
// Keyboard (the gauge takes focus by Tab and click): 1 to 4 select a marker, Up/Right and
// Down/Left move it by the single step, Page Up/Page Down by the page step, Home/End to the
// ends of the range; each key move raises one markerMoved and one markerReleased. Enter or F2
// (or a double click on a marker) opens a small editor for typing the selected marker's value:
// Enter takes it as a user's move, Escape or leaving the editor drops it.
//
// Every gauge answers assistive technology as a slider or dial whose value is the selected
// marker's, with one child per marker named by the marker's legend; changes are announced.
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

    // Whether the user may move marker `index` (default true). A fixed marker is still drawn.
    bool isMarkerDraggable(int index) const;
    void setMarkerDraggable(int index, bool draggable);

    // How marker `index` is drawn (shape, colour, width, reach); out-of-range indexes read a
    // default painter and are ignored when set.
    const MarkerPainter& markerPainter(int index) const;
    QColor markerColour(int index) const { return markerPainter(index).colour(); }
    void setMarkerColour(int index, const QColor& colour);
    void setMarkerShape(int index, MarkerPainter::Shape shape);
    // Sets the outline of MarkerPainter::Shape::Custom and selects that shape.
    void setMarkerOutline(int index, const QPolygonF& outline);
    void setMarkerWidth(int index, double width);
    void setMarkerReach(int index, double head, double foot);

    // The name of marker `index` for assistive technology: the caption of its legend.
    virtual QString markerName(int index) const = 0;
    // The box that marker `index` covers, in widget coordinates (empty when not shown).
    virtual QRectF markerBounds(int index) const = 0;

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
    // The same number without the suffix, as the value editor starts with it.
    QString valueNumber(int index) const;

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

    // The marker that the keyboard moves, or -1 when none can be moved. Selecting a marker that
    // is hidden or fixed is ignored.
    int selectedMarker() const { return selected_; }
    void setSelectedMarker(int index);

    // The marker being dragged by the mouse, or -1.
    int draggedMarker() const { return dragged_; }

    // Whether the value of the selected marker is currently shown as a number.
    bool isValueTextShown() const;

    // Opens the value editor on the selected marker (as Enter does); returns whether it opened.
    bool openValueEditor();
    // The open value editor, or null.
    QLineEdit* valueEditor() const;

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

public:
    // A text the gauge draws (tick number, legend, caption) and its box in widget coordinates.
    struct DrawnText {
        QString text;
        QRectF box;
    };
    // Every text of the gauge's static layer at its current size and font.
    virtual QList<DrawnText> drawnTexts() const;

protected:
    // A gauge with `labelSlots` labels and `bandSlots` bands, all of them drawn at first.
    GaugeWidget(int labelSlots, int bandSlots, QWidget* parent);

    const GaugeMarkings& markings() const { return markings_; }

    // A text of the static layer as placed for drawing: `origin` is the left end of its baseline.
    struct PlacedText {
        QString text;
        QRectF box;
        QPointF origin;
        QColor colour;
    };
    // The static texts at the largest font, up to the widget's own, at which they all fit.
    struct FittedTexts {
        QFont font;
        QList<PlacedText> texts;
    };

    // Index of the movable marker under `pos` (widget coordinates), or -1.
    virtual int markerAt(const QPointF& pos) const = 0;
    // Scale value that `pos` stands for, not limited to the range.
    virtual double valueFromPoint(const QPointF& pos) const = 0;
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
    // Paints markers, the value text and the focus frame.
    virtual void paintDynamic(QPainter& painter) = 0;

    // Outline of the face in widget coordinates; drawn in the highlight colour while focused.
    virtual QPainterPath faceEdge() const;

    // The room every static text keeps to the others, to the scale and to the gauge's edge: a
    // fifth of its font's line height, never under two pixels, so that it grows with the font.
    static double textGap(const QFontMetricsF& metrics);

    // The static texts, shrunk together until they fit (down to half the font size; what fits
    // at no size is left out).
    FittedTexts fitTexts() const;
    // Draws placed texts.
    static void paintTexts(QPainter& painter, const FittedTexts& fitted);

    // Drops the cached static layer; every setter of a static setting calls it.
    void invalidateStatic();
    // Draws `text` in `colour` on a dark rounded box centred at `middle`, moved inside the widget
    // where it would stick out.
    void paintValueBox(QPainter& painter, const QPointF& middle, const QColor& colour,
                       const QString& text) const;
    // Draws the markers, the emphasised one (dragged, else selected) last, and its readout.
    // `place` gives each marker's polygon.
    template <typename Place>
    void paintMarkers(QPainter& painter, Place place) const {
        const int emphasised = dragged_ >= 0 ? dragged_ : selected_;
        for (int i = 0; i < markerCount_; ++i) {
            if (isMarkerShown(i) && i != emphasised)
                markerPainter(i).paint(painter, place(i));
        }
        if (isMarkerShown(emphasised))
            markerPainter(emphasised).paint(painter, place(emphasised));
    }
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
    // Clamps and snaps `value` and, if it differs, stores it and emits markerMoved.
    // Returns whether the value changed.
    bool moveByUser(int index, double value);
    // The dragged marker after the mouse moved by `moved` scale units since the press: its value
    // at the press moved as far, within the range, snapped towards the value at the press; no
    // move at all gives that value back. Stores and notifies as moveByUser().
    bool dragTo(double moved);
    // Stores `value` for marker `index` and emits markerMoved, if it differs.
    bool storeUserValue(int index, double value);
    // Ends the drag, with markerReleased if the marker moved during it.
    void finishDrag();
    // Picks the first shown, draggable marker when the selection is no longer usable.
    void repairSelection();
    // Makes `index` the selected marker and emits what changed with it.
    void select(int index);
    // Label or band `index`, or null past the slots.
    GaugeMarkings::Label* label(int index);
    const GaugeMarkings::Label* label(int index) const;
    GaugeMarkings::Band* band(int index);
    const GaugeMarkings::Band* band(int index) const;
    // Tells assistive technology that marker `index` changed its value.
    void announceValue(int index);
    // Where the value editor of `size` goes for marker `index`: beside the marker, inside the
    // gauge, clear of the marker's legend.
    QRectF valueEditorBox(int index, const QSizeF& size) const;
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
    QPixmap staticLayer_;
    QPointer<GaugeValueEditor> editor_;
    int editedMarker_ = -1;
};

}  // namespace orvendel
