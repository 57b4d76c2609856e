#include "patcher/patch_run.h"

#include <optional>
#include <stdexcept>

#include "patcher/signature.h"
#include "patcher/table_run.h"
#include "platform/file_image.h"
#include "platform/files.h"

namespace orvendel {

namespace {

RunResult finish(ProgressSink& progress, RunResult::Outcome outcome, std::string status) {
    progress.setStatus(status);
    return RunResult{outcome, std::move(status)};
}

// The signature a table searches first.
Signature firstSignature(const RevisionTable& table) {
    const std::optional<Signature> signature = Signature::parse(table.signatures.front().bytes);
    if (!signature)
        throw std::logic_error("malformed signature in a revision table");
    return *signature;
}

// Runs the tables as the revision on entry asks: revision 0 first unless revision 1 is known,
// then revision 1 unless revision 0 was recognised. A revision number other than 0 or 1 is
// treated like -1.
const RevisionTable* dispatch(bool forReading, std::span<const std::uint8_t> image,
                              CameraState& state, ProgressSink& progress, TableRun& run) {
    if (state.ExecutableRevision != 1) {
        // Both tables may scan from the start: their first signatures share one pass.
        const auto [first0, first1] = searchTogether(image, firstSignature(kRevision0Table),
                                                     firstSignature(kRevision1Table));
        run = doVersion0(forReading, image, state, &progress, &first0);
        if (run.recognised)
            return &kRevision0Table;
        run = doVersion1(forReading, image, state, &progress, &first1);
        return run.recognised ? &kRevision1Table : nullptr;
    }
    run = doVersion1(forReading, image, state, &progress);
    return run.recognised ? &kRevision1Table : nullptr;
}

// After the edits are in the image, the table that recognised it must still find every
// signature, and at the very same sites, or later runs would read other bytes than written.
bool stillRecognised(const RevisionTable& table, std::span<const std::uint8_t> patched,
                     const CameraState& state, const TableRun& written) {
    CameraState scratch = state;
    const TableRun check = runRevisionTable(table, true, patched, scratch, nullptr);
    return check.recognised && check.sites == written.sites;
}

}  // namespace

bool fixReadOnly(const std::filesystem::path& path, ReadOnlyPrompt& prompt, std::string* error) {
    if (error)
        error->clear();
    bool readOnly = false;
    if (FileStatus status = readOnlyAttribute(path, readOnly); !status) {
        if (error)
            *error = status.message();
        return false;
    }
    if (!readOnly)
        return true;
    if (!prompt.askClearReadOnly())
        return false;
    // Whether the change took is judged by reading the attribute again, as the user sees it.
    (void)clearReadOnlyAttribute(path);
    bool stillReadOnly = true;
    if (readOnlyAttribute(path, stillReadOnly) && !stillReadOnly)
        return true;
    prompt.reportClearFailed();
    return false;
}

RunResult modFile(const std::filesystem::path& path, bool forReading, CameraState& state,
                  ProgressSink& progress) {
    using Outcome = RunResult::Outcome;
    progress.setStatus(forReading ? kStatusLoading : kStatusModifying);
    if (!forReading)
        removeStaleTempFiles(path);

    FileImage image;
    if (FileStatus status = image.load(path); !status) {
        return finish(progress, Outcome::FileError, status.message());
    }
    if (image.empty()) {
        return finish(progress, Outcome::FileError,
                      "Cannot read \"" + displayPath(path) + "\": the file is empty.");
    }
    if (!forReading) {
        // Replacing the file would get round its read-only state on POSIX; only fixReadOnly
        // (the user's Yes) may lift it.
        bool readOnly = false;
        if (FileStatus status = readOnlyAttribute(path, readOnly); !status) {
            return finish(progress, Outcome::FileError, status.message());
        }
        if (readOnly) {
            return finish(progress, Outcome::FileError,
                          "Cannot write \"" + displayPath(path) + "\": the file is read-only.");
        }
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
    if (!recognisedBy)
        return finish(progress, Outcome::UnknownVersion, std::string(kStatusUnknownVersion));
    progress.setValue(length);

    if (forReading) {
        state.takeUndoSnapshot();
        return finish(progress, Outcome::Loaded, std::string(kStatusLoaded));
    }
    // The edits go into the one image; it is written only if it still reads back.
    applyEdits(image.writableBytes(), run.edits);
    if (!stillRecognised(*recognisedBy, image.bytes(), state, run)) {
        return finish(progress, Outcome::WouldBeUnrecognisable,
                      std::string(kStatusWouldBeUnrecognisable));
    }
    if (FileStatus status = image.checkUnchanged(); !status)
        return finish(progress, Outcome::FileError, status.message());
    if (FileStatus status = writeFileAtomically(path, image.bytes()); !status) {
        return finish(progress, Outcome::FileError, status.message());
    }
    return finish(progress, Outcome::Modified, std::string(kStatusModified));
}

RunResult processData(const std::filesystem::path& path, bool forReading, CameraState& state,
                      ProgressSink& progress, ReadOnlyPrompt& prompt) {
    std::string error;
    if (!fixReadOnly(path, prompt, &error)) {
        if (!error.empty())
            return RunResult{RunResult::Outcome::FileError, error};
        return RunResult{RunResult::Outcome::Refused, {}};
    }
    return modFile(path, forReading, state, progress);
}

}  // namespace orvendel
