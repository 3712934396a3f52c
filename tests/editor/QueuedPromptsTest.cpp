// Answers queued ahead of the prompts: they serve the next prompts in
// order, questions take "yes" in any letter case, and once the queue is
// cleared the prompts reach the real dialogs again.
#include <gtest/gtest.h>

#include "editor/QueuedPrompts.h"
#include "editor/ScriptedPorts.h"

namespace kroma::test {
namespace {

TEST(QueuedPrompts, AnswersServeInOrderThenTheDialogsAsk) {
  TScriptedPrompts dialogs;
  TQueuedPrompts prompts(dialogs);
  prompts.Answer("7");
  prompts.Answer("YES");
  prompts.Answer("Yes");
  prompts.Answer("yess");
  EXPECT_EQ(prompts.InputBox("Kroma", "Width:", "1"), "7");
  EXPECT_TRUE(prompts.AskYesNo("Save?"));
  EXPECT_TRUE(prompts.AskYesNo("Save?"));
  EXPECT_FALSE(prompts.AskYesNo("Save?"));
  EXPECT_TRUE(dialogs.Log().empty()) << "queued answers never reach the dialogs";

  prompts.Answer("9");
  prompts.ClearAnswers();
  dialogs.Answer("3");
  EXPECT_EQ(prompts.InputBox("Kroma", "Width:", "1"), "3");
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Kind, "input");
}

}  // namespace
}  // namespace kroma::test
