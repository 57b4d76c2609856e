// SPDX-License-Identifier: MIT
#include "shell/editor/qt_message_boxes.h"

#include <QMessageBox>

namespace orvendel {

namespace {
QString titleOrDefault(const QString& title) {
    return title.isEmpty() ? MessageBoxes::applicationTitle() : title;
}

QMessageBox::Icon boxIcon(MessageBoxes::Icon icon) {
    return icon == MessageBoxes::Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon;
}

// Runs a box whose escape button (also the close box) is `escape`; returns the button pressed.
QMessageBox::StandardButton run(QWidget* parent, MessageBoxes::Icon icon, const QString& title,
                                const QString& text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton,
                                QMessageBox::StandardButton escape) {
    QMessageBox box(boxIcon(icon), titleOrDefault(title), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(escape);
    const int answer = box.exec();
    return static_cast<QMessageBox::StandardButton>(answer);
}
}  // namespace

bool QtMessageBoxes::askOkCancel(const QString& text, const QString& title) {
    return run(parent_, Icon::None, title, text, QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Ok, QMessageBox::Cancel) == QMessageBox::Ok;
}

bool QtMessageBoxes::askYesNo(const QString& text, const QString& title) {
    return run(parent_, Icon::None, title, text, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Yes, QMessageBox::No) == QMessageBox::Yes;
}

void QtMessageBoxes::inform(const QString& text, Icon icon, const QString& title) {
    run(parent_, icon, title, text, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok);
}

}  // namespace orvendel
