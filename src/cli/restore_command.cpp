// SPDX-License-Identifier: MIT
#include "cli/restore_command.h"

#include <filesystem>

#include "cli/argument_parser.h"
#include "cli/console_prompt.h"
#include "cli/exit_code.h"
#include "cli/run_report.h"
#include "cli/usage.h"
#include "patcher/patch_run.h"
#include "platform/files.h"

namespace orvendel::cli {

int runRestoreCommand(const std::vector<std::string>& args, CommandIo& io) {
    ParsedArguments parsed;
    if (const auto error = parsed.parse(args, kRestoreCommand.options)) {
        return usageError(io, kRestoreCommand, *error);
    }
    if (parsed.positional().size() != 1) {
        return usageError(
            io, kRestoreCommand,
            parsed.positional().empty() ? "GAME_EXE is needed" : "too many arguments");
    }
    const std::filesystem::path executable = argumentPath(parsed.positional()[0]);
    if (!hasOriginalCopy(executable)) {
        io.err << kErrorPrefix
               << FileStatus::cannotRead(originalCopyPath(executable),
                                         "there is no original copy of this file")
                      .message()
               << '\n';
        return kExitFileError;
    }

    ConsolePrompt prompt(io.err, parsed.has("--yes"));
    if (!prompt.confirm(kRestoreTitle, kRestoreQuestion))
        return kExitNotConfirmed;
    const Result<RunConsent> consent = prepareRun(executable, /*forReading=*/false, prompt);
    ProgressSink progress;
    const RunResult result =
        consent == RunConsent::Given
            ? restoreOriginal(executable, progress)
            : RunResult{consent ? RunResult::Outcome::Refused : RunResult::Outcome::FileError,
                        consent.message()};
    if (!result.succeeded() && prompt.clearedReadOnly()) {
        restoreReadOnly(executable, io.err);
    }
    return reportRun(result, prompt, io.err, /*quiet=*/false);
}

}  // namespace orvendel::cli
