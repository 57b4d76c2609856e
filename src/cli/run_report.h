// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <ostream>

#include "cli/console_prompt.h"
#include "patcher/run_result.h"
#include "platform/result.h"
#include "settingsfile/settings_file.h"

namespace orvendel::cli {

// Tells the user on `err` how a patch run ended and returns the matching exit code: a
// recognised run prints its status line (unless `quiet`) and gives 0; every other outcome
// prints its status as an error line and gives 1 (file error, read-only state not cleared),
// 3 (not recognised), 4 (a question answered no) or 6 (the new values would not be recognised
// again). A stale temporary file that could not be removed (cleanUp) is an error line first,
// even when `quiet`; it does not change the exit code.
int reportRun(const RunResult& result, const ConsolePrompt& prompt, std::ostream& err, bool quiet);

// Tells the user on `err` how loading the settings file at `path` went wrong and returns the
// matching exit code: 1 with the failure's message, 5 with kUnknownFormatMessage for a file of
// an unknown format, 0 (and nothing said) when it loaded.
int reportSettingsLoad(const Result<SettingsFormat>& result, const std::filesystem::path& path,
                       std::ostream& err);

// Makes the executable read-only again after a writing run that cleared the state but wrote
// nothing, so that a failed command leaves the file as it found it; a failure is an error line.
void restoreReadOnly(const std::filesystem::path& executable, std::ostream& err);

}  // namespace orvendel::cli
