#include "locate/wine_registry_file.h"

#include <gtest/gtest.h>

#include <random>

#include "locate/text_encoding.h"

namespace orvendel {
namespace {

constexpr std::string_view kHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

WineRegistryFile parsed(std::string_view body) {
    std::string error;
    auto file = WineRegistryFile::parse(std::string(kHeader) + std::string(body), error);
    EXPECT_TRUE(file.has_value()) << error;
    return file ? std::move(*file) : *WineRegistryFile::parse(kHeader, error);
}

// The value's text, for values that hold UTF-16 text with its NUL.
std::string textOf(const WineRegistryFile& file, std::string_view key, std::string_view name) {
    const auto* value = file.findValue(key, name);
    if (value == nullptr) {
        return "<missing>";
    }
    const std::string text = utf16leToUtf8(value->bytes);
    EXPECT_TRUE(!text.empty() && text.back() == '\0') << "a text keeps its NUL";
    return text.substr(0, text.size() - 1);
}

TEST(WineRegistryFile, RefusesFilesWithoutTheHeader) {
    std::string error;
    EXPECT_FALSE(WineRegistryFile::parse("", error));
    EXPECT_FALSE(WineRegistryFile::parse("WINE REGISTRY Version 1\n[A] 1\n", error));
    EXPECT_FALSE(WineRegistryFile::parse("REGEDIT4\n", error));
    EXPECT_NE(error.find("WINE REGISTRY Version 2"), std::string::npos);
    EXPECT_TRUE(WineRegistryFile::parse("WINE REGISTRY Version 2\r\n", error));
}

TEST(WineRegistryFile, ReadsTheHeaderOptions) {
    std::string error;
    const auto user = WineRegistryFile::parse(
        "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n"
        "\n#arch=win64\n",
        error);
    ASSERT_TRUE(user);
    EXPECT_TRUE(user->is64Bit());
    EXPECT_EQ(user->relativeTo(), "REGISTRY\\User\\S-1-5-21-0-0-0-1000");
    EXPECT_FALSE(parsed("#arch=win32\n").is64Bit());
}

TEST(WineRegistryFile, DecodesTheEscapesWineWrites) {
    const auto file = parsed(
        "[Software\\\\Test] 1796573449\n"
        "#time=1dd859c5beecd50\n"
        "\"Esc\"=\"a\\\"b\\\\c \\xe4 \\xe9\"\n"
        "\"Padded\"=\"\\x00e4f\"\n"
        "\"Controls\"=\"\\a\\b\\e\\f\\n\\r\\t\\v\"\n"
        "\"Octal\"=\"\\0\\12\\0101\"\n"
        "\"Other\"=\"\\q\\x\"\n"
        "\"Surrogates\"=\"\\xd83d\\xde00\"\n");
    EXPECT_EQ(textOf(file, "Software\\Test", "Esc"), "a\"b\\c \xC3\xA4 \xC3\xA9");
    EXPECT_EQ(textOf(file, "Software\\Test", "Padded"),
              "\xC3\xA4"
              "f");
    EXPECT_EQ(textOf(file, "Software\\Test", "Controls"), "\a\b\x1B\f\n\r\t\v");
    EXPECT_EQ(textOf(file, "Software\\Test", "Octal"), std::string("\0\n\x08"
                                                                   "1",
                                                                   4));
    EXPECT_EQ(textOf(file, "Software\\Test", "Other"), "qx");
    EXPECT_EQ(textOf(file, "Software\\Test", "Surrogates"), "\xF0\x9F\x98\x80");
}

TEST(WineRegistryFile, ReadsEveryValueForm) {
    const auto file = parsed(
        "[Software\\\\Forms] 1\n"
        "@=\"defval\"\n"
        "\"Plain\"=\"text\"\n"
        "\"Str\"=str:\"old style\"\n"
        "\"Exp\"=str(2):\"%PATH%;x\"\n"
        "\"Multi\"=str(7):\"a\\0b\\0\"\n"
        "\"D\"=dword:12345678\n"
        "\"Bin\"=hex:01,02,ff\n"
        "\"Q\"=hex(b):05,00,00,00,00,00,00,00\n"
        "\"Empty\"=hex(1):\n"
        "  \"Spaced\"  =  dword:0000002a\n");
    const std::string key = "Software\\Forms";
    EXPECT_EQ(textOf(file, key, ""), "defval");
    EXPECT_EQ(file.findValue(key, "")->type, 1u);
    EXPECT_EQ(textOf(file, key, "Plain"), "text");
    EXPECT_EQ(textOf(file, key, "Str"), "old style");
    EXPECT_EQ(file.findValue(key, "Exp")->type, 2u);
    EXPECT_EQ(textOf(file, key, "Exp"), "%PATH%;x");
    EXPECT_EQ(file.findValue(key, "Multi")->type, 7u);
    EXPECT_EQ(textOf(file, key, "Multi"), std::string("a\0b\0", 4));
    EXPECT_EQ(file.findValue(key, "D")->type, 4u);
    EXPECT_EQ(file.findValue(key, "D")->bytes, std::string("\x78\x56\x34\x12", 4));
    EXPECT_EQ(file.findValue(key, "Bin")->type, 3u);
    EXPECT_EQ(file.findValue(key, "Bin")->bytes, std::string("\x01\x02\xFF", 3));
    EXPECT_EQ(file.findValue(key, "Q")->type, 11u);
    EXPECT_EQ(file.findValue(key, "Q")->bytes, std::string("\x05\0\0\0\0\0\0\0", 8));
    EXPECT_EQ(file.findValue(key, "Empty")->type, 1u);
    EXPECT_EQ(file.findValue(key, "Empty")->bytes, "");
    EXPECT_EQ(file.findValue(key, "Spaced")->bytes, std::string("\x2A\0\0\0", 4));
}

TEST(WineRegistryFile, JoinsContinuedHexLines) {
    const auto file = parsed(
        "[Long] 1\n"
        "\"SymbolicLinkValue\"=hex(6):5c,00,52,00,65,00,\\\n"
        "  67,00,69,\\\r\n"
        "  00\n"
        "\"After\"=dword:00000001\n");
    const auto* link = file.findValue("Long", "SymbolicLinkValue");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->type, 6u);
    EXPECT_EQ(link->bytes, std::string("\x5c\0\x52\0\x65\0\x67\0\x69\0", 10));
    EXPECT_NE(file.findValue("Long", "After"), nullptr);
}

TEST(WineRegistryFile, SkipsWhatItCannotRead) {
    const auto file = parsed(
        "\"Orphan\"=\"before any key\"\n"
        "[Bad] 1\n"
        "\"Unterminated\"=\"text\n"
        "\"BadHex\"=hex:1ff,02\n"
        "\"BadType\"=str(4):\"x\"\n"
        "\"NoEquals\" \"x\"\n"
        "\"CutShort\"=hex:01,\\\n"
        "garbage line\n"
        "\"Good\"=\"kept\"\n"
        "[Unclosed\\\\Key 1\n"
        "\"Lost\"=\"no key\"\n"
        "\"Trailing\"=hex:01,\\");
    EXPECT_EQ(textOf(file, "Bad", "Good"), "kept");
    for (const char* name : {"Unterminated", "BadHex", "BadType", "NoEquals", "CutShort"}) {
        EXPECT_EQ(file.findValue("Bad", name), nullptr) << name;
    }
    EXPECT_EQ(file.findValue("", "Orphan"), nullptr);
    EXPECT_FALSE(file.hasKey("Unclosed"));
}

TEST(WineRegistryFile, NamesIgnoreCaseAndEscapedBrackets) {
    const auto file = parsed(
        "[Software\\\\BioWare\\\\NWN\\\\Odd\\]Name] 1\n"
        "\"Location\"=\"C:\\\\NWN\"\n");
    EXPECT_EQ(textOf(file, "SOFTWARE\\bioware\\nwn\\odd]name", "LOCATION"), "C:\\NWN");
    EXPECT_EQ(textOf(file, "\\Software\\\\BioWare\\NWN\\Odd]Name\\", "location"), "C:\\NWN");
}

TEST(WineRegistryFile, ParentsOfKeysExist) {
    const auto file = parsed("[Software\\\\BioWare\\\\NWN\\\\Neverwinter] 1\n");
    EXPECT_TRUE(file.hasKey(""));
    EXPECT_TRUE(file.hasKey("software"));
    EXPECT_TRUE(file.hasKey("Software\\BioWare\\NWN"));
    EXPECT_TRUE(file.hasKey("Software\\BioWare\\NWN\\Neverwinter"));
    EXPECT_FALSE(file.hasKey("Software\\Bio"));
    EXPECT_FALSE(file.hasKey("Software\\BioWare\\NWN\\Neverwinter\\Deeper"));
    EXPECT_EQ(file.findValue("Software\\BioWare", "x"), nullptr);
}

TEST(WineRegistryFile, RepeatedSectionsMergeAndLaterValuesWin) {
    const auto file = parsed(
        "[Game] 1\n\"A\"=\"first\"\n\"B\"=\"only\"\n"
        "[Other] 1\n"
        "[game] 2\n\"a\"=\"second\"\n");
    EXPECT_EQ(textOf(file, "Game", "A"), "second");
    EXPECT_EQ(textOf(file, "Game", "B"), "only");
}

// Random damage to a real-looking file must never crash the parser.
TEST(WineRegistryFile, SurvivesDamagedInput) {
    const std::string good = std::string(kHeader) +
                             "[Software\\\\Test] 1\n\"Esc\"=\"a\\\"b\\x41\\101\"\n"
                             "\"Bin\"=hex(b):01,02,\\\n  03\n@=dword:ffffffff\n";
    std::mt19937 random(1234);
    std::string error;
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = good;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % damaged.size();
            switch (random() % 3) {
                case 0:
                    damaged[at] = static_cast<char>(random());
                    break;
                case 1:
                    damaged.erase(at, 1 + random() % 4);
                    break;
                default:
                    damaged.insert(at, 1, "\\\"[]@=,x0\n\r"[random() % 11]);
            }
            if (damaged.empty()) {
                damaged = "x";
            }
        }
        const auto file = WineRegistryFile::parse(damaged, error);
        if (file) {
            file->hasKey("Software\\Test");
            file->findValue("Software\\Test", "Bin");
        }
    }
}

}  // namespace
}  // namespace orvendel
