// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/hex_digit.h"

namespace orvendel {

// Walks the text form "00 ?? C7 05" of a signature: two hex digits or "??" per byte, separated
// by blanks or tabs. Calls `byte(value, wild)` for each byte in order (value 0 where wild) and
// returns whether the whole text is well formed and names at least one byte. The one grammar
// of signature texts, usable in constant expressions.
template <class OnByte>
constexpr bool walkSignatureText(std::string_view text, OnByte&& byte) {
    std::size_t i = 0;
    std::size_t count = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size())
            return false;
        const bool endsToken = i + 2 == text.size() || text[i + 2] == ' ' || text[i + 2] == '\t';
        if (!endsToken)
            return false;
        if (text[i] == '?' && text[i + 1] == '?') {
            byte(std::uint8_t{0}, true);
        } else {
            const int hi = hexDigit(text[i]);
            const int lo = hexDigit(text[i + 1]);
            if (hi < 0 || lo < 0)
                return false;
            byte(static_cast<std::uint8_t>(hi * 16 + lo), false);
        }
        ++count;
        i += 2;
    }
    return count > 0;
}

// Whether `text` is a well-formed signature text (see walkSignatureText).
constexpr bool isSignatureText(std::string_view text) {
    return walkSignatureText(text, [](std::uint8_t, bool) {});
}

// A byte signature with wildcard positions. At a wild position the pattern byte is 0 and
// any image byte matches.
struct Signature {
    std::vector<std::uint8_t> pattern;
    std::vector<bool> wild;

    std::size_t size() const { return pattern.size(); }

    // Parses the text form "00 ?? C7 05" (see walkSignatureText). Returns nothing for an empty
    // or malformed text.
    static std::optional<Signature> parse(std::string_view text);
};

}  // namespace orvendel
