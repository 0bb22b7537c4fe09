// diagrams/diag_row.cpp: a generation row: reset, visibility and the binary search of a clip.
#include "diagrams/diag_row.h"

#include "diagrams/diag_elem.h"

#include <algorithm>

void CDiagRow::Reset()
{
    m_boxes.clear();
    m_shown.clear();
    m_rect = CRect();
    m_savedRect = CRect();
    m_height = 0;
    m_flag = 0;
}

bool CDiagRow::HasVisibleBox() const
{
    return std::any_of(m_boxes.begin(), m_boxes.end(),
                       [](const CDiagElem* box) { return box->IsVisible(); });
}

std::pair<int, int> CDiagRow::ShownInRange(int left, int right) const
{
    // The shown boxes are packed left to right without overlap, so both edges grow.
    const auto first =
        std::lower_bound(m_shown.begin(), m_shown.end(), left,
                         [](const CDiagElem* box, int x) { return box->Rect().right < x; });
    const auto last =
        std::upper_bound(first, m_shown.end(), right,
                         [](int x, const CDiagElem* box) { return x < box->Rect().left; });
    return {int(first - m_shown.begin()), int(last - m_shown.begin())};
}
