// SPDX-License-Identifier: MIT
#include "patcher/table_run.h"

#include <algorithm>

#include "patcher/search.h"
#include "patcher/signature.h"
#include "patcher/transfers.h"

namespace orvendel {

namespace {

void setProgress(ProgressSink* progress, std::size_t oneBased) {
    if (progress)
        progress->setValue(static_cast<double>(oneBased));
}

void assign(CameraSettings& settings, std::span<const FieldAssignment> assignments) {
    for (const FieldAssignment& a : assignments)
        fieldRef(settings, a.field) = a.value;
}

// What a pass does at one site: `site` holds the 4 bytes found there, `field` the site's field.
using SiteVisit = void (*)(SiteEdit& site, TransferKind kind, float& field, TableRun& run);

void takeValue(SiteEdit& site, TransferKind kind, float& field, TableRun&) {
    std::size_t at = 0;
    field = readSiteValue(site.bytes, at, kind);
}

void recordEdit(SiteEdit& site, TransferKind kind, float& field, TableRun& run) {
    std::size_t at = 0;
    writeSiteValue(site.bytes, at, kind, field);
    run.edits.push_back(site);
}

// The walk that both passes share, visiting each site with `visit`.
TableRun walkTable(const RevisionTable& table, std::span<const std::uint8_t> image,
                   CameraState& state, ProgressSink* progress, const KnownSearch* firstSearch,
                   SiteVisit visit) {
    TableRun run;
    state.revision = kRevisionUnknown;
    setProgress(progress, 1);
    assign(state.settings, table.beforeSearch);

    const std::span<const Signature> signatures = parsedSignatures(table);
    if (signatures.size() != table.signatures.size())
        return run;
    std::size_t cursor = 0;  // 0-based; the bar shows it 1-based
    for (std::size_t index = 0; index < table.signatures.size(); ++index) {
        const SignatureStep& step = table.signatures[index];
        const Signature& signature = signatures[index];
        for (int search = 0; search < step.searches; ++search) {
            if (search > 0)
                cursor += 4;
            const bool known = firstSearch && cursor == 0 && index == 0 && search == 0;
            const std::optional<std::size_t> match =
                known ? resumeSearch(image, signature, *firstSearch, progress)
                      : orvendel::search(image, signature, cursor, progress);
            if (!match)
                return run;
            cursor = *match;
        }
        std::size_t lead = 0;
        for (const SiteTransfer& transfer : step.transfers) {
            cursor += transfer.advance - lead;
            if (cursor > image.size() || image.size() - cursor < 4)
                return run;
            SiteEdit site{cursor, {}};
            std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(cursor), 4, site.bytes.begin());
            float& field = fieldRef(state.settings, transfer.field);
            run.sites.push_back(cursor);
            visit(site, transfer.kind, field, run);
            cursor += 4;
            for (const FieldCopy& copy : table.copies) {
                if (copy.source == transfer.field) {
                    fieldRef(state.settings, copy.target) = field;
                }
            }
            lead = transfer.progressLead;
            cursor += lead;
            // A site that ends at the last byte leaves the cursor past the end; the bar stops
            // at its maximum, the image length.
            setProgress(progress, std::min(cursor + 1, image.size()));
        }
    }
    state.revision = table.revision;
    assign(state.settings, table.atEnd);
    run.recognised = true;
    return run;
}

}  // namespace

TableRun readSites(const RevisionTable& table, std::span<const std::uint8_t> image,
                   CameraState& state, ProgressSink* progress, const KnownSearch* firstSearch) {
    return walkTable(table, image, state, progress, firstSearch, takeValue);
}

TableRun planEdits(const RevisionTable& table, std::span<const std::uint8_t> image,
                   CameraState& state, ProgressSink* progress, const KnownSearch* firstSearch) {
    return walkTable(table, image, state, progress, firstSearch, recordEdit);
}

void applyEdits(std::span<std::uint8_t> image, std::span<const SiteEdit> edits) {
    for (const SiteEdit& edit : edits) {
        std::copy(edit.bytes.begin(), edit.bytes.end(),
                  image.begin() + static_cast<std::ptrdiff_t>(edit.offset));
    }
}

const RevisionTable* recogniseImage(std::span<const std::uint8_t> image, TableRun& run) {
    CameraState scratch;
    for (const RevisionTable* table : {&kRevision0Table, &kRevision1Table}) {
        run = readSites(*table, image, scratch, nullptr);
        if (run.recognised)
            return table;
    }
    return nullptr;
}

}  // namespace orvendel
