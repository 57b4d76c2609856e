// SPDX-License-Identifier: MIT
#include "shell/window/message_box_read_only_prompt.h"

#include <QString>

#include "shell/editor/message_boxes.h"

namespace orvendel {

namespace {

QString fromLatin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

bool MessageBoxReadOnlyPrompt::askClearReadOnly() {
    return messages_.askYesNo(fromLatin1(kReadOnlyQuestion), fromLatin1(kReadOnlyTitle));
}

void MessageBoxReadOnlyPrompt::reportClearFailed() {
    messages_.inform(fromLatin1(kReadOnlyClearFailed), MessageBoxes::Icon::None,
                     fromLatin1(kReadOnlyTitle));
}

bool MessageBoxReadOnlyPrompt::askReplaceLinkedFile(std::uint64_t otherNames) {
    return messages_.askYesNo(QString::fromStdString(hardLinksQuestion(otherNames)),
                              fromLatin1(kHardLinksTitle));
}

}  // namespace orvendel
