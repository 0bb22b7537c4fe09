// diagrams/diag_draw_lines.cpp: connector lines: couple lines, drop lines, sibling lines, lines
// between one person's marriages, expansion buttons and their limit brush, the lines to
// secondary trees, and the parents' drop x.
#include "diagrams/diag_draw_lines.h"

#include "diagrams/diag_compact.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diagram_settings.h"

#include <algorithm>

namespace {

const CDiagFamilyElem* MainBoxOf(const CDiagFamilyElem& box)
{
    const CDiagFamilyLink* link = box.FamilyLink();
    return link && !link->Boxes().empty() ? link->Boxes().front() : &box;
}

bool IsFatherBox(const CDiagTree& tree, const CDiagAncestorElem& box)
{
    if (const CDiagAncestorElem* child = box.Child())
        return child->Father() == &box;
    return tree.m_father.get() == &box;
}

/// The visible partner of an ancestor box (for the generation-1 boxes, the tree's other
/// one); null when none.
const CDiagElem* VisiblePartner(const CDiagTree& tree, const CDiagAncestorElem& box)
{
    const CDiagElem* partner = box.GetPartner();
    if (!box.Child())
        partner = tree.m_father.get() == &box ? static_cast<const CDiagElem*>(tree.m_mother.get())
                                              : tree.m_father.get();
    return partner && partner->IsVisible() ? partner : nullptr;
}

int CentreX(const CRect& r)
{
    return (r.left + r.right) / 2;
}

} // namespace

CLineGeometry::CLineGeometry(const CDiagRowSet& rowSet, bool printing)
{
    const IDiagramOwner& owner = rowSet.Owner();
    const CDiagramSettings& s = owner.Settings();
    boxHeight = rowSet.m_boxHeight > 0 ? rowSet.m_boxHeight : owner.BoxHeight();
    vertGap = owner.Scaled(s.m_boxToBoxVertGap);
    sibGap = owner.Scaled(s.m_sibLineToBoxVertGap);
    buttonOffset = vertGap - owner.Scaled(s.m_buttonCentreToBoxVertGap);
    buttonRadius = owner.Scaled(s.m_buttonRadius);
    spouseLinesGap = owner.SpouseLinesGap();
    spouseGap = owner.Scaled(s.m_spouseGap);
    stretchyWidth = owner.Scaled(s.m_stretchyLineHalfWidth);
    stretchyHeight = owner.Scaled(s.m_stretchyLineHalfHeight);
    textTopMargin = owner.Scaled(s.m_boxMarginTop);
    textBlockHeight = std::max(0, boxHeight - textTopMargin - owner.Scaled(s.m_boxMarginBottom));
    duplicateLine = s.m_duplicateLine;
    spouseOption = s.m_spouseOption;
    type = s.m_diagramType;
    // A button left off the paper takes its stub and its plus sign with it; an open branch
    // keeps its line, straight through where the button would be.
    showButtons = s.m_showExpansionButtons && !(printing && s.m_neverPrintExpansionButtons);
    showBoxes = s.m_showBoxes;
    singleBox = s.m_spouseOption == 2 && !s.m_duplicatesWithSpouses;
    avoidPageBoundaries = owner.AvoidsPageBoundaries();
    fixedGenerationSize = s.m_fixedGenerationSize;
    gapsAtTop = s.m_gapsAtTop;
    rowsPerBand = rowSet.m_bands.RowsPerBand();
    firstFoldedBand = rowSet.m_bands.FirstFoldedBand();
    ancestorGenerations = rowSet.m_ancestorGenerations;
}

int CLineGeometry::CoupleOffset() const
{
    const int offset = showBoxes ? (boxHeight - spouseLinesGap) / 2
                                 : (textBlockHeight - spouseLinesGap) / 2 + textTopMargin;
    return std::max(0, offset);
}

int CLineGeometry::AncestorCoupleY(const CRect& box) const
{
    const int y = box.top - CoupleOffset();
    return y < box.bottom ? box.top : y;
}

int CLineGeometry::DescendantCoupleY(const CRect& box) const
{
    return std::max<int>(box.top - CoupleOffset(), box.bottom);
}

int CLineGeometry::LowerCoupleY(int upper, const CRect& box) const
{
    return std::max<int>(upper - spouseLinesGap, box.bottom);
}

int CLineGeometry::MidY(const CRect& box) const
{
    const int offset = showBoxes ? boxHeight / 2 : textBlockHeight / 2 + textTopMargin;
    return std::max<int>(box.top - offset, box.bottom);
}

CRect CLineGeometry::Button(int x, int y) const
{
    return CRect(x - buttonRadius, y + buttonRadius, x + buttonRadius, y - buttonRadius);
}

bool DrawsForHiddenMarriage(const CLineGeometry& geometry, const CDiagFamilyElem& box)
{
    return geometry.singleBox && !box.IsVisible() && MainBoxOf(box) != &box &&
           MainBoxOf(box)->IsVisible();
}

CPoint FamilyDropPoint(const CLineGeometry& geometry, const CDiagFamilyElem& box)
{
    const CDiagDescendantElem* spouse = box.SpouseBox();
    const CRect& own = geometry.singleBox ? MainBoxOf(box)->Rect() : box.Rect();
    if (!spouse || !spouse->IsVisible())
        return CPoint(CentreX(box.Rect()), box.Rect().bottom);
    const int y = geometry.LowerCoupleY(geometry.DescendantCoupleY(own), own);
    if (geometry.singleBox && MainBoxOf(box) != &box)
        return CPoint(spouse->Rect().left - geometry.spouseGap / 2, y);
    if (geometry.avoidPageBoundaries)
        return CPoint(box.GetConnectorX(), y);
    return CPoint(GapMidpoint(own, spouse->Rect()).x, y);
}

int DiagParentsX(const CDiagTree& tree)
{
    const CDiagAncestorElem* father = tree.m_father.get();
    const CDiagAncestorElem* mother = tree.m_mother.get();
    if (!tree.Owner().AvoidsPageBoundaries() || !father || !mother || tree.m_rootLinks.empty())
        return DiagLineX(tree);
    const int gapLeft = father->Rect().right, gapRight = mother->Rect().left;
    const auto inside = [&](int x) { return x > gapLeft && x < gapRight; };
    const CDiagramSettings& settings = tree.Owner().Settings();
    const bool centred = tree.IsSecondary()
                             ? settings.m_centreSubTreeRoots
                             : settings.m_centreDiagramRoot && !tree.RowSet().m_rootedAtCouple;
    if (centred && tree.m_rootElement && inside(tree.m_rootElement->GetCentre().x))
        return tree.m_rootElement->GetCentre().x;
    const auto centreOf = [](const CDiagLink& link) {
        return link.m_boxes.empty() ? 0 : link.m_boxes.front()->GetCentre().x;
    };
    if (tree.m_rootLinks.size() > 1) {
        const int first = centreOf(*tree.m_rootLinks.front());
        const int last = centreOf(*tree.m_rootLinks.back());
        return (std::max(first, gapLeft) + std::min(last, gapRight)) / 2;
    }
    const int only = centreOf(*tree.m_rootLinks.front());
    return inside(only) ? only : (gapLeft + gapRight) / 2;
}

// ---- drawing ------------------------------------------------------------------------------

void CConnectorDrawer::Lines(std::initializer_list<CPoint> points, bool dotted)
{
    POINT list[6];
    int count = 0;
    for (const CPoint& point : points)
        list[count++] = point;
    if (dotted)
        m_painter.DrawDottedLines(list, count);
    else
        m_painter.DrawLines(list, count);
}

void CConnectorDrawer::PlusSign(const CPoint& centre)
{
    const int r = m_geometry.buttonRadius;
    Lines({CPoint(centre.x - r, centre.y), CPoint(centre.x + r, centre.y)}, false);
    Lines({CPoint(centre.x, centre.y + r), CPoint(centre.x, centre.y - r)}, false);
}

int CConnectorDrawer::ParentsX(const CDiagTree& tree)
{
    const auto found = m_parentsX.find(&tree);
    if (found != m_parentsX.end())
        return found->second;
    return m_parentsX[&tree] = DiagParentsX(tree);
}

bool CConnectorDrawer::ButtonAtLimitAbove(const CDiagAncestorElem& box) const
{
    if (m_geometry.type != kAllRelativesDiagram || box.GetExpansion() != kCollapsed ||
        box.Father() || box.Mother() || box.SubTree())
        return false;
    if (m_geometry.fixedGenerationSize && m_geometry.gapsAtTop)
        return false;
    const int top = m_geometry.fixedGenerationSize
                        ? m_geometry.rowsPerBand
                        : std::max(m_geometry.rowsPerBand, m_geometry.ancestorGenerations);
    return box.GetPosition() == top;
}

bool DiagFamilyBoxAtLimit(const CDiagTree& tree, const CDiagFamilyElem& box)
{
    const int generation = box.GetGeneration();
    const int folded = tree.RowSet().m_bands.FirstFoldedBand();
    return box.GetExpansion() == kCollapsed && box.ChildLinks().empty() &&
           tree.m_band + generation >= 2 && folded != -1 && generation <= -folded;
}

void CConnectorDrawer::AncestorConnectors(const CDiagTree& tree, const CDiagAncestorElem& box)
{
    const CLineGeometry& g = m_geometry;
    const CRect& r = box.Rect();
    const int cx = CentreX(r);
    const int state = box.GetExpansion();

    // The button above the box and the line up to the parents.
    const bool shown =
        (state == kExpanded && !box.SubTree()) || (state == kCollapsed && g.showButtons);
    if (shown) {
        int parentsY = 0;
        bool toParents = false;
        if (state == kExpanded) {
            const CDiagAncestorElem* parent =
                box.Father() && box.Father()->IsVisible() ? box.Father() : box.Mother();
            if (parent && parent->IsVisible()) {
                toParents = true;
                const CDiagElem* partner = VisiblePartner(tree, *parent);
                const CDiagAncestorElem* father = box.Father();
                const CDiagAncestorElem* mother = box.Mother();
                parentsY = parent->Rect().bottom;
                if (partner && father && mother && mother->Rect().left >= father->Rect().right)
                    parentsY = g.LowerCoupleY(g.AncestorCoupleY(father->Rect()), father->Rect());
            }
        }
        const int buttonY = r.top + g.buttonOffset;
        if (g.showButtons) {
            Lines({CPoint(cx, r.top), CPoint(cx, buttonY - g.buttonRadius)}, false);
            m_painter.DrawButton(g.Button(cx, buttonY), ButtonAtLimitAbove(box));
            if (state == kExpanded && toParents)
                Lines({CPoint(cx, buttonY + g.buttonRadius), CPoint(cx, parentsY)}, false);
            else if (state == kCollapsed)
                PlusSign(CPoint(cx, buttonY));
        } else if (toParents) {
            Lines({CPoint(cx, r.top), CPoint(cx, parentsY)}, false);
        }
    }

    // The couple line from a father to the mother, and the drop line to the child.
    const CDiagElem* partner = VisiblePartner(tree, box);
    const bool father = IsFatherBox(tree, box);
    if (partner && !father)
        return; // the father draws the couple's lines
    int dropY = r.bottom;
    if (partner && partner->Rect().left >= r.right) {
        const int upper = g.AncestorCoupleY(r);
        const int lower = g.LowerCoupleY(upper, r);
        int left = r.right, right = partner->Rect().left;
        if (m_painter.IsPrinting()) {
            left = std::max<int>(left, m_clip.left);
            right = std::min<int>(right, m_clip.right);
        }
        if (left <= right) {
            Lines({CPoint(left, upper), CPoint(right, upper)}, false);
            Lines({CPoint(left, lower), CPoint(right, lower)}, false);
        }
        dropY = lower;
    }
    if (box.GetGeneration() > 1) {
        const CDiagAncestorElem* child = box.Child();
        if (!child || !child->IsVisible())
            return;
        const CRect& c = child->Rect();
        const int end = g.showButtons ? c.top + g.buttonOffset + g.buttonRadius : c.top;
        Lines({CPoint(CentreX(c), dropY), CPoint(CentreX(c), end)}, false);
        return;
    }
    const CDiagRow* root = tree.GetRow(0);
    if (!root || root->m_shown.empty())
        return;
    const int x = ParentsX(tree);
    Lines({CPoint(x, dropY), CPoint(x, root->m_rect.top + g.sibGap)}, false);
}

bool CConnectorDrawer::UpLineStart(const CDiagTree& tree, const CDiagFamilyElem& box, CPoint& start)
{
    const CLineGeometry& g = m_geometry;
    const int sibY = box.Rect().top + g.sibGap;
    if (box.GetGeneration() < 0) {
        const CDiagFamilyElem* parent = box.FamilyLink() ? box.FamilyLink()->m_parentBox : nullptr;
        if (!parent)
            return false;
        start = CPoint(FamilyDropPoint(g, *parent).x, sibY);
        return true;
    }
    const CDiagAncestorElem* father = tree.m_father.get();
    const CDiagAncestorElem* mother = tree.m_mother.get();
    const CDiagAncestorElem* parent =
        father && father->IsVisible() ? father : (mother && mother->IsVisible() ? mother : nullptr);
    if (parent) {
        start = CPoint(ParentsX(tree), parent->Rect().bottom);
        return true;
    }
    if (tree.m_rootLinks.size() < 2)
        return false;
    const CDiagRow* row = tree.GetRow(0);
    if (!row || row->m_shown.empty())
        return false;
    start = CPoint((row->m_shown.front()->GetCentre().x + row->m_shown.back()->GetCentre().x) / 2,
                   sibY);
    return true;
}

void CConnectorDrawer::DescendantConnectors(const CDiagTree& tree, const CDiagFamilyElem& box)
{
    const CLineGeometry& g = m_geometry;
    const CDiagFamilyElem* main = MainBoxOf(box);
    const CRect& own = g.singleBox ? main->Rect() : box.Rect();
    const CDiagDescendantElem* spouse = box.SpouseBox();
    const bool secondaryRoot = tree.IsSecondary() && tree.m_rootElement == main;

    // The couple lines.
    if (spouse && spouse->IsVisible()) {
        const CRect& s = spouse->Rect();
        const int upper = g.DescendantCoupleY(own);
        const int lower = g.LowerCoupleY(upper, own);
        const int left = s.left >= own.right ? own.right : s.right;
        const int right = s.left >= own.right ? s.left : own.left;
        Lines({CPoint(left, upper), CPoint(right, upper)}, secondaryRoot);
        Lines({CPoint(left, lower), CPoint(right, lower)}, secondaryRoot);
    }
    const CPoint drop = FamilyDropPoint(g, box);

    // The line to the person's next marriage.
    const CDiagFamilyElem* next = box.NextFamilyBox();
    if (next && next->IsVisible() && box.IsVisible() && !g.singleBox && g.duplicateLine < 4) {
        const CDiagDescendantElem* nextSpouse = next->SpouseBox();
        int from = box.Rect().right, to = next->Rect().left;
        if (g.spouseOption != 1) {
            if (spouse && spouse->IsVisible())
                from = std::max<int>(from, spouse->Rect().right);
            if (nextSpouse && nextSpouse->IsVisible())
                to = std::min<int>(to, nextSpouse->Rect().left);
        }
        const int y = g.duplicateLine == 3 ? g.DescendantCoupleY(box.Rect()) : g.MidY(box.Rect());
        switch (g.duplicateLine) {
        case 0:
            Lines({CPoint(from, y), CPoint(to, y)}, false);
            break;
        case 1:
            m_painter.DrawStretchyLine(CPoint(from, y), CPoint(to, y), g.stretchyWidth,
                                       g.stretchyHeight);
            break;
        case 2:
            Lines({CPoint(from, y), CPoint(to, y)}, true);
            break;
        default: {
            const int lower = g.LowerCoupleY(y, box.Rect());
            Lines({CPoint(from, y), CPoint(to, y)}, true);
            Lines({CPoint(from, lower), CPoint(to, lower)}, true);
            break;
        }
        }
    }

    // The line up to the sibling line.
    if (main == &box && box.IsVisible()) {
        CPoint start;
        if (UpLineStart(tree, box, start)) {
            const CRect& r = box.Rect();
            const int cx = CentreX(r), sibY = r.top + g.sibGap;
            if (start.y != sibY)
                Lines({start, CPoint(start.x, sibY), CPoint(cx, sibY), CPoint(cx, r.top)},
                      secondaryRoot);
            else
                Lines({start, CPoint(cx, sibY), CPoint(cx, r.top)}, secondaryRoot);
        }
    }
    if (secondaryRoot && drop.y > own.bottom)
        Lines({drop, CPoint(drop.x, own.bottom)}, true);

    // The button below the box.
    const int state = box.GetExpansion();
    if (state == kNothingToExpand || (state == kCollapsed && !g.showButtons))
        return;
    const int childSibY = own.bottom - g.vertGap + g.sibGap;
    const int buttonY = own.bottom - g.buttonOffset;
    if (!g.showButtons) {
        Lines({drop, CPoint(drop.x, childSibY)}, false);
        return;
    }
    Lines({drop, CPoint(drop.x, buttonY + g.buttonRadius)}, false);
    m_painter.DrawButton(g.Button(drop.x, buttonY), DiagFamilyBoxAtLimit(tree, box));
    if (state == kExpanded)
        Lines({CPoint(drop.x, buttonY - g.buttonRadius), CPoint(drop.x, childSibY)}, false);
    else
        PlusSign(CPoint(drop.x, buttonY));
}

void CConnectorDrawer::SubTreeConnectors(const CDiagRow& row)
{
    const CLineGeometry& g = m_geometry;
    for (const CDiagElem* element : row.m_shown) {
        if (element->GetKind() != kAncestorElem || !element->IsVisible())
            continue;
        const auto& box = static_cast<const CDiagAncestorElem&>(*element);
        if (!box.SubTree() || box.GetExpansion() == kCollapsed)
            continue;
        const auto& sub = static_cast<const CDiagTree&>(*box.SubTree());
        const int lineX = DiagFamilyLineX(sub);
        const CRect& r = box.Rect();
        const bool right = lineX > CentreX(r);
        const int dir = right ? 1 : -1;
        const int edge = right ? r.right : r.left;
        const int y = g.AncestorCoupleY(r);
        // The room kept beside the box for its button; there the line turns to the secondary
        // tree's sibling line and runs along it, above the row's boxes rather than through them.
        const int outer = edge + dir * (g.buttonOffset + g.buttonRadius);
        if (g.showButtons) {
            const int centre = edge + dir * g.buttonOffset;
            Lines({CPoint(edge, y), CPoint(centre - dir * g.buttonRadius, y)}, false);
            m_painter.DrawButton(g.Button(centre, y), false);
        } else {
            Lines({CPoint(edge, y), CPoint(outer, y)}, false);
        }
        const CDiagRow* subRoot = sub.GetRow(0);
        if (!subRoot || subRoot->m_shown.empty())
            continue;
        const int sibY = subRoot->m_rect.top + g.sibGap;
        Lines({CPoint(outer, y), CPoint(outer, sibY), CPoint(lineX, sibY)}, true);
    }
}

void CConnectorDrawer::LineReach(const CDiagTree& tree, const CDiagElem& box, int& lo, int& hi)
{
    const CRect& r = box.Rect();
    lo = r.left;
    hi = r.right;
    const auto take = [&](int x) {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
    };
    if (box.GetKind() == kAncestorElem) {
        const auto& ancestor = static_cast<const CDiagAncestorElem&>(box);
        if (const CDiagElem* partner = VisiblePartner(tree, ancestor)) {
            take(partner->Rect().left);
            take(partner->Rect().right);
        }
        if (box.GetGeneration() == 1)
            take(ParentsX(tree));
        return;
    }
    if (box.GetKind() != kFamilyElem)
        return;
    const auto& family = static_cast<const CDiagFamilyElem&>(box);
    const CDiagFamilyLink* link = family.FamilyLink();
    const auto takeBox = [&](const CDiagFamilyElem& each) {
        if (const CDiagDescendantElem* spouse = each.SpouseBox()) {
            take(spouse->Rect().left);
            take(spouse->Rect().right);
        }
        take(FamilyDropPoint(m_geometry, each).x);
    };
    takeBox(family);
    if (const CDiagFamilyElem* next = family.NextFamilyBox())
        take(next->Rect().left);
    if (MainBoxOf(family) != &family || !link)
        return;
    if (m_geometry.singleBox)
        for (const CDiagFamilyElem* each : link->Boxes())
            takeBox(*each);
    CPoint start;
    if (UpLineStart(tree, family, start))
        take(start.x);
}
