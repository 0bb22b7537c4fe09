// tests/database/paths/data_ref_test.cpp: tests of data references: path or expression, evaluation
// on records, and copies.
#include "database/paths/data_ref.h"

#include "database/records/record_id_state.h"
#include "tests/database/paths/data_path_test_family.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

/// An expression language of one function, "=Name()", written back in that spelling, whose
/// value is "name of" and the record's identifier; it applies to individuals only.
class CFakeExpression final : public IDataExpression {
public:
    explicit CFakeExpression(int* clones) : m_clones(clones) {}
    std::unique_ptr<IDataExpression> Clone() const override
    {
        ++*m_clones;
        return std::make_unique<CFakeExpression>(m_clones);
    }
    void FormatText(std::string& text) const override { text = "=Name()"; }
    void EvaluateToText(std::string& text, CRecordNode* record) override
    {
        text = "name of " + record->GetIdText();
    }
    bool IsValidForRecordType(const CFieldDef* topDef) const override
    {
        return topDef == GetRecordTypeDef(RECORD_LIST_INDI);
    }

private:
    int* m_clones;
};

class CFakeParser final : public IDataExpressionParser {
public:
    std::unique_ptr<IDataExpression> ParseExpression(std::string_view text) override
    {
        if (text != "=Name()" && text != "= name ( )")
            return nullptr;
        return std::make_unique<CFakeExpression>(&m_clones);
    }
    int m_clones = 0;
};

class DataRefTest : public CDataPathFamilyTest {
protected:
    void TearDown() override
    {
        SetDataExpressionParser(nullptr);
        CDataPathFamilyTest::TearDown();
    }

    static std::string Printed(const CDataRef& ref)
    {
        std::string text = "old";
        ref.Format(text);
        return text;
    }
    std::string Evaluated(const CDataRef& ref, CRecordNode* record)
    {
        std::string text = "old";
        ref.Evaluate(text, record);
        return text;
    }

    CFakeParser m_parser;
};

struct RefRow {
    const char* text;
    bool withParser;
    bool parsed;
    DataRefKind kind;
    const char* printed;
    bool forIndividuals;
    const char* ofAnn;
};

TEST_F(DataRefTest, TextsBecomeEmptyPathOrExpressionReferences)
{
    const RefRow rows[] = {
        {"", false, false, DATAREF_EMPTY, "", false, ""},
        {"INDI.BIRT.DATE:year", false, true, DATAREF_PATH, "INDI.BIRT.DATE:YEAR", true, "1930"},
        {"INDI.~SPOU[2]>NAME:SURNAME", true, true, DATAREF_PATH, "INDI.~SPOU[2]>NAME:SURNAME", true,
         "GREEN"},
        {"INDI.DEAT.DATE", false, true, DATAREF_PATH, "INDI.DEAT.DATE", true, ""},
        {"FAM.HUSB>NAME", false, true, DATAREF_PATH, "FAM.HUSB>NAME", false, ""},
        {"@INDI_EVENTS.BIRT.DATE", false, true, DATAREF_PATH, "@INDI_EVENTS.BIRT.DATE", false, ""},
        {"INDI.BOGUS", false, false, DATAREF_EMPTY, "", false, ""},
        {"= name ( )", true, true, DATAREF_EXPRESSION, "=Name()", true, "name of I4"},
        {"=LifeDates(%INDI%)", true, false, DATAREF_EMPTY, "", false, ""},
        {"=", true, false, DATAREF_EMPTY, "", false, ""},
        {"= LifeDates( %INDI% )", false, true, DATAREF_EXPRESSION, "= LifeDates( %INDI% )", false,
         ""},
    };
    for (const RefRow& row : rows) {
        SCOPED_TRACE(row.text);
        SetDataExpressionParser(row.withParser ? &m_parser : nullptr);
        CDataRef ref;
        ASSERT_TRUE(ref.SetText("INDI.NAME"));
        EXPECT_EQ(ref.SetText(row.text), row.parsed);
        EXPECT_EQ(ref.GetKind(), row.kind);
        EXPECT_EQ(ref.GetPath() != nullptr, row.kind == DATAREF_PATH);
        EXPECT_EQ(Printed(ref), row.printed);
        EXPECT_EQ(ref.IsValidForRecordType(GetRecordTypeDef(RECORD_LIST_INDI)), row.forIndividuals);
        EXPECT_EQ(Evaluated(ref, m_ann), row.ofAnn);
        EXPECT_EQ(Evaluated(ref, nullptr), "");
    }
}

TEST_F(DataRefTest, APathOfAnotherRecordTypeEvaluatesToNothing)
{
    CDataRef ref;
    ASSERT_TRUE(ref.SetText("INDI.BIRT.DATE"));
    CRecordNode* family = m_ann->GetNextSpouseFamily(nullptr);
    EXPECT_EQ(Evaluated(ref, family), "");
    ASSERT_TRUE(ref.SetText("FAM.HUSB>NAME:SURNAME"));
    EXPECT_EQ(Evaluated(ref, family), "BROWN");
    EXPECT_TRUE(ref.IsValidForRecordType(GetRecordTypeDef(RECORD_LIST_FAM)));
}

TEST_F(DataRefTest, AFieldsTextIsGivenWholeHoweverLong)
{
    std::string occupation;
    for (int i = 0; occupation.size() < 20000; ++i)
        occupation += "trade " + std::to_string(i) + ", ";
    SetField(m_ann, "OCCU", occupation);
    CDataRef ref;
    ASSERT_TRUE(ref.SetText("INDI.OCCU"));
    const std::string evaluated = Evaluated(ref, m_ann);
    EXPECT_EQ(evaluated.size(), occupation.size());
    EXPECT_TRUE(evaluated == occupation);
}

TEST_F(DataRefTest, CopiesOwnTheirOwnParsedForm)
{
    SetDataExpressionParser(&m_parser);
    CDataRef expression;
    ASSERT_TRUE(expression.SetText("=Name()"));
    CDataRef copy(expression);
    EXPECT_EQ(m_parser.m_clones, 1);
    EXPECT_NE(copy.GetExpression(), expression.GetExpression());
    const CDataRef& itself = copy;
    copy = itself;
    EXPECT_EQ(m_parser.m_clones, 1) << "assigning to itself copies nothing";
    EXPECT_EQ(Printed(copy), "=Name()");

    CDataRef path;
    ASSERT_TRUE(path.SetText("INDI.NAME[2]:SURNAME"));
    copy = path;
    EXPECT_EQ(copy.GetKind(), DATAREF_PATH);
    EXPECT_EQ(copy.GetExpression(), nullptr);
    ASSERT_TRUE(path.SetText("INDI.BIRT.PLAC"));
    EXPECT_EQ(Evaluated(copy, m_ann), "BROWN");

    CDataPath parsed;
    ASSERT_TRUE(parsed.ParseText("INDI.BIRT.PLAC"));
    EXPECT_TRUE(copy.SetPath(parsed));
    parsed.Clear();
    EXPECT_EQ(Evaluated(copy, m_ann), "York");
    copy.Clear();
    EXPECT_EQ(copy.GetKind(), DATAREF_EMPTY);
    EXPECT_FALSE(copy.IsValidForRecordType(nullptr));
}

} // namespace
