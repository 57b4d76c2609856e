// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "patcher/progress.h"
#include "patcher/search_internal/search_plan.h"

// The vector scanners exist for x86-64 with GCC or Clang. AVX2 is left out of Windows builds,
// whose GCC cannot keep 32-byte stack slots aligned.
#if defined(__x86_64__) && defined(__GNUC__)
#define ORVENDEL_SEARCH_SSE2 1
#if !defined(_WIN32)
#define ORVENDEL_SEARCH_AVX2 1
#endif
#endif

namespace orvendel {

// Where a scan over start positions ended.
struct ScanResult {
    std::size_t next;  // the match's start when found, else the first start not examined
    bool found;
    std::size_t candidates;  // starts that passed the anchors but not the whole signature
};

// A scan examines the start positions s in [begin, end), in increasing order, and stops at the
// first s where the signature matches, comparing the first `anchors` anchors of the plan (1 to
// plan.anchorCount()) across vectors before it checks a candidate in full. It also stops early,
// without a match, once more candidates failed than candidateBudget(begin, end): the caller
// then compares more anchors. The caller guarantees
// that for every s < end the plan.size() bytes from s lie inside the image. Vector scans examine
// blocks of starts and may stop up to kScanBlock - 1 starts before `end`, but always examine some
// when end - begin is at least kScanBlock; the caller finishes the rest with scanPortable.
using ScanFunction = ScanResult (*)(const SearchPlan& plan, int anchors, const std::uint8_t* image,
                                    std::size_t begin, std::size_t end);

inline constexpr std::size_t kScanBlock = 320;

// More failed candidates than one per this many starts make another anchor worth its cost: a
// candidate costs some 30 cycles, an anchor about half the scan's time again.
inline constexpr std::size_t kStartsPerCandidate = 1024;

// The failed candidates a scan over [begin, end) accepts before it gives up on its anchors.
inline std::size_t candidateBudget(std::size_t begin, std::size_t end) {
    return (end - begin) / kStartsPerCandidate;
}

// Vector scans run fastest when their first anchor's loads are aligned to this: a cache line.
inline constexpr std::size_t kVectorAlignment = 64;

// Looks for the first anchor with memchr and checks the whole signature at each hit (ignores
// `anchors`); examines every start up to `end`. Works on any processor.
ScanResult scanPortable(const SearchPlan& plan, int anchors, const std::uint8_t* image,
                        std::size_t begin, std::size_t end);

#ifdef ORVENDEL_SEARCH_SSE2
// Compares every anchor across 16-byte vectors.
ScanResult scanSse2(const SearchPlan& plan, int anchors, const std::uint8_t* image,
                    std::size_t begin, std::size_t end);
#endif

#ifdef ORVENDEL_SEARCH_AVX2
// Compares every anchor across 32-byte vectors; with more than two anchors wanted and a
// signature of four equal bytes, looks for runs of that byte instead. Call only where
// avx2Available().
ScanResult scanAvx2(const SearchPlan& plan, int anchors, const std::uint8_t* image,
                    std::size_t begin, std::size_t end);

// True when the processor running the program has AVX2.
bool avx2Available();
#endif

// Where a scan for two signatures at once ended.
struct TwoScanResult {
    std::size_t next;  // the first start where either matched, else the first not examined
    bool foundA;       // the first plan matches at `next`
    bool foundB;       // the second plan matches at `next`
};

// A scan over the starts [begin, end) for two plans at once, each with its startingAnchors():
// stops at the first start where either matches, or without a match once more candidates
// failed than candidateBudget(begin, end). The caller guarantees that both signatures lie
// inside the image for every start below `end`. Like a ScanFunction it may stop up to
// kScanBlock - 1 starts before `end`.
using TwoScanFunction = TwoScanResult (*)(const SearchPlan& a, const SearchPlan& b,
                                          const std::uint8_t* image, std::size_t begin,
                                          std::size_t end);

#ifdef ORVENDEL_SEARCH_AVX2
// Call only where avx2Available().
TwoScanResult scanTwoAvx2(const SearchPlan& a, const SearchPlan& b, const std::uint8_t* image,
                          std::size_t begin, std::size_t end);
#endif

// The widest scan this processor runs (nullptr where there is no vector scan), chosen once.
ScanFunction bestScan();

// The scan for two signatures at once where this processor has one (AVX2), else nullptr.
TwoScanFunction bestTwoScan();

// search() with the given vector scan for the bulk of the image (nullptr: scanPortable
// alone). search() passes bestScan(); tests pass each in turn.
std::optional<std::size_t> searchWith(ScanFunction scan, std::span<const std::uint8_t> image,
                                      const Signature& sig, std::size_t from,
                                      ProgressSink* progress);

// searchWith() with the plan for `sig` made once by the caller, for a signature searched
// piece by piece.
std::optional<std::size_t> searchPlanned(ScanFunction scan, const SearchPlan& plan,
                                         std::span<const std::uint8_t> image, const Signature& sig,
                                         std::size_t from, ProgressSink* progress);

}  // namespace orvendel
