#include "locate/profile_file.h"

#include <gtest/gtest.h>

#include <array>

namespace orvendel {
namespace {

std::string get(const ProfileFile& file, std::string_view section, std::string_view name,
                std::string_view fallback = "<default>", std::uint32_t size = 255) {
    std::array<char, 300> buffer{};
    const std::uint32_t count = file.getString(section, name, fallback, buffer.data(), size);
    EXPECT_EQ(buffer[count], '\0');
    return std::string(buffer.data(), count);
}

TEST(ProfileFile, SectionsAndEntriesIgnoreCaseAndBlanks) {
    const ProfileFile file("; comment=1\n  [ Game ]  \n\t Location \t= \tC:\\NWN  \r\nOther=x\n");
    EXPECT_EQ(get(file, "game", "location"), "C:\\NWN");
    EXPECT_EQ(get(file, "GAME", " Location "), "C:\\NWN");
    EXPECT_EQ(get(file, "Game", "; comment"), "<default>");
}

TEST(ProfileFile, FirstSectionAndFirstEntryWin) {
    const ProfileFile file("[A]\nk=1\nk=2\n[B]\nk=3\n[a]\nk=4\nonly=5\n");
    EXPECT_EQ(get(file, "a", "k"), "1");
    EXPECT_EQ(get(file, "b", "k"), "3");
    EXPECT_EQ(get(file, "a", "only"), "<default>") << "a repeated section is not read";
}

TEST(ProfileFile, MissingPartsGiveTheDefaultWithoutTrailingBlanks) {
    const ProfileFile file("top=level\n[Game]\nbare\nempty=\n");
    EXPECT_EQ(get(file, "Game", "missing", "fallback  "), "fallback");
    EXPECT_EQ(get(file, "Game", "missing", "  lead"), "  lead");
    EXPECT_EQ(get(file, "Game", "bare"), "<default>") << "an entry needs its '='";
    EXPECT_EQ(get(file, "Game", "empty"), "");
    EXPECT_EQ(get(file, "Other", "x"), "<default>");
    EXPECT_EQ(get(file, "", "top"), "<default>") << "entries before any section belong to none";
}

TEST(ProfileFile, CopiesAtMostOneCharacterLessThanTheBuffer) {
    const ProfileFile file("[S]\nv=abcdef\n");
    EXPECT_EQ(get(file, "S", "v", "", 4), "abc");
    EXPECT_EQ(get(file, "S", "v", "", 1), "");
    EXPECT_EQ(get(file, "S", "missing", "123456", 3), "12");
    char unused = 'x';
    EXPECT_EQ(file.getString("S", "v", "", &unused, 0), 0u);
    EXPECT_EQ(unused, 'x');
}

TEST(ProfileFile, ReadsByteOrderMarkedFilesAndAnyLineEnd) {
    EXPECT_EQ(get(ProfileFile("\xEF\xBB\xBF[S]\rv=1\r"), "S", "v"), "1");
    const std::string utf16("\xFF\xFE[\0S\0]\0\n\0v\0=\0\xE9\0", 16);
    EXPECT_EQ(get(ProfileFile(utf16), "s", "V"), "\xC3\xA9");
}

TEST(ProfileFile, NumbersFollowTheIntegerConversion) {
    const ProfileFile file(
        "[N]\nplain=42\nneg=-7\nplus=+8\nhex=0x1F\nbin=0b101\noct=0o17\nlead=  12abc\n"
        "word=abc\nempty=\nhuge=4294967297\nquoted=\"5\"\n"
        "cut=00000000000000000000000000001\ncutoff=000000000000000000000000000001\n");
    EXPECT_EQ(file.getInt("N", "plain", 9), 42u);
    EXPECT_EQ(static_cast<std::int32_t>(file.getInt("N", "neg", 9)), -7);
    EXPECT_EQ(file.getInt("N", "plus", 9), 8u);
    EXPECT_EQ(file.getInt("N", "hex", 9), 31u);
    EXPECT_EQ(file.getInt("N", "bin", 9), 5u);
    EXPECT_EQ(file.getInt("N", "oct", 9), 15u);
    EXPECT_EQ(file.getInt("N", "lead", 9), 12u);
    EXPECT_EQ(file.getInt("N", "word", 9), 0u);
    EXPECT_EQ(file.getInt("N", "empty", 9), 9u);
    EXPECT_EQ(file.getInt("N", "huge", 9), 1u) << "wraps in 32 bits";
    EXPECT_EQ(file.getInt("N", "quoted", 9), 5u);
    EXPECT_EQ(file.getInt("N", "cut", 9), 1u) << "28 zeros and a digit";
    EXPECT_EQ(file.getInt("N", "cutoff", 9), 0u) << "the 30th character is not read";
    EXPECT_EQ(static_cast<std::int32_t>(file.getInt("N", "missing", -3)), -3);
}

TEST(ProfileFile, MissingFileReadsAsEmpty) {
    const auto file = ProfileFile::load("/nonexistent/folder/settings.ini");
    EXPECT_EQ(get(file, "S", "v"), "<default>");
}

}  // namespace
}  // namespace orvendel
