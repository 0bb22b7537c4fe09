// tests/database/records/assoc_link_table_test.cpp: the chain of all links walked newest first
// while links come and go in any order, across the table's blocks and its closing up of empty
// slots.
#include "database/nodes/node_pool.h"
#include "database/records/assoc_link_table.h"
#include "database/records/assoc_node.h"
#include "database/records/record_node.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

/// Enough links to fill several blocks of the table.
constexpr int kLinks = 100000;

struct FreeCase {
    const char* name;
    std::function<bool(int)> freed; // by the order in which the links were made
};

class AssocLinkTableTest : public ::testing::TestWithParam<FreeCase> {};

/// The first `count` links of a walk from the newest.
std::vector<CAssocNode*> Walk(std::size_t count)
{
    std::vector<CAssocNode*> walked;
    for (CAssocNode* link = CAssocNode::GetFirstLink(); link && walked.size() < count;
         link = link->GetNextLink())
        walked.push_back(link);
    return walked;
}

TEST_P(AssocLinkTableTest, WalksTheLinksLeftNewestFirst)
{
    const FreeCase& c = GetParam();
    const std::size_t before = CAssocLinkTable::Count();
    const std::size_t blocks = CNodePool::Nodes().LiveBlocks();
    std::vector<CAssocNode*> made;
    for (int i = 0; i < kLinks; ++i)
        made.push_back(new CAssocNode);
    std::vector<CAssocNode*> kept;
    for (int i = kLinks - 1; i >= 0; --i) {
        if (c.freed(i))
            delete made[std::size_t(i)];
        else
            kept.push_back(made[std::size_t(i)]);
    }
    EXPECT_EQ(CAssocLinkTable::Count(), before + kept.size());
    EXPECT_EQ(Walk(kept.size()), kept);
    CAssocNode* newest = new CAssocNode;
    EXPECT_EQ(CAssocNode::GetFirstLink(), newest) << "a new link comes first";
    delete newest;
    for (CAssocNode* link : kept)
        delete link;
    EXPECT_EQ(CAssocLinkTable::Count(), before);
    EXPECT_EQ(CNodePool::Nodes().LiveBlocks(), blocks);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, AssocLinkTableTest,
    ::testing::Values(FreeCase{"None", [](int) { return false; }},
                      FreeCase{"EveryOther", [](int i) { return i % 2 == 0; }},
                      FreeCase{"AllButEveryTenth", [](int i) { return i % 10 != 0; }},
                      FreeCase{"OldestHalf", [](int i) { return i < kLinks / 2; }},
                      FreeCase{"NewestHalf", [](int i) { return i >= kLinks / 2; }},
                      FreeCase{"AllButTheOldest", [](int i) { return i != 0; }},
                      FreeCase{"AllButTheNewest", [](int i) { return i != kLinks - 1; }},
                      FreeCase{"Scattered", [](int i) { return (i * 7919) % 13 < 9; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AssocLinkTableOrderTest, LinksFreedOldestFirstKeepTheRestInOrder)
{
    const std::size_t before = CAssocLinkTable::Count();
    std::vector<CAssocNode*> made;
    for (int i = 0; i < kLinks; ++i)
        made.push_back(new CAssocNode);
    for (int i = 0; i < kLinks; ++i) {
        delete made[std::size_t(i)];
        if (i % 20000 == 0 && i + 1 < kLinks) {
            ASSERT_EQ(CAssocNode::GetFirstLink(), made.back());
            const auto walked = Walk(std::size_t(kLinks - i - 1));
            ASSERT_EQ(walked.size(), std::size_t(kLinks - i - 1));
            ASSERT_EQ(walked.back(), made[std::size_t(i + 1)]) << i;
        }
    }
    EXPECT_EQ(CAssocLinkTable::Count(), before);
}

// The index by target keeps its words in the table's slots: closing up the empty slots moves
// them, and each target's list still holds its links and no freed one.
TEST(AssocLinkTableIndexTest, ClosingUpTheSlotsKeepsEachTargetsLinks)
{
    std::array<CRecordNode*, 3> targets{new CRecordNode, new CRecordNode, new CRecordNode};
    std::vector<CAssocNode*> made;
    for (int i = 0; i < kLinks; ++i) {
        made.push_back(new CAssocNode);
        made.back()->SetTarget(targets[std::size_t(i % 3)]);
    }
    std::array<std::set<const CAssocNode*>, 3> kept;
    for (int i = 0; i < kLinks; ++i) {
        if ((i * 7919) % 13 < 9)
            delete std::exchange(made[std::size_t(i)], nullptr);
        else
            kept[std::size_t(i % 3)].insert(made[std::size_t(i)]);
    }
    for (std::size_t t = 0; t < targets.size(); ++t) {
        std::set<const CAssocNode*> listed;
        for (const CAssocNode* link = CAssocNode::FirstLinkTo(targets[t]);
             link && listed.size() <= kept[t].size(); link = link->GetNextLinkToTarget())
            listed.insert(link);
        EXPECT_EQ(listed, kept[t]) << t;
        EXPECT_EQ(targets[t]->GetLinkCount(), std::int32_t(kept[t].size())) << t;
    }
    for (CAssocNode* link : made)
        delete link;
    for (CRecordNode* target : targets) {
        EXPECT_FALSE(target->HasLinks());
        delete target;
    }
}

} // namespace
