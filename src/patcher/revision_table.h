// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "camera/camera_settings.h"
#include "patcher/signature.h"
#include "patcher/transfers.h"

namespace orvendel {

// One value moved between a patch site and a field of the record. The cursor is advanced by
// `advance`, the value transferred (moving the cursor 4 on), and the progress bar set to the
// cursor. `progressLead` bytes of the next transfer's advance are taken before that progress
// update (the next transfer's `advance` still counts them).
struct SiteTransfer {
    std::uint16_t advance;
    Field field;
    TransferKind kind;
    std::uint8_t progressLead = 0;
};

// One signature of a table in its text form ("00 ?? C7 05"), how many times it is searched
// (the second search starts 4 bytes after the first match; the last match counts) and the
// transfers counted from the first byte of the last match.
struct SignatureStep {
    std::string_view bytes;
    std::uint8_t searches;
    std::span<const SiteTransfer> transfers;
};

// A field the table sets to a fixed value itself.
struct FieldAssignment {
    Field field;
    float value;
};

// After every transfer of `source`, `target` takes the value `source` then holds.
struct FieldCopy {
    Field source;
    Field target;
};

// Everything known about one build of the executable, walked by readSites and planEdits.
struct RevisionTable {
    std::int16_t revision;
    std::span<const FieldAssignment> beforeSearch;  // set before the first search
    std::span<const SignatureStep> signatures;      // searched one after the other
    std::span<const FieldCopy> copies;
    std::span<const FieldAssignment> atEnd;  // set once every signature was found
};

extern const RevisionTable kRevision0Table;
extern const RevisionTable kRevision1Table;

// The signatures of kRevision0Table or kRevision1Table as searched, in table order: their texts
// (checked to be well formed when the tables are compiled) are parsed once, on first use, from
// any thread. Empty for any other table, which no image then matches.
std::span<const Signature> parsedSignatures(const RevisionTable& table);

}  // namespace orvendel
