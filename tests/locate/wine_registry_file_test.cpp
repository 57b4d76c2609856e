// SPDX-License-Identifier: MIT
#include "locate/wine_registry_file.h"

#include <gtest/gtest.h>

#include "locate/text_encoding.h"

namespace orvendel {
namespace {

constexpr std::string_view kHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n";

WineRegistryFile parsed(std::string_view body) {
    auto file = WineRegistryFile::parse(std::string(kHeader) + std::string(body));
    EXPECT_TRUE(file) << file.message();
    return file ? std::move(file).value() : WineRegistryFile{};
}

TEST(WineRegistryFile, ReadsEveryValueFormAndEscape) {
    const auto file = parsed(
        "[Software\\\\Wow6432Node\\\\Test] 1796573449\n#time=1dd859c5beecd50\n"
        "@=\"defval\"\n"
        "\"Esc\"=\"a\\\"b\\\\c \\xe4 \\x00e4f\"\n"
        "\"Controls\"=\"\\a\\b\\e\\f\\n\\r\\t\\v\"\n"
        "\"Octal\"=\"\\0\\12\\0101\"\n"
        "\"NotOctal\"=\"\\8\\9\\18\\079\"\n"
        "\"Other\"=\"\\q\\x\"\n"
        "\"Surrogates\"=\"\\xd83d\\xde00 \\xd83d\"\n"
        "\"Str\"=str:\"old style\"\n"
        "\"Exp\"=str(2):\"%PATH%;x\"\n"
        "\"Multi\"=str(7):\"a\\0b\\0\"\n"
        "\"D\"=dword:12345678\n"
        "\"Huge\"=dword:123456789\n"
        "\"Bin\"=hex:01,02,ff\n"
        "\"Q\"=hex(b):05,00,00,00,00,00,00,00\n"
        "\"Empty\"=hex(0):\n"
        "  \"Spaced\"  =  dword:0000002a\n"
        "\"Link\"=hex(6):5c,00,52,\\\n  00,65,\\\r\n  00\n");
    const struct {
        const char* name;
        std::uint32_t type;
        std::string value;  // texts as UTF-8 without their NUL, else the bytes
    } rows[] = {
        {"", 1, "defval"},
        {"ESC", 1, "a\"b\\c \xC3\xA4 \xC3\xA4\x66"},
        {"Controls", 1, "\a\b\x1B\f\n\r\t\v"},
        {"Octal", 1, std::string("\0\n\x08\x31", 4)},
        {"NotOctal", 1, std::string{'8', '9', 1, '8', 7, '9'}},  // 8 and 9 are not octal
        {"Other", 1, "qx"},
        {"Surrogates", 1, "\xF0\x9F\x98\x80 ?"},
        {"Str", 1, "old style"},
        {"Exp", 2, "%PATH%;x"},
        {"Multi", 7, std::string("a\0b\0", 4)},
        {"D", 4, std::string("\x78\x56\x34\x12", 4)},
        {"Huge", 4, std::string("\xFF\xFF\xFF\xFF", 4)},
        {"Bin", 3, std::string("\x01\x02\xFF", 3)},
        {"Q", 11, std::string("\x05\0\0\0\0\0\0\0", 8)},
        {"Empty", 0, std::string()},
        {"Spaced", 4, std::string("\x2A\0\0\0", 4)},
        {"Link", 6, std::string("\x5c\0\x52\0\x65\0", 6)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* value = file.findValue("software\\wow6432node\\test", row.name);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->type, row.type);
        const bool text = row.type == 1 || row.type == 2 || row.type == 7;
        EXPECT_EQ(text ? utf16leToUtf8(value->bytes) : value->bytes,
                  text ? row.value + '\0' : row.value);
    }
}

TEST(WineRegistryFile, SkipsWhatItCannotReadAndKeepsTheRest) {
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
    EXPECT_NE(file.findValue("Bad", "Good"), nullptr);
    for (const char* name : {"Unterminated", "BadHex", "BadType", "NoEquals", "CutShort"}) {
        EXPECT_EQ(file.findValue("Bad", name), nullptr) << name;
    }
    EXPECT_EQ(file.findValue("", "Orphan"), nullptr);
    EXPECT_FALSE(file.hasKey("Unclosed"));
}

TEST(WineRegistryFile, KeysIgnoreCaseIncludeTheirParentsAndMerge) {
    const auto file = parsed(
        "[Software\\\\BioWare\\\\NWN\\\\Odd\\]Name] 1\n\"A\"=\"first\"\n\"B\"=\"only\"\n"
        "[Other] 1\n[software\\\\bioware\\\\nwn\\\\odd\\]name] 2\n\"a\"=\"second\"\n");
    const auto* merged = file.findValue("\\SOFTWARE\\\\bioware\\NWN\\odd]name\\", "a");
    ASSERT_NE(merged, nullptr);
    EXPECT_EQ(utf16leToUtf8(merged->bytes), std::string("second", 7));
    EXPECT_NE(file.findValue("Software\\BioWare\\NWN\\Odd]Name", "b"), nullptr);
    for (const char* key : {"", "software", "Software\\BioWare\\NWN"}) {
        EXPECT_TRUE(file.hasKey(key)) << key;
    }
    for (const char* key : {"Software\\Bio", "Software\\BioWare\\NWN\\Odd]Name\\Deeper"}) {
        EXPECT_FALSE(file.hasKey(key)) << key;
    }
    EXPECT_EQ(file.findValue("Software\\BioWare", "a"), nullptr);
}

TEST(WineRegistryFile, NeedsTheVersion2Header) {
    const auto refused = WineRegistryFile::parse("WINE REGISTRY Version 1\n[A] 1\n");
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.message().find("WINE REGISTRY Version 2"), std::string::npos);
    EXPECT_TRUE(WineRegistryFile::parse("WINE REGISTRY Version 2\r\n"));
}

TEST(CaseFolding, FoldsByUnicodesSimpleCaseFolding) {
    const std::pair<const char*, const char*> rows[] = {
        {"ABC xyz", "abc xyz"},
        {"\xC3\x89"
         "DITION",
         "\xC3\xA9"
         "dition"},                                                // É
        {"\xE2\x84\xAA", "k"},                                     // Kelvin sign
        {"\xCE\xA3\xCE\x91\xCE\xA3", "\xCF\x83\xCE\xB1\xCF\x83"},  // ΣΑΣ
        {"\xC7\x84", "\xC7\x86"},                                  // Ǆ
        {"\xE1\xBA\x9E", "\xC3\x9F"},                              // capital sharp s
        {"\xC3\x9F", "\xC3\x9F"},                            // ß stays: no full folding to "ss"
        {"\xC4\xB0", "\xC4\xB0"},                            // İ has only a Turkic or full folding
        {"\xF0\x90\x90\x80", "\xF0\x90\x90\xA8"},            // Deseret, beyond 16 bits
        {"\xFF\xC3 \xED\xA0\x80", "\xFF\xC3 \xED\xA0\x80"},  // not UTF-8: kept
    };
    for (const auto& [text, folded] : rows) {
        EXPECT_EQ(foldCase(text), folded) << text;
    }
}

TEST(WineRegistryFile, KeyAndValueNamesMatchByUnicodeCase) {
    // Wine writes letters beyond ASCII as \x escapes of four digits.
    const auto file = parsed("[Software\\\\\\x00c9dition \\x212a] 1\n\"\\x00c9norme\"=\"x\"\n");
    EXPECT_NE(file.findValue("SOFTWARE\\\xC3\x89"
                             "DITION K",
                             "\xC3\x89"
                             "NORME"),
              nullptr);
    EXPECT_NE(file.findValue("software\\\xC3\xA9"
                             "dition k",
                             "\xC3\xA9"
                             "norme"),
              nullptr);
    EXPECT_EQ(file.findValue("software\\edition k", "enorme"), nullptr);
}

TEST(WineRegistryFile, ListsTheKeysDirectlyBelowAKeyOnceEach) {
    const auto file = parsed(
        "[Games\\\\1207658890] 1\n[games\\\\1207658890\\\\Deeper] 1\n[Games\\\\42 b] 1\n"
        "[Games\\\\7\\\\Only\\\\Deeper] 1\n[Gamesx\\\\9] 1\n[Other] 1\n");
    EXPECT_EQ(file.subkeys("GAMES"), (std::vector<std::string>{"1207658890", "42 b", "7"}));
    EXPECT_EQ(file.subkeys(""), (std::vector<std::string>{"games", "gamesx", "other"}));
    EXPECT_TRUE(file.subkeys("Games\\42 b").empty());
    EXPECT_TRUE(file.subkeys("Missing").empty());
}

}  // namespace
}  // namespace orvendel
