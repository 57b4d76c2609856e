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

TEST(ProfileFile, CopiesAtMostOneCharacterLessThanTheBuffer) {
    const ProfileFile file("[S]\nv=abcdef\n");
    EXPECT_EQ(get(file, "S", "v", "", 4), "abc");
    EXPECT_EQ(get(file, "S", "v", "", 1), "");
    EXPECT_EQ(get(file, "S", "missing", "123456", 3), "12");
    EXPECT_EQ(get(file, "S", "missing", " lead  "), " lead") << "trailing blanks dropped";
    char unused = 'x';
    EXPECT_EQ(file.getString("S", "v", "", &unused, 0), 0u);
    EXPECT_EQ(unused, 'x');
}

TEST(ProfileFile, ReadsByteOrderMarkedFilesAnyLineEndAndNoFile) {
    EXPECT_EQ(get(ProfileFile("\xEF\xBB\xBF[S]\rv=1\r"), "S", "v"), "1");
    EXPECT_EQ(get(ProfileFile(std::string("\xFF\xFE[\0S\0]\0\n\0v\0=\0\xE9\0", 16)), "s", "V"),
              "\xC3\xA9");
    EXPECT_EQ(get(ProfileFile::load("/nonexistent/folder/settings.ini"), "S", "v"), "<default>");
}

}  // namespace
}  // namespace orvendel
