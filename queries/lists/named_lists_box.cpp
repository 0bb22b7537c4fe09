// queries/lists/named_lists_box.cpp: the box of named lists and their counts.
#include "queries/lists/named_lists_box.h"

#include "platform/base/flag_guard.h"
#include "platform/base/text.h"
#include "queries/named_list.h"

#include <algorithm>

namespace {

CNamedList* ListOf(std::uintptr_t data)
{
    return reinterpret_cast<CNamedList*>(data);
}

} // namespace

BOOL CNamedListsBox::Create(const RECT& rect, CWnd* parent, UINT id, IListener* listener)
{
    m_listener = listener;
    if (!CColBox::Create(TBF_FULL_ROW_SELECT | TBF_OWNER_TEXT, 0, WS_CHILD | WS_VISIBLE | WS_BORDER,
                         rect, parent, id, this, 0, 0))
        return FALSE;
    SetColumnWidths(int(rect.right - rect.left));
    GetBox().SetEmptyText("No Named Lists");
    return TRUE;
}

void CNamedListsBox::SetColumnWidths(int width)
{
    // The room of the vertical scroll bar stays free.
    const int usable = std::max(40, width - 20);
    const int edges[] = {usable * 3 / 4, usable};
    SetColumns("Named List\tItems", 2, 2, edges);
}

void CNamedListsBox::OnSize(UINT type, int cx, int cy)
{
    CColBox::OnSize(type, cx, cy);
    if (cx > 0)
        SetColumnWidths(cx);
}

int CNamedListsBox::Fill(CNamedList* keep)
{
    const CFlagGuard filling(m_filling);
    CTreeBox& box = GetBox();
    box.DeleteAllItems();
    int count = 0;
    CTreeBoxNode* kept = nullptr;
    for (CNamedList* list = CNamedList::GetFirst(); list; list = list->GetNext(), ++count) {
        CTreeBoxNode* row = box.InsertItem(nullptr, CTreeBox::kInsertLast,
                                           {.data = std::uintptr_t(list), .noRedraw = true});
        if (list == keep)
            kept = row;
    }
    box.RedrawAll();
    if (kept)
        box.SetFocusItem(kept, true);
    return count;
}

CNamedList* CNamedListsBox::GetSelectedList() const
{
    CTreeBox& box = const_cast<CNamedListsBox*>(this)->GetBox();
    const CTreeBoxNode* row = box.GetNextSelected(nullptr);
    return row ? ListOf(row->m_data) : nullptr;
}

CTreeBoxNode* CNamedListsBox::FindRow(const CNamedList* list) const
{
    if (!list)
        return nullptr;
    return const_cast<CNamedListsBox*>(this)->GetBox().FindItemByData(std::uintptr_t(list));
}

bool CNamedListsBox::SelectList(CNamedList* list)
{
    CTreeBoxNode* row = FindRow(list);
    if (!row) {
        GetBox().ClearSelection(nullptr, true);
        OnSelChanged(this);
        return false;
    }
    GetBox().SetFocusItem(row, true);
    GetBox().EnsureItemVisible(row, 1, false);
    return true;
}

void CNamedListsBox::RemoveList(CNamedList* list)
{
    if (CTreeBoxNode* row = FindRow(list))
        GetBox().DeleteItem(row);
}

void CNamedListsBox::OnSelChanged(CColBox*)
{
    if (m_listener && !m_filling)
        m_listener->OnListsBoxSelChanged();
}

void CNamedListsBox::OnSetFocus(CColBox*)
{
    if (m_listener)
        m_listener->OnListsBoxFocus();
}

bool CNamedListsBox::OnKeyDown(CColBox*, UINT virtKey, UINT, UINT)
{
    if (virtKey != VK_DELETE || !m_listener)
        return true;
    m_listener->OnListsBoxDeleteKey();
    return false;
}

std::string CNamedListsBox::GetItemText(CColBox*, CTreeBoxNode*, std::uintptr_t data, int column,
                                        bool, CDC*, CSize*)
{
    const CNamedList* list = ListOf(data);
    if (!list)
        return {};
    if (column == 1)
        return text::Format("%d", list->Entries().size());
    if (column == 0)
        return list->GetName();
    return list->GetName() + "\t" + text::Format("%d", list->Entries().size());
}

bool CNamedListsBox::OnColumnClick(CColBox*, int column)
{
    m_sortColumn = column;
    return true;
}

int CNamedListsBox::Compare(CColBox*, std::uintptr_t first, std::uintptr_t second)
{
    const CNamedList* a = ListOf(first);
    const CNamedList* b = ListOf(second);
    if (m_sortColumn == 1) {
        const std::size_t x = a->Entries().size();
        const std::size_t y = b->Entries().size();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    return text::CompareNoCase(a->GetName(), b->GetName());
}
