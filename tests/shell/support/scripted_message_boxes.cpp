// SPDX-License-Identifier: MIT
#include "scripted_message_boxes.h"

namespace orvendel {

namespace {
QString titleOrDefault(const QString& title) {
    return title.isEmpty() ? MessageBoxes::applicationTitle() : title;
}
}  // namespace

void ScriptedMessageBoxes::clear() {
    answers_.clear();
    shown_.clear();
    unscripted_ = 0;
}

bool ScriptedMessageBoxes::answer() {
    if (answers_.empty()) {
        ++unscripted_;
        return false;
    }
    const bool next = answers_.front();
    answers_.pop_front();
    return next;
}

bool ScriptedMessageBoxes::askOkCancel(const QString& text, const QString& title) {
    shown_.append({Kind::OkCancel, titleOrDefault(title), text, Icon::None});
    return answer();
}

bool ScriptedMessageBoxes::askYesNo(const QString& text, const QString& title) {
    shown_.append({Kind::YesNo, titleOrDefault(title), text, Icon::None});
    return answer();
}

void ScriptedMessageBoxes::inform(const QString& text, Icon icon, const QString& title) {
    shown_.append({Kind::Inform, titleOrDefault(title), text, icon});
}

}  // namespace orvendel
