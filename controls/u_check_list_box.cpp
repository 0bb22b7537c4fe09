// controls/u_check_list_box.cpp: loading the prepared items and checking the selection together.
#include "controls/u_check_list_box.h"

void CUCheckListBox::SetPreparedItems(std::vector<CheckListItem> items)
{
    m_prepared = std::move(items);
}

int CUCheckListBox::OnCreate(CREATESTRUCT* createStruct)
{
    if (CListBox::OnCreate(createStruct) == -1)
        return -1;
    for (size_t position = 0; position < m_prepared.size(); ++position) {
        if (m_prepared[position].text.empty())
            continue;
        const int index = AddString(m_prepared[position].text.c_str());
        SetItemData(index, DWORD_PTR(position));
    }
    return 0;
}

int CUCheckListBox::PreparedPosition(int index) const
{
    if (index < 0 || index >= GetCount())
        return -1;
    const DWORD_PTR position = GetItemData(index);
    return position < m_prepared.size() ? int(position) : -1;
}

bool CUCheckListBox::GetCheck(int index) const
{
    const int position = PreparedPosition(index);
    return position >= 0 && m_prepared[size_t(position)].checked;
}

void CUCheckListBox::SetCheck(int index, bool check)
{
    const int position = PreparedPosition(index);
    if (position < 0)
        return;
    m_prepared[size_t(position)].checked = check;
    Invalidate();
}

void CUCheckListBox::CheckSelectedItems(bool check)
{
    const int count = GetCount();
    for (int index = 0; index < count; ++index) {
        if (GetSel(index) > 0)
            SetCheck(index, check);
    }
}

void CUCheckListBox::ClickItem(int index)
{
    SetFocus();
    if (index < 0 || index >= GetCount())
        return;
    const bool check = !GetCheck(index);
    if (GetSel(index) > 0)
        CheckSelectedItems(check);
    else
        SetCheck(index, check);
}
