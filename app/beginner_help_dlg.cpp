// app/beginner_help_dlg.cpp: the guidance-document dialog.
#include "app/beginner_help_dlg.h"

#include "common/whole_file.h"
#include "controls/dlg_layout.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

namespace {

constexpr UINT kTemplate = 248;
constexpr int kPlaceholder = 1021, kShowAgainBox = 1258, kTextControl = 999;

} // namespace

CBeginnerHelpDlg::CBeginnerHelpDlg(CWnd* parent) : CDialog(kTemplate, parent) {}

BOOL CBeginnerHelpDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckDlgButton(kShowAgainBox, m_showAgain ? BST_CHECKED : BST_UNCHECKED);
    if (m_hideHelp || m_closeOnly)
        GetDlgItem(ID_HELP)->ShowWindow(SW_HIDE);
    if (m_closeOnly)
        MakeCloseOnly();
    if (!m_caption.empty())
        SetWindowText(m_caption);
    ShowDocument();
    return TRUE;
}

void CBeginnerHelpDlg::MakeCloseOnly()
{
    GetDlgItem(IDOK)->ShowWindow(SW_HIDE);
    GetDlgItem(kShowAgainBox)->ShowWindow(SW_HIDE);
    CWnd* cancel = GetDlgItem(IDCANCEL);
    cancel->SetWindowText("Close");
    CRect client;
    GetClientRect(&client);
    const CRect place = PlaceInParent(*cancel);
    cancel->MoveWindow((client.Width() - place.Width()) / 2, place.top, place.Width(),
                       place.Height());
}

void CBeginnerHelpDlg::ShowDocument()
{
    const CRect place = PlaceInParent(*GetDlgItem(kPlaceholder));
    if (!m_text.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_READONLY | ES_MULTILINE,
                       place, this, kTextControl))
        return;
    std::string content;
    if (!m_path.empty() && ReadWholeFile(m_path, content))
        m_text.SetWindowText(content);
    GrowToDocument(place);
}

void CBeginnerHelpDlg::GrowToDocument(const CRect& place)
{
    int growth = m_text.GetRequestedHeight() - place.Height();
    if (growth <= 0)
        return;
    CRect dialog;
    GetWindowRect(&dialog);
    const int tallest = GetSystemMetrics(SM_CYFULLSCREEN) - 2 * GetSystemMetrics(SM_CYHSCROLL);
    growth = std::min(growth, tallest - dialog.Height());
    if (growth <= 0)
        return;
    m_text.MoveWindow(place.left, place.top, place.Width(), place.Height() + growth);
    for (const int id : {kShowAgainBox, int(IDOK), int(IDCANCEL), int(ID_HELP)}) {
        if (CWnd* item = GetDlgItem(id)) {
            const CRect at = PlaceInParent(*item);
            item->MoveWindow(at.left, at.top + growth, at.Width(), at.Height());
        }
    }
    CRect window;
    GetWindowRect(&window);
    MoveWindow(window.left, window.top, window.Width(), window.Height() + growth);
}

void CBeginnerHelpDlg::OnOK()
{
    m_showAgain = IsDlgButtonChecked(kShowAgainBox) == BST_CHECKED;
    CDialog::OnOK();
}
