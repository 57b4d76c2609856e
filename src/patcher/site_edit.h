// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvendel {

// The 4 bytes a writing run stores at one patch site (0-based offset into the image).
struct SiteEdit {
    std::size_t offset;
    std::array<std::uint8_t, 4> bytes;

    friend bool operator==(const SiteEdit&, const SiteEdit&) = default;
};

}  // namespace orvendel
