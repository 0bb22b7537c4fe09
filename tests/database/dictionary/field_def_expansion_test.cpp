// tests/database/dictionary/field_def_expansion_test.cpp: dictionaries built from small tables:
// shared structures expanded under each user, counts and flags of copies, sibling numbers, the
// built-in definitions and user-defined fields.
#include "database/dictionary/field_def_source.h"
#include "database/dictionary/field_dictionary.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char* kIds = R"(
id FIELD_HEAD 3065
id FIELD_INDI 3069
id FIELD_FAM 3055
id FIELD_NAME 3078
id FIELD_SEX 3112
id FIELD_RESN 3107
id FIELD_BIRT 3019
id FIELD_DEAT 3043
id FIELD_OCCU 3090
id FIELD_DATE 3042
id FIELD_PLAC 3096
id FIELD_TYPE 3128
id FIELD_NOTE 3084
id FIELD_NOTE_TEXT 3085
id FIELD_CHAN 3027
id FIELD_SLGC 3113
id FIELD_SLGS 3114
id STRUCT_FAM_EVENTS 1007
id STRUCT_INDI_ATTRIBUTES 1009
id STRUCT_INDI_EVENTS 1010
id STRUCT_LDS_INDI_ORDINANCES 1011
)";

/// A table with the ids above, the given structures, an LDS structure unless they hold one,
/// the given records, and a header.
std::string Table(const std::string& structs, const std::string& records)
{
    std::string table = kIds + structs;
    if (structs.find("@LDS_INDI_ORDINANCES") == std::string::npos)
        table += "struct @LDS_INDI_ORDINANCES\n  SLGC Complex 0:M \"Sealing\" flags=L\n";
    return table + records + "HEAD Record 1:1 \"Header\"\n";
}

const CFieldDef* Child(const CFieldDef* def, const char* tag)
{
    return FindChildDefByTag(def, tag);
}

class FieldDefExpansionTest : public ::testing::Test {
protected:
    const CFieldDef* Load(const std::string& structs, const std::string& records)
    {
        EXPECT_TRUE(m_dictionary.Load(Table(structs, records), nullptr)) << m_dictionary.GetError();
        return m_dictionary.FindRecordDef("INDI");
    }

    CFieldDictionary m_dictionary;
};

TEST_F(FieldDefExpansionTest, StructureMembersStandUnderEachUserWithTheirOwnNumbers)
{
    const CFieldDef* indi = Load("struct @DETAIL\n"
                                 "  DATE Date 0:1 \"Date\"\n"
                                 "  PLAC Edit 0:1 \"Place\"\n",
                                 "INDI IndRec 0:M \"Individual\"\n"
                                 "  NAME Name 0:M \"Name\"\n"
                                 "  BIRT Complex 0:M \"Birth\"\n"
                                 "    TYPE Edit 0:1 \"Type\"\n"
                                 "    @DETAIL ref 1:1 \"\"\n"
                                 "  @DETAIL ref 1:1 \"\"\n"
                                 "  SEX Sex 0:1 \"Sex\" {|M|F}\n");
    ASSERT_NE(indi, nullptr);
    const CFieldDef* birthDate = Child(Child(indi, "BIRT"), "DATE");
    const CFieldDef* ownDate = Child(indi, "DATE");
    ASSERT_NE(birthDate, nullptr);
    ASSERT_NE(ownDate, nullptr);
    EXPECT_NE(birthDate, ownDate);
    EXPECT_EQ(birthDate->GetSource(), ownDate->GetSource());
    EXPECT_EQ(birthDate->GetSiblingOrder(), 1);
    EXPECT_EQ(ownDate->GetSiblingOrder(), 2);
    EXPECT_EQ(Child(indi, "PLAC")->GetSiblingOrder(), 3);
    EXPECT_EQ(Child(indi, "SEX")->GetSiblingOrder(), 4);
    EXPECT_EQ(ownDate->GetParent(), indi);
    EXPECT_EQ(ownDate->GetCopyReference()->GetStructHead()->GetTag(), "@DETAIL");
}

TEST_F(FieldDefExpansionTest, NestedStructuresExpandInLaterPasses)
{
    const CFieldDef* indi =
        Load("struct @OUTER\n"
             "  BIRT Complex 0:M \"Birth\"\n"
             "  @INNER ref 1:1 \"\"\n"
             "struct @INNER\n"
             "  NOTE Assoc 0:M \"Note Record\" pointer {NOTE}\n"
             "  NOTE2 NoteText 0:M \"Note\" local id=FIELD_NOTE_TEXT CONT CONC\n",
             "INDI IndRec 0:M \"Individual\"\n"
             "  @OUTER ref 1:1 \"\"\n"
             "NOTE NoteRec 0:M \"Note\"\n");
    ASSERT_NE(indi, nullptr);
    const CFieldDef* note = Child(indi, "NOTE2");
    ASSERT_NE(note, nullptr);
    EXPECT_FALSE(note->GetSource()->IsCopy());
    EXPECT_EQ(note->GetCopyReference()->GetTag(), "@OUTER");
    EXPECT_EQ(Child(indi, "NOTE")->GetLinkTarget(), m_dictionary.FindRecordDef("NOTE"));
    EXPECT_EQ(note->GetGedcomTag(), "NOTE");
}

/// Structures @S0 .. @Sn, each referring to the next, the last holding one field; top-down
/// order needs one expansion pass per reference.
std::string Chain(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text +=
            "struct @S" + std::to_string(i) + "\n  @S" + std::to_string(i + 1) + " ref 1:1 \"\"\n";
    return text + "struct @S" + std::to_string(n) + "\n  DATE Date 0:1 \"Date\"\n";
}

TEST_F(FieldDefExpansionTest, ThirtyPassesResolveAChainOfThirtyStructures)
{
    const CFieldDef* indi = Load(Chain(30), "INDI IndRec 0:M \"Individual\"\n  @S0 ref 1:1 \"\"\n");
    ASSERT_NE(indi, nullptr);
    EXPECT_NE(Child(indi, "DATE"), nullptr);
}

TEST_F(FieldDefExpansionTest, AChainDeeperThanThirtyFailsTheLoad)
{
    EXPECT_FALSE(m_dictionary.Load(
        Table(Chain(31), "INDI IndRec 0:M \"Individual\"\n  @S0 ref 1:1 \"\"\n"), nullptr));
}

TEST_F(FieldDefExpansionTest, AStructureReferringToItselfFailsTheLoad)
{
    EXPECT_FALSE(
        m_dictionary.Load(Table("struct @LOOP\n  DATE Date 0:1 \"Date\"\n  @LOOP ref 1:1 \"\"\n",
                                "INDI IndRec 0:M \"Individual\"\n"),
                          nullptr));
}

TEST_F(FieldDefExpansionTest, AReferenceToNoStructureFailsTheLoad)
{
    EXPECT_FALSE(m_dictionary.Load(
        Table("", "INDI IndRec 0:M \"Individual\"\n  @NONE ref 1:1 \"\"\n"), nullptr));
    EXPECT_NE(m_dictionary.GetError().find("@NONE"), std::string::npos);
}

struct CountCase {
    const char* name;
    const char* reference; // MIN:MAX of the reference
    const char* member;    // MIN:MAX of the member
    int min;
    int max;
};

void PrintTo(const CountCase& count, std::ostream* os)
{
    *os << count.name;
}

class CopyCountTest : public ::testing::TestWithParam<CountCase> {};

INSTANTIATE_TEST_SUITE_P(Cases, CopyCountTest,
                         ::testing::Values(CountCase{"UnboundedReference", "1:M", "0:1", 0, 65535},
                                           CountCase{"UnboundedMember", "1:1", "0:M", 0, 65535},
                                           CountCase{"MinimaMultiply", "2:2", "1:1", 2, 2},
                                           CountCase{"MaximaMultiply", "0:3", "1:2", 0, 6},
                                           CountCase{"ProductsStayBelowUnbounded", "0:300", "0:300",
                                                     0, 65535}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(CopyCountTest, CountsAreTheProductsOfReferenceAndMember)
{
    CFieldDictionary dictionary;
    const std::string structs =
        std::string("struct @S\n  DATE Date ") + GetParam().member + " \"Date\"\n";
    const std::string records =
        std::string("INDI IndRec 0:M \"Individual\"\n  @S ref ") + GetParam().reference + " \"\"\n";
    ASSERT_TRUE(dictionary.Load(Table(structs, records), nullptr)) << dictionary.GetError();
    const CFieldDef* date = Child(dictionary.FindRecordDef("INDI"), "DATE");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->GetMinCount(), GetParam().min);
    EXPECT_EQ(date->GetMaxCount(), GetParam().max);
}

TEST_F(FieldDefExpansionTest, CopiesTakeFlagsFromReferenceAndMemberButNotL)
{
    const CFieldDef* indi = Load("struct @S\n"
                                 "  BIRT ComplexY 0:M \"Birth\" flags=!ELU {1[#1]|DATE|PLAC}\n"
                                 "  OCCU Edit 0:M \"Occupation\" flags=A\n",
                                 "INDI IndRec 0:M \"Individual\"\n"
                                 "  @S ref 1:1 \"Group\" flags=CHLR\n");
    ASSERT_NE(indi, nullptr);
    const CFieldDef* birth = Child(indi, "BIRT");
    ASSERT_NE(birth, nullptr);
    EXPECT_TRUE(birth->HasFlag(FDF_EVENT) && birth->HasFlag(FDF_TYPED) &&
                birth->HasFlag(FDF_NO_CITATION) && birth->HasFlag(FDF_KEY_COMPARED));
    EXPECT_FALSE(birth->HasFlag(FDF_SKIP_WHEN_CHILDLESS));
    EXPECT_TRUE(birth->IsHidden());
    EXPECT_TRUE(birth->IsNotInAddMenu());
    EXPECT_FALSE(birth->IsLds());
    EXPECT_TRUE(birth->GetSource()->IsLds());
    EXPECT_TRUE(birth->GetCopyReference()->IsLds());
    EXPECT_FALSE(Child(indi, "OCCU")->HasFlag(FDF_EVENT));
    EXPECT_EQ(&birth->GetValues(), &birth->GetSource()->GetValues());
    EXPECT_EQ(birth->GetExtraText(), "1[#1]");
}

TEST_F(FieldDefExpansionTest, EventGroupsShareOneSiblingOrder)
{
    const CFieldDef* indi = Load("struct @INDI_EVENTS\n"
                                 "  BIRT ComplexY 0:M \"Birth\" flags=E\n"
                                 "  DEAT ComplexY 0:M \"Death\" flags=E\n"
                                 "struct @INDI_ATTRIBUTES\n"
                                 "  OCCU Edit 0:M \"Occupation\" flags=A\n"
                                 "struct @LDS_INDI_ORDINANCES\n"
                                 "  SLGS Complex 0:M \"Sealing\" flags=L\n"
                                 "  NAME Complex 0:M \"Other\" flags=L\n",
                                 "INDI IndRec 0:M \"Individual\"\n"
                                 "  SEX Sex 0:1 \"Sex\" {|M|F}\n"
                                 "  @INDI_EVENTS ref 1:1 \"Event\"\n"
                                 "  @INDI_ATTRIBUTES ref 1:1 \"Attribute\"\n"
                                 "  @LDS_INDI_ORDINANCES ref 1:1 \"LDS\" flags=L\n"
                                 "  NOTE2 NoteText 0:M \"Note\" local id=FIELD_NOTE_TEXT\n");
    ASSERT_NE(indi, nullptr);
    EXPECT_EQ(Child(indi, "BIRT")->GetSiblingOrder(), 1);
    EXPECT_EQ(Child(indi, "DEAT")->GetSiblingOrder(), 1);
    EXPECT_EQ(Child(indi, "OCCU")->GetSiblingOrder(), 1);
    EXPECT_EQ(Child(indi, "SLGC")->GetSiblingOrder(), 4);
    EXPECT_EQ(Child(indi, "NAME")->GetSiblingOrder(), 4);
    EXPECT_EQ(Child(indi, "NOTE2")->GetSiblingOrder(), 6);
    // The built-in re-tags the structure's sealing as the child sealing.
    EXPECT_EQ(Child(indi, "SLGC")->GetFieldId(), FIELD_SLGC);
    EXPECT_EQ(Child(indi, "SLGS"), nullptr);
}

TEST_F(FieldDefExpansionTest, CopyWalksKnowTheirGroup)
{
    const CFieldDef* indi = Load("struct @S\n"
                                 "  BIRT Complex 0:M \"Birth\"\n"
                                 "  DEAT Complex 0:M \"Death\"\n",
                                 "INDI IndRec 0:M \"Individual\"\n"
                                 "  @S ref 1:1 \"Event\"\n"
                                 "  SEX Sex 0:1 \"Sex\" {|M|F}\n");
    ASSERT_NE(indi, nullptr);
    const CFieldDef* birth = Child(indi, "BIRT");
    const CFieldDef* death = Child(indi, "DEAT");
    const CFieldDef* reference = GetCopyReference(birth, true);
    ASSERT_NE(reference, nullptr);
    EXPECT_EQ(GetCopyReference(death, true), nullptr);
    EXPECT_EQ(GetCopyReference(death, false), reference);
    EXPECT_EQ(GetStructRefTarget(reference), birth);
    EXPECT_EQ(GetFirstOwnChildDef(reference), Child(indi, "SEX"));
    EXPECT_EQ(GetNextCopySibling(birth), death);
    EXPECT_EQ(GetNextCopySibling(death), nullptr);
    EXPECT_EQ(GetCopyReference(Child(indi, "SEX"), false), nullptr);
}

TEST_F(FieldDefExpansionTest, EnumerationEntriesWithoutTextUseTheirKey)
{
    const CFieldDef* indi =
        Load("", "INDI IndRec 0:M \"Individual\"\n"
                 "  RESN EnumEdit 0:1 \"Restriction\" {|locked|privacy=Private}\n"
                 "  NAME Edit 0:1 \"Name\" {extra|a=b}\n");
    const CFieldDef* resn = Child(indi, "RESN");
    ASSERT_NE(resn, nullptr);
    EXPECT_EQ(GetEnumValueCount(resn), 2);
    EXPECT_EQ(GetEnumValue(resn, 0, true), "locked");
    EXPECT_EQ(GetEnumValue(resn, 1, false), "privacy");
    EXPECT_EQ(GetEnumValue(resn, 1, true), "Private");
    EXPECT_EQ(GetEnumValue(resn, 2, true), "");
    EXPECT_EQ(FindEnumValue(resn, "Private", true), 1);
    EXPECT_EQ(FindEnumValue(resn, "private", true), -1);
    const CFieldDef* name = Child(indi, "NAME");
    EXPECT_EQ(GetEnumValueCount(name), 0);
    EXPECT_EQ(name->GetExtraText(), "extra");
    EXPECT_EQ(name->GetValues().m_items, std::vector<std::string>{"a=b"});
}

TEST_F(FieldDefExpansionTest, EnumerationLookupMatchesWholeKeysAndTexts)
{
    // Entries that share their size and first byte, a key that is the start of another, and a
    // key listed twice (the first counts).
    const CFieldDef* indi =
        Load("", "INDI IndRec 0:M \"Individual\"\n"
                 "  RESN EnumEdit 0:1 \"Restriction\" {|M=Male|MA=Man|MB=Mb|XY|XZ=Xz|MA=Late}\n"
                 "  NAME Edit 0:1 \"Name\" {extra|MA}\n");
    const CFieldDef* resn = Child(indi, "RESN");
    ASSERT_NE(resn, nullptr);
    EXPECT_EQ(FindEnumValue(resn, "M", false), 0);
    EXPECT_EQ(FindEnumValue(resn, "MA", false), 1);
    EXPECT_EQ(FindEnumValue(resn, "MB", false), 2);
    EXPECT_EQ(FindEnumValue(resn, "XZ", false), 4);
    EXPECT_EQ(FindEnumValue(resn, "Xz", true), 4);
    EXPECT_EQ(FindEnumValue(resn, "XY", true), 3);
    EXPECT_EQ(FindEnumValue(resn, "Late", true), 5);
    for (const char* missing : {"", "MC", "MAA", "N", "Xz", "m"})
        EXPECT_EQ(FindEnumValue(resn, missing, false), -1) << missing;
    EXPECT_EQ(FindEnumValue(Child(indi, "NAME"), "MA", false), -1);
    EXPECT_EQ(FindEnumValue(nullptr, "M", false), -1);
}

TEST_F(FieldDefExpansionTest, UserDefinedFieldsTakeTheNextIdsUntilTheRangeEnds)
{
    const CFieldDef* indi = Load("", "INDI IndRec 0:M \"Individual\"\n  NAME Name 0:M \"Name\"\n");
    const CFieldDef* first = m_dictionary.AddCustomFieldDef(indi, "_UID");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetFieldId(), FIELD_USER_FIRST);
    EXPECT_EQ(first->GetLabel(), "_UID");
    EXPECT_EQ(first->GetDataType(), FDT_MULTI_TEXT);
    EXPECT_TRUE(first->AllowsConc() && first->AllowsCont());
    EXPECT_EQ(first->GetControlId(), FIELD_CONTROL_USER_DEFINED);
    EXPECT_EQ(first->GetSiblingOrder(), 1);
    EXPECT_EQ(first->GetParent(), indi);
    EXPECT_EQ(FindChildDefByTag(indi, "_UID"), first);
    EXPECT_EQ(FindChildDefById(indi, FIELD_USER_FIRST), first);
    for (int id = FIELD_USER_FIRST + 1; id <= FIELD_USER_LAST; ++id)
        ASSERT_NE(m_dictionary.AddCustomFieldDef(indi, "_X"), nullptr) << id;
    EXPECT_EQ(m_dictionary.AddCustomFieldDef(indi, "_Y"), nullptr);
    EXPECT_EQ(m_dictionary.GetCustomFieldDefs().size(), 2000u);
    // Every user-defined field of a parent shares the first one's sibling number.
    EXPECT_EQ(m_dictionary.GetCustomFieldDefs().back()->GetSiblingOrder(), 1);
}

TEST_F(FieldDefExpansionTest, TagLookupTellsLongTagsWithOneBeginningApart)
{
    const CFieldDef* indi = Load("", "INDI IndRec 0:M \"Individual\"\n"
                                     "  NAME Name 0:M \"Name\"\n");
    ASSERT_NE(indi, nullptr);
    std::vector<std::pair<std::string, const CFieldDef*>> added;
    for (const char* tag : {"_LONGTAG_FIRST", "_LONGTAG_SECOND", "_LONGTAG", "_A", "_B", "_C", "_D",
                            "_E", "_F", "_G", "_H", "_LONGTAG_FIRSTER"})
        added.emplace_back(tag, m_dictionary.AddCustomFieldDef(indi, tag));
    for (const auto& [tag, def] : added) {
        ASSERT_NE(def, nullptr) << tag;
        EXPECT_EQ(indi->FindChildByTag(tag), def) << tag;
    }
    EXPECT_EQ(indi->FindChildByTag("_LONGTAG_THIRD"), nullptr);
    EXPECT_EQ(indi->FindChildByTag("_LONGTA"), nullptr);
    EXPECT_EQ(indi->FindChildByTag("NAME")->GetTag(), "NAME");
}

TEST_F(FieldDefExpansionTest, UserDefinedFieldsUnderACopyGoToItsSource)
{
    const CFieldDef* indi =
        Load("struct @S\n  BIRT Complex 0:M \"Birth\"\n    DATE Date 0:1 \"Date\"\n",
             "INDI IndRec 0:M \"Individual\"\n  @S ref 1:1 \"\"\n");
    const CFieldDef* birth = Child(indi, "BIRT");
    const CFieldDef* custom = m_dictionary.AddCustomFieldDef(birth, "_AGE");
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(custom->GetParent(), birth->GetSource());
    EXPECT_EQ(Child(birth, "_AGE"), custom);
    m_dictionary.MarkCustomFieldDefs();
    EXPECT_TRUE(custom->IsHidden());
    m_dictionary.UnhideCustomFieldDef(custom);
    EXPECT_FALSE(custom->IsHidden());
    m_dictionary.UnhideCustomFieldDef(Child(birth, "DATE"));
}

TEST_F(FieldDefExpansionTest, TheHeaderAndTheLdsStructureAreRequired)
{
    EXPECT_FALSE(m_dictionary.Load(
        std::string(kIds) + "struct @LDS_INDI_ORDINANCES\n"
                            "  SLGC Complex 0:M \"Sealing\"\nINDI IndRec 0:M \"Individual\"\n",
        nullptr));
    CFieldDictionary withoutLds;
    EXPECT_FALSE(withoutLds.Load(std::string(kIds) + "HEAD Record 1:1 \"Header\"\n", nullptr));
}

struct BadTable {
    const char* name;
    const char* structs;
    const char* records;
};

void PrintTo(const BadTable& table, std::ostream* os)
{
    *os << table.name;
}

class BadTableTest : public ::testing::TestWithParam<BadTable> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, BadTableTest,
    ::testing::Values(
        BadTable{"UnknownTypeName", "",
                 "INDI IndRec 0:M \"Individual\"\n  SEX Gender 0:1 \"Sex\"\n"},
        BadTable{"FlagsOutOfOrder", "",
                 "INDI IndRec 0:M \"Individual\"\n  SEX Sex 0:1 \"Sex\" flags=EA\n"},
        BadTable{"FlagTwice", "",
                 "INDI IndRec 0:M \"Individual\"\n  SEX Sex 0:1 \"Sex\" flags=HH\n"},
        BadTable{"UnknownFlag", "",
                 "INDI IndRec 0:M \"Individual\"\n  SEX Sex 0:1 \"Sex\" flags=X\n"},
        BadTable{"LevelJump", "", "INDI IndRec 0:M \"Individual\"\n    SEX Sex 0:1 \"Sex\"\n"},
        BadTable{"OddIndent", "", "INDI IndRec 0:M \"Individual\"\n   SEX Sex 0:1 \"Sex\"\n"},
        BadTable{"TabIndent", "", "INDI IndRec 0:M \"Individual\"\n\tSEX Sex 0:1 \"Sex\"\n"},
        BadTable{"TagWithoutId", "", "INDI IndRec 0:M \"Individual\"\n  XYZ Edit 0:1 \"X\"\n"},
        BadTable{"UnknownIdName", "",
                 "INDI IndRec 0:M \"Individual\"\n  SEX Sex 0:1 \"S\" id=FIELD_X\n"},
        BadTable{"TextAfterValues", "",
                 "INDI IndRec 0:M \"Individual\"\n  SEX Sex 0:1 \"S\" {|M} x\n"},
        BadTable{"LabelWithoutQuotes", "", "INDI IndRec 0:M Individual\n"},
        BadTable{"BadCount", "", "INDI IndRec 0:X \"Individual\"\n"},
        BadTable{"CountTooLarge", "", "INDI IndRec 0:70000 \"Individual\"\n"},
        BadTable{"UnknownAttribute", "", "INDI IndRec 0:M \"Individual\" bold\n"},
        BadTable{
            "LocalFormTagTooShort", "",
            "INDI IndRec 0:M \"Individual\"\n  N NoteText 0:M \"N\" local id=FIELD_NOTE_TEXT\n"},
        BadTable{"ReferenceAtTopLevel", "", "@S ref 1:1 \"\"\n"},
        BadTable{"StructureAfterRecords", "", "INDI IndRec 0:M \"Individual\"\nstruct @LATE\n"},
        BadTable{"RecordTwice", "",
                 "INDI IndRec 0:M \"Individual\"\nINDI IndRec 0:M \"Individual\"\n"},
        BadTable{"StructureNameWithoutAt", "struct PLAIN\n", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(BadTableTest, FailsTheLoadNamingTheLine)
{
    CFieldDictionary dictionary;
    EXPECT_FALSE(dictionary.Load(Table(GetParam().structs, GetParam().records), nullptr));
    EXPECT_EQ(dictionary.GetError().rfind("line ", 0), 0u) << dictionary.GetError();
}

TEST(FieldDefSourceTest, IdLinesNameEachIdOnce)
{
    CFieldDefSource source;
    EXPECT_TRUE(source.Parse("id FIELD_A 3001\nid STRUCT_B 1007\n"));
    EXPECT_EQ(source.FindId("FIELD_A"), 3001);
    EXPECT_EQ(source.FindId("FIELD_C"), -1);
    EXPECT_FALSE(source.Parse("id FIELD_A 3001\nid FIELD_A 3002\n"));
    EXPECT_FALSE(source.Parse("id FIELD_A 3001\nid FIELD_B 3001\n"));
    EXPECT_FALSE(source.Parse("id OTHER_A 3001\n"));
    EXPECT_FALSE(source.Parse("id FIELD_A three\n"));
    EXPECT_EQ(source.GetError(), "line 1: expected: id NAME NUMBER");
}

} // namespace
