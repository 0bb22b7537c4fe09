// tests/records/properties/event_page_test.cpp: tests of the Events page in a real properties
// box: its rows, orders and texts, the child-events switch, and what its detail controls store.
#include "records/properties/rec_page_event.h"

#include "records/datactl/data_ctl_multi.h"

#include "database/dictionary/field_ids.h"
#include "platform/ui/dialogs/button.h"
#include "tests/records/properties/properties_fixture.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace properties_test;

namespace {

class EventPageTest : public PropertiesTest {
protected:
    void TearDown() override
    {
        SetShowChildEvents(true);
        PropertiesTest::TearDown();
    }
    /// A new fact of tag under holder, with its date when one is given.
    CDataNode* Fact(CDataNode* holder, std::string_view tag, std::string_view date = {})
    {
        CDataNode* fact = holder->CreateChildByTag(tag);
        EXPECT_NE(fact, nullptr) << tag;
        if (fact && !date.empty())
            SetField(fact, "DATE", date);
        return fact;
    }
    /// Shows record in the box with its Events page active; null when there is none.
    CRecPageEvent* ShowEvents(CRecordNode* record)
    {
        NotifyChanges();
        Box().SetRecord(record, nullptr);
        Box().SetLargeMode(true);
        for (int i = 0; i < Box().GetPageCount(); ++i) {
            if (auto* page = dynamic_cast<CRecPageEvent*>(Page(i))) {
                Box().SetActivePage(i);
                return page;
            }
        }
        ADD_FAILURE() << "no Events page";
        return nullptr;
    }
    /// The rows as "date|text|age".
    static std::vector<std::string> Rows(CRecPageEvent& page)
    {
        std::vector<std::string> rows;
        CColBox& list = page.GetList();
        for (CTreeBoxNode* row = list.GetBox().GetFirstItem(); row; row = row->m_nextSibling)
            rows.push_back(list.GetTabField(row, 0) + "|" + list.GetTabField(row, 1) + "|" +
                           list.GetTabField(row, 2));
        return rows;
    }
    static CTreeBoxNode* RowOf(CRecPageEvent& page, const CDataNode* fact)
    {
        return page.GetList().GetBox().FindItemByData(std::uintptr_t(fact));
    }
};

TEST_F(EventPageTest, DatedFactsComeFirstAndFamilyFactsNameThePartner)
{
    CIndRec* john = NewIndividual(SEX_MALE, "John /Smith/");
    CIndRec* mary = NewIndividual(SEX_FEMALE, "Mary /Jones/");
    CIndRec* anne = NewIndividual(SEX_FEMALE, "Anne /Smith/");
    CFamRec* family = Marry(john, mary, {anne});
    Fact(john, "BIRT", "5 JUN 1850");
    Fact(family, "MARR");
    Fact(family, "CENS", "1881");
    Fact(john, "DEAT", "1920");
    Fact(john, "BURI", "1920");
    Fact(anne, "BIRT", "1878");
    CRecPageEvent* page = ShowEvents(john);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Rows(*page),
              (std::vector<std::string>{"5 Jun 1850|Birth|", "1878|Birth of daughter Anne|27-28",
                                        "1881|Census (marr. Mary)|30-31", "1920|Death|69-70",
                                        "1920|Burial|69-70", "____|Marriage to Mary|"}))
        << "equal dates keep their order; the undated marriage goes last";

    page->SortByColumn(1);
    EXPECT_EQ(Rows(*page).front(), "5 Jun 1850|Birth|");
    EXPECT_EQ(Rows(*page).back(), "____|Marriage to Mary|");

    SetShowChildEvents(false);
    page->OnShowChildEvents();
    EXPECT_EQ(Rows(*page).size(), 6u) << "the check box decides, not the switch";
    page->CheckDlgButton(1447, BST_UNCHECKED);
    page->OnShowChildEvents();
    EXPECT_FALSE(GetShowChildEvents());
    EXPECT_EQ(Rows(*page).size(), 5u);
    Box().SetRecord(family, nullptr);
    Box().SetRecord(john, nullptr);
    EXPECT_EQ(Rows(*page).size(), 5u) << "the switch stays off for later pages";
}

TEST_F(EventPageTest, TheAgeOrderPutsTheOwnBirthBeforeTheFirstAgeOfZeroOrMore)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al /Ash/");
    Fact(al, "BIRT", "1 JAN 1850");
    Fact(al, "GRAD", "2 JAN 1873");
    Fact(al, "BAPM", "2 JAN 1849");
    Fact(al, "RETI");
    Fact(al, "EMIG", "1873");
    CRecPageEvent* page = ShowEvents(al);
    ASSERT_NE(page, nullptr);
    page->SortByColumn(2);
    EXPECT_EQ(page->GetSortMode(), ERowOrder::Age);
    EXPECT_EQ(Rows(*page),
              (std::vector<std::string>{"2 Jan 1849|Baptism|-1 (!)", "1 Jan 1850|Birth|",
                                        "2 Jan 1873|Graduation|23", "1873|Emigration|23",
                                        "____|Retirement|"}));
    Box().SetRecord(NewIndividual(SEX_MALE, "Other"), nullptr);
    Box().SetRecord(al, nullptr);
    EXPECT_EQ(page->GetSortMode(), ERowOrder::Date) << "every load sorts by date again";
}

TEST_F(EventPageTest, AFamilyAgeGoesToThePartnersPartOrToTheFactForAnUnknownSex)
{
    CIndRec* mary = NewIndividual(SEX_FEMALE, "Mary");
    CIndRec* sky = NewIndividual(SEX_MALE, "Sky");
    CFamRec* family = Marry(nullptr, mary);
    CFamRec* other = Marry(sky, nullptr);
    ASSERT_TRUE(sky->SetSex(SEX_UNDETERMINED, true));
    CDataNode* marriage = Fact(family, "MARR", "1875");
    CDataNode* census = Fact(other, "CENS", "1881");

    CRecPageEvent* page = ShowEvents(mary);
    ASSERT_NE(page, nullptr);
    page->SelectRow(RowOf(*page, marriage));
    CDataCtl* age = page->GetDetail(CRecPageEvent::kAge);
    ASSERT_TRUE(Visible(&age->GetWnd()));
    Type(age, "25y");
    Leave();
    EXPECT_EQ(ValueOf(Child(Child(marriage, "WIFE"), "AGE")), "25 yrs");
    EXPECT_EQ(Child(marriage, "AGE"), nullptr);

    page = ShowEvents(sky);
    ASSERT_NE(page, nullptr);
    page->SelectRow(RowOf(*page, census));
    age = page->GetDetail(CRecPageEvent::kAge);
    Type(age, "31y");
    Leave();
    EXPECT_EQ(ValueOf(Child(census, "AGE")), "31 yrs");
    EXPECT_EQ(Child(census, "HUSB"), nullptr);
    EXPECT_EQ(Child(census, "WIFE"), nullptr);
    EXPECT_EQ(page->GetList().GetTabField(RowOf(*page, census), 2), "31 yrs")
        << "the list shows what was stored";
    EXPECT_NE(Written(*other).find("2 AGE 31y"), std::string::npos) << Written(*other);
}

TEST_F(EventPageTest, AResidenceEditsItsPlaceInTheValueBox)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al");
    CDataNode* residence = Fact(al, "RESI", "1900");
    CRecPageEvent* page = ShowEvents(al);
    ASSERT_NE(page, nullptr);
    page->SelectRow(RowOf(*page, residence));
    CDataCtl* value = page->GetDetail(CRecPageEvent::kValue);
    EXPECT_TRUE(Visible(&value->GetWnd()));
    EXPECT_FALSE(Visible(&page->GetDetail(CRecPageEvent::kPlace)->GetWnd()));
    Type(value, "York");
    Leave();
    EXPECT_EQ(ValueOf(Child(residence, "PLAC")), "York");
}

TEST_F(EventPageTest, TheNoteTakesSeveralLines)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al");
    CDataNode* census = Fact(al, "CENS", "1881");
    CRecPageEvent* page = ShowEvents(al);
    ASSERT_NE(page, nullptr);
    page->SelectRow(RowOf(*page, census));
    auto* note = dynamic_cast<CDataCtlEditMulti*>(page->GetDetail(CRecPageEvent::kNote));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->IsCompact()) << "a multi-line edit";
    Type(note, "Head of household.\r\nWife present.");
    Leave();
    EXPECT_NE(Written(*al).find("2 NOTE Head of household.\r\n3 CONT Wife present."),
              std::string::npos)
        << Written(*al);
}

TEST_F(EventPageTest, DeletingAChildsBirthOnAFamilyPageDeletesTheChildsField)
{
    CIndRec* kid = NewIndividual(SEX_MALE, "Kid");
    CFamRec* family = Marry(nullptr, nullptr, {kid});
    CDataNode* birth = Fact(kid, "BIRT", "1900");
    Fact(family, "MARR", "1890");
    CRecPageEvent* page = ShowEvents(family);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetList().GetHeader().GetColumnCount(), 2);
    page->SelectRow(RowOf(*page, birth));
    EXPECT_FALSE(Visible(&page->GetDetail(CRecPageEvent::kAge)->GetWnd()));
    TestHooks::AnswerMessageBox(IDOK);
    page->OnDeleteEvent();
    EXPECT_EQ(Child(kid, "BIRT"), nullptr);
    EXPECT_EQ(Rows(*page).size(), 1u);
}

TEST_F(EventPageTest, ABirthsFamilyIsChosenReplacedAndCleared)
{
    CIndRec* kid = NewIndividual(SEX_MALE, "Kid");
    CFamRec* family = Marry(NewIndividual(SEX_MALE, "Dad /Ash/"), nullptr);
    CDataNode* birth = Fact(kid, "BIRT", "1900");
    CRecPageEvent* page = ShowEvents(kid);
    ASSERT_NE(page, nullptr);
    page->SelectRow(RowOf(*page, birth));
    EXPECT_TRUE(Visible(page->GetDlgItem(1439)));
    m_select.m_answers = {family};
    page->OnSelectFamily();
    CDataNode* famc = Child(birth, "FAMC");
    ASSERT_NE(famc, nullptr);
    EXPECT_EQ(famc->GetLinkTarget(), family);
    std::string shown;
    page->GetDlgItemText(1439, shown);
    EXPECT_FALSE(shown.empty());

    TestHooks::AnswerPopupMenu(0);
    page->OnSelectFamily();
    EXPECT_EQ(TestHooks::PopupMenuItems(), (std::vector<std::string>{"Replace current selection...",
                                                                     "Clear current selection"}));
    EXPECT_EQ(Child(birth, "FAMC"), famc) << "dismissed: nothing changes";
    TestHooks::AnswerPopupMenu(2002);
    page->OnSelectFamily();
    EXPECT_EQ(Child(birth, "FAMC"), nullptr);
    page->GetDlgItemText(1439, shown);
    EXPECT_EQ(shown, "");
}

TEST_F(EventPageTest, InStoredOrderAFamilyFactCannotMoveAboveOwnFacts)
{
    CIndRec* al = NewIndividual(SEX_MALE, "Al");
    CFamRec* family = Marry(al, nullptr);
    CDataNode* first = Fact(family, "MARR", "1880");
    Fact(family, "CENS", "1881");
    Fact(al, "BIRT", "1850");
    CRecPageEvent* page = ShowEvents(al);
    ASSERT_NE(page, nullptr);
    page->OnListInOrder();
    ASSERT_TRUE(page->IsListInOrder());
    page->SelectRow(RowOf(*page, first));
    EXPECT_FALSE(page->GetButton(3).IsWindowEnabled()) << "Move Up";
    EXPECT_TRUE(page->GetButton(4).IsWindowEnabled()) << "Move Down";
    page->OnMoveDown();
    EXPECT_EQ(family->GetNextFact(nullptr, false)->GetFieldId(), FIELD_CENS);
    EXPECT_EQ(Rows(*page).back(), "1880|Marriage to <no spouse>|29-30");
}

TEST_F(EventPageTest, DeletingAFactAsksByItsKindAndCancelKeepsIt)
{
    struct Case {
        const char* tag;
        int answer;
        const char* question;
    };
    const Case cases[] = {
        {"BIRT", IDCANCEL, "Delete event?"},
        {"BIRT", IDOK, "Delete event?"},
        {"OCCU", IDCANCEL, "Delete attribute?"},
        {"OCCU", IDOK, "Delete attribute?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.tag) + (c.answer == IDOK ? " OK" : " Cancel"));
        CIndRec* al = NewIndividual(SEX_MALE, "Al");
        CDataNode* fact = Fact(al, c.tag, "1900");
        CRecPageEvent* page = ShowEvents(al);
        ASSERT_NE(page, nullptr);
        page->SelectRow(RowOf(*page, fact));
        TestHooks::TakeMessages();
        TestHooks::AnswerMessageBox(c.answer);
        page->OnDeleteEvent();
        EXPECT_EQ(test_support::TextsOf(TestHooks::TakeMessages()),
                  std::vector<std::string>{c.question});
        EXPECT_EQ(Child(al, c.tag) != nullptr, c.answer != IDOK);
        EXPECT_EQ(Rows(*page).size(), c.answer == IDOK ? 0u : 1u);
    }
}

} // namespace
