// SPDX-License-Identifier: MIT
#include "shell/window/queued_progress.h"

#include <algorithm>
#include <cmath>

#include "shell/core_texts.h"

namespace orvendel {

int barStep(double min, double max, double value, int steps) {
    if (!(max > min) || !std::isfinite(value) || !std::isfinite(max - min))
        return 0;
    const double fraction = std::clamp((value - min) / (max - min), 0.0, 1.0);
    return static_cast<int>(std::lround(fraction * steps));
}

void QueuedProgress::setStatus(std::string_view text) {
    emit statusChanged(windowText(text));
}

void QueuedProgress::setRange(double min, double max) {
    min_ = min;
    max_ = max;
    shownStep_ = -1;
    emit rangeChanged(min, max);
}

void QueuedProgress::setValue(double value) {
    const int step = barStep(min_, max_, value, barSteps_);
    if (step == shownStep_)
        return;
    shownStep_ = step;
    emit valueChanged(value);
}

}  // namespace orvendel
