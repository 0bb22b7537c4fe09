// tests/queries/window/filter_value_kind_test.cpp: the general filter editor's value field by
// value type, the reading of typed values and generation limits, and the rows a query file
// cannot hold.
#include "queries/window/filter_value_kind.h"

#include "database/dictionary/qualifier_table.h"
#include "queries/query_filter.h"
#include "tests/queries/query_test_family.h"

#include <gtest/gtest.h>

namespace {

class FilterValueKindTest : public CQueryFamilyTest {
protected:
    /// The value's display text, or "<none>".
    static std::string Shown(const CTypedValue& value)
    {
        if (value.IsNone())
            return "<none>";
        std::string text;
        value.Format(text, nullptr);
        return text;
    }
};

TEST_F(FilterValueKindTest, TheValueTypeFollowsThePathOrTheExpressionAndTheOperator)
{
    struct Row {
        const char* ref;
        int op;
        int type;
    };
    const Row rows[] = {
        {"INDI.NAME:SURNAME", COND_CONTAINS, TV_TEXT},
        {"INDI.BIRT.DATE", COND_LESS, TV_DATE},
        {"INDI.BIRT.DATE:YEAR", COND_GREATER, TV_NUMBER},
        {"INDI.BIRT.DATE:MONTH_AND_DAY", COND_EQUAL, TV_MMDD},
        {"INDI.SEX", COND_EQUAL, TV_ENUM},
        {"INDI.BIRT.DATE", COND_NULL, TV_NONE},
        {"=AgeAt(%INDI%,%INDI.DEAT.DATE%)", COND_GREATER, TV_NUMBER},
        {"=Name(%INDI%)", COND_CONTAINS, TV_TEXT},
        {"=Name(%INDI%)", COND_NULL, TV_NONE},
        {"", COND_EQUAL, TV_NONE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ref);
        CDataRef ref;
        ref.SetText(row.ref);
        EXPECT_EQ(GetFilterValueType(ref, row.op), row.type);
    }
}

TEST_F(FilterValueKindTest, EachValueTypeShowsItsOwnControls)
{
    const CFilterValueField disabled{};
    const CFilterValueField edit{FVC_EDIT, false, false, true};
    struct Row {
        int type;
        bool hasPath;
        CFilterValueField field;
    };
    const Row rows[] = {
        {TV_TEXT, true, {FVC_EDIT, true, false, true}},
        {TV_TEXT, false, {FVC_EDIT, true, false, true}},
        {TV_DATE, true, {FVC_EDIT, false, true, true}},
        {TV_NUMBER, false, edit},
        {TV_MMDD, true, edit},
        {TV_SPAN, true, edit},
        {TV_RECORD, true, {FVC_RECORD, false, false, true}},
        {TV_ENUM, true, {FVC_ENUM, false, false, true}},
        {TV_RECORD, false, disabled},
        {TV_ENUM, false, disabled},
        {TV_NONE, true, disabled},
        {TV_DATANODE, true, disabled},
        {TV_TAGADDR, true, disabled},
        {42, true, disabled},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.type << (row.hasPath ? " path" : " expression"));
        EXPECT_EQ(GetFilterValueField(row.type, row.hasPath), row.field);
    }
}

TEST_F(FilterValueKindTest, TypedValuesReadIntoTheirOwnTypeOrAreRefused)
{
    struct Row {
        int type;
        const char* text;
        bool parameter;
        const char* shown; // null: refused
    };
    const Row rows[] = {
        {TV_TEXT, " Smith ", false, " Smith "},
        {TV_TEXT, "", false, ""},
        {TV_DATE, "5 jan 1900", false, "5 JAN 1900"},
        {TV_DATE, "1900 (approx)", false, "1900"},
        {TV_DATE, "ABT 1900", false, "1900"},
        {TV_DATE, "FROM 1900 TO 1910", false, nullptr},
        {TV_DATE, "BET 1900 AND 1910", false, nullptr},
        {TV_DATE, "(about midsummer)", false, nullptr},
        {TV_DATE, "soon", false, nullptr},
        {TV_NUMBER, " -42 ", false, "-42"},
        {TV_NUMBER, "2147483647", false, "2147483647"},
        {TV_NUMBER, "-2147483648", false, "-2147483648"},
        {TV_NUMBER, "2147483648", false, nullptr},
        {TV_NUMBER, "99999999999", false, nullptr},
        {TV_NUMBER, "twelve", false, nullptr},
        {TV_NUMBER, "12abc", false, nullptr},
        {TV_NUMBER, "-", false, nullptr},
        {TV_MMDD, "12/25", false, "12/25"},
        {TV_MMDD, " 2 / 29 ", false, "2/29"},
        {TV_MMDD, "2/30", false, nullptr},
        {TV_MMDD, "13/1", false, nullptr},
        {TV_MMDD, "12", false, nullptr},
        {TV_MMDD, "12/25/1900", false, nullptr},
        {TV_SPAN, "2 years 6 months 0 days", false, "2 years 6 months 0 days"},
        {TV_SPAN, "10 days", false, "10 days"},
        {TV_SPAN, "1 Year 3 DAYS", false, "1 years 0 months 3 days"},
        {TV_SPAN, "6 months", false, "6 months 0 days"},
        {TV_SPAN, "2 years 3 years", false, nullptr},
        {TV_SPAN, "2", false, nullptr},
        {TV_SPAN, "-2 years", false, nullptr},
        {TV_SPAN, "2 fortnights", false, nullptr},
        {TV_SPAN, "99999999999 days", false, nullptr},
        // Blank is no value, which only a parameter row may have.
        {TV_DATE, "  ", true, "<none>"},
        {TV_NUMBER, "", true, "<none>"},
        {TV_MMDD, "", false, nullptr},
        {TV_NUMBER, "", false, nullptr},
        // A parameter's default value is still read and checked.
        {TV_DATE, "FROM 1900 TO 1910", true, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.type << " \"" << row.text << "\"");
        CTypedValue value;
        value.SetNumber(7); // whatever was there goes
        std::string message;
        const bool read = ReadFilterValue(row.type, row.text, row.parameter, value, message);
        EXPECT_EQ(read, row.shown != nullptr);
        if (!row.shown) {
            EXPECT_TRUE(value.IsNone());
            EXPECT_FALSE(message.empty());
            continue;
        }
        EXPECT_EQ(Shown(value), row.shown);
        if (!value.IsNone()) {
            EXPECT_EQ(value.GetType(), row.type);
        }
    }
}

TEST_F(FilterValueKindTest, RefusalsSayWhatToType)
{
    CTypedValue value;
    std::string message;
    ASSERT_FALSE(ReadFilterValue(TV_DATE, "FROM 1900 TO 1910", false, value, message));
    EXPECT_NE(message.find("single date"), std::string::npos) << message;
    ASSERT_FALSE(ReadFilterValue(TV_NUMBER, "x", false, value, message));
    EXPECT_NE(message.find("whole number"), std::string::npos) << message;
    ASSERT_FALSE(ReadFilterValue(TV_DATE, "", false, value, message));
    EXPECT_NE(message.find("parameter"), std::string::npos) << message;
}

TEST_F(FilterValueKindTest, MonthDayAndSpanRowsAreSavedWithTheirTypeAndShownAgain)
{
    struct Row {
        const char* ref;
        int op;
        int type;
        const char* text;
        const char* line;
    };
    const Row rows[] = {
        {"INDI.BIRT.DATE:MONTH_AND_DAY", COND_EQUAL, TV_MMDD, "12/25",
         R"x(FILTER=GEN,ADD,IF,N,"","INDI.BIRT.DATE:MONTH_AND_DAY",,"=",MMDD,12/25)x"},
        {"INDI.BIRT.DATE", COND_GREATER, TV_SPAN, "2 years 6 months 1 days", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ref);
        CAvFilterGen filter(nullptr);
        ASSERT_TRUE(filter.DataRef().SetText(row.ref));
        filter.SetOperator(row.op);
        CTypedValue value;
        std::string message;
        ASSERT_TRUE(ReadFilterValue(row.type, row.text, false, value, message)) << message;
        filter.SetValue(value);
        std::string line;
        ASSERT_TRUE(filter.Save(line));
        if (row.line) {
            EXPECT_EQ(line, row.line);
        }
        EXPECT_TRUE(CheckFilterFitsFile(filter, message));
        // What the editor shows reads back as the same value.
        std::string shown;
        value.Format(shown, nullptr);
        CTypedValue again;
        ASSERT_TRUE(ReadFilterValue(row.type, shown, false, again, message)) << shown;
        EXPECT_EQ(Shown(again), Shown(value));
    }
}

TEST_F(FilterValueKindTest, GenerationLimitsAreNoLimitOrRefusedButNeverWrapped)
{
    struct Row {
        const char* text;
        int limit; // -1: refused
    };
    const Row rows[] = {
        {"", 0},
        {"  ", 0},
        {"3", 3},
        {" 12 ", 12},
        {"0", 0},
        {"-1", 0},
        {"-99999999999", 0},
        {"2147483647", 2147483647},
        {"99999999999", -1},
        {"2147483648", -1},
        {"three", -1},
        {"3 gens", -1},
        {"-", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        int limit = 5;
        std::string message;
        const bool read = ReadGenerationLimit(row.text, limit, message);
        EXPECT_EQ(read, row.limit >= 0);
        if (read)
            EXPECT_EQ(limit, row.limit);
        else
            EXPECT_FALSE(message.empty());
    }
}

TEST_F(FilterValueKindTest, RowsTheQueryFileCannotHoldAreRefusedWithAMessage)
{
    std::string message;
    CAvFilterGen onField(nullptr);
    ASSERT_TRUE(onField.DataRef().SetText("INDI.SEX"));
    onField.SetOperator(COND_EQUAL);
    CTypedValue female;
    female.SetEnum(1);
    onField.SetValue(female);
    EXPECT_TRUE(CheckFilterFitsFile(onField, message)) << message;

    CAvFilterGen onExpression(nullptr);
    ASSERT_TRUE(onExpression.DataRef().SetText("=Name(%INDI%)"));
    onExpression.SetOperator(COND_EQUAL);
    onExpression.SetValue(female);
    EXPECT_FALSE(CheckFilterFitsFile(onExpression, message));
    EXPECT_NE(message.find("enumerated"), std::string::npos) << message;

    message.clear();
    CAvFilterGen twoLineLabel(nullptr);
    ASSERT_TRUE(twoLineLabel.DataRef().SetText("INDI.NAME:SURNAME"));
    twoLineLabel.SetOperator(COND_EQUAL);
    twoLineLabel.SetParameterFlag(true);
    twoLineLabel.SetParameterLabel("Surname\nplease");
    EXPECT_FALSE(CheckFilterFitsFile(twoLineLabel, message));
    EXPECT_FALSE(message.empty());

    CAvFilterList list(nullptr);
    list.SetListName("Done");
    EXPECT_TRUE(CheckFilterFitsFile(list, message));
}

} // namespace
