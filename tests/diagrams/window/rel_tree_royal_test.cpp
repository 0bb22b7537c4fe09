// tests/diagrams/window/rel_tree_royal_test.cpp: the Diagram window on royal92.ged: every type for
// several people opens with its title and paints boxes; the whole diagram fits; zooming fully in
// and out and scrolling to the ends of the ranges neither overflows nor loses the centre, there
// and on an All Relatives diagram of 999 generations over a generated file of 100,000 people; a
// waiting zoom key cuts a repaint short; text too small to read is a line.
#include "diagrams/window/sub_view_rel_tree.h"
#include "tests/diagrams/window/rel_tree_fixture.h"

#include "bench/generator/gedcom_generator.h"

#include "database/kin/ind_rec.h"
#include "diagrams/diag_elem.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diag_tree_walk.h"
#include "diagrams/window/box_painter_dc.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/windows/sys_metrics.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
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
        m_defaults.Install();
        m_window = std::make_unique<CSubViewRelTree>();
        CWnd& wnd = *m_window;
        ASSERT_TRUE(wnd.Create("AvSubView", "AV Subview",
                               WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                               CRect(0, 0, 900, 700), &m_host, 99));
    }
    virtual void LoadFile() { ASSERT_TRUE(Load(test_support::DataPath("gedcom/royal92.ged"))); }
    void TearDown() override
    {
        m_window.reset();
        m_host.DestroyWindow();
        TestHooks::TakeMessages();
        CGedcomTest::TearDown();
    }

    std::vector<CIndRec*> m_people;
    rel_tree_test::CTestDiagramDefaults m_defaults;
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
            ASSERT_FALSE(m_window->Document().Selection().Boxes().empty());
            CDiagElem* root = m_window->Document().Selection().Boxes()[0];
            EXPECT_EQ(root->GetIndividual(), person);
            // The root is centred across and lies in the client area.
            const CPoint centre = m_window->Viewport().ToDevice(root->GetCentre());
            EXPECT_NEAR(centre.x, 450, 30);
            EXPECT_GE(centre.y, 0);
            EXPECT_LT(centre.y, 700);
            const TestHooks::Image image = TestHooks::RenderWindow(*m_window);
            // Below the text lines, inside the outline.
            const CPoint corner = m_window->Viewport().ToDevice(
                CPoint(root->Rect().left + 3, root->Rect().bottom + 3));
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
    window.Viewport().ViewWholeDiagram();
    TestHooks::RenderWindow(window);
    CRect client;
    window.GetClientRect(&client);
    const CPoint centre = window.Viewport().ToDiagram(client.CenterPoint());
    // The centre is known to a pixel of the whole view: each step keeps it to its own pixel.
    const CPoint fourPixels =
        window.Viewport().ToDiagram(CPoint(client.CenterPoint().x + 4, client.CenterPoint().y + 4));
    const int tolerance =
        std::max({200, std::abs(fourPixels.x - centre.x), std::abs(fourPixels.y - centre.y)});
    for (int step = 0; step < 64 && window.Viewport().ScaleDivisor() > 1; ++step)
        window.Viewport().Zoom(-std::max(1, window.Viewport().ScaleDivisor() / 2), false);
    EXPECT_EQ(window.Viewport().ScaleDivisor(), 1);
    const CPoint in = window.Viewport().ToDiagram(client.CenterPoint());
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
        const CPoint scroll = window.Viewport().ScrollOrigin();
        EXPECT_GE(scroll.y, window.Viewport().VertRange().rangeMin);
        EXPECT_LE(scroll.y, window.Viewport().VertRange().rangeMax);
        EXPECT_GE(scroll.x, window.Viewport().HorzRange().rangeMin);
        EXPECT_LE(scroll.x, window.Viewport().HorzRange().rangeMax);
    }
    window.Viewport().Zoom(1'000'000, true);
    EXPECT_EQ(window.Viewport().ScaleDivisor(), 1'000'000);
    TestHooks::RenderWindow(window);
    window.Viewport().Zoom(INT_MAX, true);
    EXPECT_GT(window.Viewport().ScaleDivisor(), 1);
    TestHooks::RenderWindow(window);
}

TEST_F(RelTreeRoyalTest, ZoomFullyInAndOutAndScrollToTheEndsWithoutOverflow)
{
    ZoomFullyInAndOutAndScrollToTheEnds(*m_window, m_people[0], 6);
}

/// How many pixels of two images of one size differ.
int Differing(const TestHooks::Image& a, const TestHooks::Image& b)
{
    int count = 0;
    for (std::size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        count += a.pixels[i] != b.pixels[i];
    return count;
}

TEST_F(RelTreeRoyalTest, AWaitingZoomKeyAbandonsTheRepaintAndZoomsWhenDelivered)
{
    CSubViewRelTree& window = *m_window;
    window.GetSettings().SetDiagramType(kAllRelativesDiagram);
    window.GetSettings().m_ancestorGenerations = 6;
    window.GetSettings().m_descendantGenerations = 6;
    ASSERT_TRUE(window.BuildTree(m_people[0], true, kAllRelativesDiagram, false));
    const int divisor = window.Viewport().ScaleDivisor();
    struct Case {
        const char* name;
        void (*post)(CSubViewRelTree& window);
        bool stops;
        int zoomed;
    };
    const Case cases[] = {
        {"keypad plus posted", [](CSubViewRelTree& w) { TestHooks::PostKey(w, VK_ADD, 0); }, true,
         -1},
        {"keypad minus posted as a message",
         [](CSubViewRelTree& w) { w.PostMessage(WM_KEYDOWN, VK_SUBTRACT, 1); }, true, 1},
        {"keypad times posted", [](CSubViewRelTree& w) { TestHooks::PostKey(w, VK_MULTIPLY, 0); },
         false, 0},
        {"shift posted", [](CSubViewRelTree& w) { TestHooks::PostKey(w, VK_SHIFT, 0); }, false, 0},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        window.Viewport().Zoom(divisor, true);
        window.Invalidate(FALSE);
        const TestHooks::Image whole = TestHooks::RenderWindow(window);
        each.post(window);
        window.Invalidate(FALSE);
        const TestHooks::Image interrupted = TestHooks::RenderWindow(window);
        if (each.stops)
            EXPECT_GT(Differing(whole, interrupted), 1000);
        else
            EXPECT_EQ(Differing(whole, interrupted), 0);
        EXPECT_EQ(window.Viewport().ScaleDivisor(), divisor);
        TestHooks::DeliverPosted();
        EXPECT_EQ(window.Viewport().ScaleDivisor(), divisor + each.zoomed);
        // The zoom painted the whole diagram: painting it again changes nothing.
        const TestHooks::Image zoomed = TestHooks::RenderWindow(window);
        window.Invalidate(FALSE);
        EXPECT_EQ(Differing(zoomed, TestHooks::RenderWindow(window)), 0);
    }
}

TEST_F(RelTreeRoyalTest, TextTooSmallToReadIsOneLineInTheTextColour)
{
    CSubViewRelTree& window = *m_window;
    constexpr COLORREF kText = RGB(1, 2, 3);
    for (int row : {int(kTextMaleRow), int(kTextFemaleRow), int(kTextUnknownSexRow)})
        window.GetSettings().m_colours[std::size_t(row)].colour = kText;
    ASSERT_TRUE(window.BuildTree(m_people[0], true, kDescendantsDiagram, false));
    const CDiagElem& root = *window.Document().Selection().Boxes()[0];
    struct Case {
        int divisor;
        bool mark;
    };
    for (const Case& each : {Case{20, false}, Case{120, true}}) {
        SCOPED_TRACE(each.divisor);
        window.Viewport().Zoom(each.divisor, true);
        const TestHooks::Image image = TestHooks::RenderWindow(window);
        const CPoint topLeft = window.Viewport().ToDevice(root.Rect().TopLeft());
        const CPoint bottomRight = window.Viewport().ToDevice(root.Rect().BottomRight());
        CRect box(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
        box.NormalizeRect();
        ASSERT_GT(box.Width(), 8);
        // Inside the outline: the rows holding the text colour (or, for smoothed text, near
        // it), and how far along the widest of them it runs.
        const auto dark = [&](int x, int y) {
            const COLORREF pixel = image.Pixel(x, y);
            return GetRValue(pixel) < 90 && GetGValue(pixel) < 90 && GetBValue(pixel) < 90;
        };
        int rows = 0, widest = 0;
        for (int y = box.top + 2; y < box.bottom - 2; ++y) {
            int run = 0;
            for (int x = box.left + 2; x < box.right - 2; ++x)
                run += dark(x, y);
            rows += run > 0;
            widest = std::max(widest, run);
        }
        if (each.mark) {
            EXPECT_EQ(rows, 1);
            EXPECT_NEAR(widest, box.Width() / 2, box.Width() / 4);
        } else {
            EXPECT_GT(rows, 1); // the text itself
        }
    }
}

/// Lays out each line a box draws on a real context, as the box painter does, and keeps the
/// lines that lose characters or leave their area, and areas that leave their box.
class CWholeLineChecker final : public IBoxPainter {
public:
    explicit CWholeLineChecker(CDC& dc) : m_dc(dc) {}
    void SetBox(const CRect& box) { m_box = box; }

    CSize MeasureText(std::string_view line) override { return m_dc.GetTextExtent(line); }
    void DrawBox(const CRect&, int) override {}
    void DrawTextLine(const CRect& area, int, std::string_view line, COLORREF) override
    {
        ++m_lines;
        const BoxLineLayout layout = LayOutBoxLine(m_dc, area, line);
        m_closer += !layout.advances.empty();
        if (layout.shown != line || layout.left < area.left ||
            layout.left + layout.width > area.right || area.left < m_box.left ||
            area.right > m_box.right)
            m_cut.push_back(std::string(layout.shown) + " | " + std::string(line));
    }
    void DrawPicture(CMediaItem&, const CRect&, const RECT*) override {}
    void DrawHandles(const CRect&, bool) override {}

    CDC& m_dc;
    CRect m_box;
    int m_lines = 0, m_closer = 0;
    std::vector<std::string> m_cut;
};

TEST_F(RelTreeRoyalTest, EveryBoxHoldsItsWholeTextAtEveryZoomStepOnTheScreen)
{
    // Boxes are measured on the printer; on the screen a font comes out a little wider at some
    // sizes than in proportion, and the lines that fill their boxes would lose letters.
    CSubViewRelTree& window = *m_window;
    int closer = 0;
    for (int type = 0; type < 4; ++type) {
        ASSERT_TRUE(window.BuildTree(m_people[0], true, type, false));
        for (int divisor : {8, 11, 14, 17, 20, 23, 26, 30}) {
            SCOPED_TRACE(testing::Message() << "type " << type << " divisor " << divisor);
            window.Viewport().Zoom(divisor, true);
            CClientDC dc(&window);
            window.OnPrepareDC(&dc, nullptr);
            const LOGFONT logFont = DiagramBoxFont(window.Settings());
            CFont font;
            font.CreateFontIndirect(&logFont);
            CFont* old = dc.SelectObject(&font);
            CWholeLineChecker checker(dc);
            for (CDiagTree* tree : window.RowSet()->Trees())
                ForEachBox(*tree, true, [&](CDiagElem& box) {
                    if (!box.IsVisible())
                        return;
                    checker.SetBox(box.Rect());
                    box.Draw(checker);
                });
            dc.SelectObject(old);
            EXPECT_GT(checker.m_lines, 10);
            EXPECT_TRUE(checker.m_cut.empty())
                << checker.m_cut.size() << " lines cut, first: " << checker.m_cut.front();
            closer += checker.m_closer;
        }
    }
    // Some zoom steps needed the letters closer.
    EXPECT_GT(closer, 0);
}

/// The same window over a generated file of 100,000 people.
class RelTreeLargeTest : public RelTreeRoyalTest {
protected:
    void LoadFile() override
    {
        const std::string path = test_support::NewFolder("rel_tree_large") + "/large.ged";
        ASSERT_TRUE(WriteSyntheticGedcomFile(path, 100'000, 1).has_value());
        ASSERT_TRUE(Load(path));
    }
};

TEST_F(RelTreeLargeTest, AllRelativesOf999GenerationsZoomsAndScrollsToItsEndsWithoutOverflow)
{
    ZoomFullyInAndOutAndScrollToTheEnds(*m_window, m_people[m_people.size() / 2], 999);
    EXPECT_GT(m_window->RowSet()->m_boxCount, 10'000);
}

} // namespace
