// records/datactl/data_ctl_edit.cpp: the text, name and number data controls.
#include "records/datactl/data_ctl_edit.h"

#include "database/dictionary/field_def.h"
#include "database/fields/name_text.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/sys_metrics.h"

#include <utility>

namespace {

/// The most characters an edit takes: far beyond any value, so nothing pasted is cut.
constexpr int kMaxText = 1 << 20;
constexpr DWORD kEditStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;

} // namespace

BOOL CDataCtlEdit::CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                             IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags)
{
    CRect place(rect);
    place.InflateRect(0, 1);
    if (!Create(kEditStyle, place, parent, id))
        return FALSE;
    LimitText(kMaxText);
    if (!CDataCtl::CreateCtl(held, rect, parent, node, id, owner, std::move(path), flags))
        return FALSE;
    if (const CFieldDef* def = GetBoundFieldDef(); def && def->IsReadOnly())
        SetReadOnly(TRUE);
    return TRUE;
}

void CDataCtlEdit::Paste()
{
    CEdit::Paste();
    std::string text;
    GetWindowText(text);
    const std::string oneLine = ToOneLine(text);
    if (oneLine == text)
        return;
    int start = 0, end = 0;
    GetSel(start, end);
    SetWindowText(oneLine);
    SetModify(TRUE);
    SetSel(end, end);
}

bool CDataCtlEdit::GetValueText(std::string& text)
{
    if (!GetSafeHwnd())
        return false;
    GetWindowText(text);
    return true;
}

void CDataCtlEdit::SetValueText(std::string_view text)
{
    SetWindowText(ToOneLine(text));
}

void CDataCtlEdit::OnLButtonDown(UINT flags, CPoint point)
{
    if (GetOwner() && GetOwner()->OnCtlLButtonDown(this))
        return;
    CEdit::OnLButtonDown(flags, point);
}

void CDataCtlEdit::OnLButtonUp(UINT flags, CPoint point)
{
    if (GetOwner() && GetOwner()->OnCtlLButtonUp(this))
        return;
    CEdit::OnLButtonUp(flags, point);
}

void CDataCtlEdit::SetReadOnly(BOOL readOnly)
{
    m_readOnly = readOnly != FALSE;
    CEdit::SetReadOnly(readOnly);
    if (ShowsReadOnlyLook())
        SetWindowCursor(m_readOnly ? LoadStandardCursor(IDC_ARROW) : nullptr);
    Invalidate();
}

BOOL CDataCtlEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const bool colours = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC;
    if (!colours || !m_readOnly || !ShowsReadOnlyLook())
        return CEdit::OnChildNotify(message, wParam, lParam, result);
    reinterpret_cast<CDC*>(wParam)->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    *result = LRESULT(GetReadOnlyBrush());
    return TRUE;
}

void CDataCtlName::CommitEdit()
{
    if (IsReadOnly() || !GetSafeHwnd())
        return;
    std::string typed;
    GetWindowText(typed);
    const std::string normalised = NameFromTypedText(typed);
    if (normalised != typed)
        SetWindowText(normalised);
}

BOOL CDataCtlNumber::CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                               IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags)
{
    if (!CDataCtlEdit::CreateCtl(held, rect, parent, node, id, owner, std::move(path), flags))
        return FALSE;
    const CFieldDef* def = GetBoundFieldDef();
    if (def && def->GetSizeValue() > 0)
        LimitText(def->GetSizeValue());
    return TRUE;
}

void CDataCtlNumber::OnChar(UINT character, UINT repeatCount, UINT flags)
{
    const bool allowed = (character >= '0' && character <= '9') || character == '.' ||
                         character == '-' || character == VK_BACK;
    if (allowed)
        CEdit::OnChar(character, repeatCount, flags);
}
