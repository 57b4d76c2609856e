// SPDX-License-Identifier: MIT
#include "patcher/patch_run.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "patcher/kept_copy.h"
#include "patcher/search_internal/search_together.h"
#include "patcher/table_run.h"
#include "platform/file_image.h"
#include "platform/files.h"

namespace orvendel {

namespace {

RunResult finish(ProgressSink& progress, RunResult::Outcome outcome, std::string status) {
    progress.setStatus(status);
    return RunResult{outcome, std::move(status)};
}

// Runs the tables' `pass` as the revision on entry asks: revision 0 first unless revision 1 is
// known, then revision 1 unless revision 0 was recognised. A revision number other than 0 or 1
// is treated like -1.
const RevisionTable* passTables(TablePass pass, std::span<const std::uint8_t> image,
                                CameraState& state, ProgressSink& progress, TableRun& run) {
    if (state.revision != 1) {
        // Both tables may scan from the start: their first signatures share one pass.
        const auto [first0, first1] =
            searchTogether(image, parsedSignatures(kRevision0Table).front(),
                           parsedSignatures(kRevision1Table).front());
        run = pass(kRevision0Table, image, state, &progress, &first0);
        if (run.recognised)
            return &kRevision0Table;
        run = pass(kRevision1Table, image, state, &progress, &first1);
        return run.recognised ? &kRevision1Table : nullptr;
    }
    run = pass(kRevision1Table, image, state, &progress, nullptr);
    return run.recognised ? &kRevision1Table : nullptr;
}

// What the tables made of a loaded image.
struct Recognition {
    const RevisionTable* table = nullptr;  // the table that recognised it, or null
    TableRun run;                          // that table's pass (the last pass when none did)
    FileStatus unchanged = FileStatus::success();  // a failure when the file changed meanwhile
};

// The steps both runs take once the file is loaded: the bar over the file's length, the tables'
// pass, and the look whether the file changed under it (the record is then put back as it was
// on entry: bytes another process changed are no result to show or to write). The bar is full
// when a table recognised the unchanged image.
Recognition recognise(TablePass pass, const FileImage& image, CameraState& state,
                      ProgressSink& progress) {
    const double length = static_cast<float>(image.size());
    progress.setRange(0, length);
    progress.setValue(0);
    Recognition found;
    const CameraState onEntry = state;
    found.table = passTables(pass, image.bytes(), state, progress, found.run);
    if (FileStatus status = image.checkUnchanged(); !status) {
        state = onEntry;
        found.table = nullptr;
        found.unchanged = std::move(status);
    } else if (found.table) {
        progress.setValue(length);
    }
    return found;
}

// After the edits are in the image, a fresh run (which tries revision 0 first) must recognise
// it as the very revision that was written, at the very same sites; otherwise later runs
// would read, and write, other bytes than these.
bool freshRunAgrees(const RevisionTable& written, std::span<const std::uint8_t> patched,
                    const TableRun& run) {
    TableRun check;
    return recogniseImage(patched, check) == &written && check.sites == run.sites;
}

// Loads the whole file into `image` (with a copy of the bytes as loaded when `keepCopy`); an
// empty file is no executable.
FileStatus loadNonEmpty(FileImage& image, const std::filesystem::path& path,
                        bool keepCopy = false) {
    if (FileStatus status = image.load(path, keepCopy); !status)
        return status;
    if (image.empty())
        return FileStatus::cannotRead(path, "the file is empty");
    return FileStatus::success();
}

// Success when a writing run may replace the file. Replacing it would get round its
// read-only state on POSIX, or a lack of write permission: only clearReadOnlyIfAgreed (the
// user's Yes) may lift the former, nothing the latter.
FileStatus writableNow(const std::filesystem::path& path) {
    bool readOnly = false;
    if (FileStatus status = readOnlyAttribute(path, readOnly); !status)
        return status;
    if (readOnly)
        return FileStatus::cannotWrite(path, "the file is read-only");
    return checkWritable(path);
}

// Clears the read-only state the user agreed to clear. Given when it is gone, judged by reading
// the attribute again as the user sees it; otherwise the user is told (reportClearFailed), once,
// whether the clear itself failed or left the file read-only, and the run is Declined.
RunConsent clearReadOnlyAfterYes(const std::filesystem::path& path, ReadOnlyPrompt& prompt) {
    bool stillReadOnly = true;
    if (clearReadOnlyAttribute(path) && readOnlyAttribute(path, stillReadOnly) && !stillReadOnly)
        return RunConsent::Given;
    prompt.reportClearFailed();
    return RunConsent::Declined;
}

// The question before replacing a file with other names (hard links): replacing it gives only
// this name the new bytes; the others keep the old ones.
RunConsent askAboutOtherNames(const std::filesystem::path& path, ReadOnlyPrompt& prompt) {
    FileIdentity identity;
    if (identifyFile(path, identity) && identity.links > 1)
        return prompt.askReplaceLinkedFile(identity.links - 1) ? RunConsent::Given
                                                               : RunConsent::Declined;
    return RunConsent::Given;
}

// The end of a writing run once a table planned its edits: they go into the image, which is
// written only if it still reads back, after the original copy is kept (or found to be the
// right one), crash-safely and only while the file is still the one that was read.
RunResult storeEdits(const std::filesystem::path& path, FileImage& image, FileIdentity& identity,
                     const Recognition& found, ProgressSink& progress) {
    using Outcome = RunResult::Outcome;
    const Result<std::span<std::uint8_t>> writable = image.writableBytes();
    if (!writable)
        return finish(progress, Outcome::FileError, writable.message());
    applyEdits(*writable, found.run.edits);
    if (!freshRunAgrees(*found.table, image.bytes(), found.run)) {
        // A file cut under the run explains a failed check better than the check.
        if (FileStatus status = image.checkUnchanged(); !status)
            return finish(progress, Outcome::FileError, status.message());
        return finish(progress, Outcome::WouldBeUnrecognisable,
                      std::string(kStatusWouldBeUnrecognisable));
    }
    if (FileStatus status = image.checkUnchanged(); !status)
        return finish(progress, Outcome::FileError, status.message());
    // From here on, a file that another program changed explains a failure better than the
    // failure itself (a write from a page cut off the file fails with "Bad address").
    auto failed = [&](const FileStatus& failure) {
        return finish(
            progress, Outcome::FileError,
            image.checkUnchanged() ? failure.message() : changedWhileWriting(path).message());
    };
    // The way back: the file as it was before its first change, kept before the change. What
    // lies at the copy's name must be such a copy of this very file, or nothing is written.
    const std::span<const std::uint8_t> asRead = image.bytesAsLoaded();
    Result<KeptCopy> copy = examineKeptCopy(path, asRead);
    // A copy kept now is this run's own: it takes the name only where nothing lies there. What
    // took the name first (another run's copy, or anything else) is looked at like any copy.
    Result<bool> kept = true;
    if (copy && copy->standing == KeptCopy::Standing::Absent) {
        kept = keepOriginalCopy(path, asRead, identity);
        if (kept == false)
            copy = examineKeptCopy(path, asRead);
    }
    if (!kept)
        return failed(kept.status());
    if (!copy)
        return failed(copy.status());
    if (copy->standing == KeptCopy::Standing::OtherFile ||
        copy->standing == KeptCopy::Standing::Untrusted) {
        // Bytes that changed under the run explain a mismatch better than the copy does.
        if (!image.checkUnchanged())
            return finish(progress, Outcome::FileError, changedWhileWriting(path).message());
        const std::string& why = copy->standing == KeptCopy::Standing::OtherFile
                                     ? std::string(kOtherFileReason)
                                     : copy->reason;
        return finish(progress, Outcome::UntrustedCopy,
                      untrustedCopyMessage(path, why, kMoveItAway));
    }
    if (FileStatus status = writeFileAtomically(path, image.bytes(), &identity); !status)
        return failed(status);
    return finish(progress, Outcome::Modified, std::string(kStatusModified));
}

}  // namespace

Result<RunConsent> clearReadOnlyIfAgreed(const std::filesystem::path& path,
                                         ReadOnlyPrompt& prompt) {
    bool readOnly = false;
    if (FileStatus status = readOnlyAttribute(path, readOnly); !status)
        return status;
    if (!readOnly)
        return RunConsent::Given;
    if (!prompt.askClearReadOnly())
        return RunConsent::Declined;
    return clearReadOnlyAfterYes(path, prompt);
}

Result<RunConsent> prepareWriting(const std::filesystem::path& path, ReadOnlyPrompt& prompt) {
    const Result<RunConsent> cleared = clearReadOnlyIfAgreed(path, prompt);
    if (cleared != RunConsent::Given)
        return cleared;
    if (FileStatus status = checkWritable(path); !status)
        return status;
    return askAboutOtherNames(path, prompt);
}

RunResult readCameraValues(const std::filesystem::path& path, CameraState& state,
                           ProgressSink& progress) {
    using Outcome = RunResult::Outcome;
    progress.setStatus(kStatusLoading);
    FileImage image;
    if (FileStatus status = loadNonEmpty(image, path); !status)
        return finish(progress, Outcome::FileError, status.message());
    const Recognition found = recognise(readSites, image, state, progress);
    if (!found.unchanged)
        return finish(progress, Outcome::FileError, found.unchanged.message());
    if (!found.table) {
        // A table may have overwritten part of the record before it gave up.
        state.valuesChosen = false;
        return finish(progress, Outcome::UnknownVersion, std::string(kStatusUnknownVersion));
    }
    state.takeUndoSnapshot();
    state.valuesChosen = true;
    return finish(progress, Outcome::Loaded, std::string(kStatusLoaded));
}

namespace {

// The writing run once the stale temporary files were removed.
RunResult writeChosenValues(const std::filesystem::path& path, CameraState& state,
                            ProgressSink& progress) {
    using Outcome = RunResult::Outcome;
    // Taken before the file is loaded, so that any change from here on is seen before the
    // replace.
    FileIdentity identity;
    if (FileStatus status = identifyFile(path, identity); !status)
        return finish(progress, Outcome::FileError, status.message());
    FileImage image;
    if (FileStatus status = loadNonEmpty(image, path, /*keepCopy=*/true); !status)
        return finish(progress, Outcome::FileError, status.message());
    // The last looks before the copy and the file are written compare the file with this.
    identity.bytesRead = image.bytesAsLoaded();
    if (FileStatus status = writableNow(path); !status)
        return finish(progress, Outcome::FileError, status.message());
    const Recognition found = recognise(planEdits, image, state, progress);
    if (!found.unchanged)
        return finish(progress, Outcome::FileError, found.unchanged.message());
    if (!found.table)
        return finish(progress, Outcome::UnknownVersion, std::string(kStatusUnknownVersion));
    return storeEdits(path, image, identity, found, progress);
}

}  // namespace

RunResult writeCameraValues(const std::filesystem::path& path, CameraState& state,
                            ProgressSink& progress) {
    progress.setStatus(kStatusModifying);
    if (!state.valuesChosen) {
        return finish(progress, RunResult::Outcome::NothingToWrite,
                      std::string(kStatusNothingToWrite));
    }
    const Result<int> cleaned = removeStaleTempFiles(path);
    RunResult result = writeChosenValues(path, state, progress);
    result.cleanUp = cleaned.status();
    return result;
}

RunResult runNotTaken(const Result<RunConsent>& consent) {
    return consent ? RunResult{RunResult::Outcome::Refused, {}}
                   : RunResult{RunResult::Outcome::FileError, consent.message()};
}

RunResult writeAfterQuestions(const std::filesystem::path& path, CameraState& state,
                              ProgressSink& progress, ReadOnlyPrompt& prompt) {
    const Result<RunConsent> consent = prepareWriting(path, prompt);
    if (consent != RunConsent::Given)
        return runNotTaken(consent);
    return writeCameraValues(path, state, progress);
}

Result<RestorePlan> planRestore(const std::filesystem::path& executable) {
    if (!hasOriginalCopy(executable))
        return noOriginalCopy(executable);
    RestorePlan plan;
    // Taken before the executable is read: a change from here on is seen before the replace.
    if (FileStatus status = identifyFile(plan.path = executable, plan.identity); !status)
        return status;
    if (FileStatus status = readWholeFile(executable, plan.executableBytes); !status)
        return status;
    Result<KeptCopy> copy = examineKeptCopy(executable, plan.executableBytes.bytes());
    if (!copy)
        return copy.status();
    plan.copy = std::move(copy).value();
    return plan;
}

std::string restoreQuestion(const RestorePlan& plan) {
    return std::string(plan.copy.standing == KeptCopy::Standing::OtherFile
                           ? kRestoreOtherFileQuestion
                           : kRestoreQuestion);
}

Result<RunConsent> prepareRestore(const std::filesystem::path& path, ReadOnlyPrompt& prompt) {
    bool readOnly = false;
    if (FileStatus status = readOnlyAttribute(path, readOnly); !status)
        return status;
    if (readOnly) {
        if (!prompt.askClearReadOnly())
            return RunConsent::Declined;
        // Where a read-only file cannot be replaced, its state is cleared as before a writing
        // run; elsewhere the restored file takes the old mode, read-only included, so that a
        // run cut short at any moment leaves the file's mode as it was.
        if (kReplacingNeedsWritableFile && clearReadOnlyAfterYes(path, prompt) != RunConsent::Given)
            return RunConsent::Declined;
    }
    if (FileStatus status = checkReplaceable(path); !status)
        return status;
    return askAboutOtherNames(path, prompt);
}

namespace {

// The restore once the kept copy was found trustworthy and the stale temporary files removed.
RunResult restoreInPlace(const RestorePlan& plan, ProgressSink& progress) {
    using Outcome = RunResult::Outcome;
    const KeptCopy& copy = plan.copy;
    if (FileStatus status = checkReplaceable(plan.path); !status)
        return finish(progress, Outcome::FileError, status.message());
    const double length = static_cast<float>(copy.bytes.size());
    progress.setRange(0, length);
    progress.setValue(0);
    // The executable must still hold the bytes it held when it was examined.
    FileIdentity expected = plan.identity;
    expected.bytesRead = plan.executableBytes.bytes();
    if (FileStatus status = writeFileAtomically(plan.path, copy.bytes.bytes(), &expected); !status)
        return finish(progress, Outcome::FileError, status.message());
    progress.setValue(length);
    return finish(progress, Outcome::Restored, std::string(kStatusRestored));
}

}  // namespace

RunResult restoreOriginal(const RestorePlan& plan, ProgressSink& progress) {
    using Outcome = RunResult::Outcome;
    progress.setStatus(kStatusModifying);
    const KeptCopy& copy = plan.copy;
    if (copy.standing == KeptCopy::Standing::Absent)
        return finish(progress, Outcome::FileError, noOriginalCopy(plan.path).message());
    if (copy.standing == KeptCopy::Standing::Untrusted) {
        return finish(progress, Outcome::UntrustedCopy,
                      untrustedCopyMessage(plan.path, copy.reason, kNothingRestored));
    }
    const Result<int> cleaned = removeStaleTempFiles(plan.path);
    RunResult result = restoreInPlace(plan, progress);
    result.cleanUp = cleaned.status();
    return result;
}

}  // namespace orvendel
