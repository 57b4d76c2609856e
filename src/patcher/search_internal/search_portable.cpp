// SPDX-License-Identifier: MIT
#include <cstring>

#include "patcher/search_internal/search_kernels.h"

namespace orvendel {

ScanResult scanPortable(const SearchPlan& plan, int /*anchors*/, const std::uint8_t* image,
                        std::size_t begin, std::size_t end) {
    const std::size_t lead = plan.anchorOffset(0);
    const std::uint8_t leadByte = plan.anchorByte(0);
    std::size_t candidates = 0;
    std::size_t s = begin;
    while (s < end) {
        const void* hit = std::memchr(image + s + lead, leadByte, end - s);
        if (hit == nullptr)
            break;
        s = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - image) - lead;
        if (plan.matchesAt(image + s))
            return {s, true, candidates};
        ++candidates;
        ++s;
    }
    return {end, false, candidates};
}

}  // namespace orvendel
