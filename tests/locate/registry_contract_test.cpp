// SPDX-License-Identifier: MIT
// What every implementation of the registry functions must do when queryValue runs on it: the
// Wine prefix reader everywhere, and on Windows also advapi32 and kernel32 themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "locate/query_value.h"
#include "locate/text_encoding.h"
#include "registry_fixture.h"

namespace orvendel {
namespace {

using Text = std::string;
constexpr std::uint32_t kText = 1;
constexpr std::uint32_t kBinary = 3;
constexpr std::uint32_t kNumber = 4;
constexpr std::uint32_t kNumber64 = 11;

// Forwards to the implementation under test, counting the keys left open.
class KeyCounter : public RegistryApi {
public:
    explicit KeyCounter(RegistryApi& api) : api_(api) {}

    std::int32_t openKey(std::uint32_t hive, const std::string& subkey, Key& key) override {
        const std::int32_t status = api_.openKey(hive, subkey, key);
        open += status == kStatusSuccess ? 1 : 0;
        return status;
    }
    std::int32_t queryValue(Key key, const std::string& name, char* buffer,
                            std::uint32_t& size) override {
        return api_.queryValue(key, name, buffer, size);
    }
    std::int32_t listSubkeys(std::uint32_t hive, const std::string& subkey,
                             std::vector<std::string>& names) override {
        return api_.listSubkeys(hive, subkey, names);
    }
    std::int32_t closeKey(Key key) override {
        --open;
        return api_.closeKey(key);
    }
    std::uint32_t profileString(const std::string& section, const std::string& name,
                                const std::string& defaultText, char* buffer, std::uint32_t size,
                                const std::string& file) override {
        return api_.profileString(section, name, defaultText, buffer, size, file);
    }
    std::uint32_t profileInt(const std::string& section, const std::string& name,
                             std::int32_t defaultValue, const std::string& file) override {
        return api_.profileInt(section, name, defaultValue, file);
    }

    int open = 0;

private:
    RegistryApi& api_;
};

using MakeFixture = std::unique_ptr<RegistryFixture> (*)();

std::vector<MakeFixture> implementations() {
    if (makeNativeRegistryFixture() == nullptr) {
        return {makeWinePrefixFixture};
    }
    return {makeWinePrefixFixture, makeNativeRegistryFixture};
}

class RegistryContract : public testing::TestWithParam<MakeFixture> {
protected:
    void SetUp() override { registry = GetParam()(); }

    void set(const std::string& key, const std::string& name, std::uint32_t type,
             const std::string& bytes, std::uint32_t hive = kHkeyCurrentUser) {
        ASSERT_TRUE(registry->setValue(hive, key, name, type, bytes, false));
    }

    // Reads value `name` of root()\`key`; every key opened must be closed again.
    std::int32_t read(std::string_view source, const std::string& key, const std::string& name,
                      std::string_view kind, const RegistryValue& fallback = Text("dflt")) {
        KeyCounter counter(registry->api());
        const std::int32_t status =
            queryValue(counter, source, registry->root() + '\\' + key, name, kind, fallback, out);
        EXPECT_EQ(counter.open, 0) << "a key was left open";
        return status;
    }

    std::unique_ptr<RegistryFixture> registry;
    RegistryValue out;
};

TEST_P(RegistryContract, StoredBytesAreTakenAsTheKindSays) {
    const struct {
        const char* what;
        std::uint32_t type;
        std::string bytes;
        const char* kind;
        RegistryValue fallback;
        std::int32_t status;
        RegistryValue expected;
    } rows[] = {{"twelve characters", kText, Text("ABCDEFGHIJKL\0", 13), "S", Text("d"), 0,
                 Text("ABCDEFGHIJKL")},
                {"long text", kText, Text(3000, 'n') + '\0', "S", Text("d"), 0, Text(3000, 'n')},
                {"empty text", kText, Text(1, '\0'), "S", Text("d"), 0, Text()},
                {"text of no bytes", kText, Text(), "S", Text("d"), 0, Text()},
                {"text without NUL", kBinary, "abc", "s", Text("d"), 0, Text("abc")},
                {"number", kNumber, Text("\x78\x56\x34\x12", 4), "D", 0, 0, 0x12345678},
                {"negative number", kNumber, Text("\xFE\xFF\xFF\xFF", 4), "d", 0, 0, -2},
                {"D on 8 bytes", kNumber64, Text("\x01\0\0\0\0\0\0\0", 8), "D", -5, 234, -5},
                {"D on 4-byte text", kText, Text("abc\0", 4), "D", 0, 0, 0x00636261},
                {"D on 2 bytes", kBinary, Text("\x34\x12", 2), "D", -1, 0, 0x1234},
                {"flag, second byte set", kBinary, Text("\0\x01", 2), "B", false, 0, true},
                {"flag, no byte set", kBinary, Text("\0\0", 2), "b", true, 0, false},
                {"flag on 4 bytes", kNumber, Text("\x01\0\0\0", 4), "B", false, 234, false},
                {"unknown kind", kText, Text("x\0", 2), "X", Text("d"), 0, Text("d")},
                {"two-letter kind", kText, Text("x\0", 2), "SS", Text("d"), 0, Text("d")}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        set("Game", "V" + std::to_string(i), rows[i].type, rows[i].bytes);
    }
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].what);
        EXPECT_EQ(read("HKCU", "Game", "V" + std::to_string(i), rows[i].kind, rows[i].fallback),
                  rows[i].status);
        EXPECT_EQ(out, rows[i].expected);
    }
}

TEST_P(RegistryContract, SourcesKeysAndNames) {
    set("Game\\Sub", "Location", kText, Text("C:\\Games\0", 9));
    set("Game\\Sub", "", kText, Text("unnamed\0", 8));
    const struct {
        const char* source;
        const char* key;
        const char* name;
        std::int32_t status;
        const char* expected;
    } rows[] = {{"HKCU", "Game\\Sub", "Location", 0, "C:\\Games"},
                {"hkcu", "GAME\\sub", "LOCATION", 0, "C:\\Games"},
                {"HkCu", "Game\\Sub", "", 0, "unnamed"},
                {"HKCU", "Game\\Missing", "Location", 2, "dflt"},
                {"HKCU", "Game\\Sub", "Missing", 2, "dflt"},
                {"HKCU", "Game", "Location", 2, "dflt"},
                {"HKLM", "Game\\Sub", "Location", 2, "dflt"},
                {"HKEY_CURRENT_USER", "Game\\Sub", "Location", 99, "dflt"},
                {"HKLM2", "Game\\Sub", "Location", 99, "dflt"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.source) + " " + row.key + " " + row.name);
        EXPECT_EQ(read(row.source, row.key, row.name, "S"), row.status);
        EXPECT_EQ(out, RegistryValue(Text(row.expected)));
    }
}

TEST_P(RegistryContract, LocalMachineKeysMissingFromTheOwnViewComeFromThe32BitView) {
    if (!registry->setValue(kHkeyLocalMachine, "Only32", "Location", kText, Text("C:\\Old\0", 7),
                            true)) {
        GTEST_SKIP() << "this user may not write HKEY_LOCAL_MACHINE";
    }
    ASSERT_TRUE(registry->setValue(kHkeyLocalMachine, "Both", "Location", kText,
                                   Text("C:\\Old\0", 7), true));
    set("Both", "Other", kText, Text("new\0", 4), kHkeyLocalMachine);
    EXPECT_EQ(read("hklm", "Only32", "Location", "S"), 0);
    EXPECT_EQ(out, RegistryValue(Text("C:\\Old")));
    EXPECT_EQ(read("HKLM", "Both", "Other", "S"), 0);
    EXPECT_EQ(out, RegistryValue(Text("new")));
    EXPECT_EQ(read("HKLM", "Both", "Location", "S"), 2) << "a key of the own view hides the other";
    EXPECT_EQ(read("HKCU", "Both", "Other", "S"), 2);
}

TEST_P(RegistryContract, SubkeysAreListedOnceEach) {
    set("Games\\1207658890", "path", kText, Text("C:\\GOG\0", 7));
    set("Games\\1207658890\\Deeper", "x", kText, Text("1\0", 2));
    set("Games\\42", "", kText, Text("1\0", 2));
    set("Games\\7\\Deeper", "x", kText, Text("1\0", 2));
    std::vector<std::string> names{"stale"};
    EXPECT_EQ(registry->api().listSubkeys(kHkeyCurrentUser, registry->root() + "\\GAMES", names),
              0);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"1207658890", "42", "7"}));
    names = {"stale"};
    EXPECT_EQ(registry->api().listSubkeys(kHkeyCurrentUser, registry->root() + "\\Missing", names),
              2);
    EXPECT_TRUE(names.empty());
}

TEST_P(RegistryContract, LocalMachineSubkeysMissingFromTheOwnViewComeFromThe32BitView) {
    if (!registry->setValue(kHkeyLocalMachine, "Games\\1", "path", kText, Text("C:\\A\0", 5),
                            true)) {
        GTEST_SKIP() << "this user may not write HKEY_LOCAL_MACHINE";
    }
    std::vector<std::string> names;
    EXPECT_EQ(registry->api().listSubkeys(kHkeyLocalMachine, registry->root() + "\\Games", names),
              0);
    EXPECT_EQ(names, std::vector<std::string>{"1"});
}

TEST_P(RegistryContract, ProfileFilesAreReadAsTheWindowsCallsReadThem) {
    const auto path = registry->folder() / "settings.ini";
    std::ofstream(path, std::ios::binary)
        << "; comment=1\n  [ Game ]  \n\t Location \t= \tC:\\Games  \r\nbare\nk=1\nk=2\n"
        << "B='single'\nC=\"open\nD=\"\nhex=0x1F\nbin=0b101\noct=0o17\nlead=  12abc\n"
        << "huge=4294967297\ncut=00000000000000000000000000001\n"
        << "cutoff=000000000000000000000000000001\nLong=" << Text(300, 'q') << "\n";
    const std::pair<const char*, const char*> texts[] = {
        {" location ", "C:\\Games"},
        {"; comment", "d"},
        {"Missing", "d"},
        {"bare", "d"},
        {"k", "1"},
        {"B", "single"},
        {"C", "\"open"},
        {"D", "\""},
    };
    for (const auto& [name, expected] : texts) {
        EXPECT_EQ(queryValue(registry->api(), path.string(), " game", name, "S", Text("d"), out),
                  0);
        EXPECT_EQ(out, RegistryValue(Text(expected))) << name;
    }
    const std::pair<const char*, std::int32_t> numbers[] = {
        {"hex", 31}, {"bin", 5},    {"oct", 15},    {"lead", 12}, {"huge", 1},
        {"cut", 1},  {"cutoff", 0}, {"Missing", 0}, {"k", 1}};
    for (const auto& [name, expected] : numbers) {
        EXPECT_EQ(queryValue(registry->api(), path.string(), "Game", name, "D", 9, out), 0);
        EXPECT_EQ(out, RegistryValue(expected)) << name;
    }
    EXPECT_EQ(queryValue(registry->api(), path.string(), "Game", "Long", "S", Text(), out), 0);
    EXPECT_EQ(out, RegistryValue(Text(254, 'q')));
    EXPECT_EQ(queryValue(registry->api(), path.string(), "Other", "k", "S", true, out), 0);
    EXPECT_EQ(out, RegistryValue(Text("True"))) << "the default as text";
    EXPECT_EQ(queryValue(registry->api(), path.string(), "Game", "no", "S", Text(" d  "), out), 0);
    EXPECT_EQ(out, RegistryValue(Text(" d"))) << "the default without trailing blanks";
    const std::pair<const char*, std::string> marked[] = {
        {"utf8.ini", "\xEF\xBB\xBF[S]\r\nv=1\r\n"},
        {"utf16.ini", "\xFF\xFE" + utf8ToUtf16le("[S]\r\nv=1\r\n")}};
    for (const auto& [name, text] : marked) {
        std::ofstream(registry->folder() / name, std::ios::binary) << text;
        const auto file = (registry->folder() / name).string();
        EXPECT_EQ(queryValue(registry->api(), file, "s", "V", "S", Text(), out), 0);
        EXPECT_EQ(out, RegistryValue(Text("1"))) << name;
    }
    EXPECT_EQ(queryValue(registry->api(), registry->folder().string(), "Game", "k", "D", 3, out),
              99);
    EXPECT_EQ(out, RegistryValue(3));
}

INSTANTIATE_TEST_SUITE_P(Implementations, RegistryContract, testing::ValuesIn(implementations()),
                         [](const auto& info) {
                             return info.index == 0 ? "WinePrefix" : "Native";
                         });

}  // namespace
}  // namespace orvendel
