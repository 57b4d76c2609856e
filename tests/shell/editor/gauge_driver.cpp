#include "gauge_driver.h"

#include <QTest>
#include <algorithm>

#include "shell/gauges/linear_gauge.h"
#include "shell/gauges/round_gauge.h"

namespace orvendel::gauge_driver {

namespace {
constexpr double kGrip = 0.6;  // where along a needle the mouse takes hold, in radii
constexpr int kSteps = 4;

double onDial(double value) {
    return std::clamp(value, RoundGauge::kNeedleMinimum, RoundGauge::kNeedleMaximum);
}
}  // namespace

QPoint needlePoint(const RoundGauge& gauge, int needle) {
    return gauge.pointForValue(onDial(gauge.needleValue(needle)), kGrip).toPoint();
}

void dragNeedle(RoundGauge& gauge, int needle, double value) {
    const double from = onDial(gauge.needleValue(needle));
    QTest::mousePress(&gauge, Qt::LeftButton, Qt::NoModifier, needlePoint(gauge, needle));
    // A value beyond the dial's ends is reached by moving past the end, left of the centre.
    for (int step = 1; step <= kSteps; ++step) {
        const double at = from + (value - from) * step / kSteps;
        QTest::mouseMove(&gauge, gauge.pointForValue(at, kGrip).toPoint());
    }
    QTest::mouseRelease(&gauge, Qt::LeftButton, Qt::NoModifier,
                        gauge.pointForValue(value, kGrip).toPoint());
}

QPoint pointerPoint(const LinearGauge& gauge, int pointer) {
    return gauge.pointerGrabPoint(pointer).toPoint();
}

void dragPointer(LinearGauge& gauge, int pointer, double value, bool release) {
    const QPoint grab = pointerPoint(gauge, pointer);
    const double from = gauge.pointerValue(pointer);
    QTest::mousePress(&gauge, Qt::LeftButton, Qt::NoModifier, grab);
    QPoint at = grab;
    for (int step = 1; step <= kSteps; ++step) {
        const double target = from + (value - from) * step / kSteps;
        const double dx = gauge.positionForValue(target) - gauge.positionForValue(from);
        at = QPoint(grab.x() + static_cast<int>(std::lround(dx)), grab.y());
        QTest::mouseMove(&gauge, at);
    }
    if (release)
        QTest::mouseRelease(&gauge, Qt::LeftButton, Qt::NoModifier, at);
}

}  // namespace orvendel::gauge_driver
