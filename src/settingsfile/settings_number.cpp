// SPDX-License-Identifier: MIT
#include "settingsfile/settings_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace orvendel {

namespace {

constexpr int kSignificantDigits = 7;
// From this decimal exponent on, numbers are written in exponent form.
constexpr int kFirstExponentFormExponent = 7;

// Drops the trailing zeros of a digit string.
std::string_view trimTrailingZeros(std::string_view digits) {
    while (!digits.empty() && digits.back() == '0') {
        digits.remove_suffix(1);
    }
    return digits;
}

// Whether a number that from_chars found beyond the float range is below 1 in magnitude, so
// that it lies below the smallest subnormal rather than above the largest float. Looks at the
// text's digits and exponent: the place of the first non-zero digit plus the exponent.
bool belowOne(std::string_view number) {
    if (!number.empty() && number.front() == '-') {
        number.remove_prefix(1);
    }
    const std::size_t exponentAt = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, exponentAt);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return true;  // all zeros; from_chars reads those as zero anyway
    }
    // Power of ten of the first non-zero digit, before the exponent.
    long long power = first < point ? static_cast<long long>(point - first - 1)
                                    : -static_cast<long long>(first - point);
    if (exponentAt != std::string_view::npos) {
        std::string_view exponent = number.substr(exponentAt + 1);
        const bool negative = !exponent.empty() && exponent.front() == '-';
        if (!exponent.empty() && (exponent.front() == '-' || exponent.front() == '+')) {
            exponent.remove_prefix(1);
        }
        // Saturates: any exponent this large decides the matter whatever the digits.
        constexpr long long kLimit = 1'000'000'000;
        long long value = 0;
        for (const char c : exponent) {
            value = std::min(kLimit, value * 10 + (c - '0'));
        }
        power += negative ? -value : value;
    }
    return power < 0;
}

}  // namespace

std::string formatSettingsNumber(float value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    if (value == 0) {
        return "0";
    }

    // Round to seven significant digits once, in scientific form "d.dddddde+XX"; the layout is
    // then built from those digits so that fixed and exponent forms round the same way.
    char scientific[32];
    const auto converted =
        std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(scientific, static_cast<std::size_t>(converted.ptr - scientific));
    const std::size_t e = text.find('e');
    std::string digits;
    digits.push_back(text[0]);
    digits.append(text.substr(2, e - 2));
    int exponent = 0;
    std::string_view exponentText = text.substr(e + 1);
    if (exponentText.front() == '+') {
        exponentText.remove_prefix(1);
    }
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    std::string out;
    if (value < 0) {
        out.push_back('-');
    }
    if (exponent >= kFirstExponentFormExponent) {
        const std::string_view mantissa = trimTrailingZeros(digits);
        out.push_back(mantissa[0]);
        if (mantissa.size() > 1) {
            out.push_back('.');
            out.append(mantissa.substr(1));
        }
        out.append(exponent < 10 ? "E+0" : "E+");
        out.append(std::to_string(exponent));
    } else if (exponent >= 0) {
        const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
        out.append(digits, 0, wholeDigits);
        const std::string_view fraction =
            trimTrailingZeros(std::string_view(digits).substr(wholeDigits));
        if (!fraction.empty()) {
            out.push_back('.');
            out.append(fraction);
        }
    } else {
        out.append("0.");
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out.append(trimTrailingZeros(digits));
    }
    return out;
}

std::string shortestFloatText(float value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    char text[32];
    const auto converted = std::to_chars(text, text + sizeof text, value);
    return std::string(text, converted.ptr);
}

SettingsNumber parseSettingsNumber(std::string_view text) {
    SettingsNumber result;
    // from_chars takes no "+"; accept one in front of a digit or a period.
    if (text.size() >= 2 && text[0] == '+' &&
        (text[1] == '.' || (text[1] >= '0' && text[1] <= '9'))) {
        text.remove_prefix(1);
    }
    if (text.empty() || !(text[0] == '-' || text[0] == '.' || (text[0] >= '0' && text[0] <= '9'))) {
        return result;  // also keeps out "inf", "nan" and their spellings
    }
    float value = 0;
    const auto parsed =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (parsed.ec == std::errc::invalid_argument || parsed.ptr != text.data() + text.size()) {
        return result;  // not a number, or one followed by more text
    }
    if (parsed.ec == std::errc::result_out_of_range) {
        if (!belowOne(text)) {
            result.status = SettingsNumber::Status::OutOfRange;
            return result;
        }
        // Too small for even a subnormal: the nearest float is a zero of the same sign.
        value = text.front() == '-' ? -0.0f : 0.0f;
    } else if (parsed.ec != std::errc() || !std::isfinite(value)) {
        return result;
    }
    result.status = SettingsNumber::Status::Ok;
    result.value = value;
    return result;
}

}  // namespace orvendel
