// tests/queries/relationship_pool_test.cpp: Tests of the relationship pool: the order and bound of
// each relative's paths, and the answers for a family of six generations, built through the
// relationship cache, in every mode, by occurrence and from two threads at once.
#include "common/abort.h"
#include "queries/relationship_pool.h"
#include "queries/relationship_words.h"
#include "tests/database/kin/kinship_test_support.h"

#include <atomic>
#include <thread>

namespace {

class RelationshipPoolTest : public CKinshipTest {
protected:
    void SetUp() override
    {
        CKinshipTest::SetUp();
        InstallRelationshipPoolFactory();
    }
    void TearDown() override
    {
        FlushRecordCache(true);
        SetRelationshipPoolFactory(nullptr);
        CKinshipTest::TearDown();
    }

    /// The paths of record as "up down flags route" texts, nearest first.
    static std::vector<std::string> Paths(const CRelationshipPathPool& pool,
                                          const CRecordNode* record)
    {
        std::vector<std::string> texts;
        for (int i = 0; const auto path = pool.GetPathEntry(record, i); ++i)
            texts.push_back(std::to_string(path->m_up) + " " + std::to_string(path->m_down) + " " +
                            std::to_string(path->m_flags) + " " + std::to_string(path->m_routeKey));
        return texts;
    }
};

TEST_F(RelationshipPoolTest, KeepsPathsNearestFirstAndSpousePathsLast)
{
    CIndRec* root = Person("Root", SEX_MALE);
    CIndRec* kin = Person("Kin", SEX_FEMALE);
    CRelationshipPathPool pool(5, 0);
    pool.Reset(root);
    EXPECT_TRUE(pool.AddPathEntry(1, kin, 2, 2, RPF_SPOUSE_START));
    EXPECT_TRUE(pool.AddPathEntry(1, kin, 3, 3, 0));
    EXPECT_TRUE(pool.AddPathEntry(2, kin, 1, 1, RPF_SPOUSE_END));
    EXPECT_TRUE(pool.AddPathEntry(1, kin, 2, 2, RPF_HALF));
    EXPECT_TRUE(pool.AddPathEntry(3, kin, 2, 2, 0));
    EXPECT_TRUE(pool.AddPathEntry(2, kin, 2, 2, RPF_MARK));
    EXPECT_TRUE(pool.AddPathEntry(3, kin, 2, 2, 0));
    const std::vector<std::string> expected = {
        "2 2 0 3", "2 2 0 3", "2 2 1 1", "2 2 2 2", "3 3 0 1", "1 1 8 2", "2 2 4 1",
    };
    EXPECT_EQ(Paths(pool, kin), expected);
    EXPECT_FALSE(pool.GetPathEntry(kin, 7));
    EXPECT_FALSE(pool.GetPathEntry(kin, -1));
    EXPECT_FALSE(pool.GetPathEntry(root, 0));
}

TEST_F(RelationshipPoolTest, RefusesPathsBeyondTheMostPerRouteKey)
{
    CIndRec* root = Person("Root", SEX_MALE);
    CIndRec* kin = Person("Kin", SEX_MALE);
    CRelationshipPathPool pool(2, 0);
    pool.Reset(root);
    EXPECT_TRUE(pool.AddPathEntry(4, kin, 1, 1, 0));
    EXPECT_TRUE(pool.AddPathEntry(4, kin, 2, 2, 0));
    EXPECT_FALSE(pool.AddPathEntry(4, kin, 3, 3, 0));
    EXPECT_TRUE(pool.AddPathEntry(5, kin, 3, 3, 0));
    // A nearer path has fewer of its key before it, so it is taken and keeps its place.
    EXPECT_TRUE(pool.AddPathEntry(4, kin, 0, 1, 0));
    EXPECT_FALSE(pool.AddPathEntry(4, kin, 70000, 0, 0));
    EXPECT_FALSE(pool.AddPathEntry(4, kin, 0, -1, 0));
    const std::vector<std::string> expected = {"0 1 0 4", "1 1 0 4", "2 2 0 4", "3 3 0 5"};
    EXPECT_EQ(Paths(pool, kin), expected);
}

TEST_F(RelationshipPoolTest, AddingWithoutARootAbandonsAndClearingEmpties)
{
    CIndRec* root = Person("Root", SEX_MALE);
    CIndRec* kin = Person("Kin", SEX_MALE);
    CRelationshipPathPool pool(3, 0);
    EXPECT_THROW(pool.AddPathEntry(1, kin, 1, 0, 0), COperationAborted);
    pool.Reset(root);
    for (int i = 0; i < 250; ++i)
        ASSERT_TRUE(pool.AddPathEntry(i, kin, 1, 0, 0));
    EXPECT_EQ(pool.GetPathEntry(kin, 249)->m_routeKey, 249);
    pool.Clear();
    EXPECT_TRUE(pool.IsRebuildNeeded());
    EXPECT_FALSE(pool.GetPathEntry(kin, 0));
}

/// Six generations around Me: the line of A5, A4 and A3 above Gramps; Gramps and Gran's
/// children Dad and Aunt (whose son Cuz has Cuzkid); A3's son Greatuncle; Dad's children Me and
/// Sis by Mum and Half by Step; Sis married Brolaw and has Nephew and his son Grandnephew; Me
/// married Wife, daughter of Inlaw and niece of Wuncle; Me's line down through Kid (married to
/// Kidwife), Gkid, G2kid and G3kid to G4kid.
class RelationshipFamilyTest : public RelationshipPoolTest {
protected:
    void SetUp() override
    {
        RelationshipPoolTest::SetUp();
        CIndRec* a5 = P("A5", SEX_MALE);
        CIndRec* a4 = P("A4", SEX_FEMALE);
        CIndRec* a3 = P("A3", SEX_MALE);
        CIndRec* gramps = P("Gramps", SEX_MALE);
        CIndRec* gran = P("Gran", SEX_FEMALE);
        CIndRec* dad = P("Dad", SEX_MALE);
        CIndRec* mum = P("Mum", SEX_FEMALE);
        CIndRec* step = P("Step", SEX_FEMALE);
        CIndRec* aunt = P("Aunt", SEX_FEMALE);
        CIndRec* cuz = P("Cuz", SEX_MALE);
        CIndRec* sis = P("Sis", SEX_FEMALE);
        CIndRec* brolaw = P("Brolaw", SEX_MALE);
        CIndRec* nephew = P("Nephew", SEX_MALE);
        CIndRec* wife = P("Wife", SEX_FEMALE);
        CIndRec* inlaw = P("Inlaw", SEX_MALE);
        CIndRec* wgramps = P("Wgramps", SEX_MALE);
        CIndRec* kid = P("Kid", SEX_MALE);
        CIndRec* gkid = P("Gkid", SEX_FEMALE);
        CIndRec* g2kid = P("G2kid", SEX_MALE);
        CIndRec* g3kid = P("G3kid", SEX_FEMALE);
        Family(a5, nullptr, {a4});
        Family(nullptr, a4, {a3});
        Family(a3, nullptr, {gramps, P("Greatuncle", SEX_MALE)});
        Family(gramps, gran, {dad, aunt});
        Family(nullptr, aunt, {cuz});
        Family(cuz, nullptr, {P("Cuzkid", SEX_FEMALE)});
        Family(dad, mum, {m_me = P("Me", SEX_MALE), sis});
        Family(dad, step, {P("Half", SEX_MALE)});
        Family(brolaw, sis, {nephew});
        Family(nephew, nullptr, {P("Grandnephew", SEX_MALE)});
        Family(wgramps, nullptr, {inlaw, P("Wuncle", SEX_MALE)});
        Family(inlaw, nullptr, {wife});
        Family(m_me, wife, {kid});
        Family(kid, P("Kidwife"), {gkid});
        Family(gkid, nullptr, {g2kid});
        Family(nullptr, g2kid, {g3kid});
        Family(g3kid, nullptr, {P("G4kid", SEX_MALE)});
    }

    CIndRec* P(const std::string& name, int sex = SEX_UNDETERMINED)
    {
        CIndRec* person = Person(name, sex);
        m_people[name] = person;
        return person;
    }
    /// Me's question about the named relative, as an expression asks it.
    std::string Ask(const std::string& name, int mode, bool swap = false, long occurrence = 1)
    {
        std::string text;
        const int index = GetRelationshipIndex(occurrence);
        return QueryRelationship(m_me, MakeRelationshipQuestion(mode, swap, index), text,
                                 m_people.at(name), index);
    }

    CIndRec* m_me = nullptr;
    std::map<std::string, CIndRec*> m_people;
};

TEST_F(RelationshipFamilyTest, WordsEachRelativeOfTheRoot)
{
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {"Dad", "father"},
        {"Mum", "mother"},
        {"Step", "father's wife"},
        {"Gramps", "grandfather"},
        {"A3", "great grandfather"},
        {"A4", "great (x2) grandmother"},
        {"A5", "great (x3) grandfather"},
        {"Greatuncle", "great-uncle"},
        {"Aunt", "aunt"},
        {"Cuz", "cousin"},
        {"Cuzkid", "1st cousin once-removed"},
        {"Sis", "sister"},
        {"Half", "half brother"},
        {"Brolaw", "brother-in-law"},
        {"Nephew", "nephew"},
        {"Grandnephew", "great-nephew"},
        {"Wife", "wife"},
        {"Inlaw", "father-in-law"},
        {"Wuncle", "wife's uncle"},
        {"Wgramps", "wife's grandfather"},
        {"Kid", "son"},
        {"Kidwife", "daughter-in-law"},
        {"Gkid", "granddaughter"},
        {"G2kid", "great grandson"},
        {"G3kid", "great (x2) granddaughter"},
        {"G4kid", "great (x3) grandson"},
    };
    for (const auto& [name, words] : pairs) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Ask(name, RM_WORDS), words);
    }
}

TEST_F(RelationshipFamilyTest, AnswersEveryModeEitherWayRound)
{
    struct CModeCase {
        const char* m_name;
        bool m_swap;
        std::vector<std::string> m_answers; // modes 0 to 7
    };
    const std::vector<CModeCase> cases = {
        {"Gramps",
         false,
         {"grandfather", "Gens. Up=2, Gens. Down=0, Half=0, Spouse Start=0, Spouse End=0", "-2",
          "2", "0", "0", "0", "0"}},
        {"Gramps",
         true,
         {"grandson", "Gens. Up=0, Gens. Down=2, Half=0, Spouse Start=0, Spouse End=0", "2", "0",
          "2", "0", "0", "0"}},
        {"Half",
         false,
         {"half brother", "Gens. Up=1, Gens. Down=1, Half=1, Spouse Start=0, Spouse End=0", "0",
          "1", "1", "1", "0", "0"}},
        {"Inlaw",
         false,
         {"father-in-law", "Gens. Up=1, Gens. Down=0, Half=0, Spouse Start=1, Spouse End=0", "-1",
          "1", "0", "0", "1", "0"}},
        {"Inlaw",
         true,
         {"son-in-law", "Gens. Up=0, Gens. Down=1, Half=0, Spouse Start=0, Spouse End=1", "1", "0",
          "1", "0", "0", "1"}},
        {"Step",
         true,
         {"husband's son", "Gens. Up=0, Gens. Down=1, Half=0, Spouse Start=1, Spouse End=0", "1",
          "0", "1", "0", "1", "0"}},
        {"Wife",
         true,
         {"husband", "Gens. Up=0, Gens. Down=0, Half=0, Spouse Start=1, Spouse End=0", "0", "0",
          "0", "0", "1", "0"}},
    };
    for (const CModeCase& c : cases) {
        for (int mode = 0; mode < RM_MODE_COUNT; ++mode) {
            SCOPED_TRACE(std::string(c.m_name) + (c.m_swap ? " swapped, mode " : ", mode ") +
                         std::to_string(mode));
            EXPECT_EQ(Ask(c.m_name, mode, c.m_swap), c.m_answers[mode]);
        }
    }
    EXPECT_EQ(Ask("Gramps", RM_MODE_COUNT), "");
}

TEST_F(RelationshipFamilyTest, AnOccurrenceBelowOneHasNoRelationship)
{
    // Kid is Me's son, and also Wife's son seen through her.
    EXPECT_EQ(Ask("Kid", RM_WORDS, false, 1), "son");
    EXPECT_EQ(Ask("Kid", RM_WORDS, false, 2), "wife's son");
    EXPECT_EQ(Ask("Kid", RM_WORDS, false, 3), "");
    for (const long occurrence : {0L, -1L, -40L}) {
        SCOPED_TRACE(occurrence);
        EXPECT_EQ(GetRelationshipIndex(occurrence), -1);
        for (int mode = 0; mode < RM_MODE_COUNT; ++mode)
            EXPECT_EQ(Ask("Kid", mode, false, occurrence), "");
    }
}

TEST_F(RelationshipFamilyTest, TwoThreadsAskTheSamePoolAtOnce)
{
    CRelationshipPathPool pool(2, 0);
    BuildRelationshipPool(m_me, pool);
    const std::vector<std::pair<const CRecordNode*, std::string>> pairs = {
        {m_people.at("Gramps"), "grandfather"},
        {m_people.at("Wuncle"), "wife's uncle"},
        {m_people.at("Kid"), "son"},
        {m_people.at("G4kid"), "great (x3) grandson"},
        {m_people.at("Half"), "half brother"},
    };
    std::atomic<int> wrong = 0;
    const auto ask = [&](bool mayBeRebuilding) {
        for (int round = 0; round < 3000; ++round) {
            for (const auto& [relative, words] : pairs) {
                const std::string answer = pool.GetRelationship(relative, RM_WORDS, false, 0);
                if (answer != words && !(mayBeRebuilding && answer.empty()))
                    ++wrong;
            }
        }
    };
    std::thread first(ask, false);
    std::thread second(ask, false);
    first.join();
    second.join();
    EXPECT_EQ(wrong, 0);

    // While the pool is rebuilt, an answer is either whole or not there yet.
    std::thread reader(ask, true);
    for (int round = 0; round < 200; ++round)
        BuildRelationshipPool(m_me, pool);
    reader.join();
    EXPECT_EQ(wrong, 0);
}

} // namespace
