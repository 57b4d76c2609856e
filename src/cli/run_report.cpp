#include "cli/run_report.h"

#include "cli/exit_code.h"

namespace orvendel::cli {

int reportRun(const RunResult& result, const ConsolePrompt& prompt, std::ostream& out,
              std::ostream& err, bool quiet) {
    using Outcome = RunResult::Outcome;
    switch (result.outcome) {
        case Outcome::Loaded:
        case Outcome::Modified:
        case Outcome::Restored:
            if (!quiet) {
                out << result.status << '\n';
            }
            return kExitDone;
        case Outcome::UnknownVersion:
            err << result.status << '\n';
            return kExitNotRecognised;
        case Outcome::WouldBeUnrecognisable:
            err << result.status << '\n';
            return kExitWouldBeUnrecognisable;
        case Outcome::Refused:
            // The prompt has already printed the question or the failure.
            if (!result.status.empty()) {
                err << result.status << '\n';
            }
            return prompt.clearFailed() || !prompt.declined() ? kExitFileError : kExitNotConfirmed;
        case Outcome::FileError:
        case Outcome::NothingToWrite:
            break;
    }
    err << result.status << '\n';
    return kExitFileError;
}

}  // namespace orvendel::cli
