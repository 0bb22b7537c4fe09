// tests/diagrams/window/rel_tree_drag_test.cpp: the stretchy box selecting the boxes inside it, too
// small to count, cancelled by Escape or the right button; "Select Area to View" zooming to the
// box or giving its hint; the grabber keeping the diagram point under the mouse.
#include "tests/diagrams/window/rel_tree_fixture.h"

#include <vector>

namespace {

using namespace rel_tree_test;
using TestHooks::MouseEvent;

class RelTreeDragTest : public RelTreeTest {
protected:
    void SetUp() override
    {
        RelTreeTest::SetUp();
        MakeFamily();
        MakeWindow();
        ASSERT_TRUE(
            m_window->BuildTree(m_people["john"], false, kAncestorsAndDescendantsDiagram, false));
        TestHooks::RenderWindow(*m_window);
    }
    /// A left drag from one point to another; before the release, interrupt (a key or a
    /// right press) when given.
    void Drag(CPoint from, CPoint to, UINT interruptKey = 0, bool rightPress = false)
    {
        TestHooks::PostMouse(*m_window, MouseEvent::LeftDown, from, MK_LBUTTON);
        TestHooks::PostMouse(*m_window, MouseEvent::Move,
                             CPoint((from.x + to.x) / 2, (from.y + to.y) / 2), MK_LBUTTON);
        TestHooks::PostMouse(*m_window, MouseEvent::Move, to, MK_LBUTTON);
        if (interruptKey)
            TestHooks::PostKey(*m_window, interruptKey, 0);
        if (rightPress)
            TestHooks::PostMouse(*m_window, MouseEvent::RightDown, to, MK_LBUTTON | MK_RBUTTON);
        TestHooks::PostMouse(*m_window, MouseEvent::LeftUp, to, 0);
        if (rightPress)
            TestHooks::PostMouse(*m_window, MouseEvent::RightUp, to, 0);
        TestHooks::DeliverPosted();
        TestHooks::DeliverPosted();
    }
    std::vector<CIndRec*> Selected() const
    {
        std::vector<CIndRec*> people;
        for (CDiagElem* box : m_window->Document().Selection().Boxes())
            people.push_back(box->GetIndividual());
        std::sort(people.begin(), people.end());
        return people;
    }
    std::vector<CIndRec*> People(std::initializer_list<const char*> keys)
    {
        std::vector<CIndRec*> people;
        for (const char* key : keys)
            people.push_back(m_people[key]);
        std::sort(people.begin(), people.end());
        return people;
    }
    /// A device rectangle around the boxes of the people, grown by a few pixels.
    std::pair<CPoint, CPoint> Around(std::initializer_list<const char*> keys)
    {
        CRect all;
        bool first = true;
        for (const char* key : keys) {
            const CRect& r = BoxOf(key)->Rect();
            const CPoint a = m_window->Viewport().ToDevice(CPoint(r.left, r.top));
            const CPoint b = m_window->Viewport().ToDevice(CPoint(r.right, r.bottom));
            CRect device(a.x, a.y, b.x, b.y);
            device.NormalizeRect();
            if (first)
                all = device;
            else
                all.UnionRect(all, device);
            first = false;
        }
        all.InflateRect(4, 4);
        return {all.TopLeft(), all.BottomRight()};
    }
};

TEST_F(RelTreeDragTest, StretchyBoxSelectsTheBoxesInside)
{
    const auto [from, to] = Around({"ann", "bob"});
    Drag(from, to);
    EXPECT_EQ(Selected(), People({"ann", "bob"}));
    EXPECT_FALSE(m_window->Mouse().IsDragging());
}

TEST_F(RelTreeDragTest, TinyOrCancelledBoxSelectsNothing)
{
    const auto [from, to] = Around({"ann", "bob"});
    struct Case {
        const char* name;
        CPoint end;
        UINT key;
        bool right;
    };
    const Case cases[] = {{"two pixels wide", CPoint(from.x + 2, to.y), 0, false},
                          {"escape", to, VK_ESCAPE, false},
                          {"right press", to, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_window->SelectBox(BoxOf("fred"), true, false);
        Drag(from, c.end, c.key, c.right);
        // The press without Ctrl deselected; nothing more.
        EXPECT_TRUE(Selected().empty());
        EXPECT_FALSE(m_window->Mouse().IsDragging());
        EXPECT_TRUE(TestHooks::TakeMessages().empty());
    }
}

TEST_F(RelTreeDragTest, SelectAreaZoomsToTheBoxOrGivesItsHint)
{
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, diagram_cmd::kSelectArea));
    const auto [from, to] = Around({"ann"});
    TestHooks::AnswerMessageBox(IDOK);
    Drag(from, CPoint(from.x + 2, from.y + 2));
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.rfind("Click and drag on the diagram to draw a stretchy box", 0), 0u);
    EXPECT_EQ(m_window->Mouse().Mode(), kModeSelectArea);
    EXPECT_EQ(m_window->Viewport().ScaleDivisor(), 20);
    Drag(from, to);
    EXPECT_EQ(m_window->Mouse().Mode(), kModeNormal);
    EXPECT_LT(m_window->Viewport().ScaleDivisor(), 20);
    // Ann's box now fills the client across or down, centred.
    CRect client;
    m_window->GetClientRect(&client);
    const CPoint centre = ClientCentre("ann");
    EXPECT_NEAR(centre.x, client.CenterPoint().x, 20);
    EXPECT_NEAR(centre.y, client.CenterPoint().y, 20);
}

TEST_F(RelTreeDragTest, GrabberKeepsTheDiagramPointUnderTheMouse)
{
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, diagram_cmd::kGrabber));
    const CPoint start = ClientCentre("bob");
    Drag(start, start + CPoint(-120, 45));
    EXPECT_NEAR(ClientCentre("bob").x, start.x - 120, 2);
    EXPECT_NEAR(ClientCentre("bob").y, start.y + 45, 2);
    EXPECT_EQ(m_window->Mouse().Mode(), kModeGrabber);
    EXPECT_TRUE(Selected().empty());
}

} // namespace
