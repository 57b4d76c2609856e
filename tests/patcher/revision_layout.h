// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvendel {

// One place where a build keeps a camera value, as revision_layouts.txt gives it.
struct LayoutSite {
    std::size_t offset;  // from the first byte of the signature's (last) match
    std::string field;   // the record's field name, e.g. "CTZoomMin"
    bool angle;          // stored as 90 minus the angle
};

// One signature of a build, as revision_layouts.txt gives it.
struct LayoutSignature {
    std::vector<int> bytes;  // 0..255, or -1 for any byte
    int searches;
    std::vector<LayoutSite> sites;
};

// The signatures of revision 0 or 1 in search order, read from the test data alone. Throws
// std::runtime_error for a line it cannot read.
const std::vector<LayoutSignature>& revisionLayout(int revision);

// An image put together from a revision's layout only: the signatures in `order` (indexes into
// the layout; all in layout order when empty), 1000 bytes apart among 0xEE filler, a signature
// searched twice written twice 4 bytes apart, and the floats 10, 11, 12, ... stored as they are
// at the sites in turn.
struct LayoutImage {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> matches;             // per signature; unplaced ones stay 0
    std::vector<std::vector<std::size_t>> sites;  // per signature

    // The sites of the signatures before `signature`, in order.
    std::vector<std::size_t> sitesBefore(std::size_t signature) const;
    // The float stored at `site`, least significant byte first.
    float storedAt(std::size_t site) const;
};
LayoutImage layoutImage(int revision, std::vector<std::size_t> order = {});

}  // namespace orvendel
