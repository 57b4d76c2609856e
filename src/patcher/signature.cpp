// SPDX-License-Identifier: MIT
#include "patcher/signature.h"

#include "platform/hex_digit.h"

namespace orvendel {

std::optional<Signature> Signature::parse(std::string_view text) {
    Signature sig;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size())
            return std::nullopt;
        const bool endsToken = i + 2 == text.size() || text[i + 2] == ' ' || text[i + 2] == '\t';
        if (!endsToken)
            return std::nullopt;
        if (text[i] == '?' && text[i + 1] == '?') {
            sig.pattern.push_back(0);
            sig.wild.push_back(true);
        } else {
            const int hi = hexDigit(text[i]);
            const int lo = hexDigit(text[i + 1]);
            if (hi < 0 || lo < 0)
                return std::nullopt;
            sig.pattern.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
            sig.wild.push_back(false);
        }
        i += 2;
    }
    if (sig.pattern.empty())
        return std::nullopt;
    return sig;
}

}  // namespace orvendel
