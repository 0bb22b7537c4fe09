// database/gedcom/gedcom_record_parser_index.cpp: the parser's index of a node's many children.
#include "database/gedcom/gedcom_record_parser_index.h"

#include "database/nodes/data_node.h"

#include <bit>

namespace {

int OrderOf(const CDataNode* node)
{
    const CFieldDef* def = node->GetFieldDef();
    return def ? def->GetSiblingOrder() : 0;
}

} // namespace

int CChildIndex::Count(const CFieldDef* def)
{
    CatchUp();
    const auto found = m_counts.find(def);
    return found == m_counts.end() ? 0 : found->second;
}

CDataNode* CChildIndex::PlaceForOrder(int order)
{
    CatchUp();
    const int above = RiserAbove(order);
    return above < 0 ? m_last : m_beforeRiser[above];
}

bool CChildIndex::Linking(CDataNode* child, CDataNode* prev)
{
    CatchUp();
    if (prev == m_last)
        return true; // it goes last: taken in as any child linked there
    ++m_counts[child->GetFieldDef()];
    // Every child is taken in and prev is not the last: a child follows the new one.
    CDataNode* next = prev ? prev->GetNextSibling() : m_parent->GetFirstChild();
    const int nextOrder = OrderOf(next);
    if (!IsRiser(next, nextOrder))
        return false;
    const int below = RiserBelow(nextOrder);
    const int order = OrderOf(child);
    if (order <= below) {
        m_beforeRiser[std::size_t(nextOrder)] = child;
        return true;
    }
    // The child rises above every child before it; the risers after it that it equals or
    // passes rise no more.
    ClearRisers(below + 1, order);
    SetRiser(order, child, prev);
    if (nextOrder > order)
        m_beforeRiser[std::size_t(nextOrder)] = child;
    return true;
}

void CChildIndex::Unlinking(CDataNode* child, CDataNode* prev)
{
    CatchUp();
    --m_counts[child->GetFieldDef()];
    CDataNode* next = child->GetNextSibling();
    if (m_last == child)
        m_last = prev;
    const int order = OrderOf(child);
    if (!IsRiser(child, order)) {
        if (next && IsRiser(next, OrderOf(next)))
            m_beforeRiser[OrderOf(next)] = prev;
        return;
    }
    ClearRisers(order, order);
    // The children after it up to the next riser may rise now.
    int top = RiserBelow(order);
    CDataNode* before = prev;
    for (; next && !IsRiser(next, OrderOf(next)); next = next->GetNextSibling()) {
        if (OrderOf(next) > top) {
            top = OrderOf(next);
            SetRiser(top, next, before);
        }
        before = next;
    }
    if (next)
        m_beforeRiser[OrderOf(next)] = before;
}

void CChildIndex::CatchUp()
{
    CDataNode* next = m_last ? m_last->GetNextSibling() : m_parent->GetFirstChild();
    if (!next)
        return;
    int top = RiserBelow(256);
    for (; next; next = next->GetNextSibling()) {
        ++m_counts[next->GetFieldDef()];
        if (const int order = OrderOf(next); order > top) {
            top = order;
            SetRiser(order, next, m_last);
        }
        m_last = next;
    }
}

void CChildIndex::SetRiser(int order, CDataNode* child, CDataNode* before)
{
    m_riserBits[std::size_t(order) / 64] |= std::uint64_t(1) << (order % 64);
    m_riser[std::size_t(order)] = child;
    m_beforeRiser[std::size_t(order)] = before;
}

void CChildIndex::ClearRisers(int first, int last)
{
    for (int order = first; order <= last; ++order) {
        m_riserBits[std::size_t(order) / 64] &= ~(std::uint64_t(1) << (order % 64));
        m_riser[std::size_t(order)] = nullptr;
    }
}

int CChildIndex::RiserBelow(int order) const
{
    for (int word = (order - 1) / 64; order > 0 && word >= 0; --word) {
        std::uint64_t bits = m_riserBits[std::size_t(word)];
        if (word == (order - 1) / 64 && order % 64 != 0)
            bits &= (std::uint64_t(1) << (order % 64)) - 1;
        if (bits)
            return word * 64 + 63 - std::countl_zero(bits);
    }
    return -1;
}

int CChildIndex::RiserAbove(int order) const
{
    for (int word = (order + 1) / 64; word < 4; ++word) {
        std::uint64_t bits = m_riserBits[std::size_t(word)];
        if (word == (order + 1) / 64)
            bits &= ~std::uint64_t(0) << ((order + 1) % 64);
        if (bits)
            return word * 64 + std::countr_zero(bits);
    }
    return -1;
}
