// tests/app/window_reuse_test.cpp: showing content in a window of a kind, reusing the
// reusable window and not a locked one; Reuse Window and Lock Current Window; the lookups of
// views and of the selection; closing a window; the menus of the active kind.
#include "database/nodes/change_hint.h"
#include "tests/app/app_fixture.h"
#include "tests/app/test_panes.h"
#include "tests/support/window_test.h"

#include "app/shell/app_ids.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace app_test {
namespace {

using testing::ElementsAre;

class WindowReuseTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Script() = PaneScript();
        ASSERT_TRUE(Start());
    }

    /// Shows content in a window of the pane's kind, logging "shown" in the pane's place.
    template <class Pane> CAvView* Show()
    {
        return m_app->ShowInWindowOfKind(Pane().GetSubViewType(), RuntimeClassOf<Pane>(),
                                         [](CSubView&) { Script().log.push_back("shown"); });
    }

    int CountViews(int kind) const
    {
        int count = 0;
        for (CAvView* view = m_app->GetNextViewOfKind(nullptr, kind); view;
             view = m_app->GetNextViewOfKind(view, kind))
            ++count;
        return count;
    }

    /// Runs the command in the window of view, made the active one first.
    bool RunIn(CAvView* view, UINT command)
    {
        view->GetParentFrame()->ActivateFrame();
        return Run(command);
    }
};

TEST_F(WindowReuseTest, ContentOfAKindGoesToTheReusableWindowUntilItIsLocked)
{
    CAvView* first = Show<CDiagramPane>();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Show<CDiagramPane>(), first);

    ASSERT_TRUE(RunIn(first, ID_LOCK_WINDOW));
    CAvView* second = Show<CDiagramPane>();

    EXPECT_NE(second, first);
    EXPECT_FALSE(first->IsReusable());
    EXPECT_TRUE(second->IsReusable());
    EXPECT_EQ(CountViews(kSubViewDiagram), 2);
    EXPECT_EQ(m_app->GetActiveAvView(), second);
    EXPECT_THAT(Script().log, ElementsAre("shown", "shown", "shown"));
}

TEST_F(WindowReuseTest, TurningReuseOnInOneWindowTurnsItOffInTheOtherOfItsKind)
{
    CAvView* first = Show<CReportPane>();
    ASSERT_TRUE(RunIn(first, ID_LOCK_WINDOW));
    CAvView* second = Show<CReportPane>();
    CAvView* diagram = Show<CDiagramPane>();

    ASSERT_TRUE(RunIn(first, ID_REUSE_WINDOW));

    EXPECT_TRUE(first->IsReusable());
    EXPECT_FALSE(second->IsReusable());
    EXPECT_TRUE(diagram->IsReusable());
    EXPECT_EQ(CountViews(kSubViewNone), 4);
}

/// A window kind with the states of its Reuse Window and Lock Current Window items.
struct ReuseCase {
    const char* name;
    int kind;
    bool startsReusable;
    bool reuseEnabled;
    bool lockEnabled;
};

class ReuseRulesTest : public WindowReuseTest, public testing::WithParamInterface<ReuseCase> {
protected:
    CAvView* ShowKind(int kind)
    {
        switch (kind) {
        case kSubViewRecords:
            m_app->ShowRecordsWindow(-1);
            return m_app->GetActiveAvView();
        case kSubViewQuery:
            return Show<CQueryPane>();
        case kSubViewDiagram:
            return Show<CDiagramPane>();
        default:
            return Show<CReportPane>();
        }
    }
};

TEST_P(ReuseRulesTest, EachKindHasItsReuseAndLockRules)
{
    const ReuseCase& row = GetParam();
    CAvView* view = ShowKind(row.kind);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->IsReusable(), row.startsReusable);

    EXPECT_EQ(Run(ID_LOCK_WINDOW), row.lockEnabled);
    EXPECT_EQ(view->IsReusable(), row.startsReusable != row.lockEnabled);
    EXPECT_EQ(Run(ID_REUSE_WINDOW), row.reuseEnabled);
    // The records window and the first query window are used whatever their flags say.
    if (!row.startsReusable) {
        EXPECT_EQ(ShowKind(row.kind), view);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ReuseRulesTest,
                         testing::Values(ReuseCase{"Records", kSubViewRecords, false, false, false},
                                         ReuseCase{"Query", kSubViewQuery, false, true, false},
                                         ReuseCase{"Diagram", kSubViewDiagram, true, true, true},
                                         ReuseCase{"Report", kSubViewReport, true, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowReuseTest, AWindowFoundWithAPaneOfAnotherClassGetsANewPane)
{
    using COtherDiagramPane = CTestPane<kSubViewDiagram, 1>;
    CAvView* view = Show<CDiagramPane>();

    EXPECT_EQ(Show<COtherDiagramPane>(), view);
    EXPECT_EQ(view->GetSubView()->GetRuntimeClass(), RuntimeClassOf<COtherDiagramPane>());
}

TEST_F(WindowReuseTest, TheActiveKindBringsItsMenuAndClosingRemovesTheWindow)
{
    const auto shows = [this](const char* title) {
        const std::vector<std::string> titles = MenuTitles();
        return std::count(titles.begin(), titles.end(), title) == 1;
    };
    CAvView* diagram = Show<CDiagramPane>();
    EXPECT_TRUE(shows("&Diagram"));
    EXPECT_FALSE(shows("&Lists"));

    ASSERT_TRUE(Run(ID_RECORDS_WINDOW));
    EXPECT_FALSE(shows("&Diagram"));
    EXPECT_TRUE(shows("&Lists"));

    CloseParentFrame(diagram->GetSubView());
    TestHooks::DeliverPosted();
    EXPECT_EQ(CountViews(kSubViewNone), 1);
}

TEST_F(WindowReuseTest, RedrawingAllViewsTellsEveryWindow)
{
    Show<CDiagramPane>();
    Show<CReportPane>();
    Script().hints.clear();

    m_app->RedrawAllViews();

    EXPECT_THAT(Script().hints, ElementsAre(kHintViewsRedrawn, kHintViewsRedrawn));
}

/// What the active window selects, and what the selection lookups then find.
struct SelectionCase {
    const char* name;
    int selected; // 0 nothing, 1 the individual, 2 the family, 3 a field of the individual
    bool record;
    int found;
};

class SelectionTest : public WindowReuseTest, public testing::WithParamInterface<SelectionCase> {};

TEST_P(SelectionTest, TheSelectionIsFoundByWhatItIs)
{
    const SelectionCase& row = GetParam();
    m_app->OpenDocumentFile(WriteGedcom("family.ged", kFamilyFile).c_str());
    auto* individual = static_cast<CRecordNode*>(GetRecordTypeRoot(kIndividuals)->GetFirstChild());
    auto* family = static_cast<CRecordNode*>(GetRecordTypeRoot(kFamilies)->GetFirstChild());
    CObject* const selections[] = {nullptr, individual, family, individual->GetFirstChild()};
    Script().selection = selections[row.selected];
    Show<CDiagramPane>();

    EXPECT_EQ(m_app->GetSelectedRecord() != nullptr, row.record);
    // Both outputs start set, to see them cleared.
    CIndRec* indi = AsIndividual(individual);
    CFamRec* fam = AsFamily(family);
    EXPECT_EQ(m_app->GetSelectedIndividual(&indi, &fam), row.found ? 1 : 0);
    EXPECT_EQ(indi, row.found == 1 ? individual : nullptr);
    EXPECT_EQ(fam, row.found == 2 ? family : nullptr);
}

INSTANTIATE_TEST_SUITE_P(Selections, SelectionTest,
                         testing::Values(SelectionCase{"Nothing", 0, false, 0},
                                         SelectionCase{"Individual", 1, true, 1},
                                         SelectionCase{"Family", 2, true, 2},
                                         SelectionCase{"Field", 3, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowReuseTest, EachWindowShowsTheIconOfItsKindInBothSizesAndKeepsItAsItsReuseChanges)
{
    CAvView* diagram = Show<CDiagramPane>();
    CAvView* report = Show<CReportPane>();
    ASSERT_NE(diagram, nullptr);
    ASSERT_NE(report, nullptr);
    const auto icons = [](CAvView* view) {
        CFrameWnd* frame = view->GetParentFrame();
        std::vector<std::string> seen;
        for (const BOOL big : {TRUE, FALSE}) {
            const HICON icon = frame->GetIcon(big);
            seen.push_back(std::to_string(GetIconResourceId(icon)) + " " +
                           std::to_string(GetIconSize(icon)));
        }
        return seen;
    };
    EXPECT_THAT(icons(diagram), ElementsAre("159 32", "159 16"));
    EXPECT_THAT(icons(report), ElementsAre("205 32", "205 16"));
    ASSERT_TRUE(RunIn(diagram, ID_REUSE_WINDOW));
    EXPECT_FALSE(diagram->IsReusable());
    EXPECT_THAT(icons(diagram), ElementsAre("159 32", "159 16"));
}

TEST(ViewIconsTest, EveryWindowKindHasAPictureDrawnAtEachSize)
{
    test_support::UseCompiledResources();
    for (const UINT id :
         {IDI_DIAGRAM_VIEW, IDI_RECORDS_VIEW, IDI_MEDIA_VIEW, IDI_QUERY_VIEW, IDI_REPORT_VIEW}) {
        for (const int size : {16, 32}) {
            const HICON icon = LoadIconResource(id, size);
            ASSERT_NE(icon, nullptr) << id;
            const std::vector<COLORREF> pixels = GetIconPixels(icon);
            ASSERT_EQ(pixels.size(), std::size_t(size * size)) << id;
            // A picture with a clear background round it.
            const auto clear = std::count(pixels.begin(), pixels.end(), COLORREF(0xFFFFFFFF));
            EXPECT_GT(clear, 0) << id << " " << size;
            EXPECT_LT(clear, size * size * 3 / 4) << id << " " << size;
        }
    }
}

} // namespace
} // namespace app_test
