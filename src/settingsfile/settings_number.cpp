#include "settingsfile/settings_number.h"

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
        result.status = SettingsNumber::Status::OutOfRange;
        return result;
    }
    if (parsed.ec != std::errc() || !std::isfinite(value)) {
        return result;
    }
    result.status = SettingsNumber::Status::Ok;
    result.value = value;
    return result;
}

}  // namespace orvendel
