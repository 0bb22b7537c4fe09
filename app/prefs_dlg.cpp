// app/prefs_dlg.cpp: the preferences sheet: the edited copy, and what OK does with it.
#include "app/prefs_dlg.h"

#include "app/av_app.h"
#include "app/shell/av_doc.h"
#include "app/shell/main_frame.h"
#include "common/list_name_checks.h"

#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "platform/base/prompt.h"
#include "queries/named_list.h"

#include <unistd.h>

namespace {

/// Repaints the main window and every window showing the document, the record lists inside
/// them too, so that names are shown in their new form.
void RedrawMainWindowAndViews()
{
    CAvApp* app = GetAvApp();
    if (!app)
        return;
    app->RedrawMainWindow(TRUE);
    app->RedrawAllViews();
}

/// Creates the lists that have no list of their name; tells every window when one was made.
void CreateMissingLists(const std::vector<std::string>& names)
{
    bool created = false;
    for (const std::string& name : names) {
        if (FindNamedList(name))
            continue;
        GetNamedList(name, false);
        created = true;
    }
    if (created)
        if (IDataObserver* observer = GetDataObserver())
            observer->OnDataChanged(nullptr, kHintNamedListsChanged, nullptr, false);
}

} // namespace

CPrefsDlg::CPrefsDlg(const char* caption, CWnd* parent, UINT selectPage)
    : CPropertySheet(caption, parent, selectPage), m_edited(Prefs()), m_general(*this),
      m_file(*this), m_startup(*this)
{
    AddPage(&m_general);
    AddPage(&m_file);
    AddPage(&m_startup);
}

CPrefsDlg::~CPrefsDlg() = default;

BOOL CPrefsDlg::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    CWnd* ok = GetDlgItem(IDOK);
    CWnd* cancel = GetDlgItem(IDCANCEL);
    CWnd* apply = GetDlgItem(ID_APPLY_NOW);
    if (!ok || !cancel || !apply)
        return TRUE;
    CRect okPlace, cancelPlace, applyPlace;
    ok->GetWindowRect(&okPlace);
    cancel->GetWindowRect(&cancelPlace);
    apply->GetWindowRect(&applyPlace);
    ScreenToClient(&okPlace);
    ScreenToClient(&cancelPlace);
    ScreenToClient(&applyPlace);
    apply->ShowWindow(SW_HIDE);
    cancel->MoveWindow(applyPlace);
    ok->MoveWindow(cancelPlace);
    return TRUE;
}

int CPrefsDlg::DoModal()
{
    const int result = CPropertySheet::DoModal();
    if (result == IDOK)
        Commit();
    return result;
}

void CPrefsDlg::Commit()
{
    Preferences& live = Prefs();
    const bool surnamesChanged = live.m_surnamesInUpperCase != m_edited.m_surnamesInUpperCase;
    // The toolbar places and the show-once flags are not edited here.
    m_edited.m_bars = live.m_bars;
    m_edited.m_showOnce = live.m_showOnce;
    live = m_edited;
    CreateMissingLists(m_listsToCreate);
    SavePreferences();
    if (!m_folderToEnter.empty() && chdir(m_folderToEnter.c_str()) != 0)
        MessageBox("Startup folder was not found.", MB_OK | MB_ICONEXCLAMATION);
    if (surnamesChanged)
        RedrawMainWindowAndViews();
}

void ShowPreferences()
{
    CAvApp* app = GetAvApp();
    const int before = AutosavePeriod(Prefs());
    CPrefsDlg sheet("Preferences", nullptr, 0);
    if (app && app->GetDocument())
        sheet.SetOpenFilePath(app->GetDocument()->GetPathName());
    sheet.DoModal();
    if (AutosavePeriod(Prefs()) != before && app && app->GetMainFrame())
        app->GetMainFrame()->StartAutosaveTimer();
}
