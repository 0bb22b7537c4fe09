// tests/database/dictionary/qualifier_table_test.cpp: qualifier lookup by keyword and field type,
// the unique command ids, and the condition-operator wordings offered per data type.
#include "database/dictionary/combo_items.h"
#include "database/dictionary/qualifier_table.h"
#include "tests/database/dictionary/field_defs_for_tests.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using test_support::DefByPath;

namespace {

/// A combo box that records what it is given and refuses items past its room.
class CRecordingCombo final : public IComboItems {
public:
    explicit CRecordingCombo(std::size_t room = 100) : m_room(room) {}
    bool AddItem(std::string_view text, long data) override
    {
        if (m_texts.size() == m_room)
            return false;
        m_texts.emplace_back(text);
        m_data.push_back(data);
        return true;
    }
    std::vector<std::string> m_texts;
    std::vector<long> m_data;

private:
    std::size_t m_room;
};

class QualifierTableTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test_support::LoadTestFieldDefs()) << GetFieldDefsError(); }
};

struct KeywordCase {
    const char* path;
    const char* keyword;
    int id;
};

void PrintTo(const KeywordCase& c, std::ostream* os)
{
    *os << c.path << ":" << c.keyword;
}

class FindQualifierTest : public QualifierTableTest,
                          public ::testing::WithParamInterface<KeywordCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, FindQualifierTest,
    ::testing::Values(
        KeywordCase{"INDI.BIRT.DATE", "YEAR", QUAL_YEAR},
        KeywordCase{"INDI.BIRT.DATE", "year", QUAL_YEAR},
        KeywordCase{"INDI.BIRT.DATE", "short", QUAL_COMPACT},
        KeywordCase{"INDI.BIRT.DATE", "SHORT", QUAL_COMPACT},
        KeywordCase{"INDI.BIRT.DATE", "Medium", QUAL_ABBREV},
        KeywordCase{"INDI.BIRT.DATE", "AGE_AT", QUAL_AGE_AT},
        KeywordCase{"FAM.MARR.DATE", "WIFE_AGE_AT", QUAL_WIFE_AGE_AT},
        KeywordCase{"INDI.BIRT.DATE", "SURNAME", -1}, KeywordCase{"INDI.BIRT.DATE", "", 0},
        KeywordCase{"INDI.NAME", "SURNAME", QUAL_SURNAME},
        KeywordCase{"INDI.NAME", "Given_All", QUAL_GIVEN_ALL}, KeywordCase{"INDI.NAME", "YEAR", -1},
        KeywordCase{"INDI._ATTR", "NUMERIC", QUAL_NUMERIC}, KeywordCase{"INDI.OCCU", "NUMERIC", -1},
        KeywordCase{"INDI.EVEN.TYPE", "NUMERIC", -1}, KeywordCase{"INDI.NCHI", "NUMERIC", -1},
        KeywordCase{"INDI.SEX", "YEAR", -1}));

TEST_P(FindQualifierTest, AnswersByKeywordAndFieldType)
{
    const CFieldDef* def = DefByPath(GetParam().path);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(FindQualifier(def, GetParam().keyword), GetParam().id);
}

TEST_F(QualifierTableTest, EveryQualifierHasACommandOfItsOwn)
{
    std::set<int> commands;
    for (const QualifierRow& row : GetQualifierTable()) {
        EXPECT_TRUE(commands.insert(row.commandId).second) << row.keyword;
        EXPECT_EQ(GetQualifierCommandId(row.id), row.commandId);
    }
    EXPECT_EQ(commands.size(), 33u);
    EXPECT_NE(GetQualifierCommandId(QUAL_MONTH_NAME), GetQualifierCommandId(QUAL_MONTH_NUMBER));
    EXPECT_EQ(GetQualifierCommandId(QUAL_MONTH_NUMBER), 59403);
}

TEST_F(QualifierTableTest, IdsRunFromOneWithoutGaps)
{
    int expected = 1;
    for (const QualifierRow& row : GetQualifierTable())
        EXPECT_EQ(row.id, expected++);
    EXPECT_STREQ(GetQualifierKeyword(QUAL_NUMERIC), "NUMERIC");
    EXPECT_EQ(GetQualifierResultType(QUAL_MONTH_AND_DAY), 13);
    EXPECT_EQ(GetQualifierKeyword(34), nullptr);
    EXPECT_EQ(GetQualifierCommandId(0), 0);
    EXPECT_EQ(GetQualifierResultType(-1), 0);
}

TEST_F(QualifierTableTest, NextQualifierWalksThoseThatShareTheMask)
{
    const auto walk = [](const CFieldDef* def, std::uint32_t mask) {
        std::vector<int> ids;
        int position = 0;
        while (int id = GetNextQualifier(def, mask, position))
            ids.push_back(id);
        return ids;
    };
    const CFieldDef* date = DefByPath("INDI.BIRT.DATE");
    EXPECT_EQ(walk(date, 2),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 31, 32}));
    EXPECT_EQ(walk(date, 0), std::vector<int>{});
    EXPECT_EQ(walk(DefByPath("INDI._ATTR"), 0xFFFFFFFF), std::vector<int>{33});
    EXPECT_EQ(walk(DefByPath("INDI.NAME"), 1).size(), 15u);
    EXPECT_EQ(walk(nullptr, 0xFFFFFFFF), std::vector<int>{});
}

struct OperatorCase {
    const char* name;
    int dataType;
    std::vector<std::string> wordings;
};

void PrintTo(const OperatorCase& c, std::ostream* os)
{
    *os << c.name;
}

class ConditionOpComboTest : public ::testing::TestWithParam<OperatorCase> {};

const std::vector<std::string> kComplexRows = {
    "matches", "comes after", "comes before", "begins with", "ends with", "contains", "is null"};

INSTANTIATE_TEST_SUITE_P(
    Types, ConditionOpComboTest,
    ::testing::Values(
        OperatorCase{"Record",
                     6,
                     {"is", "matches", "comes after", "comes before", "begins with", "ends with",
                      "contains", "is null"}},
        OperatorCase{"Name", 8, kComplexRows}, OperatorCase{"Complex", 5, kComplexRows},
        OperatorCase{"MultiLine", 2, {"begins with", "ends with", "contains", "is null"}},
        OperatorCase{"Enumeration", 3, {"matches", "is null"}},
        OperatorCase{"Date",
                     7,
                     {"was on", "was later than", "was earlier than", "contains text", "is null"}},
        OperatorCase{"Age", 11, {"equals (yrs)", "is older than", "is younger than", "is null"}},
        OperatorCase{"Generic", 0, {"is", "=", ">", "<", "begins", "ends", "contains", "null"}},
        OperatorCase{"Rectangle", 10, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(ConditionOpComboTest, OffersTheWordingsOfTheType)
{
    CRecordingCombo combo;
    FillConditionOpCombo(combo, GetParam().dataType);
    EXPECT_EQ(combo.m_texts, GetParam().wordings);
}

TEST(ConditionOpTableTest, ItemsCarryTheirOperatorsAndStopWhenRefused)
{
    CRecordingCombo combo(3);
    FillConditionOpCombo(combo, 4);
    EXPECT_EQ(combo.m_texts, (std::vector<std::string>{"is", "matches", "sorts after"}));
    EXPECT_EQ(combo.m_data, (std::vector<long>{COND_IS, COND_EQUAL, COND_GREATER}));
}

TEST(ConditionOpTableTest, ComputedValuesOfferTheRowsOfTheirOperandKind)
{
    CRecordingCombo number;
    FillComputedOpCombo(number, 3);
    EXPECT_EQ(number.m_texts,
              (std::vector<std::string>{"equals", "is greater than", "is less than", "is null"}));
    CRecordingCombo text;
    FillComputedOpCombo(text, 1);
    EXPECT_EQ(text.m_texts.size(), 7u);
    std::string wording;
    EXPECT_TRUE(GetComputedOpWording(COND_ENDS, wording, 1));
    EXPECT_EQ(wording, "ends with");
    EXPECT_FALSE(GetComputedOpWording(COND_ENDS, wording, 3));
    EXPECT_EQ(wording, "");
}

TEST(ConditionOpTableTest, WordingsAndOperandKindsFoldRecordAndNameTypes)
{
    std::string wording;
    EXPECT_TRUE(GetConditionOpWording(COND_GREATER, wording, 6));
    EXPECT_EQ(wording, "comes after");
    EXPECT_TRUE(GetConditionOpWording(COND_IS, wording, 6));
    EXPECT_EQ(wording, "is");
    EXPECT_TRUE(GetConditionOpWording(COND_BEGINS, wording, 8));
    EXPECT_EQ(wording, "begins with");
    EXPECT_FALSE(GetConditionOpWording(COND_IS, wording, 8));
    EXPECT_EQ(wording, "");
    EXPECT_EQ(GetConditionOperandKind(6, COND_IS), 5);
    EXPECT_EQ(GetConditionOperandKind(6, COND_EQUAL), 1);
    EXPECT_EQ(GetConditionOperandKind(7, COND_CONTAINS), 1);
    EXPECT_EQ(GetConditionOperandKind(13, COND_EQUAL), 8);
    EXPECT_EQ(GetConditionOperandKind(3, COND_GREATER), 0);
}

TEST(ConditionOpTableTest, OnlyGenericWordingsAreFound)
{
    EXPECT_EQ(FindConditionOp("CONTAINS"), COND_CONTAINS);
    EXPECT_EQ(FindConditionOp("contains text"), COND_NONE);
    EXPECT_EQ(FindConditionOp("Null"), COND_NULL);
    EXPECT_EQ(FindConditionOp(""), COND_NONE);
}

} // namespace
