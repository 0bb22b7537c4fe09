// tests/platform/ui/windows/test_hooks_test.cpp: questions asked under the hooks are answered in
// order and recorded, so window tests can check the exact texts a user would see.
#include "platform/base/prompt.h"
#include "platform/ui/windows/test_hooks.h"

#include <gtest/gtest.h>

TEST(TestHooks, AnswersQuestionsInOrderAndRecordsThem)
{
    ASSERT_TRUE(TestHooks::IsEnabled());
    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_EQ(MessageBox("Save changes?", MB_YESNOCANCEL | MB_ICONQUESTION, "Ardenvel"), IDNO);
    EXPECT_EQ(MessageBox("Done.", MB_OK), IDOK);

    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "Save changes?");
    EXPECT_EQ(shown[0].caption, "Ardenvel");
    EXPECT_EQ(shown[0].style, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(shown[1].answer, IDOK);
    EXPECT_TRUE(TestHooks::TakeMessages().empty());
}

TEST(TestHooks, NothingIsLaunchedThroughTheDesktop)
{
    EXPECT_GT(ShellOpen("/tmp/report.html"), 32);
    EXPECT_EQ(TestHooks::TakeShellOpens(), std::vector<std::string>{"/tmp/report.html"});
}
