// diagrams/diag_row.h: one generation row of one diagram tree: its boxes in left-to-right order
// (an array, so that a clip's boxes are found by binary search), its rectangle and height, and
// the chain of the rows with the same row number in later trees.
#pragma once

#include "platform/base/geometry.h"

#include <utility>
#include <vector>

class CDiagElem;

class CDiagRow {
public:
    /// The boxes of the row from left to right; hidden boxes included.
    std::vector<CDiagElem*> m_boxes;
    /// The visible boxes from left to right, as the last packing placed them.
    std::vector<CDiagElem*> m_shown;
    CRect m_rect;
    int m_height = 0;
    unsigned char m_flag = 0;
    CRect m_savedRect;
    /// The area to repaint left by destroyed boxes; empty when none.
    CRect m_invalid;
    /// The row of the same row number in the next tree.
    CDiagRow* m_nextOfGeneration = nullptr;
    /// The layout row of the row's boxes.
    int m_rowNumber = 0;

    CDiagElem* FirstBox() const { return m_boxes.empty() ? nullptr : m_boxes.front(); }
    /// Empties the row: no boxes, rectangles zero, height zero, flag cleared.
    void Reset();
    bool HasVisibleBox() const;
    /// The visible boxes (of the last packing) that reach into [left, right]: the index range
    /// [first, last) in m_shown, by binary search.
    std::pair<int, int> ShownInRange(int left, int right) const;
};
