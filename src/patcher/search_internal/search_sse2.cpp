// SPDX-License-Identifier: MIT
#include "patcher/search_internal/search_kernels.h"

#ifdef ORVENDEL_SEARCH_SSE2

#include <emmintrin.h>

namespace orvendel {

namespace {

// FF for each start p..p+15 whose K anchors all hold their bytes, else 00.
template <int K>
inline __m128i anchorHits(const std::uint8_t* p, const std::size_t* offsets,
                          const __m128i* wanted) {
    __m128i hits = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + offsets[0])),
                                  wanted[0]);
    for (int k = 1; k < K; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + offsets[k]));
        hits = _mm_and_si128(hits, _mm_cmpeq_epi8(v, wanted[k]));
    }
    return hits;
}

// Starts examined per round: four vectors.
constexpr std::size_t kStep = 64;

template <int K>
ScanResult scan(const SearchPlan& plan, const std::uint8_t* image, std::size_t begin,
                std::size_t end) {
    std::size_t offsets[K];
    __m128i wanted[K];
    for (int k = 0; k < K; ++k) {
        offsets[k] = plan.anchorOffset(k);
        wanted[k] = _mm_set1_epi8(static_cast<char>(plan.anchorByte(k)));
    }
    const std::size_t budget = candidateBudget(begin, end);
    std::size_t candidates = 0;
    std::size_t s = begin;
    for (; s + kStep <= end; s += kStep) {
        const std::uint8_t* p = image + s;
        const __m128i h0 = anchorHits<K>(p, offsets, wanted);
        const __m128i h1 = anchorHits<K>(p + 16, offsets, wanted);
        const __m128i h2 = anchorHits<K>(p + 32, offsets, wanted);
        const __m128i h3 = anchorHits<K>(p + 48, offsets, wanted);
        const __m128i any = _mm_or_si128(_mm_or_si128(h0, h1), _mm_or_si128(h2, h3));
        if (_mm_movemask_epi8(any) == 0)
            continue;
        std::uint64_t bits =
            static_cast<std::uint32_t>(_mm_movemask_epi8(h0)) |
            std::uint64_t{static_cast<std::uint32_t>(_mm_movemask_epi8(h1))} << 16 |
            std::uint64_t{static_cast<std::uint32_t>(_mm_movemask_epi8(h2))} << 32 |
            std::uint64_t{static_cast<std::uint32_t>(_mm_movemask_epi8(h3))} << 48;
        while (bits != 0) {
            const auto j = static_cast<std::size_t>(__builtin_ctzll(bits));
            if (plan.matchesAt(p + j))
                return {s + j, true, candidates};
            ++candidates;
            bits &= bits - 1;
        }
        if (candidates > budget)
            return {s + kStep, false, candidates};
    }
    return {s, false, candidates};
}

}  // namespace

ScanResult scanSse2(const SearchPlan& plan, int anchors, const std::uint8_t* image,
                    std::size_t begin, std::size_t end) {
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
