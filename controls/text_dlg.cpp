// controls/text_dlg.cpp: the long-text dialog.
#include "controls/text_dlg.h"

#include "controls/dlg_layout.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"

#include <algorithm>

namespace {

constexpr UINT kTemplate = 153;
constexpr int kTextEdit = 1038;
/// The edit never shrinks below this, in either direction.
constexpr int kMinEditSize = 5;

} // namespace

CTextDlg::CTextDlg(CWnd* parent) : CDialog(kTemplate, parent) {}

BOOL CTextDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    MeasureLayout();
    if (m_closeOnly) {
        GetDlgItem(IDOK)->SetWindowText("&Close");
        GetDlgItem(IDCANCEL)->ShowWindow(SW_HIDE);
    }
    if (!m_caption.empty())
        SetWindowText(m_caption);
    m_layoutReady = true;
    CRect client;
    GetClientRect(&client);
    PlaceControls(client.Width(), client.Height());
    auto* edit = dynamic_cast<CEdit*>(GetDlgItem(kTextEdit));
    if (edit) {
        edit->SetSel(0, 0);
        edit->ScrollCaret();
        edit->SetFocus();
        if (m_readOnly)
            edit->SetReadOnly(TRUE);
    }
    return FALSE;
}

void CTextDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(kTextEdit, m_text);
}

void CTextDlg::MeasureLayout()
{
    CRect client;
    GetClientRect(&client);
    const CRect edit = PlaceInParent(*GetDlgItem(kTextEdit));
    const CRect ok = PlaceInParent(*GetDlgItem(IDOK));
    const CRect cancel = PlaceInParent(*GetDlgItem(IDCANCEL));
    m_layout.m_editTop = edit.top;
    m_layout.m_editLeft = edit.left;
    m_layout.m_buttonGap = cancel.left - ok.right;
    m_layout.m_gapAboveButtons = ok.top - edit.bottom;
    m_layout.m_marginBelow = client.bottom - ok.bottom;
    m_layout.m_buttonHeight = ok.Height();
    m_layout.m_buttonWidth = ok.Width();
}

void CTextDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (m_layoutReady)
        PlaceControls(cx, cy);
}

void CTextDlg::PlaceControls(int cx, int cy)
{
    const Layout& l = m_layout;
    const int width = std::max(kMinEditSize, cx - 2 * l.m_editLeft);
    const int height = std::max(kMinEditSize, cy - l.m_editTop - l.m_marginBelow -
                                                  l.m_buttonHeight - l.m_gapAboveButtons);
    GetDlgItem(kTextEdit)->MoveWindow(l.m_editLeft, l.m_editTop, width, height);
    const int buttonTop = l.m_editTop + height + l.m_gapAboveButtons;
    if (m_closeOnly) {
        GetDlgItem(IDOK)->MoveWindow((cx - l.m_buttonWidth) / 2, buttonTop, l.m_buttonWidth,
                                     l.m_buttonHeight);
        return;
    }
    const int left = (cx - 2 * l.m_buttonWidth - l.m_buttonGap) / 2;
    GetDlgItem(IDOK)->MoveWindow(left, buttonTop, l.m_buttonWidth, l.m_buttonHeight);
    GetDlgItem(IDCANCEL)->MoveWindow(left + l.m_buttonWidth + l.m_buttonGap, buttonTop,
                                     l.m_buttonWidth, l.m_buttonHeight);
}
