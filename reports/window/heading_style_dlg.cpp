// reports/window/heading_style_dlg.cpp: the Heading Style dialog's texts with their units and
// the thickness read exactly to two decimals.
#include "reports/window/heading_style_dlg.h"

#include "reports/window/rpt_page_layout_page.h"

#include "platform/base/text.h"
#include "platform/ui/dialogs/data_exchange.h"

#include <algorithm>
#include <cctype>

int ReadLeadingNumber(std::string_view typed)
{
    std::size_t at = 0;
    while (at < typed.size() && std::isspace(static_cast<unsigned char>(typed[at])))
        ++at;
    long long value = 0;
    for (; at < typed.size() && std::isdigit(static_cast<unsigned char>(typed[at])); ++at)
        value = std::min<long long>(value * 10 + (typed[at] - '0'), 1'000'000);
    return int(value);
}

BOOL CHeadingStyleDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_HS_LEVEL, text::Format("Heading Level %d", m_level));
    EnableThickness();
    return TRUE;
}

void CHeadingStyleDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    BOOL above = m_style.m_lineAbove != 0, below = m_style.m_lineBelow != 0;
    dx.Check(IDC_HS_LINE_ABOVE, above);
    dx.Check(IDC_HS_LINE_BELOW, below);
    if (!dx.m_bSaveAndValidate) {
        SetDlgItemText(IDC_HS_GAP_ABOVE, text::Format("%d pt", m_style.m_gapAbove));
        SetDlgItemText(IDC_HS_GAP_BELOW, text::Format("%d pt", m_style.m_gapBelow));
        SetDlgItemText(IDC_HS_THICKNESS, text::Format("%.2f pt", m_style.m_lineDepth / 100.0));
        SetDlgItemText(IDC_HS_KEEP_WITH, text::Format("%d lines", m_style.m_keepWith));
        return;
    }
    const auto read = [this](int id) {
        std::string typed;
        GetDlgItemText(id, typed);
        return typed;
    };
    m_style.m_lineAbove = above ? 1 : 0;
    m_style.m_lineBelow = below ? 1 : 0;
    m_style.m_gapAbove = ReadLeadingNumber(read(IDC_HS_GAP_ABOVE));
    m_style.m_gapBelow = ReadLeadingNumber(read(IDC_HS_GAP_BELOW));
    // Read digit by digit: "0.29" is 29 hundredths, never 28 through a binary fraction.
    m_style.m_lineDepth = ReadHundredths(read(IDC_HS_THICKNESS));
    m_style.m_keepWith = ReadLeadingNumber(read(IDC_HS_KEEP_WITH));
}

BOOL CHeadingStyleDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if ((id == IDC_HS_LINE_ABOVE || id == IDC_HS_LINE_BELOW) && HIWORD(wParam) == BN_CLICKED) {
        UpdateData(TRUE);
        EnableThickness();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CHeadingStyleDlg::EnableThickness()
{
    const bool line =
        IsDlgButtonChecked(IDC_HS_LINE_ABOVE) || IsDlgButtonChecked(IDC_HS_LINE_BELOW);
    for (int id : {IDC_HS_THICKNESS, IDC_HS_THICKNESS_LABEL})
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(line);
}
