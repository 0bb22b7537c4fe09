// tests/queries/query_filter_test.cpp: Filter rows: their one-line form, their descriptions, what
// they refuse to write, and their parameters.
#include "database/nodes/change_hint.h"
#include "queries/query_filter.h"

#include "database/dictionary/qualifier_table.h"
#include "tests/queries/query_test_family.h"

#include <gtest/gtest.h>

namespace {

/// A row read from its line (null when it does not read).
std::unique_ptr<CAvFilter> ReadLine(std::string_view line)
{
    constexpr std::string_view kKey = "FILTER=";
    if (!line.starts_with(kKey))
        return nullptr;
    line.remove_prefix(kKey.size());
    auto filter = NewFilterOfKind(line, nullptr);
    std::size_t position = 3;
    while (position < line.size() && line[position] == ' ')
        ++position;
    if (!filter || position >= line.size() || line[position] != ',')
        return nullptr;
    ++position;
    return filter->Load(line, position) ? std::move(filter) : nullptr;
}

std::string SavedLine(const CAvFilter& filter)
{
    std::string line;
    return filter.Save(line) ? line : "<not written>";
}

class QueryFilterTest : public CQueryFamilyTest {};

TEST_F(QueryFilterTest, EveryFieldOfALineReadsBackAsWritten)
{
    const char* lines[] = {
        R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME:SURNAME",,"=",TEXT,"He said ""no""")x",
        R"x(FILTER=GEN,EXC,UNLESS,N,"","INDI.NAME",MC,"contains",TEXT,"Smith")x",
        R"x(FILTER=GEN,ADD,UNLESS,N,"","INDI.BIRT.DATE",,"null")x",
        R"x(FILTER=GEN,ADD,IF,N,"","INDI.BIRT.DATE",,">",DATE,"1 JAN 1899")x",
        R"x(FILTER=GEN,ADD,IF,N,"","INDI.SEX",,"=",ENUM,"F")x",
        R"x(FILTER=GEN,ADD,IF,N,"","INDI.BIRT.DATE:MONTH_AND_DAY",,"=",MMDD,12/25)x",
        R"x(FILTER=GEN,ADD,IF,N,"","=ChildCount()",,">",NUMBER,-3)x",
        R"x(FILTER=GEN,ADD,IF,Y,"Which ""name""?","INDI.NAME",,"begins")x",
        R"x(FILTER=LST,EXC,IF,N,"","Done, ""really""")x",
        R"x(FILTER=REL,ADD,IF,Y,"Person",ANC,ORG,SP,3)x",
        R"x(FILTER=REL,EXC,UNLESS,N,"",SPOUSE,,)x",
        R"x(FILTER=REL,ADD,IF,N,"",DESC,,SP)x",
    };
    for (const char* line : lines) {
        auto filter = ReadLine(line);
        ASSERT_TRUE(filter) << line;
        EXPECT_EQ(SavedLine(*filter), line);
    }
}

TEST_F(QueryFilterTest, ReadingAllowsBlanksAndAnyCase)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"x(FILTER=gen , add , unless , y , "L" , "INDI.NAME" , mc , "CONTAINS" , text , "x")x",
         R"x(FILTER=GEN,ADD,UNLESS,Y,"L","INDI.NAME",MC,"contains",TEXT,"x")x"},
        {R"x(FILTER=GEN,ADD,IF,n,"dropped","INDI.NAME",,"null")x",
         R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME",,"null")x"},
        // A node chosen at run time is written by its type name alone and comes back empty.
        {R"x(FILTER=GEN,ADD,IF,Y,"","INDI.NAME",,"begins",DATANODE,)x",
         R"x(FILTER=GEN,ADD,IF,Y,"","INDI.NAME",,"begins")x"},
        {R"x(FILTER=lst,add,if,Y,"label","Done")x", R"x(FILTER=LST,ADD,IF,N,"","Done")x"},
        {R"x(FILTER=rel,add,if,n,"",desc , org , sp , -4)x",
         R"x(FILTER=REL,ADD,IF,N,"",DESC,ORG,SP)x"},
        {R"x(FILTER=REL,ADD,IF,N,"",ANC,ORGX,,2)x", R"x(FILTER=REL,ADD,IF,N,"",ANC,,,2)x"},
    };
    for (const auto& [line, canonical] : cases) {
        auto filter = ReadLine(line);
        ASSERT_TRUE(filter) << line;
        EXPECT_EQ(SavedLine(*filter), canonical);
    }
}

TEST_F(QueryFilterTest, MalformedLinesDoNotRead)
{
    const char* lines[] = {
        R"x(FILTER=XYZ,ADD,IF,N,"","INDI.NAME",,"null")x",
        R"x(FILTER=GEN,ADX,IF,N,"","INDI.NAME",,"null")x",
        R"x(FILTER=GEN,ADD,WHEN,N,"","INDI.NAME",,"null")x",
        R"x(FILTER=GEN,ADD,IF,X,"","INDI.NAME",,"null")x",
        R"x(FILTER=GEN,ADD,IF,N,unquoted,"INDI.NAME",,"null")x",
        R"x(FILTER=GEN,ADD,IF,N,"","NOSUCH.TAG",,"null")x",
        R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME",XX,"null")x",
        R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME",,"resembles")x",
        R"x(FILTER=LST,ADD,IF,N,"",Done)x",
        R"x(FILTER=REL,ADD,IF,N,"",COUSIN,,)x",
        R"x(FILTER=REL,ADD,IF,N,"",ANC)x",
    };
    for (const char* line : lines)
        EXPECT_FALSE(ReadLine(line)) << line;
}

TEST_F(QueryFilterTest, AValueThatDoesNotReadLeavesTheRowWaitingForOne)
{
    const char* lines[] = {
        R"x(FILTER=GEN,ADD,IF,Y,"Name","INDI.NAME",,"=",TEXT,unquoted)x",
        R"x(FILTER=GEN,ADD,IF,Y,"Sex","INDI.SEX",,"=",ENUM,"Q")x",
        R"x(FILTER=GEN,ADD,IF,Y,"Born","INDI.BIRT.DATE",,"<",DATE,"32 FEB -5")x",
    };
    for (const char* line : lines) {
        auto filter = ReadLine(line);
        ASSERT_TRUE(filter) << line;
        EXPECT_TRUE(static_cast<CAvFilterGen&>(*filter).GetValue().IsNone()) << line;
        EXPECT_TRUE(filter->NeedsParameter()) << "asked for when the query runs: " << line;
    }
}

TEST_F(QueryFilterTest, DescriptionsWordEveryKindOfRow)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME:SURNAME",,"=",TEXT,"Smith")x",
         "Add if %INDI.NAME:SURNAME% matches 'Smith'."},
        {R"x(FILTER=GEN,EXC,UNLESS,N,"","INDI.NAME",MC,"contains",TEXT,"Sm")x",
         "Exclude unless %INDI.NAME% contains 'Sm'.  Case-sensitive."},
        {R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME",,"begins")x",
         "Add if %INDI.NAME% begins with '[value to be supplied]'."},
        {R"x(FILTER=GEN,ADD,IF,Y,"Who","INDI.NAME",,"begins")x",
         "Add if %INDI.NAME% begins with [\"Who\"]."},
        {R"x(FILTER=GEN,ADD,IF,N,"","INDI.BIRT.DATE",,"null")x", "Add if %INDI.BIRT.DATE% is null"},
        {R"x(FILTER=GEN,ADD,IF,N,"","INDI.BIRT.DATE",,">",DATE,"1 JAN 1899")x",
         "Add if %INDI.BIRT.DATE% was later than 1 JAN 1899"},
        {R"x(FILTER=GEN,ADD,IF,N,"","INDI.SEX",,"=",ENUM,"F")x",
         "Add if %INDI.SEX% matches Female"},
        {R"x(FILTER=GEN,ADD,IF,N,"","=ChildCount()",,"<",NUMBER,2)x",
         "Add if =ChildCount() is less than 2"},
        {R"x(FILTER=LST,EXC,IF,N,"","Done")x", "Exclude if in list \"Done\""},
        {R"x(FILTER=REL,ADD,IF,Y,"Person",ANC,ORG,SP,3)x",
         "Add if an ancestor (max. 3 generations) of [\"Person\"].  Include original "
         "individual.  Include relatives spouses."},
        {R"x(FILTER=REL,ADD,UNLESS,N,"",DESC,,)x",
         "Add unless a descendant of anyone in the current result set."},
        {R"x(FILTER=REL,ADD,IF,N,"",SPOUSE,,)x",
         "Add if a spouse of anyone in the current result set."},
    };
    for (const auto& [line, description] : cases) {
        auto filter = ReadLine(line);
        ASSERT_TRUE(filter) << line;
        EXPECT_EQ(filter->Describe(), description) << line;
    }
}

TEST_F(QueryFilterTest, RowsThatCannotReadBackAreNotWritten)
{
    CAvFilterGen enumOfExpression(nullptr);
    ASSERT_TRUE(enumOfExpression.DataRef().SetText("=Name()"));
    enumOfExpression.SetOperator(COND_EQUAL);
    CTypedValue value;
    value.SetEnum(1);
    enumOfExpression.SetValue(value);

    CAvFilterGen textWithBreak(nullptr);
    ASSERT_TRUE(textWithBreak.DataRef().SetText("INDI.NAME"));
    textWithBreak.SetOperator(COND_EQUAL);
    value.SetText("two\nlines");
    textWithBreak.SetValue(value);

    CAvFilterGen labelWithBreak(nullptr);
    ASSERT_TRUE(labelWithBreak.DataRef().SetText("INDI.NAME"));
    labelWithBreak.SetOperator(COND_BEGINS);
    labelWithBreak.SetParameterFlag(true);
    labelWithBreak.SetParameterLabel("a\r\nb");

    CAvFilterGen noOperator(nullptr);
    ASSERT_TRUE(noOperator.DataRef().SetText("INDI.NAME"));

    CAvFilterList listWithBreak(nullptr);
    listWithBreak.SetListName("x\ny");

    CAvFilterRels badKind(nullptr);
    badKind.SetRelationKind(7);

    for (const CAvFilter* filter :
         std::initializer_list<const CAvFilter*>{&enumOfExpression, &textWithBreak, &labelWithBreak,
                                                 &noOperator, &listWithBreak, &badKind}) {
        std::string text = "kept";
        EXPECT_FALSE(filter->Save(text)) << filter->Describe();
        EXPECT_EQ(text, "kept");
    }
}

TEST_F(QueryFilterTest, ParametersTakeOnlyValuesOfTheirType)
{
    auto surname = ReadLine(R"x(FILTER=GEN,ADD,IF,Y,"","INDI.NAME:SURNAME",,"=")x");
    auto person = ReadLine(R"x(FILTER=REL,ADD,IF,Y,"",DESC,,)x");
    auto fixed = ReadLine(R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME",,"=")x");
    ASSERT_TRUE(surname && person && fixed);

    CParameterPrompt prompt;
    ASSERT_TRUE(surname->GetParameterPrompt(prompt));
    EXPECT_EQ(prompt.m_type, TV_TEXT);
    EXPECT_EQ(prompt.m_label, "Name");
    ASSERT_TRUE(person->GetParameterPrompt(prompt));
    EXPECT_EQ(prompt.m_type, TV_RECORD);
    EXPECT_EQ(prompt.m_context, Rec("John")->GetFieldDef());
    EXPECT_FALSE(fixed->GetParameterPrompt(prompt));

    CTypedValue text;
    text.SetText("Smith");
    CTypedValue note;
    note.SetRecord(Rec("N1"));
    CTypedValue john;
    john.SetRecord(Rec("John"));
    EXPECT_TRUE(surname->NeedsParameter());
    EXPECT_FALSE(surname->SetParameter(john));
    EXPECT_TRUE(surname->SetParameter(text));
    EXPECT_FALSE(surname->NeedsParameter());
    EXPECT_FALSE(fixed->SetParameter(text));
    EXPECT_TRUE(person->NeedsParameter());
    EXPECT_FALSE(person->SetParameter(note));
    EXPECT_FALSE(person->SetParameter(text));
    EXPECT_TRUE(person->SetParameter(john));
    EXPECT_FALSE(person->NeedsParameter());
}

TEST_F(QueryFilterTest, RowsForgetRecordsGoingAway)
{
    auto person = ReadLine(R"x(FILTER=REL,ADD,IF,Y,"",DESC,,)x");
    auto record = ReadLine(R"x(FILTER=GEN,ADD,IF,Y,"","FAM.HUSB",,"is")x");
    ASSERT_TRUE(person && record);
    CTypedValue peter;
    peter.SetRecord(Rec("Peter"));
    ASSERT_TRUE(person->SetParameter(peter));
    ASSERT_TRUE(record->SetParameter(peter));
    EXPECT_FALSE(person->RefersTo(kHintRecordsEdited));
    EXPECT_TRUE(person->RefersTo(kHintDataSetClearing));

    GetRecordTypeRoot(record_test::kIndi)->DeleteChild(Rec("Peter"));
    EXPECT_TRUE(person->RefersTo(kHintRecordsEdited));
    EXPECT_TRUE(record->RefersTo(kHintRecordsEdited));
    person->OnRecordDeleted(kHintRecordsEdited);
    record->OnRecordDeleted(kHintRecordsEdited);
    EXPECT_TRUE(person->NeedsParameter());
    EXPECT_TRUE(record->NeedsParameter());
    NotifyChanges();
}

} // namespace
