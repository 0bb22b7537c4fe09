// tests/records/window/records_window_test.cpp: the records window: its tabs by display choice, the
// change notices, showing records of hidden types, the named-lists pane and the command routing.
#include "database/nodes/change_hint.h"
#include "tests/records/window/records_window_fixture.h"

#include "records/window/records_window_ids.h"

#include "controls/grid_find_bar.h"
#include "database/dictionary/field_ids.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/cmd_ui.h"
#include "queries/named_list.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace records_window_test {
namespace {

using testing::ElementsAre;

TEST_F(RecordsWindowTest, RendersItsTabsAndTheIndividualsList)
{
    NewIndividual(SEX_MALE, "John /Smith/");
    NewIndividual(SEX_FEMALE, "Mary /Jones/");
    NotifyChanges();
    MakeWindow();

    EXPECT_THAT(Tabs(), ElementsAre("Individuals", "Notes", "Sources"));
    EXPECT_THAT(TopRows(kIndi), ElementsAre("JONES, Mary", "SMITH, John"));
    TestHooks::RenderWindow(m_host).SavePng("records_window.png");
}

using testing::IsEmpty;

/// Runs a command of the window as a menu choice does: false when its update leaves it off.
bool RunCommand(CSubViewRec& window, UINT id)
{
    CCmdUI state;
    state.m_nID = id;
    state.DoUpdate(&window, TRUE);
    if (!state.IsEnabled())
        return false;
    return window.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr) != FALSE;
}

class RecordsWindowDataTest : public RecordsWindowTest {
protected:
    void SetUp() override
    {
        RecordsWindowTest::SetUp();
        m_john = NewIndividual(SEX_MALE, "John /Smith/");
        m_mary = NewIndividual(SEX_FEMALE, "Mary /Jones/");
        m_family = Marry(m_john, m_mary);
        m_note = NewRecord(kNote);
        m_note->SetText("Smith family papers");
        m_source = NewRecord(kSour);
        SetField(m_source, "TITL", "Parish of Smithfield");
        NotifyChanges();
    }

    RecordSearch Search(std::string_view text, int listIndex, SearchType type = kSearchNameOrTitle)
    {
        RecordSearch search;
        search.m_words = SplitSearchWords(text);
        search.m_allTypes = listIndex == -1;
        search.m_listIndex = listIndex;
        search.m_searchType = type;
        return search;
    }

    CIndRec* m_john = nullptr;
    CIndRec* m_mary = nullptr;
    CFamRec* m_family = nullptr;
    CRecordNode* m_note = nullptr;
    CRecordNode* m_source = nullptr;
};

TEST_F(RecordsWindowDataTest, DisplayChoicesDecideTheTabsAndAChangeRebuildsThem)
{
    NewRecord(kRepo);
    NotifyChanges();
    MakeWindow();
    // Families, multimedia and the header are hidden; repositories show once the file has one.
    EXPECT_THAT(Tabs(), ElementsAre("Individuals", "Notes", "Sources", "Repositories"));
    EXPECT_THAT(TopRows(kFam), IsEmpty());

    RecWndOptions().m_displayChoice[kFam] = 0;
    RecWndOptions().m_displayChoice[kNote] = 2;
    m_window->OnUpdate(nullptr, kHintDisplayOptionsApplied, nullptr);

    EXPECT_THAT(Tabs(), ElementsAre("Individuals", "Families", "Sources", "Repositories"));
    EXPECT_THAT(TopRows(kFam), testing::SizeIs(1));
    EXPECT_THAT(TopRows(kNote), IsEmpty()) << "a list without a tab is emptied";

    m_window->OnUpdate(nullptr, kHintDataSetClearing, nullptr);
    EXPECT_THAT(TopRows(kIndi), IsEmpty());
}

TEST_F(RecordsWindowDataTest, AnotherFileEmptiesTheFindBarsWithoutASearch)
{
    MakeWindow();
    CGridFindBar* bar = Lists().GetGrid(kIndi)->GetFindBar();
    ASSERT_NE(bar, nullptr);
    const auto text = [&](int id) {
        std::string typed;
        bar->GetEdit(id)->GetWindowText(typed);
        return typed;
    };
    bar->GetEdit(CTreeGrid::kFindTextId)->SetWindowText("smi");
    bar->GetEdit(CTreeGrid::kFindIdId)->SetWindowText("2");
    EXPECT_EQ(CaretRow(), "JONES, Mary") << "record 2";

    // The data set goes: what was typed to find in it goes too, and nothing is searched.
    m_window->OnUpdate(nullptr, kHintDataSetClearing, nullptr);
    for (const int id : {CTreeGrid::kFindTextId, CTreeGrid::kFindIdId, CTreeGrid::kFindText2Id})
        EXPECT_EQ(text(id), "") << id;
    m_window->OnUpdate(nullptr, kHintFileLoaded, nullptr);
    EXPECT_EQ(CaretRow(), "JONES, Mary") << "a fresh list starts at its first row";
    EXPECT_FALSE(Lists().GetGrid(kIndi)->GetBox().GetFocusItem()->m_selected);

    // Typing again searches again.
    bar->GetEdit(CTreeGrid::kFindTextId)->SetWindowText("smi");
    EXPECT_EQ(CaretRow(), "SMITH, John");
}

TEST_F(RecordsWindowDataTest, ARecordOfAHiddenTypeIsShownOnlyAfterTheQuestion)
{
    MakeWindow();
    const auto tabsBefore = Tabs();

    TestHooks::AnswerMessageBox(IDCANCEL);
    m_window->ShowRecord(m_family, true);
    EXPECT_THAT(MessageTexts(),
                ElementsAre("Records of this type are not currently being displayed.  The Records "
                            "Window display options will be changed to make them visible (you can "
                            "alway hide them again later if you wish to)."));
    EXPECT_EQ(Tabs(), tabsBefore);
    EXPECT_EQ(RecWndOptions().m_displayChoice[kFam], 2);

    TestHooks::AnswerMessageBox(IDOK);
    m_window->ShowRecord(m_family, true);
    MessageTexts();
    EXPECT_THAT(Tabs(), ElementsAre("Individuals", "Families", "Notes", "Sources"));
    EXPECT_EQ(RecWndOptions().m_displayChoice[kFam], 0);
    EXPECT_EQ(Lists().GetActiveIndex(), kFam);
    EXPECT_EQ(m_window->GetSelection(nullptr, nullptr), m_family);

    // A type shown once the file has such records gets its tab without a question.
    CRecordNode* repository = NewRecord(kRepo);
    NotifyChanges();
    m_window->ShowRecord(repository, false);
    EXPECT_THAT(MessageTexts(), IsEmpty());
    EXPECT_EQ(Lists().GetActiveIndex(), kRepo);
}

TEST_F(RecordsWindowDataTest, ATypeShownOnRequestIsShownForTheSessionOnly)
{
    CWinApp app{"ArdenvelSessionTypeTest"};
    CAppProfile& profile = app.GetProfile();
    profile.WriteProfileString(kRecWndOptionsSection, nullptr, nullptr);
    const auto stored = [&](const char* type) {
        return int(profile.GetProfileInt(kRecWndOptionsSection, type, -1));
    };
    MakeWindow();

    // Go To a record of a hidden type, a search that finds one, and the type's command.
    TestHooks::AnswerMessageBox(IDOK);
    m_window->ShowRecord(m_family, true);
    CRecordNode* object = NewRecord(kObje);
    SetField(object, "TITL", "Smith wedding");
    NotifyChanges();
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_TRUE(Lists().ShowFoundRecord(Search("wedding", -1)));
    Lists().SelectTab(kHead, false);
    MessageTexts();

    EXPECT_THAT(Tabs(), ElementsAre("Individuals", "Families", "Notes", "Sources", "Multimedia",
                                    "Headers"));
    for (const char* type : {"Families", "Multimedia", "Headers"})
        EXPECT_EQ(stored(type), -1) << type << ": the profile keeps the user's own choice";
    profile.WriteProfileString(kRecWndOptionsSection, nullptr, nullptr);
}

TEST_F(RecordsWindowDataTest, NamedListsChangedReachesOnlyTheShownPane)
{
    MakeWindow();
    ASSERT_NE(m_pane, nullptr);
    m_window->OnUpdate(nullptr, kHintNamedListsChanged, nullptr);
    EXPECT_THAT(m_pane->log, ElementsAre("Create 88")) << "a hidden pane is not told";

    ASSERT_TRUE(RunCommand(*m_window, ID_NAMED_LISTS_PANE));
    m_pane->log.clear();
    const auto rowsBefore = TopRows(kIndi);
    for (const LPARAM hint : {kHintNamedListsChanged, kHintRecordsEdited})
        m_window->OnUpdate(nullptr, hint, nullptr);
    EXPECT_THAT(m_pane->log, ElementsAre("OnDataChanged 9", "OnDataChanged 1"));
    EXPECT_EQ(TopRows(kIndi), rowsBefore);

    ASSERT_TRUE(RunCommand(*m_window, ID_NAMED_LISTS_PANE));
    EXPECT_FALSE(m_window->IsPaneVisible());
    EXPECT_EQ(m_pane->log.back(), "Empty");
}

TEST_F(RecordsWindowDataTest, ClearingTheDataSetResetsTheListsThePaneAndTheActivePart)
{
    MakeWindow();
    ASSERT_NE(m_pane, nullptr);
    ASSERT_TRUE(RunCommand(*m_window, ID_NAMED_LISTS_PANE));
    m_window->OnNamedListsPaneFocus();
    ASSERT_FALSE(m_window->AreListsActive());
    m_pane->log.clear();

    m_window->OnUpdate(nullptr, kHintDataSetClearing, nullptr);
    EXPECT_THAT(TopRows(kIndi), IsEmpty());
    EXPECT_TRUE(m_window->AreListsActive()) << "the record lists take the commands again";
    EXPECT_THAT(m_pane->log, testing::Contains("Empty"));
}

TEST_F(RecordsWindowDataTest, EveryTabStaysReachableBesideTheNamedListsPane)
{
    for (int& choice : RecWndOptions().m_displayChoice)
        choice = 0;
    MakeWindow();
    m_window->MoveWindow(0, 0, 600, 500);
    ASSERT_TRUE(RunCommand(*m_window, ID_NAMED_LISTS_PANE));
    CTabCtrl& tabs = Lists().GetTabCtrl();
    ASSERT_EQ(tabs.GetItemCount(), 9);
    CRect control, row;
    tabs.GetWindowRect(&control);
    m_host.ScreenToClient(&control);
    ASSERT_LT(control.Width(), control.Height()) << "the lists stand narrower than high";
    for (const int listIndex : {0, 8, 4}) {
        SCOPED_TRACE(listIndex);
        Lists().SelectTab(listIndex, false);
        const int tab = Lists().FindTab(listIndex);
        tabs.GetItemRect(tab, &row);
        EXPECT_GE(row.left, 0);
        EXPECT_LE(row.right, control.Width() - row.Height()) << "under the scroll arrows";
        // The row of tabs shows their names.
        const TestHooks::Image image = TestHooks::RenderWindow(m_host);
        int ink = 0;
        for (int y = control.top + row.top; y < control.top + row.bottom; ++y)
            for (int x = control.left + row.left; x < control.left + row.right; ++x)
                ink += GetRValue(image.Pixel(x, y)) < 0x60;
        EXPECT_GT(ink, 20);
    }
}

TEST_F(RecordsWindowDataTest, TheNamedListsPaneTakesAThirdAndLeavesTheValuesColumnInView)
{
    // Made at its size, or made without one and sized afterwards as the program's view is.
    for (const bool sizedLater : {false, true}) {
        SCOPED_TRACE(sizedLater ? "sized later" : "made at its size");
        MakeWindow(sizedLater ? CRect() : CRect(0, 0, 900, 500));
        if (sizedLater)
            m_window->MoveWindow(0, 0, 900, 500);
        ASSERT_TRUE(RunCommand(*m_window, ID_NAMED_LISTS_PANE));

        CRect lists, grid;
        Lists().GetWindowRect(&lists);
        EXPECT_NEAR(lists.Width(), 600, 10) << "two thirds for the record lists";
        CTagGrid& individuals = *Lists().GetGrid(kIndi);
        individuals.GetClientRect(&grid);
        const CColumnHeader& header = individuals.GetHeader();
        EXPECT_LE(header.GetColumnRight(1), grid.Width()) << "the Values column in view";
        EXPECT_NEAR(header.GetColumnWidth(0), header.GetColumnWidth(1), 1);
        m_window.reset();
    }
}

TEST_F(RecordsWindowDataTest, DeleteWithThePaneActiveRemovesListItemsAndNoRecord)
{
    MakeWindow();
    ASSERT_TRUE(RunCommand(*m_window, ID_NAMED_LISTS_PANE));
    m_pane->TakeFocus();
    ASSERT_FALSE(m_window->AreListsActive());
    m_pane->log.clear();

    ASSERT_TRUE(RunCommand(*m_window, ID_REC_DELETE));

    EXPECT_THAT(m_pane->log, ElementsAre("RemoveSelectedItems"));
    EXPECT_THAT(TopRows(kIndi), ElementsAre("JONES, Mary", "SMITH, John"));
    m_pane->canRemove = false;
    EXPECT_FALSE(RunCommand(*m_window, ID_REC_DELETE)) << "the pane's own test enables Delete";
}

TEST_F(RecordsWindowDataTest, MovesGoToThePaneWhileItIsActiveAndItsOwnTestEnablesThem)
{
    MakeWindow();
    ASSERT_TRUE(RunCommand(*m_window, ID_NAMED_LISTS_PANE));
    m_pane->TakeFocus();
    m_pane->log.clear();
    const auto rowsBefore = TopRows(kIndi);

    EXPECT_TRUE(RunCommand(*m_window, ID_REC_MOVE_UP));
    EXPECT_FALSE(RunCommand(*m_window, ID_REC_MOVE_DOWN)) << "the pane's own test refuses";
    m_pane->canMoveDown = true;
    EXPECT_TRUE(RunCommand(*m_window, ID_REC_MOVE_DOWN));
    m_pane->canMoveUp = false;
    EXPECT_FALSE(RunCommand(*m_window, ID_REC_MOVE_UP));

    EXPECT_THAT(m_pane->log, ElementsAre("MoveUp", "MoveDown"));
    EXPECT_EQ(TopRows(kIndi), rowsBefore);
}

TEST_F(RecordsWindowDataTest, ListCommandsNeedAShownPaneWithAListSelected)
{
    MakeWindow();
    CNamedList list("Smiths");
    EXPECT_FALSE(RunCommand(*m_window, ID_NEW_NAMED_LIST));
    ASSERT_TRUE(RunCommand(*m_window, ID_NAMED_LISTS_PANE));
    EXPECT_TRUE(RunCommand(*m_window, ID_NEW_NAMED_LIST));
    for (UINT id : {ID_DELETE_NAMED_LIST, ID_NAMED_LIST_PROPERTIES, ID_EMPTY_NAMED_LIST,
                    ID_MAKE_LIST_ORDER_DEFAULT, ID_DELETE_LIST_RECORDS})
        EXPECT_FALSE(RunCommand(*m_window, id)) << id;

    m_pane->selected = &list;
    EXPECT_FALSE(RunCommand(*m_window, ID_EMPTY_NAMED_LIST)) << "an empty list";
    for (int i = 0; i < 3; ++i)
        TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(RunCommand(*m_window, ID_MAKE_LIST_ORDER_DEFAULT));
    AddToNamedList(&list, m_john, false, true);
    AddToNamedList(&list, m_john, false, false);
    ASSERT_TRUE(RunCommand(*m_window, ID_MAKE_LIST_ORDER_DEFAULT));
    m_pane->saveOrderResult = false;
    ASSERT_TRUE(RunCommand(*m_window, ID_MAKE_LIST_ORDER_DEFAULT));
    TestHooks::AnswerMessageBox(IDCANCEL);
    ASSERT_TRUE(RunCommand(*m_window, ID_EMPTY_NAMED_LIST));
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(RunCommand(*m_window, ID_EMPTY_NAMED_LIST));

    const std::string empty = "Are you sure you want to remove all records from list "
                              "\"Smiths\"?\n\nNote: when you remove an item from a list the "
                              "removed records are not deleted.";
    EXPECT_THAT(MessageTexts(),
                ElementsAre("List is empty",
                            "The current order of items in list \"Smiths\" has been saved, and "
                            "will be used as the default order for this list - e.g. in List "
                            "Reports",
                            "Cannot save list order", empty, empty));
    EXPECT_EQ(std::count(m_pane->log.begin(), m_pane->log.end(), "EmptyNamedList"), 1);

    // Deleting every record of the list happens only after the pane's confirmation.
    ASSERT_TRUE(RunCommand(*m_window, ID_DELETE_LIST_RECORDS));
    EXPECT_FALSE(m_john->IsPendingDeletion());
    m_pane->confirmDelete = true;
    ASSERT_TRUE(RunCommand(*m_window, ID_DELETE_LIST_RECORDS));
    EXPECT_THAT(TopRows(kIndi), ElementsAre("JONES, Mary"));
}

TEST_F(RecordsWindowDataTest, AddToTheSelectedListComesFromTheRecordLists)
{
    MakeWindow();
    CNamedList list("Smiths");
    ASSERT_TRUE(RunCommand(*m_window, ID_NAMED_LISTS_PANE));
    m_pane->selected = &list;
    Lists().SelectTab(kIndi, true);
    EXPECT_TRUE(RunCommand(*m_window, ID_ADD_TO_SELECTED_LIST));
    m_pane->TakeFocus();
    EXPECT_FALSE(RunCommand(*m_window, ID_ADD_TO_SELECTED_LIST));
    m_pane->wantsAdd = true;
    EXPECT_TRUE(RunCommand(*m_window, ID_ADD_TO_SELECTED_LIST));
    EXPECT_EQ(std::count(m_pane->log.begin(), m_pane->log.end(), "AddSelectionToNamedList"), 2);
}

TEST_F(RecordsWindowDataTest, EverySelectedRowGivesItsRecordToAddToNamedList)
{
    MakeWindow();
    Lists().SelectTab(kIndi, true);
    CTagGrid* grid = Lists().GetGrid(kIndi);
    CTreeBox& box = grid->GetBox();
    for (CTreeBoxNode* row = box.GetFirstItem(); row; row = row->m_nextSibling)
        box.SetItemSelected(row, true, false);
    std::vector<CRecordNode*> records;
    m_window->GetSelectedRecords(records);
    EXPECT_THAT(records, ElementsAre(m_mary, m_john)); // in row order

    // A link row selected as a link gives the record it points to.
    CTreeBoxNode* john = grid->FindRowByRecord(m_john);
    grid->OnNodeExpand(john);
    for (CTreeBoxNode* row = john->m_firstChild; row; row = row->m_nextSibling)
        if (grid->GetRelationLabel(row) == "Spouse family")
            grid->SelectRow(row, true, true);
    m_window->GetSelectedRecords(records);
    EXPECT_THAT(records, ElementsAre(m_family));

    // With the named-lists pane active, every record selected there.
    ASSERT_TRUE(RunCommand(*m_window, ID_NAMED_LISTS_PANE));
    m_pane->selectedRecords = {m_note, m_source};
    m_pane->TakeFocus();
    m_window->GetSelectedRecords(records);
    EXPECT_THAT(records, ElementsAre(m_note, m_source));
}

TEST(RecordSearchWords, SplitAtWhiteSpaceWithTheIgnorableWordsMarked)
{
    const struct {
        const char* text;
        std::vector<std::string> words;
        std::vector<bool> ignorable;
    } cases[] = {
        {"John of Gaunt", {"John", "of", "Gaunt"}, {false, true, false}},
        {"  \tMary\n AND  ..OF Smith ",
         {"Mary", "AND", "..OF", "Smith"},
         {false, true, true, false}},
        {"   ", {}, {}},
        {"of.of ...of", {"of.of", "...of"}, {false, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<SearchWord> words = SplitSearchWords(c.text);
        ASSERT_EQ(words.size(), c.words.size());
        for (std::size_t i = 0; i < words.size(); ++i) {
            EXPECT_EQ(words[i].m_text, c.words[i]);
            EXPECT_EQ(words[i].m_length, c.words[i].size());
            EXPECT_EQ(words[i].m_ignorable, c.ignorable[i]);
        }
    }
    // A record need not hold the ignorable words, unless nothing else was typed.
    EXPECT_EQ(MatchTermsOf(SplitSearchWords("John of Gaunt")).size(), 2u);
    EXPECT_EQ(MatchTermsOf(SplitSearchWords("of and")).size(), 2u);
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many += "w" + std::to_string(i) + " of ";
    EXPECT_EQ(MatchTermsOf(SplitSearchWords(many)).size(), 5000u);
}

TEST_F(RecordsWindowDataTest, FindGoesAcrossTypesAndNamesSkipNotes)
{
    MakeWindow();
    RecordSearch search = Search("smith", -1);
    ASSERT_TRUE(m_window->GoToRecord(search));
    EXPECT_EQ(m_window->GetSelection(nullptr, nullptr), m_john);

    // The family's husband is a Smith; its list is hidden and stays so after Cancel, and the
    // next search goes on after it.
    search.m_first = false;
    TestHooks::AnswerMessageBox(IDCANCEL);
    ASSERT_TRUE(m_window->GoToRecord(search));
    EXPECT_EQ(Lists().GetActiveIndex(), kIndi);
    ASSERT_TRUE(m_window->GoToRecord(search)) << "on to the sources";
    EXPECT_EQ(Lists().GetActiveIndex(), kSour);
    EXPECT_EQ(m_window->GetSelection(nullptr, nullptr), m_source);
    EXPECT_FALSE(m_window->GoToRecord(search)) << "the note is no name";
    EXPECT_THAT(MessageTexts(), testing::SizeIs(1));

    search = Search("SMITH", kIndi);
    search.m_matchCase = true;
    EXPECT_FALSE(m_window->GoToRecord(search));
    EXPECT_TRUE(m_window->GoToRecord(Search("john of smith", kIndi)));
}

TEST_F(RecordsWindowDataTest, AFoundRecordOfAHiddenTypeStaysFoundWhenTheQuestionIsCancelled)
{
    MakeWindow();
    Lists().SelectTab(kIndi, true);
    const auto tabsBefore = Tabs();

    TestHooks::AnswerMessageBox(IDCANCEL);
    EXPECT_TRUE(m_window->GoToRecord(Search("smith jones", -1)));

    EXPECT_THAT(MessageTexts(),
                ElementsAre("A record of type 'family' has been found matching the search "
                            "criteria.  Records of this type are not currently being displayed.  "
                            "The Records Window display options will be changed to make them "
                            "visible (you can alway hide them again later if you wish to)."));
    EXPECT_EQ(Tabs(), tabsBefore);
    EXPECT_EQ(RecWndOptions().m_displayChoice[kFam], 2);
    EXPECT_EQ(Lists().GetActiveIndex(), kIndi);

    // Closing the find dialog empties the list the search filled.
    EXPECT_THAT(TopRows(kFam), testing::SizeIs(1));
    m_window->UpdateTabs();
    EXPECT_THAT(TopRows(kFam), IsEmpty());
}

TEST_F(RecordsWindowDataTest, AListShownForItsMatchIsSortedWithTheMatchSelected)
{
    CFamRec* later = Marry(NewIndividual(SEX_MALE, "Able /Aaron/"), nullptr);
    CDataNode* marriage = later->CreateChildByTag("MARR");
    ASSERT_NE(marriage, nullptr);
    SetField(marriage, "PLAC", "Gretna Green");
    NotifyChanges();
    MakeWindow();

    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(m_window->GoToRecord(Search("gretna", -1, kSearchAllText)));

    EXPECT_EQ(Lists().GetActiveIndex(), kFam);
    CTagGrid& grid = *Lists().GetGrid(kFam);
    const CTreeBoxNode* caret = grid.GetBox().GetFocusItem();
    ASSERT_NE(caret, nullptr);
    EXPECT_EQ(CTagGrid::NodeOf(caret)->GetParent(), marriage);
    EXPECT_EQ(CTagGrid::NodeOf(grid.GetBox().GetFirstItem()), later) << "sorted by name";
}

TEST_F(RecordsWindowDataTest, ANoteSearchOpensTheRecordAtTheMatchingNote)
{
    m_mary->AddTextChild(FIELD_NOTE_TEXT, "Born in the old mill");
    Link(m_john, "NOTE", m_note);
    NotifyChanges();
    MakeWindow();

    ASSERT_TRUE(m_window->GoToRecord(Search("mill", kIndi, kSearchNotes)));
    EXPECT_EQ(CaretRow(), "Note");
    ASSERT_TRUE(m_window->GoToRecord(Search("papers", kIndi, kSearchNotes)));
    EXPECT_EQ(CaretRow(), "Note Record");
    EXPECT_FALSE(m_window->GoToRecord(Search("Jones", kIndi, kSearchNotes))) << "a name is no note";
    ASSERT_TRUE(m_window->GoToRecord(Search("papers", kNote, kSearchAllText)));
    EXPECT_EQ(Lists().GetActiveIndex(), kNote);
}

TEST_F(RecordsWindowDataTest, EachListHasTheFindBarOfItsRecordType)
{
    MakeWindow();
    struct Row {
        int listIndex;
        bool findBar;
        bool wife; // the bar searches by the wife's name too
    };
    const Row rows[] = {
        {kIndi, true, false},
        {kFam, true, true},
        {kNote, true, false},
        {kSour, true, false},
        {kRepo, true, false},
        {RECORD_LIST_SUBM, false, false},
        {RECORD_LIST_SUBN, false, false},
        {kObje, true, false},
        {kHead, false, false},
    };
    for (const Row& row : rows) {
        CTagGrid* grid = Lists().GetGrid(row.listIndex);
        ASSERT_NE(grid, nullptr) << row.listIndex;
        CGridFindBar* bar = grid->GetFindBar();
        ASSERT_EQ(bar != nullptr, row.findBar) << row.listIndex;
        if (!bar)
            continue;
        for (const int id : {CTreeGrid::kFindTextId, CTreeGrid::kFindIdId})
            EXPECT_TRUE((bar->GetEdit(id)->GetStyle() & WS_VISIBLE) != 0)
                << row.listIndex << " " << id;
        EXPECT_EQ((bar->GetEdit(CTreeGrid::kFindText2Id)->GetStyle() & WS_VISIBLE) != 0, row.wife)
            << row.listIndex;
    }
}

} // namespace
} // namespace records_window_test
