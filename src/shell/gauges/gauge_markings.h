// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>

namespace orvendel {

// What the program prints on a gauge's face besides the scale: text labels (the markers'
// legends), coloured bands along the scale and the look of the ticks. Each kind of gauge holds
// a fixed number of labels and bands and draws the first labelCount and bandCount of them.
struct GaugeMarkings {
    struct Label {
        QString caption;
        QColor colour;
        QPointF position;  // in the kind of gauge's own fractions of its size
    };
    struct Band {
        double start = 0.0;  // start and end in scale units, either order
        double end = 0.0;
        QColor colour;
    };

    GaugeMarkings(int labelSlots, int bandSlots)
        : labels(labelSlots), bands(bandSlots), labelCount(labelSlots), bandCount(bandSlots) {}

    QList<Label> labels;
    QList<Band> bands;
    int labelCount;
    int bandCount;
    QColor tickColour;
    bool tickLabelsShown = false;
};

}  // namespace orvendel
