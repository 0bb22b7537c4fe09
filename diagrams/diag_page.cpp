// diagrams/diag_page.cpp: page-break adjustment with one cursor per row number walking the
// chain of that row number's rows (every tree) from left to right.
#include "diagrams/diag_page.h"

#include "diagrams/diag_owner.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diagram_settings.h"

#include <algorithm>
#include <vector>

namespace {

/// A place in one row number's chain of rows: the row and the index in its shown boxes.
struct CPageCursor {
    CDiagRow* row = nullptr;
    std::size_t index = 0;
};

/// Moves the cursor over boxes that need no shift for the boundary; the box it stops at, or
/// null at the end of the chain.
CDiagElem* Advance(CPageCursor& cursor, int boundary, int margin, int pageWidth)
{
    while (cursor.row) {
        if (cursor.index >= cursor.row->m_shown.size()) {
            cursor.row = cursor.row->m_nextOfGeneration;
            cursor.index = 0;
            continue;
        }
        CDiagElem* box = cursor.row->m_shown[cursor.index];
        const CRect& r = box->Rect();
        if (!box->IsVisible() || r.right <= boundary - margin ||
            r.right - r.left >= pageWidth - 2 * margin) {
            ++cursor.index;
            continue;
        }
        return box;
    }
    return nullptr;
}

/// Moves every visible box from the cursor to the end of its chain right by dx, with the rows'
/// extents.
void ShiftFrom(const CPageCursor& cursor, int dx)
{
    for (CDiagRow* row = cursor.row; row; row = row->m_nextOfGeneration) {
        const std::size_t from = row == cursor.row ? cursor.index : 0;
        bool movedFirst = false;
        for (std::size_t i = from; i < row->m_shown.size(); ++i) {
            CDiagElem* box = row->m_shown[i];
            if (!box->IsVisible())
                continue;
            CRect r = box->Rect();
            r.OffsetRect(dx, 0);
            box->SetRect(r);
            movedFirst |= i == 0;
        }
        if (movedFirst)
            row->m_rect.left += dx;
        row->m_rect.right += dx;
    }
}

} // namespace

void DiagAvoidPageBoundaries(CDiagRowSet& rowSet, int firstBoundary, int margin)
{
    const CGenerationIndex& index = rowSet.Index();
    const int pageWidth = rowSet.Owner().Settings().m_pageWidth;
    if (index.IsEmpty() || pageWidth <= 0)
        return;
    std::vector<CPageCursor> cursors;
    for (int r = index.LowestRow(); r <= index.HighestRow(); ++r)
        if (CDiagRow* first = index.First(r))
            cursors.push_back({first, 0});
    for (long long boundary = firstBoundary;; boundary += pageWidth) {
        const int b = int(boundary);
        int shift = 0;
        bool candidate = false;
        for (CPageCursor& cursor : cursors)
            if (const CDiagElem* box = Advance(cursor, b, margin, pageWidth)) {
                candidate = true;
                shift = std::max<int>(shift, b + margin - box->Rect().left);
            }
        if (shift > 0)
            for (const CPageCursor& cursor : cursors)
                if (cursor.row)
                    ShiftFrom(cursor, shift);
        if (!candidate)
            break;
    }
}
