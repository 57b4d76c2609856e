// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "camera/camera_settings.h"
#include "patcher/kept_copy.h"
#include "patcher/progress.h"
#include "patcher/read_only_prompt.h"
#include "patcher/run_result.h"
#include "platform/file_system_ops.h"
#include "platform/result.h"

namespace orvendel {

// Status line texts of a run.
inline constexpr std::string_view kStatusLoading =
    "Loading current values from Neverwinter Nights ...";
inline constexpr std::string_view kStatusModifying = "Modifying Neverwinter Nights ...";
inline constexpr std::string_view kStatusUnknownVersion =
    "Unknown version of NWMAIN.  Patch Aborted.";
inline constexpr std::string_view kStatusLoaded = "Neverwinter Nights options successfully loaded!";
inline constexpr std::string_view kStatusModified = "Neverwinter Nights successfully modified!";
inline constexpr std::string_view kStatusWouldBeUnrecognisable =
    "The new values would leave NWMAIN.EXE unrecognisable.  Patch Aborted.";
inline constexpr std::string_view kStatusNothingToWrite =
    "There are no camera values to write: read a known NWMAIN.EXE, choose a preset or load a "
    "settings file first.  Patch Aborted.";
inline constexpr std::string_view kStatusRestored = "The original NWMAIN.EXE is back in place.";

// Endings of untrustedCopyMessage: what a writing run and a restore advise.
inline constexpr std::string_view kMoveItAway = "move it away and try again.";
inline constexpr std::string_view kNothingRestored = "nothing was restored.";

// The question before putting the original copy back (title kRestoreTitle, Yes/No).
inline constexpr std::string_view kRestoreTitle = "Restore Original";
inline constexpr std::string_view kRestoreQuestion =
    "Put back the copy of NWMAIN.EXE that was kept before Orvendel first changed it?  Every "
    "camera change written since then is lost.";
// The question instead where the kept copy differs from the executable beyond the camera values.
inline constexpr std::string_view kRestoreOtherFileQuestion =
    "The kept copy of NWMAIN.EXE differs from the NWMAIN.EXE in place beyond the camera values: "
    "another build or a changed file was put there since Orvendel kept the copy.  Put the kept "
    "copy back anyway?  Everything that differs is lost.";

// Whether a run may go ahead after the questions before it. Declined is no failure: the user
// said No, or was already told why not, and nothing more is to be reported.
enum class RunConsent { Given, Declined };

// The read-only check before every run, reading runs included (the window asks it before a
// reading run too). Given when the file may be used: it was not read-only, or the user agreed
// (prompt.askClearReadOnly()) and the read-only state was cleared (only the owner's write bit /
// FILE_ATTRIBUTE_READONLY changes; it is not set back later). Declined when the user said No
// (nothing else happens) or the state could not be cleared (prompt.reportClearFailed() was
// called). A failure naming the file and the reason when the file's attributes cannot be read
// at all, e.g. the file is missing; nothing is asked then.
Result<RunConsent> clearReadOnlyIfAgreed(const std::filesystem::path& path, ReadOnlyPrompt& prompt);

// The questions and checks before a writing run, in the window before the progress window is
// shown: clearReadOnlyIfAgreed; then that the process may write the file (else a failure naming
// the file and the system's reason) and, for a file with other names (hard links), the
// question whether to modify it anyway (No: Declined).
Result<RunConsent> prepareWriting(const std::filesystem::path& path, ReadOnlyPrompt& prompt);

// Both runs load the whole executable at `path` and pass the revision tables over it by
// state.revision (-1 or 0: revision 0 first, then revision 1 if 0 was not recognised; 1:
// revision 1 only). Progress: the run's status (kStatusLoading / kStatusModifying), range
// 0..file length, value 0, the tables' updates, the full bar when recognised, then the final
// status (also in the result). A file error (missing, not a regular file, no permission, empty,
// read or write error, or a file that another process changed while the run read it) ends the
// run with a status naming the file and the reason; the file is unchanged and state.revision
// and state.undoSnapshot are untouched by a run that could not load. A file found changed also
// leaves state.settings as it was on entry.

// The reading run: copies the values into state.settings; when recognised, takes the undo
// snapshot and sets state.valuesChosen; when not, clears state.valuesChosen (a table may have
// overwritten part of the record before it gave up).
RunResult readCameraValues(const std::filesystem::path& path, CameraState& state,
                           ProgressSink& progress);

// The writing run: refused with NothingToWrite, touching nothing, unless state.valuesChosen;
// otherwise stores state.settings at the sites of the table that recognised the image, checks
// that a fresh run would recognise the patched image as the same revision at the same sites,
// keeps the original copy (keepOriginalCopy) of the bytes as read, and replaces the file
// crash-safely (writeFileAtomically), provided it is still the file that was read. The file on
// disk then differs from the one read only at those sites; its length is unchanged. Stale
// temporary files of a killed earlier writing run are removed first; one that cannot be removed
// is named in the result's cleanUp and does not stop the run. A file that is still read-only is
// a file error.
RunResult writeCameraValues(const std::filesystem::path& path, CameraState& state,
                            ProgressSink& progress);

// The result of a run that the questions before it stopped: Refused when they declined,
// FileError with the failure's message when they failed.
RunResult runNotTaken(const Result<RunConsent>& consent);

// prepareWriting followed by writeCameraValues, for callers without a modal window in between
// (the command line); runNotTaken when prepareWriting did not give its consent.
RunResult writeAfterQuestions(const std::filesystem::path& path, CameraState& state,
                              ProgressSink& progress, ReadOnlyPrompt& prompt);

// What a restore works from: the executable, its identity and bytes when it was examined, and
// its kept copy as examineKeptCopy found it (the bytes that are put back).
struct RestorePlan {
    std::filesystem::path path;
    FileIdentity identity;
    FileBuffer executableBytes;  // the executable as examined
    KeptCopy copy;
};

// Examines the executable and what lies at its kept-copy name, before a restore is asked
// about. A failure naming the file when there is nothing at that name or a file cannot be
// read; otherwise the plan, whatever the copy's standing.
Result<RestorePlan> planRestore(const std::filesystem::path& executable);

// The question before a restore: kRestoreOtherFileQuestion where the copy differs from the
// executable beyond the camera values, else kRestoreQuestion.
std::string restoreQuestion(const RestorePlan& plan);

// The checks before a restore, after its question: a read-only file is restored only after
// kReadOnlyQuestion (its read-only state is cleared first only where a read-only file cannot be
// replaced, on Windows; elsewhere the restored file keeps the old mode); the process must be
// allowed to replace the file (checkReplaceable); a file with other names asks as before a
// writing run.
Result<RunConsent> prepareRestore(const std::filesystem::path& path, ReadOnlyPrompt& prompt);

// Puts the plan's kept copy back in the place of the executable, crash-safely, provided the
// executable is still as it was examined; the copy itself stays. Outcome Restored with
// kStatusRestored; UntrustedCopy (nothing changed) for anything at the copy's name that is not
// a copy Orvendel kept; FileError naming the file and the reason. Stale temporary files are
// removed first, as before a writing run (cleanUp). The caller asks restoreQuestion(plan) and
// runs prepareRestore first.
RunResult restoreOriginal(const RestorePlan& plan, ProgressSink& progress);

}  // namespace orvendel
