// tests/diagrams/resync_areas_test.cpp: the areas an All Relatives compaction gives for repaint
// hold every line, button and box that moved with the trees, so nothing is left drawn at the
// old place nor missing at the new one.
#include "tests/diagrams/draw_test_painter.h"

#include "diagrams/diag_compact.h"
#include "diagrams/diag_resync.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Point = std::pair<int, int>;

bool Holds(const std::vector<CRect>& areas, Point p)
{
    return std::any_of(areas.begin(), areas.end(), [&](const CRect& a) {
        return a.left <= p.first && p.first <= a.right && a.bottom <= p.second && p.second <= a.top;
    });
}

/// Whether a point lies on a line drawn in the other pass (it needs no repaint there).
bool OnLine(const std::vector<CRecordingPainter::Line>& lines, Point p)
{
    for (const auto& line : lines)
        for (std::size_t i = 1; i < line.points.size(); ++i) {
            const auto [ax, ay] = line.points[i - 1];
            const auto [bx, by] = line.points[i];
            const long long cross =
                1LL * (bx - ax) * (p.second - ay) - 1LL * (by - ay) * (p.first - ax);
            if (cross == 0 && std::min(ax, bx) <= p.first && p.first <= std::max(ax, bx) &&
                std::min(ay, by) <= p.second && p.second <= std::max(ay, by))
                return true;
        }
    return false;
}

/// The points of a line that must be repainted: its ends and the middle of each segment.
std::vector<Point> Samples(const std::vector<Point>& points)
{
    std::vector<Point> samples(points);
    for (std::size_t i = 1; i < points.size(); ++i)
        samples.emplace_back((points[i - 1].first + points[i].first) / 2,
                             (points[i - 1].second + points[i].second) / 2);
    return samples;
}

class RepaintAreasTest : public CDrawTest {
protected:
    void SetUp() override
    {
        CDrawTest::SetUp();
        Marry(Person("FF", SEX_MALE), Person("FM", SEX_FEMALE),
              {Person("F", SEX_MALE), Person("Uncle", SEX_MALE)});
        Marry(P("Uncle"), Person("UncleWife", SEX_FEMALE), {Person("Cousin", SEX_FEMALE)});
        Marry(Person("MF", SEX_MALE), Person("MM", SEX_FEMALE),
              {Person("Aunt", SEX_FEMALE), Person("M", SEX_FEMALE)});
        Marry(P("F"), P("M"), {Person("Kid", SEX_MALE)});
    }

    struct Drawn {
        std::vector<CRecordingPainter::Line> lines;
        std::vector<CRecordingPainter::Button> buttons;
        std::vector<std::pair<CRect, int>> boxes;
    };
    Drawn Paint()
    {
        m_painter.Clear();
        PaintAll();
        return {m_painter.m_lines, m_painter.m_buttons, m_painter.m_boxes};
    }
};

TEST_F(RepaintAreasTest, MovedTreesRepaintTheirLinesButtonsAndBoxes)
{
    for (int mode : {kCompactByRow, kCompactByBand, kCompactByRect}) {
        SCOPED_TRACE(mode);
        m_owner.m_settings.m_horizontalCompression = mode;
        m_owner.m_settings.m_subTreeGap = 17;
        CDiagRowSet& rowSet = Build(kAllRelativesDiagram, "Kid", 3, 2);
        ASSERT_GT(rowSet.Trees().size(), 1u);
        const Drawn before = Paint();
        m_owner.m_settings.m_subTreeGap = 90;
        CDiagRepaint repaint;
        DiagRepack(rowSet, repaint);
        const Drawn after = Paint();

        // What is drawn in one pass and not the other lies in the areas.
        int moved = 0;
        for (const auto& [one, other] : {std::pair(&before, &after), std::pair(&after, &before)}) {
            for (const auto& line : one->lines) {
                const bool kept =
                    std::any_of(other->lines.begin(), other->lines.end(),
                                [&](const auto& l) { return l.points == line.points; });
                if (kept)
                    continue;
                ++moved;
                for (Point p : Samples(line.points)) {
                    if (!OnLine(other->lines, p)) {
                        EXPECT_TRUE(Holds(repaint.areas, p)) << p.first << "," << p.second;
                    }
                }
            }
            for (const auto& button : one->buttons) {
                const bool kept =
                    std::any_of(other->buttons.begin(), other->buttons.end(),
                                [&](const auto& b) { return b.circle == button.circle; });
                if (kept)
                    continue;
                ++moved;
                EXPECT_TRUE(Holds(repaint.areas, {button.circle.left, button.circle.top}));
                EXPECT_TRUE(Holds(repaint.areas, {button.circle.right, button.circle.bottom}));
            }
            for (const auto& [box, fill] : one->boxes) {
                const bool kept = std::any_of(other->boxes.begin(), other->boxes.end(),
                                              [&](const auto& b) { return b.first == box; });
                if (!kept) {
                    EXPECT_TRUE(Holds(repaint.areas, {box.left, box.top}) &&
                                Holds(repaint.areas, {box.right, box.bottom}));
                }
            }
        }
        EXPECT_GT(moved, 0) << "the wider gap moves the relatives trees";
    }
}

} // namespace
