#pragma once

#include "patcher/read_only_prompt.h"

namespace orvendel {

class MessageBoxes;

// Asks the read-only question and reports the failure to clear the attribute in message boxes
// titled "Read Only".
class MessageBoxReadOnlyPrompt : public ReadOnlyPrompt {
public:
    explicit MessageBoxReadOnlyPrompt(MessageBoxes& messages) : messages_(messages) {}

    // Yes/No box with the read-only question; true for Yes.
    bool askClearReadOnly() override;
    // OK box saying that the attribute could not be removed.
    void reportClearFailed() override;

private:
    MessageBoxes& messages_;
};

}  // namespace orvendel
