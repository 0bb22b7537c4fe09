// diagrams/window/tree_opts_titles.cpp: the Titles page.
#include "diagrams/window/tree_opts_titles.h"

#include "diagrams/diagram_settings.h"
#include "diagrams/window/diag_title_opts_dlg.h"
#include "diagrams/window/tree_opts_dlg.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/data_exchange.h"

CTreePageTitles::CTreePageTitles(CTreeOptsDlg& sheet)
    : CTreeOptsPage(kTemplate, sheet, {kSectionTitles})
{
}

BOOL CTreePageTitles::OnInitDialog()
{
    CTreeOptsPage::OnInitDialog();
    EnableOptions();
    return TRUE;
}

void CTreePageTitles::DoDataExchange(CDataExchange& dx)
{
    for (int i = 0; i < kDiagramTitleCount; ++i)
        ExchangeBool(dx, kShowIds[i], Working().m_titles[std::size_t(i)].visible);
    if (!dx.m_bSaveAndValidate)
        EnableOptions();
}

BOOL CTreePageTitles::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (lParam && HIWORD(wParam) == BN_CLICKED) {
        if (id == kInstallationId) {
            OnInstallation();
            return TRUE;
        }
        for (int i = 0; i < kDiagramTitleCount; ++i) {
            if (id == kOptionsIds[i]) {
                OnOptions(i);
                return TRUE;
            }
        }
    }
    return CTreeOptsPage::OnCommand(wParam, lParam);
}

void CTreePageTitles::OnControlChanged(int id, UINT code)
{
    CTreeOptsPage::OnControlChanged(id, code);
    if (code == BN_CLICKED)
        EnableOptions();
}

void CTreePageTitles::EnableOptions()
{
    for (int i = 0; i < kDiagramTitleCount; ++i)
        if (CWnd* button = GetDlgItem(kOptionsIds[i]))
            button->EnableWindow(IsDlgButtonChecked(kShowIds[i]) == BST_CHECKED);
}

void CTreePageTitles::OnOptions(int title)
{
    CDiagramTitle copy = Working().m_titles[std::size_t(title)];
    CTitleOptsDlg dialog(copy, Working(), this);
    if (dialog.DoModal() != IDOK)
        return;
    Working().m_titles[std::size_t(title)] = copy;
    SetModified(TRUE);
}

void CTreePageTitles::OnInstallation()
{
    if (MessageBox("All titles will be reset to their initial states, and will be hidden",
                   MB_OKCANCEL | MB_ICONEXCLAMATION, "Ardenvel") != IDOK)
        return;
    Working().SetDefaultSettings(kSectionTitles);
    Load();
    SetModified(TRUE);
}
