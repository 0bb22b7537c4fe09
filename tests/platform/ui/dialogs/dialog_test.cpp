// tests/platform/ui/dialogs/dialog_test.cpp: modal dialogs run by a test driver, the default button
// and the keys, mnemonic letters typed without Alt, the standard commands, the controls reached by
// id, and a title bar with its close box alone.
#include "platform/base/prompt.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"
#include "tests/platform/ui/dialogs/dialog_fixture.h"

#include <gtest/gtest-spi.h>

namespace {

using dialog_test::DialogResources;
using dialog_test::RecordingDialog;

/// The exchange dialog with a name and a number of years from 0 to 100.
class NameDialog : public CDialog {
public:
    NameDialog() : CDialog(200) {}

    std::string m_name = "Ann";
    UINT m_years = 70;
    int m_initialised = 0;
    int m_cancelled = 0;

protected:
    BOOL OnInitDialog() override
    {
        ++m_initialised;
        return CDialog::OnInitDialog();
    }
    void OnCancel() override
    {
        ++m_cancelled;
        CDialog::OnCancel();
    }
    void DoDataExchange(CDataExchange& dx) override
    {
        dx.Text(201, m_name);
        dx.Text(202, m_years);
        dx.Range(m_years, 0u, 100u);
    }
};

class DialogTest : public DialogResources {};

TEST_F(DialogTest, DriverTypesAndPressesOk)
{
    NameDialog dialog;
    std::string shownName;
    TestHooks::OnNextDialog(200, [&](CDialog& running) {
        running.GetDlgItemText(201, shownName);
        TestHooks::SetText(running, 201, "Smith");
        TestHooks::Click(running, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shownName, "Ann"); // OnInitDialog showed the member
    EXPECT_EQ(dialog.m_name, "Smith");
    EXPECT_EQ(dialog.m_initialised, 1);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST_F(DialogTest, RefusedValueKeepsTheDialogOpenWithTheFocusOnIt)
{
    NameDialog dialog;
    TestHooks::OnNextDialog(0, [&](CDialog& running) {
        TestHooks::SetText(running, 202, "101");
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(running, IDOK);
        EXPECT_TRUE(running.IsWindowVisible());
        EXPECT_EQ(CWnd::GetFocus(), running.GetDlgItem(202));
        int start = -1, end = -1;
        static_cast<CEdit*>(running.GetDlgItem(202))->GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, 3);
        TestHooks::SetText(running, 202, "100");
        TestHooks::Click(running, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Enter a whole number from 0 to 100.");
    EXPECT_EQ(dialog.m_years, 100u);
}

TEST_F(DialogTest, CancelLeavesTheMembersAlone)
{
    NameDialog dialog;
    TestHooks::OnNextDialog(200, [](CDialog& running) {
        TestHooks::SetText(running, 201, "Smith");
        TestHooks::Click(running, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_name, "Ann");
    EXPECT_EQ(dialog.m_cancelled, 1);
}

TEST_F(DialogTest, KeysAndCloseBoxPressTheirButtons)
{
    struct Case {
        const char* name;
        std::function<void(CDialog&)> act;
        int result;
    };
    const Case cases[] = {
        {"Enter in an edit",
         [](CDialog& d) { TestHooks::PostKey(*d.GetDlgItem(201), VK_RETURN, 0); }, IDOK},
        {"Escape", [](CDialog& d) { TestHooks::PostKey(*d.GetDlgItem(201), VK_ESCAPE, 0); },
         IDCANCEL},
        {"close box", [](CDialog& d) { TestHooks::PressCloseBox(d); }, IDCANCEL},
        {"Enter with Cancel as default",
         [](CDialog& d) {
             d.SetDefID(IDCANCEL);
             TestHooks::PostKey(*d.GetDlgItem(201), VK_RETURN, 0);
         },
         IDCANCEL},
    };
    for (const Case& c : cases) {
        NameDialog dialog;
        TestHooks::OnNextDialog(200, [&](CDialog& running) {
            c.act(running);
            TestHooks::DeliverPosted();
        });
        EXPECT_EQ(dialog.DoModal(), c.result) << c.name;
    }
}

TEST_F(DialogTest, PlainLetterPressesItsMnemonicUnlessTheFocusTakesLetters)
{
    constexpr int kNote = 131, kList = 132, kMale = 1000, kFemale = 1001, kGrid = 140;
    struct Case {
        const char* name;
        int focus;
        UINT vk;
        UINT mk;
        const char* clicked; // the BN_CLICKED notice expected, or "" for none
        int focusAfter;
    };
    const Case cases[] = {
        {"M on a button", kFemale, 'M', 0, "1000:0", kMale},
        {"Shift+F on a button", kMale, 'F', MK_SHIFT, "1001:0", kFemale},
        {"a label's letter", kMale, 'N', 0, "", kNote},
        {"a letter no control has", kFemale, 'X', 0, "", kFemale},
        {"Ctrl with the letter", kFemale, 'M', MK_CONTROL, "", kFemale},
        {"M typed into an edit", kNote, 'M', 0, "", kNote},
        {"M in a drop-down list", kList, 'M', 0, "", kList},
        {"M in a grid", kGrid, 'M', 0, "", kGrid},
    };
    for (const Case& c : cases) {
        RecordingDialog dialog(130);
        ASSERT_TRUE(dialog.Create(130));
        CWnd grid; // a window the program draws, which lets the letter go unused
        ASSERT_TRUE(grid.Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                CRect(10, 10, 60, 40), &dialog, kGrid));
        dialog.ShowWindow(SW_SHOW);
        CWnd* focus = c.focus == kGrid ? &grid : dialog.GetDlgItem(c.focus);
        focus->SetFocus();
        dialog.Take();

        TestHooks::PostKey(*focus, c.vk, c.mk);
        TestHooks::DeliverPosted();

        std::vector<std::string> clicks;
        for (const std::string& seen : dialog.Take())
            if (seen.ends_with(":0"))
                clicks.push_back(seen);
        EXPECT_EQ(clicks, std::string(c.clicked).empty() ? std::vector<std::string>{}
                                                         : std::vector<std::string>{c.clicked})
            << c.name;
        ASSERT_NE(CWnd::GetFocus(), nullptr) << c.name;
        EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), c.focusAfter) << c.name;
        if (c.focus == kNote) {
            std::string typed;
            dialog.GetDlgItemText(kNote, typed);
            EXPECT_EQ(typed, "m") << c.name;
        }
        grid.DestroyWindow();
        dialog.DestroyWindow();
    }
}

TEST_F(DialogTest, DisabledDefaultButtonIgnoresEnter)
{
    NameDialog dialog;
    TestHooks::OnNextDialog(200, [](CDialog& running) {
        running.GetDlgItem(IDOK)->EnableWindow(FALSE);
        TestHooks::PostKey(*running.GetDlgItem(201), VK_RETURN, 0);
        TestHooks::DeliverPosted();
        EXPECT_TRUE(running.IsWindowVisible());
        EXPECT_EQ(LOWORD(running.GetDefID()), IDOK);
        EXPECT_NONFATAL_FAILURE(TestHooks::Click(running, IDOK), "disabled");
        running.EndDialog(7);
    });
    EXPECT_EQ(dialog.DoModal(), 7);
}

TEST_F(DialogTest, DialogWithoutDriverFailsAndEndsAsCancel)
{
    NameDialog dialog;
    int result = 0;
    EXPECT_NONFATAL_FAILURE(result = dialog.DoModal(),
                            "Dialog 200 was shown with no driver queued");
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.m_initialised, 1);
}

TEST_F(DialogTest, DriverThatLeavesTheDialogOpenFails)
{
    NameDialog dialog;
    TestHooks::OnNextDialog(200, [](CDialog&) {});
    int result = 0;
    EXPECT_NONFATAL_FAILURE(result = dialog.DoModal(), "still open");
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(DialogTest, DriverForAnotherTemplateFails)
{
    NameDialog dialog;
    bool ran = false;
    TestHooks::OnNextDialog(306, [&](CDialog&) { ran = true; });
    int result = 0;
    EXPECT_NONFATAL_FAILURE(result = dialog.DoModal(), "the next driver was for dialog 306");
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(ran);
}

TEST_F(DialogTest, NestedDialogTakesTheNextDriver)
{
    NameDialog outer;
    std::vector<std::string> order;
    TestHooks::OnNextDialog(200, [&](CDialog& running) {
        order.push_back("outer");
        NameDialog inner;
        inner.m_name = "Inner";
        EXPECT_EQ(inner.DoModal(), IDOK);
        TestHooks::Click(running, IDCANCEL);
    });
    TestHooks::OnNextDialog(200, [&](CDialog& running) {
        order.push_back("inner");
        TestHooks::Click(running, IDOK);
    });
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_EQ(order, (std::vector<std::string>{"outer", "inner"}));
}

TEST_F(DialogTest, ControlsByIdReadNumbersAndRadios)
{
    CDialog dialog(200);
    ASSERT_TRUE(dialog.Create(200));
    struct Case {
        const char* text;
        BOOL isSigned;
        UINT value;
        BOOL translated;
    };
    const Case cases[] = {
        {" 42 ", TRUE, 42, TRUE},       {"-7", TRUE, UINT(-7), TRUE},
        {"-7", FALSE, 0, FALSE},        {"4x", TRUE, 0, FALSE},
        {"", TRUE, 0, FALSE},           {"4294967295", FALSE, 4294967295u, TRUE},
        {"4294967295", TRUE, 0, FALSE},
    };
    for (const Case& c : cases) {
        dialog.SetDlgItemText(202, c.text);
        BOOL translated = -1;
        EXPECT_EQ(dialog.GetDlgItemInt(202, &translated, c.isSigned), c.value) << c.text;
        EXPECT_EQ(translated, c.translated) << c.text;
    }
    dialog.CheckRadioButton(211, 213, 212);
    EXPECT_EQ(dialog.GetCheckedRadioButton(211, 213), 212);
    dialog.CheckRadioButton(211, 213, 213);
    EXPECT_EQ(dialog.IsDlgButtonChecked(212), BST_UNCHECKED);
    EXPECT_EQ(dialog.GetCheckedRadioButton(211, 222), 213);
    dialog.CheckRadioButton(211, 213, 0);
    EXPECT_EQ(dialog.GetCheckedRadioButton(211, 213), 0);
    dialog.CheckDlgButton(204, BST_CHECKED);
    EXPECT_EQ(dialog.IsDlgButtonChecked(204), BST_CHECKED);
}

/// A dialog that records the client sizes its OnSize was told, and may keep its opening size as
/// its least.
class SizedDialog : public CDialog {
public:
    SizedDialog(UINT templateId, bool keepMinimum) : CDialog(templateId), m_keepMinimum(keepMinimum)
    {
    }
    std::vector<CSize> m_sizes;

protected:
    BOOL OnInitDialog() override
    {
        if (m_keepMinimum)
            KeepOpeningSizeAsMinimum();
        return CDialog::OnInitDialog();
    }
    void OnSize(UINT type, int cx, int cy) override
    {
        CDialog::OnSize(type, cx, cy);
        m_sizes.emplace_back(cx, cy);
    }

private:
    bool m_keepMinimum;
};

TEST_F(DialogTest, TheUserResizesOnlyAResizableDialogAndNotBelowTheLeastSizeItAsksFor)
{
    struct Case {
        UINT templateId;
        bool keepMinimum;
    };
    for (const Case c : {Case{120, true}, Case{120, false}, Case{200, true}}) {
        SizedDialog dialog(c.templateId, c.keepMinimum);
        ASSERT_TRUE(dialog.Create(c.templateId));
        dialog.ShowWindow(SW_SHOW);
        CRect opening;
        dialog.GetClientRect(&opening);
        const int w = opening.Width(), h = opening.Height();
        dialog.m_sizes.clear();
        const auto dragTo = [&dialog](int width, int height) {
            TestHooks::DragWindowSize(dialog, width, height);
            CRect client;
            dialog.GetClientRect(&client);
            return client.Size();
        };
        const std::vector<CSize> asked = {{w + 80, h + 60}, {w / 2, h / 2}, {w + 10, h / 2}};
        std::vector<CSize> expected;
        if (c.templateId == 120 && c.keepMinimum)
            expected = {{w + 80, h + 60}, {w, h}, {w + 10, h}};
        else if (c.templateId == 120)
            expected = asked;
        else
            expected = {{w, h}, {w, h}, {w, h}};
        std::vector<CSize> got;
        for (const CSize& size : asked)
            got.push_back(dragTo(size.cx, size.cy));
        EXPECT_EQ(got, expected) << c.templateId << " " << c.keepMinimum;
        if (c.templateId == 120)
            EXPECT_EQ(dialog.m_sizes, expected) << "each size reaches OnSize";
        else
            EXPECT_TRUE(dialog.m_sizes.empty());
    }
}

TEST_F(DialogTest, FocusStartsOnTheFirstTabStopAndMovesInTemplateOrder)
{
    NameDialog dialog;
    std::vector<int> visited;
    TestHooks::OnNextDialog(200, [&](CDialog& running) {
        for (int step = 0; step < 4; ++step) {
            visited.push_back(CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : 0);
            running.NextDlgCtrl();
        }
        running.PrevDlgCtrl();
        visited.push_back(CWnd::GetFocus()->GetDlgCtrlID());
        running.EndDialog(IDOK);
    });
    dialog.DoModal();
    EXPECT_EQ(visited, (std::vector<int>{201, 202, 203, 204, 204}));
}

TEST_F(DialogTest, TitleBarHoldsTheCloseBoxAlone)
{
    NameDialog dialog;
    ASSERT_TRUE(dialog.Create(200, nullptr));
    const Qt::WindowFlags flags = ui_detail::WidgetOf(&dialog)->windowFlags();
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << "else the window manager adds its own boxes";
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    dialog.DestroyWindow();
}

TEST_F(DialogTest, TabKeyInAControlMovesTheFocusOneStep)
{
    NameDialog dialog;
    ASSERT_TRUE(dialog.Create(200, nullptr));
    dialog.ShowWindow(SW_SHOW);
    dialog.GetDlgItem(201)->SetFocus();
    std::vector<int> visited;
    for (int step = 0; step < 3; ++step) {
        TestHooks::PostKey(*CWnd::GetFocus(), VK_TAB, 0);
        TestHooks::DeliverPosted();
        visited.push_back(CWnd::GetFocus()->GetDlgCtrlID());
    }
    TestHooks::PostKey(*CWnd::GetFocus(), VK_TAB, MK_SHIFT);
    TestHooks::DeliverPosted();
    visited.push_back(CWnd::GetFocus()->GetDlgCtrlID());
    EXPECT_EQ(visited, (std::vector<int>{202, 203, 204, 203}));
    dialog.DestroyWindow();
}

} // namespace
