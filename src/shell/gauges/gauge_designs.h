// SPDX-License-Identifier: MIT
#pragma once

namespace orvendel {

class LinearGauge;
class RoundGauge;

// The window layout's gauge designs as data applied to a widget. Each call sets every design
// setting of the gauge (scales, ticks, bands, labels, needles or pointers, key steps, value
// format); values of needles and pointers are left to the program. Safe to call again.

// The angle gauge: octagonal face, scales -90..90, ticks every 30 and 15 in yellow, the four
// red and teal bands, the legend "Minimum Angle", "Default Angle", "INS Key Angle",
// "DEL Key Angle" in the colours of needles 0 to 3, tick values; keys step 1 and 10 degrees;
// the user's moves land on whole degrees; readouts end in "°".
void configureAngleGauge(RoundGauge& gauge);

// The zoom gauge: scale -1..30, band 0 from 6 to 20, labels "Zoom Min", "Zoom Default",
// "Zoom Max", "FPS" and "FPS", tick values, arrowhead pointers 0 (minimum, red) and 1 (maximum,
// magenta) and bar pointer 2 (default, cyan), each named by its label; keys step 0.1 and 1.
void configureZoomGauge(LinearGauge& gauge);

// The distance gauge: scale 10..350, a narrow band at 45, label "Viewing Distance", tick values,
// one red bar pointer; keys step 1 and 10 metres; readouts end in " m".
void configureDistanceGauge(LinearGauge& gauge);

}  // namespace orvendel
