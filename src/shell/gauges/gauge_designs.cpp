// SPDX-License-Identifier: MIT
#include "shell/gauges/gauge_designs.h"

#include <QColor>
#include <QCoreApplication>
#include <QObject>
#include <QPolygonF>
#include <array>

#include "shell/gauges/linear_gauge.h"
#include "shell/gauges/round_gauge.h"

namespace orvendel {

namespace {

// The designs keep colours as 0x00BBGGRR values.
constexpr QColor bgrColor(unsigned value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

// Text and marker colours shared by the legends of all gauges.
constexpr unsigned kRed = 0x0000FF;
constexpr unsigned kCyan = 0xFFFF00;
constexpr unsigned kMagenta = 0xFF00FF;
constexpr unsigned kSilver = 0xC0C0C0;
constexpr unsigned kYellow = 0x00FFFF;
constexpr unsigned kDarkYellow = 0x00C0C0;

struct RoundBand {
    double start;
    double end;
    unsigned colour;
};

struct RoundLabel {
    const char* caption;
    unsigned colour;
    double across;
    double up;
};

constexpr std::array<RoundBand, 4> kAngleBands{{
    {-45, 0, 0x000080},
    {-90, -45, 0x000040},
    {0, 35, 0x808000},
    {35, 90, 0x404000},
}};

// Labels and needles share index and colour, so the labels read as a legend of the needles.
constexpr std::array<RoundLabel, 4> kAngleLabels{{
    {QT_TRANSLATE_NOOP("orvendel::GaugeDesigns", "Minimum Angle"), kRed, -0.75, 0.87},
    {QT_TRANSLATE_NOOP("orvendel::GaugeDesigns", "Default Angle"), kCyan, -0.75, 0.35},
    {QT_TRANSLATE_NOOP("orvendel::GaugeDesigns", "INS Key Angle"), kMagenta, -0.75, -0.44},
    {QT_TRANSLATE_NOOP("orvendel::GaugeDesigns", "DEL Key Angle"), kSilver, -0.75, -0.94},
}};

constexpr std::array<double, 16> kOctagon{0,    100, 100, 0,    900, 0,    1000, 100,
                                          1000, 900, 900, 1000, 100, 1000, 0,    900};

struct LinearLabel {
    const char* caption;
    double x;
    double y;
    unsigned colour;
};

constexpr std::array<LinearLabel, 5> kZoomLabels{{
    {QT_TRANSLATE_NOOP("orvendel::GaugeDesigns", "Zoom Min"), 0.1, 0.1, kRed},
    {QT_TRANSLATE_NOOP("orvendel::GaugeDesigns", "Zoom Default"), 0.4, 0.35, kCyan},
    {QT_TRANSLATE_NOOP("orvendel::GaugeDesigns", "Zoom Max"), 0.8, 0.1, kMagenta},
    //: First-person mode of the camera, as the game names it.
    {QT_TRANSLATE_NOOP("orvendel::GaugeDesigns", "FPS"), 0.32, 0.1, kRed},
    {QT_TRANSLATE_NOOP("orvendel::GaugeDesigns", "FPS"), 0.67, 0.35, kCyan},
}};

struct LinearPointer {
    LinearGauge::PointerShape shape;
    double width;
    double top;
    double bottom;
    unsigned colour;
    int legend;  // the label that names the pointer
};

constexpr std::array<LinearPointer, 3> kZoomPointers{{
    {LinearGauge::PointerShape::LeftArrowhead, 0.08, 0.55, 0.85, kRed, 0},
    {LinearGauge::PointerShape::RightArrowhead, 0.08, 0.55, 0.85, kMagenta, 2},
    {LinearGauge::PointerShape::Bar, 0.02, 0.55, 0.85, kCyan, 1},
}};

// Band colours of the linear gauges: a muted blue for the zoom range, amber for the mark at
// the viewing distance past which the game's fog thins.
constexpr unsigned kZoomBand = 0x703838;
constexpr unsigned kDistanceBand = 0x0090E0;

void resetLabels(LinearGauge& gauge) {
    for (int i = 0; i < LinearGauge::kMaxLabels; ++i) {
        gauge.setLabelCaption(i, QString());
    }
}

// The caption `text` in the user's language.
QString designText(const char* text) {
    return QCoreApplication::translate("orvendel::GaugeDesigns", text);
}

}  // namespace

void configureAngleGauge(RoundGauge& gauge) {
    QPolygonF face;
    for (size_t i = 0; i + 1 < kOctagon.size(); i += 2) {
        face << QPointF(kOctagon[i], kOctagon[i + 1]);
    }
    gauge.setFaceOutline(face);
    for (int scale = 0; scale < RoundGauge::kScaleCount; ++scale) {
        gauge.setScaleStart(scale, RoundGauge::kNeedleMinimum);
        gauge.setScaleExtent(scale, RoundGauge::kNeedleMaximum - RoundGauge::kNeedleMinimum);
    }
    gauge.setScaleColour(1, QColor(224, 224, 224));
    gauge.setTickIntervals(30, 15);
    gauge.setTickColour(bgrColor(kYellow));
    gauge.setTickLabelsShown(true);
    gauge.setBandRing(0.7, 0.8);
    gauge.setBandCount(static_cast<int>(kAngleBands.size()));
    for (size_t i = 0; i < kAngleBands.size(); ++i) {
        const RoundBand& band = kAngleBands[i];
        gauge.setBand(static_cast<int>(i), band.start, band.end);
        gauge.setBandColour(static_cast<int>(i), bgrColor(band.colour));
    }
    gauge.setLabelCount(static_cast<int>(kAngleLabels.size()));
    gauge.setMarkerCount(static_cast<int>(kAngleLabels.size()));
    for (size_t i = 0; i < kAngleLabels.size(); ++i) {
        const RoundLabel& label = kAngleLabels[i];
        const int index = static_cast<int>(i);
        gauge.setLabelCaption(index, designText(label.caption));
        gauge.setLabelColour(index, bgrColor(label.colour));
        gauge.setLabelPosition(index, QPointF(label.across, label.up));
        gauge.setMarkerColour(index, bgrColor(label.colour));
        gauge.setMarkerDraggable(index, true);
    }
    gauge.setSingleStep(1);
    gauge.setPageStep(10);
    // Angles are saved in whole degrees, so a user's move lands on one.
    gauge.setValueResolution(1);
    gauge.setValueSuffix(QString(QChar(0x00B0)));
}

void configureZoomGauge(LinearGauge& gauge) {
    gauge.setScale(-1, 30);
    gauge.setMinorTicks(1, -1, 30);
    gauge.setMajorTicks(5, 0, 30);
    gauge.setTickColour(bgrColor(kDarkYellow));
    gauge.setTickExtent(0.88, 1.0);
    gauge.setTickLabelsShown(true);
    gauge.setBandCount(1);
    gauge.setBand(0, 6, 20);
    gauge.setBandExtent(0, 0.6, 0.75);
    gauge.setBandColour(0, bgrColor(kZoomBand));
    resetLabels(gauge);
    gauge.setLabelCount(static_cast<int>(kZoomLabels.size()));
    for (size_t i = 0; i < kZoomLabels.size(); ++i) {
        const LinearLabel& label = kZoomLabels[i];
        const int index = static_cast<int>(i);
        gauge.setLabelCaption(index, designText(label.caption));
        gauge.setLabelPosition(index, QPointF(label.x, label.y));
        gauge.setLabelColour(index, bgrColor(label.colour));
    }
    gauge.setMarkerCount(static_cast<int>(kZoomPointers.size()));
    for (size_t i = 0; i < kZoomPointers.size(); ++i) {
        const LinearPointer& pointer = kZoomPointers[i];
        const int index = static_cast<int>(i);
        gauge.setMarkerShape(index, pointer.shape);
        gauge.setMarkerWidth(index, pointer.width);
        gauge.setPointerExtent(index, pointer.top, pointer.bottom);
        gauge.setMarkerColour(index, bgrColor(pointer.colour));
        gauge.setMarkerDraggable(index, true);
        gauge.setPointerLegend(index, pointer.legend);
    }
    gauge.setSingleStep(0.1);
    gauge.setPageStep(1);
    gauge.setValueResolution(0);
    gauge.setValueSuffix(QString());
}

void configureDistanceGauge(LinearGauge& gauge) {
    gauge.setScale(10, 350);
    gauge.setMinorTicks(10, 10, 350);
    gauge.setMajorTicks(50, 50, 350);
    gauge.setTickColour(bgrColor(kDarkYellow));
    gauge.setTickExtent(0.84, 1.0);
    gauge.setTickLabelsShown(true);
    gauge.setBandCount(1);
    gauge.setBand(0, 44.5, 45.5);
    gauge.setBandExtent(0, 0.4, 0.6);
    gauge.setBandColour(0, bgrColor(kDistanceBand));
    resetLabels(gauge);
    gauge.setLabelCount(1);
    gauge.setLabelCaption(
        0, designText(QT_TRANSLATE_NOOP("orvendel::GaugeDesigns", "Viewing Distance")));
    gauge.setLabelPosition(0, QPointF(0.28, 0.1));
    gauge.setLabelColour(0, bgrColor(kRed));
    gauge.setMarkerCount(1);
    gauge.setMarkerShape(0, LinearGauge::PointerShape::Bar);
    gauge.setMarkerWidth(0, 0.03);
    gauge.setPointerExtent(0, 0.45, 0.8);
    gauge.setMarkerColour(0, bgrColor(kRed));
    gauge.setMarkerDraggable(0, true);
    gauge.setPointerLegend(0, 0);
    gauge.setSingleStep(1);
    gauge.setPageStep(10);
    gauge.setValueResolution(0);
    gauge.setValueSuffix(QStringLiteral(" m"));
}

}  // namespace orvendel
