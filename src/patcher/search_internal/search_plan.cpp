// SPDX-License-Identifier: MIT
#include "patcher/search_internal/search_plan.h"

#include <algorithm>

#include "patcher/search_internal/x86_byte_frequency.h"

namespace orvendel {

SearchPlan::SearchPlan(const Signature& sig) {
    if (sig.pattern.size() != sig.wild.size() || sig.pattern.empty())
        return;
    size_ = sig.pattern.size();

    std::vector<std::size_t> fixed;
    for (std::size_t i = 0; i < size_; ++i) {
        if (!sig.wild[i])
            fixed.push_back(i);
    }
    if (fixed.empty())
        return;

    // Rarest bytes first; equally rare bytes keep their order in the signature.
    std::stable_sort(fixed.begin(), fixed.end(), [&](std::size_t a, std::size_t b) {
        return kX86ByteFrequency[sig.pattern[a]] < kX86ByteFrequency[sig.pattern[b]];
    });
    fourEqualBytes_ = size_ == 4 && fixed.size() == 4 &&
                      std::all_of(sig.pattern.begin(), sig.pattern.end(),
                                  [&](std::uint8_t b) { return b == sig.pattern[0]; });

    anchorCount_ = static_cast<int>(std::min<std::size_t>(fixed.size(), kMaxAnchors));
    for (int k = 0; k < anchorCount_; ++k) {
        const std::size_t at = fixed[static_cast<std::size_t>(k)];
        anchorOffsets_[static_cast<std::size_t>(k)] = at;
        anchorBytes_[static_cast<std::size_t>(k)] = sig.pattern[at];
    }

    // Cover the signature with words of the widest size that fits; the last word may overlap
    // the one before it so that no byte past the signature is read.
    wordWidth_ = size_ >= 8 ? 8 : size_ >= 4 ? 4 : 1;
    for (std::size_t offset = 0; offset < size_; offset += wordWidth_) {
        const std::size_t at = std::min(offset, size_ - wordWidth_);
        std::array<std::uint8_t, 8> pattern{};
        std::array<std::uint8_t, 8> mask{};
        for (std::size_t i = 0; i < wordWidth_; ++i) {
            if (sig.wild[at + i])
                continue;
            pattern[i] = sig.pattern[at + i];
            mask[i] = 0xFF;
        }
        Word word{at, 0, 0};
        std::memcpy(&word.pattern, pattern.data(), wordWidth_);
        std::memcpy(&word.mask, mask.data(), wordWidth_);
        if (word.mask != 0)
            words_.push_back(word);
    }
}

}  // namespace orvendel
