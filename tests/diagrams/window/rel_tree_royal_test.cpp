// tests/diagrams/window/rel_tree_royal_test.cpp: the Diagram window on royal92.ged: every type for
// several people opens with its title and paints boxes; the whole diagram fits; zooming fully in
// and out and scrolling to the ends of the ranges neither overflows nor loses the centre, there
// and on an All Relatives diagram of 999 generations over a generated file of 100,000 people.
#include "diagrams/window/sub_view_rel_tree.h"

#include "bench/generator/gedcom_generator.h"

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
        ASSERT_NO_FATAL_FAILURE(LoadFile());
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
    virtual void LoadFile()
    {
        ASSERT_TRUE(Load(test_support::DataPath("gedcom/royal92.ged"), true));
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

/// Zooms the whole All Relatives diagram of person fully in, keeping the centre, scrolls to
/// both ends of the ranges, and zooms out past any useful scale.
void ZoomFullyInAndOutAndScrollToTheEnds(CSubViewRelTree& window, CIndRec* person, int generations)
{
    window.GetSettings().SetDiagramType(kAllRelativesDiagram);
    window.GetSettings().m_ancestorGenerations = generations;
    window.GetSettings().m_descendantGenerations = generations;
    ASSERT_TRUE(window.BuildTree(person, true, kAllRelativesDiagram, false));
    window.ViewWholeDiagram();
    TestHooks::RenderWindow(window);
    CRect client;
    window.GetClientRect(&client);
    const CPoint centre = window.ToDiagram(client.CenterPoint());
    // The centre is known to a pixel of the whole view: each step keeps it to its own pixel.
    const CPoint fourPixels =
        window.ToDiagram(CPoint(client.CenterPoint().x + 4, client.CenterPoint().y + 4));
    const int tolerance =
        std::max({200, std::abs(fourPixels.x - centre.x), std::abs(fourPixels.y - centre.y)});
    for (int step = 0; step < 64 && window.ScaleDivisor() > 1; ++step)
        window.Zoom(-std::max(1, window.ScaleDivisor() / 2), false);
    EXPECT_EQ(window.ScaleDivisor(), 1);
    const CPoint in = window.ToDiagram(client.CenterPoint());
    EXPECT_NEAR(in.x, centre.x, tolerance);
    EXPECT_NEAR(in.y, centre.y, tolerance);
    for (UINT code : {UINT(SB_BOTTOM), UINT(SB_TOP)}) {
        for (int i = 0; i < 50; ++i) {
            TestHooks::ScrollBarAction(window, SB_VERT,
                                       code == SB_BOTTOM ? SB_PAGEDOWN : SB_PAGEUP);
            TestHooks::ScrollBarAction(window, SB_HORZ,
                                       code == SB_BOTTOM ? SB_PAGEDOWN : SB_PAGEUP);
        }
        TestHooks::ScrollBarAction(window, SB_VERT, code);
        TestHooks::ScrollBarAction(window, SB_HORZ, code);
        TestHooks::RenderWindow(window);
        const CPoint scroll = window.ScrollOrigin();
        EXPECT_GE(scroll.y, window.VertRange().rangeMin);
        EXPECT_LE(scroll.y, window.VertRange().rangeMax);
        EXPECT_GE(scroll.x, window.HorzRange().rangeMin);
        EXPECT_LE(scroll.x, window.HorzRange().rangeMax);
    }
    window.Zoom(1'000'000, true);
    EXPECT_EQ(window.ScaleDivisor(), 1'000'000);
    TestHooks::RenderWindow(window);
    window.Zoom(INT_MAX, true);
    EXPECT_GT(window.ScaleDivisor(), 1);
    TestHooks::RenderWindow(window);
}

TEST_F(RelTreeRoyalTest, ZoomFullyInAndOutAndScrollToTheEndsWithoutOverflow)
{
    ZoomFullyInAndOutAndScrollToTheEnds(*m_window, m_people[0], 6);
}

/// The same window over a generated file of 100,000 people.
class RelTreeLargeTest : public RelTreeRoyalTest {
protected:
    void LoadFile() override
    {
        const std::string path = test_support::NewFolder("rel_tree_large") + "/large.ged";
        ASSERT_TRUE(WriteSyntheticGedcomFile(path, 100'000, 1).has_value());
        ASSERT_TRUE(Load(path, true));
    }
};

TEST_F(RelTreeLargeTest, AllRelativesOf999GenerationsZoomsAndScrollsToItsEndsWithoutOverflow)
{
    ZoomFullyInAndOutAndScrollToTheEnds(*m_window, m_people[m_people.size() / 2], 999);
    EXPECT_GT(m_window->RowSet()->m_boxCount, 10'000);
}

} // namespace
