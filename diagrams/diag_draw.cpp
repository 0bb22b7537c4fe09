// diagrams/diag_draw.cpp: the drawing pass: the bands and rows that meet a clip, each row's
// boxes found by binary search and widened to the boxes whose lines reach into the clip, lines
// before boxes, and the stop when a zoom key waits.
#include "diagrams/diag_draw.h"

#include "diagrams/diag_draw_lines.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diag_tree.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

/// The box's x range widened by 6 units meets the clip's.
constexpr int kBoxMargin = 6;

int FloorDiv(int a, int b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

bool DrawsLines(int mode)
{
    return mode == kDrawLinesAndBoxes || mode == kDrawLinesOnly || mode == kDrawLinesOnlyToo;
}

/// A box whose own lines start the chain of lines of its row: an ancestor box or a person's
/// first family box. When such a box's lines do not reach the clip, no box beyond it does.
bool IsLineAnchor(const CDiagElem& box)
{
    if (box.GetKind() == kAncestorElem)
        return true;
    return box.GetKind() == kFamilyElem &&
           static_cast<const CDiagFamilyElem&>(box).IsFirstFamilyBox();
}

class CRowPass {
public:
    CRowPass(const CDiagTree& tree, IDiagramPainter& painter, const CRect& clip,
             const CLineGeometry& geometry, CConnectorDrawer& drawer)
        : m_tree(tree), m_painter(painter), m_clip(clip), m_geometry(geometry), m_drawer(drawer)
    {
    }

    int Draw(const CDiagRow& row, int mode)
    {
        const std::vector<int> boxes = BoxesToDraw(row, mode);
        const bool printing = m_painter.IsPrinting();
        for (int index : boxes) {
            CDiagElem& box = *row.m_shown[std::size_t(index)];
            if (!box.IsVisible())
                continue;
            if (DrawsLines(mode))
                Lines(box);
            if (mode == kDrawLinesOnly || mode == kDrawLinesOnlyToo)
                continue;
            const CRect& r = box.Rect();
            if (r.right + kBoxMargin < m_clip.left || r.left - kBoxMargin > m_clip.right)
                continue;
            if (mode == kDrawMarkedBoxes) {
                if (box.m_repaintMark) {
                    box.Draw(m_painter);
                    box.m_repaintMark = false;
                }
                continue;
            }
            box.Draw(m_painter);
            if (!printing && m_tree.Owner().ZoomKeyWaiting())
                return 0;
        }
        return 1;
    }

private:
    void Lines(const CDiagElem& box)
    {
        if (box.GetKind() == kAncestorElem) {
            m_drawer.AncestorConnectors(m_tree, static_cast<const CDiagAncestorElem&>(box));
            return;
        }
        if (box.GetKind() != kFamilyElem)
            return;
        const auto& family = static_cast<const CDiagFamilyElem&>(box);
        m_drawer.DescendantConnectors(m_tree, family);
        // In single-box mode the person's hidden later marriage boxes draw their lines, so
        // that the children of later marriages hang from the one person box.
        if (m_geometry.singleBox && family.IsFirstFamilyBox() && family.FamilyLink())
            for (const CDiagFamilyElem* each : family.FamilyLink()->Boxes())
                if (DrawsForHiddenMarriage(m_geometry, *each))
                    m_drawer.DescendantConnectors(m_tree, *each);
    }

    /// The indexes of the row's shown boxes that meet the clip, and beyond them on each side
    /// those whose lines reach into it, in order.
    std::vector<int> BoxesToDraw(const CDiagRow& row, int mode)
    {
        const auto [first, last] =
            row.ShownInRange(m_clip.left - kBoxMargin, m_clip.right + kBoxMargin);
        std::vector<int> before, after;
        if (DrawsLines(mode)) {
            for (int i = first - 1; i >= 0; --i) {
                const CDiagElem& box = *row.m_shown[std::size_t(i)];
                int lo = 0, hi = 0;
                m_drawer.LineReach(m_tree, box, lo, hi);
                if (hi >= m_clip.left)
                    before.push_back(i);
                else if (IsLineAnchor(box))
                    break;
            }
            for (int i = last; i < int(row.m_shown.size()); ++i) {
                const CDiagElem& box = *row.m_shown[std::size_t(i)];
                int lo = 0, hi = 0;
                m_drawer.LineReach(m_tree, box, lo, hi);
                if (lo <= m_clip.right)
                    after.push_back(i);
                else if (IsLineAnchor(box))
                    break;
            }
        }
        std::vector<int> boxes(before.rbegin(), before.rend());
        for (int i = first; i < last; ++i)
            boxes.push_back(i);
        boxes.insert(boxes.end(), after.begin(), after.end());
        return boxes;
    }

    const CDiagTree& m_tree;
    IDiagramPainter& m_painter;
    CRect m_clip;
    const CLineGeometry& m_geometry;
    CConnectorDrawer& m_drawer;
};

/// The tree and generation of every row of the row set.
struct CRowPlace {
    const CDiagTree* tree;
    int generation;
};

std::unordered_map<const CDiagRow*, CRowPlace> PlaceRows(const CDiagRowSet& rowSet)
{
    std::unordered_map<const CDiagRow*, CRowPlace> places;
    for (const CDiagTree* tree : rowSet.Trees()) {
        int highest = 0, lowest = 0;
        tree->GetGenerationRange(highest, lowest, false);
        for (int g = lowest; g <= highest; ++g)
            if (const CDiagRow* row = tree->GetRow(g))
                places[row] = {tree, g};
    }
    return places;
}

} // namespace

int DiagDrawRow(const CDiagTree& tree, const CDiagRow& row, IDiagramPainter& painter, int mode,
                const CRect& clip)
{
    const CLineGeometry geometry(tree.RowSet(), painter.IsPrinting());
    CConnectorDrawer drawer(geometry, painter, clip);
    return CRowPass(tree, painter, clip, geometry, drawer).Draw(row, mode);
}

int DiagPaintRows(CDiagRowSet& rowSet, IDiagramPainter& painter, const CRect& clipIn, int mode,
                  bool topDown)
{
    const CGenerationIndex& index = rowSet.Index();
    if (index.IsEmpty())
        return 1;
    const CSize widen = painter.PixelsToLogical(6);
    CRect clip(std::min(clipIn.left, clipIn.right) - widen.cx,
               std::max(clipIn.top, clipIn.bottom) + widen.cy,
               std::max(clipIn.left, clipIn.right) + widen.cx,
               std::min(clipIn.top, clipIn.bottom) - widen.cy);
    const CLineGeometry geometry(rowSet, painter.IsPrinting());
    const int pitch = geometry.boxHeight + geometry.vertGap;
    if (pitch <= 0)
        return 1;
    const int lowestRow = index.LowestRow(), highestRow = index.HighestRow();
    // Row r spans from r * pitch - V down to that less H.
    const int rowLow = -FloorDiv(-(clip.bottom + geometry.vertGap), pitch);
    const int rowHigh = FloorDiv(clip.top + geometry.vertGap + geometry.boxHeight, pitch);
    if (rowLow > highestRow)
        return 1;
    const CGenerationBands& bands = rowSet.m_bands;
    const int lastBand = bands.MapRowToBand(highestRow);
    int bandLow = bands.MapRowToBand(std::max(rowLow, lowestRow));
    int bandHigh =
        rowHigh < lowestRow ? bandLow - 1 : bands.MapRowToBand(std::min(rowHigh, highestRow));
    const int extraBand = bandHigh + 1 <= lastBand ? bandHigh + 1 : bandHigh;
    const bool hasExtra = extraBand != bandHigh;
    const int topBand = hasExtra ? extraBand : bandHigh;

    const auto places = PlaceRows(rowSet);
    CConnectorDrawer drawer(geometry, painter, clip);
    const auto paintBand = [&](int band) -> bool {
        const bool extra = hasExtra && band == extraBand;
        int first = 0, last = 0;
        if (!bands.GetBandRows(band, first, last))
            return true;
        painter.DrawBandDescriptions(band);
        for (int rowNumber = first; rowNumber <= last; ++rowNumber) {
            if (rowNumber < lowestRow || rowNumber > highestRow)
                continue;
            for (const CDiagRow* row = index.First(rowNumber); row; row = row->m_nextOfGeneration) {
                const auto place = places.find(row);
                if (place == places.end() || row->m_shown.empty())
                    continue;
                const CDiagTree& tree = *place->second.tree;
                const int generation = place->second.generation;
                if (generation >= 1 && !extra && mode != kDrawBoxesOnly && mode != kDrawMarkedBoxes)
                    drawer.SubTreeConnectors(*row);
                if (row->m_rect.right < clip.left || row->m_rect.left > clip.right)
                    continue;
                // A row only partly inside the clip is drawn whole: its boxes show in part.
                int rowMode = mode;
                if (extra) {
                    // Lines come down from the band above: its descendant rows', and the drop
                    // of its generation-1 couples to their root row (in an All Relatives
                    // diagram it crosses the upper rows of the band below).
                    if (generation > 1 || mode != kDrawLinesAndBoxes)
                        continue;
                    rowMode = kDrawLinesOnly;
                }
                if (!CRowPass(tree, painter, clip, geometry, drawer).Draw(*row, rowMode))
                    return false;
            }
        }
        return true;
    };
    if (topDown) {
        for (int band = topBand; band >= bandLow; --band)
            if (!paintBand(band))
                return 0;
    } else {
        for (int band = bandLow; band <= topBand; ++band)
            if (!paintBand(band))
                return 0;
    }
    return 1;
}
