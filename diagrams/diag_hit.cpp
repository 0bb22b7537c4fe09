// diagrams/diag_hit.cpp: hit tests by row bands (the gap above an ancestor row and below a
// descendant row belong to it, for the buttons there), each row's boxes found by binary
// search, and the diagram's extents.
#include "diagrams/diag_hit.h"

#include "diagrams/diag_draw_lines.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diagram_settings.h"

#include <algorithm>
#include <cstdlib>

namespace {

/// The first shown box of a row whose right edge lies at or right of x.
std::size_t FirstReaching(const CDiagRow& row, int x)
{
    const auto found =
        std::lower_bound(row.m_shown.begin(), row.m_shown.end(), x,
                         [](const CDiagElem* box, int value) { return box->Rect().right < value; });
    return std::size_t(found - row.m_shown.begin());
}

bool InSquare(int x, int y, const CPoint& centre, int halfSide)
{
    return std::abs(x - centre.x) <= halfSide && std::abs(y - centre.y) <= halfSide;
}

bool IsFatherSide(const CDiagTree& tree, const CDiagAncestorElem& box)
{
    if (const CDiagAncestorElem* child = box.Child())
        return child->Father() == &box;
    return tree.m_father.get() == &box;
}

/// A box that carries a side button for its open relatives tree.
bool HasSideButton(const CDiagAncestorElem& box)
{
    const int state = box.GetExpansion();
    return box.SubTree() && state != kNothingToExpand && state != kCollapsed;
}

class CTreeHitTest {
public:
    explicit CTreeHitTest(const CDiagTree& tree)
        : m_tree(tree), m_geometry(tree.RowSet()),
          m_relatives(tree.Owner().Settings().m_diagramType == kAllRelativesDiagram),
          m_margin(m_relatives ? m_geometry.buttonOffset + m_geometry.buttonRadius : 0)
    {
    }

    CDiagElem* Run(int x, int y, int& onButton)
    {
        onButton = 0;
        const CDiagRow* root = m_tree.GetRow(0);
        if (root && !root->m_shown.empty() && y <= root->m_rect.top)
            return Descendants(x, y, onButton);
        return Ancestors(x, y, onButton);
    }

private:
    bool SideButtonHit(const CDiagAncestorElem& box, bool fatherSide, int x, int y) const
    {
        const CRect& r = box.Rect();
        const int cx =
            fatherSide ? r.left - m_geometry.buttonOffset : r.right + m_geometry.buttonOffset;
        return InSquare(x, y, CPoint(cx, m_geometry.AncestorCoupleY(r)), m_geometry.buttonRadius);
    }

    CDiagElem* Ancestors(int x, int y, int& onButton) const
    {
        int highest = 0, lowest = 0;
        m_tree.GetGenerationRange(highest, lowest, false);
        for (int g = 1; g <= highest; ++g) {
            const CDiagRow* row = m_tree.GetRow(g);
            if (!row || row->m_shown.empty() || y > row->m_rect.top + m_geometry.vertGap)
                continue;
            if (y < row->m_rect.bottom || x < row->m_rect.left - m_margin ||
                x > row->m_rect.right + m_margin)
                return nullptr;
            for (std::size_t i = FirstReaching(*row, x - m_margin); i < row->m_shown.size(); ++i) {
                CDiagElem* element = row->m_shown[i];
                if (element->GetKind() != kAncestorElem)
                    continue;
                auto& box = static_cast<CDiagAncestorElem&>(*element);
                const CRect& r = box.Rect();
                const bool fatherSide = IsFatherSide(m_tree, box);
                if (x < r.left) {
                    if (m_relatives && fatherSide && HasSideButton(box) &&
                        SideButtonHit(box, true, x, y))
                        return onButton = 1, &box;
                    return nullptr;
                }
                if (x <= r.right) {
                    if (y <= r.top)
                        return &box;
                    const int state = box.GetExpansion();
                    const bool button =
                        state != kNothingToExpand && (!box.SubTree() || state == kCollapsed);
                    const CPoint centre(box.GetCentre().x, r.top + m_geometry.buttonOffset);
                    if (button && InSquare(x, y, centre, m_geometry.buttonRadius))
                        return onButton = 1, &box;
                    return nullptr;
                }
                if (m_relatives && x <= r.right + m_margin && !fatherSide && HasSideButton(box) &&
                    SideButtonHit(box, false, x, y))
                    return onButton = 1, &box;
            }
            return nullptr;
        }
        return nullptr;
    }

    /// The person box of a couple and whether the point is on its button.
    CDiagElem* ButtonOf(const CDiagFamilyElem& person, int x, int y, int& onButton) const
    {
        if (person.GetExpansion() == kNothingToExpand)
            return nullptr;
        const CPoint centre(
            FamilyDropPoint(m_geometry, person).x,
            (m_geometry.singleBox ? person.FamilyLink()->Boxes().front()->Rect() : person.Rect())
                    .bottom -
                m_geometry.buttonOffset);
        if (!InSquare(x, y, centre, m_geometry.buttonRadius))
            return nullptr;
        onButton = 1;
        return const_cast<CDiagFamilyElem*>(&person);
    }

    CDiagElem* Descendants(int x, int y, int& onButton) const
    {
        int highest = 0, lowest = 0;
        m_tree.GetGenerationRange(highest, lowest, false);
        for (int g = 0; g >= lowest; --g) {
            const CDiagRow* row = m_tree.GetRow(g);
            if (!row || row->m_shown.empty() || y < row->m_rect.bottom - m_geometry.vertGap)
                continue;
            if (y > row->m_rect.top || x < row->m_rect.left || x > row->m_rect.right)
                return nullptr;
            const auto& shown = row->m_shown;
            std::size_t i = FirstReaching(*row, x);
            if (y >= row->m_rect.bottom) {
                if (i < shown.size() && x >= shown[i]->Rect().left)
                    return shown[i];
                return nullptr;
            }
            for (i = i > 0 ? i - 1 : 0; i < shown.size(); ++i) {
                CDiagElem* box = shown[i];
                const CDiagElem* partner = box->GetPartner();
                if (x < box->Rect().left) {
                    if (box->GetKind() == kSpouseElem && partner && !partner->IsVisible())
                        return ButtonOf(static_cast<const CDiagFamilyElem&>(*partner), x, y,
                                        onButton);
                    return nullptr;
                }
                int right = box->Rect().right;
                const bool coupled = i + 1 < shown.size() && partner && shown[i + 1] == partner;
                if (coupled)
                    right = partner->Rect().right;
                if (x <= right) {
                    const CDiagFamilyElem* person =
                        box->GetKind() == kSpouseElem
                            ? &static_cast<CDiagDescendantElem*>(box)->FamilyBox()
                            : static_cast<const CDiagFamilyElem*>(box);
                    return ButtonOf(*person, x, y, onButton);
                }
                if (coupled)
                    ++i;
            }
            return nullptr;
        }
        return nullptr;
    }

    const CDiagTree& m_tree;
    const CLineGeometry m_geometry;
    const bool m_relatives;
    const int m_margin;
};

void Unite(CRect& into, const CRect& r, bool& any)
{
    if (!any) {
        into = r;
        any = true;
        return;
    }
    into.left = std::min(into.left, r.left);
    into.right = std::max(into.right, r.right);
    into.top = std::max(into.top, r.top);
    into.bottom = std::min(into.bottom, r.bottom);
}

} // namespace

CDiagElem* DiagHitTestTree(const CDiagTree& tree, int x, int y, int& onButton)
{
    return CTreeHitTest(tree).Run(x, y, onButton);
}

CDiagElem* DiagHitTestRows(const CDiagRowSet& rowSet, int x, int y, int& onButton)
{
    onButton = 0;
    for (const CDiagTree* tree : rowSet.Trees())
        if (CDiagElem* hit = DiagHitTestTree(*tree, x, y, onButton))
            return hit;
    onButton = 0;
    return nullptr;
}

int DiagRootRowPosition(const CDiagRowSet& rowSet)
{
    const CLineGeometry geometry(rowSet);
    const int offset = (geometry.vertGap - geometry.sibGap) / 2;
    const int pitch = geometry.boxHeight + geometry.vertGap;
    if (geometry.type == kAncestorsDiagram && !rowSet.m_rootedAtCouple)
        return -pitch - offset;
    if (geometry.type == kDescendantsDiagram && rowSet.m_rootedAtCouple)
        return pitch - offset;
    return -offset;
}

bool DiagTreeBoundingRect(const CDiagTree& tree, CRect& rect)
{
    bool any = false;
    int highest = 0, lowest = 0;
    tree.GetGenerationRange(highest, lowest, false);
    for (int g = 1; g <= highest; ++g) {
        const CDiagRow* row = tree.GetRow(g);
        if (!row || row->m_shown.empty())
            break;
        Unite(rect, row->m_rect, any);
    }
    for (int g = 0; g >= lowest; --g) {
        const CDiagRow* row = tree.GetRow(g);
        if (!row || row->m_shown.empty())
            break;
        Unite(rect, row->m_rect, any);
    }
    if (!any)
        return false;
    const int type = tree.Owner().Settings().m_diagramType;
    if (type == kAncestorsDiagram)
        rect.bottom = DiagRootRowPosition(tree.RowSet());
    else if (type == kDescendantsDiagram)
        rect.top = DiagRootRowPosition(tree.RowSet());
    return true;
}

bool DiagGetExtent(const CDiagRowSet& rowSet, CRect& rect)
{
    bool any = false;
    for (const CDiagTree* tree : rowSet.Trees()) {
        CRect own;
        if (DiagTreeBoundingRect(*tree, own))
            Unite(rect, own, any);
    }
    return any;
}

bool DiagGetRowRange(const CDiagRowSet& rowSet, int& highest, int& lowest, bool visibleOnly)
{
    const CGenerationIndex& index = rowSet.Index();
    if (!visibleOnly) {
        if (index.IsEmpty())
            return false;
        highest = index.HighestRow();
        lowest = index.LowestRow();
        return true;
    }
    const auto shows = [&](int rowNumber) {
        for (const CDiagRow* row = index.First(rowNumber); row; row = row->m_nextOfGeneration)
            if (row->HasVisibleBox())
                return true;
        return false;
    };
    highest = 0;
    lowest = 1;
    if (!index.IsEmpty()) {
        for (int r = index.HighestRow(); r > 0; --r)
            if (shows(r)) {
                highest = r;
                break;
            }
        for (int r = index.LowestRow(); r < 1; ++r)
            if (shows(r)) {
                lowest = r;
                break;
            }
    }
    return highest >= lowest;
}

int DiagTreeTopOffset(const CDiagTree& tree)
{
    if (!tree.HasElements())
        return 0;
    const CDiagRowSet& rowSet = tree.RowSet();
    const CLineGeometry geometry(rowSet);
    int row = 0;
    if (tree.m_father)
        row = tree.m_father->GetPosition();
    else if (tree.m_mother)
        row = tree.m_mother->GetPosition();
    else if (!rowSet.m_bands.IsRelatives())
        row = std::max(0, tree.m_generationOffset) + 1;
    else {
        int first = 0, last = 0;
        const int band = std::min(tree.m_generationOffset + 1, rowSet.m_bands.LastBand());
        row = rowSet.m_bands.GetBandRows(band, first, last) ? first : band;
    }
    return (geometry.vertGap + geometry.boxHeight) * (row - 1);
}
