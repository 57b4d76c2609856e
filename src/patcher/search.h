// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "patcher/progress.h"
#include "patcher/signature.h"

// The signature search: search() and resumeSearch() are its only entry points. The plan, the
// vector scanners and the shared pass over two signatures live in search_internal/, included
// only by the patcher itself, the benchmark and the tests that hold them to the plain scan
// (the differential test and the search fuzzer).

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

// What an earlier pass learnt of one signature's search from offset 0: its leftmost match, or
// that no match starts below `ruledOut` (0-based).
struct KnownSearch {
    std::optional<std::size_t> match;
    std::size_t ruledOut = 0;
};

// The same answer and the same progress reports as search(image, sig, 0, progress), given
// what an earlier pass learnt of that search: a known match is only reported, and an
// unfinished search carries on after the starts already ruled out.
std::optional<std::size_t> resumeSearch(std::span<const std::uint8_t> image, const Signature& sig,
                                        const KnownSearch& known, ProgressSink* progress);

}  // namespace orvendel
