// SPDX-License-Identifier: MIT
#include "shell/gauges/scale_map.h"

#include <algorithm>
#include <cmath>

namespace orvendel {

ScaleMap::ScaleMap(double s1, double s2, double p1, double p2)
    : s1_(s1), s2_(s2), p1_(p1), p2_(p2) {}

double ScaleMap::transform(double value) const {
    if (s2_ == s1_) {
        return p1_;
    }
    return p1_ + (value - s1_) * (p2_ - p1_) / (s2_ - s1_);
}

double ScaleMap::invTransform(double position) const {
    if (p2_ == p1_) {
        return s1_;
    }
    return s1_ + (position - p1_) * (s2_ - s1_) / (p2_ - p1_);
}

double ScaleMap::clampToScale(double value) const {
    if (std::isnan(value)) {
        return value;
    }
    return std::clamp(value, std::min(s1_, s2_), std::max(s1_, s2_));
}

}  // namespace orvendel
