// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "camera/camera_settings.h"
#include "patcher/progress.h"
#include "patcher/revision_table.h"
#include "patcher/search.h"
#include "patcher/site_edit.h"

namespace orvendel {

// What one pass of a revision table over an image found.
struct TableRun {
    bool recognised = false;
    std::vector<std::size_t> sites;  // 0-based offsets of the sites processed, in order
    std::vector<SiteEdit> edits;     // planEdits: the bytes to store at those sites
};

// The two passes of one revision table over `image`. Each sets state.revision to -1, the
// progress value to 1, the table's beforeSearch fields, then searches each signature from the
// cursor (the first byte of the image at the start) and visits each of its sites. A missing
// signature, or a site whose 4 bytes would pass the end of the image, ends the pass at once
// (fields already visited keep what the pass gave them). When every signature was found,
// state.revision becomes the table's revision and the atEnd fields are set. `progress` may be
// null. `firstSearch`, when given, is what an earlier pass learnt of the table's first search;
// the pass then gives the same results and progress without scanning again what that pass
// scanned.

// The reading pass: each site's field takes the value held there (readSiteValue).
TableRun readSites(const RevisionTable& table, std::span<const std::uint8_t> image,
                   CameraState& state, ProgressSink* progress,
                   const KnownSearch* firstSearch = nullptr);

// The writing pass: each site's new 4 bytes (writeSiteValue of its field) are recorded in
// `edits`; the image is not changed, so a table that gives up leaves nothing behind in it.
TableRun planEdits(const RevisionTable& table, std::span<const std::uint8_t> image,
                   CameraState& state, ProgressSink* progress,
                   const KnownSearch* firstSearch = nullptr);

// The type of both passes.
using TablePass = TableRun (*)(const RevisionTable&, std::span<const std::uint8_t>, CameraState&,
                               ProgressSink*, const KnownSearch*);

// Reads `image` as a fresh reading run does, with revision 0's table and then, unless that
// recognised it, revision 1's, on a scratch record. Returns the table that recognised it, or
// null; `run` is that table's pass (the last pass when none did).
const RevisionTable* recogniseImage(std::span<const std::uint8_t> image, TableRun& run);

// Stores the recorded edits into the image.
void applyEdits(std::span<std::uint8_t> image, std::span<const SiteEdit> edits);

}  // namespace orvendel
