// SPDX-License-Identifier: MIT
#include "cli/apply_command.h"

#include <filesystem>

#include "camera/height_table.h"
#include "camera/modify_warning.h"
#include "cli/argument_parser.h"
#include "cli/console_prompt.h"
#include "cli/exit_code.h"
#include "cli/run_report.h"
#include "cli/usage.h"
#include "patcher/patch_run.h"
#include "platform/files.h"
#include "settingsfile/settings_file.h"

namespace orvendel::cli {

namespace {

// Title of the warnings before writing: the application's own.
constexpr std::string_view kApplicationTitle = "Orvendel";

}  // namespace

int runApplyCommand(const std::vector<std::string>& args, CommandIo& io) {
    ParsedArguments parsed;
    if (const auto error = parsed.parse(args, kApplyCommand.options)) {
        return usageError(io, kApplyCommand, *error);
    }
    if (parsed.positional().size() != 2) {
        return usageError(io, kApplyCommand,
                          parsed.positional().size() < 2 ? "GAME_EXE and SETTINGS.chs are needed"
                                                         : "too many arguments");
    }
    const std::filesystem::path executable = argumentPath(parsed.positional()[0]);
    const std::filesystem::path settingsPath = argumentPath(parsed.positional()[1]);

    // A broken settings file stops the command before the executable is asked about or read.
    CameraSettings trial;
    if (const int code = reportSettingsLoad(loadSettingsFile(settingsPath, trial, kRevisionUnknown),
                                            settingsPath, io.err);
        code != kExitDone) {
        return code;
    }

    // The reading run needs no write access: the read-only question waits for the writing run.
    CameraState state;
    ProgressSink progress;
    ConsolePrompt prompt(io.err, parsed.has("--yes"));
    const RunResult read = readCameraValues(executable, state, progress);
    if (const int code = reportRun(read, prompt, io.err, /*quiet=*/true); code != kExitDone) {
        return code;
    }

    if (const int code = reportSettingsLoad(
            loadSettingsFile(settingsPath, state.settings, state.revision), settingsPath, io.err);
        code != kExitDone) {
        return code;
    }
    // The window shows a loaded height by picking its list item and writes that item's height.
    state.settings.CTHeight = snapHeightToList(state.settings.CTHeight);
    state.settings.DHeight = snapHeightToList(state.settings.DHeight);

    const ModifyWarning warning = modifyWarning(state.settings, state.revision);
    if (warning != ModifyWarning::None &&
        !prompt.confirm(kApplicationTitle, modifyWarningText(warning))) {
        return kExitNotConfirmed;
    }

    const RunResult write = writeAfterQuestions(executable, state, progress, prompt);
    if (!write.recognised() && prompt.clearedReadOnly()) {
        restoreReadOnly(executable, io.err);
    }
    return reportRun(write, prompt, io.err, /*quiet=*/false);
}

}  // namespace orvendel::cli
