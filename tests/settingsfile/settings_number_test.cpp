// SPDX-License-Identifier: MIT
#include "settingsfile/settings_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <locale>
#include <random>
#include <string>

namespace orvendel {
namespace {

using Status = SettingsNumber::Status;
using Limits = std::numeric_limits<float>;

TEST(FormatSettingsNumber, WritesSevenSignificantDigitsAndExponentsFromTenMillionOn) {
    const struct {
        float value;
        const char* text;
    } rows[] = {
        // clang-format off
        {40.0f, "40"}, {-1.0f, "-1"}, {0.0f, "0"}, {-0.0f, "0"}, {9999999.0f, "9999999"},
        {std::bit_cast<float>(0x400CCCCDu), "2.2"}, {-0.4f, "-0.4"}, {1.0f / 3.0f, "0.3333333"},
        {123.456789f, "123.4568"}, {0.000123456789f, "0.0001234568"}, {1e-7f, "0.0000001"},
        {9.9999999f, "10"}, {0.99999999f, "1"},  // rounding carries into a new digit
        {1e7f, "1E+07"}, {-1e7f, "-1E+07"}, {9999999.5f, "1E+07"}, {123456789.0f, "1.234568E+08"},
        {Limits::max(), "3.402823E+38"}, {Limits::quiet_NaN(), "nan"},
        {Limits::infinity(), "inf"}, {-Limits::infinity(), "-inf"},
        // clang-format on
    };
    for (const auto& row : rows)
        EXPECT_EQ(formatSettingsNumber(row.value), row.text);
    const std::string tiny = formatSettingsNumber(Limits::denorm_min());
    EXPECT_EQ(tiny.find_first_of("eE"), std::string::npos) << tiny;
}

TEST(ParseSettingsNumber, ReadsDecimalFormsAndRefusesEverythingElse) {
    const struct {
        std::string text;
        Status status;
        float value;
    } rows[] = {
        // clang-format off
        {"40", Status::Ok, 40.0f},       {"-1", Status::Ok, -1.0f},
        {".4", Status::Ok, 0.4f},        {"-.4", Status::Ok, -0.4f},
        {"+.4", Status::Ok, 0.4f},       {"4.", Status::Ok, 4.0f},
        {"1E+07", Status::Ok, 1e7f},     {"1e7", Status::Ok, 1e7f},
        {"2.5E-1", Status::Ok, 0.25f},   {"2.2", Status::Ok, std::bit_cast<float>(0x400CCCCDu)},
        {"000012", Status::Ok, 12.0f},   {"3.402823E+38", Status::Ok, 3.402823e38f},
        {"1e39", Status::OutOfRange, 0}, {"-1E+50", Status::OutOfRange, 0},
        {"1e99999999999999999999", Status::OutOfRange, 0}, {"0.0001e43", Status::OutOfRange, 0},
        {std::string(41, '9') + "e-1", Status::OutOfRange, 0},
        // Below the normal range: the nearest subnormal, or a zero of the same sign.
        {"1e-40", Status::Ok, std::bit_cast<float>(0x000116C2u)}, {"7e-46", Status::Ok, 0.0f},
        {"8e-46", Status::Ok, std::bit_cast<float>(0x00000001u)}, {"1e-46", Status::Ok, 0.0f},
        {"-1e-50", Status::Ok, -0.0f},   {"-1E-99999999999999999999", Status::Ok, -0.0f},
        {"0." + std::string(60, '0') + "1", Status::Ok, 0.0f},
        {"0." + std::string(60, '0') + "1e15", Status::Ok, 0.0f},
        {std::string(50, '1') + "e-99", Status::Ok, 0.0f},
        // clang-format on
    };
    for (const auto& row : rows) {
        const SettingsNumber n = parseSettingsNumber(row.text);
        EXPECT_EQ(n.status, row.status) << row.text;
        if (row.status == Status::Ok) {  // by bits, so that -0 differs from 0
            EXPECT_EQ(std::bit_cast<std::uint32_t>(n.value),
                      std::bit_cast<std::uint32_t>(row.value))
                << row.text;
        }
    }
    for (const std::string text :
         {"",         " ",   "abc", "4,5",   "4 5",      "1e",   "e5",  "--4",
          "+-4",      "+",   "-",   ".",     "0x10",     "nan",  "inf", "-inf",
          "infinity", "40 ", " 40", "4.5.6", "\xC3\xA9", "1_000"})
        EXPECT_EQ(parseSettingsNumber(text).status, Status::NotANumber) << text;
    EXPECT_EQ(parseSettingsNumber(std::string("4\0", 2)).status, Status::NotANumber);
}

TEST(SettingsNumberRoundTrip, AnyFiniteFloatComesBackWithinSevenDigitsAndThenStays) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> bits;
    for (int checked = 0; checked < 20000;) {
        const float value = std::bit_cast<float>(bits(random));
        if (!std::isfinite(value) || std::fabs(value) < Limits::min())
            continue;  // subnormals carry fewer than seven digits of their own
        ++checked;
        const std::string written = formatSettingsNumber(value);
        const SettingsNumber back = parseSettingsNumber(written);
        ASSERT_EQ(back.status, Status::Ok) << written;
        ASSERT_LE(std::fabs(back.value - value), std::fabs(value) * 5.7e-7f)
            << value << " written as " << written;
        ASSERT_EQ(formatSettingsNumber(back.value), written) << "a second save changes nothing";
    }
}

// A C++ locale with a comma as decimal separator, so that the test needs no installed locale.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// Restores the global C and C++ locales at the end of a test.
class LocaleGuard {
public:
    LocaleGuard() : cxx_(std::locale()), c_(std::setlocale(LC_ALL, nullptr)) {}
    ~LocaleGuard() {
        std::locale::global(cxx_);
        std::setlocale(LC_ALL, c_.c_str());
    }

private:
    std::locale cxx_;
    std::string c_;
};

void expectPeriodForm() {
    EXPECT_EQ(formatSettingsNumber(-1234.5f), "-1234.5");
    EXPECT_EQ(formatSettingsNumber(123456789.0f), "1.234568E+08");
    EXPECT_EQ(parseSettingsNumber("2.5").value, 2.5f);
    EXPECT_EQ(parseSettingsNumber("2,5").status, Status::NotANumber);
}

TEST(SettingsNumberLocale, CommaDecimalLocalesChangeNothing) {
    LocaleGuard guard;
    std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    expectPeriodForm();
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252"}) {
        if (std::setlocale(LC_ALL, name) != nullptr && *std::localeconv()->decimal_point == ',') {
            SCOPED_TRACE(name);  // the C locale is what the C library reads numbers by
            expectPeriodForm();
            break;
        }
    }
}

}  // namespace
}  // namespace orvendel
