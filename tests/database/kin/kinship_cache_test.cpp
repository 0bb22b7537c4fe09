// tests/database/kin/kinship_cache_test.cpp: Tests of the relationship cache: which paths the
// traversal hands a pool, and how pools are kept, shared, replaced, flushed and asked.
#include "database/kin/kinship_cache.h"
#include "tests/database/kin/kinship_test_support.h"

#include "common/abort.h"

#include <atomic>
#include <set>
#include <thread>

namespace {

/// A pool that writes each path it is handed as "kind name up down [half] [spouse]" and takes
/// the first path to each relative only; its answer names the root and the paths taken.
class CRecordingPool final : public CRelationshipPool {
public:
    CRecordingPool(int depth, int useCount, const CKinshipTest& names)
        : CRelationshipPool(depth, useCount), m_names(names)
    {
    }

    bool AddPath(int kind, CIndRec* relative, int up, int down, bool half, bool spouse) override
    {
        if (!GetRoot())
            ThrowAbort();
        if (relative == m_failOn)
            ThrowAbort();
        ++m_offers;
        if (!m_reached.insert(relative).second)
            return false;
        m_paths.push_back(std::to_string(kind) + " " + m_names.Name(relative) + " " +
                          std::to_string(up) + " " + std::to_string(down) + (half ? " half" : "") +
                          (spouse ? " spouse" : ""));
        return true;
    }
    void GetRelationship(int mode, const CRecordNode* other, std::string& text) override
    {
        text = m_names.Name(GetRoot()) + " mode " + std::to_string(mode) + ": " +
               std::to_string(m_paths.size()) + " paths";
        if (other)
            text += ", other " + m_names.Name(other);
    }
    void Clear() override
    {
        m_paths.clear();
        m_reached.clear();
        CRelationshipPool::Clear();
    }

    std::vector<std::string> m_paths;
    CIndRec* m_failOn = nullptr;
    int m_offers = 0;

private:
    const CKinshipTest& m_names;
    std::set<const CIndRec*> m_reached;
};

/// Installs a factory of recording pools for the test, and empties the cache afterwards.
class CKinshipCacheTest : public CKinshipTest, public IRelationshipPoolFactory {
public:
    std::unique_ptr<CRelationshipPool> NewRelationshipPool(int depth, int useCount) override
    {
        auto pool = std::make_unique<CRecordingPool>(depth, useCount, *this);
        pool->m_failOn = m_failOn;
        m_made.push_back(pool.get());
        return pool;
    }

protected:
    void SetUp() override
    {
        CKinshipTest::SetUp();
        SetRelationshipPoolFactory(this);
    }
    void TearDown() override
    {
        FlushRecordCache(true);
        SetRelationshipPoolFactory(nullptr);
        CKinshipTest::TearDown();
    }

    std::vector<CRecordingPool*> m_made;
    CIndRec* m_failOn = nullptr;
};

TEST_F(CKinshipCacheTest, HandsThePoolEveryLineOfTheRoot)
{
    // Gran and Gramps have Dad and Aunt (whose son is Cuz); Dad's first wife Mum bore Me and
    // Sis; his second, Step, bore Half. Me married Wife (daughter of Inlaw) and has Kid; Wife
    // has Stepkid by Ex.
    CIndRec* gramps = Person("Gramps", SEX_MALE);
    CIndRec* gran = Person("Gran", SEX_FEMALE);
    CIndRec* dad = Person("Dad", SEX_MALE);
    CIndRec* aunt = Person("Aunt", SEX_FEMALE);
    CIndRec* cuz = Person("Cuz", SEX_MALE);
    CIndRec* mum = Person("Mum", SEX_FEMALE);
    CIndRec* step = Person("Step", SEX_FEMALE);
    CIndRec* me = Person("Me", SEX_MALE);
    CIndRec* sis = Person("Sis", SEX_FEMALE);
    CIndRec* half = Person("Half", SEX_MALE);
    CIndRec* wife = Person("Wife", SEX_FEMALE);
    CIndRec* inlaw = Person("Inlaw", SEX_MALE);
    CIndRec* kid = Person("Kid", SEX_MALE);
    CIndRec* ex = Person("Ex", SEX_MALE);
    CIndRec* stepkid = Person("Stepkid", SEX_MALE);
    Family(gramps, gran, {dad, aunt});
    Family(nullptr, aunt, {cuz});
    Family(dad, mum, {me, sis});
    Family(dad, step, {half});
    Family(inlaw, nullptr, {wife});
    Family(me, wife, {kid});
    Family(ex, wife, {stepkid});

    CRecordingPool pool(1, 0, *this);
    BuildRelationshipPool(me, pool);
    EXPECT_EQ(pool.GetRoot(), me);
    EXPECT_FALSE(pool.IsRebuildNeeded());
    const std::vector<std::string> expected = {
        "1 Dad 1 0",       "2 Step 1 0",           "3 Half 1 1 half", "1 Mum 1 0",
        "3 Sis 1 1",       "1 Gramps 2 0",         "1 Gran 2 0",      "3 Aunt 2 1",
        "3 Cuz 2 2",       "4 Wife 0 0",           "3 Kid 0 1",       "1 Inlaw 1 0 spouse",
        "4 Ex 0 0 spouse", "3 Stepkid 0 1 spouse",
    };
    EXPECT_EQ(pool.m_paths, expected);
}

TEST_F(CKinshipCacheTest, BuildingEndsOnLoopsAndLongLines)
{
    // Lin is his son's son; below him runs a line of 300 generations, of which the pool hears
    // of the first 100.
    CIndRec* lin = Person("Lin", SEX_MALE);
    CIndRec* son = Person("Son", SEX_MALE);
    Family(lin, nullptr, {son});
    Family(son, nullptr, {lin});
    CIndRec* parent = lin;
    for (int i = 0; i < 300; ++i) {
        CIndRec* child = Person("L" + std::to_string(i), SEX_MALE);
        Family(parent, nullptr, {child});
        parent = child;
    }
    CRecordingPool pool(1, 0, *this);
    BuildRelationshipPool(lin, pool);
    ASSERT_EQ(pool.m_paths.size(), 101u);
    EXPECT_EQ(pool.m_paths.front(), "1 Son 1 0");
    EXPECT_EQ(pool.m_paths.back(), "3 L99 0 100");
}

TEST_F(CKinshipCacheTest, RepeatedLinksChangeNothing)
{
    CIndRec* gran = Person("Gran", SEX_FEMALE);
    CIndRec* dad = Person("Dad", SEX_MALE);
    CIndRec* mum = Person("Mum", SEX_FEMALE);
    CIndRec* kid = Person("Kid", SEX_MALE);
    CIndRec* sis = Person("Sis", SEX_FEMALE);
    CFamRec* granFamily = Family(nullptr, gran, {dad});
    CFamRec* family = Family(dad, mum, {kid, sis});
    CRecordingPool once(1, 0, *this);
    BuildRelationshipPool(kid, once);

    LinkBothWays(family, FIELD_CHIL, kid, FIELD_FAMC);
    LinkBothWays(family, FIELD_CHIL, sis, FIELD_FAMC);
    LinkBothWays(family, FIELD_HUSB, dad, FIELD_FAMS);
    LinkBothWays(granFamily, FIELD_CHIL, dad, FIELD_FAMC);
    LinkBothWays(granFamily, FIELD_WIFE, gran, FIELD_FAMS);
    CRecordingPool twice(1, 0, *this);
    BuildRelationshipPool(kid, twice);
    EXPECT_EQ(twice.m_paths, once.m_paths);
    EXPECT_EQ(twice.m_offers, once.m_offers);
    EXPECT_EQ(once.m_paths.size(), 4u);
}

TEST_F(CKinshipCacheTest, KeepsOnePoolPerRecordWhileItHasUsers)
{
    CIndRec* ann = Person("Ann", SEX_FEMALE);
    CIndRec* bob = Person("Bob", SEX_MALE);
    Family(bob, ann, {});
    EXPECT_FALSE(AddRefRecordCache(ann));
    ASSERT_TRUE(AcquireRecordCache(ann, 3));
    ASSERT_EQ(m_made.size(), 1u);
    EXPECT_EQ(m_made[0]->m_paths, std::vector<std::string>{"4 Bob 0 0"});
    EXPECT_TRUE(AcquireRecordCache(ann, 2)); // deep enough: the same pool
    EXPECT_TRUE(AddRefRecordCache(ann));
    EXPECT_EQ(m_made.size(), 1u);
    EXPECT_EQ(m_made[0]->GetUseCount(), 3);

    // A deeper request replaces the pool; its users stay counted.
    ASSERT_TRUE(AcquireRecordCache(ann, 5));
    ASSERT_EQ(m_made.size(), 2u);
    CRecordingPool* deeper = m_made[1];
    EXPECT_EQ(deeper->GetDepth(), 5);
    EXPECT_EQ(deeper->GetUseCount(), 4);
    for (int i = 0; i < 3; ++i)
        ReleaseRecordCache(ann);
    EXPECT_TRUE(AddRefRecordCache(ann));
    ReleaseRecordCache(ann);
    ReleaseRecordCache(ann);
    EXPECT_FALSE(AddRefRecordCache(ann));
}

TEST_F(CKinshipCacheTest, FlushEmptiesPoolsAndDropsThoseOfDeletedRecords)
{
    CIndRec* ann = Person("Ann", SEX_FEMALE);
    CIndRec* bob = Person("Bob", SEX_MALE);
    Family(bob, ann, {});
    ASSERT_TRUE(AcquireRecordCache(ann, 1));
    ASSERT_TRUE(AcquireRecordCache(bob, 1));
    CRecordingPool* annPool = m_made[0];

    bob->SetFlag(DNF_PENDING_DELETE, true);
    FlushRecordCache(false);
    bob->SetFlag(DNF_PENDING_DELETE, false);
    EXPECT_FALSE(AddRefRecordCache(bob));
    EXPECT_TRUE(annPool->m_paths.empty());
    EXPECT_TRUE(annPool->IsRebuildNeeded());

    // The next question rebuilds the emptied pool.
    std::string text;
    EXPECT_EQ(QueryRelationship(ann, 7, text, bob, 1), "Ann mode 7: 1 paths, other Bob");
    EXPECT_FALSE(annPool->IsRebuildNeeded());
    FlushRecordCache(true);
    EXPECT_FALSE(AddRefRecordCache(ann));
}

TEST_F(CKinshipCacheTest, AQuestionWithoutAPoolBuildsOneForThatCallOnly)
{
    CIndRec* ann = Person("Ann", SEX_FEMALE);
    std::string text = "old";
    EXPECT_EQ(QueryRelationship(ann, 2, text, nullptr, 4), "Ann mode 2: 0 paths");
    ASSERT_EQ(m_made.size(), 1u);
    EXPECT_FALSE(AddRefRecordCache(ann));
}

TEST_F(CKinshipCacheTest, AFailedBuildGivesNoPoolAndNoAnswer)
{
    CIndRec* ann = Person("Ann", SEX_FEMALE);
    CIndRec* bob = Person("Bob", SEX_MALE);
    Family(bob, ann, {});
    m_failOn = bob;
    EXPECT_FALSE(AcquireRecordCache(ann, 1));
    EXPECT_FALSE(AddRefRecordCache(ann));
    std::string text = "old";
    EXPECT_EQ(QueryRelationship(ann, 1, text, nullptr, 1), "");

    SetRelationshipPoolFactory(nullptr);
    m_failOn = nullptr;
    EXPECT_FALSE(AcquireRecordCache(ann, 1));
    EXPECT_EQ(QueryRelationship(ann, 1, text, nullptr, 1), "");
}

TEST_F(CKinshipCacheTest, TwoThreadsShareTheCacheWhileAThirdFlushes)
{
    CIndRec* ann = Person("Ann", SEX_FEMALE);
    CIndRec* bob = Person("Bob", SEX_MALE);
    CIndRec* kid = Person("Kid", SEX_MALE);
    Family(bob, ann, {kid});
    constexpr int kRounds = 2000;
    std::atomic<int> wrongAnswers = 0;
    std::atomic<int> failedAcquires = 0;
    std::atomic<bool> asking = true;

    // Each asker takes the same pool at changing depths (so pools are replaced), asks, and
    // lets go; the flusher empties, drops and frees pools under them all the while.
    const auto ask = [&](int mode) {
        for (int i = 0; i < kRounds; ++i) {
            if (!AcquireRecordCache(ann, 1 + i % 3))
                ++failedAcquires;
            std::string text;
            if (QueryRelationship(ann, mode, text, bob, 1) !=
                "Ann mode " + std::to_string(mode) + ": 2 paths, other Bob")
                ++wrongAnswers;
            if (AddRefRecordCache(ann))
                ReleaseRecordCache(ann);
            ReleaseRecordCache(ann);
        }
    };
    std::thread flusher([&] {
        for (int i = 0; asking; ++i)
            FlushRecordCache(i % 4 == 0);
    });
    std::thread first(ask, 1);
    std::thread second(ask, 2);
    first.join();
    second.join();
    asking = false;
    flusher.join();

    EXPECT_EQ(failedAcquires, 0);
    EXPECT_EQ(wrongAnswers, 0);
    EXPECT_FALSE(AddRefRecordCache(ann));
}

} // namespace
