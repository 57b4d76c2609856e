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
    const Result<RestorePlan> plan = planRestore(executable);
    if (!plan) {
        io.err << kErrorPrefix << plan.message() << '\n';
        return kExitFileError;
    }

    ConsolePrompt prompt(io.err, parsed.has("--yes"));
    ProgressSink progress;
    if (plan->copy.standing == KeptCopy::Standing::Untrusted)
        return reportRun(restoreOriginal(*plan, progress), prompt, io.err, /*quiet=*/false);
    if (!prompt.confirm(kRestoreTitle, restoreQuestion(*plan)))
        return kExitNotConfirmed;
    const Result<RunConsent> consent = prepareRestore(executable, prompt);
    const RunResult result =
        consent == RunConsent::Given ? restoreOriginal(*plan, progress) : runNotTaken(consent);
    if (!result.succeeded() && prompt.clearedReadOnly() && kReplacingNeedsWritableFile) {
        restoreReadOnly(executable, io.err);
    }
    return reportRun(result, prompt, io.err, /*quiet=*/false);
}

}  // namespace orvendel::cli
