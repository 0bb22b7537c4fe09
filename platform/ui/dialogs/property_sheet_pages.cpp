// platform/ui/dialogs/property_sheet_pages.cpp: the sheet's pages: adding and removing them,
// showing one, OK, Apply and Cancel over all of them, and the wizard's steps.
#include "platform/ui/dialogs/property_sheet.h"

#include "platform/base/prompt.h"
#include "platform/ui/detail/dialog_widget.h"
#include "platform/ui/detail/widget_windows.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/property_page.h"
#include "platform/ui/dialogs/tab_ctrl.h"

#include <algorithm>

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (!page || GetPageIndex(page) >= 0)
        return;
    page->m_sheet = this;
    m_pages.push_back(page);
    if (!GetSafeHwnd())
        return;
    const int index = int(m_pages.size()) - 1;
    m_tabs->InsertItem(index, page->GetCaption().c_str());
    if (m_active < 0)
        Activate(index, false);
}

void CPropertySheet::RemovePage(CPropertyPage* page)
{
    RemovePage(GetPageIndex(page));
}

void CPropertySheet::RemovePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return;
    CPropertyPage* page = m_pages[std::size_t(index)];
    if (GetSafeHwnd() && index == m_active && GetPageCount() > 1)
        Activate(index + 1 < GetPageCount() ? index + 1 : index - 1, false);
    m_pages.erase(m_pages.begin() + index);
    if (m_active == index)
        m_active = -1;
    else if (m_active > index)
        --m_active;
    if (m_tabs) {
        m_tabs->DeleteItem(index);
        m_tabs->SetCurSel(m_active);
    }
    page->m_sheet = nullptr;
    if (page->GetSafeHwnd())
        page->DestroyWindow();
}

void CPropertySheet::ForgetPage(CPropertyPage* page)
{
    const int index = GetPageIndex(page);
    if (index < 0)
        return;
    m_pages.erase(m_pages.begin() + index);
    if (m_tabs)
        m_tabs->DeleteItem(index);
    if (m_active == index)
        m_active = -1;
    else if (m_active > index)
        --m_active;
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[std::size_t(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const
{
    const auto found = std::find(m_pages.begin(), m_pages.end(), page);
    return found == m_pages.end() ? -1 : int(found - m_pages.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

int CPropertySheet::GetActiveIndex() const
{
    return GetSafeHwnd() ? m_active : m_startPage;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    return Activate(index, true);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page)
{
    return Activate(GetPageIndex(page), true);
}

bool CPropertySheet::Activate(int index, bool ask)
{
    if (index < 0 || index >= GetPageCount())
        return false;
    if (!GetSafeHwnd()) {
        m_startPage = index;
        return true;
    }
    if (index == m_active)
        return true;
    CPropertyPage* current = GetPage(m_active);
    if (ask && current && !current->OnKillActive())
        return false;
    CPropertyPage& page = *m_pages[std::size_t(index)];
    if (!page.GetSafeHwnd() && !MakePageWindow(page))
        return false;
    ui_detail::PageStackOf(this)->setCurrentWidget(ui_detail::WidgetOf(&page));
    page.ShowWindow(SW_SHOW);
    m_active = index;
    m_tabs->SetCurSel(index);
    page.OnSetActive();
    if (m_wizard)
        page.SetInitialFocus();
    return true;
}

bool CPropertySheet::MakePageWindow(CPropertyPage& page)
{
    page.m_firstActive = true;
    page.m_modified = false;
    if (!page.CreateInside(this))
        return false;
    ui_detail::PageStackOf(this)->addWidget(ui_detail::WidgetOf(&page));
    // Filling the controls while the page starts up is no change of the user's.
    page.m_modified = false;
    ShowApplyState();
    return true;
}

bool CPropertySheet::ApplyPages()
{
    CPropertyPage* current = GetActivePage();
    if (current && !current->OnKillActive())
        return false;
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* page = m_pages[std::size_t(i)];
        if (page->GetSafeHwnd() && !page->OnApply()) {
            Activate(i, false);
            return false;
        }
    }
    for (CPropertyPage* page : m_pages)
        page->m_modified = false;
    ShowApplyState();
    return true;
}

void CPropertySheet::CancelPages()
{
    for (CPropertyPage* page : std::vector<CPropertyPage*>(m_pages))
        if (page->GetSafeHwnd())
            page->OnCancel();
}

void CPropertySheet::WizardStep(bool forward)
{
    CPropertyPage* page = GetActivePage();
    if (!page)
        return;
    const LRESULT answer = forward ? page->OnWizardNext() : page->OnWizardBack();
    if (answer == -1)
        return;
    int target = m_active + (forward ? 1 : -1);
    if (answer != 0) {
        target = -1;
        for (int i = 0; i < GetPageCount(); ++i)
            if (m_pages[std::size_t(i)]->GetTemplateId() == UINT(answer))
                target = i;
    }
    Activate(target, forward); // going back does not check the page left
}

void CPropertySheet::Finish()
{
    CPropertyPage* page = GetActivePage();
    if (page && page->OnWizardFinish())
        EndDialog(ID_WIZFINISH);
}

void CPropertySheet::SetWizardMode()
{
    m_wizard = true;
}

void CPropertySheet::SetWizardButtons(DWORD flags)
{
    m_wizardButtons = flags;
    CButton* back = Button(ID_WIZBACK);
    CButton* next = Button(ID_WIZNEXT);
    CButton* finish = Button(ID_WIZFINISH);
    if (!back || !next || !finish)
        return;
    const bool finishing = (flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH)) != 0;
    back->EnableWindow((flags & PSWIZB_BACK) != 0);
    next->ShowWindow(finishing ? SW_HIDE : SW_SHOW);
    next->EnableWindow((flags & PSWIZB_NEXT) != 0);
    next->SetButtonStyle(finishing ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON);
    finish->ShowWindow(finishing ? SW_SHOW : SW_HIDE);
    finish->EnableWindow((flags & PSWIZB_FINISH) != 0);
    finish->SetButtonStyle(finishing ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void CPropertySheet::ShowApplyState()
{
    CButton* apply = Button(ID_APPLY_NOW);
    if (apply)
        apply->EnableWindow(
            std::any_of(m_pages.begin(), m_pages.end(),
                        [](const CPropertyPage* page) { return page->IsModified(); }));
}

void CPropertySheet::CancelToClose()
{
    if (CButton* ok = Button(IDOK))
        ok->SetWindowText("Close");
    if (CButton* cancel = Button(IDCANCEL))
        cancel->EnableWindow(FALSE);
}
