#include <gtest/gtest.h>

#include "shell/editor/scripted_message_boxes.h"

namespace orvendel {
namespace {

TEST(ScriptedMessageBoxes, AnswersInOrderAndRecordsWhatTheUserWouldSee) {
    ScriptedMessageBoxes boxes;
    boxes.queueAnswer(true);
    boxes.queueAnswer(false);
    MessageBoxes& asked = boxes;
    EXPECT_TRUE(asked.askYesNo("Try anyway?", "Read Only"));
    EXPECT_FALSE(asked.askOkCancel("Write?"));
    asked.inform("Filename is in an unknown format.", MessageBoxes::Icon::Exclamation);
    ASSERT_EQ(boxes.shown().size(), 3);
    EXPECT_EQ(boxes.shown()[0].kind, ScriptedMessageBoxes::Kind::YesNo);
    EXPECT_EQ(boxes.shown()[0].title, "Read Only");
    EXPECT_EQ(boxes.shown()[1].title, "Orvendel");  // no title of its own
    EXPECT_EQ(boxes.shown()[2].icon, MessageBoxes::Icon::Exclamation);
    EXPECT_EQ(boxes.shown()[2].title, "Orvendel");
    EXPECT_EQ(boxes.unscriptedQuestions(), 0);
}

TEST(ScriptedMessageBoxes, AnUnexpectedQuestionGetsTheCautiousAnswerAndIsCounted) {
    ScriptedMessageBoxes boxes;
    EXPECT_FALSE(boxes.askOkCancel("Write?"));
    EXPECT_FALSE(boxes.askYesNo("Try anyway?"));
    EXPECT_EQ(boxes.unscriptedQuestions(), 2);
    boxes.clear();
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(boxes.unscriptedQuestions(), 0);
}

}  // namespace
}  // namespace orvendel
