// SPDX-License-Identifier: MIT
#pragma once

#include "patcher/read_only_prompt.h"

namespace orvendel {

class MessageBoxes;

// The questions before a run, in message boxes: the read-only question and the failure to clear
// the attribute, and the question before writing a file that has other names (hard links).
class MessageBoxReadOnlyPrompt : public ReadOnlyPrompt {
public:
    explicit MessageBoxReadOnlyPrompt(MessageBoxes& messages) : messages_(messages) {}

    // Yes/No box with the read-only question; true for Yes.
    bool askClearReadOnly() override;
    // OK box saying that the attribute could not be removed.
    void reportClearFailed() override;
    // Yes/No box asking whether to modify a file that has `otherNames` further names; true for
    // Yes.
    bool askReplaceLinkedFile(std::uint64_t otherNames) override;

private:
    MessageBoxes& messages_;
};

}  // namespace orvendel
