// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QWidget>

#include "shell/editor/message_boxes.h"

namespace orvendel {

// Message boxes shown with QMessageBox, modal to `parent` (the main window) when one is given.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}

    // The window the boxes are modal to; it may be set once the window exists.
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    bool askOkCancel(const QString& text, const QString& title = QString()) override;
    bool askYesNo(const QString& text, const QString& title = QString()) override;
    void inform(const QString& text, Icon icon = Icon::None,
                const QString& title = QString()) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace orvendel
