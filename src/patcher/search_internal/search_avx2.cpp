// SPDX-License-Identifier: MIT
#include "patcher/search_internal/search_kernels.h"

#ifdef ORVENDEL_SEARCH_AVX2

#include <immintrin.h>

// Only the functions below are compiled for AVX2; the program itself keeps the x86-64 baseline
// and calls them only where avx2Available() says the processor has it.
#define ORVENDEL_AVX2 __attribute__((target("avx2")))

namespace orvendel {

namespace {

// The anchors of one plan, ready for the vector loop.
template <int K>
struct Anchors {
    std::size_t offsets[K];
    __m256i wanted[K];
};

template <int K>
ORVENDEL_AVX2 inline Anchors<K> anchorsOf(const SearchPlan& plan) {
    Anchors<K> a;
    for (int k = 0; k < K; ++k) {
        a.offsets[k] = plan.anchorOffset(k);
        a.wanted[k] = _mm256_set1_epi8(static_cast<char>(plan.anchorByte(k)));
    }
    return a;
}

// Zero for each start p..p+31 whose K anchors all hold their bytes. Exclusive or and or keep
// the vector compares, which this kind of scan is short of, to one per eight vectors.
template <int K>
ORVENDEL_AVX2 inline __m256i anchorMisses(const std::uint8_t* p, const Anchors<K>& anchors) {
    __m256i misses = _mm256_setzero_si256();
    for (int k = 0; k < K; ++k) {
        const auto* at = reinterpret_cast<const __m256i*>(p + anchors.offsets[k]);
        misses =
            _mm256_or_si256(misses, _mm256_xor_si256(_mm256_loadu_si256(at), anchors.wanted[k]));
    }
    return misses;
}

// Starts examined per round: eight vectors.
constexpr std::size_t kStep = 256;

// The bytewise least of the eight vectors of a round, folded as a tree so that they do not
// wait on each other.
ORVENDEL_AVX2 inline __m256i leastOfRound(const __m256i (&m)[kStep / 32]) {
    static_assert(kStep / 32 == 8);
    const __m256i m01 = _mm256_min_epu8(m[0], m[1]);
    const __m256i m23 = _mm256_min_epu8(m[2], m[3]);
    const __m256i m45 = _mm256_min_epu8(m[4], m[5]);
    const __m256i m67 = _mm256_min_epu8(m[6], m[7]);
    return _mm256_min_epu8(_mm256_min_epu8(m01, m23), _mm256_min_epu8(m45, m67));
}

template <int K>
ORVENDEL_AVX2 ScanResult scan(const SearchPlan& plan, const std::uint8_t* image, std::size_t begin,
                              std::size_t end) {
    const Anchors<K> anchors = anchorsOf<K>(plan);
    const __m256i zero = _mm256_setzero_si256();
    const std::size_t budget = candidateBudget(begin, end);
    std::size_t candidates = 0;
    std::size_t s = begin;
    for (; s + kStep <= end; s += kStep) {
        const std::uint8_t* p = image + s;
        // The bytewise least of the misses is zero only where some start hit.
        __m256i misses[kStep / 32];
        for (std::size_t i = 0; i < kStep / 32; ++i)
            misses[i] = anchorMisses<K>(p + 32 * i, anchors);
        const __m256i least = leastOfRound(misses);
        const __m256i any = _mm256_cmpeq_epi8(least, zero);
        if (_mm256_testz_si256(any, any))
            continue;
        for (std::size_t i = 0; i < kStep / 32; ++i) {
            const __m256i hits = _mm256_cmpeq_epi8(anchorMisses<K>(p + 32 * i, anchors), zero);
            for (auto bits = static_cast<std::uint32_t>(_mm256_movemask_epi8(hits)); bits != 0;
                 bits &= bits - 1) {
                const std::size_t j = i * 32 + static_cast<std::size_t>(__builtin_ctz(bits));
                if (plan.matchesAt(p + j))
                    return {s + j, true, candidates};
                ++candidates;
            }
        }
        if (candidates > budget)
            return {s + kStep, false, candidates};
    }
    return {s, false, candidates};
}

// Zero where bytes j and j+1 of q both hold the wanted byte. For the byte 00 the loads need no
// exclusive or.
template <bool kZero>
ORVENDEL_AVX2 inline __m256i pairsAt(const std::uint8_t* q, __m256i wanted) {
    const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q));
    const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q + 1));
    if constexpr (kZero) {
        return _mm256_or_si256(here, next);
    } else {
        return _mm256_or_si256(_mm256_xor_si256(here, wanted), _mm256_xor_si256(next, wanted));
    }
}

// Bytes 2..31 of a followed by bytes 0..1 of b.
ORVENDEL_AVX2 inline __m256i shiftInTwo(__m256i a, __m256i b) {
    return _mm256_alignr_epi8(_mm256_permute2x128_si256(a, b, 0x21), a, 2);
}

// Starts examined per round by scanFourEqualBytes, and how far past them it reads.
constexpr std::size_t kRunStep = 128;
constexpr std::size_t kRunReach = kRunStep + 32;

// Looks for four equal bytes with two loads per vector instead of four anchors: with D(j) zero
// where bytes j and j+1 hold the byte, D(j) | D(j + 2) is zero exactly where bytes j..j+3 do.
template <bool kZero>
ORVENDEL_AVX2 ScanResult scanFourEqualBytes(const SearchPlan& plan, const std::uint8_t* image,
                                            std::size_t begin, std::size_t end) {
    const __m256i wanted = _mm256_set1_epi8(static_cast<char>(plan.anchorByte(0)));
    const __m256i zero = _mm256_setzero_si256();
    std::size_t s = begin;
    if (s + kRunReach > end)
        return {s, false, 0};
    __m256i d0 = pairsAt<kZero>(image + s, wanted);
    for (; s + kRunReach <= end; s += kRunStep) {
        const std::uint8_t* p = image + s;
        const __m256i d1 = pairsAt<kZero>(p + 32, wanted);
        const __m256i d2 = pairsAt<kZero>(p + 64, wanted);
        const __m256i d3 = pairsAt<kZero>(p + 96, wanted);
        const __m256i d4 = pairsAt<kZero>(p + 128, wanted);
        const __m256i r0 = _mm256_or_si256(d0, shiftInTwo(d0, d1));
        const __m256i r1 = _mm256_or_si256(d1, shiftInTwo(d1, d2));
        const __m256i r2 = _mm256_or_si256(d2, shiftInTwo(d2, d3));
        const __m256i r3 = _mm256_or_si256(d3, shiftInTwo(d3, d4));
        d0 = d4;
        const __m256i least = _mm256_min_epu8(_mm256_min_epu8(r0, r1), _mm256_min_epu8(r2, r3));
        const __m256i any = _mm256_cmpeq_epi8(least, zero);
        if (_mm256_testz_si256(any, any))
            continue;
        const __m256i runs[4] = {r0, r1, r2, r3};
        for (std::size_t i = 0; i < 4; ++i) {
            auto bits =
                static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(runs[i], zero)));
            for (; bits != 0; bits &= bits - 1) {
                const std::size_t at = s + i * 32 + static_cast<std::size_t>(__builtin_ctz(bits));
                if (plan.matchesAt(image + at))
                    return {at, true, 0};
            }
        }
    }
    return {s, false, 0};
}

// Two plans in one pass: each vector is loaded once for both, so the image streams from memory
// once and neither search waits for the other.
template <int KA, int KB>
ORVENDEL_AVX2 TwoScanResult scanTwo(const SearchPlan& a, const SearchPlan& b,
                                    const std::uint8_t* image, std::size_t begin, std::size_t end) {
    const Anchors<KA> anchorsA = anchorsOf<KA>(a);
    const Anchors<KB> anchorsB = anchorsOf<KB>(b);
    const __m256i zero = _mm256_setzero_si256();
    const std::size_t budget = candidateBudget(begin, end);
    std::size_t candidates = 0;
    std::size_t s = begin;
    for (; s + kStep <= end; s += kStep) {
        const std::uint8_t* p = image + s;
        __m256i misses[kStep / 32];
        for (std::size_t i = 0; i < kStep / 32; ++i) {
            const std::uint8_t* q = p + 32 * i;
            misses[i] =
                _mm256_min_epu8(anchorMisses<KA>(q, anchorsA), anchorMisses<KB>(q, anchorsB));
        }
        const __m256i least = leastOfRound(misses);
        const __m256i any = _mm256_cmpeq_epi8(least, zero);
        if (_mm256_testz_si256(any, any))
            continue;
        for (std::size_t i = 0; i < kStep / 32; ++i) {
            const std::uint8_t* q = p + 32 * i;
            const auto hitsA = static_cast<std::uint32_t>(
                _mm256_movemask_epi8(_mm256_cmpeq_epi8(anchorMisses<KA>(q, anchorsA), zero)));
            const auto hitsB = static_cast<std::uint32_t>(
                _mm256_movemask_epi8(_mm256_cmpeq_epi8(anchorMisses<KB>(q, anchorsB), zero)));
            for (std::uint32_t bits = hitsA | hitsB; bits != 0; bits &= bits - 1) {
                const auto j = static_cast<std::size_t>(__builtin_ctz(bits));
                const std::uint32_t bit = std::uint32_t{1} << j;
                const bool foundA = (hitsA & bit) != 0 && a.matchesAt(q + j);
                const bool foundB = (hitsB & bit) != 0 && b.matchesAt(q + j);
                if (foundA || foundB)
                    return {s + 32 * i + j, foundA, foundB};
                ++candidates;
            }
        }
        if (candidates > budget)
            return {s + kStep, false, false};
    }
    return {s, false, false};
}

}  // namespace

ORVENDEL_AVX2 TwoScanResult scanTwoAvx2(const SearchPlan& a, const SearchPlan& b,
                                        const std::uint8_t* image, std::size_t begin,
                                        std::size_t end) {
    const int ka = a.startingAnchors();
    const int kb = b.startingAnchors();
    if (ka == 2 && kb == 2)
        return scanTwo<2, 2>(a, b, image, begin, end);
    if (ka == 2)
        return scanTwo<2, 1>(a, b, image, begin, end);
    if (kb == 2)
        return scanTwo<1, 2>(a, b, image, begin, end);
    return scanTwo<1, 1>(a, b, image, begin, end);
}

ORVENDEL_AVX2 ScanResult scanAvx2(const SearchPlan& plan, int anchors, const std::uint8_t* image,
                                  std::size_t begin, std::size_t end) {
    if (anchors > 2 && plan.isFourEqualBytes()) {
        return plan.anchorByte(0) == 0 ? scanFourEqualBytes<true>(plan, image, begin, end)
                                       : scanFourEqualBytes<false>(plan, image, begin, end);
    }
    switch (anchors) {
        case 1:
            return scan<1>(plan, image, begin, end);
        case 2:
            return scan<2>(plan, image, begin, end);
        case 3:
            return scan<3>(plan, image, begin, end);
        default:
            return scan<4>(plan, image, begin, end);
    }
}

}  // namespace orvendel

#endif
