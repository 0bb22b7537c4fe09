// controls/grid_find_bar.cpp: the find bar: built from its template, its edits' changes and F3
// passed on to the grid.
#include "controls/grid_find_bar.h"

#include "controls/tree_grid.h"
#include "platform/base/flag_guard.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/resources/dialog_template.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>
#include <climits>

namespace {

std::string TextOf(CWnd& wnd)
{
    std::string text;
    wnd.GetWindowText(text);
    return text;
}

} // namespace

CGridFindBar::CGridFindBar(CTreeGrid& grid) : m_grid(grid) {}

CFindBarEdit* CGridFindBar::GetEdit(int id)
{
    switch (id) {
    case CTreeGrid::kFindTextId:
        return &m_textEdit;
    case CTreeGrid::kFindIdId:
        return &m_idEdit;
    case CTreeGrid::kFindText2Id:
        return &m_text2Edit;
    default:
        return nullptr;
    }
}

bool CGridFindBar::Create(UINT templateId)
{
    const CDialogTemplate* dialog = AppResources().FindDialog(templateId);
    if (!dialog)
        return false;
    const LOGFONT logFont = dialog->GetFont();
    m_font.CreateFontIndirect(&logFont);
    const CSize units = GetDialogBaseUnits(logFont);
    CRect size(0, 0, dialog->m_cx, dialog->m_cy);
    MapDialogRect(units, size);
    if (!CreateEx(0, nullptr, dialog->m_caption.c_str(), WS_CHILD | WS_VISIBLE, size, &m_grid, 0))
        return false;
    for (const DialogItemTemplate& item : dialog->m_items) {
        CRect place = item.Rect();
        MapDialogRect(units, place);
        if (item.className == "Static" && (item.style & WS_VISIBLE)) {
            m_placed.push_back({place, nullptr, m_labels.size()});
            m_labels.push_back({item.text, place});
        } else if (CFindBarEdit* edit = item.className == "Edit" ? GetEdit(item.id) : nullptr) {
            edit->Create(item.style, place, this, UINT(item.id));
            if (item.style & WS_VISIBLE)
                m_placed.push_back({place, edit, 0});
        }
    }
    std::stable_sort(m_placed.begin(), m_placed.end(),
                     [](const Placed& a, const Placed& b) { return a.rect.left < b.rect.left; });
    m_minEditWidth = 6 * units.cx; // six average characters
    return m_textEdit.GetSafeHwnd() && m_idEdit.GetSafeHwnd() && m_text2Edit.GetSafeHwnd();
}

bool CGridFindBar::FindNext(int editId)
{
    if (!editId) {
        const CWnd* focus = GetFocus();
        for (const int id : {CTreeGrid::kFindTextId, CTreeGrid::kFindIdId, CTreeGrid::kFindText2Id})
            if (focus == GetEdit(id))
                editId = id;
    }
    if (!editId) {
        for (const int id : {CTreeGrid::kFindTextId, CTreeGrid::kFindText2Id, CTreeGrid::kFindIdId})
            if (!TextOf(*GetEdit(id)).empty()) {
                editId = id;
                break;
            }
    }
    CFindBarEdit* edit = GetEdit(editId);
    if (!edit)
        return false;
    m_grid.OnFindNext(TextOf(*edit), editId);
    return true;
}

void CGridFindBar::Clear()
{
    const CFlagGuard clearing(m_clearing);
    for (const int id : {CTreeGrid::kFindTextId, CTreeGrid::kFindIdId, CTreeGrid::kFindText2Id})
        if (CFindBarEdit* edit = GetEdit(id); edit->GetSafeHwnd())
            edit->SetWindowText("");
}

bool CGridFindBar::OnEditKeyDown(CFindBarEdit* edit, UINT virtKey)
{
    return virtKey == VK_F3 && FindNext(edit->GetDlgCtrlID());
}

void CGridFindBar::OnEditSetFocus(CFindBarEdit* edit)
{
    m_lastFocused = edit->GetDlgCtrlID();
    m_grid.OnFindEditFocus(m_lastFocused);
}

void CGridFindBar::OnKeyDown(UINT virtKey, UINT /*repeatCount*/, UINT /*flags*/)
{
    if (virtKey != VK_F3 || !FindNext(0))
        Default();
}

BOOL CGridFindBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    CFindBarEdit* edit = GetEdit(id);
    if (!edit || !lParam)
        return CWnd::OnCommand(wParam, lParam);
    switch (HIWORD(wParam)) {
    case EN_CHANGE:
        if (m_clearing)
            return TRUE;
        if (id == CTreeGrid::kFindTextId)
            m_grid.OnFindTextChanged(TextOf(*edit));
        else if (id == CTreeGrid::kFindIdId)
            m_grid.OnFindIdChanged(TextOf(*edit));
        else
            m_grid.OnFindText2Changed(TextOf(*edit));
        return TRUE;
    default:
        return CWnd::OnCommand(wParam, lParam);
    }
}

BOOL CGridFindBar::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_3DFACE));
    return TRUE;
}

void CGridFindBar::OnPaint()
{
    CPaintDC dc(this);
    dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    for (Label& label : m_labels)
        dc.DrawText(label.text, &label.rect, DT_LEFT | DT_SINGLELINE);
}

std::vector<FindBarItem> CGridFindBar::TemplateItems() const
{
    std::vector<FindBarItem> items;
    items.reserve(m_placed.size());
    for (const Placed& placed : m_placed)
        items.push_back({placed.rect.left, placed.rect.right, placed.edit != nullptr});
    return items;
}

int CGridFindBar::GetLeastWidth() const
{
    return LeastFindBarWidth(TemplateItems(), m_minEditWidth);
}

int CGridFindBar::GetTemplateWidth() const
{
    return LeastFindBarWidth(TemplateItems(), INT_MAX);
}

void CGridFindBar::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    const std::vector<FindBarItem> fitted = FitFindBarItems(TemplateItems(), cx, m_minEditWidth);
    for (std::size_t i = 0; i < m_placed.size(); ++i) {
        CRect rect = m_placed[i].rect;
        rect.left = fitted[i].left;
        rect.right = fitted[i].right;
        if (m_placed[i].edit) {
            CRect now;
            m_placed[i].edit->GetWindowRect(&now);
            ScreenToClient(&now);
            if (now != rect)
                m_placed[i].edit->MoveWindow(rect);
        } else {
            m_labels[m_placed[i].label].rect = rect;
        }
    }
    Invalidate();
}

void CGridFindBar::PostNcDestroy()
{
    m_grid.FindBarGone(this);
    delete this;
}
