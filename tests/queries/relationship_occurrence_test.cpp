// tests/queries/relationship_occurrence_test.cpp: the relationship functions on royal92.ged at
// every occurrence number: the answers the pool gave when it kept one ordered list per
// relative, the same paths as such a list, and no relationship above the highest number.
#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/kin/kinship_cache.h"
#include "database/nodes/data_model.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "queries/expression.h"
#include "queries/relationship_pool.h"
#include "queries/relationship_words.h"
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/support/test_support.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace {

class RelationshipOccurrenceTest : public gedcom_test::CGedcomTest {
protected:
    void SetUp() override
    {
        gedcom_test::CGedcomTest::SetUp();
        InstallRelationshipPoolFactory();
        ASSERT_TRUE(Load(test_support::DataPath("gedcom/royal92.ged")));
        for (CDataNode* record = GetRecordTypeRoot(RECORD_LIST_INDI)->GetFirstChild(); record;
             record = record->GetNextSibling())
            m_people.push_back(static_cast<CRecordNode*>(record));
        ASSERT_GT(m_people.size(), 3000u);
    }
    void TearDown() override
    {
        FlushRecordCache(true);
        SetRelationshipPoolFactory(nullptr);
        gedcom_test::CGedcomTest::TearDown();
    }

    CRecordNode* Person(const std::string& id) const
    {
        for (CRecordNode* person : m_people) {
            if (person->GetIdText() == id)
                return person;
        }
        return nullptr;
    }

    std::vector<CRecordNode*> m_people;
};

/// FNV-1a over the answers, each closed by a byte no answer holds.
std::uint64_t AddToHash(std::uint64_t hash, const std::string& text)
{
    for (const unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return (hash ^ 0xFF) * 1099511628211ull;
}

TEST_F(RelationshipOccurrenceTest, AnswersEveryOccurrenceAsTheOrderedListsDid)
{
    struct COccurrenceCase {
        const char* m_root;
        long m_occurrence;
        int m_answered;       // individuals with a relationship at that occurrence
        std::uint64_t m_hash; // of every individual's coded answer, in record order
    };
    // Taken from the pool that kept one linked list per relative and walked it at every addition.
    const COccurrenceCase cases[] = {
        {"I1", 1, 2128, 0x77a972a0787764ccull},      {"I1", 2, 2120, 0x64e0c9130b78c04bull},
        {"I1", 3, 1969, 0x9ecf3a794799058eull},      {"I1", 10, 1779, 0x1738c5921b6314c9ull},
        {"I1", 100, 1233, 0x02dab05aff0aa3d9ull},    {"I1", 400, 1046, 0x6dfe19aa28e84937ull},
        {"I1", 800, 1033, 0x98567828bf8c59deull},    {"I1", 1000, 720, 0x10e3eba7aa364cceull},
        {"I1001", 1, 1996, 0xf6afd52d8000f354ull},   {"I1001", 2, 1966, 0xd8bd077f7ed840adull},
        {"I1001", 3, 1852, 0x6d86281307dc22c1ull},   {"I1001", 10, 1441, 0xdf2c994f79c231e6ull},
        {"I1001", 100, 1119, 0x324e8b4d9c120e87ull}, {"I1001", 400, 764, 0x4a965db947906840ull},
        {"I1001", 800, 440, 0x9cc60ffb57529defull},  {"I1001", 1000, 413, 0xb9b851189ae03084ull},
        {"I2501", 1, 1209, 0x53a43f8adbf28be4ull},   {"I2501", 2, 1108, 0x8244cb147ae4a63eull},
        {"I2501", 3, 764, 0xc4f8522b1076b635ull},    {"I2501", 10, 413, 0xcda8290bf6d3e6cfull},
    };
    for (const COccurrenceCase& c : cases) {
        SCOPED_TRACE(std::string(c.m_root) + " at " + std::to_string(c.m_occurrence));
        CExpression expression;
        ASSERT_TRUE(
            expression.Parse("=Relationship(,,CODE," + std::to_string(c.m_occurrence) + ")"));
        expression.SetArgRecord(0, Person(c.m_root));
        std::uint64_t hash = 14695981039346656037ull;
        int answered = 0;
        std::string text;
        for (CRecordNode* other : m_people) {
            expression.EvaluateToText(text, other);
            answered += text.empty() ? 0 : 1;
            hash = AddToHash(hash, text);
        }
        EXPECT_EQ(answered, c.m_answered);
        EXPECT_EQ(hash, c.m_hash);
    }
}

/// The slow model of a pool: one list per relative, walked from its start at every addition to
/// find the new path's place and count the paths of its route key before it.
class CListPool final : public CRelationshipPool {
public:
    explicit CListPool(int depth) : CRelationshipPool(depth, 0) {}

    bool AddPath(int kind, CIndRec* relative, int up, int down, bool half, bool spouse) override
    {
        const bool spouseAtEnd = kind == RPK_ANCESTOR_PARTNER || kind == RPK_RELATIVE_PARTNER;
        const CRelationshipPath path{std::uint16_t(up), std::uint16_t(down),
                                     (half ? RPF_HALF : 0u) | (spouse ? RPF_SPOUSE_START : 0u) |
                                         (spouseAtEnd ? RPF_SPOUSE_END : 0u),
                                     std::uint16_t(kind)};
        std::vector<CRelationshipPath>& list = m_lists[relative];
        std::size_t place = 0;
        int sameRoute = 0;
        for (; place < list.size() && !GoesBefore(path, list[place]); ++place)
            sameRoute += list[place].m_routeKey == path.m_routeKey ? 1 : 0;
        if (sameRoute >= GetDepth())
            return false;
        list.insert(list.begin() + std::ptrdiff_t(place), path);
        return true;
    }
    void GetRelationship(int, const CRecordNode*, std::string& text) override { text.clear(); }
    void Clear() override
    {
        m_lists.clear();
        CRelationshipPool::Clear();
    }

    std::map<const CRecordNode*, std::vector<CRelationshipPath>> m_lists;

private:
    static bool HasSpouse(const CRelationshipPath& path)
    {
        return (path.m_flags & (RPF_SPOUSE_START | RPF_SPOUSE_END)) != 0;
    }
    static bool GoesBefore(const CRelationshipPath& added, const CRelationshipPath& existing)
    {
        const bool farther = existing.GetCloseness() > added.GetCloseness();
        return HasSpouse(added) ? HasSpouse(existing) && farther : HasSpouse(existing) || farther;
    }
};

std::string Text(const CRelationshipPath& path)
{
    return std::to_string(path.m_up) + "/" + std::to_string(path.m_down) + "/" +
           std::to_string(path.m_flags) + "/" + std::to_string(path.m_routeKey);
}

TEST_F(RelationshipOccurrenceTest, KeepsTheSamePathsAsOneOrderedListPerRelative)
{
    for (const int depth : {1, 2, 3, 7, 30}) {
        for (std::size_t at = 0; at < m_people.size(); at += 397) {
            CRecordNode* root = m_people[at];
            SCOPED_TRACE(root->GetIdText() + " for " + std::to_string(depth));
            CListPool model(depth);
            BuildRelationshipPool(root, model);
            CRelationshipPathPool pool(depth, 0);
            BuildRelationshipPool(root, pool);
            int differing = 0;
            for (CRecordNode* other : m_people) {
                const auto found = model.m_lists.find(other);
                const std::size_t count = found == model.m_lists.end() ? 0 : found->second.size();
                for (std::size_t i = 0; i <= count; ++i) {
                    const auto path = pool.GetPathEntry(other, int(i));
                    const std::string got = path ? Text(*path) : "none";
                    const std::string expected = i < count ? Text(found->second[i]) : "none";
                    if (got != expected && ++differing <= 3)
                        ADD_FAILURE() << other->GetIdText() << " path " << i << ": " << got
                                      << ", not " << expected;
                }
            }
            EXPECT_EQ(differing, 0);
        }
    }
}

TEST_F(RelationshipOccurrenceTest, AnOccurrenceAboveTheHighestHasNoRelationshipAndBuildsNothing)
{
    CRecordNode* root = Person("I1");
    std::string text;
    {
        // Some relatives of I1 have a thousand paths and more.
        CExpression highest;
        ASSERT_TRUE(highest.Parse("=RelationCode(,,GENERATION," +
                                  std::to_string(kMostRelationshipOccurrence) + ")"));
        highest.SetArgRecord(0, root);
        int answered = 0;
        for (CRecordNode* other : m_people) {
            highest.EvaluateToText(text, other);
            answered += text.empty() ? 0 : 1;
        }
        EXPECT_GT(answered, 0);
    }
    ASSERT_FALSE(AddRefRecordCache(root)) << "the expression let its pool go";

    for (const long occurrence : {kMostRelationshipOccurrence + 1, 2000000000L, 2147483647L}) {
        SCOPED_TRACE(occurrence);
        EXPECT_EQ(GetRelationshipIndex(occurrence), -1);
        for (const char* function : {"RelationCode(,,GENERATION,", "Relationship(,,TEXT,"}) {
            CExpression expression;
            ASSERT_TRUE(
                expression.Parse("=" + std::string(function) + std::to_string(occurrence) + ")"));
            expression.SetArgRecord(0, root);
            for (CRecordNode* other : m_people) {
                expression.EvaluateToText(text, other);
                EXPECT_EQ(text, "") << other->GetIdText();
            }
            EXPECT_EQ(expression.GetHeldRoot(), nullptr);
            EXPECT_FALSE(AddRefRecordCache(root)) << "no pool was built";
        }
    }
}

} // namespace
