// tests/platform/ui/dialogs/message_box_test.cpp: the desktop prompt under the test hooks: each
// style has its buttons and default, texts and captions are kept, a box asked while no window is
// active stands over the main window, an answer the box cannot give fails the test, and opening
// through the desktop reports missing files without launching.
#include "platform/ui/dialogs/message_box.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/support/test_support.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

struct StyleCase {
    const char* name;
    UINT style;
    int answer;        // answered by the test
    int defaultAnswer; // the box's default button
};

class MessageBoxStyles : public testing::TestWithParam<StyleCase> {};

TEST_P(MessageBoxStyles, AnswersWithTheButtonPressed)
{
    CMessageBox prompt;
    TestHooks::AnswerMessageBox(GetParam().answer);
    EXPECT_EQ(prompt.MessageBox("Question?", GetParam().style, "Box"), GetParam().answer);
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].style, GetParam().style);
}

TEST_P(MessageBoxStyles, DefaultButtonFollowsTheStyle)
{
    CMessageBox prompt;
    test_support::Prompt().SetAnswerDefaults(true);
    const int answer = prompt.MessageBox("Question?", GetParam().style, "Box");
    test_support::Prompt().SetAnswerDefaults(false);
    EXPECT_EQ(answer, GetParam().defaultAnswer);
    TestHooks::TakeMessages();
}

const StyleCase kStyles[] = {
    {"Ok", MB_OK | MB_ICONINFORMATION, IDOK, IDOK},
    {"OkCancel", MB_OKCANCEL | MB_ICONEXCLAMATION, IDCANCEL, IDOK},
    {"YesNo", MB_YESNO | MB_ICONQUESTION, IDNO, IDYES},
    {"YesNoNoByDefault", MB_YESNO | MB_DEFBUTTON2, IDYES, IDNO},
    {"YesNoCancel", MB_YESNOCANCEL | MB_ICONSTOP, IDYES, IDYES},
    {"YesNoCancelThird", MB_YESNOCANCEL | MB_DEFBUTTON3, IDNO, IDCANCEL},
    {"RetryCancel", MB_RETRYCANCEL, IDRETRY, IDRETRY},
    {"AbortRetryIgnore", MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDIGNORE, IDRETRY},
    {"DefaultPastTheButtons", MB_OK | MB_DEFBUTTON3, IDOK, IDOK},
};

INSTANTIATE_TEST_SUITE_P(Styles, MessageBoxStyles, testing::ValuesIn(kStyles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MessageBox, TextIsKeptAndCaptionDefaultsToTheApplicationTitle)
{
    CWinApp app("Ardenvel");
    CMessageBox prompt;
    const std::string text = "Records of this type are not shown.  Change the options?\n<b>x</b>";
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::AnswerMessageBox(IDOK);
    prompt.MessageBox(text, MB_OKCANCEL, "");
    prompt.MessageBox("Saved.", MB_OK, "Backup");
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, text);
    EXPECT_EQ(shown[0].caption, "Ardenvel");
    EXPECT_EQ(shown[1].caption, "Backup");
}

TEST(MessageBox, AQuestionAskedWhileNoWindowIsActiveStandsOverTheMainWindow)
{
    // As at start-up: the main window shows, and the desktop has not made it active yet.
    CWinApp app("Ardenvel");
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    app.m_pMainWnd = &main;
    main.ShowWindow(SW_SHOWNOACTIVATE);
    ASSERT_EQ(CWnd::GetActiveWindow(), nullptr);
    CMessageBox prompt;
    TestHooks::AnswerMessageBox(IDNO);
    EXPECT_EQ(prompt.MessageBox("Lines were skipped.", MB_YESNO, "Box"), IDNO);
    EXPECT_EQ(TestHooks::MessageBoxOwner(), &main);

    // Over a hidden main window the box stands alone.
    main.ShowWindow(SW_HIDE);
    TestHooks::AnswerMessageBox(IDOK);
    prompt.MessageBox("Alone.", MB_OK, "Box");
    EXPECT_EQ(TestHooks::MessageBoxOwner(), nullptr);
    TestHooks::TakeMessages();
    app.m_pMainWnd = nullptr;
    main.DestroyWindow();
}

TEST(MessageBox, AnswerTheBoxHasNoButtonForFailsAsCancel)
{
    CMessageBox prompt;
    TestHooks::AnswerMessageBox(IDYES);
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = prompt.MessageBox("Continue?", MB_OKCANCEL, "Box"),
                            "not a button of the box");
    EXPECT_EQ(answer, IDCANCEL);
    EXPECT_NONFATAL_FAILURE(answer = prompt.MessageBox("Sure?", MB_YESNO, "Box"),
                            "no answer queued");
    EXPECT_EQ(answer, IDNO);
    TestHooks::TakeMessages();
}

TEST(MessageBox, ShellOpenReportsMissingFilesAndLaunchesNothing)
{
    CMessageBox prompt;
    const std::string manual =
        test_support::WriteFile(test_support::NewFolder("shell") + "/manual.pdf", "%PDF");
    const int beeps = TestHooks::BeepCount();
    EXPECT_GT(prompt.ShellOpen(manual, "open"), 32);
    EXPECT_GT(prompt.ShellOpen("https://example.org/help", "open"), 32);
    EXPECT_EQ(prompt.ShellOpen(manual + ".missing", "open"), 2);
    EXPECT_EQ(prompt.ShellOpen("file:///no/such/file.html", "open"), 2);
    EXPECT_EQ(prompt.ShellOpen("C:\\Program Files\\Av.hlp", "open"), 2);
    prompt.MessageBeep(0);
    EXPECT_EQ(TestHooks::TakeShellOpens(),
              (std::vector<std::string>{manual, "https://example.org/help"}));
    EXPECT_EQ(TestHooks::BeepCount(), beeps + 1);
}

} // namespace
