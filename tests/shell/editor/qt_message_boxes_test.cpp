// SPDX-License-Identifier: MIT
#include "shell/editor/qt_message_boxes.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace orvendel {
namespace {

// What the user saw in the box that was answered; `shown` stays false while no box came up.
struct Seen {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Answers the next message box, once the event loop of its exec() runs, by pressing `button`,
// or Escape for NoButton. Forgets what the previous box showed.
void answerNextBox(Seen& seen, QMessageBox::StandardButton button) {
    seen = Seen();
    QTimer::singleShot(0, [&seen, button] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible())
                continue;
            seen = {true, box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
            if (button == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(button)->click();
            return;
        }
    });
}

TEST(QtMessageBoxes, ButtonsTitlesIconsAndEscapeAsTheUserSeesThem) {
    QtMessageBoxes boxes;
    Seen seen;
    answerNextBox(seen, QMessageBox::Ok);
    EXPECT_TRUE(boxes.askOkCancel("Write it?"));
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Orvendel");
    EXPECT_EQ(seen.text, "Write it?");
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    answerNextBox(seen, QMessageBox::NoButton);
    EXPECT_FALSE(boxes.askOkCancel("Write it?"));
    EXPECT_TRUE(seen.shown);

    answerNextBox(seen, QMessageBox::Yes);
    EXPECT_TRUE(boxes.askYesNo("Try anyway?", "Read Only"));
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Read Only");
    EXPECT_EQ(seen.text, "Try anyway?");
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    answerNextBox(seen, QMessageBox::NoButton);
    EXPECT_FALSE(boxes.askYesNo("Try anyway?", "Read Only"));
    EXPECT_TRUE(seen.shown);

    answerNextBox(seen, QMessageBox::Ok);
    boxes.inform("Filename is in an unknown format.", MessageBoxes::Icon::Exclamation);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.text, "Filename is in an unknown format.");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
}

}  // namespace
}  // namespace orvendel
