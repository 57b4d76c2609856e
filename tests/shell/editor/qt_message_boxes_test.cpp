#include "shell/editor/qt_message_boxes.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

namespace orvendel {
namespace {

// What the user saw in the box that was answered.
struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Answers the next message box, once the event loop of its exec() runs, with `answer`.
void answerNextBox(Seen& seen, std::function<void(QMessageBox&)> answer) {
    QTimer::singleShot(0, [&seen, answer] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible())
                continue;
            seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
            answer(*box);
            return;
        }
    });
}

auto press(QMessageBox::StandardButton which) {
    return [which](QMessageBox& box) { box.button(which)->click(); };
}
void escape(QMessageBox& box) {
    QTest::keyClick(&box, Qt::Key_Escape);
}

TEST(QtMessageBoxes, ButtonsTitlesIconsAndEscapeAsTheUserSeesThem) {
    QtMessageBoxes boxes;
    Seen seen;
    answerNextBox(seen, press(QMessageBox::Ok));
    EXPECT_TRUE(boxes.askOkCancel("Write it?"));
    EXPECT_EQ(seen.title, "Orvendel");
    EXPECT_EQ(seen.text, "Write it?");
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    answerNextBox(seen, escape);
    EXPECT_FALSE(boxes.askOkCancel("Write it?"));

    answerNextBox(seen, press(QMessageBox::Yes));
    EXPECT_TRUE(boxes.askYesNo("Try anyway?", "Read Only"));
    EXPECT_EQ(seen.title, "Read Only");
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    answerNextBox(seen, escape);
    EXPECT_FALSE(boxes.askYesNo("Try anyway?", "Read Only"));

    answerNextBox(seen, press(QMessageBox::Ok));
    boxes.inform("Filename is in an unknown format.", MessageBoxes::Icon::Exclamation);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
}

}  // namespace
}  // namespace orvendel
