// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "patcher/progress.h"
#include "patcher/signature.h"

namespace orvendel {

// The plain byte-by-byte scan with restarts after a failed partial match: the reference that
// the fast search is tested against. Same contract as search().
std::optional<std::size_t> searchReference(std::span<const std::uint8_t> image,
                                           const Signature& sig, std::size_t from,
                                           ProgressSink* progress = nullptr);

}  // namespace orvendel
