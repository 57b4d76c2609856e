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

float bitsToFloat(std::uint32_t bits) {
    return std::bit_cast<float>(bits);
}

TEST(FormatSettingsNumber, WholeValuesHaveNoPoint) {
    EXPECT_EQ(formatSettingsNumber(40.0f), "40");
    EXPECT_EQ(formatSettingsNumber(-1.0f), "-1");
    EXPECT_EQ(formatSettingsNumber(350.0f), "350");
    EXPECT_EQ(formatSettingsNumber(0.0f), "0");
    EXPECT_EQ(formatSettingsNumber(-0.0f), "0");
    EXPECT_EQ(formatSettingsNumber(9999999.0f), "9999999");
}

TEST(FormatSettingsNumber, RoundsToSevenSignificantDigitsAndDropsTrailingZeros) {
    EXPECT_EQ(formatSettingsNumber(2.2f), "2.2");
    EXPECT_EQ(formatSettingsNumber(bitsToFloat(0x400CCCCD)), "2.2");
    EXPECT_EQ(formatSettingsNumber(-0.4f), "-0.4");
    EXPECT_EQ(formatSettingsNumber(33.3f), "33.3");
    EXPECT_EQ(formatSettingsNumber(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(formatSettingsNumber(123.456789f), "123.4568");
    EXPECT_EQ(formatSettingsNumber(0.000123456789f), "0.0001234568");
    EXPECT_EQ(formatSettingsNumber(1.5f), "1.5");
    // Rounding that carries into a new digit.
    EXPECT_EQ(formatSettingsNumber(9.9999999f), "10");
    EXPECT_EQ(formatSettingsNumber(0.99999999f), "1");
}

TEST(FormatSettingsNumber, ExponentFormOnlyFromTenMillionOn) {
    EXPECT_EQ(formatSettingsNumber(1e7f), "1E+07");
    EXPECT_EQ(formatSettingsNumber(-1e7f), "-1E+07");
    EXPECT_EQ(formatSettingsNumber(9999999.5f), "1E+07") << "rounds up to ten million";
    EXPECT_EQ(formatSettingsNumber(123456789.0f), "1.234568E+08");
    EXPECT_EQ(formatSettingsNumber(std::numeric_limits<float>::max()), "3.402823E+38");
    EXPECT_EQ(formatSettingsNumber(1e-7f), "0.0000001");
    const std::string tiny = formatSettingsNumber(std::numeric_limits<float>::denorm_min());
    EXPECT_EQ(tiny.find_first_of("eE"), std::string::npos) << tiny;
}

TEST(FormatSettingsNumber, NonFiniteValuesAreNamed) {
    EXPECT_EQ(formatSettingsNumber(std::numeric_limits<float>::quiet_NaN()), "nan");
    EXPECT_EQ(formatSettingsNumber(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(formatSettingsNumber(-std::numeric_limits<float>::infinity()), "-inf");
}

TEST(ParseSettingsNumber, ReadsTheFormsOtherWritersUse) {
    struct Case {
        const char* text;
        float value;
    };
    const Case cases[] = {
        {"40", 40.0f},
        {"-1", -1.0f},
        {".4", 0.4f},
        {"-.4", -0.4f},
        {"0.4", 0.4f},
        {"+.4", 0.4f},
        {"+5", 5.0f},
        {"1E+07", 1e7f},
        {"1e+07", 1e7f},
        {"1E7", 1e7f},
        {"2.5E-1", 0.25f},
        {"4.", 4.0f},
        {"2.2", bitsToFloat(0x400CCCCD)},
        {"000012", 12.0f},
    };
    for (const Case& c : cases) {
        const SettingsNumber n = parseSettingsNumber(c.text);
        EXPECT_EQ(n.status, Status::Ok) << c.text;
        EXPECT_EQ(n.value, c.value) << c.text;
    }
}

TEST(ParseSettingsNumber, RefusesWhatIsNotADecimalNumber) {
    const std::string notNumbers[] = {
        "",
        " ",
        "abc",
        "4,5",
        "4 5",
        "1e",
        "e5",
        "--4",
        "+-4",
        "++4",
        "+",
        "-",
        ".",
        "0x10",
        "nan",
        "inf",
        "-inf",
        "infinity",
        "NaN",
        "40 ",
        " 40",
        "4.5.6",
        std::string("4\0", 2),
        "\xC3\xA9",
        "\xFF\xFE",
        "1_000",
    };
    for (const std::string& text : notNumbers) {
        EXPECT_EQ(parseSettingsNumber(text).status, Status::NotANumber) << text;
    }
}

TEST(ParseSettingsNumber, NumbersBeyondTheFloatRangeAreOutOfRange) {
    EXPECT_EQ(parseSettingsNumber("1e39").status, Status::OutOfRange);
    EXPECT_EQ(parseSettingsNumber("-1E+50").status, Status::OutOfRange);
    EXPECT_EQ(parseSettingsNumber("3.402823E+38").status, Status::Ok);
}

TEST(SettingsNumberRoundTrip, SixDigitDecimalsComeBackExactly) {
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> mantissa(100000, 999999);
    std::uniform_int_distribution<int> exponent(-9, 6);
    for (int i = 0; i < 20000; ++i) {
        const std::string decimal =
            std::to_string(mantissa(random)) + "e" + std::to_string(exponent(random) - 5);
        const SettingsNumber source = parseSettingsNumber(decimal);
        ASSERT_EQ(source.status, Status::Ok) << decimal;
        const std::string written = formatSettingsNumber(source.value);
        const SettingsNumber back = parseSettingsNumber(written);
        ASSERT_EQ(back.status, Status::Ok) << written;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(back.value),
                  std::bit_cast<std::uint32_t>(source.value))
            << decimal << " written as " << written;
    }
}

TEST(SettingsNumberRoundTrip, AnyFiniteFloatComesBackWithinSevenDigitsAndThenStays) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> bits;
    int checked = 0;
    while (checked < 20000) {
        const float value = bitsToFloat(bits(random));
        if (!std::isfinite(value) || std::fabs(value) < std::numeric_limits<float>::min()) {
            continue;  // subnormals carry fewer than seven digits of their own
        }
        ++checked;
        const std::string written = formatSettingsNumber(value);
        const SettingsNumber back = parseSettingsNumber(written);
        ASSERT_EQ(back.status, Status::Ok) << written;
        ASSERT_LE(std::fabs(back.value - value), std::fabs(value) * 5.7e-7f)
            << value << " written as " << written;
        ASSERT_EQ(formatSettingsNumber(back.value), written) << "a second save changes nothing";
    }
}

TEST(SettingsNumberRoundTrip, SubnormalsAndExtremesAreReadBack) {
    const float values[] = {std::numeric_limits<float>::denorm_min(),
                            std::numeric_limits<float>::min(),
                            std::numeric_limits<float>::max(),
                            -std::numeric_limits<float>::max(),
                            1e7f,
                            123456789.0f};
    for (const float value : values) {
        const std::string written = formatSettingsNumber(value);
        const SettingsNumber back = parseSettingsNumber(written);
        EXPECT_EQ(back.status, Status::Ok) << written;
        EXPECT_LE(std::fabs(back.value - value), std::fabs(value) * 5.7e-7f) << written;
    }
}

// A C++ locale with a comma as decimal separator and a period for thousands, so that the test
// needs no locale installed on the machine.
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
    EXPECT_EQ(formatSettingsNumber(2.2f), "2.2");
    EXPECT_EQ(formatSettingsNumber(-1234.5f), "-1234.5");
    EXPECT_EQ(formatSettingsNumber(123456789.0f), "1.234568E+08");
    EXPECT_EQ(parseSettingsNumber("2.5").value, 2.5f);
    EXPECT_EQ(parseSettingsNumber("2,5").status, Status::NotANumber);
}

TEST(SettingsNumberLocale, CommaDecimalCxxLocaleChangesNothing) {
    LocaleGuard guard;
    std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    expectPeriodForm();
}

TEST(SettingsNumberLocale, CommaDecimalCLocaleChangesNothing) {
    LocaleGuard guard;
    const char* const candidates[] = {"de_DE.UTF-8",        "de_DE.utf8",  "fr_FR.UTF-8",
                                      "fr_FR.utf8",         "nl_NL.UTF-8", "de_DE",
                                      "German_Germany.1252"};
    const char* found = nullptr;
    for (const char* name : candidates) {
        if (std::setlocale(LC_ALL, name) != nullptr && *std::localeconv()->decimal_point == ',') {
            found = name;
            break;
        }
    }
    if (found == nullptr) {
        GTEST_SKIP() << "no C locale with a comma as decimal separator is installed "
                        "(tried de_DE, fr_FR, nl_NL); the C++ locale test covers the writer";
    }
    try {
        std::locale::global(std::locale(found));
    } catch (const std::runtime_error&) {
        // The C locale alone is the case that matters for C library number routines.
    }
    expectPeriodForm();
}

}  // namespace
}  // namespace orvendel
