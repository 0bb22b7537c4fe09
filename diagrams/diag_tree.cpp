// diagrams/diag_tree.cpp: row tables, trees and row sets: rows by generation, ranges, trimming,
// saved positions, tree teardown without deep recursion, the tree array and the index rebuild.
#include "diagrams/diag_tree.h"

#include "common/abort.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diag_tree_walk.h"

#include <algorithm>

// ---- CGenerationTable ---------------------------------------------------------------------

CGenerationTable::CGenerationTable(IDiagramOwner& owner) : m_owner(owner) {}

CGenerationTable::~CGenerationTable()
{
    ReleaseRows(0, true);
}

CDiagRow* CGenerationTable::GetRow(int generation) const
{
    if (generation < 1) {
        const auto index = std::size_t(-generation);
        return index < m_descendantRows.size() ? m_descendantRows[index].get() : nullptr;
    }
    const auto index = std::size_t(generation - 1);
    return index < m_ancestorRows.size() ? m_ancestorRows[index].get() : nullptr;
}

void CGenerationTable::GetGenerationRange(int& highest, int& lowest, bool visibleOnly) const
{
    highest = int(m_ancestorRows.size());
    lowest = 1 - int(m_descendantRows.size());
    if (!visibleOnly)
        return;
    while (highest > 0 && !RowHasVisibleBox(highest))
        --highest;
    while (lowest < 1 && !RowHasVisibleBox(lowest))
        ++lowest;
}

bool CGenerationTable::RowHasVisibleBox(int generation) const
{
    const CDiagRow* row = GetRow(generation);
    return row && row->HasVisibleBox();
}

CDiagElem* CGenerationTable::FirstBox(int generation, bool visibleOnly) const
{
    const CDiagRow* row = GetRow(generation);
    if (!row)
        return nullptr;
    for (CDiagElem* box : row->m_boxes)
        if (!visibleOnly || box->IsVisible())
            return box;
    return nullptr;
}

CDiagElem* CGenerationTable::LastBox(int generation, bool visibleOnly) const
{
    const CDiagRow* row = GetRow(generation);
    if (!row)
        return nullptr;
    for (auto it = row->m_boxes.rbegin(); it != row->m_boxes.rend(); ++it)
        if (!visibleOnly || (*it)->IsVisible())
            return *it;
    return nullptr;
}

CDiagRow* CGenerationTable::AppendRow(int generation, std::vector<CDiagElem*> boxes)
{
    auto& side = generation < 1 ? m_descendantRows : m_ancestorRows;
    const auto index = std::size_t(generation < 1 ? -generation : generation - 1);
    if (index < side.size()) {
        side[index]->m_boxes = std::move(boxes);
        return side[index].get();
    }
    if (index != side.size())
        ThrowAbort();
    auto row = std::make_unique<CDiagRow>();
    row->m_rowNumber = boxes.empty() ? generation : boxes.front()->GetPosition();
    row->m_boxes = std::move(boxes);
    side.push_back(std::move(row));
    return side.back().get();
}

void CGenerationTable::ReleaseRows(int generation, bool allRows)
{
    if (allRows) {
        m_ancestorRows.clear();
        m_descendantRows.clear();
        return;
    }
    if (generation < 1)
        m_descendantRows.resize(std::min(m_descendantRows.size(), std::size_t(-generation)));
    else
        m_ancestorRows.resize(std::min(m_ancestorRows.size(), std::size_t(generation - 1)));
}

void CGenerationTable::ResetRows(int generation, bool allRows)
{
    const auto reset = [](auto& rows, std::size_t from) {
        for (std::size_t i = from; i < rows.size(); ++i)
            rows[i]->Reset();
    };
    if (allRows || generation < 1)
        reset(m_descendantRows, allRows ? 0 : std::size_t(-generation));
    if (allRows || generation >= 1)
        reset(m_ancestorRows, allRows ? 0 : std::size_t(generation - 1));
}

void CGenerationTable::TrimEmptyRows()
{
    for (auto* side : {&m_ancestorRows, &m_descendantRows})
        while (!side->empty() && side->back()->m_boxes.empty())
            side->pop_back();
}

void CGenerationTable::SaveBoxPositions(int side)
{
    m_savedRects.clear();
    const auto save = [this](const auto& rows) {
        for (const auto& row : rows)
            for (const CDiagElem* box : row->m_boxes)
                m_savedRects[box] = box->Rect();
    };
    if (side != kDescendantSide)
        save(m_ancestorRows);
    if (side != kAncestorSide)
        save(m_descendantRows);
}

std::vector<CRect> CGenerationTable::ChangedBoxes(int side) const
{
    std::vector<CRect> changed;
    const auto compare = [&](const auto& rows) {
        for (const auto& row : rows)
            for (const CDiagElem* box : row->m_boxes) {
                const auto saved = m_savedRects.find(box);
                if (saved == m_savedRects.end()) {
                    changed.push_back(box->Rect());
                } else if (!(saved->second == box->Rect())) {
                    changed.push_back(saved->second);
                    changed.push_back(box->Rect());
                }
            }
    };
    if (side != kDescendantSide)
        compare(m_ancestorRows);
    if (side != kAncestorSide)
        compare(m_descendantRows);
    return changed;
}

// ---- CDiagTree ----------------------------------------------------------------------------

CDiagTree::CDiagTree(IDiagramOwner& owner, CDiagRowSet& rowSet, CDiagAncestorElem* attachedTo)
    : CGenerationTable(owner), m_attachedTo(attachedTo), m_rowSet(rowSet)
{
    m_self = this;
}

CDiagTree::~CDiagTree()
{
    // Trees hanging from this one go first, the most deeply nested first, so that no deletion
    // recurses through the generations.
    std::vector<CDiagTree*> nested;
    for (std::size_t i = 0;; ++i) {
        const CDiagTree* tree = i == 0 ? this : (i - 1 < nested.size() ? nested[i - 1] : nullptr);
        if (!tree)
            break;
        ForEachAncestorBox(*tree, [&](CDiagAncestorElem& box) {
            if (auto* sub = static_cast<CDiagTree*>(box.SubTree()))
                nested.push_back(sub);
        });
    }
    for (auto it = nested.rbegin(); it != nested.rend(); ++it)
        (*it)->m_attachedTo->SetSubTree(nullptr);
    ReleaseRows(0, true);
    ReleaseDescendantBoxes(m_rootLinks);
    ReleaseAncestorBoxes(m_father, m_mother);
    m_rowSet.m_dirty = true;
    m_rowSet.RemoveTree(this);
}

void CDiagTree::SetVisible(bool visible)
{
    SetTreeVisible(*this, visible);
}

void CDiagTree::SetFlags(std::uint16_t bits, bool on, const ElemRecordSet* records)
{
    ForEachBox(*this, true, [&](CDiagElem& box) { box.SetFlag(bits, on, records); });
}

void CDiagTree::IndexElements()
{
    ForEachBox(*this, true, [&](CDiagElem& box) {
        if (box.GetKind() != kSpouseElem && !box.HasFlag(kElemMarked))
            m_owner.IndexElement(box.GetIndividual(), &box);
    });
}

CDiagElem* CDiagTree::FindIndividual(const CIndRec* individual, const CDiagElem* except) const
{
    CDiagElem* found = nullptr;
    ForEachBox(*this, true, [&](CDiagElem& box) {
        if (!found && &box != except && box.GetKind() != kSpouseElem &&
            box.GetIndividual() == individual)
            found = &box;
    });
    return found;
}

std::vector<CDiagElem*> CDiagTree::AllBoxes() const
{
    std::vector<CDiagElem*> boxes;
    ForEachBox(*this, false, [&](CDiagElem& box) { boxes.push_back(&box); });
    return boxes;
}

// ---- CDiagRowSet --------------------------------------------------------------------------

CDiagRowSet::CDiagRowSet(IDiagramOwner& owner) : m_owner(owner)
{
    DiagRowsInit();
}

CDiagRowSet::~CDiagRowSet()
{
    DiagFreeRows();
}

void CDiagRowSet::DiagRowsInit()
{
    m_trees.clear();
    m_index.Clear();
}

void CDiagRowSet::DiagFreeRows()
{
    // Trees left over from a failed build, whose main tree was dropped: each deletes the trees
    // hanging from it.
    std::vector<CDiagTree*> left;
    for (CDiagTree* tree : m_trees)
        if (!tree->m_attachedTo && tree != m_mainTree.get())
            left.push_back(tree);
    m_freeing = true;
    m_mainTree.reset();
    for (CDiagTree* tree : left)
        delete tree;
    m_trees.clear();
    m_freeing = false;
    m_index.Clear();
    m_indexStale = false;
}

CDiagTree* CDiagRowSet::SetMainTree(std::unique_ptr<CDiagTree> tree)
{
    m_mainTree = std::move(tree);
    return m_mainTree.get();
}

void CDiagRowSet::DropMainTree()
{
    if (m_mainTree && IndexOfTree(m_mainTree.get()) < 0) {
        m_mainTree.reset();
        return;
    }
    (void)m_mainTree.release(); // the tree array keeps it until DiagFreeRows
}

void CDiagRowSet::InsertTree(CDiagTree* tree, CDiagTree* reference, bool after)
{
    if (!reference) {
        m_trees.push_back(tree);
        return;
    }
    const int at = IndexOfTree(reference);
    if (at < 0)
        ThrowAbort();
    m_trees.insert(m_trees.begin() + at + (after ? 1 : 0), tree);
}

void CDiagRowSet::RemoveTree(const CDiagTree* tree)
{
    if (m_freeing)
        return;
    const int at = IndexOfTree(tree);
    if (at >= 0)
        m_trees.erase(m_trees.begin() + at);
}

int CDiagRowSet::IndexOfTree(const CDiagTree* tree) const
{
    const auto found = std::find(m_trees.begin(), m_trees.end(), tree);
    return found == m_trees.end() ? -1 : int(found - m_trees.begin());
}

void CDiagRowSet::RebuildIndex()
{
    m_index.Clear();
    for (CDiagTree* tree : m_trees) {
        int highest = 0, lowest = 0;
        tree->GetGenerationRange(highest, lowest, false);
        for (int generation = highest; generation >= lowest; --generation)
            if (CDiagRow* row = tree->GetRow(generation))
                m_index.Add(row);
    }
    m_indexStale = false;
}
