#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "camera/camera_settings.h"
#include "patcher/progress.h"
#include "patcher/read_only_prompt.h"
#include "patcher/run_result.h"

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

// The read-only check before every run, reading runs included. Returns true when the file may
// be used: it was not read-only, or the user agreed (prompt.askClearReadOnly()) and the
// read-only state was cleared (only the owner's write bit / FILE_ATTRIBUTE_READONLY changes;
// it is not set back later). Returns false when the user said No (nothing else happens) or the
// state could not be cleared (prompt.reportClearFailed() was called); in both cases *error is
// left empty. Returns false with *error set (a message naming the file and the reason) when
// the file's attributes cannot be read at all, e.g. the file is missing; nothing is asked then.
bool fixReadOnly(const std::filesystem::path& path, ReadOnlyPrompt& prompt, std::string* error);

// One patch run on the executable at `path` (ModFile and DoWork): loads the whole file,
// dispatches to the revision tables by state.ExecutableRevision (-1 or 0: revision 0 first,
// then revision 1 if 0 was not recognised; 1: revision 1 only), and
// - reading run: copies the values into state.settings; when recognised, takes the undo
//   snapshot;
// - writing run: stores state.settings at the sites of the table that recognised the image,
//   checks that the patched image is still recognised by that table at the same sites, and
//   replaces the file crash-safely (writeFileAtomically). The file on disk then differs from
//   the one read only at those sites; its length is unchanged. Stale temporary files of a
//   killed earlier writing run are removed first.
// Progress: status kStatusLoading / kStatusModifying, range 0..file length, value 0, the
// tables' updates, the full bar when recognised, then the final status (also in the result).
// A file error (missing, not a regular file, no permission, empty, read or write error, or a
// writing run on a file that is still read-only, or a file that another process changed while
// the run read it) ends the run with a status naming the file and the reason; the file is
// unchanged and state.ExecutableRevision and state.UndoSnapshot are untouched by a run that
// could not load. A file found changed also leaves state.settings as it was on entry.
RunResult modFile(const std::filesystem::path& path, bool forReading, CameraState& state,
                  ProgressSink& progress);

// fixReadOnly followed by modFile, for callers without a modal window in between (the command
// line). Outcome Refused when fixReadOnly said no without an error, FileError with the message
// when it failed with one.
RunResult processData(const std::filesystem::path& path, bool forReading, CameraState& state,
                      ProgressSink& progress, ReadOnlyPrompt& prompt);

}  // namespace orvendel
