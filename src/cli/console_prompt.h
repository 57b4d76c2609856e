// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>
#include <string_view>

#include "patcher/read_only_prompt.h"

namespace orvendel::cli {

// Asks the questions of a run on the command line: each question is printed with its text, and
// answered yes only when the user gave --yes up front. Remembers how the questions went, so
// that the command can tell a refusal from a failure.
class ConsolePrompt : public ReadOnlyPrompt {
public:
    ConsolePrompt(std::ostream& err, bool answerYes) : err_(err), answerYes_(answerYes) {}

    // The read-only question (kReadOnlyQuestion).
    bool askClearReadOnly() override;
    // The read-only failure (kReadOnlyClearFailed).
    void reportClearFailed() override;
    // The question before writing a file with other names (hardLinksQuestion).
    bool askReplaceLinkedFile(std::uint64_t otherNames) override;

    // Prints a question that needs OK (title, then text) and returns the answer.
    bool confirm(std::string_view title, std::string_view text);

    // True once a question was answered no.
    bool declined() const { return declined_; }
    // True once the read-only state could not be cleared.
    bool clearFailed() const { return clearFailed_; }
    // True when the read-only question was answered yes and the state was cleared.
    bool clearedReadOnly() const { return readOnlyConfirmed_ && !clearFailed_; }

private:
    std::ostream& err_;
    bool answerYes_;
    bool declined_ = false;
    bool clearFailed_ = false;
    bool readOnlyConfirmed_ = false;
};

}  // namespace orvendel::cli
