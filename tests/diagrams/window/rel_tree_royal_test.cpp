// tests/diagrams/window/rel_tree_royal_test.cpp: the Diagram window on royal92.ged: every type for
// several people opens with its title and paints boxes; the whole diagram fits; zooming fully in
// and out and scrolling to the ends of the ranges neither overflows nor loses the centre.
#include "diagrams/window/sub_view_rel_tree.h"

#include "database/kin/ind_rec.h"
#include "diagrams/diag_elem.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/windows/sys_metrics.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace {

class RelTreeRoyalTest : public gedcom_test::CGedcomTest {
protected:
    void SetUp() override
    {
        CGedcomTest::SetUp();
        controls_test::UseCompiledResources();
        ASSERT_TRUE(Load(test_support::DataPath("gedcom/royal92.ged"), true));
        CDataNode* individuals = GetRecordTypeRoot(RECORD_LIST_INDI);
        for (CDataNode* node = individuals->GetFirstChild(); node; node = node->GetNextSibling())
            if (CIndRec* person = AsIndividual(static_cast<CRecordNode*>(node)))
                m_people.push_back(person);
        ASSERT_GT(m_people.size(), 2000u);
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 900, 700), nullptr, 0));
        m_window = std::make_unique<CSubViewRelTree>();
        CWnd& wnd = *m_window;
        ASSERT_TRUE(wnd.Create("AvSubView", "AV Subview",
                               WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                               CRect(0, 0, 900, 700), &m_host, 99));
    }
    void TearDown() override
    {
        m_window.reset();
        m_host.DestroyWindow();
        TestHooks::TakeMessages();
        CGedcomTest::TearDown();
    }

    std::vector<CIndRec*> m_people;
    CWnd m_host;
    std::unique_ptr<CSubViewRelTree> m_window;
};

TEST_F(RelTreeRoyalTest, EveryTypeOpensWithTitleRootSelectedAndPaints)
{
    static constexpr const char* kPrefixes[] = {"Ancestors of ", "Descendants of ",
                                                "Ancestors and Descendants of ", "Relatives of "};
    for (std::size_t index :
         {std::size_t(0), std::size_t(57), std::size_t(400), std::size_t(1500)}) {
        CIndRec* person = m_people[index];
        for (int type = 0; type < 4; ++type) {
            SCOPED_TRACE(testing::Message() << "person " << index << " type " << type);
            ASSERT_TRUE(m_window->BuildTree(person, true, type, false));
            std::string title;
            m_window->GetTitle(title);
            EXPECT_EQ(title.rfind(kPrefixes[type], 0), 0u) << title;
            ASSERT_FALSE(m_window->Selection().empty());
            CDiagElem* root = m_window->Selection()[0];
            EXPECT_EQ(root->GetIndividual(), person);
            // The root is centred across and lies in the client area.
            const CPoint centre = m_window->ToDevice(root->GetCentre());
            EXPECT_NEAR(centre.x, 450, 30);
            EXPECT_GE(centre.y, 0);
            EXPECT_LT(centre.y, 700);
            const TestHooks::Image image = TestHooks::RenderWindow(*m_window);
            // Below the text lines, inside the outline.
            const CPoint corner =
                m_window->ToDevice(CPoint(root->Rect().left + 3, root->Rect().bottom + 3));
            EXPECT_EQ(image.Pixel(corner.x + 1, corner.y - 1), GetSysColor(COLOR_HIGHLIGHT));
        }
    }
}

TEST_F(RelTreeRoyalTest, ZoomFullyInAndOutAndScrollToTheEndsWithoutOverflow)
{
    CIndRec* person = m_people[0];
    m_window->GetSettings().SetDiagramType(kAllRelativesDiagram);
    m_window->GetSettings().m_ancestorGenerations = 6;
    m_window->GetSettings().m_descendantGenerations = 6;
    ASSERT_TRUE(m_window->BuildTree(person, true, kAllRelativesDiagram, false));
    m_window->ViewWholeDiagram();
    TestHooks::RenderWindow(*m_window);
    CRect client;
    m_window->GetClientRect(&client);
    const CPoint centre = m_window->ToDiagram(client.CenterPoint());
    for (int step = 0; step < 40 && m_window->ScaleDivisor() > 1; ++step)
        m_window->Zoom(-std::max(1, m_window->ScaleDivisor() / 2), false);
    EXPECT_EQ(m_window->ScaleDivisor(), 1);
    const CPoint in = m_window->ToDiagram(client.CenterPoint());
    EXPECT_NEAR(in.x, centre.x, 200);
    EXPECT_NEAR(in.y, centre.y, 200);
    for (UINT code : {UINT(SB_BOTTOM), UINT(SB_TOP)}) {
        for (int i = 0; i < 50; ++i) {
            TestHooks::ScrollBarAction(*m_window, SB_VERT,
                                       code == SB_BOTTOM ? SB_PAGEDOWN : SB_PAGEUP);
            TestHooks::ScrollBarAction(*m_window, SB_HORZ,
                                       code == SB_BOTTOM ? SB_PAGEDOWN : SB_PAGEUP);
        }
        const CPoint scroll = m_window->ScrollOrigin();
        EXPECT_GE(scroll.y, m_window->VertRange().rangeMin);
        EXPECT_LE(scroll.y, m_window->VertRange().rangeMax);
        EXPECT_GE(scroll.x, m_window->HorzRange().rangeMin);
        EXPECT_LE(scroll.x, m_window->HorzRange().rangeMax);
    }
    m_window->Zoom(1'000'000, true);
    EXPECT_EQ(m_window->ScaleDivisor(), 1'000'000);
    TestHooks::RenderWindow(*m_window);
    m_window->Zoom(INT_MAX, true);
    EXPECT_GT(m_window->ScaleDivisor(), 1);
    TestHooks::RenderWindow(*m_window);
}

} // namespace
