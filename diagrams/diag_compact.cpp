// diagrams/diag_compact.cpp: All Relatives compaction: each tree's extents per row, band or
// bounding rectangle, father-side trees pushed left and mother-side trees right until they keep
// the sub-tree gap, then every tree moved to its place. The tree of trees is walked with work
// lists.
#include "diagrams/diag_compact.h"

#include "diagrams/diag_draw_lines.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diag_place.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diag_tree_walk.h"
#include "diagrams/diagram_settings.h"

#include <algorithm>

namespace {

int Mode(const CDiagRowSet& rowSet)
{
    const int mode = rowSet.Owner().Settings().m_horizontalCompression;
    return mode == kCompactByBand || mode == kCompactByRect ? mode : kCompactByRow;
}

/// The first entry's row (or band) and the number of entries of the contours.
void ContourRange(const CDiagRowSet& rowSet, int& lowest, int& count)
{
    lowest = 0;
    count = 0;
    const CGenerationIndex& index = rowSet.Index();
    if (index.IsEmpty())
        return;
    switch (Mode(rowSet)) {
    case kCompactByRow:
        lowest = index.LowestRow();
        count = index.HighestRow() - lowest + 1;
        break;
    case kCompactByBand:
        lowest = rowSet.m_bands.MapRowToBand(index.LowestRow());
        count = rowSet.m_bands.MapRowToBand(index.HighestRow()) - lowest + 1;
        break;
    default:
        count = 1;
        break;
    }
}

int EntryOf(const CDiagRowSet& rowSet, int rowNumber, int lowest)
{
    switch (Mode(rowSet)) {
    case kCompactByRow:
        return rowNumber - lowest;
    case kCompactByBand:
        return rowSet.m_bands.MapRowToBand(rowNumber) - lowest;
    default:
        return 0;
    }
}

void Widen(CContourEntry& entry, int left, CDiagElem* leftmost, int right, CDiagElem* rightmost)
{
    if (!entry.valid) {
        entry = {left, leftmost, right, rightmost, 1};
        return;
    }
    if (left < entry.left) {
        entry.left = left;
        entry.leftmost = leftmost;
    }
    if (right > entry.right) {
        entry.right = right;
        entry.rightmost = rightmost;
    }
}

/// The largest overlap of a (left) over b (right) in the entries valid in both; 0 when none.
int Separation(const std::vector<CContourEntry>& a, const std::vector<CContourEntry>& b)
{
    int separation = 0;
    bool any = false;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i].valid && b[i].valid) {
            separation =
                any ? std::max(separation, a[i].right - b[i].left) : a[i].right - b[i].left;
            any = true;
        }
    return any ? separation : 0;
}

void Merge(std::vector<CContourEntry>& into, const std::vector<CContourEntry>& from, int dx)
{
    for (std::size_t i = 0; i < into.size() && i < from.size(); ++i)
        if (from[i].valid)
            Widen(into[i], from[i].left + dx, from[i].leftmost, from[i].right + dx,
                  from[i].rightmost);
}

/// The entry the tree's lines meet: for the main tree the rows per band up, for a secondary
/// tree the row of its generation-1 boxes (or the one above its root).
int AttachmentEntry(const CDiagRowSet& rowSet, const CDiagTree& tree, int lowest)
{
    int row = rowSet.m_bands.RowsPerBand();
    if (tree.IsSecondary()) {
        if (tree.m_father)
            row = tree.m_father->GetPosition();
        else if (tree.m_mother)
            row = tree.m_mother->GetPosition();
        else if (tree.m_rootElement)
            row = tree.m_rootElement->GetPosition() + 1;
    }
    return EntryOf(rowSet, row, lowest);
}

/// Widens a tree's contour over the lines between its rows: below the attachment entry the lines
/// that rise from each row to its parents, above it the lines that come down to each row's
/// children and the side buttons of boxes with relatives trees.
void CoverLines(const CDiagRowSet& rowSet, CDiagTree& tree, int lowest)
{
    auto& entries = tree.m_contour;
    const int count = int(entries.size());
    if (count == 0 || Mode(rowSet) == kCompactByRect)
        return;
    const int attach = std::clamp(AttachmentEntry(rowSet, tree, lowest), 0, count - 1);
    int carriedLeft = 0, carriedRight = 0;
    bool carrying = false;
    for (int i = 0; i < attach; ++i) {
        CContourEntry& entry = entries[std::size_t(i)];
        if (entry.valid && entry.leftmost && entry.rightmost) {
            if (entry.leftmost->GetGeneration() == 0) {
                carriedLeft = carriedRight = tree.m_lineX;
            } else {
                carriedLeft = entry.leftmost->GetAnchor(kAnchorParents).x;
                carriedRight = entry.rightmost->GetAnchor(kAnchorParents).x;
            }
            carrying = true;
        } else if (carrying && !entry.valid) {
            Widen(entry, carriedLeft, nullptr, carriedRight, nullptr);
        }
    }
    const IDiagramOwner& owner = rowSet.Owner();
    const CDiagramSettings& s = owner.Settings();
    const int margin = owner.Scaled(s.m_boxToBoxVertGap) -
                       owner.Scaled(s.m_buttonCentreToBoxVertGap) + owner.Scaled(s.m_buttonRadius);
    const auto sideButton = [&tree](const CDiagElem* box, bool fatherSide) {
        if (!box || box->GetKind() != kAncestorElem || box->GetExpansion() != kExpanded)
            return false;
        const auto* ancestor = static_cast<const CDiagAncestorElem*>(box);
        // The generation-1 boxes have no child box: the tree's father is the father side.
        const bool isFather = ancestor->Child() ? ancestor->Child()->Father() == ancestor
                                                : tree.m_father.get() == ancestor;
        return ancestor->SubTree() && isFather == fatherSide;
    };
    carrying = false;
    for (int i = count - 1; i >= attach; --i) {
        CContourEntry& entry = entries[std::size_t(i)];
        if (entry.valid && entry.leftmost && entry.rightmost) {
            if (sideButton(entry.leftmost, true))
                entry.left -= margin;
            if (sideButton(entry.rightmost, false))
                entry.right += margin;
            const auto* left = entry.leftmost->GetKind() == kAncestorElem
                                   ? static_cast<const CDiagAncestorElem*>(entry.leftmost)
                                   : nullptr;
            const auto* right = entry.rightmost->GetKind() == kAncestorElem
                                    ? static_cast<const CDiagAncestorElem*>(entry.rightmost)
                                    : nullptr;
            if (entry.leftmost->GetGeneration() == 1 || !left || !right || !left->Child() ||
                !right->Child()) {
                carriedLeft = carriedRight = tree.m_lineX;
            } else {
                carriedLeft = left->Child()->GetCentre().x;
                carriedRight = right->Child()->GetCentre().x;
            }
            carrying = true;
        } else if (carrying && !entry.valid) {
            Widen(entry, carriedLeft, nullptr, carriedRight, nullptr);
        }
    }
}

/// A tree's own extents per entry, and the family line at the row of the box it hangs from.
void FillOwnContour(const CDiagRowSet& rowSet, CDiagTree& tree, int lowest)
{
    int highest = 0, low = 0;
    tree.GetGenerationRange(highest, low, true);
    for (int g = highest; g >= low; --g) {
        const CDiagRow* row = tree.GetRow(g);
        if (!row || row->m_shown.empty())
            continue;
        const int entry = EntryOf(rowSet, row->m_rowNumber, lowest);
        if (entry < 0 || entry >= int(tree.m_contour.size()))
            continue;
        Widen(tree.m_contour[std::size_t(entry)], row->m_shown.front()->Rect().left,
              row->m_shown.front(), row->m_shown.back()->Rect().right, row->m_shown.back());
    }
    CoverLines(rowSet, tree, lowest);
    if (tree.IsSecondary() && tree.m_hasLine) {
        const int entry = EntryOf(rowSet, tree.m_attachedTo->GetPosition(), lowest);
        if (entry >= 0 && entry < int(tree.m_contour.size()))
            Widen(tree.m_contour[std::size_t(entry)], tree.m_familyLineX, nullptr,
                  tree.m_familyLineX, nullptr);
    }
}

/// The secondary tree hanging from the first box up the father (mother) chain that has one,
/// whether its root box shows or not.
CDiagTree* AttachedSideTree(const CDiagTree& tree, bool fatherSide)
{
    CDiagAncestorElem* box = fatherSide ? tree.m_father.get() : tree.m_mother.get();
    for (; box; box = fatherSide ? box->Father() : box->Mother())
        if (auto* sub = static_cast<CDiagTree*>(box->SubTree()))
            return sub;
    return nullptr;
}

bool RootShown(const CDiagTree& tree)
{
    return tree.m_rootElement && tree.m_rootElement->IsVisible();
}

CDiagTree* SideTree(const CDiagTree& tree, bool fatherSide)
{
    CDiagTree* sub = AttachedSideTree(tree, fatherSide);
    return sub && RootShown(*sub) ? sub : nullptr;
}

} // namespace

CDiagTree* DiagFatherSideTree(const CDiagTree& tree)
{
    return SideTree(tree, true);
}

CDiagTree* DiagMotherSideTree(const CDiagTree& tree)
{
    return SideTree(tree, false);
}

int DiagLineX(const CDiagTree& tree)
{
    const CDiagElem* father =
        tree.m_father && tree.m_father->IsVisible() ? tree.m_father.get() : nullptr;
    const CDiagElem* mother =
        tree.m_mother && tree.m_mother->IsVisible() ? tree.m_mother.get() : nullptr;
    if (father && mother)
        return GapMidpoint(father->Rect(), mother->Rect()).x;
    if (father || mother)
        return (father ? father : mother)->GetCentre().x;
    const CDiagramSettings& settings = tree.Owner().Settings();
    const bool centred = tree.IsSecondary()
                             ? settings.m_centreSubTreeRoots
                             : settings.m_centreDiagramRoot && !tree.RowSet().m_rootedAtCouple;
    if (centred && tree.m_rootElement)
        return tree.m_rootElement->GetCentre().x;
    const CDiagRow* row = tree.GetRow(0);
    if (!row || row->m_shown.empty())
        return tree.m_lineX;
    return (row->m_shown.front()->GetCentre().x + row->m_shown.back()->GetCentre().x) / 2;
}

int DiagFamilyLineX(const CDiagTree& tree)
{
    const CDiagElem* root = tree.m_rootElement;
    if (!root)
        return tree.m_lineX;
    const CDiagElem* partner = root->GetPartner();
    if (!partner)
        return root->GetCentre().x;
    if (root->IsVisible())
        return GapMidpoint(root->Rect(), partner->Rect()).x;
    return partner->Rect().left - tree.Owner().Scaled(tree.Owner().Settings().m_spouseGap) / 2;
}

void DiagRowPass(CDiagRowSet& rowSet, bool withTreeFields)
{
    int lowest = 0, count = 0;
    ContourRange(rowSet, lowest, count);
    for (CDiagTree* tree : rowSet.Trees()) {
        tree->m_contour.assign(std::size_t(std::max(0, count)), CContourEntry());
        if (!withTreeFields)
            continue;
        tree->m_xOffset = 0;
        tree->m_lineX = DiagLineX(*tree);
        tree->m_hasLine =
            !tree->IsSecondary() || (tree->m_rootElement && tree->m_rootElement->IsVisible());
        if (tree->m_hasLine)
            tree->m_familyLineX = DiagFamilyLineX(*tree);
    }
}

namespace {

/// The areas of a tree's rows of generations low to highest with their side buttons and their
/// lines: up into the gap above, and down to the next lower row that shows boxes (the rows of a
/// band between them are crossed by the lines to the parents).
void RowAreas(const CDiagTree& tree, int low, int highest, const CLineGeometry& geometry,
              std::vector<CRect>& areas)
{
    const int margin = geometry.buttonOffset + geometry.buttonRadius;
    const CDiagRow* above = nullptr;
    for (int g = highest; g >= low - 1; --g) {
        const CDiagRow* row = g >= low ? tree.GetRow(g) : nullptr;
        if (g >= low && (!row || row->m_shown.empty()))
            continue;
        if (above)
            areas.emplace_back(above->m_rect.left - margin, above->m_rect.top + geometry.vertGap,
                               above->m_rect.right + margin,
                               row ? row->m_rect.top : above->m_rect.bottom - geometry.vertGap);
        above = row;
    }
}

/// A tree whose root box is hidden is hidden as a whole, with the trees hanging from it; the
/// area its rows and lines covered is repainted.
void HideTree(CDiagTree& tree, const CLineGeometry& geometry, std::vector<CRect>& invalid)
{
    const std::size_t before = invalid.size();
    ForEachBox(tree, true, [&](const CDiagElem& box) {
        if (box.IsVisible())
            invalid.push_back(box.Rect());
    });
    // A tree already hidden whole has nothing to repaint.
    if (invalid.size() == before)
        return;
    int highest = 0, low = 0;
    tree.GetGenerationRange(highest, low, true);
    RowAreas(tree, low, highest, geometry, invalid);
    tree.SetVisible(false);
}

} // namespace

std::vector<CRect> DiagMeasure(CDiagRowSet& rowSet)
{
    std::vector<CRect> invalid;
    CDiagTree* main = rowSet.MainTree();
    if (!main)
        return invalid;
    int lowest = 0, count = 0;
    ContourRange(rowSet, lowest, count);
    const int gap = rowSet.Owner().Scaled(rowSet.Owner().Settings().m_subTreeGap);

    // The tree of trees in pre-order; compacted in reverse, so each tree after its neighbours.
    std::vector<CDiagTree*> order{main};
    for (std::size_t i = 0; i < order.size(); ++i)
        for (CDiagTree* side : {DiagFatherSideTree(*order[i]), DiagMotherSideTree(*order[i])})
            if (side)
                order.push_back(side);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        CDiagTree& tree = **it;
        if (tree.m_contour.size() != std::size_t(std::max(0, count)))
            tree.m_contour.assign(std::size_t(std::max(0, count)), CContourEntry());
        FillOwnContour(rowSet, tree, lowest);
        CDiagTree* father = DiagFatherSideTree(tree);
        CDiagTree* mother = DiagMotherSideTree(tree);
        int sF = father ? Separation(father->m_contour, tree.m_contour) + gap : 0;
        int sM = mother ? Separation(tree.m_contour, mother->m_contour) + gap : 0;
        if (father && mother) {
            const int sFM = Separation(father->m_contour, mother->m_contour) + gap;
            if (sF + sM < sFM) {
                const int shortage = sFM - sF - sM;
                sF += shortage / 2;
                sM += shortage - shortage / 2;
            }
        }
        if (father) {
            father->m_xOffset = father->m_lineX - sF - tree.m_lineX;
            Merge(tree.m_contour, father->m_contour, -sF);
        }
        if (mother) {
            mother->m_xOffset = mother->m_lineX + sM - tree.m_lineX;
            Merge(tree.m_contour, mother->m_contour, sM);
        }
    }

    // Apply, from the main tree outward.
    const CLineGeometry geometry(rowSet);
    std::vector<std::pair<CDiagTree*, int>> work{{main, 0}};
    for (std::size_t i = 0; i < work.size(); ++i) {
        auto [tree, parentLineX] = work[i];
        const int newLineX = tree->m_xOffset + parentLineX;
        const int dx = newLineX - tree->m_lineX;
        const bool shown = !tree->IsSecondary() || tree->m_hasLine;
        if (dx != 0 && shown) {
            int highest = 0, low = 0;
            tree->GetGenerationRange(highest, low, true);
            RowAreas(*tree, low, highest, geometry, invalid);
            DiagShiftRight(*tree, dx);
            RowAreas(*tree, low, highest, geometry, invalid);
            // The strip of the root row where the line from the box the tree hangs from
            // reaches the tree's family line.
            if (const CDiagRow* root = tree->GetRow(0); root && tree->IsSecondary()) {
                const int band = geometry.vertGap + geometry.boxHeight;
                const int oldX = tree->m_familyLineX, newX = oldX + dx;
                invalid.emplace_back(std::min(oldX, newX), root->m_rowNumber * band,
                                     std::max(oldX, newX) + 1, (root->m_rowNumber - 1) * band);
            }
            tree->m_familyLineX += dx;
        }
        tree->m_lineX = newLineX;
        for (bool fatherSide : {true, false}) {
            CDiagTree* side = AttachedSideTree(*tree, fatherSide);
            if (side && RootShown(*side))
                work.emplace_back(side, newLineX);
            else if (side)
                HideTree(*side, geometry, invalid);
        }
    }
    return invalid;
}

void DiagRowsFinish(CDiagRowSet& rowSet)
{
    for (CDiagTree* tree : rowSet.Trees()) {
        tree->m_contour.clear();
        tree->m_contour.shrink_to_fit();
    }
}
