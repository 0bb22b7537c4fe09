// tests/app/beginner_help_test.cpp: the guidance-document dialog and the show-once
// messages.
#include "app/beginner_help_dlg.h"
#include "app/show_again_dlg.h"
#include "platform/ui/windows/sys_metrics.h"
#include "tests/app/shell_dialogs_fixture.h"

namespace {

using app_test::ShellDialogTest;

constexpr int kShowAgainBox = 1258;

using BeginnerHelpTest = ShellDialogTest;

TEST_F(BeginnerHelpTest, ShowsTheDocumentAndReportsTheBox)
{
    CBeginnerHelpDlg dialog;
    dialog.m_path = test_support::WriteFile(m_folder + "/help.html",
                                            "<h3>Records</h3><p>Each person is a record.</p>");
    dialog.m_caption = "Records";
    TestHooks::OnNextDialog(248, [&](CDialog& dlg) {
        std::string text;
        dialog.GetTextControl().GetWindowText(text);
        EXPECT_EQ(text, "Records\r\nEach person is a record.");
        EXPECT_TRUE(dlg.GetDlgItem(ID_HELP)->IsWindowVisible());
        TestHooks::RenderWindow(dlg).SavePng("beginner_help.png");
        TestHooks::Click(dlg, kShowAgainBox);
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(dialog.m_showAgain);
}

TEST_F(BeginnerHelpTest, TheDialogGrowsWithItsDocumentUpToItsLargestHeight)
{
    std::string paragraphs;
    for (int i = 0; i < 8; ++i)
        paragraphs += "<p>Paragraph " + std::to_string(i) + "</p>";
    std::string many;
    for (int i = 0; i < 400; ++i)
        many += "<p>Line " + std::to_string(i) + "</p>";
    const int tallest = GetSystemMetrics(SM_CYFULLSCREEN) - 2 * GetSystemMetrics(SM_CYHSCROLL);
    struct Shown {
        int dialog = 0, text = 0, okBelowText = 0;
    };
    const auto show = [&](const std::string& html) {
        CBeginnerHelpDlg dialog;
        dialog.m_path = test_support::WriteFile(m_folder + "/help.html", html);
        Shown shown;
        TestHooks::OnNextDialog(248, [&](CDialog& dlg) {
            CRect window, text, ok;
            dlg.GetWindowRect(&window);
            dialog.GetTextControl().GetWindowRect(&text);
            dlg.GetDlgItem(IDOK)->GetWindowRect(&ok);
            shown = {window.Height(), text.Height(), ok.top - text.bottom};
            TestHooks::Click(dlg, IDCANCEL);
        });
        dialog.DoModal();
        return shown;
    };
    const Shown empty = show("");
    const Shown some = show(paragraphs);
    const Shown tall = show(many);
    EXPECT_GT(some.dialog, empty.dialog);
    EXPECT_GT(some.text, empty.text);
    EXPECT_EQ(some.dialog - empty.dialog, some.text - empty.text);
    EXPECT_EQ(some.okBelowText, empty.okBelowText) << "the buttons move down with the text";
    // The frame added when the dialog shows is not known while it grows.
    EXPECT_NEAR(tall.dialog, tallest, 8) << "no taller than allowed; the text scrolls";
    EXPECT_GT(tall.text, some.text);
    EXPECT_EQ(tall.okBelowText, empty.okBelowText);
}

TEST_F(BeginnerHelpTest, CloseOnlyLeavesOneCentredCloseButton)
{
    CBeginnerHelpDlg dialog;
    dialog.m_path = m_folder + "/missing.html";
    dialog.m_closeOnly = true;
    TestHooks::OnNextDialog(248, [&](CDialog& dlg) {
        std::string text;
        dialog.GetTextControl().GetWindowText(text);
        EXPECT_EQ(text, "");
        for (const int hidden : {IDOK, int(ID_HELP), kShowAgainBox})
            EXPECT_FALSE(dlg.GetDlgItem(hidden)->IsWindowVisible()) << hidden;
        EXPECT_EQ(ShellDialogTest::Text(dlg, IDCANCEL), "Close");
        CRect client, close;
        dlg.GetClientRect(&client);
        dlg.GetDlgItem(IDCANCEL)->GetWindowRect(&close);
        dlg.ScreenToClient(&close);
        EXPECT_LE(std::abs(close.left - (client.Width() - close.right)), 1);
        TestHooks::Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

constexpr std::uint32_t kKey = 77;
/// A string of the program's string table.
constexpr unsigned kMessageId = 57664;

using ShowOnceTest = ShellDialogTest;

TEST_F(ShowOnceTest, MessageWithoutAFlagIsNeverShown)
{
    // A dialog shown without a driver would fail the test.
    ShowOnceDialog(kKey, kMessageId, 0, "Hint");
    Prefs().m_showOnce[kKey] = false;
    ShowOnceDialog(kKey, kMessageId, 0, "Hint");
    Prefs().m_showOnce[kKey] = true;
    ShowOnceDialog(kKey, 0, 0, "Hint");
}

struct ShowOnceCase {
    const char* name;
    bool clearBox;
    int button;
    bool showAgain;
};

class ShowOnceCases : public ShowOnceTest, public testing::WithParamInterface<ShowOnceCase> {};

TEST_P(ShowOnceCases, OnlyOkWithTheBoxClearedStopsTheMessage)
{
    Prefs().m_showOnce[kKey] = true;
    TestHooks::OnNextDialog(402, [](CDialog& dlg) {
        std::string caption;
        dlg.GetWindowText(caption);
        EXPECT_EQ(caption, "Hint");
        EXPECT_EQ(ShellDialogTest::Text(dlg, 1295).substr(0, 8), "Show the");
        if (GetParam().clearBox)
            TestHooks::Click(dlg, kShowAgainBox);
        if (GetParam().button == IDOK)
            TestHooks::Click(dlg, IDOK);
        else
            TestHooks::PressCloseBox(dlg);
    });
    ShowOnceDialog(kKey, kMessageId, 0, "Hint");
    EXPECT_EQ(Prefs().m_showOnce[kKey], GetParam().showAgain);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShowOnceCases,
                         testing::Values(ShowOnceCase{"ClearedAndOk", true, IDOK, false},
                                         ShowOnceCase{"KeptAndOk", false, IDOK, true},
                                         ShowOnceCase{"ClearedAndClosed", true, IDCANCEL, true}),
                         [](const testing::TestParamInfo<ShowOnceCase>& info) {
                             return info.param.name;
                         });

} // namespace
