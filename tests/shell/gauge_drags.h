// SPDX-License-Identifier: MIT
#pragma once

#include <QTest>
#include <algorithm>
#include <cmath>

#include "shell/gauges/linear_gauge.h"
#include "shell/gauges/round_gauge.h"

namespace orvendel {

// Drags like a user: presses on the needle, moves in four steps towards `value`, releases.
inline void dragNeedle(RoundGauge& gauge, int needle, double value) {
    const double from = std::clamp(gauge.markerValue(needle), -90.0, 90.0);
    const auto at = [&](double v) { return gauge.pointForValue(v, 0.6).toPoint(); };
    QTest::mousePress(&gauge, Qt::LeftButton, {}, at(from));
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(&gauge, at(from + (value - from) * step / 4));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at(value));
}

// The same for a pointer, keeping the offset of the grab; with `release` false the button stays
// down.
inline void dragPointer(LinearGauge& gauge, int pointer, double value, bool release = true) {
    const QPoint grab = gauge.pointerGrabPoint(pointer).toPoint();
    const double from = gauge.markerValue(pointer);
    QTest::mousePress(&gauge, Qt::LeftButton, {}, grab);
    QPoint at = grab;
    for (int step = 1; step <= 4; ++step) {
        const double dx =
            gauge.positionForValue(from + (value - from) * step / 4) - gauge.positionForValue(from);
        at = grab + QPoint(static_cast<int>(std::lround(dx)), 0);
        QTest::mouseMove(&gauge, at);
    }
    if (release)
        QTest::mouseRelease(&gauge, Qt::LeftButton, {}, at);
}

}  // namespace orvendel
