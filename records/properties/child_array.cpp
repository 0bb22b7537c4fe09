// records/properties/child_array.cpp: the children of the family shown on the individual's Main
// page, with gaps.
#include "records/properties/child_array.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"

#include <algorithm>
#include <utility>

void CChildArray::Rebuild(const CFamRec* family)
{
    m_entries.clear();
    for (CIndRec* child = family ? family->GetNextChild(nullptr) : nullptr; child;
         child = family->GetNextChild(child))
        m_entries.push_back(child);
}

void CChildArray::RebuildKeepingGaps(const CFamRec* family)
{
    if (!family) {
        m_entries.clear();
        return;
    }
    CIndRec* next = family->GetNextChild(nullptr);
    for (CIndRec*& entry : m_entries) {
        if (!entry)
            continue;
        entry = next;
        if (next)
            next = family->GetNextChild(next);
    }
    for (; next; next = family->GetNextChild(next))
        m_entries.push_back(next);
    while (!m_entries.empty() && !m_entries.back())
        m_entries.pop_back();
}

void CChildArray::SetSingle(CIndRec* individual)
{
    m_entries.assign(1, individual);
}

CIndRec* CChildArray::At(int index) const
{
    return index >= 0 && index < GetSize() ? m_entries[std::size_t(index)] : nullptr;
}

void CChildArray::SetAt(int index, CIndRec* child)
{
    if (index < 0)
        return;
    if (index >= GetSize())
        m_entries.resize(std::size_t(index) + 1, nullptr);
    m_entries[std::size_t(index)] = child;
}

int CChildArray::CountChildren() const
{
    return CountChildrenBefore(GetSize());
}

int CChildArray::CountChildrenBefore(int index) const
{
    const int end = std::clamp(index, 0, GetSize());
    return int(std::count_if(m_entries.begin(), m_entries.begin() + end,
                             [](const CIndRec* entry) { return entry != nullptr; }));
}

int CChildArray::GetLastChildIndex() const
{
    for (int i = GetSize() - 1; i >= 0; --i) {
        if (m_entries[std::size_t(i)])
            return i;
    }
    return -1;
}

CIndRec* CChildArray::GetNextChildAfter(int index) const
{
    for (int i = std::max(index + 1, 0); i < GetSize(); ++i) {
        if (m_entries[std::size_t(i)])
            return m_entries[std::size_t(i)];
    }
    return nullptr;
}

CIndRec* CChildArray::GetChildBefore(int index) const
{
    for (int i = std::min(index, GetSize()) - 1; i >= 0; --i) {
        if (m_entries[std::size_t(i)])
            return m_entries[std::size_t(i)];
    }
    return nullptr;
}

int CChildArray::GetScrollMax(int firstChild) const
{
    const int children = GetLastChildIndex() + 1;
    const int shown = firstChild + 3;
    if (children <= 3 && shown <= 3)
        return 0;
    return std::max(children, shown);
}

bool CChildArray::CanMoveUp(int index) const
{
    return index > 0 && GetLastChildIndex() >= 0;
}

bool CChildArray::CanMoveDown(int index) const
{
    return index >= 0 && index <= GetLastChildIndex();
}

bool CChildArray::MoveUp(int index, CIndRec*& earlier, CIndRec*& later)
{
    earlier = later = nullptr;
    if (!CanMoveUp(index) || index > GetSize())
        return false;
    return Exchange(index - 1, earlier, later);
}

bool CChildArray::MoveDown(int index, CIndRec*& earlier, CIndRec*& later)
{
    earlier = later = nullptr;
    if (!CanMoveDown(index))
        return false;
    return Exchange(index, earlier, later);
}

bool CChildArray::Exchange(int first, CIndRec*& earlier, CIndRec*& later)
{
    if (first + 1 >= GetSize())
        m_entries.resize(std::size_t(first) + 2, nullptr);
    std::swap(m_entries[std::size_t(first)], m_entries[std::size_t(first) + 1]);
    if (m_entries[std::size_t(first)] && m_entries[std::size_t(first) + 1]) {
        earlier = m_entries[std::size_t(first)];
        later = m_entries[std::size_t(first) + 1];
    }
    return true;
}
