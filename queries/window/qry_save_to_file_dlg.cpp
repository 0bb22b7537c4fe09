// queries/window/qry_save_to_file_dlg.cpp: the result-set file dialog and its options panel.
#include "queries/window/qry_save_to_file_dlg.h"

namespace {

constexpr int kHeadings = 1303, kTab = 1304, kComma = 1305;

} // namespace

BOOL CQrySaveToFilePanel::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckDlgButton(kHeadings, m_includeHeadings ? 1 : 0);
    CheckRadioButton(kTab, kComma, m_separator == 1 ? kComma : kTab);
    return FALSE;
}

BOOL CQrySaveToFilePanel::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case kHeadings:
        m_includeHeadings = IsDlgButtonChecked(kHeadings) != 0;
        return TRUE;
    case kTab:
        m_separator = 0;
        return TRUE;
    case kComma:
        m_separator = 1;
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

CQrySaveToFileDlg::CQrySaveToFileDlg(const char* defaultExt, const char* fileName, DWORD flags,
                                     const char* filter, CWnd* parent)
    : CFileDialog(FALSE, defaultExt, fileName, flags | OFN_HIDEREADONLY, filter, parent)
{
    SetPanel(&m_panel, 264);
}
