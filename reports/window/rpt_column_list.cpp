// reports/window/rpt_column_list.cpp: column boxes in the place of list boxes.
#include "reports/window/rpt_column_list.h"

#include "platform/ui/dialogs/list_box.h"

#include <algorithm>

bool RptMakeColumnList(CWnd& page, int id, CColBox& box, CColBoxOwner* owner, const char* titles,
                       std::span<const double> edges)
{
    CWnd* placeholder = page.GetDlgItem(id);
    if (!dynamic_cast<CListBox*>(placeholder))
        return box.GetSafeHwnd() != nullptr;
    CRect rect;
    placeholder->GetWindowRect(&rect);
    page.ScreenToClient(&rect);
    const DWORD style = placeholder->GetStyle();
    const bool visible = (style & WS_VISIBLE) != 0;
    const bool enabled = placeholder->IsWindowEnabled() != FALSE;
    placeholder->ShowWindow(SW_HIDE);
    placeholder->SetDlgCtrlID(0);
    const DWORD flags = (style & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) ? TBF_MULTI_SELECT : 0;
    if (!box.Create(flags, 0, WS_CHILD | WS_BORDER | WS_TABSTOP | (visible ? WS_VISIBLE : 0), rect,
                    &page, UINT(id), owner, 0, 0))
        return false;
    box.SetTabOrderAfter(placeholder);
    box.EnableWindow(enabled);
    CRect client;
    box.GetClientRect(&client);
    std::vector<int> right;
    for (double edge : edges)
        right.push_back(int(client.Width() * std::clamp(edge, 0.0, 1.0)));
    box.SetColumns(titles, 2, int(right.size()), right.data());
    box.GetHeader().SetColumnsEnabled(false);
    return true;
}

void RptFillColumnList(CColBox& box, const std::vector<std::string>& rows)
{
    CTreeBox& list = box.GetBox();
    list.DeleteAllItems();
    for (std::size_t i = 0; i < rows.size(); ++i)
        list.InsertItem(nullptr, CTreeBox::kInsertLast, {.text = rows[i], .data = i});
}

std::vector<int> RptSelectedRows(CColBox& box)
{
    std::vector<int> rows;
    for (CTreeBoxNode* row = box.GetBox().GetNextSelected(nullptr); row;
         row = box.GetBox().GetNextSelected(row))
        rows.push_back(int(row->m_data));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void RptSelectRow(CColBox& box, int row)
{
    if (row < 0 || row >= int(box.GetBox().GetCount()))
        return;
    if (CTreeBoxNode* node = box.GetBox().GetItemByIndex(row))
        box.GetBox().SetItemSelected(node, true, false);
}

CColBox* RptColumnList(const CWnd& page, int id)
{
    return dynamic_cast<CColBox*>(page.GetDlgItem(id));
}
