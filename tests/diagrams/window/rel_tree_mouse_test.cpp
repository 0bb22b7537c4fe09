// tests/diagrams/window/rel_tree_mouse_test.cpp: clicks, Ctrl-clicks, expansion buttons, Space and
// Escape, double clicks, the three context menus with their grey and check states, the mode
// commands and the marks set from the box menu, driven through posted input on a small family.
#include "tests/diagrams/window/rel_tree_fixture.h"

#include "database/records/fam_rec.h"
#include "diagrams/diag_hit.h"
#include "diagrams/diag_tree_walk.h"
#include "platform/ui/windows/sys_metrics.h"

#include <vector>

namespace {

using namespace rel_tree_test;
using Texts = std::vector<std::string>;

class RelTreeMouseTest : public RelTreeTest {
protected:
    void Open(int type = kAncestorsAndDescendantsDiagram, const char* root = "john")
    {
        MakeFamily();
        MakeWindow();
        ASSERT_TRUE(m_window->BuildTree(m_people[root], false, type, false));
        TestHooks::RenderWindow(*m_window);
    }
    void Click(CPoint point, UINT mk = 0)
    {
        TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftDown, point, mk | MK_LBUTTON);
        TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftUp, point, mk);
        TestHooks::DeliverPosted();
    }
    Texts RightClickMenu(CPoint point, UINT answer = 0)
    {
        TestHooks::AnswerPopupMenu(answer);
        TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::RightDown, point, MK_RBUTTON);
        TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::RightUp, point, 0);
        TestHooks::DeliverPosted();
        // The command chosen arrives as a posted message.
        TestHooks::DeliverPosted();
        return TestHooks::PopupMenuItems();
    }
    std::vector<CIndRec*> Selected() const
    {
        std::vector<CIndRec*> people;
        for (CDiagElem* box : m_window->Document().Selection().Boxes())
            people.push_back(box->GetIndividual());
        return people;
    }
    /// A point of the client far from every box.
    CPoint Empty() const { return CPoint(10, 10); }
};

TEST_F(RelTreeMouseTest, ClicksAndCtrlClicksSelect)
{
    Open();
    struct Step {
        const char* key; // null: the empty point
        UINT mk;
        std::vector<const char*> selected; // newest first
    };
    const Step steps[] = {
        {"ann", 0, {"ann"}},
        {"bob", MK_CONTROL, {"bob", "ann"}},
        {"fred", MK_CONTROL, {"fred", "bob", "ann"}},
        {"bob", MK_CONTROL, {"fred", "ann"}},
        {nullptr, MK_CONTROL, {"fred", "ann"}},
        {"mary", 0, {"mary"}},
        {nullptr, 0, {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.key ? step.key : "empty");
        Click(step.key ? ClientCentre(step.key) : Empty(), step.mk);
        std::vector<CIndRec*> expected;
        for (const char* key : step.selected)
            expected.push_back(m_people[key]);
        EXPECT_EQ(Selected(), expected);
    }
}

TEST_F(RelTreeMouseTest, DoubleClickingASpouseWithoutARecordOffersToMakeOne)
{
    MakeFamily();
    // John's second marriage has a child and no wife.
    CFamRec* second = Marry(m_people["john"], nullptr, {P("cid", SEX_MALE, "Cid /Smith/")});
    MakeWindow();
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    TestHooks::RenderWindow(*m_window);
    const auto placeholder = [&]() -> CDiagElem* {
        CDiagElem* found = nullptr;
        ForEachBox(*m_window->RowSet()->MainTree(), true, [&](CDiagElem& box) {
            if (box.GetKind() == kSpouseElem && !box.GetIndividual() && box.IsVisible())
                found = &box;
        });
        return found;
    };
    const auto doubleClick = [&](CPoint point) {
        TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftDoubleClick, point, 0);
        TestHooks::DeliverPosted();
    };
    for (const int answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer);
        CDiagElem* box = placeholder();
        ASSERT_NE(box, nullptr);
        TestHooks::AnswerMessageBox(answer);
        doubleClick(m_window->Viewport().ToDevice(box->GetCentre()));
        const auto shown = TestHooks::TakeMessages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].caption, "Create new record?");
    }
    // The new wife joins the second family and her box is selected in the placeholder's place.
    CIndRec* wife = second->GetWife();
    ASSERT_NE(wife, nullptr);
    EXPECT_EQ(wife->GetSex(), SEX_FEMALE);
    EXPECT_EQ(placeholder(), nullptr);
    EXPECT_EQ(Selected(), std::vector<CIndRec*>{wife});
    // A box with its record asks nothing.
    doubleClick(ClientCentre("mary"));
    EXPECT_TRUE(TestHooks::TakeMessages().empty());
}

TEST_F(RelTreeMouseTest, SelectedBoxIsPaintedInTheHighlightColour)
{
    Open();
    Click(ClientCentre("bob"));
    const TestHooks::Image image = Render("selected.png");
    CDiagElem* box = BoxOf("bob");
    const CPoint inside =
        m_window->Viewport().ToDevice(CPoint(box->Rect().left + 3, box->Rect().bottom + 3));
    EXPECT_EQ(image.Pixel(inside.x, inside.y), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(RelTreeMouseTest, BoxMenuGreysByOverrideAndMark)
{
    Open();
    const Texts plain = RightClickMenu(ClientCentre("ann"));
    EXPECT_EQ(plain, (Texts{"Override default text...", "Clear override text [grey]", "-",
                            "Set Mark", "Clear Mark [grey]", "-", "Properties..."}));
    EXPECT_EQ(Selected(), std::vector<CIndRec*>{m_people["ann"]});
    RightClickMenu(ClientCentre("ann"), diagram_cmd::kSetMark);
    EXPECT_TRUE(BoxOf("ann")->HasFlag(kElemMarked));
    BoxOf("ann")->SetText("Annie");
    const Texts marked = RightClickMenu(ClientCentre("ann"));
    EXPECT_EQ(marked, (Texts{"Override default text...", "Clear override text", "-",
                             "Set Mark [grey]", "Clear Mark", "-", "Properties..."}));
    RightClickMenu(ClientCentre("ann"), diagram_cmd::kClearMark);
    EXPECT_FALSE(BoxOf("ann")->HasFlag(kElemMarked));
    RightClickMenu(ClientCentre("ann"), diagram_cmd::kClearOverride);
    EXPECT_FALSE(BoxOf("ann")->HasText());
}

TEST_F(RelTreeMouseTest, BackgroundMenuChecksVisibleTitlesAndDeselects)
{
    Open();
    Click(ClientCentre("ann"));
    m_window->GetSettings().m_titles[1].visible = true;
    m_window->GetSettings().m_titles[1].frame = CRect(-100000, -100000, -99000, -100500);
    const Texts items = RightClickMenu(Empty());
    EXPECT_EQ(items,
              (Texts{"&Underline Overridden Text", "-", "Title 1", "Title 2 [checked]", "Title 3",
                     "Title 4", "-", "Diagram Size When Printed...", "Save As Custom Diagram...",
                     "-", "Diagram Colours...", "Diagram Options..."}));
    EXPECT_TRUE(Selected().empty());
}

TEST_F(RelTreeMouseTest, ButtonClickAndSpaceExpandTheBranch)
{
    MakeFamily();
    MakeWindow();
    m_window->GetSettings().SetDiagramType(kDescendantsDiagram);
    m_window->GetSettings().m_descendantGenerations = 2;
    ASSERT_TRUE(m_window->BuildTree(m_people["fred"], false, kDescendantsDiagram, false));
    TestHooks::RenderWindow(*m_window);
    ASSERT_EQ(BoxOf("ann"), nullptr);
    // The family box of John and Mary is collapsed: its button opens it.
    CDiagElem* john = BoxOf("john");
    ASSERT_NE(john, nullptr);
    CDiagElem* family = nullptr;
    const CDiagRowSet& rowSet = *m_window->RowSet();
    for (CDiagTree* tree : rowSet.Trees())
        ForEachBox(*tree, true, [&](CDiagElem& box) {
            if (!family && box.GetExpansion() == kCollapsed)
                family = &box;
        });
    ASSERT_NE(family, nullptr);
    m_window->SelectBox(family, true, false);
    TestHooks::PostKey(*m_window, VK_SPACE, 0);
    TestHooks::DeliverPosted();
    EXPECT_NE(BoxOf("ann"), nullptr);
    EXPECT_NE(BoxOf("bob"), nullptr);
    // A click on the family's button closes the branch again.
    TestHooks::RenderWindow(*m_window);
    CPoint button(-1, -1);
    CRect client;
    m_window->GetClientRect(&client);
    for (int y = 0; y < client.bottom && button.x < 0; ++y)
        for (int x = 0; x < client.right && button.x < 0; ++x) {
            CDiagElem* hit = nullptr;
            if (m_window->HitTest(CPoint(x, y), &hit, nullptr) == kHitButton && hit == family)
                button = CPoint(x, y);
        }
    ASSERT_GE(button.x, 0);
    Click(button);
    EXPECT_EQ(BoxOf("ann"), nullptr);
}

TEST_F(RelTreeMouseTest, SpaceOnARelativesTreesRootActsOnTheAncestorsButton)
{
    MakeFamily();
    MakeWindow();
    ASSERT_TRUE(m_window->BuildTree(m_people["ann"], false, kAllRelativesDiagram, false));
    // John's relatives tree repeats him at its root, which has no button of its own.
    CDiagTree* relatives = nullptr;
    for (CDiagTree* tree : m_window->RowSet()->Trees())
        if (tree->IsSecondary())
            relatives = tree;
    ASSERT_NE(relatives, nullptr);
    CDiagElem* root = relatives->m_rootElement;
    CDiagAncestorElem* john = relatives->m_attachedTo;
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->GetIndividual(), m_people["john"]);
    ASSERT_EQ(root->GetExpansion(), kNothingToExpand);
    ASSERT_EQ(john->GetExpansion(), kExpanded);
    m_window->SelectBox(root, true, false);
    TestHooks::PostKey(*m_window, VK_SPACE, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(john->GetExpansion(), kCollapsed);
    EXPECT_FALSE(root->IsVisible());
    // A box without a button that stands for no other does nothing.
    m_window->SelectBox(BoxOf("ann"), true, false);
    ASSERT_EQ(BoxOf("ann")->GetExpansion(), kNothingToExpand);
    TestHooks::PostKey(*m_window, VK_SPACE, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(john->GetExpansion(), kCollapsed);
}

TEST_F(RelTreeMouseTest, ModeCommandsToggleAndEscapeEnds)
{
    Open();
    CWnd& window = *m_window;
    ASSERT_TRUE(TestHooks::RunCommand(window, diagram_cmd::kSelectArea));
    EXPECT_EQ(m_window->Mouse().Mode(), kModeSelectArea);
    ASSERT_TRUE(TestHooks::RunCommand(window, diagram_cmd::kGrabber));
    EXPECT_EQ(m_window->Mouse().Mode(), kModeGrabber);
    // A right-button release while the grabber is on only ends it.
    TestHooks::PostMouse(window, TestHooks::MouseEvent::RightDown, Empty(), MK_RBUTTON);
    TestHooks::PostMouse(window, TestHooks::MouseEvent::RightUp, Empty(), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(m_window->Mouse().Mode(), kModeNormal);
    ASSERT_TRUE(TestHooks::RunCommand(window, diagram_cmd::kSelectArea));
    TestHooks::PostKey(window, VK_ESCAPE, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(m_window->Mouse().Mode(), kModeNormal);
}

TEST_F(RelTreeMouseTest, CommandsNeedATree)
{
    MakeWindow();
    CWnd& window = *m_window;
    for (UINT id : {diagram_cmd::kViewWhole, diagram_cmd::kCentre, diagram_cmd::kRemoveAllMarks,
                    diagram_cmd::kSelectArea, diagram_cmd::kGrabber, diagram_cmd::kZoomIn}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(TestHooks::RunCommand(window, id));
    }
}

} // namespace
