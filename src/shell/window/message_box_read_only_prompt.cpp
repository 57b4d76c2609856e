// SPDX-License-Identifier: MIT
#include "shell/window/message_box_read_only_prompt.h"

#include "shell/editor/message_boxes.h"
#include "shell/qt_text.h"

namespace orvendel {

bool MessageBoxReadOnlyPrompt::askClearReadOnly() {
    return messages_.askYesNo(toQString(kReadOnlyQuestion), toQString(kReadOnlyTitle));
}

void MessageBoxReadOnlyPrompt::reportClearFailed() {
    messages_.inform(toQString(kReadOnlyClearFailed), MessageBoxes::Icon::None,
                     toQString(kReadOnlyTitle));
}

bool MessageBoxReadOnlyPrompt::askReplaceLinkedFile(std::uint64_t otherNames) {
    return messages_.askYesNo(toQString(hardLinksQuestion(otherNames)), toQString(kHardLinksTitle));
}

}  // namespace orvendel
