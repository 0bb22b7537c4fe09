// tests/database/paths/data_path_test.cpp: tests of data paths: parsing and printing, refusals,
// resolving from a record, and labels.
#include "database/paths/data_path.h"

#include "database/records/record_id_state.h"
#include "tests/database/paths/data_path_test_family.h"

#include <gtest/gtest.h>

#include <string>

using namespace record_test;

namespace {

/// The parsed steps in short: the tag (or ~ and the relation kind), "-" and the type name,
/// "#" and the 0-based instance, "<" for up-to, ">" for follow; then ":" and the qualifier id.
std::string Describe(const CDataPath& path)
{
    std::string text;
    for (const CDataPathStep* step = path.NextStep(nullptr); step; step = path.NextStep(step)) {
        text += text.empty() ? "" : " ";
        text +=
            step->m_kind == DPS_FIELD ? step->m_def->GetTag() : "~" + std::to_string(step->m_kind);
        if (!step->m_typeName.empty())
            text += "-" + step->m_typeName;
        if (step->m_instance > 0)
            text += "#" + std::to_string(step->m_instance);
        text += step->m_upTo ? "<" : "";
        text += step->m_follow ? ">" : "";
    }
    if (path.GetQualifier() != 0)
        text += " :" + std::to_string(path.GetQualifier());
    return text;
}

class DataPathTest : public CDataPathFamilyTest {};

struct ParseRow {
    const char* text;
    const char* steps;
    const char* printed;
    const char* printedWithFirstIndex;
};

TEST_F(DataPathTest, ParsesAndPrintsBackInCanonicalForm)
{
    const ParseRow rows[] = {
        {"INDI.BIRT.DATE", "INDI BIRT DATE", "INDI.BIRT.DATE", "INDI.BIRT[1].DATE"},
        {"INDI.NAME[2]", "INDI NAME#1", "INDI.NAME[2]", "INDI.NAME[2]"},
        {"INDI.NAME[1]", "INDI NAME", "INDI.NAME", "INDI.NAME[1]"},
        {"INDI.NAME[0]", "INDI NAME", "INDI.NAME", "INDI.NAME[1]"},
        {"INDI.NAME[<2]", "INDI NAME#1<", "INDI.NAME[<2]", "INDI.NAME[<2]"},
        {"INDI.NAME[2]:SURNAME", "INDI NAME#1 :15", "INDI.NAME[2]:SURNAME", "INDI.NAME[2]:SURNAME"},
        {"INDI.BIRT.DATE:short", "INDI BIRT DATE :7", "INDI.BIRT.DATE:COMPACT",
         "INDI.BIRT[1].DATE:COMPACT"},
        {"FAM.HUSB>NAME", "FAM HUSB> NAME", "FAM.HUSB>NAME", "FAM.HUSB>NAME[1]"},
        {"FAM.HUSB>", "FAM HUSB>", "FAM.HUSB>", "FAM.HUSB>"},
        {"INDI.~FATH>~MOTH>BIRT.PLAC", "INDI ~1> ~2> BIRT PLAC", "INDI.~FATH>~MOTH>BIRT.PLAC",
         "INDI.~FATH[1]>~MOTH[1]>BIRT[1].PLAC"},
        {"INDI.~SPOU[2]>", "INDI ~3#1>", "INDI.~SPOU[2]>", "INDI.~SPOU[2]>"},
        {"INDI.~CHIL[<3]>NAME", "INDI ~4#2<> NAME", "INDI.~CHIL[<3]>NAME",
         "INDI.~CHIL[<3]>NAME[1]"},
        {"INDI.EVEN-Graduation.DATE", "INDI EVEN-GRADUATION DATE", "INDI.EVEN-GRADUATION.DATE",
         "INDI.EVEN-GRADUATION[1].DATE"},
        {"INDI._ATTR-Eye colour[2]", "INDI _ATTR-EYECOLOUR#1", "INDI._ATTR-EYECOLOUR[2]",
         "INDI._ATTR-EYECOLOUR[2]"},
        {"INDI.NOTE2", "INDI NOTE2", "INDI.NOTE2", "INDI.NOTE2[1]"},
        {"INDI.FAMC>CHIL[2]>", "INDI FAMC> CHIL#1>", "INDI.FAMC>CHIL[2]>", "INDI.FAMC[1]>CHIL[2]>"},
        {"@INDI_EVENTS.BIRT.DATE", "@INDI_EVENTS BIRT DATE", "@INDI_EVENTS.BIRT.DATE",
         "@INDI_EVENTS.BIRT[1].DATE"},
    };
    for (const ParseRow& row : rows) {
        SCOPED_TRACE(row.text);
        CDataPath path;
        DataPathError error = DataPathError::Empty;
        ASSERT_TRUE(path.ParseText(row.text, nullptr, &error));
        EXPECT_EQ(error, DataPathError::None);
        EXPECT_EQ(Describe(path), row.steps);
        std::string printed;
        path.Format(printed);
        EXPECT_EQ(printed, row.printed);
        path.Format(printed, true);
        EXPECT_EQ(printed, row.printedWithFirstIndex);
        CDataPath again;
        ASSERT_TRUE(again.ParseText(printed));
        EXPECT_TRUE(again.IsEqual(path)) << "the printed form reads back to the same path";
    }
}

TEST_F(DataPathTest, RefusesInvalidTextsWithTheirReasonsAndLeavesThePathEmpty)
{
    const std::string longTag(33, 'A');
    const struct {
        std::string text;
        DataPathError error;
    } rows[] = {
        {"", DataPathError::Empty},
        {"INDI..BIRT", DataPathError::EmptyStep},
        {"INDI.", DataPathError::EmptyStep},
        {".INDI", DataPathError::EmptyStep},
        {"INDI.:SURNAME", DataPathError::EmptyStep},
        {"BIRT.DATE", DataPathError::UnknownTag},
        {"FAM.HUSB.NAME", DataPathError::UnknownTag},
        {"INDI.~UNCL>", DataPathError::UnknownTag},
        {"INDI." + longTag, DataPathError::TagTooLong},
        {"INDI." + longTag.substr(1), DataPathError::UnknownTag},
        {"INDI.BIRT-GRADUATION", DataPathError::BadTypeName},
        {"SOUR.DATA.EVEN-CENSUS", DataPathError::BadTypeName},
        {"INDI.EVEN-", DataPathError::BadTypeName},
        {"INDI.EVEN-!?", DataPathError::BadTypeName},
        {"INDI.~FATH-X>", DataPathError::BadTypeName},
        {"INDI.NAME[2", DataPathError::BadInstance},
        {"INDI.NAME[]", DataPathError::BadInstance},
        {"INDI.NAME[x]", DataPathError::BadInstance},
        {"INDI.NAME[99999999999]", DataPathError::BadInstance},
        {"INDI.NAME[2]X", DataPathError::UnexpectedText},
        {"INDI.NAME[2]-X", DataPathError::UnexpectedText},
        {"FAM.~FATH>", DataPathError::RelationNotAllowed},
        {"INDI.BIRT.~FATH>", DataPathError::RelationNotAllowed},
        {"INDI.~FATH.NAME", DataPathError::RelationNeedsFollow},
        {"INDI.~FATH", DataPathError::RelationNeedsFollow},
        {"INDI.BIRT>DATE", DataPathError::FollowNeedsLink},
        {"INDI.BIRT:YEAR.DATE", DataPathError::BadQualifier},
        {"INDI.NAME:YEAR", DataPathError::BadQualifier},
        {"INDI.BIRT.DATE:", DataPathError::BadQualifier},
        {"INDI.~FATH>:SURNAME", DataPathError::BadQualifier},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        CDataPath path;
        ASSERT_TRUE(path.ParseText("INDI.NAME[2]:SURNAME"));
        DataPathError error = DataPathError::None;
        EXPECT_FALSE(path.ParseText(row.text, nullptr, &error));
        EXPECT_EQ(error, row.error);
        EXPECT_TRUE(path.IsEmpty());
        EXPECT_EQ(path.GetQualifier(), 0);
    }
}

struct ResolveRow {
    const char* text;
    const char* found; // as Shown describes it
};

TEST_F(DataPathTest, ResolvesFieldsRelativesAndLinksFromARecord)
{
    const ResolveRow rows[] = {
        {"INDI.NAME:SURNAME", "SMITH"},
        {"INDI.NAME[2]:SURNAME", "BROWN"},
        {"INDI.NAME[3]", "null"},
        {"INDI.NAME[<3]:SURNAME", "BROWN"},
        {"INDI.BIRT.DATE:YEAR", "1930"},
        {"INDI.BIRT.PLAC", "York"},
        {"INDI.DEAT.DATE", "null"},
        {"@INDI_EVENTS.BIRT.PLAC", "York"},
        {"INDI.EVEN-GRADUATION.DATE:YEAR", "1950"},
        {"INDI.EVEN-graduation", "1950"},
        {"INDI.EVEN-WEDDING", "null"},
        {"INDI.EVEN[2].DATE:YEAR", "1960"},
        {"INDI.~FATH>", "John"},
        {"INDI.~MOTH>BIRT.DATE:YEAR", "1902"},
        {"INDI.~FATH>~FATH>BIRT.DATE:YEAR", "1870"},
        {"INDI.~MOTH>~FATH>", "null"},
        {"INDI.~FATH[2]>", "null"},
        {"INDI.~FATH[<2]>", "John"},
        {"INDI.~SPOU>", "Bob"},
        {"INDI.~SPOU[2]>NAME:SURNAME", "GREEN"},
        {"INDI.~SPOU[3]>", "null"},
        {"INDI.~SPOU[<3]>", "Fred"},
        {"INDI.~CHIL>", "Carl"},
        {"INDI.~CHIL[3]>", "Eve"},
        {"INDI.~CHIL[4]>", "null"},
        {"INDI.~CHIL[<9]>", "Eve"},
        {"INDI.~SPOU>~CHIL[2]>", "Dora"},
        {"INDI.FAMC>CHIL[2]>", "Sam"},
        {"INDI.FAMC>HUSB>NAME:SURNAME", "SMITH"},
        {"INDI.FAMS[2]>WIFE>", "Ann"},
        {"FAM.HUSB>", "null"},
        {"INDI.~FATH>~SPOU>~CHIL[2]>", "Sam"},
    };
    for (const ResolveRow& row : rows) {
        SCOPED_TRACE(row.text);
        CDataPath path;
        ASSERT_TRUE(path.ParseText(row.text));
        EXPECT_EQ(Shown(path.FindNode(m_ann), path.GetQualifier()), row.found);
    }
}

TEST_F(DataPathTest, AQualifierTheFieldCannotGiveFindsNothingUnlessTheTestIsSkipped)
{
    CDataPath path;
    ASSERT_TRUE(path.ParseText("INDI.BIRT.DATE:YEAR"));
    EXPECT_EQ(path.FindNode(m_sam), nullptr) << "a date phrase has no year";
    EXPECT_NE(path.FindNode(m_sam, false, true), nullptr);
}

TEST_F(DataPathTest, APathFromAStartingDefinitionResolvesAmongTheChildren)
{
    CDataPath path;
    ASSERT_TRUE(path.ParseText("~FATH>BIRT.DATE:YEAR", GetRecordTypeDef(RECORD_LIST_INDI)));
    EXPECT_EQ(Shown(path.FindNode(m_ann, true), path.GetQualifier()), "1900");
    ASSERT_TRUE(path.ParseText("BIRT.PLAC", GetRecordTypeDef(RECORD_LIST_INDI)));
    EXPECT_EQ(Shown(path.FindNode(m_ann, true), 0), "York");
    EXPECT_EQ(path.FindNode(m_ann), nullptr) << "the first step is not the record itself";
    ASSERT_TRUE(path.ParseText("@EVENT_DETAIL.PLAC"));
    EXPECT_EQ(Shown(path.FindNode(m_annBirth), 0), "York");
}

TEST_F(DataPathTest, FormatsTheWordsOfAPathForLabels)
{
    const struct {
        const char* text;
        bool skipFirst;
        const char* words;
    } rows[] = {
        {"INDI.~FATH>~MOTH>BIRT.DATE:YEAR", true, "Father.Mother.Birth.Date(YEAR)"},
        {"INDI.~SPOU>~CHIL>", false, "Individual.Spouse.Child"},
        {"INDI.FAMC>CHIL>NAME", true, "Family as Child.Sibling.Name"},
        {"INDI.FAMC>HUSB>", true, "Family as Child.Father"},
        {"INDI.FAMS>HUSB>", true, "Family as Spouse.Husband"},
        {"INDI.EVEN-GRADUATION.DATE", true, "GRADUATION.Date"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        CDataPath path;
        ASSERT_TRUE(path.ParseText(row.text));
        std::string words = "old";
        path.FormatRelation(words, row.skipFirst);
        EXPECT_EQ(words, row.words);
    }
}

TEST_F(DataPathTest, FindOrCreateMakesTheMissingFieldsOnce)
{
    CIndRec* person = NewIndividual(SEX_MALE, "Tom /Hill/");
    const struct {
        const char* text;
        int fieldId;    // the record's children of this id
        int countAfter; // after creating twice
    } rows[] = {
        {"INDI.DEAT.PLAC", FIELD_DEAT, 1},        {"@INDI_EVENTS.BURI.DATE", FIELD_BURI, 1},
        {"INDI.EVEN-CENSUS.DATE", FIELD_EVEN, 1}, {"INDI.EVEN-PROBATE.PLAC", FIELD_EVEN, 2},
        {"INDI.NAME[3]", FIELD_NAME, 3},          {"INDI.OCCU[<2]", FIELD_OCCU, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        CDataPath path;
        ASSERT_TRUE(path.ParseText(row.text));
        CDataNode* made = path.FindOrCreateNode(person);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(path.FindOrCreateNode(person), made);
        EXPECT_EQ(path.FindNode(person), made);
        EXPECT_EQ(person->CountChildren(row.fieldId), row.countAfter);
    }
    CDataPath relative;
    ASSERT_TRUE(relative.ParseText("INDI.~FATH>NAME"));
    EXPECT_EQ(relative.FindOrCreateNode(person), nullptr) << "relatives are never made";
    ASSERT_TRUE(relative.ParseText("INDI.FAMC>HUSB"));
    EXPECT_EQ(relative.FindOrCreateNode(person), nullptr) << "linked records are never made";
    EXPECT_EQ(person->CountChildren(FIELD_FAMC), 0);
}

TEST_F(DataPathTest, AccessorsNameTheLeafOfThePath)
{
    CDataPath path;
    ASSERT_TRUE(path.ParseText("FAM.HUSB"));
    EXPECT_EQ(path.GetLeafField(false), nullptr);
    EXPECT_EQ(path.GetLeafField(true), GetRecordTypeDef(RECORD_LIST_INDI));
    ASSERT_TRUE(path.ParseText("INDI.~SPOU>"));
    EXPECT_EQ(path.GetLeafField(false), GetRecordTypeDef(RECORD_LIST_INDI));
    ASSERT_TRUE(path.ParseText("INDI.BIRT.DATE:MONTH_AND_DAY"));
    EXPECT_EQ(path.GetLeafDataType(false), FDT_DATE);
    EXPECT_EQ(path.GetLeafDataType(true), FDT_MONTH_DAY);
    path.SetField(GetRecordTypeDef(RECORD_LIST_FAM));
    std::string text;
    path.Format(text, true);
    EXPECT_EQ(text, "FAM");
}

TEST_F(DataPathTest, FindNodeByTextResolvesTextWithoutParsing)
{
    const struct {
        const char* text;
        const char* found;
        int qualifier;
    } rows[] = {
        {"", "Ann", 0},
        {"NAME[1]:SURNAME", "Annie", QUAL_SURNAME},
        {"NAME[0]", "Ann", 0},
        {"NAME[5]", "null", 0},
        {"NAME[<5]", "Annie", 0},
        {"BIRT.DATE:YEAR", "1930", QUAL_YEAR},
        {"NAME:YEAR", "Ann", -1},
        {"FAMC>HUSB>", "John", 0},
        {"FAMC>CHIL[1]>BIRT.DATE", "\"when the war ended\"", 0},
        {"FAMC>CHIL[1]>DEAT", "null", 0},
        {"EVEN[1].TYPE", "Emigration record", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        int qualifier = 99;
        const CDataNode* found = FindNodeByText(m_ann, row.text, &qualifier);
        const bool named = found && found->GetFieldId() == FIELD_NAME;
        EXPECT_EQ(named ? TextOf(*found, QUAL_GIVEN) : Shown(found, qualifier), row.found);
        EXPECT_EQ(qualifier, row.qualifier);
    }
}

} // namespace
