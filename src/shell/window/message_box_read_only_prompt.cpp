// SPDX-License-Identifier: MIT
#include "shell/window/message_box_read_only_prompt.h"

#include "shell/core_texts.h"
#include "shell/editor/message_boxes.h"

namespace orvendel {

bool MessageBoxReadOnlyPrompt::askClearReadOnly() {
    return messages_.askYesNo(windowText(kReadOnlyQuestion), windowText(kReadOnlyTitle));
}

void MessageBoxReadOnlyPrompt::reportClearFailed() {
    messages_.inform(windowText(kReadOnlyClearFailed), MessageBoxes::Icon::None,
                     windowText(kReadOnlyTitle));
}

bool MessageBoxReadOnlyPrompt::askReplaceLinkedFile(std::uint64_t otherNames) {
    return messages_.askYesNo(windowText(hardLinksQuestion(otherNames)),
                              windowText(kHardLinksTitle));
}

}  // namespace orvendel
