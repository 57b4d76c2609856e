// SPDX-License-Identifier: MIT
#include "patcher/patch_run.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "fault_injecting_file_system_ops.h"
#include "patcher/revision_table.h"
#include "patcher/table_run.h"
#include "platform/file_system_ops.h"
#include "platform/files.h"
#include "platform/scoped_file_system_ops.h"
#include "recording_progress.h"
#include "sample_builder.h"
#include "scripted_read_only_prompt.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Outcome = RunResult::Outcome;

constexpr std::size_t kSmall = 256 * 1024;

// Values that differ from the planted ones in every field that has a site.
CameraSettings editedValues() {
    CameraSettings s = kBiowareDefaults;
    s.CTAngleMin = 50, s.CTAngleDef = 45, s.CTAngleDel = 30, s.CTAngleIns = 80;
    s.CTZoomMin = 2, s.CTZoomMax = 35, s.CTZoomDef = 25, s.CTClipDist = 60, s.CTHeight = 1.5f;
    s.DAngleMin = 30, s.DAngleDef = 35, s.DAngleDel = 20, s.DAngleIns = 70;
    s.DZoomMin = 4, s.DZoomMax = 12, s.DZoomDef = 8, s.DClipDist = 70, s.DHeight = 2.5f;
    return s;
}

// True when every byte where the two equal-length images differ lies inside one of the sites.
bool changedOnlyAt(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                   const std::vector<std::size_t>& sites) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && std::none_of(sites.begin(), sites.end(), [i](std::size_t site) {
                return i >= site && i < site + 4;
            }))
            return false;
    }
    return true;
}

// A restore as the window and the command line start it, without their questions.
RunResult restore(const fs::path& exe, ProgressSink& progress) {
    const Result<RestorePlan> plan = planRestore(exe);
    if (!plan)
        return RunResult{Outcome::FileError, plan.message()};
    return restoreOriginal(*plan, progress);
}

struct Sample {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> sites;  // of the table that recognises it
};

// A revision 0 or 1 image, or for -1 one that neither table recognises.
Sample sample(int revision) {
    Sample s;
    if (revision < 0) {
        s.bytes.assign(kSmall, 0x5A);
        return s;
    }
    SampleBuilder builder(kSmall, 3);
    builder.plant(revision == 0 ? kRevision0Table : kRevision1Table, sampleValues());
    s.bytes = builder.build();
    s.sites = builder.sites()[0];
    return s;
}

// Both runs × image × revision on entry, against what a finished run must leave: the
// file and its original copy, the record, the snapshot and the progress shown; written values
// read back.
TEST(PatchRun, OutcomeTableOfBothRunsImageAndRevisionOnEntry) {
    struct Row {
        bool reading;  // a reading run, else a writing run
        int image;     // 0, 1, or -1 for an image of neither revision
        std::int16_t onEntry;
        std::int16_t revisionAfter;
    };
    // Revision 1 is recognised from any entry; revision 0 is not tried when the entry says 1.
    std::vector<Row> rows;
    for (const bool reading : {true, false}) {
        for (const int image : {0, 1, -1}) {
            for (const std::int16_t onEntry : {-1, 0, 1}) {
                const auto after =
                    static_cast<std::int16_t>(image == 0 && onEntry == 1 ? -1 : image);
                rows.push_back({reading, image, onEntry, after});
            }
        }
    }
    const Sample samples[] = {sample(-1), sample(0), sample(1)};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << (row.reading ? "read" : "write") << " image "
                                          << row.image << " entry " << row.onEntry);
        const Sample& s = samples[row.image + 1];
        TempDir dir;
        const fs::path exe = dir / "nwmain.exe";
        writeFixture(exe, s.bytes);
        CameraState state;
        state.settings = editedValues();
        state.undoSnapshot.CTHeight = 123;  // marks the snapshot of an earlier read
        state.revision = row.onEntry;
        // A reading run must set the flag either way, so it starts as the opposite.
        state.valuesChosen = !row.reading || row.revisionAfter == kRevisionUnknown;
        const CameraState before = state;
        RecordingProgress progress;
        const RunResult result =
            (row.reading ? readCameraValues : writeCameraValues)(exe, state, progress);

        EXPECT_EQ(state.revision, row.revisionAfter);
        EXPECT_EQ(state.valuesChosen, !row.reading || result.recognised());
        EXPECT_EQ(progress.statuses.front(), row.reading ? kStatusLoading : kStatusModifying);
        EXPECT_EQ(progress.statuses.back(), result.status);
        EXPECT_EQ(progress.maximum, static_cast<double>(kSmall));
        ASSERT_GE(progress.values.size(), 2u);
        EXPECT_EQ(progress.values[0], 0.0);
        EXPECT_EQ(progress.values[1], 1.0);
        EXPECT_EQ(progress.values.back() == progress.maximum, result.recognised());
        const std::vector<std::uint8_t> after = readFixture(exe);
        ASSERT_EQ(after.size(), s.bytes.size());
        if (row.revisionAfter == kRevisionUnknown) {
            EXPECT_EQ(result.outcome, Outcome::UnknownVersion);
            EXPECT_EQ(result.status, kStatusUnknownVersion);
            EXPECT_EQ(after, s.bytes);
            EXPECT_TRUE(sameBytes(state.undoSnapshot, before.undoSnapshot));
        } else if (row.reading) {
            EXPECT_EQ(result.outcome, Outcome::Loaded);
            EXPECT_EQ(after, s.bytes);
            EXPECT_TRUE(sameBytes(state.undoSnapshot, state.settings));
            EXPECT_EQ(state.settings.CTAngleMin, kBiowareDefaults.CTAngleMin);
        } else {
            EXPECT_EQ(result.outcome, Outcome::Modified);
            EXPECT_EQ(result.status, kStatusModified);
            EXPECT_NE(after, s.bytes);
            EXPECT_TRUE(changedOnlyAt(s.bytes, after, s.sites));
            EXPECT_TRUE(sameBytes(state.undoSnapshot, before.undoSnapshot));
            EXPECT_EQ(state.settings.CTAngleMax, 89.0f);
            CameraState reread;
            ASSERT_EQ(readCameraValues(exe, reread, progress).outcome, Outcome::Loaded);
            EXPECT_EQ(reread.settings.CTHeight, 1.5f);
            EXPECT_EQ(reread.settings.DAngleMin, 30.0f);
            EXPECT_EQ(reread.settings.CTAngleDef, 45.0f);
            EXPECT_EQ(reread.settings.DZoomDef, 8.0f);
            EXPECT_EQ(readFixture(dir / "nwmain.exe.orvendel-original"), s.bytes);
        }
        EXPECT_EQ(dir.entries().size(), !row.reading && result.recognised() ? 2u : 1u);
        if (!row.reading && row.revisionAfter == kRevisionUnknown) {
            // Only the tables' own adjustments may have touched the record.
            CameraSettings expected = before.settings;
            expected.CTZoomMin = 5;  // the revision 1 table ran in every such row
            EXPECT_TRUE(sameBytes(state.settings, expected));
        }
    }
}

// Revision 0's first signatures, then a whole revision 1 executable whose viewing distance and
// default zoom sites each follow two zero bytes. With three, revision 0 finds sites, gives up at
// the fourth, and only revision 1's sites are written. With six, storing 45 (00 00 34 42) and 10
// (00 00 20 41) there makes two "00 00 00 00", revision 0's last signature: every later run
// would take the file for revision 0, so the write is refused. That run tries revision 1 only;
// the check tries both, as a fresh run would.
TEST(PatchRun, ATableThatGaveUpLeavesNoStrayValuesAndAWriteThatMakesTheOtherRevisionIsRefused) {
    CameraSettings planted = sampleValues();
    planted.CTClipDist = 33.3f;  // 33 33 05 42 and CD CC 44 41: no zero bytes yet
    planted.CTZoomDef = 12.3f;
    const struct {
        std::size_t revision0Signatures;
        std::int16_t onEntry;
        Outcome outcome;
    } rows[] = {{3, kRevisionUnknown, Outcome::Modified}, {6, 1, Outcome::WouldBeUnrecognisable}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.revision0Signatures);
        SampleBuilder builder(4096, 5);
        builder.plant(kRevision0Table, planted, row.revision0Signatures)
            .plant(kRevision1Table, planted);
        std::vector<std::uint8_t> original = builder.build();
        const std::vector<std::size_t>& sites = builder.sites()[1];
        for (const std::size_t site : {sites[3], sites[4]}) {  // CTClipDist, CTZoomDef
            original[site - 2] = original[site - 1] = 0;
        }
        CameraState probe;
        ASSERT_FALSE(readSites(kRevision0Table, original, probe, nullptr).recognised);
        TempDir dir;
        const fs::path exe = dir / "nwmain.exe";
        writeFixture(exe, original);
        CameraState state;
        state.settings = editedValues();  // differs from the planted values at every site
        state.settings.CTClipDist = 45;
        state.settings.CTZoomDef = 10;
        state.revision = row.onEntry;
        state.valuesChosen = true;
        RecordingProgress progress;
        const RunResult result = writeCameraValues(exe, state, progress);
        EXPECT_EQ(result.outcome, row.outcome) << result.status;
        EXPECT_EQ(state.revision, 1);
        const std::vector<std::uint8_t> after = readFixture(exe);
        EXPECT_TRUE(changedOnlyAt(original, after, sites));
        EXPECT_EQ(after == original, row.outcome != Outcome::Modified);
        EXPECT_EQ(dir.entries().size(), row.outcome == Outcome::Modified ? 2u : 1u);
    }
}

// The revision 1 sample as nwmain.exe in a fresh folder, and a chosen record of other values.
class RunOnSample : public ::testing::Test {
protected:
    RunOnSample() {
        writeFixture(exe, s.bytes);
        state.settings = editedValues();
        state.valuesChosen = true;
    }
    // Writes the record once, so that the kept copy holds the sample; gives the new bytes.
    std::vector<std::uint8_t> writtenOnce() {
        EXPECT_EQ(writeCameraValues(exe, state, progress).outcome, Outcome::Modified);
        return readFixture(exe);
    }
    // Makes the sample read-only the portable way: no write bits on POSIX,
    // FILE_ATTRIBUTE_READONLY on Windows.
    void makeReadOnly() {
        fs::permissions(exe,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    bool isReadOnly() {
        bool readOnly = false;
        EXPECT_TRUE(readOnlyAttribute(exe, readOnly).ok());
        return readOnly;
    }

    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    const fs::path copy = dir / "nwmain.exe.orvendel-original";
    const Sample s = sample(1);
    CameraState state;
    RecordingProgress progress;
};

using WritingRun = RunOnSample;

TEST_F(WritingRun, RefusesARecordNobodyChoseAndTouchesNothing) {
    state.valuesChosen = false;
    EXPECT_EQ(writeCameraValues(exe, state, progress).outcome, Outcome::NothingToWrite);
    EXPECT_EQ(progress.statuses.back(), kStatusNothingToWrite);
    EXPECT_EQ(readFixture(exe), s.bytes);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
}

// A file with a second name is written only after a Yes; the other name keeps the old bytes,
// and after that write this name is the only one, so the next write asks nothing. The original
// is kept once: the later write leaves the copy alone.
TEST_F(WritingRun, AsksAboutOtherNamesAndReplacesOnlyThisOneAfterAYes) {
    fs::create_hard_link(exe, dir / "linked.exe");
    ScriptedReadOnlyPrompt no(false);
    EXPECT_EQ(writeAfterQuestions(exe, state, progress, no).outcome, Outcome::Refused);
    EXPECT_EQ(no.linkQuestions, 1);
    EXPECT_EQ(no.lastOtherNames, 1u);
    EXPECT_TRUE(progress.statuses.empty()) << "no run took place";
    EXPECT_EQ(readFixture(exe), s.bytes);

    ScriptedReadOnlyPrompt yes(true);
    for (const float height : {1.5f, 2.5f}) {
        state.settings.CTHeight = height;
        ASSERT_EQ(writeAfterQuestions(exe, state, progress, yes).outcome, Outcome::Modified);
        EXPECT_TRUE(changedOnlyAt(s.bytes, readFixture(exe), s.sites));
        EXPECT_EQ(readFixture(dir / "linked.exe"), s.bytes);
        EXPECT_EQ(readFixture(copy), s.bytes);
    }
    EXPECT_EQ(yes.linkQuestions, 1);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"linked.exe", "nwmain.exe",
                                                       "nwmain.exe.orvendel-original"}));
}

TEST_F(WritingRun, AStaleTemporaryFileThatStaysIsReportedAndTheRunGoesOn) {
    const fs::path stale = dir / ".nwmain.exe.orvendel-tmp-a1B2c3";
    writeFixture(stale, std::vector<std::uint8_t>{1, 2, 3});
    FaultInjectingFileSystemOps ops(FaultInjectingFileSystemOps::Step::RemoveIfUnused, 1,
                                    std::make_error_code(std::errc::permission_denied));
    ScopedFileSystemOps scope(ops);
    const RunResult result = writeCameraValues(exe, state, progress);
    EXPECT_EQ(result.outcome, Outcome::Modified);
    EXPECT_EQ(result.cleanUp.message(), "Cannot remove the stale temporary file \"" +
                                            stale.string() + "\": Permission denied.");
    EXPECT_TRUE(fs::exists(stale));
}

using Restore = RunOnSample;

TEST_F(Restore, WithoutAKeptCopyIsAFailureNamingTheCopy) {
    const RunResult none = restore(exe, progress);
    EXPECT_EQ(none.outcome, Outcome::FileError);
    EXPECT_NE(none.status.find(quoted(copy)), std::string::npos) << none.status;
}

// The copy's bytes go into the file of this name, so its other names keep the written bytes.
TEST_F(Restore, PutsTheOriginalBackUnderThisNameKeepsTheCopyAndLeavesOtherNamesAlone) {
    const std::vector<std::uint8_t> edited = writtenOnce();
    fs::create_hard_link(exe, dir / "linked.exe");
    const RunResult restored = restore(exe, progress);
    EXPECT_EQ(restored.outcome, Outcome::Restored) << restored.status;
    EXPECT_EQ(progress.statuses.back(), kStatusRestored);
    EXPECT_EQ(readFixture(exe), s.bytes);
    EXPECT_EQ(readFixture(copy), s.bytes);
    EXPECT_EQ(readFixture(dir / "linked.exe"), edited) << "the file was written into, not replaced";
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"linked.exe", "nwmain.exe",
                                                       "nwmain.exe.orvendel-original"}));
}

TEST_F(Restore, LeavesAnExecutableThatChangedAfterItWasExamined) {
    std::vector<std::uint8_t> changed = writtenOnce();
    const Result<RestorePlan> plan = planRestore(exe);
    ASSERT_TRUE(plan.ok()) << plan.message();
    changed[0] ^= 0xFF;  // the same length: only the bytes tell
    writeFixture(exe, changed);
    const RunResult result = restoreOriginal(*plan, progress);
    EXPECT_EQ(result.outcome, Outcome::FileError);
    EXPECT_EQ(result.status, changedWhileWriting(exe).message());
    EXPECT_EQ(readFixture(exe), changed);
}

using ReadOnly = RunOnSample;

TEST_F(ReadOnly, ANoDeclinesWithoutAFailureAndNoRunTakesPlace) {
    makeReadOnly();
    ScriptedReadOnlyPrompt no(false);
    const Result<RunConsent> declined = clearReadOnlyIfAgreed(exe, no);
    ASSERT_TRUE(declined.ok()) << "a No is no failure: " << declined.message();
    EXPECT_EQ(*declined, RunConsent::Declined);
    EXPECT_EQ(no.questions, 1);
    EXPECT_EQ(writeAfterQuestions(exe, state, progress, no).outcome, Outcome::Refused);
    EXPECT_TRUE(progress.statuses.empty()) << "no run took place";
    EXPECT_TRUE(isReadOnly());
    EXPECT_EQ(readFixture(exe), s.bytes);
}

TEST_F(ReadOnly, AWritingRunNeverGetsRoundIt) {
    makeReadOnly();
    const RunResult direct = writeCameraValues(exe, state, progress);
    EXPECT_EQ(direct.outcome, Outcome::FileError) << "a rename must not get round read-only";
    EXPECT_NE(direct.status.find("read-only"), std::string::npos);
    EXPECT_EQ(readFixture(exe), s.bytes);
}

TEST_F(ReadOnly, AClearThatFailsIsReportedOnceAndDeclines) {
    makeReadOnly();
    ScriptedReadOnlyPrompt yes(true);
    FaultInjectingFileSystemOps ops(FaultInjectingFileSystemOps::Step::ClearReadOnly, 1,
                                    std::make_error_code(std::errc::operation_not_permitted));
    ScopedFileSystemOps scope(ops);
    const Result<RunConsent> notCleared = clearReadOnlyIfAgreed(exe, yes);
    EXPECT_EQ(yes.failureReports, 1);
    ASSERT_TRUE(notCleared.ok()) << "already reported: " << notCleared.message();
    EXPECT_EQ(*notCleared, RunConsent::Declined);
}

TEST_F(ReadOnly, AYesClearsItAndAWritableFileIsNotAskedAbout) {
    makeReadOnly();
    ScriptedReadOnlyPrompt yes(true);
    EXPECT_TRUE(clearReadOnlyIfAgreed(exe, yes) == RunConsent::Given);
    EXPECT_FALSE(isReadOnly());
    EXPECT_TRUE(clearReadOnlyIfAgreed(exe, yes) == RunConsent::Given);
    EXPECT_EQ(yes.questions, 1);
}

TEST_F(ReadOnly, AMissingFileIsAFailureNamingItAndNothingIsAsked) {
    ScriptedReadOnlyPrompt yes(true);
    const Result<RunConsent> gone = clearReadOnlyIfAgreed(dir / "gone.exe", yes);
    EXPECT_FALSE(gone.ok());
    EXPECT_EQ(yes.questions, 0);
    EXPECT_NE(gone.message().find("gone.exe"), std::string::npos);
    const RunResult missing = writeAfterQuestions(dir / "gone.exe", state, progress, yes);
    EXPECT_EQ(missing.outcome, Outcome::FileError);
    EXPECT_EQ(missing.status, gone.message());
}

}  // namespace
}  // namespace orvendel
