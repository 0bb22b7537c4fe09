// tests/database/nodes/data_model_test.cpp: Tests of the data set's start-up, reset and shutdown on
// the program's own definitions table.
#include "tests/database/nodes/node_test_support.h"

#include "database/kin/ind_rec.h"
#include "database/nodes/named_list_store.h"
#include "tests/support/test_support.h"

#include <cstdlib>
#include <limits>

namespace node_test {
namespace {

class CCountingListStore final : public INamedListStore {
public:
    void ClearNamedLists(bool deleteAll) override { m_calls.push_back(deleteAll); }
    std::vector<bool> m_calls;
};

class DataModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv(FIELD_DEFS_ENV, ARDENVEL_TEST_FIELD_DEFS, 1);
        m_liveAtStart = CNodePool::Nodes().LiveBlocks();
        SetNamedListStore(&m_lists);
        ASSERT_TRUE(InitDataModel(&m_observer)) << GetFieldDefsError();
        m_initialised = true;
    }

    void TearDown() override
    {
        if (m_initialised)
            TermDataModel();
        SetNamedListStore(nullptr);
        EXPECT_EQ(CNodePool::Nodes().LiveBlocks(), m_liveAtStart);
    }

    static CDataNode* Root(int listIndex) { return GetRecordTypeRoot(listIndex); }

    static CRecordNode* NewRecord(int listIndex)
    {
        return static_cast<CRecordNode*>(Root(listIndex)->CreateChild(nullptr));
    }

    CScopedNodeClasses m_classes;
    CRecordingObserver m_observer;
    CCountingListStore m_lists;
    std::size_t m_liveAtStart = 0;
    bool m_initialised = false;
};

TEST_F(DataModelTest, StartUpMakesNineEmptyRootsInTableOrder)
{
    const char* tags[] = {"HEAD", "FAM", "INDI", "OBJE", "NOTE", "REPO", "SOUR", "SUBM", "SUBN"};
    for (int code = 0; code < RECORD_TYPE_COUNT; ++code) {
        const CRecordType* row = GetRecordTypeTable().RowByCode(code);
        ASSERT_NE(row->m_root, nullptr) << tags[code];
        EXPECT_EQ(row->m_root->GetFieldDef(), row->m_topDef);
        EXPECT_EQ(row->m_topDef->GetTag(), tags[code]);
        EXPECT_EQ(row->m_root->GetParent(), nullptr);
        EXPECT_FALSE(row->m_root->IsRecord());
        EXPECT_EQ(row->m_root->GetFirstChild(), nullptr);
    }
    EXPECT_FALSE(IsChangeTrackingOn()) << "tracking starts with the first reset";
}

TEST_F(DataModelTest, ResetEmptiesTheDataSetAndRestartsNumbering)
{
    DeleteAllRecords();
    EXPECT_TRUE(IsChangeTrackingOn());
    NewRecord(0);
    NewRecord(0)->CreateChildById(FIELD_BIRT);
    CRecordNode* family = NewRecord(1);
    Root(1)->DeleteChild(family);
    ASSERT_NE(GetChangedRecords(), nullptr);
    ASSERT_NE(GetPendingDeletions(), nullptr);
    DeleteAllRecords();
    for (int i = 0; i < RECORD_TYPE_COUNT; ++i)
        EXPECT_EQ(Root(i)->GetFirstChild(), nullptr);
    EXPECT_EQ(GetChangedRecords(), nullptr);
    EXPECT_EQ(GetPendingDeletions(), nullptr);
    EXPECT_TRUE(IsChangeTrackingOn());
    EXPECT_EQ(CNodePool::Nodes().LiveBlocks(), m_liveAtStart) << "every record was freed";
    EXPECT_EQ(CNodePool::Nodes().ReservedBytes(), 0u)
        << "the emptied data set gave its node memory back, so the next file loads in order";
    EXPECT_TRUE(m_observer.m_notices.empty()) << "the reset itself notifies no one";
    EXPECT_EQ(NewRecord(0)->GetRecordNumber(), 1);
    EXPECT_EQ(NewRecord(1)->GetRecordNumber(), 1);
    NotifyChanges();
}

TEST_F(DataModelTest, IndividualsAliveAreCounted)
{
    DeleteAllRecords();
    const int before = CIndRec::GetLiveCount();
    CRecordNode* first = NewRecord(0);
    NewRecord(0);
    EXPECT_EQ(CIndRec::GetLiveCount(), before + 2);
    NewRecord(1);
    EXPECT_EQ(CIndRec::GetLiveCount(), before + 2) << "a family is no individual";
    Root(0)->DeleteChild(first);
    NotifyChanges();
    EXPECT_EQ(CIndRec::GetLiveCount(), before + 1);
    DeleteAllRecords();
    EXPECT_EQ(CIndRec::GetLiveCount(), before);
}

TEST_F(DataModelTest, ResetClearsTheNamedListsAndHidesTheLastFilesOwnFields)
{
    const CFieldDef* custom = AddCustomFieldDef(GetRecordTypeDef(0), "_MILT");
    ASSERT_NE(custom, nullptr);
    EXPECT_FALSE(custom->IsHidden());
    DeleteAllRecords();
    EXPECT_TRUE(custom->IsHidden());
    EXPECT_EQ(m_lists.m_calls, std::vector<bool>{false});
    EXPECT_FALSE(IsClearingDataSet());
}

TEST_F(DataModelTest, ShutdownFreesEveryNodeEvenWithoutAFinalReset)
{
    DeleteAllRecords();
    NewRecord(0)->CreateChildById(FIELD_DEAT);
    CRecordNode* note = NewRecord(2);
    Root(2)->DeleteChild(note);
    TermDataModel();
    m_initialised = false;
    EXPECT_EQ(CNodePool::Nodes().LiveBlocks(), m_liveAtStart);
    EXPECT_EQ(GetRecordTypeRoot(0), nullptr);
    EXPECT_EQ(GetFieldDictionary(), nullptr);
    EXPECT_EQ(GetChangedRecords(), nullptr);
    EXPECT_FALSE(IsChangeTrackingOn());
}

TEST(DataModelStartTest, StartUpFailsWhenTheDefinitionsCannotBeRead)
{
    setenv(FIELD_DEFS_ENV, (test_support::TempDir() + "/missing.txt").c_str(), 1);
    const EngineOutcome outcome = InitDataModel(nullptr);
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.message, "Initialisation failed.  Installation error?  Please re-install.");
    EXPECT_EQ(GetRecordTypeRoot(0), nullptr);
    setenv(FIELD_DEFS_ENV, ARDENVEL_TEST_FIELD_DEFS, 1);
}

struct MissingDefinitionCase {
    const char* name;
    const char* line; // the definitions table's line left out
};

class DataModelMissingDefinitionTest : public ::testing::TestWithParam<MissingDefinitionCase> {};

TEST_P(DataModelMissingDefinitionTest, StartUpRefusesATableWithoutWhatTheRecordsNeed)
{
    const std::string table = test_support::ReadFile(ARDENVEL_TEST_FIELD_DEFS);
    const std::string line = std::string(GetParam().line) + "\n";
    const std::size_t at = table.find("\n" + line);
    ASSERT_NE(at, std::string::npos) << GetParam().line;
    const std::string path = test_support::TempDir() + "/trimmed_defs.txt";
    test_support::WriteFile(path, table.substr(0, at + 1) + table.substr(at + 1 + line.size()));
    setenv(FIELD_DEFS_ENV, path.c_str(), 1);
    CScopedNodeClasses classes;
    ASSERT_TRUE(LoadFieldDefinitions()) << "the table itself still reads: " << GetFieldDefsError();
    FreeFieldDefs();
    EXPECT_FALSE(InitDataModel(nullptr));
    EXPECT_EQ(GetRecordTypeRoot(0), nullptr);
    EXPECT_EQ(GetFieldDictionary(), nullptr);
    setenv(FIELD_DEFS_ENV, ARDENVEL_TEST_FIELD_DEFS, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DataModelMissingDefinitionTest,
    ::testing::Values(MissingDefinitionCase{"IndividualSex",
                                            "  SEX Sex 0:1 \"Sex\" {|M=Male|F=Female|U=Unknown}"},
                      MissingDefinitionCase{
                          "NameUsed", "    _USED Edit 0:1 \"Given Name Used\" id=FIELD_EXT_USED"},
                      MissingDefinitionCase{"FamilyWife", "  WIFE Assoc 0:1 \"Wife\" {INDI|FAMS}"}),
    [](const auto& info) { return std::string(info.param.name); });

struct PrefixCase {
    const char* name;
    const char* idText;
    bool noPrefix;
    const char* prefix;
};

class ReadXrefPrefixTest : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(ReadXrefPrefixTest, LearnsUpToFourLeadingLetters)
{
    const PrefixCase& c = GetParam();
    CRecordIdState state;
    ReadXrefPrefix(state, c.idText);
    EXPECT_TRUE(state.m_prefixLearned);
    EXPECT_EQ(state.m_noPrefix, c.noPrefix);
    EXPECT_EQ(std::string(state.m_prefix, strnlen(state.m_prefix, 4)), c.prefix);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadXrefPrefixTest,
                         ::testing::Values(PrefixCase{"Letter", "I12", false, "I"},
                                           PrefixCase{"Digits", "12", true, ""},
                                           PrefixCase{"AtMostFour", "ABCDE7", false, "ABCD"},
                                           PrefixCase{"Empty", "", true, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecordIdStateTest, NumbersThatRunOutGiveNoneFromThenOn)
{
    CRecordIdState state;
    EXPECT_EQ(state.TakeNextNumber(), 1);
    state.m_counter = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(state.TakeNextNumber(), 0);
    EXPECT_EQ(state.m_counter, -1);
    EXPECT_EQ(state.TakeNextNumber(), 0) << "never a number that may already be taken";
}

} // namespace
} // namespace node_test
