// tests/database/kin/fact_rows_test.cpp: tests of the rows of an individual's and a family's list
// of facts, their column texts, and the lists they make in each order.
#include "database/kin/fact_rows.h"

#include "tests/database/kin/ind_rec_test_support.h"

#include "database/dates/date_value.h"
#include "database/dictionary/field_def.h"
#include "database/records/fam_rec.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace ind_test;

namespace {

/// Al Ash (born 1 Jan 1850) married Bea (1875, divorced 1890) with the children Cy (born 1876,
/// adopted 1880) and Di; Al's second family has no wife and undated custom events.
class FactRowsTest : public CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        m_al = Person(SEX_MALE, "Al /Ash/", "1 JAN 1850");
        m_baptism = Event(m_al, "BAPM", "2 JAN 1849");
        m_occupation = Event(m_al, "OCCU", "");
        EXPECT_TRUE(m_occupation->SetText("Miller"));
        m_death = Event(m_al, "DEAT", "1920");
        m_bea = Person(SEX_FEMALE, "Bea /Bell/");
        m_cy = Person(SEX_MALE, "Cy /Ash/", "1876");
        Event(m_cy, "BIRT", "1877");
        Event(m_cy, "ADOP", "1880");
        m_di = Person(SEX_FEMALE, "Di /Ash/");
        m_kid = Person(SEX_UNDETERMINED, "Kid /Ash/", "1899");
        m_first = Marry(m_al, m_bea, {m_cy, m_di});
        m_marriage = Event(m_first, "MARR", "1875");
        m_divorce = Event(m_first, "DIV", "1890");
        m_second = Marry(m_al, nullptr, {m_kid});
        m_engagement = Event(m_second, "ENGA", "1895");
        m_vows = Event(m_second, "EVEN", "");
        SetField(m_vows, "TYPE", "Vow renewal");
        m_custom = Event(m_second, "EVEN", "");
        m_names = {{m_al, "Al"},   {m_bea, "Bea"},  {m_cy, "Cy"},    {m_di, "Di"},
                   {m_kid, "Kid"}, {m_first, "F1"}, {m_second, "F2"}};
    }
    /// A row as "kind TAG holder".
    std::string Describe(const CDataNode& fact, int kind)
    {
        return std::to_string(kind) + " " + std::string(fact.GetFieldDef()->GetTag()) + " " +
               m_names[fact.GetRecord()];
    }
    /// The rows of record's list inserted one by one in an order, described.
    std::vector<std::string> Fill(CRecordNode& record, bool individualList, int column)
    {
        const CColumnOrder order = GetEventColumnOrder(column);
        const CIndRec* individual = individualList ? AsIndividual(&record) : nullptr;
        std::vector<COrderRow> keys;
        std::vector<std::string> names;
        for (const CFactRow& row : CollectFactRows(record, individualList, true)) {
            const COrderRow key = GetFactRowKeys(order, *row.m_fact, row.m_kind, individual);
            const std::size_t at = FindRowPosition(order.m_order, keys, key);
            keys.insert(keys.begin() + std::ptrdiff_t(at), key);
            names.insert(names.begin() + std::ptrdiff_t(at), Describe(*row.m_fact, row.m_kind));
        }
        return names;
    }

    CIndRec* m_al = nullptr;
    CIndRec* m_bea = nullptr;
    CIndRec* m_cy = nullptr;
    CIndRec* m_di = nullptr;
    CIndRec* m_kid = nullptr;
    CFamRec* m_first = nullptr;
    CFamRec* m_second = nullptr;
    CDataNode* m_baptism = nullptr;
    CDataNode* m_occupation = nullptr;
    CDataNode* m_death = nullptr;
    CDataNode* m_marriage = nullptr;
    CDataNode* m_divorce = nullptr;
    CDataNode* m_engagement = nullptr;
    CDataNode* m_vows = nullptr;
    CDataNode* m_custom = nullptr;
    std::map<const CRecordNode*, std::string> m_names;
};

TEST_F(FactRowsTest, AListHoldsTheOwnFactsThenEachFamilysFactsAndItsChildrensEvents)
{
    struct Case {
        CRecordNode* record;
        bool individualList;
        bool childEvents;
        std::vector<std::string> rows;
    };
    const std::vector<Case> cases = {
        {m_al,
         true,
         true,
         {"1 BIRT Al", "1 BAPM Al", "1 OCCU Al", "1 DEAT Al", "2 MARR F1", "2 DIV F1", "3 BIRT Cy",
          "3 ADOP Cy", "2 ENGA F2", "2 EVEN F2", "2 EVEN F2", "3 BIRT Kid"}},
        {m_al,
         true,
         false,
         {"1 BIRT Al", "1 BAPM Al", "1 OCCU Al", "1 DEAT Al", "2 MARR F1", "2 DIV F1", "2 ENGA F2",
          "2 EVEN F2", "2 EVEN F2"}},
        {m_first, false, true, {"1 MARR F1", "1 DIV F1", "3 BIRT Cy", "3 ADOP Cy"}},
        {m_first, false, false, {"1 MARR F1", "1 DIV F1"}},
        {m_first, true, false, {"2 MARR F1", "2 DIV F1"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> rows;
        for (const CFactRow& row : CollectFactRows(*c.record, c.individualList, c.childEvents))
            rows.push_back(Describe(*row.m_fact, row.m_kind));
        EXPECT_EQ(rows, c.rows) << m_names[c.record] << " " << c.individualList << " "
                                << c.childEvents;
    }
}

TEST_F(FactRowsTest, EachColumnSaysWhatTheFactIsToTheIndividualWhoseListItIs)
{
    CDataNode* cyBirth = m_cy->FindChild(nullptr, FIELD_BIRT);
    CDataNode* kidBirth = m_kid->FindChild(nullptr, FIELD_BIRT);
    CDataNode* diBirth = Event(m_di, "BIRT", "1878");
    CDataNode* census = Event(m_first, "CENS", "1881");
    struct Case {
        const CDataNode* fact;
        int kind;
        const CIndRec* individual;
        int column;
        std::string text;
    };
    const std::vector<Case> cases = {
        {m_death, kEventRowOwn, m_al, 0, "1920"},
        {m_occupation, kEventRowOwn, m_al, 0, "____"},
        {m_death, kEventRowOwn, m_al, 1, "Death"},
        {m_occupation, kEventRowOwn, m_al, 1, "Occupation: Miller"},
        {m_death, kEventRowOwn, m_al, 2, "70"},
        {m_baptism, kEventRowOwn, m_al, 2, "-1 (!)"},
        {m_marriage, kEventRowFamily, m_al, 1, "Marriage to Bea"},
        {m_marriage, kEventRowFamily, m_bea, 1, "Marriage to Al"},
        {m_divorce, kEventRowFamily, m_al, 1, "Divorce from Bea"},
        {census, kEventRowFamily, m_al, 1, "Census (marr. Bea)"},
        {m_engagement, kEventRowFamily, m_al, 1, "Engagement to <no spouse>"},
        {m_vows, kEventRowFamily, m_al, 1, "Vow renewal (marr. <no spouse>)"},
        {m_custom, kEventRowFamily, m_al, 1, "<Custom Event> (marr. <no spouse>)"},
        {m_marriage, kEventRowFamily, m_al, 2, "25"},
        {m_marriage, kEventRowOwn, nullptr, 1, "Marriage"},
        {m_marriage, kEventRowOwn, nullptr, 2, ""},
        {cyBirth, kEventRowChild, m_al, 1, "Birth of son Cy"},
        {diBirth, kEventRowChild, m_al, 1, "Birth of daughter Di"},
        {kidBirth, kEventRowChild, m_al, 1, "Birth of child Kid"},
        {cyBirth, kEventRowChild, m_al, 2, "26"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetEventText(*c.fact, c.kind, c.individual, c.column), c.text)
            << Describe(*c.fact, c.kind) << " column " << c.column;
}

TEST_F(FactRowsTest, AFactIsDatedByTheFirstDateOfItsDateField)
{
    struct Case {
        const char* date; // null: no DATE field
        int year;         // 0: no date
    };
    const std::vector<Case> cases = {
        {"1901", 1901},
        {"BET 1900 AND 1910", 1900},
        {"FROM 1850 TO 1860", 1850},
        {"AFT 1777", 1777},
        {"", 0},
        {nullptr, 0},
    };
    for (const Case& c : cases) {
        CDataNode* fact = m_al->CreateChildByTag("RESI");
        ASSERT_NE(fact, nullptr);
        if (c.date && *c.date)
            SetField(fact, "DATE", c.date);
        else if (c.date)
            fact->CreateChildById(FIELD_DATE);
        const CDateValue* date = GetFactDate(fact);
        EXPECT_EQ(date ? date->GetYear() : 0, c.year) << (c.date ? c.date : "no DATE");
    }
    EXPECT_EQ(GetFactDate(nullptr), nullptr);
}

TEST_F(FactRowsTest, TheOwnBirthIsTheIndividualsBirthOnItsOwnList)
{
    CDataNode* birth = m_al->FindChild(nullptr, FIELD_BIRT);
    CDataNode* cyBirth = m_cy->FindChild(nullptr, FIELD_BIRT);
    EXPECT_TRUE(IsOwnBirthRow(birth, kEventRowOwn, true));
    EXPECT_FALSE(IsOwnBirthRow(birth, kEventRowOwn, false)) << "a family's list has none";
    EXPECT_FALSE(IsOwnBirthRow(cyBirth, kEventRowChild, true)) << "a child's birth";
    EXPECT_FALSE(IsOwnBirthRow(m_baptism, kEventRowOwn, true));
    EXPECT_FALSE(IsOwnBirthRow(nullptr, kEventRowOwn, true));
}

TEST_F(FactRowsTest, AnIndividualsListFilledInEachOrder)
{
    struct Case {
        int column;
        std::vector<std::string> rows;
    };
    const std::vector<Case> cases = {
        {0,
         {"1 BAPM Al", "1 BIRT Al", "2 MARR F1", "3 BIRT Cy", "3 ADOP Cy", "2 DIV F1", "2 ENGA F2",
          "3 BIRT Kid", "1 DEAT Al", "1 OCCU Al", "2 EVEN F2", "2 EVEN F2"}},
        {1,
         {"2 EVEN F2", "3 ADOP Cy", "1 BAPM Al", "1 BIRT Al", "3 BIRT Kid", "3 BIRT Cy",
          "1 DEAT Al", "2 DIV F1", "2 ENGA F2", "2 MARR F1", "1 OCCU Al", "2 EVEN F2"}},
        {2,
         {"1 BAPM Al", "1 BIRT Al", "2 MARR F1", "3 BIRT Cy", "3 ADOP Cy", "2 DIV F1", "2 ENGA F2",
          "3 BIRT Kid", "1 DEAT Al", "1 OCCU Al", "2 EVEN F2", "2 EVEN F2"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fill(*m_al, true, c.column), c.rows) << "column " << c.column;
}

} // namespace
