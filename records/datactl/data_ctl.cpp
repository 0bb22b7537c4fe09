// records/datactl/data_ctl.cpp: the data control base: binding, keys, focus reports and the
// one-time destruction.
#include "records/datactl/data_ctl.h"

#include "common/string_utils.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/data_node.h"
#include "platform/ui/dialogs/dialog.h"

#include <algorithm>
#include <utility>

CDataCtl::~CDataCtl()
{
    BeginDestruction();
}

BOOL CDataCtl::CreateCtl(BOOL held, const RECT&, CWnd* parent, CDataNode* node, UINT,
                         IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags)
{
    m_parent = parent;
    m_node = node;
    m_owner = owner;
    m_path = std::move(path);
    m_flags = flags;
    m_selfDelete = !held;
    return TRUE;
}

void CDataCtl::SetUserValues(HBRUSH brush, COLORREF colour)
{
    if (brush == m_readOnlyBrush && colour == m_readOnlyColour)
        return;
    m_readOnlyBrush = brush;
    m_readOnlyColour = colour;
    if (GetWnd().GetSafeHwnd())
        GetWnd().Invalidate();
}

void CDataCtl::OnDataChanged(CObject*, LPARAM hint, CObject*)
{
    if (m_node && (hint == kHintDataSetClearing || m_node->IsPendingDeletion()))
        m_node = nullptr;
}

void CDataCtl::DestroyCtl(BOOL keep)
{
    if (m_destroying)
        return;
    m_destroying = true;
    m_selfDelete = true;
    CWnd& wnd = GetWnd();
    if (!wnd.GetSafeHwnd()) {
        DeleteSelf();
        return;
    }
    if (keep && m_node)
        m_node->UpdateFromControl(this, true, true);
    wnd.DestroyWindow();
}

void CDataCtl::SetDataPath(const CDataPath& path)
{
    if (m_path)
        *m_path = path;
    else
        m_path = std::make_unique<CDataPath>(path);
}

const CFieldDef* CDataCtl::GetBoundFieldDef() const
{
    if (m_node)
        return m_node->GetFieldDef();
    return m_path ? m_path->GetLastField() : nullptr;
}

BOOL CDataCtl::TranslateKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || m_destroying)
        return FALSE;
    const CBusy busy(*this);
    const UINT key = UINT(msg.wParam);
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (key == VK_RETURN && OnEnterKey())
        return TRUE;
    if ((ctrl && key == VK_INSERT) || (ctrl && key == 'C')) {
        Copy();
        return TRUE;
    }
    if ((shift && key == VK_INSERT) || (ctrl && key == 'V')) {
        Paste();
        return TRUE;
    }
    if ((shift && key == VK_DELETE) || (ctrl && key == 'X')) {
        Cut();
        return TRUE;
    }
    if (key != VK_F5 && OffersKeysToOwner() && m_owner &&
        m_owner->OnCtlKeyDown(this, key, UINT(msg.lParam & 0xFFFF), HIWORD(msg.lParam)))
        return TRUE;
    // On a dialog (a record page, a record dialog), and in a pane whose owner leaves it to the
    // window, Tab follows the window's tab order.
    if (key == VK_TAB &&
        (dynamic_cast<CDialog*>(m_parent) || (m_owner && m_owner->LeavesTabToWindow())))
        return FALSE;
    if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE) {
        // A control without an owner (the input of a value editor) leaves them to its dialog.
        if (!m_owner)
            return FALSE;
        m_owner->OnCtlKey(this, key);
        return TRUE;
    }
    if (key == VK_F5) {
        CommitForced();
        return TRUE;
    }
    return FALSE;
}

void CDataCtl::NotifySetFocus()
{
    if (m_owner && !m_destroying)
        m_owner->OnCtlSetFocus(this);
}

void CDataCtl::NotifyKillFocus(CWnd* newFocus)
{
    if (m_commitSuppressed || m_destroying)
        return;
    CommitEdit();
    if (m_owner)
        m_owner->OnCtlKillFocus(this, newFocus, FALSE);
}

void CDataCtl::CommitForced()
{
    if (m_destroying)
        return;
    CommitEdit();
    if (m_owner)
        m_owner->OnCtlKillFocus(this, nullptr, TRUE);
}

CDataCtl::CBusy::~CBusy()
{
    if (--m_control.m_busy == 0 && m_control.m_deletePending)
        delete &m_control;
}

void CDataCtl::DeleteSelf()
{
    if (m_busy > 0)
        m_deletePending = true;
    else
        delete this;
}

void CDataCtl::BeginDestruction()
{
    m_destroying = true;
    m_selfDelete = false;
    if (m_ownerTold)
        return;
    m_ownerTold = true;
    if (m_owner)
        m_owner->OnCtlDestroyed(this);
}

std::string ToOneLine(std::string_view text)
{
    std::string line = ToLfLines(text);
    std::erase(line, '\0');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

std::string ToCrLfLines(std::string_view text)
{
    return ToCrLfLineBreaks(ToLfLines(text));
}

std::string ToLfLines(std::string_view text)
{
    return ReplaceLineEnds(text, '\n');
}
