#include <gtest/gtest.h>

#include "shell/editor/scripted_message_boxes.h"

namespace orvendel {
namespace {

// The other widget tests rely on this double: answers in order, the cautious answer (and a
// count) for a question nobody expected, and a record of what the user would have seen.
TEST(ScriptedMessageBoxes, AnswersInOrderThenCautiouslyAndRecordsWhatWasShown) {
    ScriptedMessageBoxes boxes;
    boxes.queueAnswer(true);
    MessageBoxes& asked = boxes;
    EXPECT_TRUE(asked.askYesNo("Try anyway?", "Read Only"));
    EXPECT_FALSE(asked.askOkCancel("Write?"));
    asked.inform("Filename is in an unknown format.", MessageBoxes::Icon::Exclamation);
    EXPECT_EQ(boxes.unscriptedQuestions(), 1);
    ASSERT_EQ(boxes.shown().size(), 3);
    EXPECT_EQ(boxes.shown()[0].title, "Read Only");
    EXPECT_EQ(boxes.shown()[1].kind, ScriptedMessageBoxes::Kind::OkCancel);
    EXPECT_EQ(boxes.shown()[1].title, "Orvendel");
    EXPECT_EQ(boxes.shown()[2].icon, MessageBoxes::Icon::Exclamation);
}

}  // namespace
}  // namespace orvendel
