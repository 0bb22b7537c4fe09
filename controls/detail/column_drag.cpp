// controls/detail/column_drag.cpp: moving a column edge with its header and box contents.
#include "controls/detail/column_drag.h"

#include "controls/tree_box.h"

#include <algorithm>

namespace column_drag {

int MoveEdge(CColumnHeader& header, CTreeBox& box, std::vector<CColumnInfo>& columns, int column,
             int x, int scroll, int repaintStrip, int limitRight)
{
    const int old = header.GetColumnRight(column) - scroll;
    const int least = column > 0 ? header.GetColumnRight(column - 1) - scroll
                                 : box.GetMetrics()[TBM_LEFT_MARGIN] + box.GetImageWidth() - scroll;
    const int edge = std::max(std::min(x, limitRight), least);
    const int change = edge - old;
    if (change == 0)
        return edge;
    for (std::size_t i = std::size_t(column); i < columns.size(); ++i) {
        columns[i].m_right += change;
        columns[i].m_units = -1;
    }
    CRect headerClient;
    header.GetClientRect(&headerClient);
    const int margin = std::max(header.GetRightMargin(), 10);
    const CRect headerClip(0, 0, headerClient.right - margin, headerClient.bottom);
    const CRect headerMoved(old, 0, headerClient.right - margin, headerClient.bottom);
    header.ScrollWindow(change, 0, &headerMoved, &headerClip);
    const CRect titleStrip(edge - repaintStrip, 0, edge + 1, headerClient.bottom);
    const CRect marginStrip(headerClient.right - margin, 0, headerClient.right,
                            headerClient.bottom);
    header.InvalidateRect(&titleStrip);
    header.InvalidateRect(&marginStrip);
    if (box.GetCount()) {
        CRect boxClient;
        box.GetClientRect(&boxClient);
        const CRect boxMoved(old, 0, boxClient.right, boxClient.bottom);
        box.ScrollWindow(change, 0, &boxMoved, &boxClient);
        // Texts clipped at the edge get their ellipsis again.
        const CRect cellStrip(edge - box.GetEllipsisWidth(), 0, edge + 1, boxClient.bottom);
        box.InvalidateRect(&cellStrip);
    }
    header.UpdateWindow();
    box.UpdateWindow();
    return edge;
}

void RepaintFromEdge(CTreeBox& box, int edge)
{
    if (!box.GetCount())
        return;
    CRect client;
    box.GetClientRect(&client);
    const CRect area(edge - box.GetEllipsisWidth(), 0, client.right, client.bottom);
    box.InvalidateRect(&area);
}

} // namespace column_drag
