// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace orvendel {

// Writes a float as a settings file keeps it: rounded to at most seven significant digits,
// trailing zeros dropped, no decimal point for whole values, a period as separator whatever the
// locale, a leading "-" only for negative values and "0" for both zeros. Magnitudes of 1e7 or
// more use exponent form ("1E+07", "3.402823E+38"); smaller ones never do. NaN and infinities
// come out as "nan", "inf" and "-inf", which parseSettingsNumber refuses.
std::string formatSettingsNumber(float value);

// The shortest decimal text that reads back as the same 4-byte float ("1.5", "0.1", "1e+20"), the
// way the gauges and the command line show values; "nan", "inf" and "-inf" for the others.
std::string shortestFloatText(float value);

// The outcome of reading one number field.
struct SettingsNumber {
    enum class Status { Ok, NotANumber, OutOfRange };
    Status status = Status::NotANumber;
    float value = 0;
};

// Reads the whole of `text` as a decimal number into the nearest 4-byte float, independent of
// the locale: an optional "+" or "-", digits with an optional period (".4", "-.4" and "4." are
// numbers), an optional exponent ("1E+07"). Anything else in the text, an empty text, "nan" and
// "inf" give NotANumber; a number beyond the largest float gives OutOfRange. A number too small
// for a normal float reads as the nearest subnormal, or as 0 or -0 below half the smallest one.
SettingsNumber parseSettingsNumber(std::string_view text);

}  // namespace orvendel
