// reports/window/rpt_save_to_file_dlg.cpp: the report file dialog and its panel.
#include "reports/window/rpt_save_to_file_dlg.h"

#include "platform/base/text.h"
#include "platform/ui/dialogs/edit.h"

#include <cstdlib>

BOOL CRptSaveToFilePanel::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckDlgButton(IDC_RPT_COPY_PICTURES, m_copyPictures ? 1 : 0);
    CheckDlgButton(IDC_RPT_VIEW_FILE, m_viewAfterSaving ? 1 : 0);
    SetDlgItemText(IDC_RPT_PAGE_WIDTH, text::Format("%d", m_pageWidth));
    for (int id : {IDC_RPT_PAGE_WIDTH, IDC_RPT_PAGE_WIDTH_LABEL})
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(m_textFile);
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
    if (HIWORD(wParam) == EN_CHANGE && id == IDC_RPT_PAGE_WIDTH) {
        std::string typed;
        GetDlgItemText(IDC_RPT_PAGE_WIDTH, typed);
        const long width = std::strtol(typed.c_str(), nullptr, 10);
        m_pageWidth = width > 0 && width <= 1000 ? int(width) : kRptTextPageWidth;
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
