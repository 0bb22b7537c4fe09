// tests/merge/window/mrg_twin_list_test.cpp: the twin list's three panes: what the left pane says
// of each row, fields lined up when a row opens, the buttons a selection enables, and sorting
// all three panes together.
#include "merge_window_fixture.h"

#include "database/dictionary/field_ids.h"
#include "platform/ui/windows/sys_metrics.h"

using namespace merge_window_test;

namespace {

class TwinListTest : public MergeWindowTest {};

TEST_F(TwinListTest, TheLeftPaneSaysWhatTheMergeDoesWithEachRow)
{
    CMrgTwinListWnd& list = MakeList(kIndi);
    ASSERT_EQ(RowTexts(*m_engine, kIndi),
              (std::vector<std::string>{"I1 I1 88", "I2 - 0", "I3 I3 62", "- I2 0"}));
    // John and Tom take their new family link; Mary is kept alone; the new Mary is added.
    EXPECT_EQ(LeftTexts(list),
              (std::vector<std::string>{"* Merge *|Compatible|88|Y||Y||", "Keep|||Y||||",
                                        "* Merge *|Compatible|62|Y||Y||", "* Add *|||||Y||"}));
    // A row with only a new record shows a blank centre row.
    EXPECT_EQ(GridTags(list.GetGrid(true)),
              (std::vector<std::string>{"INDI", "INDI", "INDI", "-"}));
    EXPECT_EQ(GridTags(list.GetGrid(false)),
              (std::vector<std::string>{"INDI", "-", "INDI", "INDI"}));

    struct Case {
        const char* name;
        std::function<void()> act;
        int line;
        const char* text;
    };
    MergeSelection newMary;
    newMary.right.node = Incoming(kIndi, "I2");
    MergeSelection oldMary;
    oldMary.centre.node = Current(kIndi, "I2");
    MergeSelection johnsFamily;
    johnsFamily.right.node = Incoming(kIndi, "I1")->FindChild(nullptr, FIELD_FAMS);
    test_support::Prompt().SetAnswerDefaults(true);
    const Case cases[] = {
        {"new record discarded",
         [&] { RunMergeAction(*m_engine, MergeAction::Discard, kIndi, newMary); }, 3,
         "Discard||||||Y|"},
        {"current record discarded",
         [&] { RunMergeAction(*m_engine, MergeAction::Discard, kIndi, oldMary); }, 1,
         "* Delete *||||Y|||"},
        {"new field discarded",
         [&] { RunMergeAction(*m_engine, MergeAction::Discard, kIndi, johnsFamily); }, 0,
         "Null Merge|Conflicts|88|Y|||Y|"},
        {"checked", [&] { RunMergeAction(*m_engine, MergeAction::Check, kIndi, oldMary); }, 1,
         "* Delete *||||Y|||Y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.act();
        EXPECT_EQ(LeftTexts(list)[std::size_t(c.line)], c.text);
    }
    test_support::Prompt().SetAnswerDefaults(false);
    Shown();
}

TEST_F(TwinListTest, AnOpenedRowLinesUpItsFieldsInAllThreePanes)
{
    CMrgTwinListWnd& list = MakeList(kIndi);
    list.ExpandLine(0, true);
    // John's fields: the name, sex and birth paired; each family link faces a blank row.
    EXPECT_EQ(GridTags(list.GetGrid(true)),
              (std::vector<std::string>{"INDI", "  NAME", "  SEX", "  BIRT", "  FAMS", "  -",
                                        "INDI", "INDI", "-"}));
    EXPECT_EQ(GridTags(list.GetGrid(false)),
              (std::vector<std::string>{"INDI", "  NAME", "  SEX", "  BIRT", "  -", "  FAMS", "-",
                                        "INDI", "INDI"}));
    const std::vector<std::string> left = LeftTexts(list);
    ASSERT_EQ(left.size(), 9u);
    EXPECT_EQ(left[1], ">> Null Merge|Identical||||||");
    EXPECT_EQ(left[4], ">> Keep|||Y||||");
    EXPECT_EQ(left[5], ">> * Add *|||||Y||");

    // Opening the birth from the new side's grid opens it on the other side and in the list.
    CMrgLinkedGrid& right = list.GetGrid(false);
    CTreeBoxNode* birth = right.GetBox().GetFirstItem();
    for (int i = 0; birth && i < 3; ++i)
        birth = birth->m_nextRow;
    ASSERT_NE(birth, nullptr);
    right.GetBox().ExpandItem(birth, true, 1);
    EXPECT_EQ(GridTags(list.GetGrid(true))[4], "    DATE");
    EXPECT_EQ(GridTags(right)[4], "    DATE");
    EXPECT_EQ(list.VisibleLines().size(), 10u);

    // Closing John closes all three, and opening him again lines his fields up again.
    list.ExpandLine(0, false);
    EXPECT_EQ(list.VisibleLines().size(), 4u);
    EXPECT_EQ(GridTags(right).size(), 4u);
    list.ExpandLine(0, true);
    EXPECT_EQ(list.VisibleLines().size(), 9u);
    EXPECT_EQ(GridTags(list.GetGrid(true)).size(), 9u);
    EXPECT_EQ(GridTags(right)[5], "  FAMS");
    // Closing from a grid's own expander closes the other panes too.
    right.GetBox().ExpandItem(right.GetBox().GetFirstItem(), false, 1);
    EXPECT_EQ(list.VisibleLines().size(), 4u);
    EXPECT_EQ(GridTags(list.GetGrid(true)).size(), 4u);
}

TEST_F(TwinListTest, TheSelectionEnablesTheButtonsOfItsShape)
{
    using B = MergeButtonStates;
    const B none{};
    const B all{true, true, true, true, true, true, false};
    struct Case {
        const char* name;
        int type;
        std::function<void(CMrgTwinListWnd&)> select;
        B want;
    };
    const Case cases[] = {
        {"nothing", kIndi, [](CMrgTwinListWnd&) {}, none},
        {"a matched row", kIndi, [](CMrgTwinListWnd& l) { l.SelectLeftLine(0, false); },
         B{true, true, false, false, true, false, false}},
        {"a row of a new record", kIndi, [](CMrgTwinListWnd& l) { l.SelectLeftLine(3, false); },
         B{true, false, false, true, true, false, false}},
        {"two rows", kIndi,
         [](CMrgTwinListWnd& l) {
             l.SelectLeftLine(0, false);
             l.SelectLeftLine(1, true);
         },
         all},
        {"a paired record in the centre", kIndi,
         [](CMrgTwinListWnd& l) { l.SelectGridLine(0, true, false, false); },
         B{true, true, false, true, true, false, false}},
        {"an unpaired record on the right", kIndi,
         [](CMrgTwinListWnd& l) { l.SelectGridLine(3, false, false, false); },
         B{true, false, false, true, true, false, false}},
        {"centre and right with Ctrl", kIndi,
         [](CMrgTwinListWnd& l) {
             l.SelectGridLine(1, true, false, false);
             l.SelectGridLine(3, false, false, true);
         },
         all},
        {"a link's value", kIndi,
         [](CMrgTwinListWnd& l) {
             l.ExpandLine(0, true);
             l.SelectGridLine(4, true, true, false);
         },
         B{false, false, false, false, false, false, true}},
        {"a field's value", kIndi,
         [](CMrgTwinListWnd& l) {
             l.ExpandLine(0, true);
             l.SelectGridLine(1, true, true, false);
         },
         none},
        {"the headers", kHead, [](CMrgTwinListWnd& l) { l.SelectLeftLine(0, false); }, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMrgTwinListWnd& list = MakeList(c.type);
        c.select(list);
        EXPECT_EQ(list.GetButtonStates(), c.want);
    }
}

TEST_F(TwinListTest, ASelectionWithoutCtrlClearsTheOtherPanes)
{
    CMrgTwinListWnd& list = MakeList(kIndi);
    list.SelectGridLine(1, true, false, false);
    list.SelectGridLine(3, false, false, true);
    MergeSelection selection = list.GetSelection();
    EXPECT_EQ(selection.centre.node, Current(kIndi, "I2"));
    EXPECT_EQ(selection.right.node, Incoming(kIndi, "I2"));
    list.SelectLeftLine(2, false);
    selection = list.GetSelection();
    EXPECT_EQ(selection.centre.node, nullptr);
    EXPECT_EQ(selection.right.node, nullptr);
    ASSERT_EQ(selection.left.size(), 1u);
    EXPECT_EQ(selection.left.front().current, Current(kIndi, "I3"));
}

TEST_F(TwinListTest, SortingMovesTheRowsOfAllThreePanesTogether)
{
    CMrgTwinListWnd& list = MakeList(kIndi);
    MergeSelection tom;
    tom.centre.node = Current(kIndi, "I3");
    ASSERT_TRUE(RunMergeAction(*m_engine, MergeAction::Check, kIndi, tom));
    list.ExpandLine(0, true); // sorting closes what is open
    list.Resort(kColumnChecked);
    EXPECT_EQ(LeftTexts(list).front(), "* Merge *|Compatible|62|Y||Y||Y");
    EXPECT_EQ(list.GetSelection().left.size(), 0u);
    // The centre's records sort by name; the row without a current record goes last.
    list.Resort(-1, 0, true);
    const std::vector<std::string> centre = GridTags(list.GetGrid(true));
    EXPECT_EQ(centre.back(), "-");
    const std::vector<const CMrgTwinListWnd::Line*> lines = list.VisibleLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines.back()->incoming, Incoming(kIndi, "I2"));
    // Every pane holds its row in the same place.
    CTreeBoxNode* row = list.GetGrid(false).GetBox().GetFirstItem();
    for (const auto* line : lines) {
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(CTagGrid::NodeOf(row), line->incoming);
        row = row->m_nextSibling;
    }
    // By score, the best match first.
    list.Resort(kColumnScore);
    EXPECT_EQ(list.VisibleLines().front()->current, Current(kIndi, "I1"));
}

TEST_F(TwinListTest, TheValueColumnsTakeTheWidthAndACutTextShowsWhole)
{
    CMrgTwinListWnd& list = MakeList(kIndi);
    list.ExpandLine(0, true);
    for (const bool currentSide : {true, false}) {
        SCOPED_TRACE(currentSide);
        CMrgLinkedGrid& grid = list.GetGrid(currentSide);
        // Made small, the list then grows and shrinks with its dialog: the label column keeps
        // half, the value column takes the rest.
        for (const int width : {300, 600, 1260}) {
            SCOPED_TRACE(width);
            list.MoveWindow(0, 0, width, 500);
            CRect client;
            grid.GetClientRect(&client);
            const CColumnHeader& header = grid.GetHeader();
            const int usable = client.Width() - GetSystemMetrics(SM_CXVSCROLL);
            EXPECT_NEAR(header.GetColumnWidth(0), usable / 2, 1);
            EXPECT_EQ(header.GetColumnRight(1), usable);
        }
        // John's record line (his name) and his name field's value: whole when they fit, the
        // pointer's tooltip when cut short.
        const int rowHeight = grid.GetBox().GetMetrics()[TBM_ROW_HEIGHT];
        const CPoint label(20, rowHeight / 2);
        CTreeBoxNode* john = grid.GetBox().GetFirstItem();
        ASSERT_TRUE(john && john->m_nextRow);
        EXPECT_EQ(grid.CutTextAt(label), "");
        const int valueX = grid.GetHeader().GetColumnRight(0) + 5;
        EXPECT_EQ(grid.CutTextAt(CPoint(valueX, rowHeight + rowHeight / 2)), "");
        list.MoveWindow(0, 0, 270, 500);
        EXPECT_EQ(grid.CutTextAt(label), grid.GetRelationLabel(john));
        EXPECT_EQ(grid.CutTextAt(
                      CPoint(grid.GetHeader().GetColumnRight(0) + 5, rowHeight + rowHeight / 2)),
                  grid.GetValueText(john->m_nextRow));
        EXPECT_NE(grid.GetValueText(john->m_nextRow), "");
    }
}

TEST_F(TwinListTest, ShowingANodeOpensItsAncestors)
{
    CMrgTwinListWnd& list = MakeList(kIndi);
    const CDataNode* date =
        Current(kIndi, "I1")->FindChild(nullptr, FIELD_BIRT)->FindChild(nullptr, FIELD_DATE);
    ASSERT_TRUE(date);
    EXPECT_TRUE(list.ShowNode(date, true));
    const std::vector<std::string> tags = GridTags(list.GetGrid(true));
    const auto birth = std::find(tags.begin(), tags.end(), "  BIRT");
    ASSERT_NE(birth, tags.end());
    EXPECT_EQ(*(birth + 1), "    DATE");
    EXPECT_EQ(tags.size(), GridTags(list.GetGrid(false)).size()) << "the panes stay aligned";
    EXPECT_EQ(list.VisibleLines().size(), tags.size());
    EXPECT_FALSE(list.ShowNode(Current(kIndi, "I1"), false)) << "no line of it on that side";
}

} // namespace
