// reports/window/pic_gaps_dlg.cpp: the Gaps Around Pictures dialog.
#include "reports/window/pic_gaps_dlg.h"

#include "reports/window/rpt_page_layout_page.h"

#include "platform/base/prompt.h"

#include <array>

namespace {

std::array<int*, 5> Fields(CRptPicGaps& gaps)
{
    return {&gaps.m_left, &gaps.m_above, &gaps.m_right, &gaps.m_below, &gaps.m_caption};
}

} // namespace

BOOL CPicGapsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const auto fields = Fields(m_gaps);
    for (std::size_t i = 0; i < fields.size(); ++i)
        SetDlgItemText(IDC_GAP_FIRST + int(i), FormatHundredths(*fields[i]));
    return TRUE;
}

void CPicGapsDlg::OnOK()
{
    CRptPicGaps read = m_gaps;
    const auto fields = Fields(read);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string typed;
        GetDlgItemText(IDC_GAP_FIRST + int(i), typed);
        const std::size_t first = typed.find_first_not_of(" \t");
        const bool negative = first != std::string::npos && typed[first] == '-';
        *fields[i] = negative ? -ReadHundredths(typed.substr(first + 1)) : ReadHundredths(typed);
    }
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (*fields[i] < 0) {
            MessageBox("Negative values are not allowed");
            if (CWnd* edit = GetDlgItem(IDC_GAP_FIRST + int(i)))
                GotoDlgCtrl(edit);
            return;
        }
    m_gaps = read;
    CDialog::OnOK();
}
