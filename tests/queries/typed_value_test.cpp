// tests/queries/typed_value_test.cpp: typed values shown, written in their saved form and read
// back from it.
#include "queries/typed_value.h"

#include "database/dictionary/field_def.h"
#include "tests/database/dictionary/field_defs_for_tests.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class TypedValueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test_support::LoadTestFieldDefs());
        m_sex = test_support::DefByPath("INDI.SEX");
        ASSERT_TRUE(m_sex && m_sex->GetDataType() == FDT_ENUM);
    }

    static std::string Shown(const CTypedValue& value, const CFieldDef* context = nullptr)
    {
        std::string text;
        value.Format(text, context);
        return text;
    }
    static std::string Written(const CTypedValue& value, const CFieldDef* context = nullptr)
    {
        std::string text;
        value.Write(text, context);
        return text;
    }
    /// Reads a saved line (with its leading comma) back.
    static CTypedValue Read(std::string_view line, const CFieldDef* context = nullptr)
    {
        CTypedValue value;
        std::size_t position = 1;
        value.Parse(line, position, context);
        return value;
    }

    const CFieldDef* m_sex = nullptr;
};

struct ShownCase {
    std::function<void(CTypedValue&)> set;
    std::string shown;
    std::string written;
};

TEST_F(TypedValueTest, ShowsAndWritesEachType)
{
    CDataPath path;
    ASSERT_TRUE(path.ParseText("INDI.BIRT.DATE"));
    const ShownCase cases[] = {
        {[](CTypedValue&) {}, "<error>", ",NONE,"},
        {[](CTypedValue& v) { v.SetText("He said \"no\""); }, "He said \"no\"",
         R"(,TEXT,"He said ""no""")"},
        {[](CTypedValue& v) { v.SetDate(CDateValue(1900, 1, 5)); }, "5 JAN 1900",
         R"(,DATE,"5 JAN 1900")"},
        {[](CTypedValue& v) { v.SetNumber(-42); }, "-42", ",NUMBER,-42"},
        {[&](CTypedValue& v) { v.SetDataPath(path); }, "INDI.BIRT.DATE",
         ",TAGADDR,INDI.BIRT[1].DATE"},
        {[](CTypedValue& v) { v.SetMonthDay(12, 25); }, "12/25", ",MMDD,12/25"},
        {[](CTypedValue& v) { v.SetSpan(0, 0, 5); }, "5 days", ",SPAN,0:0:5"},
        {[](CTypedValue& v) { v.SetSpan(0, 2, 5); }, "2 months 5 days", ",SPAN,0:2:5"},
        {[](CTypedValue& v) { v.SetSpan(1, 0, 0); }, "1 years 0 months 0 days", ",SPAN,1:0:0"},
        {[](CTypedValue& v) { v.SetEnum(2); }, "<error>", ",ENUM,"},
    };
    for (const ShownCase& row : cases) {
        CTypedValue value;
        row.set(value);
        EXPECT_EQ(Shown(value), row.shown);
        EXPECT_EQ(Written(value), row.written);
    }
}

TEST_F(TypedValueTest, SavedFormReadsBackToTheSameLine)
{
    const char* const lines[] = {
        R"(,TEXT,"He said ""no""")",  R"(,DATE,"5 JAN 1900")", ",NUMBER,-42",
        ",TAGADDR,INDI.BIRT[1].DATE", ",MMDD,12/25",           ",SPAN,1:2:3",
    };
    for (const char* line : lines) {
        const CTypedValue value = Read(line);
        EXPECT_NE(value.GetType(), TV_NONE) << line;
        EXPECT_EQ(Written(value), line);
    }
}

TEST_F(TypedValueTest, UnreadableFormsReadAsNone)
{
    const char* const lines[] = {
        ",RECORD,",
        ",DATANODE,",
        ",TEXT",
        ",TEXT;x",
        ",TEXT,\"open",
        ",BOGUS,1",
        ",DATE,\"not a date\"",
        ",MMDD,12",
        ",SPAN,1:2",
        ",ENUM,\"F\"",
        ",TAGADDR,NOSUCH.TAG",
    };
    for (const char* line : lines)
        EXPECT_EQ(Read(line).GetType(), TV_NONE) << line;
}

TEST_F(TypedValueTest, NumbersReadAsTheirTextSays)
{
    EXPECT_EQ(Read(",NUMBER,").GetNumber(), 0);
    EXPECT_EQ(Read(",number, -7").GetNumber(), -7);
    EXPECT_EQ(Read(",NUMBER,99999999999").GetNumber(), 2147483647);
}

TEST_F(TypedValueTest, EnumNeedsItsFieldToShowAndRead)
{
    const int female = m_sex->FindEnumValue("F", false);
    ASSERT_GE(female, 0);
    CTypedValue value;
    value.SetEnum(female);
    EXPECT_EQ(Shown(value, m_sex), "Female");
    EXPECT_EQ(Written(value, m_sex), R"(,ENUM,"F")");
    EXPECT_EQ(Read(R"(,ENUM,"F")", m_sex).GetEnum(), female);
    EXPECT_EQ(Read(R"(,ENUM,"F")", test_support::DefByPath("INDI.NAME")).GetType(), TV_NONE);
    EXPECT_EQ(Read(R"(,ENUM,"X")", m_sex).GetType(), TV_NONE);
}

TEST_F(TypedValueTest, WrongAccessorAbandonsTheEvaluation)
{
    CTypedValue value;
    value.SetNumber(3);
    EXPECT_THROW(value.GetText(), CTypeMismatch);
    value.SetRecord(nullptr);
    EXPECT_EQ(value.GetType(), TV_NONE);
    EXPECT_THROW(value.GetNumber(), COperationAborted);
}

TEST_F(TypedValueTest, TypeNamesMatchWithoutCase)
{
    EXPECT_STREQ(GetValueTypeName(TV_SPAN), "SPAN");
    EXPECT_EQ(GetValueTypeName(10), nullptr);
    EXPECT_EQ(GetValueTypeByName("tagaddr"), TV_TAGADDR);
    EXPECT_EQ(GetValueTypeByName("TAG"), TV_NONE);
}

} // namespace
