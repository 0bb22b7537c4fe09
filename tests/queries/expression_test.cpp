// tests/queries/expression_test.cpp: expressions read, written back in their one form, bound
// to records and parameters, copied, and read by data references.
#include "database/nodes/change_hint.h"
#include "queries/expression.h"

#include "database/paths/data_ref.h"
#include "tests/queries/expression_test_family.h"

namespace {

using ExpressionTest = CExpressionFamilyTest;

/// The written form of a text; "<parse error>" when it does not parse.
std::string Printed(std::string_view text)
{
    CExpression expression;
    if (!expression.Parse(text))
        return "<parse error>";
    std::string printed = "kept";
    expression.FormatText(printed, false);
    return printed;
}

struct PrintCase {
    const char* text;
    const char* printed;
};

TEST_F(ExpressionTest, ParsesAndPrintsBackInItsOneForm)
{
    const PrintCase cases[] = {
        {"=Name()", "=Name()"},
        {"= name ( )", "=Name()"},
        {"= relationship ( %INDI.~FATH>% , , text , 2 )", "=Relationship(%INDI.~FATH>%,,TEXT,2)"},
        {"=RelationCode(,,gens_up,1)", "=RelationCode(,,GENS_UP,1)"},
        {"=AgeAt(,%INDI.DEAT.DATE%)", "=AgeAt(,%INDI.DEAT.DATE%)"},
        {R"(=AgeAt(,["At date"]))", R"(=AgeAt(,["At date"]))"},
        {R"(=AgeAt([ "He said ""hi""" ] ,))", R"(=AgeAt(["He said ""hi"""],))"},
        {R"(=AgeAt(,[""]))", R"(=AgeAt(,[""]))"},
        {"=AhnentafelNumber(,,007)", "=AhnentafelNumber(,,7)"},
        {"=LinksFrom(,%INDI.FAMS>%)", "=LinksFrom(,%INDI.FAMS>%)"},
        {R"(=SourceLinks(["Source"],))", R"(=SourceLinks(["Source"],))"},
    };
    for (const PrintCase& row : cases)
        EXPECT_EQ(Printed(row.text), row.printed) << row.text;
}

TEST_F(ExpressionTest, RefusesWhatIsNotAnExpression)
{
    const char* const cases[] = {
        "Name()",
        "=",
        "=Nam()",
        "=NameX()",
        "=Name",
        "=Name(",
        "=Name() x",
        "=Name(,)",
        "=LifeDates(,)",
        "=Relationship(,,TEXT)",
        "=Relationship(,,TEXTX,1)",
        "=AhnentafelNumber(,,-1)",
        "=AhnentafelNumber(,,1x)",
        "=AhnentafelNumber(,,+1)",
        "=AhnentafelNumber(,,99999999999)",
        "=Name(%INDI.~FATH>)",
        "=Name(%%)",
        "=Name(%INDI.BIRT.DATE%)",
        "=AgeAt(,%INDI.NAME%)",
        "=MediaType(%INDI%)",
        "=Name([Root])",
        R"(=Name(["Root"))",
        "=Name(Root)",
        // Parameters only where the user can be asked for a value.
        R"(=MediaType(["Picture"]))",
        R"(=RelationCode(,,["Measure"],1))",
        R"(=Relationship(,,["Form"],1))",
    };
    for (const char* text : cases)
        EXPECT_EQ(Printed(text), "<parse error>") << text;
}

TEST_F(ExpressionTest, ParametersAreCountedAndSet)
{
    CExpression expression;
    ASSERT_TRUE(expression.Parse(R"(=AgeAt(,["At date"]))"));
    EXPECT_EQ(expression.GetParameterCount(), 1);
    EXPECT_EQ(expression.GetUnboundCount(), 2);
    EXPECT_TRUE(expression.HasUnsetParameter());
    CTypedValue date;
    date.SetDate(CDateValue(1940, 1, 1));
    EXPECT_FALSE(expression.SetParameterValue(1, date));
    EXPECT_TRUE(expression.SetParameterValue(0, date));
    EXPECT_FALSE(expression.HasUnsetParameter());
    std::string value;
    expression.EvaluateToText(value, Rec("John"));
    EXPECT_EQ(value, "40");
    CExpression none;
    ASSERT_TRUE(none.Parse("=Name()"));
    EXPECT_FALSE(none.SetParameterValue(0, date));
}

TEST_F(ExpressionTest, BindingAnArgumentReplacesItsParameter)
{
    CExpression expression;
    ASSERT_TRUE(expression.Parse(R"(=AhnentafelNumber(["Root"],,1))"));
    expression.SetArgRecord(0, Rec("Tom"));
    EXPECT_EQ(expression.GetParameterCount(), 0);
    EXPECT_EQ(expression.GetUnboundCount(), 1);
    EXPECT_FALSE(expression.HasUnsetParameter());
    std::string text;
    expression.FormatText(text, false);
    EXPECT_EQ(text, "=AhnentafelNumber(,,1)");

    CExpression copy(expression);
    expression.OnRecordsDeleted(kHintDataSetClearing);
    EXPECT_TRUE(expression.GetArg(0).m_value.IsNone());
    copy.EvaluateToText(text, Rec("John"));
    EXPECT_EQ(text, "4");
}

TEST_F(ExpressionTest, WrongValueInAKeywordPositionFailsTheEvaluation)
{
    CExpression expression;
    ASSERT_TRUE(expression.Parse("=Relationship(,,,1)"));
    std::string text = "old";
    EXPECT_THROW(expression.Evaluate(text, Rec("John")), CTypeMismatch);
    expression.EvaluateToText(text, Rec("John"));
    EXPECT_EQ(text, "");
}

TEST_F(ExpressionTest, DataReferencesReadExpressionsOnceInstalled)
{
    InstallExpressionEngine();
    CDataRef reference;
    EXPECT_TRUE(reference.SetText("= name ( )"));
    std::string text;
    reference.Format(text);
    EXPECT_EQ(text, "=Name()");
    reference.Evaluate(text, Rec("Tom"));
    EXPECT_EQ(text, Value("=Name()", "Tom"));
    EXPECT_FALSE(reference.SetText("=Nobody()"));

    // A parameter without a label survives being written and read again.
    ASSERT_TRUE(reference.SetText(R"(=AgeAt(,[""]))"));
    const CDataRef copy = reference;
    copy.Format(text);
    EXPECT_TRUE(reference.SetText(text));
    EXPECT_EQ(text, R"(=AgeAt(,[""]))");
    EXPECT_TRUE(reference.IsValidForRecordType(Rec("Tom")->GetFieldDef()));
    ASSERT_TRUE(reference.SetText("=AgeAt(,%INDI.DEAT.DATE%)"));
    EXPECT_FALSE(reference.IsValidForRecordType(Rec("F1")->GetFieldDef()));
    SetDataExpressionParser(nullptr);
}

} // namespace
