// tests/database/kin/pointer_map_test.cpp: the flat pointer map of the kinship walks and the set of
// individuals built on it: small and large tables, copies, clearing, and the set's order and
// equality.
#include "database/kin/detail/pointer_map.h"
#include "database/kin/kinship.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using kinship_detail::CPointerMap;

/// A key that is never read: the maps compare and hash addresses only.
const void* Key(std::size_t n)
{
    return reinterpret_cast<const void*>(std::uintptr_t(8 * (n + 1)));
}

CIndRec* Person(std::size_t n)
{
    return reinterpret_cast<CIndRec*>(std::uintptr_t(8 * (n + 1)));
}

class CPointerMapSizesTest : public testing::TestWithParam<std::size_t> {};

// 10 keys stay in the first table; 200,000 grow it through many doublings.
TEST_P(CPointerMapSizesTest, KeepsEveryKeyThroughGrowthCopyAndClear)
{
    const std::size_t count = GetParam();
    CPointerMap<int> map;
    for (std::size_t n = 0; n < count; ++n)
        ASSERT_TRUE(map.TryEmplace(Key(2 * n), int(n)).second);
    EXPECT_FALSE(map.TryEmplace(Key(0), 99).second);
    EXPECT_EQ(map.Size(), count);

    CPointerMap<int> copy = map;
    EXPECT_TRUE(copy.TryEmplace(Key(1), -1).second); // the copy is a map of its own
    EXPECT_FALSE(map.Contains(Key(1)));
    for (std::size_t n = 0; n < count; ++n) {
        const int* value = map.Find(Key(2 * n));
        ASSERT_NE(value, nullptr) << n;
        EXPECT_EQ(*value, int(n));
        EXPECT_EQ(*copy.Find(Key(2 * n)), int(n));
        EXPECT_FALSE(map.Contains(Key(2 * n + 3))) << n;
    }

    CPointerMap<int> moved = std::move(copy);
    EXPECT_EQ(moved.Size(), count + 1);
    map.Clear();
    EXPECT_EQ(map.Size(), 0u);
    EXPECT_FALSE(map.Contains(Key(0)));
    EXPECT_TRUE(map.TryEmplace(Key(0), 5).second);
    EXPECT_EQ(*map.Find(Key(0)), 5);
    map = moved;
    EXPECT_EQ(map.Size(), count + 1);
    EXPECT_EQ(*map.Find(Key(1)), -1);
}

INSTANTIATE_TEST_SUITE_P(Counts, CPointerMapSizesTest, testing::Values(10, 200000));

TEST(CMapPtrToWordTest, KeepsTheOrderOfAddingAndComparesAsASet)
{
    CMapPtrToWord set;
    EXPECT_TRUE(set.try_emplace(Person(3), 0));
    EXPECT_TRUE(set.emplace(Person(1), 0));
    EXPECT_FALSE(set.try_emplace(Person(3), 7)); // the first word stays
    EXPECT_TRUE(set.contains(Person(1)));
    EXPECT_FALSE(set.contains(Person(2)));
    std::vector<CIndRec*> order;
    for (const auto& [person, word] : set) {
        order.push_back(person);
        EXPECT_EQ(word, 0);
    }
    EXPECT_EQ(order, (std::vector<CIndRec*>{Person(3), Person(1)}));

    CMapPtrToWord reversed;
    reversed.emplace(Person(1), 0);
    reversed.emplace(Person(3), 0);
    EXPECT_TRUE(set == reversed);
    reversed.emplace(Person(4), 0);
    EXPECT_FALSE(set == reversed);
    CMapPtrToWord otherWord;
    otherWord.emplace(Person(1), 0);
    otherWord.emplace(Person(3), 1);
    EXPECT_FALSE(set == otherWord);

    const CMapPtrToWord copy = set;
    set.clear();
    EXPECT_TRUE(set.empty());
    EXPECT_FALSE(set.contains(Person(3)));
    EXPECT_EQ(copy.size(), 2u);
    EXPECT_TRUE(copy.contains(Person(3)));
}

} // namespace
