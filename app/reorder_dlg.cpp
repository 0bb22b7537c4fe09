// app/reorder_dlg.cpp: the re-order options, their checks, and the command that runs the pass.
#include "app/reorder_dlg.h"

#include "app/reorder_progress_dlg.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/windows/message.h"
#include "queries/named_list.h"

namespace {

constexpr int kSpousesBox = 1170, kChildrenBox = 1638, kEventsBox = 1639, kLdsBox = 1640,
              kEmptyFirstBox = 1641, kPromptBox = 1642, kListName = 1645, kMaintainListBox = 1654,
              kListNameLabel = 1655;

constexpr const char* kHelpText =
    "Every individual and family record is checked for items of the chosen kinds that are not "
    "in date order: an individual's spouses (by the dates of the marriages), a family's children "
    "(by their birth dates), events and attributes, and LDS ordinances. Items without a date "
    "keep their places.\n\nWith confirmation, each record found is shown first: clear the kinds "
    "that should stay as they are, then re-order it or skip it. \"Re-order All\" re-orders the "
    "remaining records without asking.\n\nThe records updated can be added to a named list.";

} // namespace

CReorderDlg::CReorderDlg(CWnd* parent) : CDialog(kTemplateId, parent)
{
    MapCommand(kMaintainListBox, [this] { EnableListControls(); });
    MapCommand(ID_HELP, [this] { ShowHelp(); });
}

BOOL CReorderDlg::OnInitDialog()
{
    const BOOL result = CDialog::OnInitDialog();
    CheckDlgButton(kMaintainListBox, 0);
    EnableListControls();
    return result;
}

void CReorderDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Check(kChildrenBox, m_children);
    dx.Check(kEventsBox, m_events);
    dx.Check(kPromptBox, m_prompt);
    dx.Check(kEmptyFirstBox, m_emptyListFirst);
    dx.Check(kLdsBox, m_lds);
    dx.Check(kSpousesBox, m_spouses);
    dx.Text(kListName, m_listName);
}

void CReorderDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (!m_spouses && !m_children && !m_events && !m_lds) {
        MessageBox("You have not selected any field types to check", MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(GetDlgItem(kSpousesBox));
        return;
    }
    if (!IsDlgButtonChecked(kMaintainListBox)) {
        m_listName.clear();
        EndDialog(IDOK);
        return;
    }
    m_listName = text::Trim(m_listName);
    if (m_listName.empty()) {
        MessageBox("If you wish a list to be kept of updated records, you must enter a name for "
                   "the list.",
                   MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(GetDlgItem(kListName));
        return;
    }
    if (const std::string problem = ListNameLengthProblem(m_listName); !problem.empty()) {
        MessageBox(problem);
        GotoDlgCtrl(GetDlgItem(kListName));
        return;
    }
    EndDialog(IDOK);
}

void CReorderDlg::EnableListControls()
{
    const BOOL on = IsDlgButtonChecked(kMaintainListBox) ? TRUE : FALSE;
    for (const int id : {kListName, kListNameLabel, kEmptyFirstBox})
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(on);
}

void CReorderDlg::ShowHelp()
{
    MessageBox(kHelpText, MB_OK | MB_ICONINFORMATION);
}

CNamedList* RunReorder(CWnd* parent)
{
    CReorderDlg options(parent);
    if (options.DoModal() != IDOK)
        return nullptr;
    CReorderProgressDlg progress(parent, options.m_spouses, options.m_children, options.m_events,
                                 options.m_lds, options.m_prompt, options.m_listName,
                                 options.m_emptyListFirst);
    progress.Run();
    return progress.GetListToShow();
}
