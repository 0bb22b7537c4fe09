// tests/platform/ui/dialogs/property_sheet_test.cpp: property sheets: pages made when first shown,
// OK and Apply over the pages made, refusals that keep the sheet on a page, Apply enabled by
// changes, modeless sheets whose pages come and go without taking the focus from another
// window, and wizards that jump by template id.
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/property_page.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/windows/app.h"
#include "tests/platform/ui/dialogs/dialog_fixture.h"

#include <gtest/gtest-spi.h>

#include <memory>

namespace {

using dialog_test::DialogResources;

/// A page that counts the sheet's calls and can refuse OnApply.
class CountingPage : public CPropertyPage {
public:
    explicit CountingPage(UINT templateId) : CPropertyPage(templateId) {}

    BOOL OnApply() override
    {
        ++m_applied;
        return m_refuseApply ? FALSE : CPropertyPage::OnApply();
    }
    void OnCancel() override { ++m_cancelled; }

    int m_applied = 0;
    int m_cancelled = 0;
    bool m_refuseApply = false;
};

/// Life years from 0 to 100; any change marks the page modified.
class YearsPage : public CountingPage {
public:
    YearsPage() : CountingPage(401)
    {
        MapNotify(411, EN_CHANGE, [this] { SetModified(); });
    }
    UINT m_years = 70;

protected:
    void DoDataExchange(CDataExchange& dx) override
    {
        dx.Text(411, m_years);
        dx.Range(m_years, 0u, 100u);
    }
};

class FilesPage : public CountingPage {
public:
    FilesPage() : CountingPage(402)
    {
        MapCommand(421, [this] { SetModified(); });
    }
    BOOL m_numeric = FALSE;

protected:
    void DoDataExchange(CDataExchange& dx) override { dx.Check(421, m_numeric); }
};

class PropertySheetTest : public DialogResources {
protected:
    YearsPage m_years;
    FilesPage m_files;
    CountingPage m_misc{403};
    CPropertySheet m_sheet{"Preferences"};

    void AddPages()
    {
        m_sheet.AddPage(&m_years);
        m_sheet.AddPage(&m_files);
        m_sheet.AddPage(&m_misc);
    }
};

CRect PlaceIn(CWnd& parent, CWnd& child)
{
    CRect rect;
    child.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}

TEST_F(PropertySheetTest, SheetTakesItsLargestPageWithButtonsAtTheBottomRight)
{
    AddPages();
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        CRect page;
        sheet.GetActivePage()->GetClientRect(&page);
        EXPECT_EQ(page,
                  CRect(0, 0, 300, 180)); // 200 x 120 dialog units, the widest and the tallest
        CRect client;
        sheet.GetClientRect(&client);
        const CRect ok = PlaceIn(sheet, *sheet.GetDlgItem(IDOK));
        const CRect cancel = PlaceIn(sheet, *sheet.GetDlgItem(IDCANCEL));
        const CRect apply = PlaceIn(sheet, *sheet.GetDlgItem(ID_APPLY_NOW));
        EXPECT_EQ(apply.Size(), CSize(75, 21));
        EXPECT_EQ(client.right - apply.right, 10);
        EXPECT_EQ(client.bottom - apply.bottom, 10);
        EXPECT_LT(ok.right, cancel.left);
        EXPECT_LT(cancel.right, apply.left);
        EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 3);
        EXPECT_EQ(sheet.GetTabControl()->GetItemText(2), "Miscellaneous");
        std::string title;
        sheet.GetWindowText(title);
        EXPECT_EQ(title, "Preferences");
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
    });
    EXPECT_EQ(m_sheet.DoModal(), IDCANCEL);
}

TEST_F(PropertySheetTest, ChangeEnablesApplyWhichRunsThePagesMadeSoFar)
{
    AddPages();
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        CWnd& apply = *sheet.GetDlgItem(ID_APPLY_NOW);
        EXPECT_FALSE(apply.IsWindowEnabled()); // showing the members changed nothing
        TestHooks::SelectItem(sheet, AFX_IDC_TAB_CONTROL, 1);
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        EXPECT_FALSE(apply.IsWindowEnabled());
        TestHooks::Click(*sheet.GetActivePage(), 421);
        EXPECT_TRUE(apply.IsWindowEnabled());
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Apply);
        EXPECT_FALSE(apply.IsWindowEnabled());
        EXPECT_FALSE(m_files.IsModified());
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
    });
    EXPECT_EQ(m_sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(m_files.m_numeric, TRUE);
    EXPECT_EQ(m_years.m_applied, 1);
    EXPECT_EQ(m_files.m_applied, 1);
    EXPECT_EQ(m_misc.m_applied, 0); // never shown, never made
    EXPECT_EQ(m_years.m_cancelled, 1);
    EXPECT_EQ(m_misc.m_cancelled, 0);
}

TEST_F(PropertySheetTest, OkOnAnInvalidPageKeepsTheSheetOnIt)
{
    AddPages();
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        TestHooks::SetText(*sheet.GetActivePage(), 411, "101");
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        EXPECT_TRUE(sheet.IsWindowVisible());
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_EQ(m_years.m_applied, 0);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::SelectItem(sheet, AFX_IDC_TAB_CONTROL, 2); // nor can it be left
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 0);
        TestHooks::SetText(*sheet.GetActivePage(), 411, "100");
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
    });
    EXPECT_EQ(m_sheet.DoModal(), IDOK);
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "Enter a whole number from 0 to 100.");
    EXPECT_EQ(m_years.m_years, 100u);
    EXPECT_EQ(m_misc.m_applied, 0);
}

TEST_F(PropertySheetTest, PageThatRefusesApplyIsShownAndTheSheetStays)
{
    AddPages();
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        TestHooks::SelectItem(sheet, AFX_IDC_TAB_CONTROL, 1);
        m_years.m_refuseApply = true;
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        EXPECT_TRUE(sheet.IsWindowVisible());
        EXPECT_EQ(sheet.GetActivePage(), &m_years);
        EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 0);
        m_years.m_refuseApply = false;
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
    });
    EXPECT_EQ(m_sheet.DoModal(), IDOK);
    EXPECT_EQ(m_years.m_applied, 2);
    EXPECT_EQ(m_files.m_applied, 1); // the first OK stopped at the page before it
}

TEST_F(PropertySheetTest, SheetStartsOnTheChosenPageAndCancelToCloseRenamesOk)
{
    AddPages();
    m_sheet.SetActivePage(2);
    EXPECT_EQ(m_sheet.GetActiveIndex(), 2);
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        EXPECT_EQ(sheet.GetActivePage(), &m_misc);
        EXPECT_EQ(m_years.GetSafeHwnd(), nullptr);
        m_misc.CancelToClose();
        std::string ok;
        sheet.GetDlgItem(IDOK)->GetWindowText(ok);
        EXPECT_EQ(ok, "Close");
        EXPECT_FALSE(sheet.GetDlgItem(IDCANCEL)->IsWindowEnabled());
        TestHooks::PostKey(*sheet.GetActivePage()->GetDlgItem(431), VK_ESCAPE, 0);
        TestHooks::DeliverPosted(); // Escape does nothing while Cancel is disabled
        EXPECT_TRUE(sheet.IsWindowVisible());
        TestHooks::PostKey(*sheet.GetActivePage()->GetDlgItem(431), VK_RETURN, 0);
        TestHooks::DeliverPosted();
    });
    EXPECT_EQ(m_sheet.DoModal(), IDOK);
}

/// A main window that counts the help commands sent to it.
class HelpCountingWnd : public CWnd {
public:
    int m_helps = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) != ID_HELP)
            return CWnd::OnCommand(wParam, lParam);
        ++m_helps;
        return TRUE;
    }
};

TEST_F(PropertySheetTest, F1AsksTheMainWindowForHelpAndLeavesTheSheetOpen)
{
    AddPages();
    std::unique_ptr<CWinApp> app;
    if (!AfxGetApp())
        app = std::make_unique<CWinApp>("Sheet Help");
    HelpCountingWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    AfxGetApp()->m_pMainWnd = &main;
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        // F1 in a page's edit, then on the sheet's own OK button.
        TestHooks::PostKey(*sheet.GetActivePage()->GetDlgItem(411), VK_F1, 0);
        TestHooks::PostKey(*sheet.GetDlgItem(IDOK), VK_F1, 0);
        TestHooks::DeliverPosted();
        EXPECT_EQ(main.m_helps, 2);
        EXPECT_TRUE(sheet.IsWindowVisible());
        EXPECT_EQ(m_years.m_cancelled, 0) << "F1 is no Cancel";
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
    });
    EXPECT_EQ(m_sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(m_years.m_cancelled, 1);
    AfxGetApp()->m_pMainWnd = nullptr;
    main.DestroyWindow();
}

TEST_F(PropertySheetTest, SheetWithoutDriverFailsAndEndsAsCancel)
{
    AddPages();
    int result = 0;
    EXPECT_NONFATAL_FAILURE(result = m_sheet.DoModal(), "no driver queued");
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(PropertySheetTest, ModelessSheetAddsAndRemovesPagesWhileShowing)
{
    m_sheet.AddPage(&m_years);
    m_sheet.AddPage(&m_files);
    ASSERT_TRUE(m_sheet.Create());
    EXPECT_EQ(m_sheet.GetDlgItem(IDOK), nullptr); // a modeless sheet has no buttons
    EXPECT_EQ(m_sheet.GetActivePage(), &m_years);
    m_sheet.RemovePage(&m_years);
    EXPECT_EQ(m_years.GetSafeHwnd(), nullptr);
    EXPECT_EQ(m_sheet.GetActivePage(), &m_files);
    EXPECT_EQ(m_sheet.GetActiveIndex(), 0);
    m_sheet.AddPage(&m_misc);
    m_sheet.AddPage(&m_years);
    EXPECT_EQ(m_sheet.GetTabControl()->GetItemCount(), 3);
    EXPECT_TRUE(m_sheet.SetActivePage(&m_years));
    EXPECT_EQ(m_sheet.GetTabControl()->GetCurSel(), 2);
    m_sheet.RemovePage(0);
    EXPECT_EQ(m_sheet.GetActiveIndex(), 1);
    EXPECT_EQ(m_sheet.GetPageIndex(&m_misc), 0);
    TestHooks::PressCloseBox(m_sheet);
    TestHooks::DeliverPosted();
    EXPECT_EQ(m_sheet.GetSafeHwnd(), nullptr);
    EXPECT_EQ(m_years.GetSafeHwnd(), nullptr);
}

TEST_F(PropertySheetTest, PageMadeForAModelessSheetLeavesTheFocusInTheWindowTheUserWorksIn)
{
    m_sheet.AddPage(&m_years);
    m_sheet.AddPage(&m_files);
    m_sheet.AddPage(&m_misc);
    ASSERT_TRUE(m_sheet.Create());
    m_sheet.ShowWindow(SW_SHOW);
    CDialog other(200);
    ASSERT_TRUE(other.Create(200, nullptr));
    other.ShowWindow(SW_SHOW);
    CWnd* working = other.GetDlgItem(202);
    working->SetFocus();

    // The user works in another window while the sheet shows a page it had not made yet.
    ASSERT_TRUE(m_sheet.SetActivePage(&m_files));
    EXPECT_EQ(CWnd::GetFocus(), working);
    ASSERT_TRUE(m_sheet.SetActivePage(&m_misc));
    EXPECT_EQ(CWnd::GetFocus(), working);
    other.DestroyWindow();
    m_sheet.DestroyWindow();
}

/// The wizard's first page: a couple jumps past the page for one person.
class ChoicePage : public CPropertyPage {
public:
    ChoicePage() : CPropertyPage(501) {}
    BOOL OnInitDialog() override
    {
        CheckRadioButton(511, 512, 511);
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        GetSheet()->SetWizardButtons(PSWIZB_NEXT);
        return CPropertyPage::OnSetActive();
    }
    LRESULT OnWizardNext() override { return IsDlgButtonChecked(512) ? 503 : 0; }
};

/// One person: Finish once a name is typed; an empty name is refused.
class PersonPage : public CPropertyPage {
public:
    PersonPage() : CPropertyPage(502)
    {
        MapNotify(521, EN_CHANGE, [this] { ShowButtons(); });
    }
    BOOL OnSetActive() override
    {
        ShowButtons();
        return CPropertyPage::OnSetActive();
    }
    BOOL OnWizardFinish() override
    {
        GetDlgItemText(521, m_name);
        return !m_name.empty();
    }
    std::string m_name;

private:
    void ShowButtons()
    {
        std::string name;
        GetDlgItemText(521, name);
        GetSheet()->SetWizardButtons(PSWIZB_BACK |
                                     (name.empty() ? PSWIZB_DISABLEDFINISH : PSWIZB_FINISH));
    }
};

/// A couple: Back returns to the first page.
class CouplePage : public CPropertyPage {
public:
    CouplePage() : CPropertyPage(503) {}
    BOOL OnSetActive() override
    {
        GetSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
        return CPropertyPage::OnSetActive();
    }
    LRESULT OnWizardBack() override { return 501; }
};

TEST_F(PropertySheetTest, WizardStepsAndJumpsByTemplateId)
{
    ChoicePage choice;
    PersonPage person;
    CouplePage couple;
    CPropertySheet wizard("Diagram Wizard");
    wizard.AddPage(&choice);
    wizard.AddPage(&person);
    wizard.AddPage(&couple);
    wizard.SetWizardMode();
    std::vector<int> path;
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        using TestHooks::SheetButton;
        EXPECT_FALSE(sheet.GetTabControl()->IsWindowVisible());
        EXPECT_FALSE(sheet.GetDlgItem(ID_WIZBACK)->IsWindowEnabled());
        const auto press = [&](SheetButton button) {
            TestHooks::PressSheetButton(sheet, button);
            path.push_back(sheet.GetActiveIndex());
        };
        press(SheetButton::Next); // an individual: the next page
        EXPECT_FALSE(sheet.GetDlgItem(ID_WIZNEXT)->IsWindowVisible());
        EXPECT_FALSE(sheet.GetDlgItem(ID_WIZFINISH)->IsWindowEnabled());
        EXPECT_NONFATAL_FAILURE(TestHooks::PressSheetButton(sheet, SheetButton::Next), "hidden");
        press(SheetButton::Back);
        TestHooks::Click(*sheet.GetActivePage(), 512);
        press(SheetButton::Next); // a couple: straight to "Select Couple"
        press(SheetButton::Back); // and back by id, past "Select Individual"
        TestHooks::Click(*sheet.GetActivePage(), 511);
        press(SheetButton::Next);
        TestHooks::SetText(*sheet.GetActivePage(), 521, "Ann Lee");
        EXPECT_TRUE(sheet.GetDlgItem(ID_WIZFINISH)->IsWindowEnabled());
        TestHooks::PressSheetButton(sheet, SheetButton::Finish);
    });
    EXPECT_EQ(wizard.DoModal(), ID_WIZFINISH);
    EXPECT_EQ(path, (std::vector<int>{1, 0, 2, 0, 1}));
    EXPECT_EQ(person.m_name, "Ann Lee");
}

TEST_F(PropertySheetTest, WizardFinishThatRefusesKeepsTheWizardOpen)
{
    ChoicePage choice;
    PersonPage person;
    CPropertySheet wizard("Diagram Wizard");
    wizard.AddPage(&choice);
    wizard.AddPage(&person);
    wizard.SetWizardMode();
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Next);
        sheet.PressButton(PSBTN_FINISH); // pressed in code while disabled: the page refuses
        EXPECT_TRUE(sheet.IsWindowVisible());
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
    });
    EXPECT_EQ(wizard.DoModal(), IDCANCEL);
}

} // namespace
