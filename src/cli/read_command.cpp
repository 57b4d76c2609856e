// SPDX-License-Identifier: MIT
#include "cli/read_command.h"

#include <filesystem>
#include <system_error>

#include "cli/argument_parser.h"
#include "cli/console_prompt.h"
#include "cli/exit_code.h"
#include "cli/record_printer.h"
#include "cli/run_report.h"
#include "cli/usage.h"
#include "patcher/kept_copy.h"
#include "patcher/patch_run.h"
#include "platform/files.h"
#include "settingsfile/settings_file.h"

namespace orvendel::cli {

int runReadCommand(const std::vector<std::string>& args, CommandIo& io) {
    ParsedArguments parsed;
    if (const auto error = parsed.parse(args, kReadCommand.options)) {
        return usageError(io, kReadCommand, *error);
    }
    if (parsed.positional().size() != 1) {
        return usageError(
            io, kReadCommand,
            parsed.positional().empty() ? "GAME_EXE is missing" : "too many arguments");
    }
    const std::filesystem::path executable = argumentPath(parsed.positional()[0]);
    if (const auto savePath = parsed.value("--save")) {
        // Settings saved over the executable or its kept copy would destroy the game file or
        // the way back.
        if (FileStatus allowed = settingsTargetAllowed(argumentPath(*savePath), executable);
            !allowed) {
            return usageError(io, kReadCommand, allowed.message());
        }
    }

    CameraState state;
    ProgressSink progress;
    ConsolePrompt prompt(io.err, false);  // a reading run here asks nothing
    const RunResult result = readCameraValues(executable, state, progress);
    const int code = reportRun(result, prompt, io.err, /*quiet=*/false);
    if (code != kExitDone && code != kExitNotRecognised) {
        return code;
    }

    const auto savePath = parsed.value("--save");
    if (code == kExitDone && savePath) {
        if (const FileStatus saved = saveSettingsFile(argumentPath(*savePath), state.settings);
            !saved) {
            io.err << kErrorPrefix << saved.message() << '\n';
            return kExitFileError;
        }
    }
    if (parsed.has("--json")) {
        printRecordJson(io.out, state.settings, state.revision);
    } else {
        printRecordTable(io.out, state.settings, state.revision);
    }
    if (savePath) {
        if (code == kExitDone) {
            io.err << "Saved the settings to " << quoted(argumentPath(*savePath)) << ".\n";
        } else {
            io.err << kErrorPrefix << "Nothing was saved.\n";
        }
    }
    return code;
}

}  // namespace orvendel::cli
