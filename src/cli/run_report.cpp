// SPDX-License-Identifier: MIT
#include "cli/run_report.h"

#include "cli/command.h"
#include "cli/exit_code.h"

namespace orvendel::cli {

int reportRun(const RunResult& result, const ConsolePrompt& prompt, std::ostream& err, bool quiet) {
    using Outcome = RunResult::Outcome;
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
