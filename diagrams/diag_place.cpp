// diagrams/diag_place.cpp: placing a tree's boxes: rows stacked by row number, descendant rows
// packed with the five gaps and parents centred over their children (shifts of later boxes
// and of children's sub-trees are kept per row as pending offsets, so no move walks a whole
// row again), ancestor couples separated by their sub-trees' contours, and the anchor shift.
#include "diagrams/diag_place.h"

#include "diagrams/diag_owner.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diagram_settings.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

namespace {

/// Pending right shifts of a row's shown boxes: a shift from an index to the row's end,
/// summed by a Fenwick tree.
class CRowShifts {
public:
    explicit CRowShifts(std::size_t size) : m_sums(size + 1, 0) {}
    void ShiftFrom(std::size_t index, int dx)
    {
        for (std::size_t i = index + 1; i < m_sums.size(); i += i & (~i + 1))
            m_sums[i] += dx;
    }
    int At(std::size_t index) const
    {
        int sum = 0;
        for (std::size_t i = index + 1; i > 0; i -= i & (~i + 1))
            sum += m_sums[i];
        return sum;
    }

private:
    std::vector<int> m_sums;
};

struct PackGaps {
    int spouse;
    int otherSpouse;
    int sibling;
    int descendant;
    int ancestor;
    bool singleBox;
};

PackGaps GapsOf(const IDiagramOwner& owner)
{
    const CDiagramSettings& s = owner.Settings();
    return {owner.Scaled(s.m_spouseGap),      owner.Scaled(s.m_minOtherSpouseGap),
            owner.Scaled(s.m_minSiblingGap),  owner.Scaled(s.m_minDescendantGap),
            owner.Scaled(s.m_minAncestorGap), s.m_spouseOption == 2 && !s.m_duplicatesWithSpouses};
}

int BoxHeightOf(const CDiagTree& tree)
{
    const int height = tree.RowSet().m_boxHeight;
    return height > 0 ? height : tree.Owner().BoxHeight();
}

/// The family box a box stands for: itself, or a spouse box's family box.
CDiagFamilyElem* PersonBox(CDiagElem* box)
{
    if (box->GetKind() == kSpouseElem)
        return &static_cast<CDiagDescendantElem*>(box)->FamilyBox();
    return box->GetKind() == kFamilyElem ? static_cast<CDiagFamilyElem*>(box) : nullptr;
}

/// The first family box of the box's person.
CDiagFamilyElem* MainBox(CDiagElem* box)
{
    CDiagFamilyElem* person = PersonBox(box);
    if (!person || !person->FamilyLink() || person->FamilyLink()->Boxes().empty())
        return person;
    return person->FamilyLink()->Boxes().front();
}

const CDiagFamilyElem* ParentBoxOf(CDiagFamilyElem* main)
{
    return main && main->FamilyLink() ? main->FamilyLink()->m_parentBox : nullptr;
}

/// The family box whose children a box is centred over: its own (for a spouse box its family
/// box's) when its children are shown; null otherwise.
CDiagFamilyElem* CentredFamily(CDiagElem* box)
{
    CDiagFamilyElem* person = PersonBox(box);
    if (!person || person->GetExpansion() != kExpanded || person->ChildLinks().empty())
        return nullptr;
    return person;
}

void SetRowVertical(CDiagRow& row, int boxHeight, int vertGap)
{
    const int top = DiagRowTop(row.m_rowNumber, boxHeight, vertGap);
    row.m_height = boxHeight;
    row.m_rect.top = top;
    row.m_rect.bottom = top - boxHeight;
}

void SetRowExtent(CDiagRow& row)
{
    if (row.m_shown.empty()) {
        row.m_rect.left = row.m_rect.right = 0;
        return;
    }
    row.m_rect.left = row.m_shown.front()->Rect().left;
    row.m_rect.right = row.m_shown.back()->Rect().right;
}

/// The placing of a tree's descendant rows, pass by pass. Shifts of children's sub-trees are
/// kept per row as pending offsets until ApplyShifts.
class CDescendantPacker {
public:
    CDescendantPacker(const std::vector<std::unique_ptr<CDiagRow>>& rows, const PackGaps& gaps)
        : m_rows(rows), m_gaps(gaps)
    {
        m_shifts.reserve(rows.size());
    }

    /// Puts each row at its y, lists and indexes its shown boxes and sets them at x 0.
    void StackRows(int boxHeight, int vertGap)
    {
        for (const auto& row : m_rows) {
            SetRowVertical(*row, boxHeight, vertGap);
            row->m_shown.clear();
            for (CDiagElem* box : row->m_boxes)
                if (box->IsVisible()) {
                    m_shownIndex[box] = row->m_shown.size();
                    row->m_shown.push_back(box);
                }
            m_shifts.emplace_back(row->m_shown.size());
            for (CDiagElem* box : row->m_shown) {
                const int width = box->Rect().Width();
                box->SetRect(CRect(0, row->m_rect.top, width, row->m_rect.bottom));
            }
        }
    }

    /// From the deepest row up: each box set its gap right of the box before it, then centred
    /// over its children, by moving it (with its group) or its children's sub-tree right.
    void PackAndCentre()
    {
        for (std::size_t r = m_rows.size(); r-- > 0;) {
            for (std::size_t i = 0; i < m_rows[r]->m_shown.size(); ++i)
                CentreOverChildren(r, i, PlaceAfterPredecessor(r, i));
        }
    }

    /// Moves the pending shifts of the children's sub-trees into their boxes.
    void ApplyShifts()
    {
        for (std::size_t r = 0; r < m_rows.size(); ++r) {
            const auto& shown = m_rows[r]->m_shown;
            for (std::size_t i = 0; i < shown.size(); ++i) {
                const int dx = m_shifts[r].At(i);
                if (dx != 0) {
                    CRect moved = shown[i]->Rect();
                    moved.OffsetRect(dx, 0);
                    shown[i]->SetRect(moved);
                }
            }
        }
    }

private:
    /// Sets box i of row r the gap its kinship with the box before it asks right of that box;
    /// gives the gap (0 for the row's first box, which stays where it is).
    int PlaceAfterPredecessor(std::size_t r, std::size_t i)
    {
        const CDiagRow& row = *m_rows[r];
        CDiagElem* box = row.m_shown[i];
        CDiagElem* pred = i > 0 ? row.m_shown[i - 1] : nullptr;
        if (!pred)
            return 0;
        CDiagFamilyElem* main = MainBox(box);
        CDiagFamilyElem* predMain = MainBox(pred);
        const bool partners = box->GetPartner() == pred || pred->GetPartner() == box;
        int gap = 0;
        if (m_gaps.singleBox && main == predMain && box != main && pred != main)
            gap = m_gaps.spouse + m_gaps.otherSpouse;
        else if (partners)
            gap = m_gaps.spouse;
        else if (main == predMain || (ParentBoxOf(main) == ParentBoxOf(predMain) &&
                                      (ParentBoxOf(main) != nullptr || r == 0)))
            gap = m_gaps.sibling;
        else
            gap = m_gaps.descendant;
        const int left = pred->Rect().right + gap;
        const int width = box->Rect().Width();
        box->SetRect(CRect(left, row.m_rect.top, left + width, row.m_rect.bottom));
        return gap;
    }

    /// Brings box i of row r (set gap right of the box before it) and the middle of its
    /// children in the row below over one another: the box moves right when it stands left of
    /// them, its children's sub-tree when it stands right.
    void CentreOverChildren(std::size_t r, std::size_t i, int gap)
    {
        const std::vector<CDiagElem*>& shown = m_rows[r]->m_shown;
        CDiagElem* box = shown[i];
        CDiagFamilyElem* family = CentredFamily(box);
        if (!family || r + 1 >= m_rows.size())
            return;
        const auto& links = family->ChildLinks();
        const CDiagLink& firstLink = *links.front();
        const CDiagLink& lastLink = *links.back();
        if (firstLink.m_boxes.empty() || lastLink.m_boxes.empty())
            return;
        const CDiagElem* firstChild = firstLink.m_boxes.front().get();
        const CDiagElem* lastChild = lastLink.m_boxes.front().get();
        if (!m_shownIndex.count(firstChild) || !m_shownIndex.count(lastChild))
            return;
        const int target = links.size() == 1
                               ? CentreOf(r + 1, firstChild)
                               : (CentreOf(r + 1, firstChild) + CentreOf(r + 1, lastChild)) / 2;
        const int reference = CentringReference(shown, i, gap);
        if (reference < target)
            MoveGroupRight(r, i, target - reference);
        else if (reference > target)
            ShiftChildrenRight(r, *family, reference - target);
    }

    /// The x of box i that is centred over its children: the middle of the gap to its partner
    /// when the two stand together (or half a spouse gap left of it for a marriage whose person
    /// is not shown), else its own middle.
    int CentringReference(const std::vector<CDiagElem*>& shown, std::size_t i, int gap) const
    {
        CDiagElem* box = shown[i];
        CDiagElem* pred = i > 0 ? shown[i - 1] : nullptr;
        CDiagFamilyElem* person = PersonBox(box);
        CDiagFamilyElem* main = MainBox(box);
        const bool hiddenMarriage = m_gaps.singleBox && person && person != main &&
                                    !person->IsVisible() && box->GetKind() == kSpouseElem;
        const CRect& rect = box->Rect();
        CDiagElem* partner = box->GetPartner();
        if (hiddenMarriage)
            return rect.left - m_gaps.spouse / 2;
        if (!partner || !partner->IsVisible() || !m_shownIndex.count(partner))
            return (rect.left + rect.right) / 2;
        if (partner == pred)
            return rect.left - gap / 2;
        if (m_shownIndex.at(partner) > i)
            return rect.right + m_gaps.spouse / 2;
        return (rect.left + rect.right) / 2;
    }

    /// Moves box i of row r right by dx, with the boxes of its group before it.
    void MoveGroupRight(std::size_t r, std::size_t i, int dx)
    {
        const std::vector<CDiagElem*>& shown = m_rows[r]->m_shown;
        for (std::size_t j = GroupStart(r, i); j <= i; ++j) {
            CRect moved = shown[j]->Rect();
            moved.OffsetRect(dx, 0);
            shown[j]->SetRect(moved);
        }
    }

    /// Where the group of box i of row r starts: after the nearest box before it (its partner
    /// aside) whose children are shown, the first person's box among its brothers and sisters
    /// (any, in the root row); with no such box, the row's first person's box. A partner just
    /// before the start joins the group.
    std::size_t GroupStart(std::size_t r, std::size_t i) const
    {
        const std::vector<CDiagElem*>& shown = m_rows[r]->m_shown;
        CDiagElem* partner = shown[i]->GetPartner();
        CDiagFamilyElem* main = MainBox(shown[i]);
        std::size_t closer = SIZE_MAX;
        for (std::size_t j = i; j-- > 0;) {
            CDiagElem* other = shown[j];
            if (other == partner)
                continue;
            CDiagFamilyElem* otherPerson = PersonBox(other);
            if (other == MainBox(other) && otherPerson &&
                otherPerson->GetExpansion() == kExpanded) {
                closer = j;
                break;
            }
        }
        std::size_t start = i;
        if (closer == SIZE_MAX) {
            for (std::size_t j = 0; j <= i; ++j)
                if (shown[j] == MainBox(shown[j])) {
                    start = j;
                    break;
                }
        } else {
            for (std::size_t j = closer + 1; j <= i; ++j) {
                CDiagFamilyElem* otherMain = MainBox(shown[j]);
                if (shown[j] == otherMain &&
                    (ParentBoxOf(otherMain) == ParentBoxOf(main) || r == 0)) {
                    start = j;
                    break;
                }
            }
        }
        if (start > 0) {
            CDiagElem* startBox = shown[start];
            CDiagElem* before = shown[start - 1];
            if (startBox->GetPartner() == before || before->GetPartner() == startBox)
                --start;
        }
        return start;
    }

    /// Shifts the sub-tree of family's children right by dx, row by row below r: in each row,
    /// from where the sub-tree starts to the row's end, as pending shifts.
    void ShiftChildrenRight(std::size_t r, const CDiagFamilyElem& family, int dx)
    {
        const CDiagFamilyElem* from = &family;
        for (std::size_t below = r + 1; below < m_rows.size() && from; ++below) {
            const CDiagElem* start = ChildStart(*from);
            if (!start)
                break;
            const std::size_t startIndex = m_shownIndex.at(start);
            m_shifts[below].ShiftFrom(startIndex, dx);
            from = nullptr;
            const auto& belowShown = m_rows[below]->m_shown;
            for (std::size_t j = startIndex; j < belowShown.size(); ++j) {
                CDiagFamilyElem* candidate = CentredFamily(belowShown[j]);
                if (candidate) {
                    from = candidate;
                    break;
                }
            }
        }
    }

    /// Where the children's sub-tree of a box starts in the row below: the first child's main
    /// box, or its spouse when that stands left of it.
    const CDiagElem* ChildStart(const CDiagFamilyElem& family) const
    {
        const CDiagLink& first = *family.ChildLinks().front();
        if (first.m_boxes.empty())
            return nullptr;
        const CDiagFamilyElem* main = first.m_boxes.front().get();
        const CDiagElem* spouse = main->SpouseBox();
        if (spouse && spouse->IsVisible() && m_shownIndex.count(spouse) &&
            m_shownIndex.at(spouse) < m_shownIndex.at(main))
            return spouse;
        return main->IsVisible() ? main : nullptr;
    }

    /// The left of a shown box of row r, its pending shift included.
    int Position(std::size_t r, const CDiagElem* box) const
    {
        return box->Rect().left + m_shifts[r].At(m_shownIndex.at(box));
    }

    int CentreOf(std::size_t r, const CDiagElem* box) const
    {
        const int left = Position(r, box);
        return (left + left + box->Rect().Width()) / 2;
    }

    const std::vector<std::unique_ptr<CDiagRow>>& m_rows;
    const PackGaps m_gaps;
    std::unordered_map<const CDiagElem*, std::size_t> m_shownIndex;
    std::vector<CRowShifts> m_shifts;
};

/// Moves the placed rows so that the tree's anchor stands at its line x: the root person's box
/// when roots are centred, else the middle of the root row; and sets each row's extent.
void AnchorOnLine(CDiagTree& tree, const CDiagramSettings& settings,
                  const std::vector<std::unique_ptr<CDiagRow>>& rows)
{
    int anchor = 0;
    const bool centred = tree.IsSecondary()
                             ? settings.m_centreSubTreeRoots
                             : settings.m_centreDiagramRoot && !tree.RowSet().m_rootedAtCouple;
    const CDiagRow& rootRow = *rows[0];
    if (centred && tree.m_rootElement && tree.m_rootElement->GetKind() == kFamilyElem) {
        const CDiagElem* main = MainBox(tree.m_rootElement);
        anchor = main->GetCentre().x;
    } else if (!rootRow.m_shown.empty()) {
        anchor =
            (rootRow.m_shown.front()->GetCentre().x + rootRow.m_shown.back()->GetCentre().x) / 2;
    }
    const int dx = tree.m_lineX - anchor;
    for (const auto& row : rows) {
        if (dx != 0)
            for (CDiagElem* box : row->m_shown) {
                CRect moved = box->Rect();
                moved.OffsetRect(dx, 0);
                box->SetRect(moved);
            }
        SetRowExtent(*row);
    }
}

} // namespace

void CGenerationTable::PackRows()
{
    CDiagTree& tree = *m_self;
    if (!tree.HasElements())
        return;
    bool anyShown = false;
    for (const auto& row : m_descendantRows)
        anyShown = anyShown || row->HasVisibleBox();
    if (!anyShown)
        return;
    CDescendantPacker packer(m_descendantRows, GapsOf(m_owner));
    packer.StackRows(BoxHeightOf(tree), m_owner.Scaled(m_owner.Settings().m_boxToBoxVertGap));
    packer.PackAndCentre();
    packer.ApplyShifts();
    AnchorOnLine(tree, m_owner.Settings(), m_descendantRows);
}

namespace {

/// The extents of a sub-tree of ancestors per level, the box's own level last; every stored
/// value is relative to the box and moves by shift.
struct CContour {
    std::vector<std::pair<int, int>> levels; // [0] the highest level
    int shift = 0;

    std::size_t Height() const { return levels.size(); }
    /// Level k above the box (0 the box itself).
    int Left(std::size_t k) const { return levels[levels.size() - 1 - k].first + shift; }
    int Right(std::size_t k) const { return levels[levels.size() - 1 - k].second + shift; }
};

/// Places two partners' boxes over their child: the mother first the spouse gap right of the
/// father, then further right until their ancestors keep the ancestor gap, and both so that
/// the middle of the gap between them lies at 0. Gives the father's and mother's offsets.
std::pair<int, int> SeparateCouple(const CContour& father, const CContour& mother, int spouseGap,
                                   int ancestorGap)
{
    int offset = father.Right(0) + spouseGap - mother.Left(0);
    int shortfall = 0;
    const std::size_t common = std::min(father.Height(), mother.Height());
    for (std::size_t k = 1; k < common; ++k)
        shortfall = std::max(shortfall, father.Right(k) + ancestorGap - (mother.Left(k) + offset));
    offset += shortfall;
    const int middle = (father.Right(0) + mother.Left(0) + offset) / 2;
    return {-middle, offset - middle};
}

/// The contour of a box of width width whose parents' contours are given (either may be null)
/// with their offsets; the parents' contours are consumed.
CContour JoinContours(int width, CContour* father, int fatherDx, CContour* mother, int motherDx)
{
    CContour result;
    CContour* taller = father;
    CContour* other = mother;
    int tallerDx = fatherDx, otherDx = motherDx;
    if (!taller || (other && other->Height() > taller->Height())) {
        std::swap(taller, other);
        std::swap(tallerDx, otherDx);
    }
    if (taller) {
        result = std::move(*taller);
        result.shift += tallerDx;
        if (other) {
            const std::size_t h = result.Height();
            for (std::size_t k = 0; k < other->Height(); ++k) {
                auto& level = result.levels[h - 1 - k];
                level.first = std::min(level.first, other->Left(k) + otherDx - result.shift);
                level.second = std::max(level.second, other->Right(k) + otherDx - result.shift);
            }
        }
    }
    result.levels.emplace_back(-(width / 2) - result.shift, width - width / 2 - result.shift);
    return result;
}

} // namespace

void CGenerationTable::PackAncestorRows()
{
    CDiagTree& tree = *m_self;
    if (!tree.HasElements() || m_ancestorRows.empty())
        return;
    const PackGaps gaps = GapsOf(m_owner);
    const int boxHeight = BoxHeightOf(tree);
    const int vertGap = m_owner.Scaled(m_owner.Settings().m_boxToBoxVertGap);
    std::unordered_map<const CDiagElem*, int> offsets; // a box's centre relative to its child's
    std::unordered_map<const CDiagElem*, CContour> contours;
    const auto shownParent = [](CDiagAncestorElem* parent) {
        return parent && parent->IsVisible() ? parent : nullptr;
    };
    const auto place = [&](CDiagAncestorElem* father, CDiagAncestorElem* mother, int width) {
        CContour* fatherContour = father ? &contours[father] : nullptr;
        CContour* motherContour = mother ? &contours[mother] : nullptr;
        int fatherDx = 0, motherDx = 0;
        if (father && mother)
            std::tie(fatherDx, motherDx) =
                SeparateCouple(*fatherContour, *motherContour, gaps.spouse, gaps.ancestor);
        if (father)
            offsets[father] = fatherDx;
        if (mother)
            offsets[mother] = motherDx;
        CContour joined = JoinContours(width, fatherContour, fatherDx, motherContour, motherDx);
        if (father)
            contours.erase(father);
        if (mother)
            contours.erase(mother);
        return joined;
    };
    for (auto it = m_ancestorRows.rbegin(); it != m_ancestorRows.rend(); ++it) {
        CDiagRow& row = **it;
        SetRowVertical(row, boxHeight, vertGap);
        row.m_shown.clear();
        for (CDiagElem* box : row.m_boxes) {
            if (!box->IsVisible())
                continue;
            row.m_shown.push_back(box);
            auto* ancestor = static_cast<CDiagAncestorElem*>(box);
            contours[box] = place(shownParent(ancestor->Father()), shownParent(ancestor->Mother()),
                                  box->Rect().Width());
        }
    }
    // The generation-1 couple is separated like the parents of the root.
    place(shownParent(tree.m_father.get()), shownParent(tree.m_mother.get()), 0);
    for (std::size_t g = 0; g < m_ancestorRows.size(); ++g) {
        CDiagRow& row = *m_ancestorRows[g];
        for (CDiagElem* box : row.m_shown) {
            auto* ancestor = static_cast<CDiagAncestorElem*>(box);
            const int reference =
                g == 0 || !ancestor->Child() ? tree.m_lineX : ancestor->Child()->GetCentre().x;
            const int width = box->Rect().Width();
            const int left = -(width / 2) + offsets[box] + reference;
            box->SetRect(CRect(left, row.m_rect.top, left + width, row.m_rect.bottom));
        }
        SetRowExtent(row);
    }
}

void DiagShiftRight(CDiagTree& tree, int dx)
{
    int highest = 0, lowest = 0;
    tree.GetGenerationRange(highest, lowest, false);
    for (int g = lowest; g <= highest; ++g) {
        CDiagRow* row = tree.GetRow(g);
        if (!row)
            continue;
        for (CDiagElem* box : row->m_boxes) {
            CRect moved = box->Rect();
            moved.OffsetRect(dx, 0);
            box->SetRect(moved);
        }
        row->m_rect.OffsetRect(dx, 0);
    }
}
