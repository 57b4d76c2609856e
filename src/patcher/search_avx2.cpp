#include "patcher/search_kernels.h"

#ifdef ORVENDEL_SEARCH_AVX2

#include <immintrin.h>

// Only the functions below are compiled for AVX2; the program itself keeps the x86-64 baseline
// and calls them only where avx2Available() says the processor has it.
#define ORVENDEL_AVX2 __attribute__((target("avx2")))

namespace orvendel {

namespace {

// FF for each start p..p+31 whose K anchors all hold their bytes, else 00.
template <int K>
ORVENDEL_AVX2 inline __m256i anchorHits(const std::uint8_t* p, const std::size_t* offsets,
                                        const __m256i* wanted) {
    __m256i hits = _mm256_cmpeq_epi8(
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + offsets[0])), wanted[0]);
    for (int k = 1; k < K; ++k) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + offsets[k]));
        hits = _mm256_and_si256(hits, _mm256_cmpeq_epi8(v, wanted[k]));
    }
    return hits;
}

template <int K>
ORVENDEL_AVX2 ScanResult scan(const SearchPlan& plan, const std::uint8_t* image, std::size_t begin,
                              std::size_t end) {
    std::size_t offsets[K];
    __m256i wanted[K];
    for (int k = 0; k < K; ++k) {
        offsets[k] = plan.anchorOffset(k);
        wanted[k] = _mm256_set1_epi8(static_cast<char>(plan.anchorByte(k)));
    }
    std::size_t candidates = 0;
    std::size_t s = begin;
    for (; s + kScanBlock <= end; s += kScanBlock) {
        const std::uint8_t* p = image + s;
        const __m256i h0 = anchorHits<K>(p, offsets, wanted);
        const __m256i h1 = anchorHits<K>(p + 32, offsets, wanted);
        const __m256i h2 = anchorHits<K>(p + 64, offsets, wanted);
        const __m256i h3 = anchorHits<K>(p + 96, offsets, wanted);
        const __m256i any = _mm256_or_si256(_mm256_or_si256(h0, h1), _mm256_or_si256(h2, h3));
        if (_mm256_testz_si256(any, any))
            continue;
        const std::uint64_t halves[2] = {
            static_cast<std::uint32_t>(_mm256_movemask_epi8(h0)) |
                std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(h1))} << 32,
            static_cast<std::uint32_t>(_mm256_movemask_epi8(h2)) |
                std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(h3))} << 32};
        for (std::size_t half = 0; half < 2; ++half) {
            for (std::uint64_t bits = halves[half]; bits != 0; bits &= bits - 1) {
                const std::size_t j = half * 64 + static_cast<std::size_t>(__builtin_ctzll(bits));
                if (plan.matchesAt(p + j))
                    return {s + j, true, candidates};
                ++candidates;
            }
        }
    }
    return {s, false, candidates};
}

}  // namespace

ORVENDEL_AVX2 ScanResult scanAvx2(const SearchPlan& plan, int anchors, const std::uint8_t* image,
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

bool avx2Available() {
    return __builtin_cpu_supports("avx2");
}

}  // namespace orvendel

#endif
