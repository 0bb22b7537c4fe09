// tests/diagrams/window/rel_tree_cursor_test.cpp: the Diagram window's cursor follows the mouse
// mode, what lies under the pointer and the page grid's drag.
#include "tests/diagrams/window/rel_tree_fixture.h"

#include "platform/ui/windows/cursor.h"

namespace {

using namespace rel_tree_test;

TEST_F(RelTreeTest, CursorFollowsTheModeAndWhatLiesUnderThePointer)
{
    MakeFamily();
    CSubViewRelTree& window = MakeWindow();
    ASSERT_TRUE(window.BuildTree(m_people["john"], true, kDescendantsDiagram, false));
    const auto shown = [&] { return GetCursorResourceId(window.GetWindowCursor()); };
    const auto move = [&](CPoint point) {
        TestHooks::PostMouse(window, TestHooks::MouseEvent::Move, point, 0);
        TestHooks::DeliverPosted();
    };
    const CPoint box = ClientCentre("ann");
    move(box);
    EXPECT_EQ(shown(), kItemCursorId) << "over a box";
    move(CPoint(2, 2));
    EXPECT_EQ(shown(), 0u) << "over nothing";

    struct Mode {
        UINT command;
        UINT cursor;
    };
    for (const Mode& mode : {Mode{diagram_cmd::kSelectArea, kAreaCursorId},
                             Mode{diagram_cmd::kGrabber, kGrabberCursorId}}) {
        SCOPED_TRACE(mode.command);
        ASSERT_TRUE(TestHooks::RunCommand(window, mode.command));
        EXPECT_EQ(shown(), mode.cursor);
        move(box);
        EXPECT_EQ(shown(), mode.cursor) << "the mode's cursor over a box too";
        TestHooks::PostKey(window, VK_ESCAPE, 0);
        TestHooks::DeliverPosted();
        EXPECT_EQ(window.Mouse().Mode(), kModeNormal);
        EXPECT_EQ(shown(), 0u) << "Escape puts the arrow back";
    }

    // Over a shown page line, and while the page grid is dragged.
    window.GetSettings().m_pageXOrigin = 0;
    TestHooks::AnswerMessageBox(IDOK); // no printer here
    ASSERT_TRUE(TestHooks::RunCommand(window, diagram_cmd::kShowPageBoundaries));
    const CPoint line =
        window.Viewport().ToDevice(CPoint(0, window.Viewport().ToDiagram(CPoint(2, 300)).y));
    move(line);
    EXPECT_EQ(shown(), kPageLineCursorId);
    TestHooks::PostMouse(window, TestHooks::MouseEvent::LeftDown, line, MK_LBUTTON);
    TestHooks::DeliverPosted();
    EXPECT_EQ(shown(), kPageDragCursorId);
    TestHooks::PostKey(window, VK_ESCAPE, 0);
    TestHooks::DeliverPosted();
    EXPECT_NE(shown(), kPageDragCursorId);
}

} // namespace
