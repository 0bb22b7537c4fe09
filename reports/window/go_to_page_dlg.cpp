// reports/window/go_to_page_dlg.cpp: the Go To Page dialog's radios, label and range checks.
#include "reports/window/go_to_page_dlg.h"

#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/windows/message.h"

#include <cctype>
#include <climits>

bool ReadPageNumber(const std::string& text, int& number)
{
    std::size_t at = 0, end = text.size();
    while (at < end && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    while (end > at && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    bool negative = false;
    if (at < end && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    if (at == end)
        return false;
    long long value = 0;
    for (; at < end; ++at) {
        if (!std::isdigit(static_cast<unsigned char>(text[at])))
            return false;
        value = value * 10 + (text[at] - '0');
        if (value > INT_MAX)
            return false;
    }
    number = int(negative ? -value : value);
    return true;
}

CGoToPageDlg::CGoToPageDlg(CWnd* parent) : CDialog(IDD_GO_TO_PAGE, parent) {}

BOOL CGoToPageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pageCount <= 0) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (m_startPage != 1) {
        CheckDlgButton(IDC_GO_BY_NUMBER, 1);
        CheckDlgButton(IDC_GO_BY_SEQUENCE, 0);
    } else {
        for (int id : {IDC_GO_BY_NUMBER, IDC_GO_BY_SEQUENCE})
            if (CWnd* radio = GetDlgItem(id))
                radio->ShowWindow(SW_HIDE);
    }
    SetDlgItemText(IDC_GO_LABEL, "Page Number:");
    SetDlgItemText(IDC_GO_NUMBER, text::Format("%d", m_number));
    SetDlgItemText(IDC_GO_TOTAL, m_totalText);
    SetDlgItemText(IDC_GO_START, m_startText);
    return TRUE;
}

BOOL CGoToPageDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = int(LOWORD(wParam));
    if (id == IDC_GO_BY_NUMBER || id == IDC_GO_BY_SEQUENCE) {
        SetDlgItemText(IDC_GO_LABEL, id == IDC_GO_BY_NUMBER ? "Page Number:" : "Sequence Number:");
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CGoToPageDlg::OnOK()
{
    std::string typed;
    GetDlgItemText(IDC_GO_NUMBER, typed);
    const bool bySequence = m_startPage != 1 && IsDlgButtonChecked(IDC_GO_BY_SEQUENCE) != 0;
    int number = 0;
    const bool read = ReadPageNumber(typed, number);
    const long long last = static_cast<long long>(m_startPage) + m_pageCount - 1;
    const bool fits =
        read && (bySequence || m_startPage == 1 ? number >= 1 && number <= m_pageCount
                                                : number >= m_startPage && number <= last);
    if (!fits) {
        if (m_startPage != 1)
            MessageBox(text::Format("If selecting page by page number, please enter a value "
                                    "between %u and %u.  If selecting page by its sequence "
                                    "number, please enter a value between 1 and %d",
                                    unsigned(m_startPage), unsigned(last), m_pageCount));
        else
            MessageBox(text::Format("Please enter a page number between 1 and %d", m_pageCount));
        if (CWnd* edit = GetDlgItem(IDC_GO_NUMBER))
            GotoDlgCtrl(edit);
        return;
    }
    m_number = number;
    m_bySequence = bySequence ? 1 : 0;
    CDialog::OnOK();
}
