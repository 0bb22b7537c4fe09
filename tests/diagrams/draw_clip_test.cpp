// tests/diagrams/draw_clip_test.cpp: painting a clip of a royal92.ged diagram draws every line
// and box of the whole diagram that crosses the clip, though each row's boxes are found by
// binary search.
#include "tests/diagrams/hit_test_support.h"

#include "diagrams/diag_hit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

/// Whether any segment of the line crosses the rectangle (y up).
bool Crosses(const CRecordingPainter::Line& line, const CRect& clip)
{
    for (std::size_t i = 0; i + 1 < line.points.size(); ++i) {
        const auto [x1, y1] = line.points[i];
        const auto [x2, y2] = line.points[i + 1];
        if (std::max(x1, x2) >= clip.left && std::min(x1, x2) <= clip.right &&
            std::max(y1, y2) >= clip.bottom && std::min(y1, y2) <= clip.top)
            return true;
    }
    return false;
}

class DrawClipTest : public CRoyalTest {};

TEST_F(DrawClipTest, AClipDrawsEveryLineAndBoxThatCrossesIt)
{
    int linesChecked = 0, boxesChecked = 0;
    for (CIndRec* person : Sample(3))
        for (const int type :
             {kDescendantsDiagram, kAncestorsAndDescendantsDiagram, kAllRelativesDiagram}) {
            BuildOf(type, person, 3, 4);
            CRect extent;
            ASSERT_TRUE(DiagGetExtent(*m_rowSet, extent));
            m_painter.Clear();
            PaintAll();
            const CRecordingPainter whole = m_painter;
            const int width = extent.right - extent.left, height = extent.top - extent.bottom;
            for (int i = 0; i < 5; ++i)
                for (int j = 0; j < 4; ++j) {
                    const int left = extent.left + width * i / 5;
                    const int top = extent.top - height * j / 4;
                    const CRect clip(left, top, left + 40, top - 40);
                    m_painter.Clear();
                    DiagPaintRows(*m_rowSet, m_painter, clip, kDrawLinesAndBoxes);
                    // The pass widens the clip by 6 pixels; lines within it are all drawn.
                    for (const auto& line : whole.m_lines)
                        if (Crosses(line, clip)) {
                            ++linesChecked;
                            EXPECT_TRUE(m_painter.Has(line.style, line.points))
                                << "type " << type << " clip " << left << "," << top
                                << " line from " << line.points.front().first << ","
                                << line.points.front().second;
                        }
                    for (const auto& box : whole.m_boxes) {
                        const CRect& r = box.first;
                        if (r.right >= clip.left && r.left <= clip.right && r.bottom <= clip.top &&
                            r.top >= clip.bottom) {
                            ++boxesChecked;
                            EXPECT_TRUE(m_painter.HasBox(r)) << "type " << type;
                        }
                    }
                }
        }
    EXPECT_GT(linesChecked, 50);
    EXPECT_GT(boxesChecked, 10);
}

} // namespace
