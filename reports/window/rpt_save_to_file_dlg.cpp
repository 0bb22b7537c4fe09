// reports/window/rpt_save_to_file_dlg.cpp: the report file dialog and its panel.
#include "reports/window/rpt_save_to_file_dlg.h"

BOOL CRptSaveToFilePanel::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckDlgButton(IDC_RPT_COPY_PICTURES, m_copyPictures ? 1 : 0);
    CheckDlgButton(IDC_RPT_VIEW_FILE, m_viewAfterSaving ? 1 : 0);
    return TRUE;
}

BOOL CRptSaveToFilePanel::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && (id == IDC_RPT_COPY_PICTURES || id == IDC_RPT_VIEW_FILE)) {
        const bool ticked = IsDlgButtonChecked(id) != 0;
        (id == IDC_RPT_COPY_PICTURES ? m_copyPictures : m_viewAfterSaving) = ticked;
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

CRptSaveToFileDlg::CRptSaveToFileDlg(const char* defaultExt, const char* fileName,
                                     const char* filter, CWnd* parent)
    : CFileDialog(FALSE, defaultExt, fileName,
                  OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, filter, parent)
{
    SetPanel(&m_panel, IDD_RPT_SAVE_PANEL);
}
