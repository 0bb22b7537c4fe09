// records/properties/prop_history.cpp: recording, moving through and trimming the ring of records
// the box showed.
#include "records/properties/prop_history.h"

void CPropHistory::Reset()
{
    m_first = m_last = m_current = -1;
    m_onEntry = false;
}

int CPropHistory::Count() const
{
    return IsEmpty() ? 0 : (m_last - m_first + kCapacity) % kCapacity + 1;
}

bool CPropHistory::Record(const PropHistoryEntry& shown)
{
    if (m_onEntry) {
        m_last = m_current;
        m_onEntry = false;
        return false;
    }
    if (!shown.m_type)
        return false;
    if (!IsEmpty()) {
        PropHistoryEntry& current = Current();
        if (current.m_type == shown.m_type && current.m_record == shown.m_record) {
            current = shown;
            return false;
        }
    }
    if (IsEmpty()) {
        m_first = m_current = 0;
    } else {
        m_current = Next(m_current);
        if (m_current == m_first)
            m_first = Next(m_first);
    }
    m_last = m_current;
    Current() = shown;
    return true;
}

bool CPropHistory::CanGoBack() const
{
    return !(m_current == m_first && (IsEmpty() || m_onEntry));
}

void CPropHistory::Step(int direction)
{
    if (IsEmpty())
        return;
    m_current = direction < 0 ? Prev(m_current) : Next(m_current);
    m_onEntry = true;
}

void CPropHistory::RemoveCurrent(int direction)
{
    if (IsEmpty())
        return;
    if (m_first == m_last) {
        Reset();
        return;
    }
    for (int i = m_current; i != m_last; i = Next(i))
        m_entries[std::size_t(i)] = m_entries[std::size_t(Next(i))];
    if (m_current == m_last || direction > 0)
        m_current = Prev(m_current);
    m_last = Prev(m_last);
}
