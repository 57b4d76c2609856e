// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "patcher/progress.h"
#include "patcher/signature.h"

namespace orvendel {

// What a shared pass learnt of one signature's search from offset 0: its leftmost match, or
// that no match starts below `ruledOut` (0-based).
struct KnownSearch {
    std::optional<std::size_t> match;
    std::size_t ruledOut = 0;
};

// Searches `first` and `second` from offset 0 together, block by block, so that the image
// streams from memory once rather than twice: `first` to its leftmost match or the end of the
// image, `second` alongside until it matches or `first` stops. Reports no progress.
std::pair<KnownSearch, KnownSearch> searchTogether(std::span<const std::uint8_t> image,
                                                   const Signature& first, const Signature& second);

// The same answer and the same progress reports as search(image, sig, 0, progress), given
// what a shared pass learnt of that search: a known match is only reported, and an unfinished
// search carries on after the starts already ruled out.
std::optional<std::size_t> resumeSearch(std::span<const std::uint8_t> image, const Signature& sig,
                                        const KnownSearch& known, ProgressSink* progress);

}  // namespace orvendel
