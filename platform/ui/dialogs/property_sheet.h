// platform/ui/dialogs/property_sheet.h: a property sheet: pages under tabs with OK, Cancel and
// Apply, or a wizard that steps through its pages with Back, Next and Finish.
#pragma once

#include "platform/ui/windows/wnd.h"

#include <memory>
#include <string>
#include <vector>

class CButton;
class CPropertyPage;
class CTabCtrl;
namespace ui_detail {
class ModalRun;
}

// The sheet's buttons and tab control.
inline constexpr UINT ID_APPLY_NOW = 0x3021, ID_WIZBACK = 0x3023, ID_WIZNEXT = 0x3024,
                      ID_WIZFINISH = 0x3025, AFX_IDC_TAB_CONTROL = 0x3020;
// PressButton's buttons.
inline constexpr int PSBTN_BACK = 0, PSBTN_NEXT = 1, PSBTN_FINISH = 2, PSBTN_OK = 3,
                     PSBTN_APPLYNOW = 4, PSBTN_CANCEL = 5;
// SetWizardButtons' flags.
inline constexpr DWORD PSWIZB_BACK = 0x1, PSWIZB_NEXT = 0x2, PSWIZB_FINISH = 0x4,
                       PSWIZB_DISABLEDFINISH = 0x8;

/// The sheet is as large as its largest page template. A modal sheet has OK, Cancel and Apply
/// at the bottom right; Apply is enabled while a page is marked modified. OK and Apply run
/// OnKillActive on the page shown and then OnApply on every page made so far; a refusal keeps
/// the sheet open on the page that refused. Cancel runs OnCancel on every page made so far. A
/// modeless sheet has no buttons, and ends by being destroyed.
///
/// In wizard mode the pages show one at a time without tabs, over Back, Next (or Finish, in its
/// place, when SetWizardButtons asks for it) and Cancel. DoModal answers ID_WIZFINISH or IDCANCEL.
///
/// F1 anywhere in the sheet sends ID_HELP to the main window, as a dialog's Help does.
///
/// The sheet does not own its pages. The buttons and keys reach OnCommand as the ids above, so
/// a class derived from the sheet can act around the default processing.
class CPropertySheet : public CWnd {
public:
    explicit CPropertySheet(const char* caption = "", CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    /// Adds the page at the end; a sheet that is showing gets its tab at once.
    void AddPage(CPropertyPage* page);
    /// Takes the page out of the sheet and destroys its window; when it was the page shown, the
    /// page after it (else before it) is shown.
    void RemovePage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const { return int(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    CPropertyPage* GetActivePage() const;
    /// -1 while no page is shown; before the sheet shows, the page it will start with.
    int GetActiveIndex() const;
    /// Shows the page, after OnKillActive of the page shown agreed; FALSE when it did not or
    /// there is no such page. Before the sheet shows, chooses the page it starts with.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);
    void SetTitle(const char* title);
    /// Lays the sheet out for a page area of area pixels in place of the largest page
    /// template's (0 by 0 goes back to that), with extraWidth pixels beside the tab control on
    /// the right for a window of the caller's; the page shown takes the new size.
    void SetPageAreaSize(CSize area, int extraWidth = 0);
    /// Null until the sheet's window exists; hidden in wizard mode.
    CTabCtrl* GetTabControl() const { return m_tabs.get(); }

    /// Runs the sheet until EndDialog. Under the test hooks no loop runs: the driver queued
    /// with TestHooks::OnNextSheet runs once the first page shows; a sheet it leaves open (or
    /// that has no driver) fails the test and ends as IDCANCEL. -1 when the sheet has no pages.
    virtual int DoModal();
    /// Makes the modeless sheet; style -1 is a pop-up with a caption and a system menu. It
    /// shows when style has WS_VISIBLE or -1 is given.
    virtual BOOL Create(CWnd* parent = nullptr, DWORD style = DWORD(-1), DWORD exStyle = 0);
    /// Does what a click on the button (PSBTN_) does, whether the button is enabled or not.
    BOOL PressButton(int button);
    /// Ends a modal sheet with the result; destroys a modeless one.
    void EndDialog(int result);

    /// Makes the sheet a wizard; call it before the sheet shows.
    void SetWizardMode();
    BOOL IsWizard() const { return m_wizard; }
    void SetWizardButtons(DWORD flags);

protected:
    /// Runs once the pages and buttons exist and the first page shows; the base answers TRUE.
    virtual BOOL OnInitDialog();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class CPropertyPage;

    BOOL CreateSheet(CWnd* parent, DWORD style, DWORD exStyle);
    void CreateButtons();
    void Place();
    void Key(UINT vk);
    /// Shows the page at index, making its window the first time; ask: OnKillActive of the
    /// page shown decides first.
    bool Activate(int index, bool ask);
    bool MakePageWindow(CPropertyPage& page);
    bool ApplyPages();
    void CancelPages();
    void WizardStep(bool forward);
    void Finish();
    /// Enables Apply while a page made so far is marked modified.
    void ShowApplyState();
    void CancelToClose();
    void ForgetPage(CPropertyPage* page);
    CButton* Button(UINT id) const;

    std::string m_title;
    CWnd* m_parent;
    int m_startPage;
    std::vector<CPropertyPage*> m_pages;
    int m_active = -1;
    bool m_wizard = false;
    DWORD m_wizardButtons = PSWIZB_BACK | PSWIZB_NEXT;
    CSize m_baseUnits{6, 12};
    CSize m_areaOverride{0, 0};
    int m_extraWidth = 0;
    std::unique_ptr<CTabCtrl> m_tabs;
    std::vector<std::unique_ptr<CButton>> m_buttons;
    std::unique_ptr<ui_detail::ModalRun> m_modal;
};
