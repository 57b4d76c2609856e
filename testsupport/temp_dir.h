// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace orvendel {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // path() / name.
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Names of the entries in the folder, sorted.
    std::vector<std::string> entries() const;

private:
    std::filesystem::path path_;
};

// The bytes of a text, for fixtures.
inline std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

// Writes bytes to a file (plain stream; for setting up fixtures). Throws on failure.
void writeFixture(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
// Reads a whole file (plain stream; for checking results). Throws on failure.
std::vector<std::uint8_t> readFixture(const std::filesystem::path& path);

}  // namespace orvendel
