// tests/queries/split_tree_test.cpp: splitting a file: the individuals a query picks go, then
// the records of each type that are left without links (or all of them), and nothing at all
// when the query gives no answer.
#include "queries/split_tree.h"

#include "common/abort.h"
#include "database/nodes/data_observer.h"
#include "platform/base/wait_cursor.h"
#include "tests/database/gedcom/gedcom_test_support.h"

#include <new>
#include <set>
#include <stdexcept>

namespace {

using gedcom_test::RecordIds;

/// Who links to whom: I1 alone has N1, S1 and O1; I2 and I3 share N2; N1 cites S2; S1
/// and S3 are held at R1, S2 at R2; N3, S3 and O2 have no links to them.
const char* const kFamily = R"(0 HEAD
1 SUBM @U1@
1 SUBN @B1@
0 @U1@ SUBM
0 @B1@ SUBN
1 FAMF Split
0 @I1@ INDI
1 FAMS @F1@
1 NOTE @N1@
1 SOUR @S1@
1 OBJE @O1@
0 @I2@ INDI
1 FAMS @F1@
1 NOTE @N2@
0 @I3@ INDI
1 NOTE @N2@
0 @F1@ FAM
1 HUSB @I2@
1 WIFE @I1@
0 @N1@ NOTE Ann's note
1 SOUR @S2@
0 @N2@ NOTE Shared note
0 @N3@ NOTE Nobody's note
0 @S1@ SOUR
1 REPO @R1@
0 @S2@ SOUR
1 REPO @R2@
0 @S3@ SOUR
1 REPO @R1@
0 @R1@ REPO
0 @R2@ REPO
0 @O1@ OBJE
1 FORM bmp
0 @O2@ OBJE
1 FORM bmp
0 TRLR
)";

const char* const kEveryRecord = "I1 I2 I3 F1 N1 N2 N3 S1 S2 S3 R1 R2 U1 B1 O1 O2";

CRecordNode* FindRecord(std::string_view id)
{
    for (int listIndex = 0; listIndex < RECORD_TYPE_COUNT; ++listIndex) {
        for (CDataNode* node = GetRecordTypeRoot(listIndex)->GetFirstChild(); node;
             node = node->GetNextSibling()) {
            auto* record = static_cast<CRecordNode*>(node);
            if (record->GetIdText() == id)
                return record;
        }
    }
    return nullptr;
}

std::vector<std::string> Split(std::string_view text)
{
    std::vector<std::string> words;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t blank = std::min(text.find(' ', start), text.size());
        words.emplace_back(text.substr(start, blank - start));
        start = blank + 1;
    }
    return words;
}

enum class Run { Finds, Refuses, Aborts, RunsOutOfMemory, Faults };

/// A query that finds the records it is given (any type, repeats kept); inverted, the other
/// individuals.
class CFakeQuery final : public ISplitTreeQuery {
public:
    CFakeQuery(Run run, std::string_view found) : m_run(run), m_found(Split(found)) {}

    bool FindIndividuals(bool inverted, std::vector<CRecordNode*>& found) override
    {
        m_asked.push_back(inverted);
        if (m_run == Run::Aborts)
            ThrowAbort();
        if (m_run == Run::RunsOutOfMemory)
            throw std::bad_alloc();
        if (m_run == Run::Faults)
            throw std::logic_error("broken");
        if (m_run == Run::Refuses)
            return false;
        const std::set<std::string> ids(m_found.begin(), m_found.end());
        if (inverted) {
            for (CDataNode* node = GetRecordTypeRoot(0)->GetFirstChild(); node;
                 node = node->GetNextSibling()) {
                auto* record = static_cast<CRecordNode*>(node);
                if (!ids.contains(record->GetIdText()))
                    found.push_back(record);
            }
            return true;
        }
        for (const std::string& id : m_found)
            found.push_back(FindRecord(id));
        return true;
    }

    std::vector<bool> m_asked;

private:
    Run m_run;
    std::vector<std::string> m_found;
};

class CCountingObserver final : public IDataObserver {
public:
    void OnDataChanged(CObject*, LPARAM, CObject*, bool) override { ++m_notices; }
    int m_notices = 0;
};

struct SplitCase {
    const char* name;
    SplitIndividuals individuals;
    std::array<SplitLinked, kSplitLinkedTypeCount> linked; // notes, multimedia, sources, repos
    bool submissions;
    bool submitters;
    Run run;
    const char* found; // what the query finds, before any inversion
    SplitTreeResult result;
    const char* remaining; // the records left, types in list order
};

void PrintTo(const SplitCase& c, std::ostream* os)
{
    *os << c.name;
}

constexpr SplitLinked N = SplitLinked::None;
constexpr SplitLinked U = SplitLinked::Unlinked;
constexpr SplitLinked A = SplitLinked::All;

class SplitTreeTest : public gedcom_test::CGedcomTest,
                      public ::testing::WithParamInterface<SplitCase> {
protected:
    void SetUp() override
    {
        CGedcomTest::SetUp();
        SetDataObserver(&m_observer);
    }
    void TearDown() override
    {
        SetDataObserver(nullptr);
        CGedcomTest::TearDown();
    }

    CCountingObserver m_observer;
};

TEST_P(SplitTreeTest, DeletesWhatWasChosenAndWhatIsLeftWithoutLinks)
{
    const SplitCase& c = GetParam();
    ASSERT_TRUE(Load(File("family.ged", kFamily)));
    ASSERT_EQ(RecordIds(), kEveryRecord);
    CFakeQuery query(c.run, c.found);
    const SplitTreeChoices choices{c.individuals, c.linked, c.submissions, c.submitters};
    if (c.run == Run::RunsOutOfMemory)
        test_support::Prompt().Answer(IDOK);
    EXPECT_EQ(SplitTree(choices, &query), c.result);
    const auto shown = test_support::Prompt().TakeMessages();
    EXPECT_EQ(shown.size(), c.run == Run::RunsOutOfMemory ? 1u : 0u) << "only memory is reported";
    EXPECT_EQ(RecordIds(), c.remaining);
    const bool changed = std::string_view(c.remaining) != kEveryRecord;
    EXPECT_EQ(m_observer.m_notices, changed ? 1 : 0) << "the deletions are one edit";
    EXPECT_EQ(WaitCursorDepth(), 0);
    if (c.individuals == SplitIndividuals::None)
        EXPECT_TRUE(query.m_asked.empty());
    else
        EXPECT_EQ(query.m_asked, std::vector<bool>{c.individuals == SplitIndividuals::NotFound});
    if (!changed)
        return;
    const std::string saved = Save(PathOf("split.ged"));
    ASSERT_TRUE(Load(PathOf("split.ged"))) << saved;
    EXPECT_EQ(RecordIds(), c.remaining) << "no link is left pointing at a deleted record";
    EXPECT_EQ(Report(), "") << saved;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Choices, SplitTreeTest, ::testing::Values(
    SplitCase{"NothingChosenChangesNothing", SplitIndividuals::None, {N, N, N, N}, false, false,
              Run::Finds, "I1", SplitTreeResult::Done, kEveryRecord},
    SplitCase{"FoundIndividualsGoAndTheirEmptiedFamily", SplitIndividuals::Found, {N, N, N, N},
              false, false, Run::Finds, "I1", SplitTreeResult::Done,
              "I2 I3 N1 N2 N3 S1 S2 S3 R1 R2 U1 B1 O1 O2"},
    SplitCase{"NotesOnlyTheGoneReferredToGoToo", SplitIndividuals::Found, {U, N, N, N}, false,
              false, Run::Finds, "I1", SplitTreeResult::Done,
              "I2 I3 N2 S1 S2 S3 R1 R2 U1 B1 O1 O2"},
    SplitCase{"NotFoundRunsTheQueryInverted", SplitIndividuals::NotFound, {U, N, N, N}, false,
              false, Run::Finds, "I1 I2", SplitTreeResult::Done,
              "I1 I2 F1 N1 N2 S1 S2 S3 R1 R2 U1 B1 O1 O2"},
    SplitCase{"InvertingAQueryThatFindsEveryoneDeletesNoIndividual", SplitIndividuals::NotFound,
              {N, N, N, N}, false, false, Run::Finds, "I1 I2 I3", SplitTreeResult::Done,
              kEveryRecord},
    SplitCase{"UnlinkedRecordsGoInTurnDownToRepositories", SplitIndividuals::Found, {U, U, U, U},
              false, false, Run::Finds, "I1", SplitTreeResult::Done, "I2 I3 N2 U1 B1"},
    SplitCase{"SourcesAStillLinkedNoteCitesStay", SplitIndividuals::Found, {N, N, U, U}, false,
              false, Run::Finds, "I1", SplitTreeResult::Done,
              "I2 I3 N1 N2 N3 S2 R2 U1 B1 O1 O2"},
    SplitCase{"UnlinkedWithoutIndividualsTakesOnlyTheOrphans", SplitIndividuals::None,
              {U, U, U, U}, false, false, Run::Finds, "", SplitTreeResult::Done,
              "I1 I2 I3 F1 N1 N2 S1 S2 R1 R2 U1 B1 O1"},
    SplitCase{"AllOfATypeGoWhateverLinksToThem", SplitIndividuals::None, {A, A, A, A}, false,
              false, Run::Finds, "", SplitTreeResult::Done, "I1 I2 I3 F1 U1 B1"},
    SplitCase{"SubmissionsAndSubmittersGo", SplitIndividuals::None, {N, N, N, N}, true, true,
              Run::Finds, "", SplitTreeResult::Done, "I1 I2 I3 F1 N1 N2 N3 S1 S2 S3 R1 R2 O1 O2"},
    SplitCase{"OnlyIndividualsOfTheQueryGoAndEachOnce", SplitIndividuals::Found, {N, N, N, N},
              false, false, Run::Finds, "I3 N3 I3 F1", SplitTreeResult::Done,
              "I1 I2 F1 N1 N2 N3 S1 S2 S3 R1 R2 U1 B1 O1 O2"},
    SplitCase{"ARefusedRunDeletesNothing", SplitIndividuals::Found, {A, A, A, A}, true, true,
              Run::Refuses, "I1", SplitTreeResult::NotRun, kEveryRecord},
    SplitCase{"AnAbortedRunDeletesNothing", SplitIndividuals::NotFound, {A, A, A, A}, true, true,
              Run::Aborts, "I1", SplitTreeResult::Failed, kEveryRecord},
    SplitCase{"ARunOutOfMemoryDeletesNothing", SplitIndividuals::Found, {A, A, A, A}, true, true,
              Run::RunsOutOfMemory, "I1", SplitTreeResult::Failed, kEveryRecord}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return info.param.name; });
// clang-format on

TEST_F(SplitTreeTest, AFaultOfTheProgramInTheRunReachesTheCallerAndDeletesNothing)
{
    ASSERT_TRUE(Load(File("family.ged", kFamily)));
    CFakeQuery query(Run::Faults, "I1");
    const SplitTreeChoices choices{SplitIndividuals::Found, {A, A, A, A}, true, true};
    EXPECT_THROW(SplitTree(choices, &query), std::logic_error);
    EXPECT_EQ(RecordIds(), kEveryRecord);
    EXPECT_TRUE(test_support::Prompt().TakeMessages().empty());
}

TEST(SplitTreeWithoutQueryTest, IndividualsChosenWithoutAQueryDeleteNothing)
{
    const SplitTreeChoices choices{SplitIndividuals::Found, {A, A, A, A}, true, true};
    EXPECT_EQ(SplitTree(choices, nullptr), SplitTreeResult::NotRun);
}

} // namespace
