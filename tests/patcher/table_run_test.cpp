// SPDX-License-Identifier: MIT
// Both revision tables against the builds' layouts typed in revision_layouts.txt, and on small
// images put together from those layouts alone: every signature at a known offset, every site
// holding a distinct stored value.
#include "patcher/table_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <span>
#include <string_view>
#include <vector>

#include "patcher/signature.h"
#include "patcher/transfers.h"
#include "recording_progress.h"
#include "revision_layout.h"

namespace orvendel {
namespace {

const RevisionTable* const kTables[] = {&kRevision0Table, &kRevision1Table};

// The layout's bytes in the form of a parsed signature: -1 for a wild byte.
std::vector<int> bytesOf(const Signature& signature) {
    std::vector<int> bytes;
    for (std::size_t k = 0; k < signature.size(); ++k)
        bytes.push_back(signature.wild[k] ? -1 : signature.pattern[k]);
    return bytes;
}

TEST(RevisionTables, HoldTheSignaturesAndSitesOfTheTypedLayouts) {
    for (const RevisionTable* table : kTables) {
        const std::vector<LayoutSignature>& layout = revisionLayout(table->revision);
        ASSERT_EQ(table->signatures.size(), layout.size()) << "revision " << table->revision;
        for (std::size_t index = 0; index < layout.size(); ++index) {
            SCOPED_TRACE(::testing::Message()
                         << "revision " << table->revision << " signature " << index + 1);
            const SignatureStep& step = table->signatures[index];
            const std::optional<Signature> parsed = Signature::parse(step.bytes);
            ASSERT_TRUE(parsed.has_value());
            EXPECT_EQ(bytesOf(*parsed), layout[index].bytes);
            EXPECT_EQ(step.searches, layout[index].searches);
            ASSERT_EQ(step.transfers.size(), layout[index].sites.size());
            std::size_t at = 0;
            for (std::size_t t = 0; t < step.transfers.size(); ++t) {
                const SiteTransfer& transfer = step.transfers[t];
                const LayoutSite& site = layout[index].sites[t];
                at += transfer.advance;
                EXPECT_EQ(at, site.offset) << site.field;
                EXPECT_EQ(fieldName(transfer.field), site.field);
                EXPECT_EQ(transfer.kind == TransferKind::Angle, site.angle) << site.field;
                at += 4;
            }
        }
    }
}

TEST(RevisionTables, RecogniseTheirSignaturesAndVisitEverySiteAtItsOffset) {
    for (const RevisionTable* table : kTables) {
        SCOPED_TRACE(table->revision);
        const LayoutImage image = layoutImage(table->revision);
        CameraState state;
        RecordingProgress progress;
        const TableRun run = readSites(*table, image.bytes, state, &progress);
        ASSERT_TRUE(run.recognised);
        ASSERT_EQ(run.sites, image.sitesBefore(image.sites.size()));
        // The cursor starts at 1 and only moves forward, ending past the last site.
        ASSERT_FALSE(progress.values.empty());
        EXPECT_EQ(progress.values.front(), 1.0);
        EXPECT_TRUE(std::is_sorted(progress.values.begin(), progress.values.end()));
        EXPECT_GE(progress.values.back(), static_cast<double>(run.sites.back() + 4));
        EXPECT_EQ(state.revision, table->revision);
        EXPECT_EQ(state.settings.CTAngleMax, 89.0f);
        EXPECT_EQ(state.settings.DAngleMax, 89.0f);
        EXPECT_TRUE(run.edits.empty());
        // Parsed once: every call gives the same signatures, one per step.
        const std::span<const Signature> parsed = parsedSignatures(*table);
        EXPECT_EQ(parsed.data(), parsedSignatures(*table).data());
        EXPECT_EQ(parsed.size(), image.sites.size());
    }
}

TEST(RevisionTables, ATableOfNeitherRevisionHasNoSignaturesAndRecognisesNothing) {
    const SignatureStep foreignSteps[] = {{"00", 1, {}}};
    const RevisionTable foreign{2, {}, foreignSteps, {}, {}};
    EXPECT_TRUE(parsedSignatures(foreign).empty());
    const std::uint8_t image[] = {0x00, 0x00, 0x00, 0x00};
    CameraState state;
    EXPECT_FALSE(readSites(foreign, image, state, nullptr).recognised);
    EXPECT_EQ(state.revision, kRevisionUnknown);
}

TEST(SignatureText, HexPairsOrWildcardsSeparatedByBlanks) {
    struct Row {
        const char* name;
        std::string_view text;
        bool wellFormed;
    };
    const Row rows[] = {
        {"pairs and a wildcard", "00 ?? C7 05", true},
        {"lower case and a tab", "c7\t0a", true},
        {"blanks around", "  FF  ", true},
        {"empty", "", false},
        {"only blanks", "   ", false},
        {"one digit", "0", false},
        {"three digits", "C70", false},
        {"pairs not separated", "C705", false},
        {"not hex", "G0", false},
        {"half a wildcard", "0?", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(isSignatureText(row.text), row.wellFormed);
        EXPECT_EQ(Signature::parse(row.text).has_value(), row.wellFormed);
    }
    static_assert(isSignatureText("00 ?? C7") && !isSignatureText("0"),
                  "the check can run when the tables are compiled");
}

TEST(RevisionTables, ReadingTakesTheLastSiteOfEachFieldAndTheTablesOwnValues) {
    const LayoutImage r0 = layoutImage(0);
    CameraState state0;
    readSites(kRevision0Table, r0.bytes, state0, nullptr);
    const CameraSettings& s = state0.settings;
    EXPECT_EQ(s.CTZoomMin, r0.storedAt(r0.matches[3] + 43));
    EXPECT_EQ(s.CTZoomMax, r0.storedAt(r0.matches[3] + 53));
    EXPECT_EQ(s.CTAngleDel, 90 - r0.storedAt(r0.matches[3] + 73));
    EXPECT_EQ(s.CTHeight, r0.storedAt(r0.matches[4] + 15));
    EXPECT_EQ(s.CTAngleDef, 90 - r0.storedAt(r0.matches[4] + 84));
    EXPECT_EQ(s.DZoomDef, r0.storedAt(r0.matches[5] + 10));
    EXPECT_EQ(s.DZoomMin, s.DZoomDef) << "the drive zoom limits follow the default";
    EXPECT_EQ(s.DZoomMax, s.DZoomDef);
    EXPECT_EQ(s.DAngleDef, 90 - r0.storedAt(r0.matches[6] + 80));

    const LayoutImage r1 = layoutImage(1);
    CameraState state1;
    state1.settings.CTAngleDel = 17;
    readSites(kRevision1Table, r1.bytes, state1, nullptr);
    const CameraSettings& d = state1.settings;
    EXPECT_EQ(d.CTZoomMin, 5.0f);
    EXPECT_EQ(d.CTHeight, r1.storedAt(r1.matches[2] + 166)) << "signature 3 is read last";
    EXPECT_EQ(d.CTAngleMin, 90 - r1.storedAt(r1.matches[2] + 50));
    EXPECT_EQ(d.DZoomMin, r1.storedAt(r1.matches[4] + 28));
    EXPECT_EQ(d.CTAngleDel, 17.0f) << "no site in revision 1";

    CameraState junk;
    EXPECT_FALSE(
        readSites(kRevision1Table, std::vector<std::uint8_t>(5000, 1), junk, nullptr).recognised);
    EXPECT_EQ(junk.settings.CTZoomMin, 5.0f) << "set before the first search";
}

TEST(RevisionTables, AMissingSignatureStopsTheTableAfterTheSitesBeforeIt) {
    for (const RevisionTable* table : kTables) {
        const std::size_t count = revisionLayout(table->revision).size();
        for (std::size_t missing = 0; missing < count; ++missing) {
            SCOPED_TRACE(::testing::Message()
                         << "revision " << table->revision << " signature " << missing + 1);
            std::vector<std::size_t> order(count);
            std::iota(order.begin(), order.end(), 0);
            order.erase(order.begin() + static_cast<long>(missing));
            const LayoutImage image = layoutImage(table->revision, order);
            CameraState state;
            state.revision = table->revision;
            const TableRun run = readSites(*table, image.bytes, state, nullptr);
            EXPECT_FALSE(run.recognised);
            EXPECT_EQ(state.revision, kRevisionUnknown);
            // Four zeros may be found again further on, so the table may get further before it
            // gives up; it never skips the sites before the missing signature.
            const std::vector<std::size_t> before = image.sitesBefore(missing);
            ASSERT_GE(run.sites.size(), before.size());
            EXPECT_TRUE(std::equal(before.begin(), before.end(), run.sites.begin()));
            EXPECT_EQ(state.settings.CTAngleMax, 0.0f) << "the end of the table was skipped";
        }
    }
}

TEST(RevisionTables, SignaturesOutOfOrderAreNotRecognised) {
    const LayoutImage swapped1 = layoutImage(1, {1, 0, 2, 3, 4});
    CameraState state;
    const TableRun run = readSites(kRevision1Table, swapped1.bytes, state, nullptr);
    EXPECT_FALSE(run.recognised);
    EXPECT_EQ(run.sites, swapped1.sites[0]);
    const LayoutImage swapped0 = layoutImage(0, {0, 1, 2, 3, 5, 4, 6});
    EXPECT_FALSE(readSites(kRevision0Table, swapped0.bytes, state, nullptr).recognised);
}

TEST(RevisionTables, ASitePastTheEndCountsAsAMissingSignature) {
    for (const RevisionTable* table : kTables) {
        const LayoutImage image = layoutImage(table->revision);
        const std::size_t siteCount = image.sitesBefore(image.sites.size()).size();
        const std::size_t lastSite = image.sites.back().back();
        for (std::size_t length : {lastSite, lastSite + 1, lastSite + 3, lastSite + 4}) {
            SCOPED_TRACE(::testing::Message() << "revision " << table->revision << " length "
                                              << length - lastSite << " past the last site");
            const std::vector<std::uint8_t> cut(image.bytes.begin(),
                                                image.bytes.begin() + static_cast<long>(length));
            CameraState state;
            const TableRun run = planEdits(*table, cut, state, nullptr);
            const bool whole = length == lastSite + 4;
            EXPECT_EQ(run.recognised, whole);
            EXPECT_EQ(run.sites.size(), whole ? siteCount : siteCount - 1);
            EXPECT_EQ(run.edits.size(), run.sites.size());
        }
    }
}

// The new bytes a writing pass recorded for one site; zeros when it recorded none there.
std::array<std::uint8_t, 4> editAt(const TableRun& run, std::size_t offset) {
    const auto it = std::find_if(run.edits.begin(), run.edits.end(),
                                 [&](const SiteEdit& e) { return e.offset == offset; });
    return it == run.edits.end() ? std::array<std::uint8_t, 4>{} : it->bytes;
}

TEST(RevisionTables, WritingRecordsEditsAtEverySiteAndLeavesTheImageAlone) {
    const LayoutImage image = layoutImage(1);
    CameraState state;
    state.settings.CTHeight = 1.5f;
    state.settings.CTAngleMin = 0;
    state.settings.CTAngleMax = 12;
    const std::vector<std::uint8_t> before = image.bytes;
    const TableRun run = planEdits(kRevision1Table, image.bytes, state, nullptr);
    ASSERT_TRUE(run.recognised);
    EXPECT_EQ(image.bytes, before);
    ASSERT_EQ(run.edits.size(), 19u);
    const std::array<std::uint8_t, 4> height = {0x00, 0x00, 0xC0, 0x3F};
    const std::array<std::uint8_t, 4> eightyNine = {0x00, 0x00, 0xB2, 0x42};
    EXPECT_EQ(editAt(run, image.matches[1] + 5), height) << "the wild bytes of signature 2";
    EXPECT_EQ(editAt(run, image.matches[2] + 166), height);
    EXPECT_EQ(editAt(run, image.matches[0] + 46), eightyNine);
    EXPECT_EQ(editAt(run, image.matches[2] + 50), eightyNine);
    EXPECT_EQ(state.settings.CTAngleMin, 0.0f);
    EXPECT_EQ(state.settings.CTAngleMax, 89.0f);

    std::vector<std::uint8_t> patched = image.bytes;
    applyEdits(patched, run.edits);
    CameraState reread;
    ASSERT_TRUE(readSites(kRevision1Table, patched, reread, nullptr).recognised);
    EXPECT_EQ(reread.settings.CTHeight, 1.5f);
    EXPECT_EQ(reread.settings.CTAngleMin, 1.0f) << "0 went in as 89";

    // Revision 0 writes the drive zoom default, and the limits follow it.
    const LayoutImage image0 = layoutImage(0);
    CameraState state0;
    state0.settings.DZoomDef = 4;
    state0.settings.DZoomMin = 2;
    state0.settings.DZoomMax = 9;
    const TableRun run0 = planEdits(kRevision0Table, image0.bytes, state0, nullptr);
    EXPECT_EQ(state0.settings.DZoomMin, 4.0f);
    EXPECT_EQ(state0.settings.DZoomMax, 4.0f);
    EXPECT_EQ(editAt(run0, image0.matches[5] + 10),
              (std::array<std::uint8_t, 4>{0x00, 0x00, 0x80, 0x40}));
}

}  // namespace
}  // namespace orvendel
