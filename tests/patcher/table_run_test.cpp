// Both revision tables on small hand-built images: every signature placed at a known offset,
// every site holding a distinct stored value.
#include "patcher/table_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

#include "patcher/signature.h"
#include "patcher/transfers.h"
#include "recording_progress.h"

namespace orvendel {
namespace {

// Offsets of the sites from the first byte of each signature's (last) match.
const std::vector<std::vector<std::size_t>> kRevision0At = {
    {5, 12, 29},      {1, 11, 21},     {15, 66, 80}, {12, 19, 33, 43, 53, 63, 73},
    {15, 66, 77, 84}, {5, 10, 38, 48}, {15, 66, 80},
};
const std::vector<std::vector<std::size_t>> kRevision1At = {
    {20, 46}, {5, 55, 66, 73}, {24, 50, 166, 216, 227, 234}, {21, 47, 162, 212, 223, 230}, {28},
};

constexpr std::uint8_t kFiller = 0xEE;

struct HandImage {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> matches;             // per signature, in table order
    std::vector<std::vector<std::size_t>> sites;  // per signature, in table order
    std::vector<std::size_t> allSites() const {
        std::vector<std::size_t> all;
        for (const auto& s : sites)
            all.insert(all.end(), s.begin(), s.end());
        return all;
    }
    float storedAt(std::size_t site) const {
        std::size_t p = site;
        return readSingle(bytes, p);
    }
};

// Places the table's signatures in `order` (indexes into the table), 1000 bytes apart, with
// the stored value 10, 11, 12, ... at the sites in placement order.
HandImage handBuilt(const RevisionTable& table, const std::vector<std::vector<std::size_t>>& at,
                    std::vector<std::size_t> order = {}) {
    if (order.empty()) {
        order.resize(table.signatures.size());
        std::iota(order.begin(), order.end(), 0);
    }
    HandImage image;
    image.bytes.assign(1000 * order.size() + 400, kFiller);
    image.matches.resize(table.signatures.size());
    image.sites.resize(table.signatures.size());
    float value = 10;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::size_t index = order[k];
        const SignatureStep& step = table.signatures[index];
        const Signature sig = *Signature::parse(step.bytes);
        const std::size_t base = 100 + 1000 * k;
        for (std::size_t copy = 0; copy < step.searches; ++copy) {
            for (std::size_t i = 0; i < sig.size(); ++i) {
                if (!sig.wild[i])
                    image.bytes[base + 4 * copy + i] = sig.pattern[i];
            }
        }
        const std::size_t match = base + 4 * (step.searches - 1u);
        image.matches[index] = match;
        for (std::size_t offset : at[index]) {
            std::size_t p = match + offset;
            image.sites[index].push_back(p);
            writeSingle(image.bytes, p, value++);
        }
    }
    return image;
}

TEST(RevisionTables, RecogniseTheirSignaturesAndVisitEverySiteAtItsOffset) {
    for (const auto& [table, at] :
         {std::pair{&kRevision0Table, kRevision0At}, std::pair{&kRevision1Table, kRevision1At}}) {
        const HandImage image = handBuilt(*table, at);
        CameraState state;
        const TableRun run = runRevisionTable(*table, true, image.bytes, state, nullptr);
        EXPECT_TRUE(run.recognised) << "revision " << table->revision;
        EXPECT_EQ(run.sites, image.allSites()) << "revision " << table->revision;
        EXPECT_EQ(state.ExecutableRevision, table->revision);
        EXPECT_EQ(state.settings.CTAngleMax, 89.0f);
        EXPECT_EQ(state.settings.DAngleMax, 89.0f);
        EXPECT_TRUE(run.edits.empty());
    }
}

TEST(RevisionTables, Revision0ReadsTheLastSiteOfEachFieldAndDerivesTheDriveZoomLimits) {
    const HandImage image = handBuilt(kRevision0Table, kRevision0At);
    CameraState state;
    runRevisionTable(kRevision0Table, true, image.bytes, state, nullptr);
    const CameraSettings& s = state.settings;
    EXPECT_EQ(s.CTZoomMin, image.storedAt(image.matches[3] + 43));
    EXPECT_EQ(s.CTZoomMax, image.storedAt(image.matches[3] + 53));
    EXPECT_EQ(s.CTAngleDel, 90 - image.storedAt(image.matches[3] + 73));
    EXPECT_EQ(s.CTHeight, image.storedAt(image.matches[4] + 15));
    EXPECT_EQ(s.CTAngleDef, 90 - image.storedAt(image.matches[4] + 84));
    EXPECT_EQ(s.DZoomDef, image.storedAt(image.matches[5] + 10));
    EXPECT_EQ(s.DZoomMin, s.DZoomDef);
    EXPECT_EQ(s.DZoomMax, s.DZoomDef);
    EXPECT_EQ(s.DAngleDef, 90 - image.storedAt(image.matches[6] + 80));
}

TEST(RevisionTables, Revision1SetsTheChaseMinimumZoomAndReadsSignature3Last) {
    const HandImage image = handBuilt(kRevision1Table, kRevision1At);
    CameraState state;
    state.settings.CTAngleDel = 17;
    runRevisionTable(kRevision1Table, true, image.bytes, state, nullptr);
    const CameraSettings& s = state.settings;
    EXPECT_EQ(s.CTZoomMin, 5.0f);
    EXPECT_EQ(s.CTHeight, image.storedAt(image.matches[2] + 166));
    EXPECT_EQ(s.CTAngleMin, 90 - image.storedAt(image.matches[2] + 50));
    EXPECT_EQ(s.DZoomMin, image.storedAt(image.matches[4] + 28));
    EXPECT_EQ(s.CTAngleDel, 17.0f) << "no site in revision 1";

    CameraState junk;
    EXPECT_FALSE(
        runRevisionTable(kRevision1Table, true, std::vector<std::uint8_t>(5000, 1), junk, nullptr)
            .recognised);
    EXPECT_EQ(junk.settings.CTZoomMin, 5.0f) << "set before the first search";
}

TEST(RevisionTables, AMissingSignatureStopsTheTableAfterTheSitesBeforeIt) {
    for (const auto& [table, at] :
         {std::pair{&kRevision0Table, kRevision0At}, std::pair{&kRevision1Table, kRevision1At}}) {
        for (std::size_t missing = 0; missing < at.size(); ++missing) {
            HandImage image = handBuilt(*table, at);
            const Signature sig = *Signature::parse(table->signatures[missing].bytes);
            const std::size_t first =
                image.matches[missing] - 4 * (table->signatures[missing].searches - 1u);
            for (std::size_t i = 0; i < sig.size() + 4 * (table->signatures[missing].searches - 1u);
                 ++i) {
                if (i >= sig.size() || !sig.wild[i])
                    image.bytes[first + i] = kFiller;
            }
            CameraState state;
            state.ExecutableRevision = table->revision;
            const TableRun run = runRevisionTable(*table, true, image.bytes, state, nullptr);
            EXPECT_FALSE(run.recognised) << "revision " << table->revision << " sig " << missing;
            EXPECT_EQ(state.ExecutableRevision, kRevisionUnknown);
            std::vector<std::size_t> before;
            for (std::size_t k = 0; k < missing; ++k) {
                before.insert(before.end(), image.sites[k].begin(), image.sites[k].end());
            }
            // A missing run of four zeros is found again at a later one, so the table may
            // get further before it gives up; it never gets back to the missing place.
            ASSERT_GE(run.sites.size(), before.size());
            EXPECT_TRUE(std::equal(before.begin(), before.end(), run.sites.begin()))
                << "revision " << table->revision << " sig " << missing;
            EXPECT_EQ(state.settings.CTAngleMax, 0.0f) << "the end of the table was skipped";
        }
    }
}

TEST(RevisionTables, SignaturesOutOfOrderAreNotRecognised) {
    const HandImage swapped = handBuilt(kRevision1Table, kRevision1At, {1, 0, 2, 3, 4});
    CameraState state;
    const TableRun run = runRevisionTable(kRevision1Table, true, swapped.bytes, state, nullptr);
    EXPECT_FALSE(run.recognised);
    EXPECT_EQ(run.sites, swapped.sites[0]);

    const HandImage swapped0 = handBuilt(kRevision0Table, kRevision0At, {0, 1, 2, 3, 5, 4, 6});
    EXPECT_FALSE(
        runRevisionTable(kRevision0Table, true, swapped0.bytes, state, nullptr).recognised);
}

TEST(RevisionTables, ASitePastTheEndCountsAsAMissingSignature) {
    for (const auto& [table, at] :
         {std::pair{&kRevision0Table, kRevision0At}, std::pair{&kRevision1Table, kRevision1At}}) {
        HandImage image = handBuilt(*table, at);
        const std::size_t lastSite = image.sites.back().back();
        for (std::size_t cut : {lastSite, lastSite + 1, lastSite + 3}) {
            std::vector<std::uint8_t> truncated(image.bytes.begin(),
                                                image.bytes.begin() + static_cast<long>(cut));
            CameraState state;
            const TableRun run = runRevisionTable(*table, false, truncated, state, nullptr);
            EXPECT_FALSE(run.recognised) << "cut at " << cut;
            EXPECT_EQ(run.sites.size(), image.allSites().size() - 1);
            EXPECT_EQ(run.edits.size(), run.sites.size());
        }
        std::vector<std::uint8_t> exact(image.bytes.begin(),
                                        image.bytes.begin() + static_cast<long>(lastSite + 4));
        CameraState state;
        EXPECT_TRUE(runRevisionTable(*table, true, exact, state, nullptr).recognised)
            << "a site ending on the last byte is inside";
    }
}

TEST(RevisionTables, ProgressIsOneThenTheCursorAfterEachTransfer) {
    const HandImage image = handBuilt(kRevision0Table, kRevision0At);
    RecordingProgress progress;
    CameraState state;
    runRevisionTable(kRevision0Table, true, image.bytes, state, &progress);
    ASSERT_FALSE(progress.values.empty());
    EXPECT_EQ(progress.values.front(), 1.0);
    std::vector<double> transfers;
    for (std::size_t i = 1; i < progress.values.size(); ++i) {
        if (static_cast<long>(progress.values[i]) % 1000 != 0)
            transfers.push_back(progress.values[i]);
    }
    // 1-based cursor after each value; two transfers take part of the next advance first.
    std::vector<double> expected;
    for (std::size_t sig = 0; sig < kRevision0At.size(); ++sig) {
        for (std::size_t step = 0; step < kRevision0At[sig].size(); ++step) {
            std::size_t lead = 0;
            if (sig == 1 && step == 0)
                lead = 2;
            if (sig == 3 && step == 0)
                lead = 1;
            expected.push_back(
                static_cast<double>(image.matches[sig] + kRevision0At[sig][step] + 4 + lead + 1));
        }
    }
    EXPECT_EQ(transfers, expected);
}

TEST(RevisionTables, WritingRecordsEditsAtEverySiteAndLeavesTheImageAlone) {
    const HandImage image = handBuilt(kRevision1Table, kRevision1At);
    CameraState state;
    state.settings.CTHeight = 1.5f;
    state.settings.CTAngleMin = 0;
    state.settings.CTAngleMax = 12;
    const std::vector<std::uint8_t> before = image.bytes;
    const TableRun run = runRevisionTable(kRevision1Table, false, image.bytes, state, nullptr);
    ASSERT_TRUE(run.recognised);
    EXPECT_EQ(image.bytes, before);
    ASSERT_EQ(run.edits.size(), 19u);
    auto editAt = [&](std::size_t offset) {
        const auto it = std::find_if(run.edits.begin(), run.edits.end(),
                                     [&](const SiteEdit& e) { return e.offset == offset; });
        return it == run.edits.end() ? std::array<std::uint8_t, 4>{} : it->bytes;
    };
    const std::array<std::uint8_t, 4> height = {0x00, 0x00, 0xC0, 0x3F};
    const std::array<std::uint8_t, 4> eightyNine = {0x00, 0x00, 0xB2, 0x42};
    EXPECT_EQ(editAt(image.matches[1] + 5), height) << "the wild bytes of signature 2";
    EXPECT_EQ(editAt(image.matches[2] + 166), height);
    EXPECT_EQ(editAt(image.matches[0] + 46), eightyNine);
    EXPECT_EQ(editAt(image.matches[2] + 50), eightyNine);
    EXPECT_EQ(state.settings.CTAngleMin, 0.0f);
    EXPECT_EQ(state.settings.CTAngleMax, 89.0f);
    EXPECT_EQ(state.settings.CTZoomMin, 5.0f);

    std::vector<std::uint8_t> patched = image.bytes;
    applyEdits(patched, run.edits);
    CameraState reread;
    ASSERT_TRUE(runRevisionTable(kRevision1Table, true, patched, reread, nullptr).recognised);
    EXPECT_EQ(reread.settings.CTHeight, 1.5f);
    EXPECT_EQ(reread.settings.CTAngleMin, 1.0f) << "0 went in as 89";
}

TEST(RevisionTables, Revision0WritingMakesTheDriveZoomLimitsFollowTheDefault) {
    const HandImage image = handBuilt(kRevision0Table, kRevision0At);
    CameraState state;
    state.settings.DZoomDef = 4;
    state.settings.DZoomMin = 2;
    state.settings.DZoomMax = 9;
    const TableRun run = runRevisionTable(kRevision0Table, false, image.bytes, state, nullptr);
    ASSERT_TRUE(run.recognised);
    EXPECT_EQ(state.settings.DZoomMin, 4.0f);
    EXPECT_EQ(state.settings.DZoomMax, 4.0f);
    const auto it = std::find_if(run.edits.begin(), run.edits.end(), [&](const SiteEdit& e) {
        return e.offset == image.matches[5] + 10;
    });
    ASSERT_NE(it, run.edits.end());
    EXPECT_EQ(it->bytes, (std::array<std::uint8_t, 4>{0x00, 0x00, 0x80, 0x40}));
}

}  // namespace
}  // namespace orvendel
