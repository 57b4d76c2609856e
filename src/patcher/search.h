// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "patcher/progress.h"
#include "patcher/signature.h"

namespace orvendel {

// Finds the leftmost occurrence of `sig` that starts at or after offset `from` (0-based) and
// lies wholly inside `image`. Returns its 0-based offset, or nothing.
//
// Progress: the bar counts 1-based byte positions. Every position that is a multiple of 1000
// in the range the scan passes over — from position from+1 up to the last byte of the match,
// or to the end of the image when there is none — is reported once, in increasing order.
//
// A signature that is empty, or whose pattern and wild mask differ in length, matches nowhere
// and reports nothing.
std::optional<std::size_t> search(std::span<const std::uint8_t> image, const Signature& sig,
                                  std::size_t from, ProgressSink* progress = nullptr);

// The plain byte-by-byte scan with restarts after a failed partial match: the reference that
// the fast search is tested against. Same contract as search().
std::optional<std::size_t> searchReference(std::span<const std::uint8_t> image,
                                           const Signature& sig, std::size_t from,
                                           ProgressSink* progress = nullptr);

}  // namespace orvendel
