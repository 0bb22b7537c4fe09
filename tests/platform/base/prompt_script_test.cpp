// tests/platform/base/prompt_script_test.cpp: default buttons, the scripted prompt and the routing
// of the free prompt calls.
#include "platform/base/prompt.h"
#include "platform/base/prompt_script.h"

#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct DefaultRow {
    UINT style;
    int expected;
};

class DefaultAnswerTest : public testing::TestWithParam<DefaultRow> {};

TEST_P(DefaultAnswerTest, IsTheButtonTheStyleMakesDefault)
{
    EXPECT_EQ(DefaultAnswer(GetParam().style), GetParam().expected) << std::hex << GetParam().style;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DefaultAnswerTest,
    testing::Values(DefaultRow{MB_OK | MB_ICONSTOP, IDOK},
                    DefaultRow{MB_OK | MB_DEFBUTTON2, IDOK}, // no second button
                    DefaultRow{MB_OKCANCEL, IDOK},
                    DefaultRow{MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
                    DefaultRow{MB_YESNO | MB_ICONQUESTION, IDYES},
                    DefaultRow{MB_YESNO | MB_DEFBUTTON2, IDNO}, DefaultRow{MB_YESNOCANCEL, IDYES},
                    DefaultRow{MB_YESNOCANCEL | MB_DEFBUTTON2, IDNO},
                    DefaultRow{MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
                    DefaultRow{MB_YESNO | MB_DEFBUTTON3, IDYES},
                    DefaultRow{MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE},
                    DefaultRow{MB_RETRYCANCEL, IDRETRY}));

TEST(PromptScriptTest, AnswersFromTheQueueInOrderAndRecordsEachBox)
{
    CPromptScript script;
    script.Answer(IDNO);
    script.Answer(IDCANCEL);
    EXPECT_EQ(script.MessageBox("First?", MB_YESNO, "Cap"), IDNO);
    EXPECT_EQ(script.MessageBox("Second?", MB_OKCANCEL, ""), IDCANCEL);
    EXPECT_FALSE(script.HasQueuedAnswers());
    const auto shown = script.TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "First?");
    EXPECT_EQ(shown[0].caption, "Cap");
    EXPECT_EQ(shown[0].style, MB_YESNO);
    EXPECT_EQ(shown[1].answer, IDCANCEL);
    EXPECT_TRUE(script.TakeMessages().empty());
}

TEST(PromptScriptTest, UnansweredBoxIsReportedAndEndsAsCancelOrNo)
{
    CPromptScript script;
    std::vector<std::string> reported;
    script.SetOnUnanswered([&](const std::string& text) { reported.push_back(text); });
    EXPECT_EQ(script.MessageBox("Delete?", MB_YESNO | MB_DEFBUTTON1, ""), IDNO);
    EXPECT_EQ(script.MessageBox("Save?", MB_YESNOCANCEL, ""), IDCANCEL);
    EXPECT_EQ(script.MessageBox("Done.", MB_OK, ""), IDOK);
    EXPECT_EQ(reported, (std::vector<std::string>{"Delete?", "Save?", "Done."}));
    EXPECT_EQ(script.TakeMessages().size(), 3u);
}

TEST(PromptScriptTest, AnswerDefaultsTakesTheDefaultButtonSilently)
{
    CPromptScript script;
    bool reported = false;
    script.SetOnUnanswered([&](const std::string&) { reported = true; });
    script.SetAnswerDefaults(true);
    EXPECT_EQ(script.MessageBox("Replace?", MB_YESNO | MB_DEFBUTTON2, ""), IDNO);
    EXPECT_EQ(script.MessageBox("Go on?", MB_OKCANCEL, ""), IDOK);
    EXPECT_FALSE(reported);
}

TEST(PromptTest, FreeCallsRouteToTheInstalledPromptWithTheApplicationCaption)
{
    CPromptScript script;
    SetPrompt(&script);
    SetPromptCaption("Ardenvel");
    script.Answer(IDYES);
    EXPECT_EQ(MessageBox("Continue?", MB_YESNO), IDYES);
    script.Answer(IDOK);
    MessageBox("Own caption", MB_OK, "Other");
    MessageBeep(MB_ICONEXCLAMATION);
    EXPECT_GT(ShellOpen("/tmp/report.txt"), 32);
    const auto shown = script.TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption, "Ardenvel");
    EXPECT_EQ(shown[1].caption, "Other");
    EXPECT_EQ(script.BeepCount(), 1);
    EXPECT_EQ(script.TakeShellOpens(), (std::vector<std::string>{"/tmp/report.txt"}));

    SetPrompt(nullptr);
    EXPECT_EQ(MessageBox("Nobody to ask", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
    EXPECT_LE(ShellOpen("/tmp/report.txt"), 32);
    SetPromptCaption("");
    SetPrompt(&test_support::Prompt());
}
