// tests/database/multimedia/object_rows_test.cpp: tests of the rows of a record's list of objects:
// which objects it holds, the date and age of each, the column texts, and the list in each order.
#include "database/multimedia/object_rows.h"

#include "database/dates/date_node.h"
#include "database/dictionary/field_ids.h"
#include "database/kin/ind_rec.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

/// Al (born 1 Jan 1900) links to a school photo (1910), a cradle photo (1899) and an undated
/// map, and holds an embedded drawing.
class ObjectRowsTest : public record_test::CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        m_al = NewIndividual(SEX_MALE, "Al");
        SetField(m_al->CreateChildByTag("BIRT"), "DATE", "1 JAN 1900");
        m_school = Link(m_al, "OBJE", Object("School", "jpeg", "1910"));
        m_cradle = Link(m_al, "OBJE", Object("cradle", "png", "1899"));
        m_drawing = m_al->CreateChildById(FIELD_OBJE_EMBEDDED);
        SetField(m_drawing, "FORM", "gif");
        SetField(m_drawing, "TITL", "Drawing");
        m_map = Link(m_al, "OBJE", Object("Map", "bmp", ""));
    }
    /// A multimedia record, dated when a date is given.
    CRecordNode* Object(std::string_view title, std::string_view format, std::string_view date)
    {
        CRecordNode* object = NewRecord(record_test::kObje);
        SetField(object, "FORM", format);
        SetField(object, "TITL", title);
        if (!date.empty())
            SetField(object, "_DATE", date);
        return object;
    }
    /// A row by its object's title.
    static std::string Title(const CDataNode* node, int kind)
    {
        std::string text;
        if (const CDataNode* holder = GetObjectHolder(node, kind))
            if (const CDataNode* title = holder->FindChild(nullptr, FIELD_TITL))
                title->GetText(text, 0);
        return text;
    }

    CIndRec* m_al = nullptr;
    CDataNode* m_school = nullptr;
    CDataNode* m_cradle = nullptr;
    CDataNode* m_drawing = nullptr;
    CDataNode* m_map = nullptr;
};

TEST_F(ObjectRowsTest, AListHoldsTheLinksWithATargetThenTheEmbeddedObjects)
{
    ASSERT_NE(m_al->CreateChildByTag("OBJE"), nullptr) << "a link without target";
    std::vector<std::string> rows;
    for (const CObjectRow& row : CollectObjectRows(*m_al))
        rows.push_back(std::to_string(row.m_kind) + " " + Title(row.m_node, row.m_kind));
    EXPECT_EQ(rows, (std::vector<std::string>{"1 School", "1 cradle", "1 Map", "0 Drawing"}));
    EXPECT_TRUE(CollectObjectRows(*NewIndividual()).empty());
}

TEST_F(ObjectRowsTest, OnlyASimpleApproximateOrInterpretedDateDatesAnObject)
{
    struct Case {
        const char* date;
        int year; // 0: the object has no date
    };
    const std::vector<Case> cases = {
        {"1905", 1905},
        {"3 MAR 1906", 1906},
        {"ABT 1907", 1907},
        {"EST 1908", 1908},
        {"INT 1909 (from the clothes)", 1909},
        {"BET 1900 AND 1910", 0},
        {"BEF 1911", 0},
        {"FROM 1900 TO 1910", 0},
        {"(a summer)", 0},
        {"", 0},
    };
    for (const Case& c : cases) {
        CDataNode* link = Link(m_al, "OBJE", Object("Photo", "jpeg", c.date));
        const CDateNode* date = GetObjectDate(link, kMediaRowLink);
        EXPECT_EQ(date ? date->GetFirstValue().GetYear() : 0, c.year) << c.date;
        EXPECT_EQ(GetObjectDate(link, kMediaRowEmbedded), nullptr)
            << "a link read as an embedded object has no date field";
    }
    EXPECT_EQ(GetObjectDate(m_drawing, kMediaRowEmbedded), nullptr);
    EXPECT_EQ(GetObjectDate(nullptr, kMediaRowLink), nullptr);
}

TEST_F(ObjectRowsTest, EachColumnSaysWhatTheObjectIsToTheRecord)
{
    CIndRec* bo = NewIndividual(SEX_MALE, "Bo");
    SetField(bo->CreateChildByTag("BIRT"), "DATE", "5 JUN 1900");
    CDataNode* boSchool = Link(bo, "OBJE", GetObjectHolder(m_school, kMediaRowLink)->GetRecord());
    struct Case {
        const CDataNode* record;
        const CDataNode* node;
        int kind;
        const CIndRec* individual;
        int column;
        std::string text;
    };
    const std::vector<Case> cases = {
        {m_al, m_cradle, kMediaRowLink, m_al, 1, "png"},
        {m_al, m_drawing, kMediaRowEmbedded, m_al, 1, "gif"},
        {m_al, m_school, kMediaRowLink, m_al, 2, "1"},
        {m_al, m_map, kMediaRowLink, m_al, 2, "3"},
        {m_al, m_drawing, kMediaRowEmbedded, m_al, 2, "4"},
        {m_al, m_school, kMediaRowLink, m_al, 3, "1910"},
        {m_al, m_map, kMediaRowLink, m_al, 3, ""},
        {m_al, m_school, kMediaRowLink, m_al, 4, "10"},
        {m_al, m_cradle, kMediaRowLink, m_al, 4, "-1 (!)"},
        {m_al, m_map, kMediaRowLink, m_al, 4, ""},
        {m_al, m_school, kMediaRowLink, nullptr, 4, ""},
        {bo, boSchool, kMediaRowLink, bo, 4, "9-10"},
        {bo, boSchool, kMediaRowLink, bo, 2, "1"},
        {m_al, m_school, kMediaRowLink, m_al, 5, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetObjectRowText(c.record, c.node, c.kind, c.individual, c.column), c.text)
            << Title(c.node, c.kind) << " column " << c.column;
    EXPECT_NE(GetObjectRowText(m_al, m_school, kMediaRowLink, m_al, 0).find("School"),
              std::string::npos);
}

TEST_F(ObjectRowsTest, AListFilledInTheOrderOfEachColumn)
{
    struct Case {
        int column;
        std::vector<std::string> rows;
    };
    const std::vector<Case> cases = {
        {0, {"cradle", "Drawing", "Map", "School"}}, {1, {"Map", "Drawing", "School", "cradle"}},
        {2, {"School", "cradle", "Map", "Drawing"}}, {3, {"cradle", "School", "Map", "Drawing"}},
        {4, {"cradle", "School", "Map", "Drawing"}}, {7, {"cradle", "Drawing", "Map", "School"}},
    };
    for (const Case& c : cases) {
        const CColumnOrder order = GetObjectColumnOrder(c.column);
        std::vector<COrderRow> keys;
        std::vector<std::string> rows;
        for (const CObjectRow& row : CollectObjectRows(*m_al)) {
            const COrderRow key = GetObjectRowKeys(order, m_al, row.m_node, row.m_kind, m_al);
            const std::size_t at = FindRowPosition(order.m_order, keys, key);
            keys.insert(keys.begin() + std::ptrdiff_t(at), key);
            rows.insert(rows.begin() + std::ptrdiff_t(at), Title(row.m_node, row.m_kind));
        }
        EXPECT_EQ(rows, c.rows) << "column " << c.column;
    }
}

} // namespace
