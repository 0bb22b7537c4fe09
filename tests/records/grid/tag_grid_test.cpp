// tests/records/grid/tag_grid_test.cpp: the record list grid on a small family: rows read from
// the grid, link rows opened, the back-link options, refill after edits, sorts, the find bar,
// a link cycle, double-clicks on rows, and row colours on a rendered grid.
#include "database/nodes/change_hint.h"
#include "tests/records/grid/tag_grid_fixture.h"

#include "database/dictionary/field_ids.h"
#include "database/fields/name_node.h"
#include "platform/base/text.h"

#include <algorithm>
#include <functional>

namespace {

using namespace grid_test;

TEST_F(TagGridTest, TheIndividualsListHasItsColumnsAndSortsByName)
{
    MakeGrid(kIndi);
    EXPECT_EQ(m_grid.GetMode(), CTagGrid::kModeRecordSet);
    EXPECT_EQ(m_grid.GetExtraColumnCount(), 4);
    EXPECT_EQ(TopRows(), (std::vector<std::string>{"BROWN, Carl ", "JONES, Mary ", "SMITH, Ann ",
                                                   "SMITH, Bob ", "SMITH, John "}));
    RecWndOptions().m_surnamesFirst = false;
    EXPECT_EQ(TopRows().front(), "Carl BROWN");
    EXPECT_EQ(m_grid.GetExtraText(m_grid.FindRowByRecord(m_carl), 0), "4");

    m_grid.OnSortCreationOrder(); // by record number, not file order
    EXPECT_EQ(TopRows(), (std::vector<std::string>{"John SMITH", "Mary JONES", "Ann SMITH",
                                                   "Carl BROWN", "Bob SMITH"}));
}

TEST_F(TagGridTest, AGridMadeWithoutAWidthGetsItsColumnsWhenItIsSized)
{
    // A window's grid is made before the window has its size.
    ASSERT_TRUE(m_grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &m_host, 107, nullptr, 0));
    m_grid.SetRecordSet(GetRecordTypeRoot(kIndi), true, true);
    EXPECT_EQ(m_grid.GetHeader().GetColumnRight(0), 0);
    m_grid.MoveWindow(0, 0, 600, 300);
    EXPECT_EQ(m_grid.GetHeader().GetColumnRight(0), 300);
    EXPECT_GT(m_grid.GetHeader().GetColumnRight(2), 600); // the extra columns follow
}

TEST_F(TagGridTest, ColumnSetsFollowTheRecordType)
{
    struct Case {
        int listIndex;
        int extraColumns;
    };
    for (const Case c : {Case{kFam, 3}, Case{kNote, 3}, Case{kObje, 6}, Case{kHead, 0}}) {
        MakeGrid(c.listIndex);
        EXPECT_EQ(m_grid.GetExtraColumnCount(), c.extraColumns) << c.listIndex;
        m_grid.DestroyWindow();
    }
    MakeGrid(kNote);
    EXPECT_TRUE(TopRows().empty()); // "No Note Records" shows instead
    m_grid.DestroyWindow();
    MakeGrid(kFam);
    EXPECT_EQ(m_grid.GetExtraText(m_grid.GetBox().GetFirstItem(), 1), "2"); // children
}

TEST_F(TagGridTest, AFamilyRowNamesItsPartners)
{
    CFamRec* single = Marry(nullptr, m_ann);
    CFamRec* none = NewFamily();
    NotifyChanges();
    MakeGrid(kFam);
    const auto label = [&](CFamRec* family) {
        return m_grid.GetRelationLabel(m_grid.FindRowByRecord(family));
    };
    EXPECT_EQ(label(m_family), "John SMITH and Mary JONES");
    EXPECT_EQ(label(single), "Ann SMITH");
    EXPECT_EQ(label(none), "(parents not known)");
    m_family->FindChild(nullptr, FIELD_HUSB)->ClearLink();
    NotifyChanges();
    EXPECT_EQ(label(m_family), "Mary JONES");
}

TEST_F(TagGridTest, LinkRowsOpenIntoTheLinkedRecordsFollowingTheBackLinkOptions)
{
    MakeGrid(kIndi);
    CTreeBoxNode* john = RowOf(nullptr, "SMITH, John ");
    m_grid.OnNodeExpand(john);
    CTreeBoxNode* spouse = RowOf(john, "Spouse family");
    ASSERT_NE(spouse, nullptr);
    EXPECT_EQ(m_grid.GetValueText(spouse), "...with Mary JONES");
    m_grid.OnNodeExpand(spouse);
    // "Show Spouse Opt" 1: John is not listed again under his own spouse family.
    std::vector<std::string> rows = Rows();
    const std::vector<std::string> family = {
        "    Wife | Mary JONES", "    Child | Ann SMITH (adopted)", "    Child | Bob SMITH"};
    for (const std::string& row : family)
        EXPECT_NE(std::find(rows.begin(), rows.end(), row), rows.end()) << row << "\n"
                                                                        << Joined(rows);
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                            [](const std::string& r) { return r.find("Husband") != r.npos; }),
              0);

    RecWndOptions().m_showSpouse = 0;
    RecWndOptions().m_showPedigree = false;
    m_grid.OnNodeExpand(spouse);
    m_grid.OnNodeExpand(spouse);
    rows = Rows();
    EXPECT_NE(std::find(rows.begin(), rows.end(), "    Husband | John SMITH @"), rows.end());
    EXPECT_NE(std::find(rows.begin(), rows.end(), "    Child | Ann SMITH"), rows.end());

    // Under Ann's parents family her parents are Father and Mother, her brother a Sibling;
    // with "Show Child Opt" 2 she is listed too, as the family has two children.
    CTreeBoxNode* ann = RowOf(nullptr, "SMITH, Ann ");
    m_grid.OnNodeExpand(ann);
    CTreeBoxNode* parents = RowOf(ann, "Parents family");
    m_grid.OnNodeExpand(parents);
    EXPECT_NE(RowOf(parents, "Father"), nullptr);
    EXPECT_NE(RowOf(parents, "Mother"), nullptr);
    int siblings = 0;
    for (CTreeBoxNode* row = parents->m_firstChild; row; row = row->m_nextSibling)
        siblings += m_grid.GetRelationLabel(row) == "Sibling";
    EXPECT_EQ(siblings, 2);
}

TEST_F(TagGridTest, EditsRefillTheRowsKeepingOrderAndOpenRows)
{
    MakeGrid(kIndi);
    CTreeBoxNode* john = RowOf(nullptr, "SMITH, John ");
    m_grid.OnNodeExpand(john);
    const std::size_t johnRows = Rows().size();

    // A new record takes its place in the sorted list; the rows there stay as they are.
    CIndRec* dan = NewIndividual(SEX_MALE, "Dan /Adams/");
    NotifyChanges();
    EXPECT_EQ(TopRows(), (std::vector<std::string>{"ADAMS, Dan ", "BROWN, Carl ", "JONES, Mary ",
                                                   "SMITH, Ann ", "SMITH, Bob ", "SMITH, John "}));
    EXPECT_EQ(Rows().size(), johnRows + 1) << Joined(Rows());
    EXPECT_EQ(john->m_state, CTreeBoxNode::kExpanded);

    // Deleting a record removes its row; the others keep their order and John stays open.
    GetRecordTypeRoot(kIndi)->DeleteChild(m_carl);
    NotifyChanges();
    EXPECT_EQ(TopRows(), (std::vector<std::string>{"ADAMS, Dan ", "JONES, Mary ", "SMITH, Ann ",
                                                   "SMITH, Bob ", "SMITH, John "}));
    EXPECT_EQ(m_grid.FindRowByRecord(dan), m_grid.GetBox().GetFirstItem());
    EXPECT_EQ(john->m_state, CTreeBoxNode::kExpanded);

    // A field added to an open record shows at once.
    SetField(m_john, "OCCU", "Miller");
    NotifyChanges();
    const std::vector<std::string> rows = Rows();
    EXPECT_NE(std::find(rows.begin(), rows.end(), "  Occupation | Miller"), rows.end());

    // Many records deleted at once: their rows go together, the rest keep order, John stays
    // open and every row is numbered by its place.
    std::vector<CIndRec*> many;
    for (int i = 0; i < 70; ++i)
        many.push_back(NewIndividual(SEX_MALE, "Abel /Aa" + std::to_string(i) + "/"));
    NotifyChanges();
    m_grid.OnSortAlphabetical();
    m_grid.OnNodeExpand(john);
    for (CIndRec* individual : many)
        GetRecordTypeRoot(kIndi)->DeleteChild(individual);
    NotifyChanges();
    EXPECT_EQ(TopRows(), (std::vector<std::string>{"ADAMS, Dan ", "JONES, Mary ", "SMITH, Ann ",
                                                   "SMITH, Bob ", "SMITH, John "}));
    EXPECT_EQ(john->m_state, CTreeBoxNode::kExpanded);
    int index = 0;
    for (CTreeBoxNode* row = m_grid.GetBox().GetFirstItem(); row; row = row->m_nextRow)
        EXPECT_EQ(m_grid.GetBox().GetItemRow(row), index++) << m_grid.GetRelationLabel(row);

    // A list in the file's order keeps it: a new record goes just before the row of the record
    // after it in the file, here after the last.
    m_grid.RefreshList();
    CIndRec* abe = NewIndividual(SEX_MALE, "Abe /Aaron/");
    NotifyChanges();
    EXPECT_EQ(TopRows().back(), "AARON, Abe ");
    EXPECT_NE(abe, nullptr);

    m_grid.Refill(nullptr, kHintDataSetClearing, nullptr);
    EXPECT_TRUE(Rows().empty());
}

TEST_F(TagGridTest, OneRecordFollowsItsEditsAndForgetsItWhenDeleted)
{
    ASSERT_TRUE(
        m_grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 300), &m_host, 107, nullptr, 0));
    m_grid.SetRecord(m_carl);
    EXPECT_EQ(m_grid.GetMode(), CTagGrid::kModeRecord);
    const std::size_t before = Rows().size();
    m_grid.Refill(nullptr, kHintFileLoaded, nullptr); // nothing changes in a one-record grid
    EXPECT_EQ(Rows().size(), before);
    GetRecordTypeRoot(kIndi)->DeleteChild(m_carl);
    NotifyChanges();
    EXPECT_TRUE(Rows().empty()) << Joined(Rows());
    EXPECT_EQ(m_grid.GetShownObject(), nullptr);
}

TEST_F(TagGridTest, SortsCollapseOpenRowsAndPutNeverChangedRecordsLast)
{
    MakeGrid(kIndi);
    m_grid.OnNodeExpand(RowOf(nullptr, "SMITH, John "));
    m_mary->SetChangeStamp(COleDateTime(2020, 1, 1, 0, 0, 0));
    m_bob->SetChangeStamp(COleDateTime(2021, 1, 1, 0, 0, 0));
    for (CIndRec* never : {m_john, m_ann, m_carl})
        never->SetChangeStamp(COleDateTime());
    m_grid.OnSortLastUpdateOrder();
    const std::vector<std::string> top = TopRows();
    EXPECT_EQ(top[0], "SMITH, Bob ");
    EXPECT_EQ(top[1], "JONES, Mary ");
    EXPECT_EQ(Rows().size(), 5u); // every record row closed
}

TEST_F(TagGridTest, AClickOnDatesSortsByTheLifeDatesLatestFirst)
{
    for (const auto& [person, born] :
         {std::pair{m_john, "1800"}, std::pair{m_mary, "1805"}, std::pair{m_ann, "1830"}})
        SetField(person->CreateChildByTag("BIRT"), "DATE", born);
    NotifyChanges();
    MakeGrid(kIndi);
    m_grid.OnColumnClick(&m_grid.GetHeader(), 3); // "Dates", descending
    // The undated keep their order (Carl, then Bob) after every dated one.
    EXPECT_EQ(TopRows(), (std::vector<std::string>{"SMITH, Ann ", "JONES, Mary ", "SMITH, John ",
                                                   "BROWN, Carl ", "SMITH, Bob "}));
    m_grid.OnColumnClick(&m_grid.GetHeader(), 0);
    EXPECT_EQ(TopRows().front(), "BROWN, Carl ");
    m_grid.OnColumnClick(&m_grid.GetHeader(), 4); // "Birth Place": none has one; order kept
    EXPECT_EQ(TopRows().front(), "BROWN, Carl ");
    EXPECT_EQ(m_grid.GetRelationLabel(m_grid.FindRowByRecord(m_bob)), "SMITH, Bob ");
}

/// The records of the top-level rows, in row order.
std::vector<CDataNode*> TopNodes(CTagGrid& grid)
{
    std::vector<CDataNode*> nodes;
    for (CTreeBoxNode* row = grid.GetBox().GetFirstItem(); row; row = row->m_nextSibling)
        nodes.push_back(CTagGrid::NodeOf(row));
    return nodes;
}

TEST_F(TagGridTest, KeyedSortsGiveTheOrderOfTheRecordsOwnComparisons)
{
    // Names that share a surname or a long start of one, unmarked surnames, case, a control
    // byte, letters outside ASCII, a nameless individual; dates of every precision, equal
    // dates, and places that differ only in case or accents; long names and places that share
    // their first two dozen bytes, or end there.
    const struct {
        const char* name;
        const char* birth;
        const char* place;
    } kPeople[] = {
        {"Zed /Smithson/", "1800", "Aachen"},
        {"Amy /Smith/", "JUN 1800", "aachen"},
        {"amy /smith/", "5 JUN 1800", "\xc3\x84hren"},
        {"Bert /Sm/", "1800/01", ""},
        {"NoSlash Person", "30 DEC 1799", "zz"},
        {"", "1800", "Aachen"},
        {"Odd /Sm\x01ith/", "BEF 1800",
         "a\x01"
         "b"},
        {"\xc3\x89va /\xc3\x89mile/", "", "Ahren"},
        {"John /Smith/", "1900", "Aachen"},
        {"/Smith/", "JUN 1800", ""},
        {"Al /de la Cruz/", "ABT 1800", "x"},
        {"Al /van Smith/ Jr", "1800", "aachen"},
        {"Amy /Smith/", "JUN 1800", "aachen"},
        {"Amy /Smith/", "", ""},
        {"Alexandra Maximiliane /Smith/ Jr", "1800", "Saint Petersburg, Russian Empire"},
        {"Alexandra Maximiliane /Smith/", "1800", "Saint Petersburg, Russia"},
        {"Alexandra Maximiliane /Smith/", "1900", "saint petersburg, russia"},
    };
    for (const auto& person : kPeople) {
        CIndRec* individual = NewIndividual(SEX_FEMALE, person.name);
        if (*person.birth || *person.place) {
            CDataNode* birth = individual->CreateChildByTag("BIRT");
            if (*person.birth)
                SetField(birth, "DATE", person.birth);
            if (*person.place)
                SetField(birth, "PLAC", person.place);
        }
    }
    NotifyChanges();
    MakeGrid(kIndi, false);
    const std::vector<CDataNode*> fileOrder = TopNodes(m_grid);
    const auto expectOrder = [&](const std::function<bool(CDataNode*, CDataNode*)>& before,
                                 const char* what) {
        std::vector<CDataNode*> expected = fileOrder;
        std::stable_sort(expected.begin(), expected.end(), before);
        EXPECT_EQ(TopNodes(m_grid), expected) << what;
    };

    m_grid.OnSortAlphabetical();
    expectOrder([](CDataNode* a, CDataNode* b) { return a->Compare(b, 0) < 0; }, "by name");

    CDataRef dates;
    ASSERT_TRUE(dates.SetText("=LifeDates()"));
    auto* expression = dynamic_cast<CExpression*>(dates.GetExpression());
    ASSERT_NE(expression, nullptr);
    const auto dateKey = [&](CDataNode* node) {
        return expression->MakeSortKey(static_cast<CRecordNode*>(node));
    };
    m_grid.OnSortCreationOrder();
    m_grid.OnColumnClick(&m_grid.GetHeader(), 3); // "Dates", latest first
    expectOrder(
        [&](CDataNode* a, CDataNode* b) {
            return CExpression::CompareSortKeys(dateKey(b), dateKey(a)) < 0;
        },
        "by dates");

    CDataRef place;
    ASSERT_TRUE(place.SetText("INDI.BIRT.PLAC"));
    const auto placeKey = [&](CDataNode* node) {
        std::string text;
        place.Evaluate(text, static_cast<CRecordNode*>(node));
        return text::FoldedSortKey(text);
    };
    m_grid.OnSortCreationOrder();
    m_grid.OnColumnClick(&m_grid.GetHeader(), 4); // "Birth Place"
    expectOrder([&](CDataNode* a, CDataNode* b) { return placeKey(a) < placeKey(b); },
                "by birth place");
}

TEST_F(TagGridTest, ALoadedFileFillsTheIndividualsInTheOrderOfTheirNames)
{
    // Names that share a surname lead or the whole name, with dates and without, an unmarked
    // name and a nameless individual: the rows are made at once in the order a sort by name
    // gives, numbered and mapped as a fill leaves them.
    const struct {
        const char* name;
        const char* birth;
    } kPeople[] = {{"Amy /Smithson/", "1800"}, {"Amy /Smith/", "JUN 1800"}, {"", ""},
                   {"Amy /Smith/", "1800"},    {"NoSlash Person", ""},      {"Amy /Smith/", ""},
                   {"Bo /Smithers/", "1799"},  {"Amy /Smith/", "JUN 1800"}};
    for (const auto& person : kPeople) {
        CIndRec* individual = NewIndividual(SEX_FEMALE, person.name);
        if (*person.birth)
            SetField(individual->CreateChildByTag("BIRT"), "DATE", person.birth);
    }
    NotifyChanges();
    MakeGrid(kIndi, false);
    std::vector<CDataNode*> expected = TopNodes(m_grid);
    std::stable_sort(expected.begin(), expected.end(),
                     [](CDataNode* a, CDataNode* b) { return a->Compare(b, 0) < 0; });
    m_grid.Refill(nullptr, kHintFileLoaded, nullptr);
    EXPECT_EQ(TopNodes(m_grid), expected);
    int index = 0;
    for (CTreeBoxNode* row = m_grid.GetBox().GetFirstItem(); row; row = row->m_nextRow) {
        EXPECT_EQ(m_grid.GetBox().GetItemRow(row), index++);
        EXPECT_EQ(m_grid.FindRowByRecord(CTagGrid::NodeOf(row)), row);
    }
    EXPECT_EQ(m_grid.GetBox().GetFocusItem(), m_grid.GetBox().GetFirstItem());
}

TEST_F(TagGridTest, NotesSourcesAndRepositoriesSortInTheOrderOfTheirOwnComparison)
{
    // Case, equal texts, no text, letters outside ASCII, a byte that is no UTF-8, the signs
    // between the capitals and the small letters, and long texts that share their start.
    const char* const kTexts[] = {"pear",
                                  "Apple",
                                  "",
                                  "apple",
                                  "\xc3\x89"
                                  "clair",
                                  "banana",
                                  "Apple",
                                  "[bracket]",
                                  "_under",
                                  "ab\xff",
                                  "ABZ",
                                  "A long note that runs on past the first two dozen bytes, b",
                                  "A long note that runs on past the first two dozen bytes, a"};
    const struct {
        int list;
        const char* tag; // the field that holds the text; none: the record's own text
    } kLists[] = {{kNote, nullptr}, {kSour, "TITL"}, {kRepo, "NAME"}};
    for (const auto& list : kLists) {
        for (const char* text : kTexts) {
            CRecordNode* record = NewRecord(list.list);
            if (list.tag)
                SetField(record, list.tag, text);
            else
                ASSERT_TRUE(record->SetText(text));
        }
        NotifyChanges();
        if (list.list == kNote)
            MakeGrid(list.list, false);
        else
            m_grid.SetRecordSet(GetRecordTypeRoot(list.list), true, false);
        m_grid.OnSortCreationOrder();
        std::vector<CDataNode*> expected = TopNodes(m_grid);
        ASSERT_EQ(expected.size(), std::size(kTexts));
        std::stable_sort(expected.begin(), expected.end(),
                         [](CDataNode* a, CDataNode* b) { return a->Compare(b, 0) < 0; });
        m_grid.OnSortAlphabetical();
        EXPECT_EQ(TopNodes(m_grid), expected) << list.list;
    }
}

TEST_F(TagGridTest, ANameSortKeepsTheRecordsOrderWhenALeadIsNotItsSurnamesStart)
{
    // Names whose lead is their surname's start, then one led by a long s (which folds as s in
    // the surname but not in the lead) and one stored with a blank inside its opening slash:
    // the sort may then no longer order the names by surname alone.
    const char* const kNames[] = {"Zed /Smithson/", "Al /Smit/", "Amy /smith/",
                                  "Bo /Smitz/",     "",          "Al /\xc5\xbfmitz/",
                                  " Al / Smith/"};
    MakeGrid(kIndi, false);
    for (const char* name : kNames) {
        CIndRec* individual = NewIndividual(SEX_MALE);
        static_cast<CNameNode*>(SetField(individual, "NAME", "x"))->SetValue(name);
        NotifyChanges();
        std::vector<CDataNode*> expected = TopNodes(m_grid);
        std::stable_sort(expected.begin(), expected.end(),
                         [](CDataNode* a, CDataNode* b) { return a->Compare(b, 0) < 0; });
        m_grid.OnSortAlphabetical();
        EXPECT_EQ(TopNodes(m_grid), expected) << "after " << name;
    }
}

TEST_F(TagGridTest, TheFindBarSelectsByNameAndByRecordNumber)
{
    MakeGrid(kIndi, true, 345);
    m_grid.OnFindTextChanged("smith, b");
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_bob);
    m_grid.OnFindIdChanged("0"); // below 1 matches nothing
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_bob);
    m_grid.OnFindIdChanged("x");
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_bob);
    m_grid.OnFindIdChanged("4");
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_carl);
    m_grid.OnFindTextChanged("smith");
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_ann);
    m_grid.OnFindNext("smith", CTreeGrid::kFindTextId);
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_bob);
}

TEST_F(TagGridTest, TypingOnInTheFindBarFindsTheFirstMatchAfterChangesBetweenKeys)
{
    MakeGrid(kIndi, true, 345);
    m_grid.OnFindTextChanged("s");
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_ann);
    m_grid.OnFindTextChanged("smith, b");
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_bob);
    // A text that matches nothing leaves the selection, and so does one typed on from it.
    m_grid.OnFindTextChanged("smith, bx");
    m_grid.OnFindTextChanged("smith, bxy");
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_bob);
    m_grid.OnFindTextChanged("smith");
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_ann);
    // A record renamed between two keys, above the last match, is found as the text grows.
    auto* carl = static_cast<CNameNode*>(m_carl->FindChild(nullptr, FIELD_NAME));
    ASSERT_NE(carl, nullptr);
    carl->SetValue("Carl /Smithers/");
    m_grid.Refill(nullptr, kHintRecordsEdited, nullptr);
    m_grid.OnFindTextChanged("smithe");
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_carl);
}

TEST_F(TagGridTest, AShortFindTextIsComparedWithKeysReadAheadWhileTheRowsStandStill)
{
    MakeGrid(kIndi, true, 345); // BROWN Carl, JONES Mary, SMITH Ann, SMITH Bob, SMITH John
    const int edit = CTreeGrid::kFindTextId;
    m_grid.OnFindEditFocus(edit);
    EXPECT_EQ(m_grid.GetFindKeyCount(edit), 0u) << "read at the timer's ticks";
    TestHooks::AdvanceClock(100);
    EXPECT_EQ(m_grid.GetFindKeyCount(edit), 5u);
    const std::pair<const char*, CIndRec*> kFinds[] = {
        {"j", m_mary},        {"S", m_ann},          {"b", m_carl},
        {"smith, j", m_john}, {"smith, jo", m_john}, {"x", m_john}, // nothing: the selection stays
        {"SMITH, B", m_bob}};
    for (const auto& [text, found] : kFinds) {
        m_grid.OnFindTextChanged(text);
        EXPECT_EQ(m_grid.GetSelectedRecord(), found) << text;
    }
    EXPECT_EQ(m_grid.GetFindKeyCount(CTreeGrid::kFindText2Id), 0u) << "kept for one edit";

    // A change notice drops the keys: the record renamed is found by its new name.
    auto* carl = static_cast<CNameNode*>(m_carl->FindChild(nullptr, FIELD_NAME));
    ASSERT_NE(carl, nullptr);
    carl->SetValue("Carl /Adams/");
    m_grid.Refill(nullptr, kHintRefresh, nullptr);
    m_grid.OnFindTextChanged("a");
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_carl);
    // Rows in another order are read again: John was made first.
    m_grid.OnSortCreationOrder();
    m_grid.OnFindTextChanged("s");
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_john);
    // An empty text finds nothing and keeps the selection.
    m_grid.OnFindTextChanged("");
    EXPECT_EQ(m_grid.GetSelectedRecord(), m_john);
}

TEST_F(TagGridTest, ALinkCycleStopsAtTheRecursiveRows)
{
    // Every back-link shown: the family lists its husband, whose spouse family is the family.
    RecWndOptions().m_showChild = 0;
    RecWndOptions().m_showFamilyAsChild = 0;
    RecWndOptions().m_showFamilyAsSpouse = 0;
    RecWndOptions().m_showSpouse = 0;
    MakeGrid(kFam);
    CTreeBoxNode* row = m_grid.GetBox().GetFirstItem();
    ASSERT_NE(row, nullptr);
    // Open every row that opens, level after level: recursive rows never open.
    for (int pass = 0; pass < 10; ++pass)
        for (CTreeBoxNode* r = m_grid.GetBox().GetFirstItem(); r; r = r->m_nextRow)
            if (r->m_state == CTreeBoxNode::kCollapsed)
                m_grid.GetBox().ExpandItem(r, true, 1);
    const std::vector<std::string> rows = Rows();
    EXPECT_LT(rows.size(), 200u);
    EXPECT_GT(std::count_if(rows.begin(), rows.end(),
                            [](const std::string& r) { return r.ends_with(" @"); }),
              0)
        << Joined(rows);
    NotifyChanges(); // a refill walks the open rows without recursing without end
}

TEST_F(TagGridTest, ADoubleClickAnywhereOnARowOpensAndClosesIt)
{
    MakeGrid(kIndi);
    CTreeBox& box = m_grid.GetBox();
    const auto doubleClick = [&box](CPoint point) {
        using TestHooks::MouseEvent;
        TestHooks::PostMouse(box, MouseEvent::LeftDown, point, MK_LBUTTON);
        TestHooks::PostMouse(box, MouseEvent::LeftUp, point, 0);
        TestHooks::PostMouse(box, MouseEvent::LeftDoubleClick, point, MK_LBUTTON);
        TestHooks::PostMouse(box, MouseEvent::LeftUp, point, 0);
        TestHooks::DeliverPosted();
    };
    // A point in the label column, right of the expander, and one in the value column.
    const auto label = [&box](CTreeBoxNode* row) {
        CRect first;
        box.GetItemRect(row, first, TBP_NONE, true);
        return CPoint(first.right - 8, (first.top + first.bottom) / 2);
    };
    const auto value = [&box](CTreeBoxNode* row) {
        CRect rest;
        box.GetItemRect(row, rest, TBP_ROW, true);
        return CPoint(rest.left + 8, (rest.top + rest.bottom) / 2);
    };
    CTreeBoxNode* john = RowOf(nullptr, "SMITH, John ");
    ASSERT_NE(john, nullptr);
    for (const std::function<CPoint(CTreeBoxNode*)>& at :
         {std::function<CPoint(CTreeBoxNode*)>(label),
          std::function<CPoint(CTreeBoxNode*)>(value)}) {
        SCOPED_TRACE(Joined(Rows()));
        doubleClick(at(john));
        EXPECT_EQ(john->m_state, CTreeBoxNode::kExpanded);
        CTreeBoxNode* spouse = RowOf(john, "Spouse family");
        ASSERT_NE(spouse, nullptr);
        doubleClick(at(spouse));
        EXPECT_NE(RowOf(spouse, "Wife"), nullptr);
        doubleClick(at(spouse));
        EXPECT_EQ(spouse->m_state, CTreeBoxNode::kCollapsed);
        doubleClick(at(john));
        EXPECT_EQ(john->m_state, CTreeBoxNode::kCollapsed);
        EXPECT_EQ(m_grid.GetSelectedRecord(), m_john);
    }
}

/// Pixels of area close to colour (text is smoothed, so its edges blend with the background).
int CountNear(const TestHooks::Image& image, const CRect& area, COLORREF colour)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF p = image.Pixel(x, y);
            count += std::abs(GetRValue(p) - GetRValue(colour)) +
                         std::abs(GetGValue(p) - GetGValue(colour)) +
                         std::abs(GetBValue(p) - GetBValue(colour)) <
                     60;
        }
    return count;
}

TEST_F(TagGridTest, RowsShowTheColoursOfTheOptions)
{
    MakeGrid(kIndi);
    RecWndOptions().m_colours[0].colour = RGB(200, 0, 0); // individual record
    RecWndOptions().m_colours[1].colour = RGB(0, 0, 200); // individual tag label
    RecWndOptions().m_colours[2].colour = RGB(0, 160, 0); // individual tag value
    RecWndOptions().m_colours[kColourRecursive].colour = RGB(230, 120, 0);
    RecWndOptions().m_showSpouse = 0;
    CTreeBoxNode* john = RowOf(nullptr, "SMITH, John ");
    m_grid.OnNodeExpand(john);
    m_grid.OnNodeExpand(RowOf(john, "Spouse family"));
    m_grid.GetBox().SetFocusItem(nullptr, false);
    m_grid.Refill(nullptr, kHintDisplayOptionsApplied, nullptr);
    const TestHooks::Image image = TestHooks::RenderWindow(m_grid);
    EXPECT_TRUE(image.SavePng("tag_grid.png"));
    const int rowHeight = m_grid.GetBox().GetMetrics()[TBM_ROW_HEIGHT];
    const int top = m_grid.GetHeader().GetHeight();
    const auto band = [&](int row, bool values) {
        return CRect(values ? 340 : 0, top + row * rowHeight, values ? 680 : 340,
                     top + (row + 1) * rowHeight);
    };
    // Rows: five records, John's Name, Sex, Spouse family, then the family's Husband (back to
    // John: recursive), Wife, two children.
    EXPECT_GT(CountNear(image, band(0, false), RGB(200, 0, 0)), 5);
    EXPECT_GT(CountNear(image, band(5, false), RGB(0, 0, 200)), 5);
    EXPECT_GT(CountNear(image, band(5, true), RGB(0, 160, 0)), 5);
    EXPECT_EQ(CountNear(image, band(5, true), RGB(0, 0, 200)), 0);
    EXPECT_GT(CountNear(image, band(8, false), RGB(230, 120, 0)), 5); // recursive
    EXPECT_EQ(CountNear(image, band(8, false), RGB(0, 0, 200)), 0);
}

} // namespace
