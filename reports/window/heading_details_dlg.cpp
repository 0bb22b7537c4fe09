// reports/window/heading_details_dlg.cpp: the Heading Details dialog over one heading row.
#include "reports/window/heading_details_dlg.h"

#include "reports/rpt_settings.h"
#include "reports/rpt_settings_tables.h"
#include "reports/window/data_ref_insert.h"

#include "platform/base/text.h"

CHeadingDetailsDlg::CHeadingDetailsDlg(CRptSettings& settings, int heading, CWnd* parent)
    : CDialog(IDD_HEADING_DETAILS, parent), m_settings(settings), m_heading(heading)
{
}

BOOL CHeadingDetailsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const RptHeadingDef& row = RptHeadingTable()[std::size_t(m_heading)];
    const CRptHeading& heading = m_settings.m_format.m_headings[std::size_t(m_heading)];
    SetDlgItemText(IDC_HD_LABEL, row.label);
    SetDlgItemText(IDC_HD_LEVEL, text::Format("%d", row.level));
    if (!row.defaultText) {
        SetDlgItemText(IDC_HD_TEXT, "<not editable>");
        if (CWnd* edit = GetDlgItem(IDC_HD_TEXT))
            edit->EnableWindow(FALSE);
    } else {
        SetDlgItemText(IDC_HD_TEXT, heading.m_text.GetText());
    }
    if (CWnd* dataRef = GetDlgItem(IDC_HD_DATA_REF))
        dataRef->EnableWindow(row.defaultText && HasDataRefs(row.recordType));
    if (CWnd* empty = GetDlgItem(IDC_HD_SHOW_EMPTY))
        empty->EnableWindow(row.mayShowEmpty);
    int radio = IDC_HD_SHOW;
    if (heading.m_show == kRptHeadingHide)
        radio = IDC_HD_HIDE;
    else if (heading.m_show == kRptHeadingShowEmpty && row.mayShowEmpty)
        radio = IDC_HD_SHOW_EMPTY;
    CheckDlgButton(radio, 1);
    return TRUE;
}

BOOL CHeadingDetailsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_HD_DATA_REF && HIWORD(wParam) == BN_CLICKED) {
        InsertDataRef(*this, IDC_HD_TEXT, RptHeadingTable()[std::size_t(m_heading)].recordType);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CHeadingDetailsDlg::OnOK()
{
    const RptHeadingDef& row = RptHeadingTable()[std::size_t(m_heading)];
    CRptHeading& heading = m_settings.m_format.m_headings[std::size_t(m_heading)];
    heading.m_show = IsDlgButtonChecked(IDC_HD_HIDE)         ? kRptHeadingHide
                     : IsDlgButtonChecked(IDC_HD_SHOW_EMPTY) ? kRptHeadingShowEmpty
                                                             : kRptHeadingShow;
    if (row.defaultText) {
        std::string typed;
        GetDlgItemText(IDC_HD_TEXT, typed);
        heading.m_text.SetText(typed);
    }
    CDialog::OnOK();
}
