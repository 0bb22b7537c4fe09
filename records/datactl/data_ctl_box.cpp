// records/datactl/data_ctl_box.cpp: the container of an edit and its buttons.
#include "records/datactl/data_ctl_box.h"

#include "platform/ui/drawing/dc.h"

#include <algorithm>
#include <utility>

namespace {

/// The edit never gets narrower than this.
constexpr int kMinEditWidth = 32;
/// The most characters the edit takes: far beyond any value, so nothing pasted is cut.
constexpr int kMaxText = 1 << 20;

} // namespace

BOOL CDataCtlBox::CreateBox(const BoxSpec& spec, BOOL held, const RECT& rect, CWnd* parent,
                            CDataNode* node, UINT id, IDataCtlOwner* owner,
                            std::unique_ptr<CDataPath> path, UINT flags)
{
    m_buttonWidth = spec.buttonWidth;
    const auto fail = [this] {
        if (GetSafeHwnd())
            DestroyWindow();
        return FALSE;
    };
    // A plain window draws no frame of its own: the edit carries the container's border.
    const DWORD frame = spec.containerStyle & WS_BORDER;
    // The Tab key stops at the edit, not at the container that would hand the focus on to it:
    // Shift+Tab from the edit would land on its own container and come back.
    const DWORD tabStop = spec.containerStyle & WS_TABSTOP;
    if (!CreateEx(0, nullptr, spec.className,
                  WS_CHILD | WS_VISIBLE | (spec.containerStyle & ~(WS_BORDER | WS_TABSTOP)), rect,
                  parent, id))
        return fail();
    if (!m_edit.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | frame | tabStop | spec.editStyle,
                       CRect(), this, id + spec.editIdOffset))
        return fail();
    m_edit.LimitText(kMaxText);
    for (m_buttonCount = 0; m_buttonCount < spec.buttonCount; ++m_buttonCount) {
        const ButtonSpec& button = spec.buttons[m_buttonCount];
        if (!m_buttons[m_buttonCount].CreateButton(WS_CHILD | WS_VISIBLE, CRect(), this,
                                                   id + button.idOffset, this, button.frameWidth,
                                                   10, button.bitmap, 4, 0, 0))
            return fail();
    }
    LayOut();
    return CDataCtl::CreateCtl(held, rect, parent, node, id, owner, std::move(path), flags);
}

HBRUSH CDataCtlBox::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    if (!m_readOnly || !GetReadOnlyBrush())
        return TDataCtlWnd<CWnd>::OnCtlColor(dc, wnd, ctlColor);
    dc->SetBkColor(GetReadOnlyColour());
    return GetReadOnlyBrush();
}

void CDataCtlBox::LayOut()
{
    if (!GetSafeHwnd() || !m_edit.GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    const int buttons = m_buttonCount * m_buttonWidth;
    const int editWidth = std::max(client.Width() - buttons, kMinEditWidth);
    m_edit.MoveWindow(0, 0, editWidth, client.Height());
    for (int i = 0; i < m_buttonCount; ++i) {
        const int left = editWidth + i * m_buttonWidth;
        const int width = i + 1 == m_buttonCount ? std::max(client.right - left, 0) : m_buttonWidth;
        m_buttons[i].MoveWindow(left, 0, width, client.Height());
    }
}

BOOL CDataCtlBox::IsEmpty() const
{
    return m_edit.GetSafeHwnd() ? m_edit.GetWindowTextLength() == 0 : TRUE;
}

bool CDataCtlBox::GetValueText(std::string& text)
{
    if (!m_edit.GetSafeHwnd())
        return false;
    m_edit.GetWindowText(text);
    return true;
}

void CDataCtlBox::SetValueText(std::string_view text)
{
    if (m_edit.GetSafeHwnd())
        m_edit.SetWindowText(std::string(text));
}

void CDataCtlBox::SelectValueText(int start, int end)
{
    if (m_edit.GetSafeHwnd())
        m_edit.SetSel(start, end);
}

void CDataCtlBox::ClearModified()
{
    if (m_edit.GetSafeHwnd())
        m_edit.SetModify(FALSE);
}

CUButton* CDataCtlBox::GetButton(int index)
{
    return index >= 0 && index < m_buttonCount ? &m_buttons[index] : nullptr;
}

void CDataCtlBox::SetEditReadOnly(BOOL readOnly)
{
    m_readOnly = readOnly != FALSE;
    if (m_edit.GetSafeHwnd())
        m_edit.SetReadOnly(readOnly);
}

void CDataCtlBox::SetEditAndButtonReadOnly(BOOL readOnly)
{
    SetEditReadOnly(readOnly);
    if (CUButton* button = GetButton(0))
        button->EnableWindow(!readOnly);
}

void CDataCtlBox::OnEditKillFocus(CWnd* next)
{
    NotifyKillFocus(next);
}

void CDataCtlBox::OnSetFocus(CWnd* oldWnd)
{
    CWnd::OnSetFocus(oldWnd);
    if (m_edit.GetSafeHwnd() && !IsDestroying()) {
        m_edit.SetFocus();
        m_edit.SetSel(0, -1);
    }
}

void CDataCtlBox::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    LayOut();
}

void CDataCtlBox::CommitDialogValue(bool changed)
{
    if (changed)
        m_edit.SetModify(TRUE);
    m_edit.SetFocus();
    CommitForced();
}

BOOL CDataCtlBox::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == m_edit.GetDlgCtrlID() && lParam && !IsDestroying() && !IsDialogOpen()) {
        if (HIWORD(wParam) == EN_SETFOCUS) {
            NotifySetFocus();
            return TRUE;
        }
        if (HIWORD(wParam) == EN_KILLFOCUS) {
            CWnd* next = CWnd::GetFocus();
            // The focus moving to one of the control's own buttons stays inside the control.
            if (next && next->GetParent() == this)
                return TRUE;
            OnEditKillFocus(next);
            return TRUE;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CDataCtlBox::OnButtonClicked(CUButton* button)
{
    if (IsDestroying())
        return;
    const CBusy busy(*this);
    for (int i = 0; i < m_buttonCount; ++i) {
        if (button == &m_buttons[i]) {
            OnButton(i);
            return;
        }
    }
}
