// controls/tree_box_structure.cpp: the node forest: linking, inserting, changing and freeing
// nodes, and keeping the next-row chain and the row numbers right.
#include "controls/tree_box.h"

#include "controls/detail/tree_box_parts.h"
#include "platform/base/flag_guard.h"
#include "platform/base/present_pages.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

CTreeBoxNode* CTreeBox::FirstSiblingOf(const CTreeBoxNode* parent) const
{
    return parent ? parent->m_firstChild : m_first;
}

CTreeBoxNode* CTreeBox::PrevSibling(const CTreeBoxNode* node) const
{
    return node->m_prevSibling;
}

CTreeBoxNode* CTreeBox::LastSiblingUnder(CTreeBoxNode* parent) const
{
    CTreeBoxNode* last =
        m_lastAppended && m_lastAppended->m_parent == parent && !m_lastAppended->m_nextSibling
            ? m_lastAppended
            : FirstSiblingOf(parent);
    while (last && last->m_nextSibling)
        last = last->m_nextSibling;
    return last;
}

CTreeBoxNode* CTreeBox::SortedPlace(CTreeBoxNode* parent, const std::string& text,
                                    std::uintptr_t data)
{
    const bool byOwner = m_owner && (m_ownerText || m_mode == kGridMode) && m_ownerOrder;
    if (!byOwner && text.empty())
        return nullptr;
    CTreeBoxNode* last = nullptr;
    for (CTreeBoxNode* n = FirstSiblingOf(parent); n; n = n->m_nextSibling) {
        const bool after =
            byOwner ? m_owner->Compare(this, n->m_data, data) > 0 : n->m_text.str() > text;
        if (after)
            break;
        last = n;
    }
    return last;
}

CTreeBoxNode* CTreeBox::SubtreeEnd(CTreeBoxNode* node)
{
    CTreeBoxNode* end = node;
    while (end->m_nextInOrder && end->m_nextInOrder->m_level > node->m_level)
        end = end->m_nextInOrder;
    return end;
}

CTreeBoxNode* CTreeBox::AfterSubtree(const CTreeBoxNode* node)
{
    for (; node; node = node->m_parent)
        if (node->m_nextSibling)
            return node->m_nextSibling;
    return nullptr;
}

CTreeBoxNode* CTreeBox::ComputeNextRow(CTreeBoxNode* node)
{
    if (node->m_state == CTreeBoxNode::kExpanded && node->m_firstChild)
        return node->m_firstChild;
    return AfterSubtree(node);
}

void CTreeBox::RelinkRange(CTreeBoxNode* from, const CTreeBoxNode* end)
{
    for (CTreeBoxNode* n = from; n && n != end; n = n->m_nextInOrder)
        n->m_nextRow = ComputeNextRow(n);
}

void CTreeBox::Renumber(CTreeBoxNode* from)
{
    if (m_bulk)
        return;
    // The rows below the first unused number hold their places; numbering starts there at the
    // latest.
    if (!m_unusedNumbers.empty()) {
        if (from && from->m_row >= m_unusedNumbers.front().first)
            from = MarkBelow(m_unusedNumbers.front().first);
        m_unusedNumbers.clear();
    }
    int row = 0;
    if (from)
        row = from->m_row;
    else
        from = m_first;
    DropRowMarksFrom(row);
    for (CTreeBoxNode* n = from; n; n = n->m_nextRow) {
        if (row % kRowMarkStep == 0)
            m_rowMarks.push_back(n);
        n->m_row = row++;
    }
    m_rowCount = row;
}

void CTreeBox::DropRowMarksFrom(int row)
{
    m_rowMarks.resize(std::size_t(std::max(row, 0) + kRowMarkStep - 1) / kRowMarkStep);
}

CTreeBoxNode* CTreeBox::MarkBelow(int number) const
{
    if (number <= 0 || m_rowMarks.empty())
        return nullptr;
    for (std::size_t i = std::min(std::size_t(number - 1) / kRowMarkStep, m_rowMarks.size() - 1);;
         --i) {
        if (m_rowMarks[i] && m_rowMarks[i]->m_row < number)
            return m_rowMarks[i];
        if (i == 0)
            return nullptr;
    }
}

int CTreeBox::GetItemRow(const CTreeBoxNode* node) const
{
    if (!node)
        return -1;
    const int number = node->m_row;
    if (m_unusedNumbers.empty() || number < m_unusedNumbers.front().first)
        return number;
    const auto after =
        std::upper_bound(m_unusedNumbers.begin(), m_unusedNumbers.end(), number,
                         [](int n, const UnusedNumbers& unused) { return n < unused.first; });
    return number - std::prev(after)->unusedThrough;
}

int CTreeBox::NumberOfRow(int row) const
{
    int number = row;
    for (const UnusedNumbers& unused : m_unusedNumbers) {
        if (unused.first > number)
            break;
        number += unused.last - unused.first + 1;
    }
    return number;
}

CTreeBox::RemovedRows CTreeBox::RowsRemovedWith(CTreeBoxNode* node, bool childrenOnly) const
{
    RemovedRows removed;
    if (m_bulk || m_rowsUnlinked)
        return removed;
    CTreeBoxNode* const end = AfterSubtree(node);
    CTreeBoxNode* n = node;
    if (childrenOnly)
        n = node->m_state == CTreeBoxNode::kExpanded ? node->m_firstChild : nullptr;
    if (n && n != end)
        removed.first = n->m_row;
    for (; n && n != end; n = n->m_nextRow) {
        removed.last = n->m_row;
        ++removed.count;
    }
    removed.linked = n == end;
    return removed;
}

bool CTreeBox::LeaveRowNumbersUnused(const RemovedRows& removed)
{
    if (m_bulk || !removed.linked)
        return false;
    if (removed.count == 0)
        return true;
    if (m_unusedNumbers.size() >= kMaxUnusedRuns)
        return false;
    // The removed rows held every number from the first one's to the last one's that was not
    // unused already: the runs among them join the new one, and so do runs just beside it.
    UnusedNumbers run{removed.first, removed.last, 0};
    auto begin =
        std::lower_bound(m_unusedNumbers.begin(), m_unusedNumbers.end(), run.first,
                         [](const UnusedNumbers& unused, int n) { return unused.last + 1 < n; });
    auto end = begin;
    while (end != m_unusedNumbers.end() && end->first <= run.last + 1) {
        run.first = std::min(run.first, end->first);
        run.last = std::max(run.last, end->last);
        ++end;
    }
    auto at = m_unusedNumbers.erase(begin, end);
    at = m_unusedNumbers.insert(at, run);
    int unused = at == m_unusedNumbers.begin() ? 0 : std::prev(at)->unusedThrough;
    for (; at != m_unusedNumbers.end(); ++at) {
        unused += at->last - at->first + 1;
        at->unusedThrough = unused;
    }
    m_rowCount -= removed.count;
    return true;
}

bool CTreeBox::IsNodeVisible(const CTreeBoxNode* node) const
{
    if (!node)
        return false;
    for (const CTreeBoxNode* p = node->m_parent; p; p = p->m_parent)
        if (p->m_state != CTreeBoxNode::kExpanded)
            return false;
    return true;
}

void CTreeBox::FixTopRow()
{
    if (!m_top) {
        m_top = m_first;
        return;
    }
    // The highest ancestor that is not expanded hides everything below it, itself visible.
    CTreeBoxNode* visible = m_top;
    for (CTreeBoxNode* p = m_top->m_parent; p; p = p->m_parent)
        if (p->m_state != CTreeBoxNode::kExpanded)
            visible = p;
    m_top = visible;
}

CTreeBoxNode* CTreeBox::InsertItem(CTreeBoxNode* parent, int where, const TreeBoxItem& item)
{
    if (m_mode == kListMode && parent)
        return nullptr;
    CTreeBoxNode* after = nullptr;
    if (where == kInsertLast)
        after = LastSiblingUnder(parent);
    else if (where != kInsertFirst)
        after = SortedPlace(parent, item.text, item.data);
    return CreateNode(parent, after, item);
}

CTreeBoxNode* CTreeBox::CreateNode(CTreeBoxNode* parent, CTreeBoxNode* after,
                                   const TreeBoxItem& item)
{
    if ((m_mode == kListMode && parent) || (after && after->m_parent != parent))
        return nullptr;
    CTreeBoxNode* const node = AllocateNode();
    if (!node)
        return nullptr;
    node->m_level = std::int16_t(parent ? parent->m_level + 1 : 0);
    node->m_state = item.state;
    node->m_text = item.text;
    node->m_image = item.image ? item.image : item.selectedImage;
    node->m_selectedImage = item.selectedImage ? item.selectedImage : item.image;
    node->m_data = item.data;
    node->m_data2 = item.data2;
    node->m_parent = parent;
    const bool ensureVisible = item.ensureVisible && !m_expanding;

    CTreeBoxNode* const oldTop = m_top;
    if (!parent && !after && (!m_top || m_top == m_first))
        m_top = node;
    LinkSubtree(node, parent, after);
    const bool parentWasLeaf = parent && parent->m_state == CTreeBoxNode::kLeaf;
    if (parentWasLeaf)
        parent->m_state = CTreeBoxNode::kCollapsed;
    if (!m_focus)
        m_focus = m_anchor = node;
    ++m_count;
    if (!node->m_nextSibling)
        m_lastAppended = node;
    node->m_nextRow = ComputeNextRow(node);
    if (item.noRedraw) {
        m_rowsUnlinked = true;
        return node;
    }

    RelinkRange(after ? after : parent ? parent : node, node->m_nextInOrder);
    if (IsNodeVisible(node)) {
        if (after || parent)
            Renumber(after ? after : parent);
        else
            Renumber(nullptr);
        if (m_top != oldTop)
            Invalidate();
        else if (after || parent)
            InvalidateItem(after ? after : parent, kButtonAreaAndBelow);
        else
            InvalidateItem(node, kRowAndBelow);
        RecalcLayout();
    } else if (ensureVisible) {
        ExpandToItem(node);
    } else if (parentWasLeaf && IsNodeVisible(parent)) {
        InvalidateItem(parent, kButtonArea);
    }
    return node;
}

CTreeBoxNode* CTreeBox::AppendRow(const TreeBoxItem& item)
{
    if (m_bulk || m_rowsUnlinked) {
        TreeBoxItem unlinked = item;
        unlinked.noRedraw = true;
        return InsertItem(nullptr, kInsertLast, unlinked);
    }
    CTreeBoxNode* const after = LastSiblingUnder(nullptr);
    CTreeBoxNode* const above = after ? GetNextItem(after) : nullptr; // the last row
    CTreeBoxNode* const node = AllocateNode();
    if (!node)
        return nullptr;
    node->m_state = item.state;
    node->m_text = item.text;
    node->m_image = item.image ? item.image : item.selectedImage;
    node->m_selectedImage = item.selectedImage ? item.selectedImage : item.image;
    node->m_data = item.data;
    node->m_data2 = item.data2;
    ++m_orderStamp;
    if (after) {
        SubtreeEnd(after)->m_nextInOrder = node;
        after->m_nextSibling = node;
    } else {
        m_first = node;
        m_top = node;
    }
    node->m_prevSibling = after;
    if (!m_focus)
        m_focus = m_anchor = node;
    ++m_count;
    m_lastAppended = node;
    // The nodes last at each level of the old last subtree went on to nothing; they go on to
    // the new node now. It is the new last row, numbered after the last row, which leaves no
    // number unused.
    for (CTreeBoxNode* n = after; n; n = n->m_firstChild ? LastSiblingUnder(n) : nullptr)
        n->m_nextRow = ComputeNextRow(n);
    node->m_row = above ? above->m_row + 1 : 0;
    if (node->m_row % kRowMarkStep == 0) {
        m_rowMarks.resize(std::size_t(node->m_row) / kRowMarkStep);
        m_rowMarks.push_back(node);
    }
    ++m_rowCount;
    return node;
}

void CTreeBox::ShowAppendedRows()
{
    if (m_rowsUnlinked || m_bulk) {
        RedrawAll();
        return;
    }
    FixTopRow();
    RecalcLayout();
    Invalidate();
}

bool CTreeBox::SetItem(CTreeBoxNode* node, const TreeBoxItemChange& change)
{
    if (!node)
        return false;
    if (change.text)
        node->m_text = change.text;
    if (change.state && *change.state != node->m_state) {
        const int state = *change.state;
        if (state == CTreeBoxNode::kLeaf && node->m_firstChild)
            DeleteItem(node, true, true);
        node->m_state = state;
        // The state decides whether the children are rows.
        CTreeBoxNode* next = ComputeNextRow(node);
        if (next != node->m_nextRow) {
            node->m_nextRow = next;
            if (IsNodeVisible(node)) {
                Renumber(node);
                FixTopRow();
                InvalidateItem(node, kRowAndBelow);
                RecalcLayout();
            }
        }
    }
    if (change.data)
        node->m_data = *change.data;
    if (change.data2)
        node->m_data2 = *change.data2;
    if (change.images) {
        node->m_image = change.images->image;
        node->m_selectedImage = change.images->selectedImage;
    }
    if (IsNodeVisible(node))
        InvalidateItem(node, kRow);
    return true;
}

void CTreeBox::FreeNode(CTreeBoxNode* node)
{
    if (m_owner)
        m_owner->OnItemFreed(this, node);
    CTreeBoxNode* prev = PrevSibling(node);
    CTreeBoxNode* heir = node->m_nextSibling ? node->m_nextSibling : prev ? prev : node->m_parent;
    if (m_focus == node) {
        if (heir)
            MarkSelected(heir, node->m_selected != 0);
        m_focus = heir;
    }
    if (m_anchor == node)
        m_anchor = heir;
    if (m_mark == node)
        m_mark = nullptr;
    if (m_lastAppended == node)
        m_lastAppended = prev;
    if (const std::size_t mark = std::size_t(node->m_row) / kRowMarkStep;
        mark < m_rowMarks.size() && m_rowMarks[mark] == node)
        m_rowMarks[mark] = nullptr;
    // Its children are gone, so the node is its whole subtree in the pre-order chain.
    CTreeBoxNode* before = prev ? SubtreeEnd(prev) : node->m_parent;
    if (before)
        before->m_nextInOrder = node->m_nextInOrder;
    Unlink(node);
    if (m_top == node)
        m_top = heir ? heir : m_first;
    --m_count;
    if (node->m_selected)
        --m_selectedCount;
    if (m_count == 0)
        m_top = m_focus = m_anchor = m_mark = nullptr;
    ReleaseNode(node);
}

void CTreeBox::FreeSubtree(CTreeBoxNode* root)
{
    // Children first, depth first, without recursion: descend to the first leaf, free it, and
    // go on with its next sibling or, when it was the last, with its parent.
    CTreeBoxNode* node = root;
    for (;;) {
        while (node->m_firstChild)
            node = node->m_firstChild;
        CTreeBoxNode* next = node->m_nextSibling ? node->m_nextSibling : node->m_parent;
        const bool last = node == root;
        FreeNode(node);
        if (last)
            return;
        node = next;
    }
}

CTreeBox::NodeBlock::NodeBlock(std::size_t size)
    : m_nodes(static_cast<CTreeBoxNode*>(
          ::operator new(size * sizeof(CTreeBoxNode), std::align_val_t(alignof(CTreeBoxNode))))),
      m_size(size)
{
    // A large block's pages are made present at once rather than one fault at a time as its
    // nodes are made.
    MakePagesPresent(m_nodes, size * sizeof(CTreeBoxNode));
}

CTreeBox::NodeBlock::NodeBlock(NodeBlock&& other) noexcept
    : m_nodes(std::exchange(other.m_nodes, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_used(std::exchange(other.m_used, 0))
{
}

CTreeBox::NodeBlock::~NodeBlock()
{
    if (!m_nodes)
        return;
    std::destroy_n(m_nodes, m_used);
    ::operator delete(m_nodes, std::align_val_t(alignof(CTreeBoxNode)));
}

CTreeBoxNode* CTreeBox::NodeBlock::MakeNode()
{
    return new (&m_nodes[m_used++]) CTreeBoxNode();
}

CTreeBoxNode* CTreeBox::AllocateNode()
{
    constexpr std::size_t kFirstBlockSize = 16;
    constexpr std::size_t kLargestBlockSize = 16384;
    if (CTreeBoxNode* node = m_freeNodes) {
        m_freeNodes = node->m_nextInOrder;
        node->m_nextInOrder = nullptr;
        return node;
    }
    if (m_nodeBlocks.empty() || m_nodeBlocks.back().Full()) {
        const std::size_t size = m_nodeBlocks.empty()
                                     ? kFirstBlockSize
                                     : std::min(2 * m_nodeBlocks.back().Size(), kLargestBlockSize);
        try {
            m_nodeBlocks.emplace_back(size);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    return m_nodeBlocks.back().MakeNode();
}

void CTreeBox::ReleaseNode(CTreeBoxNode* node)
{
    *node = CTreeBoxNode();
    node->m_nextInOrder = m_freeNodes;
    m_freeNodes = node;
}

void CTreeBox::FreeAllNodes()
{
    m_nodeBlocks.clear();
    m_freeNodes = nullptr;
    m_first = nullptr;
}

void CTreeBox::FreeChildren(CTreeBoxNode* node)
{
    while (node->m_firstChild)
        FreeSubtree(node->m_firstChild);
}

void CTreeBox::DeleteItem(CTreeBoxNode* node, bool redraw, bool childrenOnly)
{
    if (!node)
        return;
    const bool visible = IsNodeVisible(node);
    CTreeBoxNode* const oldTop = m_top;
    CTreeBoxNode* const oldFocus = m_focus;
    const bool focusWasSelected = m_focus && m_focus->m_selected;
    CTreeBoxNode* const above = visible ? GetRelative(node, kRowAbove) : nullptr;
    const RemovedRows removed = visible ? RowsRemovedWith(node, childrenOnly) : RemovedRows{};
    NoteSelChanging();

    CTreeBoxNode* parent = childrenOnly ? node : node->m_parent;
    CTreeBoxNode* relinkFrom = node;
    CTreeBoxNode* redrawRow = node;
    if (childrenOnly) {
        FreeChildren(node);
    } else {
        CTreeBoxNode* prev = PrevSibling(node);
        relinkFrom = prev ? prev : parent;
        redrawRow = parent ? parent : above;
        FreeSubtree(node);
    }
    if (!m_top && m_count)
        m_top = redrawRow ? redrawRow : m_first;
    if (redraw && parent && !parent->m_firstChild)
        parent->m_state = CTreeBoxNode::kLeaf;
    if (relinkFrom)
        RelinkRange(relinkFrom, SubtreeEnd(relinkFrom)->m_nextInOrder);
    FixTopRow();
    if (visible) {
        if (!LeaveRowNumbersUnused(removed))
            Renumber(relinkFrom && IsNodeVisible(relinkFrom) ? relinkFrom : nullptr);
        if (!m_count)
            m_hPos = 0;
        RecalcLayout();
    }
    if (redraw && visible) {
        if (m_top != oldTop) {
            Invalidate();
            m_layoutDirty = true;
        } else if (redrawRow) {
            InvalidateItem(redrawRow, kRowAndBelow);
        } else {
            Invalidate();
        }
    }
    if (m_focus != oldFocus) {
        if (m_focus && redraw)
            InvalidateItemIfVisible(m_focus);
        if (focusWasSelected)
            NoteSelChanged();
    }
}

void CTreeBox::DeleteAllItems(bool resetHorizontal)
{
    if (GetSafeHwnd())
        NoteSelChanging();
    m_vTracking = m_hTracking = false;
    if (m_owner && m_first)
        m_owner->OnAllItemsFreed(this);
    FreeAllNodes();
    ++m_orderStamp;
    m_count = 0;
    m_selectedCount = 0;
    m_rowCount = 0;
    m_rowMarks.clear();
    m_unusedNumbers.clear();
    m_rowsUnlinked = false;
    m_first = m_top = m_focus = m_anchor = m_mark = m_lastAppended = nullptr;
    m_widest = 0;
    if (resetHorizontal)
        m_hPos = 0;
    if (!GetSafeHwnd())
        return;
    {
        const CFlagGuard lookEnabled(m_disabledLook, false);
        RecalcLayout();
    }
    Invalidate();
}

void CTreeBox::CutSubtree(CTreeBoxNode* node)
{
    CTreeBoxNode* prev = PrevSibling(node);
    CTreeBoxNode* end = SubtreeEnd(node);
    CTreeBoxNode* before = prev ? SubtreeEnd(prev) : node->m_parent;
    if (before)
        before->m_nextInOrder = end->m_nextInOrder;
    Unlink(node);
    if (m_lastAppended == node)
        m_lastAppended = prev;
    end->m_nextInOrder = nullptr;
}

void CTreeBox::LinkSubtree(CTreeBoxNode* node, CTreeBoxNode* parent, CTreeBoxNode* after)
{
    ++m_orderStamp;
    CTreeBoxNode* end = SubtreeEnd(node);
    const int shift = (parent ? parent->m_level + 1 : 0) - node->m_level;
    for (CTreeBoxNode* n = node;; n = n->m_nextInOrder) {
        n->m_level = std::int16_t(n->m_level + shift);
        if (n == end)
            break;
    }
    node->m_parent = parent;
    if (after) {
        CTreeBoxNode* afterEnd = SubtreeEnd(after);
        end->m_nextInOrder = afterEnd->m_nextInOrder;
        afterEnd->m_nextInOrder = node;
        node->m_nextSibling = after->m_nextSibling;
        after->m_nextSibling = node;
    } else if (parent) {
        end->m_nextInOrder = parent->m_nextInOrder;
        parent->m_nextInOrder = node;
        node->m_nextSibling = parent->m_firstChild;
        parent->m_firstChild = node;
    } else {
        end->m_nextInOrder = m_first;
        node->m_nextSibling = m_first;
        m_first = node;
    }
    node->m_prevSibling = after;
    if (node->m_nextSibling)
        node->m_nextSibling->m_prevSibling = node;
}

void CTreeBox::Unlink(CTreeBoxNode* node)
{
    ++m_orderStamp;
    CTreeBoxNode* prev = node->m_prevSibling;
    CTreeBoxNode* next = node->m_nextSibling;
    if (prev)
        prev->m_nextSibling = next;
    else if (node->m_parent)
        node->m_parent->m_firstChild = next;
    else
        m_first = next;
    if (next)
        next->m_prevSibling = prev;
    node->m_nextSibling = node->m_prevSibling = nullptr;
}

std::vector<CTreeBoxNode*> CTreeBox::TopLevelNodes() const
{
    std::vector<CTreeBoxNode*> nodes;
    nodes.reserve(m_count);
    for (CTreeBoxNode* n = m_first; n; n = n->m_nextSibling)
        nodes.push_back(n);
    return nodes;
}

void CTreeBox::RelinkTopLevel(const std::vector<CTreeBoxNode*>& order)
{
    // One pass over the nodes: a top-level node without children is its own subtree, and its
    // next row is its next sibling.
    bool nested = false;
    ++m_orderStamp;
    m_first = order.empty() ? nullptr : order.front();
    m_rowMarks.clear();
    m_unusedNumbers.clear();
    m_rowsUnlinked = false;
    for (std::size_t i = 0; i < order.size(); ++i) {
        CTreeBoxNode* node = order[i];
        CTreeBoxNode* next = i + 1 < order.size() ? order[i + 1] : nullptr;
        CTreeBoxNode* end = node->m_firstChild ? SubtreeEnd(node) : node;
        node->m_nextSibling = next;
        node->m_prevSibling = i > 0 ? order[i - 1] : nullptr;
        end->m_nextInOrder = next;
        node->m_row = int(i);
        if (i % kRowMarkStep == 0)
            m_rowMarks.push_back(node);
        if (node->m_firstChild) {
            nested = true;
            RelinkRange(node, next);
        } else {
            node->m_nextRow = next;
        }
    }
    m_lastAppended = order.empty() ? nullptr : order.back();
    if (nested)
        Renumber(nullptr);
    else
        m_rowCount = int(order.size());
}

void CTreeBox::EndBulkChange()
{
    if (m_bulk > 0 && --m_bulk == 0)
        RedrawAll();
}

void CTreeBox::RedrawAll()
{
    RelinkRange(m_first, nullptr);
    m_rowsUnlinked = false;
    Renumber(nullptr);
    FixTopRow();
    RecalcLayout();
    Invalidate();
}
