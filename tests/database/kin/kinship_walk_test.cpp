// tests/database/kin/kinship_walk_test.cpp: Tests of the kinship walks at scale: a line far longer
// than any stack could take, and two walks on two threads over the same records.
#include "database/kin/kinship.h"
#include "database/kin/kinship_map.h"
#include "tests/database/kin/kinship_test_support.h"

#include <thread>

namespace {

/// A line of 200,000 generations: each person's father is the next one.
class CKinshipLineTest : public CKinshipTest {
protected:
    static constexpr int kGenerations = 200000;

    void SetUp() override
    {
        CKinshipTest::SetUp();
        m_line.push_back(Person("0", SEX_MALE));
        for (int i = 1; i <= kGenerations; ++i) {
            m_line.push_back(Person(std::to_string(i), SEX_MALE));
            Family(m_line.back(), nullptr, {m_line[std::size_t(i - 1)]});
        }
    }

    std::vector<CIndRec*> m_line;
};

TEST_F(CKinshipLineTest, WalksTheWholeLineWithoutRecursion)
{
    CMapPtrToWord result;
    CKinshipMarks marks;
    MarkAncestors(m_line.front(), result, 0, marks);
    EXPECT_EQ(result.size(), std::size_t(kGenerations));
    EXPECT_EQ(marks.GetGeneration(m_line.back()), kGenerations);
    result.clear();
    CollectDescendants(Set({m_line.back()}), result, nullptr, 0);
    EXPECT_EQ(result.size(), std::size_t(kGenerations));
    result.clear();
    CollectAncestors(Set({m_line.front()}), result, nullptr, 1000);
    EXPECT_EQ(result.size(), 1000u);

    bool notFound = true;
    EXPECT_EQ(GetRelationPoolNumber(m_line.front(), notFound), 1);
    EXPECT_EQ(GetRelationPoolNumber(m_line.back(), notFound), 1);

    // 62 generations up is the last Ahnentafel number that fits in 63 bits.
    std::int64_t number = 0;
    int count = 0;
    ASSERT_TRUE(FindAhnentafelNumber(m_line.front(), m_line[62], number, count, 1, kGenerations));
    EXPECT_EQ(number, std::int64_t(1) << 62);
    EXPECT_FALSE(FindAhnentafelNumber(m_line.front(), m_line[63], number, count, 1, kGenerations));
}

/// Twelve generations of 200 people, each generation paired anew with its lines mixed, two
/// children a couple: ancestors and descendants of one person reach most of the population
/// by many crossing lines.
class CKinshipThreadsTest : public CKinshipTest {
protected:
    static constexpr int kGenerationSize = 200;
    static constexpr int kGenerationCount = 12;

    void SetUp() override
    {
        CKinshipTest::SetUp();
        std::vector<CIndRec*> generation = NewGeneration(0);
        m_first = generation;
        for (int g = 1; g < kGenerationCount; ++g) {
            std::vector<CIndRec*> children = NewGeneration(g);
            // 73 is prime to the size, so i * 73 + g runs through the generation once.
            const auto pick = [&](int i) {
                return generation[std::size_t((i * 73 + g) % kGenerationSize)];
            };
            for (int couple = 0; couple < kGenerationSize / 2; ++couple) {
                CIndRec* husband = pick(2 * couple);
                CIndRec* wife = pick(2 * couple + 1);
                Family(husband, wife,
                       {children[std::size_t(2 * couple)], children[std::size_t(2 * couple + 1)]});
            }
            generation = children;
        }
        m_last = generation;
    }

    struct Results {
        CMapPtrToWord ancestors;
        CMapPtrToWord nearAncestors;
        CMapPtrToWord descendants;
        CMapPtrToWord spouses;
        bool operator==(const Results&) const = default;
    };

    Results Walk() const
    {
        Results results;
        const CMapPtrToWord youngest = Set({m_last[0], m_last[99]});
        CollectAncestors(youngest, results.ancestors, nullptr, 0);
        CollectAncestors(youngest, results.nearAncestors, nullptr, 4);
        CollectDescendants(Set({m_first[0], m_first[1]}), results.descendants, nullptr, 0);
        CollectSpouses(results.ancestors, results.spouses, nullptr);
        return results;
    }

    std::vector<CIndRec*> m_first;
    std::vector<CIndRec*> m_last;

private:
    std::vector<CIndRec*> NewGeneration(int g)
    {
        std::vector<CIndRec*> people;
        for (int i = 0; i < kGenerationSize; ++i) {
            const std::string name = std::to_string(g) + "." + std::to_string(i);
            people.push_back(Person(name, i % 2 ? SEX_FEMALE : SEX_MALE));
        }
        return people;
    }
};

TEST_F(CKinshipThreadsTest, TwoWalksAtOnceAgreeWithOneAfterTheOther)
{
    const Results alone = Walk();
    ASSERT_GT(alone.ancestors.size(), 1000u);
    ASSERT_GT(alone.descendants.size(), 1000u);
    ASSERT_LT(alone.nearAncestors.size(), alone.ancestors.size());

    // Two query workers walk while the window thread numbers the groups, as painting does.
    constexpr int kRounds = 50;
    std::vector<Results> first(kRounds);
    std::vector<Results> second(kRounds);
    std::thread one([&] {
        for (Results& results : first)
            results = Walk();
    });
    std::thread two([&] {
        for (Results& results : second)
            results = Walk();
    });
    bool notFound = false;
    int pools = 0;
    for (int round = 0; round < kRounds; ++round) {
        AcquireKinshipMap();
        for (CIndRec* person : m_last)
            pools = std::max(pools, GetRelationPoolNumber(person, notFound));
        ReleaseKinshipMap();
    }
    one.join();
    two.join();
    EXPECT_EQ(pools, 1);
    EXPECT_FALSE(notFound);
    for (int round = 0; round < kRounds; ++round) {
        EXPECT_TRUE(first[std::size_t(round)] == alone) << "round " << round;
        EXPECT_TRUE(second[std::size_t(round)] == alone) << "round " << round;
    }
}

} // namespace
