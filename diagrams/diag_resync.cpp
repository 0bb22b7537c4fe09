// diagrams/diag_resync.cpp: re-synchronising after edits, re-laying out, re-packing and
// re-measuring, with the boxes that moved listed for repaint; showing trees, flags and the
// areas of a tree.
#include "diagrams/diag_resync.h"

#include "common/abort.h"
#include "diagrams/diag_compact.h"
#include "diagrams/diag_draw_lines.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diag_place.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diag_tree_walk.h"
#include "diagrams/diag_update.h"
#include "diagrams/diagram_settings.h"

#include <algorithm>
#include <new>
#include <unordered_map>
#include <unordered_set>

namespace {

struct CBoxPlace {
    CRect rect;
    bool visible;
};

/// Where every box of the row set stands, to list what moved after an operation.
class CPlaces {
public:
    explicit CPlaces(const CDiagRowSet& rowSet)
    {
        for (const CDiagTree* tree : rowSet.Trees())
            ForEachBox(*tree, false, [&](CDiagElem& box) {
                m_before.emplace(&box, CBoxPlace{box.Rect(), box.IsVisible()});
            });
    }
    /// Adds the old and new places of moved, shown, hidden, new and removed boxes, and marks
    /// the boxes shown at a new place for repaint.
    void ListChanges(const CDiagRowSet& rowSet, CDiagRepaint& repaint) const
    {
        std::unordered_set<const CDiagElem*> now;
        for (const CDiagTree* tree : rowSet.Trees())
            ForEachBox(*tree, false, [&](CDiagElem& box) {
                now.insert(&box);
                const auto was = m_before.find(&box);
                const bool moved = was == m_before.end() || !(was->second.rect == box.Rect()) ||
                                   was->second.visible != box.IsVisible();
                if (!moved)
                    return;
                if (was != m_before.end() && was->second.visible)
                    repaint.areas.push_back(was->second.rect);
                if (box.IsVisible()) {
                    repaint.areas.push_back(box.Rect());
                    box.m_repaintMark = true;
                }
            });
        for (const auto& [box, place] : m_before)
            if (!now.contains(box) && place.visible)
                repaint.areas.push_back(place.rect);
    }

private:
    std::unordered_map<const CDiagElem*, CBoxPlace> m_before;
};

void Compact(CDiagRowSet& rowSet, CDiagRepaint& repaint)
{
    DiagRowPass(rowSet, true);
    const std::vector<CRect> moved = DiagMeasure(rowSet);
    DiagRowsFinish(rowSet);
    repaint.areas.insert(repaint.areas.end(), moved.begin(), moved.end());
}

bool IsRelatives(const CDiagRowSet& rowSet)
{
    return rowSet.Owner().Settings().m_diagramType == kAllRelativesDiagram;
}

} // namespace

bool DiagRebuildRows(CDiagRowSet& rowSet, CDiagRefreshList& refresh, CDiagRepaint& repaint,
                     IBoxPainter* measurer)
{
    rowSet.m_dirty = false;
    const CPlaces before(rowSet);
    // The update deletes the boxes of removed records while the rows still point at them:
    // the rows are emptied first (each tree keeping its line x), so that nothing reads a
    // deleted box before they are refilled.
    for (CDiagTree* tree : rowSet.Trees()) {
        tree->m_lineX = DiagLineX(*tree);
        tree->ResetRows(0, true);
    }
    if (!DiagUpdateTrees(rowSet, refresh, measurer))
        return false;
    before.ListChanges(rowSet, repaint);
    rowSet.m_laidOut = true;
    return true;
}

int DiagRelayoutAll(CDiagRowSet& rowSet, bool invalidate, CDiagRepaint& repaint)
{
    for (CDiagTree* tree : rowSet.Trees()) {
        tree->m_lineX = DiagLineX(*tree);
        if (!tree->Relayout(0, true, true))
            return 0;
    }
    rowSet.m_laidOut = true;
    rowSet.RebuildIndex();
    if (rowSet.Trees().size() > 1)
        Compact(rowSet, repaint);
    repaint.whole |= invalidate;
    return 1;
}

void DiagRebuildAll(CDiagRowSet& rowSet, const std::function<void()>& change, CDiagRepaint& repaint)
{
    if (change)
        change();
    if (rowSet.m_indexStale)
        rowSet.RebuildIndex();
    if (IsRelatives(rowSet) && rowSet.Trees().size() > 1)
        Compact(rowSet, repaint);
}

int DiagRebuildMarked(CDiagRowSet& rowSet, bool marking, CDiagRepaint& repaint)
{
    CDiagTree* main = rowSet.MainTree();
    if (!main || !marking || rowSet.Owner().Settings().m_diagramType == kDescendantsDiagram)
        return 1;
    try {
        if (DiagMarkRepeatedAncestors(rowSet) > 0)
            repaint.whole = true;
        DiagRebuildAll(rowSet, nullptr, repaint);
        return 1;
    } catch (const COperationAborted&) {
    } catch (const std::bad_alloc&) {
    }
    repaint.whole = true;
    return 0;
}

void DiagRepack(CDiagRowSet& rowSet, CDiagRepaint& repaint)
{
    const CPlaces before(rowSet);
    for (CDiagTree* tree : rowSet.Trees()) {
        tree->m_lineX = DiagLineX(*tree);
        tree->PackRows();
        tree->PackAncestorRows();
    }
    if (IsRelatives(rowSet) && rowSet.Trees().size() > 1) {
        Compact(rowSet, repaint);
        rowSet.m_laidOut = true;
    } else if (rowSet.Trees().size() == 1) {
        CDiagTree& tree = *rowSet.Trees().front();
        DiagShiftRight(tree, -DiagLineX(tree));
        tree.m_lineX = 0;
    }
    before.ListChanges(rowSet, repaint);
}

void DiagRemeasureTexts(CDiagRowSet& rowSet, IBoxPainter* measurer, CDiagRepaint& repaint)
{
    std::unique_ptr<IBoxPainter> own;
    if (!measurer) {
        own = rowSet.Owner().CreateMeasurer();
        measurer = own.get();
    }
    const IDiagramOwner& owner = rowSet.Owner();
    const CDiagramSettings& settings = owner.Settings();
    const int margins =
        owner.Scaled(settings.m_boxMarginTop) + owner.Scaled(settings.m_boxMarginBottom);
    int height = std::max(owner.Scaled(settings.m_defaultBoxHeight), owner.BoxHeight());
    for (const CDiagTree* tree : rowSet.Trees())
        ForEachBox(*tree, false, [&](CDiagElem& box) {
            box.Measure(measurer, false);
            height = std::max(height, box.MeasuredLines() * box.LineHeight() + margins);
        });
    rowSet.m_boxHeight = height;
    DiagRepack(rowSet, repaint);
    rowSet.m_laidOut = true;
}

void DiagShowTree(CDiagTree& tree, bool shown)
{
    SetTreeVisible(tree, shown);
    if (!shown)
        return;
    if (!tree.Relayout(0, true, false))
        return;
    tree.RowSet().m_indexStale = true;
}

void DiagSetTreeFlags(CDiagTree& tree, std::uint16_t bits, bool on, const ElemRecordSet* records)
{
    tree.SetFlags(bits, on, records);
}

void DiagSetLinkFlags(CDiagLink& link, std::uint16_t bits, bool on, const ElemRecordSet* records)
{
    std::vector<CDiagLink*> work{&link};
    for (std::size_t i = 0; i < work.size(); ++i)
        for (const auto& box : work[i]->m_boxes) {
            box->SetFlag(bits, on, records);
            if (CDiagDescendantElem* spouse = box->SpouseBox())
                spouse->SetFlag(bits, on, records);
            for (const auto& child : box->ChildLinks())
                work.push_back(child.get());
        }
}

std::vector<CRect> DiagTreeAreas(const CDiagTree& start)
{
    std::vector<CRect> areas;
    const CLineGeometry geometry(start.RowSet());
    const int margin = geometry.buttonOffset + geometry.buttonRadius;
    std::vector<const CDiagTree*> trees{&start};
    for (std::size_t t = 0; t < trees.size(); ++t) {
        const CDiagTree& tree = *trees[t];
        int highest = 0, lowest = 0;
        tree.GetGenerationRange(highest, lowest, false);
        for (int g = lowest; g <= highest; ++g)
            if (const CDiagRow* row = tree.GetRow(g); row && !row->m_shown.empty())
                areas.emplace_back(row->m_rect.left - margin, row->m_rect.top + geometry.vertGap,
                                   row->m_rect.right + margin,
                                   row->m_rect.bottom - geometry.vertGap);
        ForEachAncestorBox(tree, [&](CDiagAncestorElem& box) {
            if (const auto* sub = static_cast<const CDiagTree*>(box.SubTree()))
                if (sub->m_rootElement && sub->m_rootElement->IsVisible())
                    trees.push_back(sub);
        });
    }
    return areas;
}
