// tests/queries/window/qry_result_grid_test.cpp: the query result grid over the test family:
// filling from a run, cells and widths, the stable sort with missing fields first, the delete
// rules and messages, the records handed to the window's commands, change notices, and saving the
// result set.
#include "database/dictionary/field_ids.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/file_dialog.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/window/qry_result_grid.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/queries/query_test_family.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr const char* kPeople = "[Ardenvel Query]\nTYPE=INDI\n"
                                "FILTER=GEN,ADD,UNLESS,N,\"\",\"INDI.NAME\",,\"null\"\n";

/// Passes change notices to the grid, as the query window does.
class GridObserver final : public IDataObserver {
public:
    explicit GridObserver(CQryResultGrid& grid) : m_grid(grid) {}
    void OnDataChanged(CObject*, LPARAM hint, CObject*, bool) override
    {
        m_grid.OnDataChanged(long(hint));
    }

private:
    CQryResultGrid& m_grid;
};

class QryResultGridTest : public CQueryFamilyTest {
protected:
    void SetUp() override
    {
        CQueryFamilyTest::SetUp();
        controls_test::UseCompiledResources();
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 620, 400),
                                  nullptr, 0));
        ASSERT_TRUE(grid.Create(WS_VISIBLE, CRect(0, 0, 600, 380), &host, 170));
        grid.SetQuerySource([this] { return query.get(); });
        SetDataObserver(&observer);
    }
    void TearDown() override
    {
        SetDataObserver(nullptr);
        grid.DestroyWindow();
        host.DestroyWindow();
        query.reset();
        CQueryFamilyTest::TearDown();
    }
    /// Loads the people query with the columns and fills the grid from its run.
    void Show(const std::string& columns)
    {
        query = LoadText(std::string(kPeople) + columns);
        ASSERT_TRUE(query);
        ASSERT_TRUE(EvaluateQuery(*query));
        grid.Fill(*query);
    }
    /// The grid's column as text, a cell per row, separated by "|".
    std::string Column(int column)
    {
        std::string text;
        for (int row = 0; row < grid.GetRowCount(); ++row)
            text += (row ? "|" : "") + grid.GetCellString(row, column);
        return text;
    }
    std::string RowIds()
    {
        std::vector<CRecordNode*> records;
        for (int row = 0; row < grid.GetRowCount(); ++row)
            records.push_back(grid.GetRowRecord(row));
        return Ids(records);
    }
    void Select(int top, int left, int bottom, int right)
    {
        grid.SetGridSelection(top, left, false, false);
        grid.SetGridSelection(bottom, right, true, false);
    }

    CWnd host;
    CQryResultGrid grid;
    GridObserver observer{grid};
    std::shared_ptr<CQueryDef> query;
};

TEST_F(QryResultGridTest, FillShowsVisibleColumnsWithWidthsInQuarterCharacters)
{
    Show("TAG=\"Name\",\"INDI.NAME\",,,80\nTAG=\"Secret\",\"INDI.SEX\",HIDDEN,,80\n"
         "TAG=\"Born\",\"INDI.BIRT.DATE:YEAR\",,,40\nTAG=\"Father\",\"INDI.~FATH>\",,,2000000\n");
    ASSERT_EQ(grid.GetColumnCount(), 3);
    std::string title;
    grid.GetGridColumn(1, nullptr, &title);
    EXPECT_EQ(title, "Born");
    const int average = grid.GetAverageCharWidth();
    EXPECT_EQ(grid.GetGridColumnWidth(0), 80 * average / 4);
    EXPECT_EQ(grid.GetGridColumnWidth(1), 40 * average / 4);
    EXPECT_EQ(RowIds(), "I1 I2 I3 I4 I5 I6 I7");
    EXPECT_EQ(Column(1), "1900|1902|1925||||1880");
    EXPECT_EQ(grid.GetCellString(2, 2), grid.GetCellString(3, 2));
    EXPECT_TRUE(grid.IsFilled());

    // Another query's columns replace these; a copy of each column is freed with it.
    query = LoadText(std::string(kPeople) + "TAG=\"Sex\",\"INDI.SEX\",,,80\n", "other");
    grid.SyncColumns(*query);
    EXPECT_EQ(grid.GetColumnCount(), 1);
    grid.GetGridColumn(0, nullptr, &title);
    EXPECT_EQ(title, "Sex");
}

TEST_F(QryResultGridTest, SortingIsStableAscendingWithMissingFieldsFirstAndMarksTheGrid)
{
    Show("TAG=\"Born\",\"INDI.BIRT.DATE\",,,80\nTAG=\"Name\",\"INDI.NAME\",,,80\n"
         "TAG=\"Children\",\"=ChildCount()\",,,80\nTAG=\"Called\",\"=Name()\",,,80\n");
    grid.SortByColumn(grid.GetColumnDef(0));
    EXPECT_EQ(RowIds(), "I4 I5 I6 I7 I1 I2 I3");
    EXPECT_TRUE(grid.IsResorted());
    grid.SortByColumn(grid.GetColumnDef(0));
    EXPECT_EQ(RowIds(), "I4 I5 I6 I7 I1 I2 I3");
    // Equal counts keep the order the previous sort by name gave them.
    grid.SortByColumn(grid.GetColumnDef(1));
    EXPECT_EQ(RowIds(), "I5 I7 I2 I4 I1 I3 I6");
    grid.SortByColumn(grid.GetColumnDef(2));
    EXPECT_EQ(RowIds(), "I7 I4 I6 I5 I3 I2 I1");
    grid.SortByColumn(grid.GetColumnDef(3));
    EXPECT_EQ(Column(3),
              "Anne SMITH|Carl GREEN|John SMITH|Mary JONES|Peter SMITH|Sue BROWN|Tom SMITH");
}

TEST_F(QryResultGridTest, IndividualsSortByNameThenDateThenNumberAsTheirOwnComparisonDoes)
{
    // Two more of Tom's name: born 1990 (I8) and without a date (I9).
    CIndRec* late = NewIndividual(SEX_MALE, "Tom /Smith/");
    SetField(late->CreateChildByTag("BIRT"), "DATE", "1990");
    NewIndividual(SEX_MALE, "Tom /Smith/");
    Show("TAG=\"Person\",\"INDI\",,,80\nTAG=\"Father\",\"INDI.~FATH>\",,,80\n");
    grid.SortByColumn(grid.GetColumnDef(0));
    EXPECT_EQ(RowIds(), "I5 I7 I2 I4 I1 I3 I8 I6 I9");
    for (int row = 1; row < grid.GetRowCount(); ++row)
        EXPECT_LE(grid.GetRowRecord(row - 1)->Compare(grid.GetRowRecord(row), 0), 0) << row;
    // Those without a father first, in the order they had; then by their father.
    grid.SortByColumn(grid.GetColumnDef(1));
    EXPECT_EQ(RowIds(), "I5 I7 I2 I1 I8 I9 I4 I3 I6");
}

TEST_F(QryResultGridTest, ManyEqualCellsKeepTheOrderOfThePreviousSortInEveryKindOfColumn)
{
    // Sixty of one name, born in 1900, in 1850 or not at all in turn, without a father or
    // children: far more equal keys than a sort leaves to insertion, in a field column, an
    // individual column, a text expression and another expression. Each sort starts from the
    // order the one before left, so that ties that kept file order would not be enough.
    for (int i = 0; i < 60; ++i) {
        CIndRec* person = NewIndividual(SEX_MALE, "Ned /Doe/");
        if (i % 3 != 2)
            SetField(person->CreateChildByTag("BIRT"), "DATE", i % 3 == 0 ? "1900" : "1850");
    }
    Show("TAG=\"Born\",\"INDI.BIRT.DATE\",,,80\nTAG=\"Father\",\"INDI.~FATH>\",,,80\n"
         "TAG=\"Called\",\"=Name()\",,,80\nTAG=\"Children\",\"=ChildCount()\",,,80\n");
    for (const int column : {0, 2, 1, 3, 0, 2}) {
        std::map<const CRecordNode*, int> before;
        for (int row = 0; row < grid.GetRowCount(); ++row)
            before[grid.GetRowRecord(row)] = row;
        grid.SortByColumn(grid.GetColumnDef(column));
        int ties = 0;
        for (int row = 1; row < grid.GetRowCount(); ++row) {
            if (grid.GetCellString(row - 1, column) != grid.GetCellString(row, column))
                continue;
            ++ties;
            EXPECT_LT(before[grid.GetRowRecord(row - 1)], before[grid.GetRowRecord(row)])
                << "column " << column << ", row " << row;
        }
        EXPECT_GE(ties, 19) << column;
    }
}

TEST_F(QryResultGridTest, DeletesAreRefusedWithTheirMessagesUnlessOneFieldColumnIsSelected)
{
    Show("TAG=\"Name\",\"INDI.NAME\",,,80\nTAG=\"Upper\",\"=Name()\",,,80\n");
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::AnswerMessageBox(IDOK);
    Select(0, 0, 1, 1);
    grid.DeleteSelectedCells();
    Select(0, 1, 1, 1);
    grid.DeleteSelectedCells();
    EXPECT_EQ(test_support::TextsOf(TestHooks::TakeMessages()),
              (std::vector<std::string>{
                  "Invalid deletion - ignored.\r\n\r\nYou can delete as many cells as you like "
                  "at a time, but all the selected cells must belong to the same column.",
                  "Only cells which represent actual fields can be deleted.  The selected cells "
                  "display the results of function calls.  These cells cannot be deleted."}));

    // Fields: the warning, then the names go and the rows stay.
    Select(0, 0, 1, 0);
    TestHooks::AnswerMessageBox(IDCANCEL);
    grid.DeleteSelectedCells();
    EXPECT_EQ(Column(0).substr(0, 11), "John SMITH|");
    TestHooks::AnswerMessageBox(IDOK);
    grid.DeleteSelectedCells();
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text.substr(0, 45), "The cell(s) you have selected represent field");
    EXPECT_EQ(Rec("John")->FindChild(nullptr, FIELD_NAME), nullptr);
    EXPECT_NE(Rec("Peter")->FindChild(nullptr, FIELD_NAME), nullptr);
}

TEST_F(QryResultGridTest, ARecordReachedThroughTwoRowsIsDeletedAndCountedOnce)
{
    Show("TAG=\"Father\",\"INDI.~FATH>\",,,80\n");
    // Peter and Anne share John as their father.
    Select(2, 0, 3, 0);
    TestHooks::AnswerMessageBox(IDOK);
    grid.DeleteSelectedCells();
    auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find("1 record (record type 'Individual') will be deleted"),
              std::string::npos)
        << shown[0].text;
    EXPECT_EQ(grid.GetRowCount(), 6);
    EXPECT_EQ(GetRecordTypeRoot(0)->CountChildren(), 6u);

    TestHooks::AnswerMessageBox(IDOK);
    Select(0, 0, 0, 0); // John's row is gone; Mary's father is unknown
    grid.DeleteSelectedCells();
    EXPECT_EQ(
        test_support::TextsOf(TestHooks::TakeMessages()),
        std::vector<std::string>{"No records found in the selected cells.  Nothing to delete."});
}

TEST_F(QryResultGridTest, DeletedRecordsLeaveTheGridWhenTheNoticeArrives)
{
    Show("TAG=\"Name\",\"INDI.NAME\",,,80\n");
    Select(6, 0, 6, 0);
    CDataNode* carl = Rec("Carl");
    carl->GetParent()->DeleteChild(carl);
    NotifyChanges();
    EXPECT_EQ(RowIds(), "I1 I2 I3 I4 I5 I6");
    EXPECT_EQ(grid.GetSelection().top, 5);
    grid.OnDataChanged(kHintDataSetClearing);
    EXPECT_EQ(grid.GetRowCount(), 0);
}

TEST_F(QryResultGridTest, TheWindowsCommandsGetTheSelectedRecords)
{
    Show("TAG=\"Name\",\"INDI.NAME\",,,80\nTAG=\"Father\",\"INDI.~FATH>\",,,80\n"
         "TAG=\"Upper\",\"=Name()\",,,80\n");
    const auto walk = [this] {
        std::vector<CRecordNode*> records;
        int position = 0;
        do {
            if (CRecordNode* record = grid.GetNextSelectedRecord(position))
                records.push_back(record);
        } while (position != 0);
        return Ids(records);
    };
    Select(1, 0, 3, 1); // several columns: each row's own record
    EXPECT_EQ(walk(), "I2 I3 I4");
    Select(1, 1, 5, 1); // a link column: the targets; rows without a father are passed over
    EXPECT_EQ(walk(), "I1 I1 I3");
    Select(0, 0, 3, 0); // a field that is no record ends the walk
    EXPECT_EQ(walk(), "");
    Select(0, 2, 6, 2); // an expression column yields nothing
    EXPECT_EQ(walk(), "");
    Select(2, 1, 2, 1);
    bool several = true;
    EXPECT_EQ(grid.GetSelectedCell(nullptr, &several), Rec("John"));
    EXPECT_FALSE(several);
}

TEST_F(QryResultGridTest, AResizedColumnReachesTheQueryButAStandardFileIsNeverRewritten)
{
    const std::string text =
        std::string(kPeople) + "TAG=\"Name\",\"INDI.NAME\",,,80\nTAG=\"Sex\",\"INDI.SEX\",,,80\n";
    test_support::WriteFile(m_folder + "/Standard/std.avq", text);
    std::string error;
    query = FindOrLoadQuery("std", false, error);
    ASSERT_TRUE(query) << error;
    ASSERT_TRUE(EvaluateQuery(*query));
    grid.Fill(*query);
    CColumnHeader& header = grid.GetHeader();
    const int edge = header.GetColumnRight(1);
    const int dragTo = edge + 4 * grid.GetAverageCharWidth();
    TestHooks::PostMouse(header, TestHooks::MouseEvent::LeftDown, CPoint(edge, 5), MK_LBUTTON);
    TestHooks::PostMouse(header, TestHooks::MouseEvent::Move, CPoint(dragTo, 5), MK_LBUTTON);
    TestHooks::PostMouse(header, TestHooks::MouseEvent::LeftUp, CPoint(dragTo, 5), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(query->GetColumn(1, true)->m_width, 96);
    EXPECT_EQ(test_support::ReadFile(m_folder + "/Standard/std.avq"), text);
    EXPECT_TRUE(query->IsDirty());
}

TEST_F(QryResultGridTest, SavingAfterASortAsksWhetherToRunAgainAndWritesTheGridsOrder)
{
    Show("TAG=\"Name\",\"INDI.NAME\",,,80\nTAG=\"Born\",\"INDI.BIRT.DATE:YEAR\",,,80\n");
    grid.SortByColumn(grid.GetColumnDef(1));
    const std::string path = test_support::NewFolder("saved") + "/people.txt";
    TestHooks::AnswerMessageBox(IDCANCEL);
    grid.SaveResultSet();
    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::AnswerFilePicker({path});
    grid.SaveResultSet();
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text.substr(0, 40), "The result set has been re-sorted in the");
    const std::string saved = test_support::ReadFile(path);
    EXPECT_EQ(saved.substr(0, 11), "Name\tBorn\r\n");
    EXPECT_NE(saved.find("Tom SMITH\t\r\nCarl GREEN\t1880\r\nJohn SMITH\t1900\r\n"),
              std::string::npos)
        << saved;

    // The panel below the picker sets the comma and leaves the headings out.
    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::AnswerMessageBox(IDYES); // replace the file saved above
    TestHooks::AnswerFilePicker({path}, [](CFileDialog& picker) {
        ASSERT_NE(picker.GetPanel(), nullptr);
        EXPECT_TRUE(picker.GetPanel()->IsDlgButtonChecked(1303));
        EXPECT_TRUE(picker.GetPanel()->IsDlgButtonChecked(1304));
        TestHooks::Click(*picker.GetPanel(), 1303);
        TestHooks::Click(*picker.GetPanel(), 1305);
    });
    grid.SaveResultSet();
    TestHooks::TakeMessages();
    EXPECT_EQ(test_support::ReadFile(path).substr(0, 14), "Anne SMITH,\r\nS");

    query.reset();
    TestHooks::AnswerMessageBox(IDOK);
    grid.SaveResultSet();
    EXPECT_EQ(test_support::TextsOf(TestHooks::TakeMessages()),
              std::vector<std::string>{"No query - nothing to save to file."});
}

} // namespace
