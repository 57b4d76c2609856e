// SPDX-License-Identifier: MIT
#include "cli/run_report.h"

#include "cli/command.h"
#include "cli/exit_code.h"
#include "platform/file_status.h"
#include "platform/files.h"

namespace orvendel::cli {

void restoreReadOnly(const std::filesystem::path& executable, std::ostream& err) {
    if (FileStatus status = setReadOnlyAttribute(executable); !status)
        err << kErrorPrefix << status.message() << '\n';
}

int reportSettingsLoad(const Result<SettingsFormat>& result, const std::filesystem::path& path,
                       std::ostream& err) {
    if (!result) {
        err << kErrorPrefix << result.message() << '\n';
        return kExitFileError;
    }
    if (result == SettingsFormat::Unknown) {
        err << kErrorPrefix << quoted(path) << ": " << kUnknownFormatMessage << '\n';
        return kExitUnknownFormat;
    }
    return kExitDone;
}

int reportRun(const RunResult& result, const ConsolePrompt& prompt, std::ostream& err, bool quiet) {
    using Outcome = RunResult::Outcome;
    if (!result.cleanUp)
        err << kErrorPrefix << result.cleanUp.message() << '\n';
    switch (result.outcome) {
        case Outcome::Loaded:
        case Outcome::Modified:
        case Outcome::Restored:
            if (!quiet) {
                err << result.status << '\n';
            }
            return kExitDone;
        case Outcome::UnknownVersion:
            err << kErrorPrefix << result.status << '\n';
            return kExitNotRecognised;
        case Outcome::WouldBeUnrecognisable:
            err << kErrorPrefix << result.status << '\n';
            return kExitWouldBeUnrecognisable;
        case Outcome::UntrustedCopy:
            err << kErrorPrefix << result.status << '\n';
            return kExitUntrustedCopy;
        case Outcome::Refused:
            // The prompt has already printed the question or the failure.
            if (!result.status.empty()) {
                err << kErrorPrefix << result.status << '\n';
            }
            return prompt.clearFailed() || !prompt.declined() ? kExitFileError : kExitNotConfirmed;
        case Outcome::FileError:
        case Outcome::NothingToWrite:
            break;
    }
    err << kErrorPrefix << result.status << '\n';
    return kExitFileError;
}

}  // namespace orvendel::cli
