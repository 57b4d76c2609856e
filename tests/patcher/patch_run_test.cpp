#include "patcher/patch_run.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "fault_injecting_file_system_ops.h"
#include "patcher/revision_table.h"
#include "platform/file_system_ops.h"
#include "platform/files.h"
#include "recording_progress.h"
#include "sample_builder.h"
#include "scripted_read_only_prompt.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Outcome = RunResult::Outcome;
using Step = FaultInjectingFileSystemOps::Step;

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

// Offsets where two equal-length files differ.
std::vector<std::size_t> differences(const std::vector<std::uint8_t>& a,
                                     const std::vector<std::uint8_t>& b) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            out.push_back(i);
    }
    return out;
}

bool insideSites(const std::vector<std::size_t>& offsets, const std::vector<std::size_t>& sites) {
    for (std::size_t offset : offsets) {
        bool inside = false;
        for (std::size_t site : sites)
            inside = inside || (offset >= site && offset < site + 4);
        if (!inside)
            return false;
    }
    return true;
}

// Read-only the portable way: no write bits on POSIX, FILE_ATTRIBUTE_READONLY on Windows.
void makeReadOnly(const fs::path& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

struct Sample {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> sites;  // of the table that recognises it
};

Sample sample(int revision, std::size_t size = kSmall, std::uint64_t seed = 3) {
    SampleBuilder builder(size, seed);
    builder.plant(revision == 0 ? kRevision0Table : kRevision1Table, sampleValues());
    Sample s;
    s.bytes = builder.build();
    s.sites = builder.sites()[0];
    return s;
}

TEST(PatchRun, ReadingASampleOfRealisticSizeLoadsTheValuesAndTakesTheSnapshot) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    writeFixture(exe, sample(1, kSampleSize).bytes);
    CameraState state;
    RecordingProgress progress;
    const RunResult result = modFile(exe, true, state, progress);
    EXPECT_EQ(result.outcome, Outcome::Loaded);
    EXPECT_EQ(result.status, kStatusLoaded);
    EXPECT_EQ(progress.statuses,
              (std::vector<std::string>{std::string(kStatusLoading), std::string(kStatusLoaded)}));
    EXPECT_EQ(progress.minimum, 0.0);
    EXPECT_EQ(progress.maximum, static_cast<double>(kSampleSize));
    ASSERT_GE(progress.values.size(), 3u);
    EXPECT_EQ(progress.values[0], 0.0);
    EXPECT_EQ(progress.values[1], 1.0);
    EXPECT_EQ(progress.values.back(), progress.maximum);
    EXPECT_EQ(state.ExecutableRevision, 1);
    EXPECT_EQ(state.settings.CTHeight, kBiowareDefaults.CTHeight);
    EXPECT_EQ(state.settings.DAngleMin, kBiowareDefaults.DAngleMin);
    EXPECT_EQ(state.settings.CTZoomMin, 5.0f);
    EXPECT_TRUE(sameBytes(state.settings, state.UndoSnapshot));
}

// Every run kind × image × revision on entry, against what a finished run must leave.
struct OutcomeCase {
    bool forReading;
    int image;  // 0, 1, or -1 for an image of neither revision
    std::int16_t onEntry;
    std::int16_t revisionAfter;
};

class OutcomeTable : public ::testing::TestWithParam<OutcomeCase> {};

TEST_P(OutcomeTable, LeavesFileRecordAndSnapshotAsTheRunKindAndRecognitionSay) {
    const OutcomeCase c = GetParam();
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    Sample s;
    if (c.image >= 0) {
        s = sample(c.image);
    } else {
        s.bytes.assign(kSmall, 0x5A);
    }
    writeFixture(exe, s.bytes);

    CameraState state;
    state.settings = editedValues();
    state.UndoSnapshot.CTHeight = 123;  // marks the snapshot of an earlier read
    state.ExecutableRevision = c.onEntry;
    const CameraState before = state;
    RecordingProgress progress;
    const RunResult result = modFile(exe, c.forReading, state, progress);

    EXPECT_EQ(state.ExecutableRevision, c.revisionAfter);
    const bool recognised = c.revisionAfter != kRevisionUnknown;
    const std::vector<std::uint8_t> after = readFixture(exe);
    ASSERT_EQ(after.size(), s.bytes.size());
    if (!recognised) {
        EXPECT_EQ(result.outcome, Outcome::UnknownVersion);
        EXPECT_EQ(result.status, kStatusUnknownVersion);
        EXPECT_EQ(after, s.bytes);
        EXPECT_TRUE(sameBytes(state.UndoSnapshot, before.UndoSnapshot));
    } else if (c.forReading) {
        EXPECT_EQ(result.outcome, Outcome::Loaded);
        EXPECT_EQ(after, s.bytes);
        EXPECT_TRUE(sameBytes(state.UndoSnapshot, state.settings));
        EXPECT_EQ(state.settings.CTAngleMin, kBiowareDefaults.CTAngleMin);
    } else {
        EXPECT_EQ(result.outcome, Outcome::Modified);
        EXPECT_EQ(result.status, kStatusModified);
        const auto changed = differences(s.bytes, after);
        EXPECT_FALSE(changed.empty());
        EXPECT_TRUE(insideSites(changed, s.sites));
        EXPECT_TRUE(sameBytes(state.UndoSnapshot, before.UndoSnapshot));
        EXPECT_EQ(state.settings.CTAngleMax, 89.0f);
    }
    if (!c.forReading && !recognised) {
        // Only the tables' own adjustments may have touched the record.
        CameraSettings expected = before.settings;
        if (c.image == -1 || c.onEntry == 1)
            expected.CTZoomMin = 5;  // revision 1 table ran
        EXPECT_TRUE(sameBytes(state.settings, expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    ReadAndWrite, OutcomeTable,
    ::testing::Values(OutcomeCase{true, 0, -1, 0}, OutcomeCase{true, 0, 0, 0},
                      OutcomeCase{true, 0, 1, -1}, OutcomeCase{true, 1, -1, 1},
                      OutcomeCase{true, 1, 0, 1}, OutcomeCase{true, 1, 1, 1},
                      OutcomeCase{true, -1, -1, -1}, OutcomeCase{true, -1, 0, -1},
                      OutcomeCase{true, -1, 1, -1}, OutcomeCase{false, 0, -1, 0},
                      OutcomeCase{false, 0, 0, 0}, OutcomeCase{false, 0, 1, -1},
                      OutcomeCase{false, 1, -1, 1}, OutcomeCase{false, 1, 0, 1},
                      OutcomeCase{false, 1, 1, 1}, OutcomeCase{false, -1, -1, -1},
                      OutcomeCase{false, -1, 0, -1}, OutcomeCase{false, -1, 1, -1}));

TEST(PatchRun, WrittenValuesReadBackAndTheLengthIsKept) {
    for (int revision : {0, 1}) {
        TempDir dir;
        const fs::path exe = dir / "nwmain.exe";
        writeFixture(exe, sample(revision).bytes);
        CameraState state;
        RecordingProgress progress;
        ASSERT_EQ(modFile(exe, true, state, progress).outcome, Outcome::Loaded);
        state.settings = editedValues();
        ASSERT_EQ(modFile(exe, false, state, progress).outcome, Outcome::Modified);
        EXPECT_EQ(fs::file_size(exe), kSmall);
        CameraState reread;
        ASSERT_EQ(modFile(exe, true, reread, progress).outcome, Outcome::Loaded);
        EXPECT_EQ(reread.settings.CTHeight, 1.5f) << revision;
        EXPECT_EQ(reread.settings.DAngleMin, 30.0f) << revision;
        EXPECT_EQ(reread.settings.CTAngleDef, 45.0f) << revision;
        EXPECT_EQ(reread.settings.DZoomDef, 8.0f) << revision;
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
    }
}

TEST(PatchRun, WriteThatWouldBreakASignatureIsRefusedAndWritesNothing) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    const Sample s = sample(0);
    writeFixture(exe, s.bytes);
    CameraState state;
    state.ExecutableRevision = 0;
    state.settings = editedValues();
    state.settings.DAngleMin = 33.3f;  // 56.7 has non-zero low bytes where signature 6 wants 00 00
    RecordingProgress progress;
    const RunResult result = modFile(exe, false, state, progress);
    EXPECT_EQ(result.outcome, Outcome::WouldBeUnrecognisable);
    EXPECT_EQ(result.status, kStatusWouldBeUnrecognisable);
    EXPECT_EQ(progress.statuses.back(), kStatusWouldBeUnrecognisable);
    EXPECT_EQ(readFixture(exe), s.bytes);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
}

TEST(PatchRun, ATableThatGaveUpLeavesNoStrayValuesWhenTheOtherRecognises) {
    // The first three revision 0 signatures, then a whole revision 1 executable: revision 0
    // finds sites, gives up at signature 4, and revision 1 recognises the image.
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    SampleBuilder builder(kSmall, 11);
    builder.plant(kRevision0Table, sampleValues(), 3).plant(kRevision1Table, sampleValues());
    const std::vector<std::uint8_t> original = builder.build();
    writeFixture(exe, original);

    CameraState state;
    state.settings = editedValues();
    RecordingProgress progress;
    ASSERT_EQ(modFile(exe, false, state, progress).outcome, Outcome::Modified);
    const auto changed = differences(original, readFixture(exe));
    EXPECT_TRUE(insideSites(changed, builder.sites()[1]));
    for (std::size_t site : builder.sites()[0]) {
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(readFixture(exe)[site + i], original[site + i]);
    }
    EXPECT_EQ(state.ExecutableRevision, 1);
}

TEST(PatchRun, FileErrorsNameTheFileAndChangeNothing) {
    TempDir dir;
    writeFixture(dir / "empty.exe", {});
    fs::create_directory(dir / "folder.exe");
    for (const char* name : {"missing.exe", "empty.exe", "folder.exe"}) {
        for (bool forReading : {true, false}) {
            CameraState state;
            state.ExecutableRevision = 1;
            state.settings = editedValues();
            const CameraState before = state;
            RecordingProgress progress;
            const RunResult result = modFile(dir / name, forReading, state, progress);
            EXPECT_EQ(result.outcome, Outcome::FileError) << name;
            EXPECT_NE(result.status.find(displayPath(dir / name)), std::string::npos)
                << result.status;
            EXPECT_EQ(progress.statuses.back(), result.status);
            EXPECT_EQ(state.ExecutableRevision, 1) << name;
            EXPECT_TRUE(sameBytes(state.settings, before.settings)) << name;
        }
    }
    EXPECT_TRUE(fs::is_empty(dir / "empty.exe"));
}

TEST(PatchRun, TinyFilesAreUnknownVersionsNotCrashes) {
    TempDir dir;
    for (std::size_t size : {1u, 3u, 4u, 17u}) {
        const fs::path exe = dir / "nwmain.exe";
        writeFixture(exe, std::vector<std::uint8_t>(size, 0));
        CameraState state;
        RecordingProgress progress;
        EXPECT_EQ(modFile(exe, true, state, progress).outcome, Outcome::UnknownVersion) << size;
        EXPECT_EQ(modFile(exe, false, state, progress).outcome, Outcome::UnknownVersion) << size;
        EXPECT_EQ(fs::file_size(exe), size);
    }
}

TEST(PatchRun, AFailedReplaceLeavesTheExecutableAndNoTemporaryFile) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    const Sample s = sample(1);
    writeFixture(exe, s.bytes);
    for (Step step : {Step::Write, Step::Sync, Step::Replace}) {
        FaultInjectingFileSystemOps ops(step);
        ScopedFileSystemOps scope(ops);
        CameraState state;
        state.settings = editedValues();
        RecordingProgress progress;
        const RunResult result = modFile(exe, false, state, progress);
        EXPECT_EQ(result.outcome, Outcome::FileError);
        EXPECT_NE(result.status.find(std::make_error_code(std::errc::io_error).message()),
                  std::string::npos)
            << result.status;
        EXPECT_EQ(readFixture(exe), s.bytes);
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
    }
}

TEST(PatchRun, AWritingRunRemovesTemporaryFilesOfAKilledRunAReadingRunDoesNot) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    writeFixture(exe, sample(1).bytes);
    writeFixture(dir / ".nwmain.exe.orvendel-tmp-Ab12Cd", std::vector<std::uint8_t>(100, 1));
    CameraState state;
    RecordingProgress progress;
    ASSERT_EQ(modFile(exe, true, state, progress).outcome, Outcome::Loaded);
    EXPECT_EQ(dir.entries().size(), 2u);
    ASSERT_EQ(modFile(exe, false, state, progress).outcome, Outcome::Modified);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
}

TEST(ReadOnly, NoRefusesYesClearsOnlyTheOwnerWriteBit) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    writeFixture(exe, sample(1).bytes);
    makeReadOnly(exe);
    const fs::perms readOnlyMode = fs::status(exe).permissions();
    std::string error = "stale";

    ScriptedReadOnlyPrompt no(false);
    EXPECT_FALSE(fixReadOnly(exe, no, &error));
    EXPECT_EQ(no.questions, 1);
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(fs::status(exe).permissions(), readOnlyMode);

    CameraState state;
    RecordingProgress progress;
    EXPECT_EQ(processData(exe, true, state, progress, no).outcome, Outcome::Refused);
    EXPECT_TRUE(progress.statuses.empty()) << "no run took place";
    const std::vector<std::uint8_t> original = readFixture(exe);
    const RunResult direct = modFile(exe, false, state, progress);
    EXPECT_EQ(direct.outcome, Outcome::FileError) << "a rename must not get round read-only";
    EXPECT_NE(direct.status.find("read-only"), std::string::npos);
    EXPECT_EQ(readFixture(exe), original);

    ScriptedReadOnlyPrompt yes(true);
    EXPECT_TRUE(fixReadOnly(exe, yes, &error));
    bool readOnly = true;
    ASSERT_TRUE(readOnlyAttribute(exe, readOnly).ok());
    EXPECT_FALSE(readOnly);
    EXPECT_TRUE(fixReadOnly(exe, yes, &error));
    EXPECT_EQ(yes.questions, 1) << "a writable file is not asked about";
    EXPECT_EQ(processData(exe, true, state, progress, yes).outcome, Outcome::Loaded);
}

TEST(ReadOnly, AFailedClearIsReportedAndAMissingFileIsAnError) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    writeFixture(exe, sample(1).bytes);
    makeReadOnly(exe);
    {
        FaultInjectingFileSystemOps ops(Step::ClearReadOnly, 1,
                                        std::make_error_code(std::errc::operation_not_permitted));
        ScopedFileSystemOps scope(ops);
        ScriptedReadOnlyPrompt yes(true);
        std::string error;
        EXPECT_FALSE(fixReadOnly(exe, yes, &error));
        EXPECT_EQ(yes.failureReports, 1);
        EXPECT_TRUE(error.empty());
    }
    ScriptedReadOnlyPrompt yes(true);
    std::string error;
    EXPECT_FALSE(fixReadOnly(dir / "gone.exe", yes, &error));
    EXPECT_EQ(yes.questions, 0);
    EXPECT_NE(error.find("gone.exe"), std::string::npos);
    CameraState state;
    RecordingProgress progress;
    const RunResult result = processData(dir / "gone.exe", false, state, progress, yes);
    EXPECT_EQ(result.outcome, Outcome::FileError);
    EXPECT_EQ(result.status, error);
}

}  // namespace
}  // namespace orvendel
