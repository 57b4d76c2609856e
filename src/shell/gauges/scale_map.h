// SPDX-License-Identifier: MIT
#pragma once

namespace orvendel {

// Linear mapping between a scale interval (values, e.g. degrees or metres) and a paint interval
// (positions, e.g. pixels along an axis or dial angles in degrees). Free of any GUI type so that
// the conversions can be tested on their own; widgets and tests use the same instance to turn
// values into points and points into values.
class ScaleMap {
public:
    // An identity map over [0, 1].
    ScaleMap() = default;
    // A map from the scale interval [s1, s2] onto the paint interval [p1, p2]; either may run
    // backwards (s1 > s2 for a reversed scale, p1 > p2 for y growing downwards).
    ScaleMap(double s1, double s2, double p1, double p2);

    double s1() const { return s1_; }
    double s2() const { return s2_; }
    double p1() const { return p1_; }
    double p2() const { return p2_; }

    // Position of `value`; values outside the scale interval extrapolate linearly.
    // An empty scale interval (s1 == s2) maps every value to p1.
    double transform(double value) const;
    // Value at `position`, the inverse of transform(); an empty paint interval gives s1.
    double invTransform(double position) const;
    // `value` limited to the scale interval (whichever of s1, s2 is lower is the bottom).
    // NaN stays NaN.
    double clampToScale(double value) const;

private:
    double s1_ = 0.0;
    double s2_ = 1.0;
    double p1_ = 0.0;
    double p2_ = 1.0;
};

}  // namespace orvendel
