// diagrams/window/tree_opts_page.cpp: the common life of an options page.
#include "diagrams/window/tree_opts_page.h"

#include "diagrams/diagram_options_target.h"
#include "diagrams/diagram_settings.h"
#include "diagrams/window/tree_opts_dlg.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/list_box.h"

CTreeOptsPage::CTreeOptsPage(UINT templateId, CTreeOptsDlg& sheet,
                             std::initializer_list<int> sections)
    : CPropertyPage(templateId), m_sheet(sheet), m_sections(sections)
{
}

CDiagramSettings& CTreeOptsPage::Working()
{
    return m_sheet.Working();
}

BOOL CTreeOptsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    Load();
    SetModified(FALSE);
    return TRUE;
}

BOOL CTreeOptsPage::OnSetActive()
{
    // Another page may have changed the working copy (the fonts, the page size): shown again
    // as filling, which is no change of the user's.
    const bool was = m_filling;
    m_filling = true;
    CPropertyPage::OnSetActive();
    m_filling = was;
    return TRUE;
}

void CTreeOptsPage::Load()
{
    const bool was = m_filling;
    m_filling = true;
    UpdateData(FALSE);
    m_filling = was;
}

void CTreeOptsPage::ShowText(int id, const std::string& text)
{
    const bool was = m_filling;
    m_filling = true;
    SetDlgItemText(id, text);
    m_filling = was;
}

BOOL CTreeOptsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (!lParam)
        return CPropertyPage::OnCommand(wParam, lParam);
    if (id == kInstallationId && code == BN_CLICKED) {
        for (const int section : m_sections)
            Working().SetDefaultSettings(section);
        Load();
        SetModified(TRUE);
        return TRUE;
    }
    if (!m_filling && (code == EN_CHANGE || code == BN_CLICKED || code == CBN_SELCHANGE ||
                       code == CBN_EDITCHANGE || code == LBN_SELCHANGE || code == EN_KILLFOCUS))
        OnControlChanged(id, code);
    return CPropertyPage::OnCommand(wParam, lParam);
}

void CTreeOptsPage::OnControlChanged(int /*id*/, UINT code)
{
    if (code != EN_KILLFOCUS)
        SetModified(TRUE);
}

BOOL CTreeOptsPage::OnApply()
{
    if (!UpdateData(TRUE))
        return FALSE;
    return CPropertyPage::OnApply();
}

void CTreeOptsPage::OnOK()
{
    m_sheet.ApplySections(m_sections, m_sections);
    m_sheet.Target().RefreshDiagram();
}

void CTreeOptsPage::OnCancel()
{
    for (const int section : m_sections)
        Working().CopySettings(m_sheet.Applied(), section);
}

void CTreeOptsPage::ExchangeInt(CDataExchange& dx, int id, int& value, int min, int max, bool check)
{
    dx.Text(id, value);
    if (check)
        dx.Range(value, min, max);
}

void CTreeOptsPage::ExchangeBool(CDataExchange& dx, int id, bool& value)
{
    BOOL state = value ? TRUE : FALSE;
    dx.Check(id, state);
    value = state == BST_CHECKED;
}

void CTreeOptsPage::ExchangeDouble(CDataExchange& dx, int id, double& value, double min, double max)
{
    dx.Text(id, value);
    if (dx.m_bSaveAndValidate && !(value >= min && value <= max)) {
        MessageBox(text::Format("Enter a number from %g to %g.", min, max),
                   MB_OK | MB_ICONEXCLAMATION);
        dx.Fail();
    }
}
