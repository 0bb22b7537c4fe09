// tests/queries/expression_functions_test.cpp: every built-in function evaluated on a small
// family, the relationship functions through a pool that says what it was asked, and sorting.
#include "database/nodes/change_hint.h"
#include "queries/expression.h"

#include "queries/relationship_pool.h"

#include "tests/queries/expression_test_family.h"

#include <vector>

namespace {

using ExpressionFunctionsTest = CExpressionFamilyTest;

struct ValueCase {
    const char* text;
    const char* record;
    const char* value;
};

TEST_F(ExpressionFunctionsTest, EachFunctionGivesItsValue)
{
    Rec("O1")->SetChangeStamp(COleDateTime(2026, 12, 6, 9, 5, 0));
    Rec("N1")->SetChangeStamp(COleDateTime()); // never changed
    const ValueCase cases[] = {
        {"=LifeDates()", "John", "1900-1950"},
        {"=LifeDates()", "Anne", ""},
        {"=LifeDates2()", "Anne", " - "},
        {"=LifeDates()", "N1", ""},
        {"=AgeAt(,%INDI.DEAT.DATE%)", "John", "50"},
        {"=AgeAt(,%INDI.DEAT.DATE%)", "Mary", ""},
        {"=AgeAt(,%INDI.DEAT.DATE%)", "F1", ""}, // a path of another record type
        {"=AgeAt(,%INDI.~FATH>DEAT.DATE%)", "Peter", "25"},
        {"=AgeAt(,%INDI.~FATH>DEAT.DATE%)", "Anne", ""},
        {"=AgeAt(%INDI.~FATH>%,%INDI.BIRT.DATE%)", "Peter", "25"},
        {"=RecordId()", "Tom", "6"},
        {"=RecordId()", "F2", "2"},
        {"=ChildCount()", "F1", "2"},
        {"=ChildCount()", "John", "2"},
        {"=ChildCount()", "Tom", "0"},
        {"=ChildCount()", "N1", ""},
        {"=LinksTo()", "F1", "4"},
        {"=LinksTo()", "N1", "0"},
        {"=LinksTo(%INDI.~FATH>%)", "Tom", "2"},
        {"=LinksFrom(,%INDI.FAMS>%)", "John", "1"},
        {"=LinksFrom(%INDI.FAMS>%,)", "John", "1"},
        {"=LinksFrom(%INDI.FAMC>%,)", "John", "0"}, // no parent family: no record
        {"=SourceLinks(,)", "F1", "0"},
        {"=RelationPool()", "Tom", "1"},
        {"=RelationPool()", "N1", ""},
        {"=AhnentafelNumber(,%INDI.~FATH>~FATH>%,1)", "Tom", "4"},
        {"=AhnentafelNumber(,%INDI.~FATH>~FATH>%,2)", "Tom", ""},
        {"=AhnentafelNumber(,%INDI.~FATH>~FATH>%,0)", "Tom", ""},
        {"=LastUpdated()", "O1", "12/6/2026 09:05"},
        {"=LastUpdated()", "N1", ""},
        {"=IsEmbedded()", "O1", ""},
        {"=IsEmbedded()", "O2", "Y"},
        {"=IsEmbedded()", "John", ""},
        {"=MediaType()", "John", ""},
        {"=Name()", "N1", ""},
        {"=Name()", "", ""},
    };
    for (const ValueCase& row : cases)
        EXPECT_EQ(Value(row.text, row.record), row.value) << row.text << " on " << row.record;
}

TEST_F(ExpressionFunctionsTest, AgeAtADateThatCannotBeReadHasNoValue)
{
    // Mary was born in 1902; a death date kept only as text gives no age, never a negative one.
    CDataNode* death = Rec("Mary")->CreateChildByTag("DEAT");
    for (const char* date : {"8 MAR 1137/1138", "(after the war)", "sometime"}) {
        SetField(death, "DATE", date);
        EXPECT_EQ(Value("=AgeAt(,%INDI.DEAT.DATE%)", "Mary"), "") << date;
    }
    SetField(death, "DATE", "ABT 1970");
    EXPECT_EQ(Value("=AgeAt(,%INDI.DEAT.DATE%)", "Mary"), "68");
}

TEST_F(ExpressionFunctionsTest, NameAndMediaTypeShowTheRecordsOwnTexts)
{
    std::string name;
    Rec("Tom")->GetText(name, 0);
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(Value("=Name()", "Tom"), name);
    EXPECT_EQ(Value("=Name(%INDI.~FATH>%)", "Tom"), Value("=Name()", "Peter"));
    EXPECT_NE(Value("=MediaType()", "O2"), "");
}

TEST_F(ExpressionFunctionsTest, AhnentafelNumbersSeenFromABoundRoot)
{
    CExpression expression;
    ASSERT_TRUE(expression.Parse(R"(=AhnentafelNumber(["Root"],,1))"));
    CTypedValue root;
    root.SetRecord(Rec("Tom"));
    ASSERT_TRUE(expression.SetParameterValue(0, root));
    const std::pair<const char*, const char*> expected[] = {
        {"Tom", "1"}, {"Peter", "2"}, {"Sue", "3"}, {"John", "4"}, {"Mary", "5"}, {"Anne", ""},
    };
    for (const auto& [person, number] : expected) {
        std::string text;
        expression.EvaluateToText(text, Rec(person));
        EXPECT_EQ(text, number) << person;
    }
}

/// The value of an expression with its first argument bound to root, for a record.
std::string FromRoot(std::string_view text, CRecordNode* root, CRecordNode* record)
{
    CExpression expression;
    if (!expression.Parse(text))
        return "<parse error>";
    expression.SetArgRecord(0, root);
    std::string value;
    expression.EvaluateToText(value, record);
    return value;
}

TEST_F(ExpressionFunctionsTest, RelationshipsAreWordedFromTheRoot)
{
    InstallRelationshipPoolFactory();
    const ValueCase cases[] = {
        {"=Relationship(,,TEXT,1)", "Mary", "wife"},
        {"=Relationship(,,TEXT,1)", "Peter", "son"},
        {"=Relationship(,,TEXT,1)", "Anne", "daughter"},
        {"=Relationship(,,TEXT,1)", "Sue", "daughter-in-law"},
        {"=Relationship(,,TEXT,1)", "Tom", "grandson"},
        {"=Relationship(,,TEXT,2)", "Tom", "wife's grandson"},
        // An occurrence below 1 asks for no relationship rather than the second one.
        {"=Relationship(,,TEXT,0)", "Tom", ""},
        {"=Relationship(,,CODE,1)", "Tom",
         "Gens. Up=0, Gens. Down=2, Half=0, Spouse Start=0, Spouse End=0"},
        {"=RelationCode(,,GENERATION,1)", "Tom", "2"},
        {"=RelationCode(,,GENS_DOWN,1)", "Tom", "2"},
        {"=RelationCode(,,SPOUSE_END,1)", "Sue", "1"},
        {"=RelationCode(,,GENERATION,0)", "Tom", ""},
        {"=Relationship(,,TEXT,1)", "N1", ""},
    };
    for (const ValueCase& row : cases)
        EXPECT_EQ(FromRoot(row.text, Rec("John"), Rec(row.record)), row.value)
            << row.text << " " << row.record;
}

TEST_F(ExpressionFunctionsTest, RelationshipOfTheEvaluatedPersonIsAskedTheOtherWayRound)
{
    InstallRelationshipPoolFactory();
    const ValueCase cases[] = {
        {"=Relationship(%INDI.~FATH>%,,TEXT,1)", "Tom", "son"},
        {"=Relationship(,%INDI.~FATH>%,TEXT,1)", "Tom", "father"},
        {"=RelationCode(,%INDI.~FATH>~FATH>%,GENERATION,1)", "Tom", "-2"},
        {"=Relationship(%INDI.~FATH>%,,TEXT,1)", "John", ""},
    };
    for (const ValueCase& row : cases)
        EXPECT_EQ(Value(row.text, row.record), row.value) << row.text << " on " << row.record;

    CExpression expression;
    ASSERT_TRUE(expression.Parse("=Relationship(,,TEXT,1)"));
    expression.SetArgRecord(1, Rec("John"));
    std::string text;
    expression.EvaluateToText(text, Rec("Tom"));
    EXPECT_EQ(text, "grandfather");
    EXPECT_EQ(expression.GetHeldRoot(), Rec("John"));
}

TEST_F(ExpressionFunctionsTest, RelationshipRootIsHeldUntilRecordsGo)
{
    InstallRelationshipPoolFactory();
    CExpression expression;
    ASSERT_TRUE(expression.Parse(R"(=Relationship(["Root"],,TEXT,1))"));
    std::string text;
    expression.EvaluateToText(text, Rec("Tom"));
    EXPECT_EQ(text, ""); // an unset parameter stands for no one
    CTypedValue root;
    root.SetRecord(Rec("John"));
    ASSERT_TRUE(expression.SetParameterValue(0, root));
    int index = -1;
    EXPECT_EQ(expression.GetRelationshipRoot(index, false), Rec("John"));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(expression.GetHeldRoot(), Rec("John"));
    expression.EvaluateToText(text, Rec("Tom"));
    EXPECT_EQ(text, "grandson");
    {
        const CExpression copy(expression);
        EXPECT_EQ(copy.GetHeldRoot(), Rec("John"));
    }
    EXPECT_TRUE(AddRefRecordCache(Rec("John")));
    ReleaseRecordCache(Rec("John"));
    expression.OnRecordsDeleted(kHintDataSetClearing);
    EXPECT_EQ(expression.GetHeldRoot(), nullptr);
    EXPECT_FALSE(AddRefRecordCache(Rec("John")));
}

TEST_F(ExpressionFunctionsTest, RecordsWithoutAValueSortFirst)
{
    Rec("O1")->SetChangeStamp(COleDateTime(2026, 12, 6, 9, 5, 0));
    Rec("N1")->SetChangeStamp(COleDateTime()); // never changed
    Rec("O2")->SetChangeStamp(COleDateTime(2025, 1, 1, 0, 0, 0));
    struct CompareCase {
        const char* text;
        const char* a;
        const char* b;
        int order;
    };
    const CompareCase cases[] = {
        {"=LastUpdated()", "N1", "O1", -1},  {"=LastUpdated()", "O1", "O2", 1},
        {"=LastUpdated()", "N1", "N1", 0},   {"=ChildCount()", "N1", "Tom", -1},
        {"=ChildCount()", "F1", "F2", 1},    {"=RecordId()", "Mary", "Sue", -1},
        {"=LifeDates()", "N1", "John", -1},  {"=LifeDates()", "John", "N1", 1},
        {"=LifeDates()", "Mary", "John", 1}, {"=LifeDates()", "N1", "F1", 0},
        {"=Name()", "Tom", "Tom", 0},        {"=AgeAt(,%INDI.DEAT.DATE%)", "F1", "John", -1},
    };
    for (const CompareCase& row : cases) {
        CExpression expression;
        ASSERT_TRUE(expression.Parse(row.text));
        EXPECT_EQ(expression.CompareRecords(Rec(row.a), Rec(row.b)), row.order)
            << row.text << " " << row.a << " " << row.b;
    }
}

} // namespace
