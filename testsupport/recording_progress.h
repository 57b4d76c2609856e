// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "patcher/progress.h"

namespace orvendel {

// Keeps everything a run shows, in order, for tests.
class RecordingProgress : public ProgressSink {
public:
    void setStatus(std::string_view text) override { statuses.emplace_back(text); }
    void setRange(double min, double max) override {
        minimum = min;
        maximum = max;
    }
    void setValue(double value) override { values.push_back(value); }

    std::vector<std::string> statuses;
    std::vector<double> values;
    double minimum = -1;
    double maximum = -1;
};

}  // namespace orvendel
