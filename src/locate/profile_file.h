// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvendel {

// Reads entries of a profile (INI) file the way GetPrivateProfileStringA and
// GetPrivateProfileIntA do: sections "[name]" and entries "name=value", names compared
// without regard to ASCII case and without their surrounding blanks, the first section and the
// first entry of a name winning, values without surrounding blanks and one pair of matching
// quotes. Lines starting with ';' are comments.
class ProfileFile {
public:
    // Largest file that is read.
    static constexpr std::uintmax_t kMaxFileSize = 64u * 1024 * 1024;

    // Wraps the file's text; UTF-8 and UTF-16 little-endian files with a byte-order mark are
    // read as UTF-8.
    explicit ProfileFile(std::string_view text);

    // Returns the value of `name` in `section`, or nothing when the section, the entry or its
    // '=' is missing.
    std::optional<std::string> find(std::string_view section, std::string_view name) const;

    // Copies the entry's value, or `defaultText` without trailing blanks when it is missing,
    // into `buffer` of `size` characters: at most size - 1 characters and a NUL. Returns the
    // number of characters copied without the NUL.
    std::uint32_t getString(std::string_view section, std::string_view name,
                            std::string_view defaultText, char* buffer, std::uint32_t size) const;

    // How many characters of an entry getInt reads.
    static constexpr std::size_t kIntegerCharacters = 29;

    // Returns the number that the entry's first kIntegerCharacters characters hold: optional
    // blanks, sign, "0x" (hex), "0o" (octal) or "0b" (binary) prefix, digits up to the first
    // other character, wrapping in 32 bits; or `defaultValue` when the entry is missing or
    // empty.
    std::uint32_t getInt(std::string_view section, std::string_view name,
                         std::int32_t defaultValue) const;

    // Reads the file at `path`; a missing, unreadable or too large file reads as empty.
    static ProfileFile load(const std::string& path);

private:
    std::string text_;
};

}  // namespace orvendel
