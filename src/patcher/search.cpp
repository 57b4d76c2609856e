// SPDX-License-Identifier: MIT
#include "patcher/search.h"

#include <algorithm>
#include <cstdint>

#include "patcher/search_internal/search_kernels.h"
#include "patcher/search_internal/search_plan.h"
#include "patcher/search_internal/search_reference.h"

// glibc's header is C that only GCC also takes as C++ (it spells bool as _Bool).
#if defined(ORVENDEL_SEARCH_AVX2) && !defined(__clang__) && __has_include(<sys/platform/x86.h>)
#include <sys/platform/x86.h>
#define ORVENDEL_GLIBC_CPU_FEATURES 1
#endif

namespace orvendel {

namespace {

// Starts examined between two progress updates: small enough that the bar moves smoothly on a
// large image, large enough that reporting costs nothing next to the scan.
constexpr std::size_t kProgressStride = 256 * 1024;

// Reports each multiple of 1000 of the 1-based positions once, in increasing order, as the
// scan passes it.
class PassedPositions {
public:
    PassedPositions(ProgressSink* sink, std::size_t from)
        : sink_(sink), next_((from / 1000 + 1) * 1000) {}

    // Reports every multiple of 1000 up to and including the 1-based position `last`.
    void upTo(std::size_t last) {
        if (sink_ == nullptr)
            return;
        for (; next_ <= last; next_ += 1000)
            sink_->setValue(static_cast<double>(next_));
    }

private:
    ProgressSink* sink_;
    std::size_t next_;  // the smallest multiple of 1000 not yet reported
};

}  // namespace

#if defined(ORVENDEL_SEARCH_AVX2)
// glibc has already asked the processor, and the system whether it saves the wider registers;
// asking again costs a CPUID trap at every start inside a virtual machine.
#if defined(ORVENDEL_GLIBC_CPU_FEATURES)
bool avx2Available() {
    return CPU_FEATURE_ACTIVE(AVX2);
}

#else
bool avx2Available() {
    return __builtin_cpu_supports("avx2");
}

#endif
#endif

ScanFunction bestScan() {
#if defined(ORVENDEL_SEARCH_AVX2)
    static const ScanFunction chosen = avx2Available() ? scanAvx2 : scanSse2;
    return chosen;
#elif defined(ORVENDEL_SEARCH_SSE2)
    return scanSse2;
#else
    return nullptr;
#endif
}

TwoScanFunction bestTwoScan() {
#if defined(ORVENDEL_SEARCH_AVX2)
    static const TwoScanFunction chosen = avx2Available() ? scanTwoAvx2 : nullptr;
    return chosen;
#else
    return nullptr;
#endif
}

std::optional<std::size_t> search(std::span<const std::uint8_t> image, const Signature& sig,
                                  std::size_t from, ProgressSink* progress) {
    return searchWith(bestScan(), image, sig, from, progress);
}

std::optional<std::size_t> resumeSearch(std::span<const std::uint8_t> image, const Signature& sig,
                                        const KnownSearch& known, ProgressSink* progress) {
    if (sig.pattern.empty() || sig.pattern.size() != sig.wild.size())
        return search(image, sig, 0, progress);  // matches nowhere, reports nothing
    PassedPositions passed(progress, 0);
    if (known.match) {
        passed.upTo(*known.match + sig.pattern.size());
        return known.match;
    }
    passed.upTo(known.ruledOut);
    return search(image, sig, known.ruledOut, progress);
}

std::optional<std::size_t> searchWith(ScanFunction scan, std::span<const std::uint8_t> image,
                                      const Signature& sig, std::size_t from,
                                      ProgressSink* progress) {
    if (from >= image.size())
        return std::nullopt;
    return searchPlanned(scan, SearchPlan(sig), image, sig, from, progress);
}

std::optional<std::size_t> searchPlanned(ScanFunction scan, const SearchPlan& plan,
                                         std::span<const std::uint8_t> image, const Signature& sig,
                                         std::size_t from, ProgressSink* progress) {
    const std::size_t length = image.size();
    if (from >= length)
        return std::nullopt;
    if (!plan.usable()) {
        if (sig.pattern.empty() || sig.pattern.size() != sig.wild.size())
            return std::nullopt;
        return searchReference(image, sig, from, progress);  // all wild: matches at once
    }

    PassedPositions passed(progress, from);
    const std::size_t n = plan.size();
    if (length - from < n) {
        passed.upTo(length);
        return std::nullopt;
    }
    // Every start below `starts` has the whole signature inside the image. Once all starts
    // below s are ruled out, every position up to s (1-based) has been passed, since a later
    // match ends at s + n or beyond and a fruitless scan runs to the end.
    const std::size_t starts = length - n + 1;
    const std::uint8_t* bytes = image.data();
    std::size_t s = from;
    if (scan != nullptr && starts - s >= kScanBlock + kVectorAlignment) {
        // A few starts one by one, so that the first anchor's loads fall on vector boundaries.
        const auto address = reinterpret_cast<std::uintptr_t>(bytes + s + plan.anchorOffset(0));
        const std::size_t lead = (kVectorAlignment - address % kVectorAlignment) % kVectorAlignment;
        const ScanResult r = scanPortable(plan, 1, bytes, s, s + lead);
        if (r.found) {
            passed.upTo(r.next + n);
            return r.next;
        }
        s += lead;
        int anchors = plan.startingAnchors();
        while (starts - s >= kScanBlock) {
            const std::size_t stop = s + std::min(kProgressStride, starts - s);
            const ScanResult r = scan(plan, anchors, bytes, s, stop);
            if (r.found) {
                passed.upTo(r.next + n);
                return r.next;
            }
            // Too many starts passed the anchors: this image is not like the code the
            // frequency table describes, so compare one more.
            if (r.candidates > candidateBudget(s, r.next) && anchors < plan.anchorCount()) {
                ++anchors;
            }
            s = r.next;
            passed.upTo(s);
        }
    }
    const ScanResult r = scanPortable(plan, 1, bytes, s, starts);
    if (r.found) {
        passed.upTo(r.next + n);
        return r.next;
    }
    passed.upTo(length);
    return std::nullopt;
}

}  // namespace orvendel
