// SPDX-License-Identifier: MIT
#include "cli/console_prompt.h"

#include "cli/command.h"

namespace orvendel::cli {

bool ConsolePrompt::confirm(std::string_view title, std::string_view text) {
    err_ << title << ": " << text << '\n';
    if (answerYes_) {
        err_ << "Answered yes (--yes).\n";
        return true;
    }
    err_ << kErrorPrefix << "Not confirmed: give --yes to answer yes. Nothing was written.\n";
    declined_ = true;
    return false;
}

bool ConsolePrompt::askClearReadOnly() {
    readOnlyConfirmed_ = confirm(kReadOnlyTitle, kReadOnlyQuestion);
    return readOnlyConfirmed_;
}

bool ConsolePrompt::askReplaceLinkedFile(std::uint64_t otherNames) {
    return confirm(kHardLinksTitle, hardLinksQuestion(otherNames));
}

void ConsolePrompt::reportClearFailed() {
    clearFailed_ = true;
    err_ << kErrorPrefix << kReadOnlyTitle << ": " << kReadOnlyClearFailed << '\n';
}

}  // namespace orvendel::cli
