// tests/database/dictionary/record_type_table_test.cpp: the record-type table's two orders, names,
// bits and lookups, with the record definitions of the loaded dictionary.
#include "database/dictionary/record_type_table.h"

#include "database/nodes/data_node.h"
#include "tests/database/dictionary/field_defs_for_tests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordTypeTableTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test_support::LoadTestFieldDefs()) << GetFieldDefsError(); }
};

struct TypeRow {
    const char* tag;
    int code; // table index
    int listIndex;
    char letter;
    const char* singular;
    const char* plural;
};

void PrintTo(const TypeRow& row, std::ostream* os)
{
    *os << row.tag;
}

class RecordTypeRowTest : public RecordTypeTableTest,
                          public ::testing::WithParamInterface<TypeRow> {};

INSTANTIATE_TEST_SUITE_P(Table, RecordTypeRowTest,
                         ::testing::Values(TypeRow{"HEAD", 0, 8, 'H', "header", "Headers"},
                                           TypeRow{"FAM", 1, 1, 'F', "family", "Families"},
                                           TypeRow{"INDI", 2, 0, 'I', "individual", "Individuals"},
                                           TypeRow{"OBJE", 3, 7, 'O', "multimedia", "Multimedia"},
                                           TypeRow{"NOTE", 4, 2, 'N', "note", "Notes"},
                                           TypeRow{"REPO", 5, 4, 'R', "repository", "Repositories"},
                                           TypeRow{"SOUR", 6, 3, 'S', "source", "Sources"},
                                           TypeRow{"SUBM", 7, 5, 'U', "submitter", "Submitters"},
                                           TypeRow{"SUBN", 8, 6, 'B', "submission",
                                                   "Submissions"}));

TEST_P(RecordTypeRowTest, AnswersByDefinitionCodeAndListIndex)
{
    const TypeRow& row = GetParam();
    const CFieldDef* def = FindRecordDefByTag(row.tag);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(GetRecordTypeCode(def), row.code);
    EXPECT_EQ(GetRecordTypeIndex(def), row.listIndex);
    EXPECT_EQ(GetRecordTypeOrder(row.listIndex), row.code);
    EXPECT_EQ(GetRecordTypeDef(row.listIndex), def);
    EXPECT_EQ(GetRecordTypeName(row.code), row.singular);
    EXPECT_EQ(GetRecordTypePluralName(row.listIndex), row.plural);
    EXPECT_EQ(GetRecordTypeTable().RowByCode(row.code)->m_idLetter, row.letter);
    // The type bit of a row is the bit of its list index.
    EXPECT_EQ(GetRecordTypeMask(def), 1u << row.listIndex);
    EXPECT_EQ(RecordTypeIndexToMask(row.listIndex), GetRecordTypeMask(def));
}

TEST_F(RecordTypeTableTest, OnlyHeaderAndSubmissionAreSingle)
{
    std::vector<std::string> single;
    for (const CRecordType& row : GetRecordTypeTable().Rows()) {
        if (row.m_singleInstance)
            single.push_back(row.m_tag);
    }
    EXPECT_EQ(single, (std::vector<std::string>{"HEAD", "SUBN"}));
}

struct NameCase {
    bool plural;
    bool capital;
    const char* text;
};

TEST_F(RecordTypeTableTest, FormatsNamesWithTheAskedCase)
{
    const NameCase cases[] = {{false, true, "Individual"},
                              {false, false, "individual"},
                              {true, true, "Individuals"},
                              {true, false, "individuals"}};
    std::string text;
    for (const NameCase& c : cases) {
        FormatRecordTypeName(0, c.plural, c.capital, text);
        EXPECT_EQ(text, c.text);
    }
    FormatRecordTypeName(7, false, true, text);
    EXPECT_EQ(text, "Multimedia");
    FormatRecordTypeName(9, false, true, text);
    EXPECT_EQ(text, "");
}

TEST_F(RecordTypeTableTest, ComparesInTableOrderWithoutTheHeader)
{
    const CFieldDef* head = FindRecordDefByTag("HEAD");
    const CFieldDef* fam = FindRecordDefByTag("FAM");
    const CFieldDef* indi = FindRecordDefByTag("INDI");
    const CFieldDef* subn = FindRecordDefByTag("SUBN");
    EXPECT_EQ(CompareRecordTypeOrder(fam, indi), -1);
    EXPECT_EQ(CompareRecordTypeOrder(indi, fam), 1);
    EXPECT_EQ(CompareRecordTypeOrder(head, indi), 1);
    EXPECT_EQ(CompareRecordTypeOrder(indi, head), -1);
    EXPECT_EQ(CompareRecordTypeOrder(subn, subn), 0);
    EXPECT_EQ(CompareRecordTypeOrder(head, nullptr), 0);
    EXPECT_EQ(CompareRecordTypeOrder(nullptr, subn), 1);
}

TEST_F(RecordTypeTableTest, AnswersNothingOutsideTheTable)
{
    const CFieldDef* sex = test_support::DefByPath("INDI.SEX");
    for (int index : {-1, 9, 100}) {
        EXPECT_EQ(GetRecordTypeOrder(index), -1);
        EXPECT_EQ(GetRecordTypeRoot(index), nullptr);
        EXPECT_EQ(GetRecordTypeDef(index), nullptr);
        EXPECT_EQ(GetRecordTypeName(index), "");
        EXPECT_EQ(GetRecordTypePluralName(index), "");
        EXPECT_EQ(RecordTypeIndexToMask(index), 0u);
        EXPECT_EQ(RecordTypeIndexToPageId(index), 0);
    }
    EXPECT_EQ(GetRecordTypeCode(sex), -1);
    EXPECT_EQ(GetRecordTypeIndex(sex), -1);
    EXPECT_EQ(GetRecordTypeMask(sex), 0u);
    EXPECT_EQ(GetRecordTypeBitmap(sex, true, false), 0);
    EXPECT_TRUE(GetRecordPageTemplates(sex).empty());
    EXPECT_EQ(GetRecordTypeRootForDef(nullptr), nullptr);
}

TEST_F(RecordTypeTableTest, ARowThatLosesItsDefinitionIsNoLongerFoundByIt)
{
    const CFieldDef* indi = FindRecordDefByTag("INDI");
    const CFieldDef* fam = FindRecordDefByTag("FAM");
    CRecordTypeTable table;
    table.MutableRowByCode(1)->m_topDef = fam;
    table.MutableRowByCode(2)->m_topDef = indi;
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(table.RowForDef(indi), table.RowByCode(2));
        EXPECT_EQ(table.RowForDef(fam), table.RowByCode(1));
    }
    EXPECT_EQ(table.RowForDef(nullptr), nullptr);
    table.MutableRowByCode(1)->m_topDef = nullptr;
    EXPECT_EQ(table.RowForDef(fam), nullptr) << "the row found last has another definition now";
    table.MutableRowByCode(3)->m_topDef = fam;
    EXPECT_EQ(table.RowForDef(fam), table.RowByCode(3));
    table.Clear();
    EXPECT_EQ(table.RowForDef(fam), nullptr);
    EXPECT_EQ(table.RowForDef(indi), nullptr);
}

TEST_F(RecordTypeTableTest, KeepsTheRootOfEachType)
{
    CDataNode* const saved = GetRecordTypeRoot(0);
    char place = 0;
    auto* root = reinterpret_cast<CDataNode*>(&place);
    SetRecordTypeRoot(root, 2);
    SetRecordTypeRoot(nullptr, 9);
    EXPECT_EQ(GetRecordTypeRoot(0), root);
    EXPECT_EQ(GetRecordTypeRootForDef(FindRecordDefByTag("INDI")), root);
    SetRecordTypeRoot(saved, 2);
}

TEST_F(RecordTypeTableTest, AFileOfOnlyAHeaderCountsAsEmpty)
{
    CDataNode* saved[RECORD_TYPE_COUNT];
    for (int code = 0; code < RECORD_TYPE_COUNT; ++code) {
        saved[code] = GetRecordTypeTable().RowByCode(code)->m_root;
        SetRecordTypeRoot(nullptr, code);
    }
    CDataNode head;
    CDataNode indi;
    head.SetFieldDef(FindRecordDefByTag("HEAD"));
    indi.SetFieldDef(FindRecordDefByTag("INDI"));
    SetRecordTypeRoot(&head, 0);
    SetRecordTypeRoot(&indi, 2);
    head.AppendChild(new CDataNode, false);
    EXPECT_TRUE(HasOnlyHeader());
    indi.AppendChild(new CDataNode, false);
    EXPECT_FALSE(HasOnlyHeader());
    head.DeleteChildren();
    indi.DeleteChildren();
    for (int code = 0; code < RECORD_TYPE_COUNT; ++code)
        SetRecordTypeRoot(saved[code], code);
}

TEST(RecordTypeTableInitTest, RefusesAnyOtherVersion)
{
    EXPECT_FALSE(InitRecordTypeTable(551));
    EXPECT_EQ(GetRecordTypeCount(), 9);
}

} // namespace
