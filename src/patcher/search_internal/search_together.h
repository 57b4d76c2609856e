// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

#include "patcher/search.h"
#include "patcher/signature.h"

namespace orvendel {

// Searches `first` and `second` from offset 0 together, block by block, so that the image
// streams from memory once rather than twice: `first` to its leftmost match or the end of the
// image, `second` alongside until it matches or `first` stops. Reports no progress.
std::pair<KnownSearch, KnownSearch> searchTogether(std::span<const std::uint8_t> image,
                                                   const Signature& first, const Signature& second);

}  // namespace orvendel
