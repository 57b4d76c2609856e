#pragma once

#include <QPoint>
#include <QPointF>

namespace orvendel {

class LinearGauge;
class RoundGauge;

// Moves needles and pointers the way a user does, with mouse events at points taken from the
// gauges' own value-to-position mapping (rounded to whole pixels, as a real mouse gives them).
namespace gauge_driver {

// A point on needle `needle` of `gauge`, away from the hub where all needles meet.
QPoint needlePoint(const RoundGauge& gauge, int needle);

// Presses on needle `needle`, moves in steps towards `value` and releases there.
void dragNeedle(RoundGauge& gauge, int needle, double value);

// A point inside pointer `pointer` of `gauge`.
QPoint pointerPoint(const LinearGauge& gauge, int pointer);

// Presses on pointer `pointer`, moves towards `value` and releases there; with `release`
// false the button stays down (the drag is still going on).
void dragPointer(LinearGauge& gauge, int pointer, double value, bool release = true);

}  // namespace gauge_driver
}  // namespace orvendel
