#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "shell/window/file_dialogs.h"

namespace orvendel {

// File dialogs answered from a script: each dialog takes the next queued answer (a path, or
// nothing for Cancel) and records how it was asked. A dialog with no answer queued is
// cancelled and counted, so that a test notices an unexpected dialog.
class ScriptedFileDialogs : public FileDialogs {
public:
    void queue(std::optional<QString> answer) { answers_.push_back(std::move(answer)); }

    // "executable:<current>", "open-settings" or "save-settings", one per dialog shown.
    const QStringList& asked() const { return asked_; }
    int unscripted() const { return unscripted_; }

    std::optional<QString> openExecutable(QWidget*, const QString& current) override {
        asked_ << QStringLiteral("executable:") + current;
        return next();
    }
    std::optional<QString> openSettings(QWidget*) override {
        asked_ << QStringLiteral("open-settings");
        return next();
    }
    std::optional<QString> saveSettings(QWidget*) override {
        asked_ << QStringLiteral("save-settings");
        return next();
    }

private:
    std::optional<QString> next() {
        if (answers_.empty()) {
            ++unscripted_;
            return std::nullopt;
        }
        auto answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }

    std::deque<std::optional<QString>> answers_;
    QStringList asked_;
    int unscripted_ = 0;
};

}  // namespace orvendel
