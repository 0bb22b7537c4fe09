// diagrams/window/tree_opts_dlg.cpp: the sheet's pages, copies and "Save as default".
#include "diagrams/window/tree_opts_dlg.h"

#include "app/shell/save_message.h"
#include "diagrams/diagram_options_target.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/windows/app.h"

CTreeOptsDlg::CTreeOptsDlg(const char* caption, const CDiagramSettings& settings,
                           IDiagramOptionsTarget& target, CWnd* parent, UINT startPage,
                           bool printOnly, IDiagramOptionsWindow* window, bool saveAsDefault)
    : CPropertySheet(caption, parent, printOnly ? 0 : startPage), m_edited(settings),
      m_target(target), m_window(window), m_saveAsDefaultStart(saveAsDefault), m_working(settings),
      m_applied(settings), m_main(*this), m_text(*this), m_pics(*this), m_titles(*this),
      m_print(*this), m_dims(*this)
{
    if (printOnly) {
        AddPage(&m_print);
        return;
    }
    AddPage(&m_main);
    AddPage(&m_text);
    AddPage(&m_pics);
    AddPage(&m_titles);
    AddPage(&m_print);
    AddPage(&m_dims);
}

CTreeOptsDlg::~CTreeOptsDlg() = default;

BOOL CTreeOptsDlg::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    CWnd* ok = GetDlgItem(IDOK);
    if (!m_window || !ok)
        return TRUE;
    CRect place;
    ok->GetWindowRect(&place);
    ScreenToClient(&place);
    const int width = place.Width() * 3 / 2 - 10;
    m_saveAsDefault = std::make_unique<CButton>();
    m_saveAsDefault->Create("Save as default", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                            CRect(10, place.top, 10 + width, place.bottom), this, kSaveAsDefaultId);
    m_saveAsDefault->SetCheck(m_saveAsDefaultStart ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

bool CTreeOptsDlg::IsSaveAsDefault() const
{
    if (!m_window)
        return true;
    if (m_saveAsDefault && m_saveAsDefault->GetSafeHwnd())
        return m_saveAsDefault->GetCheck() == BST_CHECKED;
    return m_saveAsDefaultStart;
}

void CTreeOptsDlg::ApplySections(const std::vector<int>& sections,
                                 const std::vector<int>& defaultSections)
{
    for (const int section : sections) {
        m_applied.CopySettings(m_working, section);
        m_target.TakeSettings(m_working, section);
    }
    if (IsSaveAsDefault())
        SaveAsDefault(defaultSections);
}

void CTreeOptsDlg::SaveAsDefault(const std::vector<int>& sections)
{
    CDiagramSettings& defaults = m_target.GetDefaultSettings();
    for (const int section : sections)
        defaults.CopySettings(m_working, section);
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    for (const int section : sections)
        if (!CheckSaved(defaults.SaveSettingsWrapper(app->GetProfile(), section)))
            return; // said so once; the values stay in memory
}
