// What every implementation of the registry functions must do when queryValue runs on it: the
// Wine prefix reader everywhere, and on Windows also advapi32 and kernel32 themselves.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "locate/query_value.h"
#include "registry_fixture.h"

namespace orvendel {
namespace {

constexpr std::uint32_t kText = 1;
constexpr std::uint32_t kBinary = 3;
constexpr std::uint32_t kNumber = 4;
constexpr std::uint32_t kNumber64 = 11;

struct Implementation {
    const char* name;
    std::function<std::unique_ptr<RegistryFixture>()> make;

    friend void PrintTo(const Implementation& implementation, std::ostream* out) {
        *out << implementation.name;
    }
};

std::vector<Implementation> implementations() {
    std::vector<Implementation> all = {{"WinePrefix", makeWinePrefixFixture}};
    if (hasNativeRegistry()) {
        all.push_back({"Native", makeNativeRegistryFixture});
    }
    return all;
}

std::string withNul(std::string text) {
    return text + '\0';
}

class RegistryContract : public testing::TestWithParam<Implementation> {
protected:
    void SetUp() override { registry = GetParam().make(); }

    std::string key(const std::string& below) const {
        return below.empty() ? registry->root() : registry->root() + '\\' + below;
    }

    void set(const std::string& below, const std::string& name, std::uint32_t type,
             const std::string& bytes, std::uint32_t hive = kHkeyCurrentUser) {
        ASSERT_TRUE(registry->setValue(hive, below, name, type, bytes));
    }

    std::int32_t read(std::string_view source, const std::string& below, const std::string& name,
                      std::string_view kind, const RegistryValue& fallback = std::string("dflt")) {
        return queryValue(registry->api(), source, key(below), name, kind, fallback, out);
    }

    std::filesystem::path profile(const std::string& text) {
        const auto path = registry->folder() / "settings.ini";
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    std::unique_ptr<RegistryFixture> registry;
    RegistryValue out;
};

TEST_P(RegistryContract, HiveAbbreviationsAreReadInAnyCase) {
    set("Game", "Location", kText, withNul("C:\\Games"));
    for (const char* source : {"HKCU", "hkcu", "HkCu"}) {
        EXPECT_EQ(read(source, "Game", "Location", "S"), 0) << source;
        EXPECT_EQ(out, RegistryValue(std::string("C:\\Games"))) << source;
    }
}

TEST_P(RegistryContract, LowerCaseHklmReadsTheLocalMachine) {
    if (!registry->setValue(kHkeyLocalMachine, "Game", "Location", kText, withNul("D:\\NWN"))) {
        GTEST_SKIP() << "this user may not write HKEY_LOCAL_MACHINE";
    }
    EXPECT_EQ(read("hklm", "Game", "Location", "S"), 0);
    EXPECT_EQ(out, RegistryValue(std::string("D:\\NWN")));
    EXPECT_EQ(read("HKCU", "Game", "Location", "S"), 2);
}

TEST_P(RegistryContract, FullHiveNameIsNoSource) {
    set("Game", "Location", kText, withNul("C:\\Games"));
    ASSERT_FALSE(std::filesystem::exists("HKEY_CURRENT_USER"));
    EXPECT_EQ(read("HKEY_CURRENT_USER", "Game", "Location", "S"), 99);
    EXPECT_EQ(out, RegistryValue(std::string("dflt")));
    EXPECT_EQ(read("", "Game", "Location", "S"), 99);
    EXPECT_EQ(read("HKLM2", "Game", "Location", "S"), 99);
}

TEST_P(RegistryContract, MissingKeyOrValueGivesStatus2AndTheDefault) {
    set("Game", "Location", kText, withNul("C:\\Games"));
    EXPECT_EQ(read("HKCU", "Missing", "Location", "S"), 2);
    EXPECT_EQ(out, RegistryValue(std::string("dflt")));
    EXPECT_EQ(read("HKCU", "Game", "Missing", "S"), 2);
    EXPECT_EQ(out, RegistryValue(std::string("dflt")));
    EXPECT_EQ(read("HKCU", "Game", "Missing", "D", std::int32_t{7}), 2);
    EXPECT_EQ(out, RegistryValue(std::int32_t{7}));
}

TEST_P(RegistryContract, KeyAndValueNamesIgnoreCase) {
    set("Game\\Sub", "Location", kText, withNul("x"));
    EXPECT_EQ(
        queryValue(registry->api(), "HKCU", key("GAME\\sub"), "LOCATION", "s", std::string(), out),
        0);
    EXPECT_EQ(out, RegistryValue(std::string("x")));
}

TEST_P(RegistryContract, TextOfTwelveCharactersComesWithoutItsNul) {
    set("Game", "Twelve", kText, withNul("ABCDEFGHIJKL"));
    EXPECT_EQ(read("HKCU", "Game", "Twelve", "S"), 0);
    EXPECT_EQ(out, RegistryValue(std::string("ABCDEFGHIJKL")));
}

TEST_P(RegistryContract, LongTextIsReadWhole) {
    const std::string text(3000, 'n');
    set("Game", "Long", kText, withNul(text));
    EXPECT_EQ(read("HKCU", "Game", "Long", "S"), 0);
    EXPECT_EQ(out, RegistryValue(text));
}

TEST_P(RegistryContract, EmptyTextWithItsNulIsEmpty) {
    set("Game", "Empty", kText, withNul(""));
    EXPECT_EQ(read("HKCU", "Game", "Empty", "S"), 0);
    EXPECT_EQ(out, RegistryValue(std::string()));
}

// A text stored without any byte is read as the empty text it is, not as the default.
TEST_P(RegistryContract, TextWithoutAnyByteIsEmpty) {
    set("Game", "Nothing", kText, "");
    EXPECT_EQ(read("HKCU", "Game", "Nothing", "S"), 0);
    EXPECT_EQ(out, RegistryValue(std::string()));
}

// A text without a terminating NUL keeps its last character.
TEST_P(RegistryContract, BinaryReadAsTextKeepsItsLastCharacter) {
    set("Game", "Raw", kBinary, "abc");
    EXPECT_EQ(read("HKCU", "Game", "Raw", "S"), 0);
    EXPECT_EQ(out, RegistryValue(std::string("abc")));
}

TEST_P(RegistryContract, DefaultValueHasTheEmptyName) {
    set("Game", "", kText, withNul("unnamed"));
    EXPECT_EQ(read("HKCU", "Game", "", "S"), 0);
    EXPECT_EQ(out, RegistryValue(std::string("unnamed")));
}

TEST_P(RegistryContract, NumberIsReadLittleEndianAndSigned) {
    set("Game", "Count", kNumber, std::string("\x78\x56\x34\x12", 4));
    set("Game", "Negative", kNumber, std::string("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(read("HKCU", "Game", "Count", "D", std::int32_t{0}), 0);
    EXPECT_EQ(out, RegistryValue(std::int32_t{0x12345678}));
    EXPECT_EQ(read("HKCU", "Game", "Negative", "d", std::int32_t{0}), 0);
    EXPECT_EQ(out, RegistryValue(std::int32_t{-2}));
}

TEST_P(RegistryContract, NumberOfEightBytesIsTooLarge) {
    set("Game", "Wide", kNumber64, std::string("\x01\0\0\0\0\0\0\0", 8));
    EXPECT_EQ(read("HKCU", "Game", "Wide", "D", std::int32_t{-5}), 234);
    EXPECT_EQ(out, RegistryValue(std::int32_t{-5}));
}

TEST_P(RegistryContract, NumberFromFourByteTextTakesItsBytes) {
    set("Game", "Abc", kText, withNul("abc"));
    EXPECT_EQ(read("HKCU", "Game", "Abc", "D", std::int32_t{0}), 0);
    EXPECT_EQ(out, RegistryValue(std::int32_t{0x00636261}));
}

TEST_P(RegistryContract, NumberFromShorterValueIsZeroExtended) {
    set("Game", "Short", kBinary, std::string("\x34\x12", 2));
    EXPECT_EQ(read("HKCU", "Game", "Short", "D", std::int32_t{0}), 0);
    EXPECT_EQ(out, RegistryValue(std::int32_t{0x1234}));
}

TEST_P(RegistryContract, FlagIsTrueWhenEitherByteIsSet) {
    set("Game", "On", kBinary, std::string("\x00\x01", 2));
    set("Game", "Off", kBinary, std::string("\x00\x00", 2));
    set("Game", "Number", kNumber, std::string("\x01\0\0\0", 4));
    EXPECT_EQ(read("HKCU", "Game", "On", "B", false), 0);
    EXPECT_EQ(out, RegistryValue(true));
    EXPECT_EQ(read("HKCU", "Game", "Off", "b", true), 0);
    EXPECT_EQ(out, RegistryValue(false));
    EXPECT_EQ(read("HKCU", "Game", "Number", "B", false), 234);
    EXPECT_EQ(out, RegistryValue(false));
}

TEST_P(RegistryContract, UnknownKindReadsNothing) {
    set("Game", "Location", kText, withNul("C:\\Games"));
    EXPECT_EQ(read("HKCU", "Game", "Location", "X"), 0);
    EXPECT_EQ(out, RegistryValue(std::string("dflt")));
    EXPECT_EQ(read("HKCU", "Game", "Location", "SS"), 0);
    EXPECT_EQ(read("HKCU", "Game", "Missing", ""), 0);
    EXPECT_EQ(out, RegistryValue(std::string("dflt")));
}

TEST_P(RegistryContract, KeyWithoutValuesExists) {
    ASSERT_TRUE(registry->createKey(kHkeyCurrentUser, "Empty\\Key"));
    EXPECT_EQ(read("HKCU", "Empty\\Key", "Location", "X"), 0);
    EXPECT_EQ(read("HKCU", "Empty", "Location", "S"), 2);
}

TEST_P(RegistryContract, ThirtyTwoBitViewIsFoundForMissingKeys) {
    if (!registry->setValueIn32BitView("Game", "Location", kText, withNul("C:\\Old"))) {
        GTEST_SKIP() << "this user may not write HKEY_LOCAL_MACHINE";
    }
    EXPECT_EQ(read("HKLM", "Game", "Location", "S"), 0);
    EXPECT_EQ(out, RegistryValue(std::string("C:\\Old")));

    ASSERT_TRUE(registry->setValue(kHkeyLocalMachine, "Game", "Other", kText, withNul("new")));
    EXPECT_EQ(read("HKLM", "Game", "Location", "S"), 2) << "a key of the own view wins";
}

TEST_P(RegistryContract, ProfileTextAndMissingEntry) {
    const auto file = profile("[Game]\r\nLocation = C:\\Games  \r\n").string();
    EXPECT_EQ(queryValue(registry->api(), file, "game", "LOCATION", "S", std::string("d"), out), 0);
    EXPECT_EQ(out, RegistryValue(std::string("C:\\Games")));
    EXPECT_EQ(queryValue(registry->api(), file, "Game", "Missing", "S", std::string("d"), out), 0);
    EXPECT_EQ(out, RegistryValue(std::string("d")));
    EXPECT_EQ(queryValue(registry->api(), file, "Other", "Location", "s", true, out), 0);
    EXPECT_EQ(out, RegistryValue(std::string("True")));
}

TEST_P(RegistryContract, ProfileNumberAndMissingEntry) {
    const auto file = profile("[Game]\nCount=42\nWord=abc\n").string();
    EXPECT_EQ(queryValue(registry->api(), file, "Game", "Count", "D", std::int32_t{9}, out), 0);
    EXPECT_EQ(out, RegistryValue(std::int32_t{42}));
    EXPECT_EQ(queryValue(registry->api(), file, "Game", "Count", "B", std::int32_t{9}, out), 0);
    EXPECT_EQ(out, RegistryValue(std::int32_t{42})) << "every kind but S reads a number";
    EXPECT_EQ(queryValue(registry->api(), file, "Game", "Word", "D", std::int32_t{9}, out), 0);
    EXPECT_EQ(out, RegistryValue(std::int32_t{0}));
    EXPECT_EQ(queryValue(registry->api(), file, "Game", "Missing", "D", std::int32_t{9}, out), 0);
    EXPECT_EQ(out, RegistryValue(std::int32_t{0}));
}

TEST_P(RegistryContract, ProfileTextIsCutAt254Characters) {
    const std::string text(300, 'q');
    const auto file = profile("[Game]\nLong=" + text + "\n").string();
    EXPECT_EQ(queryValue(registry->api(), file, "Game", "Long", "S", std::string(), out), 0);
    EXPECT_EQ(out, RegistryValue(text.substr(0, 254)));
}

TEST_P(RegistryContract, ProfileQuotesAreRemovedInPairs) {
    const auto file = profile("[Game]\nA=\"quoted\"\nB='single'\nC=\"open\nD=\"\n").string();
    const std::pair<const char*, const char*> expected[] = {
        {"A", "quoted"}, {"B", "single"}, {"C", "\"open"}, {"D", "\""}};
    for (const auto& [entry, value] : expected) {
        EXPECT_EQ(queryValue(registry->api(), file, "Game", entry, "S", std::string(), out), 0);
        EXPECT_EQ(out, RegistryValue(std::string(value))) << entry;
    }
}

TEST_P(RegistryContract, FolderIsNoProfileFile) {
    EXPECT_EQ(queryValue(registry->api(), registry->folder().string(), "Game", "Count", "D",
                         std::int32_t{3}, out),
              99);
    EXPECT_EQ(out, RegistryValue(std::int32_t{3}));
}

INSTANTIATE_TEST_SUITE_P(Implementations, RegistryContract, testing::ValuesIn(implementations()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvendel
