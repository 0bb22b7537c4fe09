// tests/platform/ui/windows/rect_tracker_test.cpp: the tracker finds its handles, moves the edges a
// handle names, moves the whole from the inside, ends normalised, and gives the rectangle back when
// a drag is cancelled; each handle shows the sizing cursor of its direction.
#include "platform/ui/windows/rect_tracker.h"

#include <gtest/gtest.h>

namespace {

TEST(RectTrackerTest, HandlesMoveTheirEdgesAndTheInsideMovesTheWhole)
{
    struct Case {
        CPoint grab;
        int hit;
        CPoint to;
        CRect result;
    };
    // A 100 x 60 rectangle at (10, 20) with 7-pixel handles inside it.
    const Case cases[] = {
        {{12, 22}, CRectTracker::hitTopLeft, {2, 12}, {0, 10, 110, 80}},
        {{107, 77}, CRectTracker::hitBottomRight, {117, 87}, {10, 20, 120, 90}},
        {{58, 22}, CRectTracker::hitTop, {80, 30}, {10, 28, 110, 80}},
        {{12, 48}, CRectTracker::hitLeft, {14, 0}, {12, 20, 110, 80}},
        {{50, 50}, CRectTracker::hitMiddle, {55, 40}, {15, 10, 115, 70}},
        // Dragged across the opposite edge: the result is normal again.
        {{107, 22}, CRectTracker::hitTopRight, {0, 100}, {3, 80, 10, 98}},
    };
    for (const Case& c : cases) {
        CRectTracker tracker(CRect(10, 20, 110, 80),
                             CRectTracker::solidLine | CRectTracker::resizeInside);
        EXPECT_EQ(tracker.HitTest(c.grab), c.hit) << c.grab.x << "," << c.grab.y;
        ASSERT_TRUE(tracker.BeginTrack(tracker.HitTest(c.grab), c.grab));
        EXPECT_TRUE(tracker.EndTrack(c.to, true));
        EXPECT_EQ(tracker.m_rect, c.result) << c.grab.x << "," << c.grab.y;
    }
}

TEST(RectTrackerTest, ACancelledDragAndABandGiveWhatTheyShould)
{
    CRectTracker tracker(CRect(10, 20, 110, 80), CRectTracker::solidLine);
    EXPECT_EQ(tracker.HitTest(CPoint(12, 22)), CRectTracker::hitMiddle) << "no handles";
    EXPECT_EQ(tracker.HitTest(CPoint(5, 5)), CRectTracker::hitNothing);
    EXPECT_FALSE(tracker.BeginTrack(CRectTracker::hitNothing, CPoint(5, 5)));
    ASSERT_TRUE(tracker.BeginTrack(CRectTracker::hitMiddle, CPoint(50, 50)));
    tracker.TrackTo(CPoint(70, 50));
    EXPECT_EQ(tracker.m_rect, CRect(30, 20, 130, 80));
    EXPECT_FALSE(tracker.EndTrack(CPoint(90, 50), false));
    EXPECT_EQ(tracker.m_rect, CRect(10, 20, 110, 80));

    tracker.BeginRubberBand(CPoint(40, 40));
    EXPECT_TRUE(tracker.IsTracking());
    EXPECT_TRUE(tracker.EndTrack(CPoint(20, 10), true));
    EXPECT_EQ(tracker.m_rect, CRect(20, 10, 40, 40));
    EXPECT_FALSE(tracker.IsTracking());
}

TEST(RectTrackerTest, EachHandleShowsTheCursorOfItsDirection)
{
    struct Case {
        int hit;
        UINT cursor;
    };
    const Case cases[] = {
        {CRectTracker::hitTopLeft, IDC_SIZENWSE},  {CRectTracker::hitBottomRight, IDC_SIZENWSE},
        {CRectTracker::hitTopRight, IDC_SIZENESW}, {CRectTracker::hitBottomLeft, IDC_SIZENESW},
        {CRectTracker::hitTop, IDC_SIZENS},        {CRectTracker::hitBottom, IDC_SIZENS},
        {CRectTracker::hitLeft, IDC_SIZEWE},       {CRectTracker::hitRight, IDC_SIZEWE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetCursorResourceId(CRectTracker::GetCursorFor(c.hit)), c.cursor) << c.hit;
    EXPECT_EQ(CRectTracker::GetCursorFor(CRectTracker::hitMiddle), LoadStandardCursor(IDC_ARROW));
}

} // namespace
