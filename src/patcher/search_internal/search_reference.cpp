// SPDX-License-Identifier: MIT
#include "patcher/search_internal/search_reference.h"

namespace orvendel {

std::optional<std::size_t> searchReference(std::span<const std::uint8_t> image,
                                           const Signature& sig, std::size_t from,
                                           ProgressSink* progress) {
    const std::size_t n = sig.size();
    const std::size_t length = image.size();
    std::size_t j = 0;  // index into the signature
    std::size_t matchStart = 0;
    std::size_t reported = 0;  // highest 1-based position already reported
    for (std::size_t pos = from; pos < length; ++pos) {
        const std::size_t oneBased = pos + 1;
        if (progress && oneBased % 1000 == 0 && oneBased > reported) {
            progress->setValue(static_cast<double>(oneBased));
            reported = oneBased;
        }
        if (sig.wild[j] || image[pos] == sig.pattern[j]) {
            if (j == 0)
                matchStart = pos;
            if (++j == n)
                return matchStart;
        } else if (j > 0) {
            j = 0;
            pos = matchStart;  // resume at the byte after the failed start
        }
    }
    return std::nullopt;
}

}  // namespace orvendel
