// records/dialogs/delete_choice_dlg.cpp: the question whether to delete a link or the record it
// points to.
#include "records/dialogs/delete_choice_dlg.h"

#include "controls/dlg_layout.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

CDeleteChoiceDlg::CDeleteChoiceDlg(CWnd* parent) : CDialog(kDeleteChoiceTemplate, parent) {}

BOOL CDeleteChoiceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_DELETE_LINK, m_linkText);
    SetDlgItemText(IDC_DELETE_RECORD, m_recordText);
    if (!m_title.empty())
        SetWindowText(m_title);
    CheckRadioButton(IDC_DELETE_LINK, IDC_DELETE_RECORD,
                     m_choice ? IDC_DELETE_LINK : IDC_DELETE_RECORD);
    FitChoices();
    return TRUE;
}

void CDeleteChoiceDlg::FitChoices()
{
    // The texts name a record, which may be long: the dialog widens so that they show whole,
    // as far as the screen allows.
    int grow = 0;
    for (const int id : {IDC_DELETE_LINK, IDC_DELETE_RECORD}) {
        CWnd* button = GetDlgItem(id);
        if (!button)
            continue;
        std::string text;
        button->GetWindowText(text);
        const CClientDC dc(button);
        // The button's circle and the gap before its text take about three letters' room.
        const int needed = int(dc.GetTextExtent(text).cx + dc.GetTextExtent("MMM").cx);
        grow = std::max(grow, needed - PlaceInParent(*button).Width());
    }
    CRect window;
    GetWindowRect(&window);
    grow = std::min(grow, GetSystemMetrics(SM_CXSCREEN) - window.Width());
    if (grow <= 0)
        return;
    for (const int id : {IDC_DELETE_LINK, IDC_DELETE_RECORD})
        if (CWnd* button = GetDlgItem(id)) {
            const CRect rect = PlaceInParent(*button);
            button->MoveWindow(rect.left, rect.top, rect.Width() + grow, rect.Height());
        }
    for (const int id : {IDOK, IDCANCEL})
        if (CWnd* button = GetDlgItem(id)) {
            const CRect rect = PlaceInParent(*button);
            button->MoveWindow(rect.left + grow / 2, rect.top, rect.Width(), rect.Height());
        }
    MoveWindow(std::max(0, int(window.left) - grow / 2), window.top, window.Width() + grow,
               window.Height());
}

void CDeleteChoiceDlg::OnOK()
{
    m_choice = IsDlgButtonChecked(IDC_DELETE_LINK) == BST_CHECKED;
    CDialog::OnOK();
}
