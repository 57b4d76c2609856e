// SPDX-License-Identifier: MIT
#include "patcher/search_internal/search_together.h"

#include <algorithm>

#include "patcher/search_internal/search_kernels.h"
#include "patcher/search_internal/search_plan.h"

namespace orvendel {

namespace {

// Where the two signatures are searched one after the other, small enough that a block searched
// for one is still in the level-2 cache when it is searched for the other.
constexpr std::size_t kBlock = std::size_t{256} << 10;

// One signature's search, planned once and run block by block.
class BlockSearch {
public:
    explicit BlockSearch(const Signature& sig) : sig_(sig), plan_(sig), scan_(bestScan()) {}

    // Searches starts from `begin` below `end` only: the window ends where a match starting at
    // end - 1 would end.
    std::optional<std::size_t> starts(std::span<const std::uint8_t> image, std::size_t begin,
                                      std::size_t end) const {
        const std::size_t reach = std::max<std::size_t>(sig_.pattern.size(), 1) - 1;
        const auto window = image.first(std::min(image.size(), end + reach));
        return searchPlanned(scan_, plan_, window, sig_, begin, nullptr);
    }

    const SearchPlan& plan() const { return plan_; }

    // Starts from here on have the whole signature outside an image of `size` bytes.
    std::size_t startsEnd(std::size_t size) const {
        const std::size_t n = sig_.pattern.size();
        return size >= n ? size - n + 1 : 0;
    }

private:
    const Signature& sig_;
    SearchPlan plan_;
    ScanFunction scan_;
};

}  // namespace

std::pair<KnownSearch, KnownSearch> searchTogether(std::span<const std::uint8_t> image,
                                                   const Signature& first,
                                                   const Signature& second) {
    const BlockSearch firstSearch(first);
    const BlockSearch secondSearch(second);
    // Both signatures are compared in one pass over each vector where the processor allows;
    // what that pass leaves (a block's last starts, or a stretch where the anchors proved too
    // common) each search finishes on its own.
    const TwoScanFunction together =
        firstSearch.plan().usable() && secondSearch.plan().usable() ? bestTwoScan() : nullptr;
    const std::size_t bothInside =
        std::min(firstSearch.startsEnd(image.size()), secondSearch.startsEnd(image.size()));
    KnownSearch a;
    KnownSearch b;
    for (std::size_t begin = 0; begin < image.size();) {
        const std::size_t end = std::min(image.size(), begin + kBlock);
        std::size_t from = begin;  // neither matches at a start below this one
        const std::size_t togetherEnd = std::min(end, bothInside);
        if (together && !b.match && togetherEnd > begin) {
            const TwoScanResult r =
                together(firstSearch.plan(), secondSearch.plan(), image.data(), begin, togetherEnd);
            from = r.next;
            if (r.foundB)
                b.match = r.next;
            if (r.foundA) {
                a.match = r.next;
                if (!b.match)
                    b.ruledOut = r.next;
                break;
            }
        }
        if (!b.match) {
            b.match = secondSearch.starts(image, from, end);
            if (!b.match)
                b.ruledOut = end;
        }
        a.match = firstSearch.starts(image, from, end);
        if (a.match)
            break;
        a.ruledOut = end;
        begin = end;
    }
    return {a, b};
}

}  // namespace orvendel
