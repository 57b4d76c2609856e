// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace orvendel {

// A byte signature with wildcard positions. At a wild position the pattern byte is 0 and
// any image byte matches.
struct Signature {
    std::vector<std::uint8_t> pattern;
    std::vector<bool> wild;

    std::size_t size() const { return pattern.size(); }

    // Parses the text form "00 ?? C7 05": two hex digits or "??" per byte, separated by
    // blanks. Returns nothing for an empty or malformed text.
    static std::optional<Signature> parse(std::string_view text);
};

}  // namespace orvendel
