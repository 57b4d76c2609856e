// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace orvendel {

// One value of a Wine registry file: its registry type and its bytes as the registry keeps
// them (texts as UTF-16 little-endian with their terminating NUL).
struct WineRegistryData {
    std::uint32_t type = 0;
    std::string bytes;
};

// The contents of one Wine registry file (system.reg, user.reg, userdef.reg): keys with their
// values, looked up without regard to the case of key and value names (Unicode simple case
// folding, as foldCase does).
class WineRegistryFile {
public:
    // Largest file that is read; the registry of a real prefix is a few megabytes. What a
    // parsed file takes in memory grows with its size.
    static constexpr std::uintmax_t kMaxFileSize = 64u * 1024 * 1024;

    // Parses the text of a registry file that begins with "WINE REGISTRY Version 2". Lines
    // that cannot be understood are skipped, as Wine itself does. Fails, saying so, when the
    // header is missing.
    static Result<WineRegistryFile> parse(std::string_view text);

    // Returns whether the key exists: it has a section of its own or is the parent of one.
    // `path` is backslash-separated, relative to the file's root; the empty path is the root.
    bool hasKey(std::string_view path) const;

    // Returns the names of the keys directly below `path`, folded as canonicalPath folds them,
    // each once, in byte order.
    std::vector<std::string> subkeys(std::string_view path) const;

    // Returns the value `name` of key `path`, or null. The empty name is the default value.
    const WineRegistryData* findValue(std::string_view path, std::string_view name) const;

    // Returns whether the file belongs to a 64-bit prefix ("#arch=win64").
    bool is64Bit() const { return is64Bit_; }

    // Returns the registry path that all keys are relative to, as the header comment names it
    // ("REGISTRY\User\S-1-5-21-0-0-0-1000"), or the empty text.
    const std::string& relativeTo() const { return relativeTo_; }

    // Returns a key path in the form the lookups use: components joined by single backslashes,
    // empty components dropped, every letter case-folded (foldCase).
    static std::string canonicalPath(std::string_view path);

private:
    using Values = std::map<std::string, WineRegistryData>;
    std::map<std::string, Values> keys_;
    bool is64Bit_ = false;
    std::string relativeTo_;
};

}  // namespace orvendel
