// SPDX-License-Identifier: MIT
#include "patcher/signature.h"

namespace orvendel {

std::optional<Signature> Signature::parse(std::string_view text) {
    Signature sig;
    const bool wellFormed = walkSignatureText(text, [&sig](std::uint8_t value, bool wild) {
        sig.pattern.push_back(value);
        sig.wild.push_back(wild);
    });
    if (!wellFormed)
        return std::nullopt;
    return sig;
}

}  // namespace orvendel
