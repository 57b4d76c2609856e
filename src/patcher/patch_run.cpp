// SPDX-License-Identifier: MIT
#include "patcher/patch_run.h"

#include <algorithm>
#include <optional>
#include <vector>

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

// Runs the tables as the revision on entry asks: revision 0 first unless revision 1 is known,
// then revision 1 unless revision 0 was recognised. A revision number other than 0 or 1 is
// treated like -1.
const RevisionTable* dispatch(bool forReading, std::span<const std::uint8_t> image,
                              CameraState& state, ProgressSink& progress, TableRun& run) {
    if (state.revision != 1) {
        // Both tables may scan from the start: their first signatures share one pass.
        const auto [first0, first1] =
            searchTogether(image, parsedSignatures(kRevision0Table).front(),
                           parsedSignatures(kRevision1Table).front());
        run = runRevisionTable(kRevision0Table, forReading, image, state, &progress, &first0);
        if (run.recognised)
            return &kRevision0Table;
        run = runRevisionTable(kRevision1Table, forReading, image, state, &progress, &first1);
        return run.recognised ? &kRevision1Table : nullptr;
    }
    run = runRevisionTable(kRevision1Table, forReading, image, state, &progress);
    return run.recognised ? &kRevision1Table : nullptr;
}

// After the edits are in the image, a fresh run (which tries revision 0 first) must recognise
// it as the very revision that was written, at the very same sites; otherwise later runs
// would read, and write, other bytes than these.
bool freshRunAgrees(const RevisionTable& written, std::span<const std::uint8_t> patched,
                    const CameraState& state, const TableRun& run) {
    CameraState scratch = state;
    for (const RevisionTable* table : {&kRevision0Table, &kRevision1Table}) {
        const TableRun check = runRevisionTable(*table, true, patched, scratch, nullptr);
        if (check.recognised)
            return table == &written && check.sites == run.sites;
    }
    return false;
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
// read-only state on POSIX, or a lack of write permission: only fixReadOnly (the user's Yes)
// may lift the former, nothing the latter.
FileStatus writableNow(const std::filesystem::path& path) {
    bool readOnly = false;
    if (FileStatus status = readOnlyAttribute(path, readOnly); !status)
        return status;
    if (readOnly)
        return FileStatus::cannotWrite(path, "the file is read-only");
    return checkWritable(path);
}

// The bytes that `edits` would overwrite, as edits that put them back.
std::vector<SiteEdit> bytesUnder(std::span<const std::uint8_t> image,
                                 std::span<const SiteEdit> edits) {
    std::vector<SiteEdit> original;
    original.reserve(edits.size());
    for (const SiteEdit& edit : edits) {
        SiteEdit kept{edit.offset, {}};
        std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(edit.offset), kept.bytes.size(),
                    kept.bytes.begin());
        original.push_back(kept);
    }
    return original;
}

}  // namespace

Result<RunConsent> fixReadOnly(const std::filesystem::path& path, ReadOnlyPrompt& prompt) {
    bool readOnly = false;
    if (FileStatus status = readOnlyAttribute(path, readOnly); !status)
        return status;
    if (!readOnly)
        return RunConsent::Given;
    if (!prompt.askClearReadOnly())
        return RunConsent::Declined;
    // Whether the change took is judged by reading the attribute again, as the user sees it.
    (void)clearReadOnlyAttribute(path);
    bool stillReadOnly = true;
    if (readOnlyAttribute(path, stillReadOnly) && !stillReadOnly)
        return RunConsent::Given;
    prompt.reportClearFailed();
    return RunConsent::Declined;
}

Result<RunConsent> prepareRun(const std::filesystem::path& path, bool forReading,
                              ReadOnlyPrompt& prompt) {
    const Result<RunConsent> fixed = fixReadOnly(path, prompt);
    if (fixed != RunConsent::Given || forReading)
        return fixed;
    if (FileStatus status = checkWritable(path); !status)
        return status;
    // Replacing the file gives only this name the new bytes; the others keep the old ones.
    FileIdentity identity;
    if (identifyFile(path, identity) && identity.links > 1)
        return prompt.askReplaceLinkedFile(identity.links - 1) ? RunConsent::Given
                                                               : RunConsent::Declined;
    return RunConsent::Given;
}

RunResult modFile(const std::filesystem::path& path, bool forReading, CameraState& state,
                  ProgressSink& progress) {
    using Outcome = RunResult::Outcome;
    progress.setStatus(forReading ? kStatusLoading : kStatusModifying);
    if (!forReading && !state.valuesChosen)
        return finish(progress, Outcome::NothingToWrite, std::string(kStatusNothingToWrite));
    if (!forReading)
        removeStaleTempFiles(path);

    // Taken before the file is loaded, so that any change from here on is seen before the
    // replace.
    FileIdentity identity;
    if (!forReading) {
        if (FileStatus status = identifyFile(path, identity); !status)
            return finish(progress, Outcome::FileError, status.message());
    }
    FileImage image;
    if (FileStatus status = loadNonEmpty(image, path, !forReading); !status)
        return finish(progress, Outcome::FileError, status.message());
    if (!forReading) {
        // The last looks before the copy and the file are written compare the file with this.
        identity.bytesRead = image.bytesAsLoaded();
        if (FileStatus status = writableNow(path); !status)
            return finish(progress, Outcome::FileError, status.message());
    }
    const double length = static_cast<float>(image.size());
    progress.setRange(0, length);
    progress.setValue(0);

    TableRun run;
    const CameraState onEntry = state;
    const RevisionTable* recognisedBy = dispatch(forReading, image.bytes(), state, progress, run);
    // Bytes that another process changed under the run are no result to show or to write.
    if (FileStatus status = image.checkUnchanged(); !status) {
        state = onEntry;
        return finish(progress, Outcome::FileError, status.message());
    }
    if (!recognisedBy) {
        if (forReading)
            state.valuesChosen = false;
        return finish(progress, Outcome::UnknownVersion, std::string(kStatusUnknownVersion));
    }
    progress.setValue(length);

    if (forReading) {
        state.takeUndoSnapshot();
        state.valuesChosen = true;
        return finish(progress, Outcome::Loaded, std::string(kStatusLoaded));
    }
    // The edits go into the one image; it is written only if it still reads back.
    const std::vector<SiteEdit> original = bytesUnder(image.bytes(), run.edits);
    applyEdits(image.writableBytes(), run.edits);
    if (!freshRunAgrees(*recognisedBy, image.bytes(), state, run)) {
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
    if (!hasOriginalCopy(path)) {
        // The way back: the file as it was before its first change, kept before the change.
        applyEdits(image.writableBytes(), original);
        const FileStatus kept = keepOriginalCopy(path, image.bytes(), identity);
        applyEdits(image.writableBytes(), run.edits);
        if (!kept)
            return failed(kept);
    }
    if (FileStatus status = writeFileAtomically(path, image.bytes(), &identity); !status)
        return failed(status);
    return finish(progress, Outcome::Modified, std::string(kStatusModified));
}

RunResult processData(const std::filesystem::path& path, bool forReading, CameraState& state,
                      ProgressSink& progress, ReadOnlyPrompt& prompt) {
    const Result<RunConsent> consent = prepareRun(path, forReading, prompt);
    if (!consent)
        return RunResult{RunResult::Outcome::FileError, consent.message()};
    if (consent != RunConsent::Given)
        return RunResult{RunResult::Outcome::Refused, {}};
    return modFile(path, forReading, state, progress);
}

RunResult restoreOriginal(const std::filesystem::path& executable, ProgressSink& progress) {
    using Outcome = RunResult::Outcome;
    progress.setStatus(kStatusModifying);
    const std::filesystem::path copyPath = originalCopyPath(executable);
    if (!hasOriginalCopy(executable)) {
        return finish(
            progress, Outcome::FileError,
            FileStatus::cannotRead(copyPath, "there is no original copy of this file").message());
    }
    removeStaleTempFiles(executable);
    FileIdentity identity;
    if (FileStatus status = identifyFile(executable, identity); !status)
        return finish(progress, Outcome::FileError, status.message());
    if (FileStatus status = writableNow(executable); !status)
        return finish(progress, Outcome::FileError, status.message());
    FileImage copy;
    if (FileStatus status = loadNonEmpty(copy, copyPath); !status)
        return finish(progress, Outcome::FileError, status.message());
    const double length = static_cast<float>(copy.size());
    progress.setRange(0, length);
    progress.setValue(0);
    if (FileStatus status = copy.checkUnchanged(); !status)
        return finish(progress, Outcome::FileError, status.message());
    if (FileStatus status = writeFileAtomically(executable, copy.bytes(), &identity); !status)
        return finish(progress, Outcome::FileError, status.message());
    progress.setValue(length);
    return finish(progress, Outcome::Restored, std::string(kStatusRestored));
}

std::string hardLinksQuestion(std::uint64_t otherNames) {
    const std::string count = std::to_string(otherNames);
    return "The NWMAIN.EXE you specified has " + count +
           (otherNames == 1 ? " other name (a hard link) that would keep"
                            : " other names (hard links) that would keep") +
           " the old values.  Do you wish me to modify this name anyway?";
}

}  // namespace orvendel
