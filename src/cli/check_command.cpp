// SPDX-License-Identifier: MIT
#include "cli/check_command.h"

#include <cstdint>

#include "cli/argument_parser.h"
#include "cli/exit_code.h"
#include "cli/record_printer.h"
#include "cli/run_report.h"
#include "cli/usage.h"
#include "platform/files.h"
#include "settingsfile/settings_file.h"

namespace orvendel::cli {

int runCheckCommand(const std::vector<std::string>& args, CommandIo& io) {
    ParsedArguments parsed;
    if (const auto error = parsed.parse(args, kCheckCommand.options)) {
        return usageError(io, kCheckCommand, *error);
    }
    if (parsed.positional().size() != 1) {
        return usageError(
            io, kCheckCommand,
            parsed.positional().empty() ? "SETTINGS.chs is missing" : "too many arguments");
    }
    std::int16_t revision = kRevisionUnknown;
    if (const auto text = parsed.value("--revision")) {
        if (*text == "0" || *text == "1") {
            revision = static_cast<std::int16_t>(*text == "1");
        } else if (*text != "-1") {
            return usageError(io, kCheckCommand, "--revision must be -1, 0 or 1");
        }
    }

    const std::filesystem::path path = argumentPath(parsed.positional()[0]);
    CameraSettings settings;
    // A file of an unknown format still shows the record, clamped for the revision.
    const int code = reportSettingsLoad(loadSettingsFile(path, settings, revision), path, io.err);
    if (code == kExitFileError) {
        return code;
    }
    if (parsed.has("--json")) {
        printRecordJson(io.out, settings, revision);
    } else {
        printRecordTable(io.out, settings, revision);
    }
    return code;
}

}  // namespace orvendel::cli
