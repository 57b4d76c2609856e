// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace orvendel {

// The program's message boxes, behind one small interface so that tests answer them from a
// script. A box given no title carries the application title.
class MessageBoxes {
public:
    enum class Icon { None, Exclamation };

    // The caption of every box that has no title of its own.
    static QString applicationTitle() { return QStringLiteral("Orvendel"); }

    virtual ~MessageBoxes() = default;

    // Asks with OK and Cancel; true for OK. Cancel, Escape or closing the box give false.
    virtual bool askOkCancel(const QString& text, const QString& title = QString()) = 0;

    // Asks with Yes and No; true for Yes. No, Escape or closing the box give false.
    virtual bool askYesNo(const QString& text, const QString& title = QString()) = 0;

    // Tells the user something; the box has an OK button only.
    virtual void inform(const QString& text, Icon icon = Icon::None,
                        const QString& title = QString()) = 0;
};

}  // namespace orvendel
