// records/datactl/data_ctl_enum.cpp: the enumeration, sex and editable drop-down controls.
#include "records/datactl/data_ctl_enum.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/field_ids.h"
#include "database/nodes/data_node.h"
#include "platform/base/flag_guard.h"
#include "platform/base/prompt.h"

#include <algorithm>
#include <utility>

namespace {

/// The heights the open list is measured by: one row, and the selection field.
constexpr int kItemHeight = 16;
constexpr int kFieldHeight = 20;
// Private messages of the editable drop-down: its focus left, its list closed.
constexpr UINT kDeferredKillFocus = WM_USER + 0x101;
constexpr UINT kDeferredCloseUp = WM_USER + 0x102;

/// The definition the control will be bound to, before CreateCtl stores it.
const CFieldDef* DefinitionOf(const CDataNode* node, const CDataPath* path)
{
    if (node)
        return node->GetFieldDef();
    return path ? path->GetLastField() : nullptr;
}

} // namespace

int EnumListRows(int count)
{
    return std::clamp(count, 1, kEnumMaxRows);
}

void CDataCtlCombo::OnSetFocus(CWnd* oldWnd)
{
    CComboBox::OnSetFocus(oldWnd);
    if (!m_control.IsDestroying())
        m_control.OnComboSetFocus();
}

void CDataCtlCombo::OnKillFocus(CWnd* newWnd)
{
    CComboBox::OnKillFocus(newWnd);
    if (!m_control.IsDestroying())
        m_control.OnComboKillFocus(newWnd);
}

BOOL CDataCtlEnumBase::CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node,
                                 UINT id, IDataCtlOwner* owner, std::unique_ptr<CDataPath> path,
                                 UINT flags)
{
    const CFieldDef* def = DefinitionOf(node, path.get());
    const int count = def ? def->GetEnumValueCount() : 0;
    const CRect closed(rect.left, rect.top - 1, rect.right, rect.top - 1 + kFieldHeight);
    const CRect dropped(0, 0, closed.Width(),
                        (EnumListRows(count) + 1) * kItemHeight + kFieldHeight);
    if (!CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, closed, parent, id))
        return FALSE;
    if (!m_combo.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_GROUP | WS_TABSTOP |
                            ComboStyle(),
                        dropped, this, id)) {
        DestroyWindow();
        return FALSE;
    }
    m_combo.MoveWindow(0, 0, closed.Width(), closed.Height());
    for (int i = 0; i < count; ++i) {
        if (m_combo.AddString(def->GetEnumValue(i, true).c_str()) < 0) {
            DestroyWindow();
            return FALSE;
        }
    }
    return CDataCtl::CreateCtl(held, rect, parent, node, id, owner, std::move(path), flags);
}

void CDataCtlEnumBase::OnSize(UINT type, int cx, int cy)
{
    TDataCtlWnd<CWnd>::OnSize(type, cx, cy);
    if (m_combo.GetSafeHwnd())
        m_combo.MoveWindow(0, 0, cx, cy);
}

bool CDataCtlEnumBase::GetListSelection(int& position)
{
    if (!m_combo.GetSafeHwnd())
        return false;
    position = m_combo.GetCurSel();
    return true;
}

void CDataCtlEnumBase::SetListSelection(int position)
{
    m_combo.SetCurSel(position);
}

void CDataCtlEnumBase::OnSetFocus(CWnd* oldWnd)
{
    CWnd::OnSetFocus(oldWnd);
    if (m_combo.GetSafeHwnd() && !IsDestroying())
        m_combo.SetFocus();
}

BOOL CDataCtlEnumBase::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam == LPARAM(&m_combo) && !IsDestroying()) {
        if (HIWORD(wParam) == CBN_SELCHANGE) {
            OnSelChange();
            return TRUE;
        }
        if (HIWORD(wParam) == CBN_CLOSEUP) {
            OnCloseUp();
            return TRUE;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CDataCtlSex::SetSex(int sex)
{
    m_shown = sex == 0 || sex == 1 ? sex : -1;
    m_combo.SetCurSel(m_shown);
}

void CDataCtlSex::SetListSelection(int position)
{
    m_combo.SetCurSel(position);
    m_shown = m_combo.GetCurSel();
}

int CDataCtlSex::GetSex() const
{
    const int selection = m_combo.GetCurSel();
    return selection == 0 || selection == 1 ? selection : 2;
}

void CDataCtlSex::OnSelChange()
{
    std::string message;
    bool allowed = true;
    CDataNode* node = GetNode();
    if (node) {
        const CDataNode* holder = node->GetParent();
        allowed = !holder || holder->CanDeleteChild(node, message);
    } else if (GetOwner()) {
        allowed = GetOwner()->CanChangeField(this, FIELD_SEX, message) != FALSE;
    }
    if (allowed || message.empty()) {
        m_shown = m_combo.GetCurSel();
        return;
    }
    SetCommitSuppressed(true);
    MessageBox(message, MB_OK);
    if (node)
        node->UpdateFromControl(this, false, true);
    else
        m_combo.SetCurSel(m_shown);
    SetCommitSuppressed(false);
    m_combo.SetFocus();
}

bool CDataCtlEnumEdit::GetValueText(std::string& text)
{
    if (!m_combo.GetSafeHwnd())
        return false;
    m_combo.GetWindowText(text);
    return true;
}

void CDataCtlEnumEdit::OnComboKillFocus(CWnd*)
{
    PostMessage(kDeferredKillFocus);
}

void CDataCtlEnumEdit::OnCloseUp()
{
    PostMessage(kDeferredCloseUp);
}

LRESULT CDataCtlEnumEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kDeferredKillFocus) {
        CWnd* focus = CWnd::GetFocus();
        const bool inside =
            focus && (focus == this || focus == &m_combo || focus->GetParent() == &m_combo);
        if (m_committing || inside || IsDestroying() || IsCommitSuppressed())
            return 0;
        const CBusy busy(*this);
        const CFlagGuard committing(m_committing);
        CommitEdit();
        if (GetOwner())
            GetOwner()->OnCtlKillFocus(this, focus, FALSE);
        return 0;
    }
    if (message == kDeferredCloseUp) {
        if (GetOwner() && !m_committing && !IsDestroying()) {
            const CBusy busy(*this);
            const CFlagGuard committing(m_committing);
            GetOwner()->OnCtlKillFocus(this, nullptr, TRUE);
        }
        return 0;
    }
    return TDataCtlWnd<CWnd>::WindowProc(message, wParam, lParam);
}
