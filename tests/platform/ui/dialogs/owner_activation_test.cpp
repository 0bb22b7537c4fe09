// tests/platform/ui/dialogs/owner_activation_test.cpp: a window that ends or hides while it is the
// active one gives the activation back to its owner, with the focus where the owner had it, once
// the loop comes back; what the code after it does first (a control taking the focus) stands.
#include "tests/platform/ui/dialogs/dialog_fixture.h"
#include "tests/platform/ui/windows/recording_wnd.h"

#include <string>
#include <vector>

namespace {

using dialog_test::DialogResources;
using test_windows::RecordingWnd;

class OwnerActivationTest : public DialogResources {
protected:
    void SetUp() override
    {
        DialogResources::SetUp();
        m_owner.m_name = "owner";
        m_field.m_name = "field";
        m_other.m_name = "other";
        ASSERT_TRUE(m_owner.CreateTop(CRect(0, 0, 300, 200)));
        ASSERT_TRUE(m_field.Create(nullptr, "field", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                   CRect(10, 10, 110, 30), &m_owner, 1));
        ASSERT_TRUE(m_other.Create(nullptr, "other", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                   CRect(10, 40, 110, 60), &m_owner, 2));
        m_field.SetFocus();
        TestHooks::DeliverPosted();
        m_field.Take();
    }

    /// Runs the dialog of template 200 over the owner, closed with Cancel by its driver.
    void RunDialog(CWnd* owner)
    {
        CDialog dialog(200, owner);
        TestHooks::OnNextDialog(200, [](CDialog& running) {
            EXPECT_EQ(CWnd::GetActiveWindow(), &running);
            TestHooks::Click(running, IDCANCEL);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }

    RecordingWnd m_owner, m_field, m_other;
};

TEST_F(OwnerActivationTest, AModalDialogGivesTheActivationBackToItsOwnerOnceTheLoopComesBack)
{
    RunDialog(&m_owner);
    EXPECT_EQ(CWnd::GetActiveWindow(), nullptr); // the code after the run comes first
    EXPECT_EQ(m_field.Take(), std::vector<std::string>{"KillFocus to none"});
    TestHooks::DeliverPosted();
    EXPECT_EQ(CWnd::GetActiveWindow(), &m_owner);
    EXPECT_EQ(CWnd::GetFocus(), &m_field);

    // So does a dialog over a dialog, to the dialog under it while that one still runs.
    TestHooks::OnNextDialog(200, [this](CDialog& outer) {
        outer.GetDlgItem(202)->SetFocus();
        RunDialog(&outer);
        TestHooks::DeliverPosted();
        EXPECT_EQ(CWnd::GetActiveWindow(), &outer);
        EXPECT_EQ(CWnd::GetFocus(), outer.GetDlgItem(202));
        TestHooks::Click(outer, IDOK);
    });
    CDialog outer(200, &m_owner);
    EXPECT_EQ(outer.DoModal(), IDOK);
    TestHooks::DeliverPosted();
    EXPECT_EQ(CWnd::GetActiveWindow(), &m_owner);
    EXPECT_EQ(CWnd::GetFocus(), &m_field);
}

TEST_F(OwnerActivationTest, AControlGivenTheFocusRightAfterTheRunKeepsIt)
{
    RunDialog(&m_owner);
    m_other.SetFocus();
    TestHooks::DeliverPosted();
    EXPECT_EQ(CWnd::GetActiveWindow(), &m_owner);
    EXPECT_EQ(CWnd::GetFocus(), &m_other);
}

TEST_F(OwnerActivationTest, AnOwnedWindowHiddenOrEndedWhileActiveLeavesTheActivationToItsOwner)
{
    for (const bool destroy : {false, true}) {
        SCOPED_TRACE(destroy);
        RecordingWnd box;
        box.m_name = "box";
        ASSERT_TRUE(box.Create(nullptr, "box", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                               CRect(20, 20, 220, 120), &m_owner, 0));
        box.SetFocus();
        ASSERT_EQ(CWnd::GetActiveWindow(), &box);
        if (destroy)
            box.DestroyWindow();
        else
            box.ShowWindow(SW_HIDE);
        TestHooks::DeliverPosted();
        EXPECT_EQ(CWnd::GetActiveWindow(), &m_owner);
        EXPECT_EQ(CWnd::GetFocus(), &m_field);
    }
}

} // namespace
