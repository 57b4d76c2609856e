// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <deque>

#include "shell/editor/message_boxes.h"

namespace orvendel {

// Message boxes answered from a script, for tests: every box is recorded, and questions take
// their answers from a queue (OK/Yes = true). A question asked with the queue empty gets the
// cautious answer (Cancel/No) and is counted, so that a test notices an unexpected box.
class ScriptedMessageBoxes : public MessageBoxes {
public:
    enum class Kind { OkCancel, YesNo, Inform };

    // One box as it would have been shown; the title is the one the user would see.
    struct Shown {
        Kind kind;
        QString title;
        QString text;
        Icon icon;
    };

    // Appends the answer for the next question.
    void queueAnswer(bool answer) { answers_.push_back(answer); }

    const QList<Shown>& shown() const { return shown_; }
    int unscriptedQuestions() const { return unscripted_; }
    int pendingAnswers() const { return static_cast<int>(answers_.size()); }
    void clear();

    bool askOkCancel(const QString& text, const QString& title = QString()) override;
    bool askYesNo(const QString& text, const QString& title = QString()) override;
    void inform(const QString& text, Icon icon = Icon::None,
                const QString& title = QString()) override;

private:
    bool answer();

    std::deque<bool> answers_;
    QList<Shown> shown_;
    int unscripted_ = 0;
};

}  // namespace orvendel
