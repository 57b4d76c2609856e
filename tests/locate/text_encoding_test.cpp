#include "locate/text_encoding.h"

#include <gtest/gtest.h>

namespace orvendel {
namespace {

TEST(TextEncoding, Utf16RoundTripsEveryPlane) {
    const std::string text = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    const std::string utf16 = utf8ToUtf16le(text);
    EXPECT_EQ(utf16, std::string("A\0\xE9\0\xAC\x20\x3D\xD8\x00\xDE", 10));
    EXPECT_EQ(utf16leToUtf8(utf16), text);
}

TEST(TextEncoding, DamagedInputBecomesQuestionMarks) {
    EXPECT_EQ(utf16leToUtf8(std::string("\x3D\xD8"
                                        "A\0",
                                        4)),
              "?A")
        << "unpaired surrogate";
    EXPECT_EQ(utf16leToUtf8(std::string("A\0B", 3)), "A") << "odd byte dropped";
    EXPECT_EQ(utf8ToUtf16le("\xC3"), std::string("?\0", 2));
    EXPECT_EQ(utf8ToUtf16le("\xC0\x80"), std::string("?\0?\0", 4)) << "overlong form";
    EXPECT_EQ(utf8ToUtf16le("\xED\xA0\x80"), std::string("?\0?\0?\0", 6)) << "surrogate";
}

TEST(TextEncoding, CaseAndBlanks) {
    EXPECT_EQ(asciiLower("NWMain.EXE \xC3\x89"), "nwmain.exe \xC3\x89");
    EXPECT_TRUE(equalsIgnoringAsciiCase("NWMAIN.EXE", "nwmain.exe"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("NWMAIN.EXE", "nwmain.ex"));
    EXPECT_EQ(trimBlanks(" \t a b \t"), "a b");
    EXPECT_EQ(trimBlanks(" \t "), "");
}

}  // namespace
}  // namespace orvendel
