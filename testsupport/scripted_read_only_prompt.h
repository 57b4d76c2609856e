// SPDX-License-Identifier: MIT
#pragma once

#include "patcher/read_only_prompt.h"

namespace orvendel {

// Answers the read-only and the other-names question with a fixed answer and counts what was
// shown.
class ScriptedReadOnlyPrompt : public ReadOnlyPrompt {
public:
    explicit ScriptedReadOnlyPrompt(bool answerYes) : answerYes_(answerYes) {}

    bool askClearReadOnly() override {
        ++questions;
        return answerYes_;
    }
    void reportClearFailed() override { ++failureReports; }
    bool askReplaceLinkedFile(std::uint64_t otherNames) override {
        ++linkQuestions;
        lastOtherNames = otherNames;
        return answerYes_;
    }

    int questions = 0;
    int failureReports = 0;
    int linkQuestions = 0;
    std::uint64_t lastOtherNames = 0;

private:
    bool answerYes_;
};

}  // namespace orvendel
