// records/datactl/data_ctl_assoc_combo.cpp: the drop-down record chooser and its list.
#include "records/datactl/data_ctl_assoc_combo.h"

#include "database/nodes/change_hint.h"
#include "records/datactl/data_ctl_box.h"

#include "database/nodes/data_node.h"
#include "database/records/record_node.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/app_message_watch.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kButtonFrame = 11;
constexpr UINT kButtonOffset = 2, kListOffset = 4;
/// The sunken edge of the text field, and the gap between it and the text.
constexpr int kEdge = 2, kTextGap = 2;

/// The one application-wide watch; the chooser whose list is down owns it.
class CDropDownWatch final : public IAppMessageWatch {
public:
    void OnAppMessage(const MSG& msg) override
    {
        if (m_owner && m_owner->HookProc(msg))
            m_owner->PostClose();
    }
    CDataCtlAssocCombo* m_owner = nullptr;
};

CDropDownWatch g_watch;

/// Where a list height pixels tall drops from the control: below its text field, or above the
/// control when the work area has no room below and more above; moved left, as far as the work
/// area's left edge, when it would pass the right edge.
CRect ListPlace(const CRect& control, int textBottom, int height)
{
    CRect work;
    GetWorkArea(control.TopLeft(), &work);
    CRect place(control.left, textBottom, control.right, textBottom + height);
    if (place.bottom > work.bottom && control.top - work.top > work.bottom - textBottom)
        place = CRect(control.left, control.top - height, control.right, control.top);
    if (place.right > work.right)
        place.OffsetRect(std::max(work.left - place.left, work.right - place.right), 0);
    return place;
}

bool Contains(const CWnd& wnd, POINT point)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect.PtInRect(point);
}

} // namespace

// ---- CAssocComboGrid --------------------------------------------------------------------------

bool CAssocComboGrid::OnPick(CTreeBoxNode* row)
{
    CDataNode* node = NodeOf(row);
    if (!m_combo.IsOffered(node))
        return false;
    m_combo.OnPicked(static_cast<CRecordNode*>(node));
    return true;
}

bool CAssocComboGrid::OnKeyDown(CTreeBox* box, UINT virtKey, UINT repeatCount, UINT flags)
{
    if (virtKey == VK_ESCAPE) {
        m_combo.ShowDropDown(FALSE);
        return false;
    }
    if (virtKey == VK_RETURN && OnPick(box->GetFocusItem()))
        return false;
    return CTagGrid::OnKeyDown(box, virtKey, repeatCount, flags);
}

bool CAssocComboGrid::OnButtonDown(CTreeBox*, CTreeBoxNode* node, UINT, int, int, int& part)
{
    // The expand button opens a record's fields; anywhere else on a record's row picks it.
    if (part == TBP_BUTTON || !IsOffered(node))
        return true;
    SelectRow(node, false, true);
    OnPick(node);
    return false;
}

bool CAssocComboGrid::OnRightClick(CTreeBox*, CTreeBoxNode*, CWnd*, UINT, int, int, int)
{
    return false;
}

bool CAssocComboGrid::OnDoubleClick(CTreeBox*, CTreeBoxNode* node, int part)
{
    return part == TBP_BUTTON || !OnPick(node);
}

void CAssocComboGrid::OnKillFocus(CTreeBox*)
{
    m_combo.OnListLostFocus();
}

bool CAssocComboGrid::IsOffered(const CTreeBoxNode* row) const
{
    return m_combo.IsOffered(NodeOf(row));
}

// ---- CAssocComboText --------------------------------------------------------------------------

void CAssocComboText::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    dc.Draw3dRect(&client, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHILIGHT));
    CRect inner = client;
    inner.DeflateRect(1, 1);
    dc.Draw3dRect(&inner, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    std::string text;
    GetWindowText(text);
    CRect textRect = client;
    textRect.DeflateRect(kEdge + kTextGap, kEdge);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    dc.DrawText(text, &textRect,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CAssocComboText::OnLButtonDown(UINT, CPoint)
{
    m_combo.OnTextClicked();
}

// ---- CDataCtlAssocCombo -----------------------------------------------------------------------

CDataCtlAssocCombo::CDataCtlAssocCombo() : m_text(*this), m_list(*this) {}

CDataCtlAssocCombo::~CDataCtlAssocCombo()
{
    ReleaseWatch();
    EndWindow();
}

BOOL CDataCtlAssocCombo::CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node,
                                   UINT id, IDataCtlOwner* owner, std::unique_ptr<CDataPath> path,
                                   UINT flags)
{
    const auto fail = [this] {
        if (GetSafeHwnd())
            DestroyWindow();
        return FALSE;
    };
    if (!CreateEx(0, nullptr, "AV_DataCtlAssoc",
                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, rect, parent, id))
        return fail();
    if (!m_text.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(), this, kTextId))
        return fail();
    if (!m_button.CreateButton(WS_CHILD | WS_VISIBLE, CRect(), this, id + kButtonOffset, this,
                               kButtonFrame, kButtonFrame, kDropBitmap, 4, 0, 0))
        return fail();
    LayOut();
    return CDataCtl::CreateCtl(held, rect, parent, node, id, owner, std::move(path), flags);
}

void CDataCtlAssocCombo::LayOut()
{
    if (!m_text.GetSafeHwnd() || !m_button.GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    const int textWidth = std::max(0, client.Width() - kDataCtlButtonWidth);
    m_text.MoveWindow(0, 0, textWidth, client.Height());
    m_button.MoveWindow(textWidth, 0, client.Width() - textWidth, client.Height());
}

void CDataCtlAssocCombo::OnSize(UINT type, int cx, int cy)
{
    TDataCtlWnd<CWnd>::OnSize(type, cx, cy);
    LayOut();
}

void CDataCtlAssocCombo::Clear()
{
    ShowText(nullptr);
}

BOOL CDataCtlAssocCombo::IsEmpty() const
{
    return m_text.GetSafeHwnd() ? m_text.GetWindowTextLength() == 0 : TRUE;
}

bool CDataCtlAssocCombo::GetValueText(std::string& text)
{
    if (!m_text.GetSafeHwnd())
        return false;
    m_text.GetWindowText(text);
    return true;
}

void CDataCtlAssocCombo::ShowText(const CDataNode* record)
{
    std::string text;
    if (record)
        record->GetText(text, 0);
    if (!m_text.GetSafeHwnd())
        return;
    m_text.SetWindowText(text);
    m_text.Invalidate();
}

void CDataCtlAssocCombo::SetChoice(CDataNode* root, int rows, CRecordNode* current)
{
    if (root != m_root) {
        m_root = root;
        m_listFilled = false;
        if (m_listMade)
            m_list.ClearRecordSet();
    }
    m_rows = std::clamp(rows, kMinRows, kMaxRows);
    SetSelection(current);
}

void CDataCtlAssocCombo::SetRecordChoice(const CDataPath& path, CDataNode* root, int rows,
                                         CRecordNode* current)
{
    SetDataPath(path);
    SetChoice(root, rows, current);
}

void CDataCtlAssocCombo::SetSelection(CRecordNode* record)
{
    m_current = record;
    ShowText(record);
}

bool CDataCtlAssocCombo::IsOffered(const CDataNode* node) const
{
    return node && m_root && node->GetParent() == m_root && node->IsRecord() &&
           !node->IsPendingDeletion();
}

BOOL CDataCtlAssocCombo::IsDroppedDown() const
{
    return m_listMade && m_list.GetSafeHwnd() && m_list.IsWindowVisible();
}

BOOL CDataCtlAssocCombo::ShowDropDown(BOOL show)
{
    if (!show) {
        CloseList();
        return TRUE;
    }
    if (!GetSafeHwnd() || IsDestroying())
        return FALSE;
    if (!m_listMade) {
        if (!m_list.Create(WS_POPUP | WS_BORDER | WS_VSCROLL | WS_HSCROLL, CRect(), this,
                           GetDlgCtrlID() + kListOffset, this, 0))
            return FALSE;
        m_list.ModifyStyleEx(0, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
        m_list.SetDlgCtrlID(GetDlgCtrlID() + int(kListOffset));
        m_list.SetEditable(false);
        m_list.SetDeleteAllowed(false);
        m_listMade = true;
    }
    if (!m_listFilled) {
        m_list.SetRecordSet(m_root, m_root != nullptr, false);
        m_listFilled = true;
    }
    CRect control, text;
    GetWindowRect(&control);
    m_text.GetWindowRect(&text);
    const int rowHeight = m_list.GetBox().GetMetrics()[TBM_ROW_HEIGHT];
    const int height = m_rows * rowHeight + m_list.GetHeader().GetHeight() +
                       2 * GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYHSCROLL);
    m_list.MoveWindow(ListPlace(control, text.bottom, height));
    if (CTreeBoxNode* row = m_list.FindRowByRecord(m_current)) {
        m_list.SelectRow(row, false, true);
        m_list.GetBox().EnsureItemVisible(row, 1, false);
    }
    if (g_watch.m_owner && g_watch.m_owner != this)
        g_watch.m_owner->ShowDropDown(FALSE);
    g_watch.m_owner = this;
    InstallAppMessageWatch(&g_watch);
    m_pressOnControl = false;
    ++m_drops;
    m_list.ShowWindow(SW_SHOW);
    m_list.GetBox().SetFocus();
    return TRUE;
}

void CDataCtlAssocCombo::ReleaseWatch()
{
    if (g_watch.m_owner != this)
        return;
    RemoveAppMessageWatch(&g_watch);
    g_watch.m_owner = nullptr;
}

void CDataCtlAssocCombo::CloseList()
{
    ReleaseWatch();
    if (!IsDroppedDown())
        return;
    CWnd* focus = CWnd::GetFocus();
    const bool hadFocus = focus == &m_list.GetBox() || focus == &m_list;
    m_list.ShowWindow(SW_HIDE);
    if (!IsDestroying()) {
        ShowText(m_current);
        if (hadFocus)
            SetFocus();
    }
}

void CDataCtlAssocCombo::PostClose()
{
    // The message names the drop-down it closes: one that comes after the list closed and
    // dropped again is ignored.
    if (IsDroppedDown() && !IsMessageQueued(kCloseMessage))
        PostMessage(kCloseMessage, m_drops);
}

void CDataCtlAssocCombo::OnListLostFocus()
{
    // A press on the control takes the focus from the list on its way to toggling it.
    if (!m_pressOnControl)
        PostClose();
}

bool CDataCtlAssocCombo::HookProc(const MSG& msg)
{
    switch (msg.message) {
    case WM_COMMAND:
    case WM_SYSCOMMAND:
        return true;
    case WM_SIZE:
    case WM_MOVE:
        return msg.hwnd != &m_list;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        m_pressOnControl = Contains(*this, msg.pt);
        return !m_pressOnControl && !Contains(m_list, msg.pt);
    default:
        return false;
    }
}

void CDataCtlAssocCombo::OnGridSelChanged(CTagGrid* grid)
{
    // The caret row, not a walk of the selected rows, which would cost a look at every row.
    const CTreeBoxNode* caret = grid->GetBox().GetFocusItem();
    const CDataNode* node = caret && caret->m_selected ? CTagGrid::NodeOf(caret) : nullptr;
    ShowText(IsOffered(node) ? node : nullptr);
}

void CDataCtlAssocCombo::OnPicked(CRecordNode* record)
{
    const CBusy busy(*this);
    SetSelection(record);
    CloseList();
    if (GetOwner() && !IsDestroying())
        GetOwner()->OnCtlChanged(this);
}

void CDataCtlAssocCombo::OnTextClicked()
{
    ShowDropDown(!IsDroppedDown());
}

void CDataCtlAssocCombo::OnButtonClicked(CUButton*)
{
    ShowDropDown(!IsDroppedDown());
}

void CDataCtlAssocCombo::OnDataChanged(CObject* sender, LPARAM hint, CObject* object)
{
    CDataCtl::OnDataChanged(sender, hint, object);
    if (hint == kHintDataSetClearing || (m_current && m_current->IsPendingDeletion()))
        SetSelection(nullptr);
    if (!m_listMade || !m_listFilled)
        return;
    m_list.Refill(nullptr, long(hint), object);
    if (IsDroppedDown())
        OnGridSelChanged(&m_list);
    else
        ShowText(m_current);
}

BOOL CDataCtlAssocCombo::PreTranslateMessage(MSG* msg)
{
    // F4 and Alt+Down drop the list down, or close it, as in any drop-down.
    const bool toggle = (msg->message == WM_KEYDOWN && msg->wParam == VK_F4) ||
                        (msg->message == WM_SYSKEYDOWN && msg->wParam == VK_DOWN);
    if (toggle && !IsDestroying()) {
        ShowDropDown(!IsDroppedDown());
        return TRUE;
    }
    return TDataCtlWnd<CWnd>::PreTranslateMessage(msg);
}

LRESULT CDataCtlAssocCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kCloseMessage) {
        if (wParam == m_drops)
            CloseList();
        return 0;
    }
    return TDataCtlWnd<CWnd>::WindowProc(message, wParam, lParam);
}

void CDataCtlAssocCombo::OnKillFocus(CWnd* newWnd)
{
    // The list taking the focus keeps it within the control.
    if (IsDroppedDown() || (newWnd && (newWnd == &m_list || newWnd == &m_list.GetBox())))
        return CWnd::OnKillFocus(newWnd);
    TDataCtlWnd<CWnd>::OnKillFocus(newWnd);
}

void CDataCtlAssocCombo::OnDestroy()
{
    ReleaseWatch();
    TDataCtlWnd<CWnd>::OnDestroy();
}

std::unique_ptr<IRecordInput> MakeRecordInput(CWnd& parent, const RECT& rect, UINT id)
{
    auto control = std::make_unique<CDataCtlAssocCombo>();
    if (!control->CreateCtl(TRUE, rect, &parent, nullptr, id, nullptr, nullptr, 0))
        return nullptr;
    return control;
}
