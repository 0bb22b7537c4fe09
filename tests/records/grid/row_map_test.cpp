// tests/records/grid/row_map_test.cpp: the grid's record-to-row map against a standard map,
// through random settings and erasures that crowd keys into long runs and wrap round the end.
#include "records/grid/row_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <unordered_map>
#include <vector>

namespace {

const CDataNode* Key(std::uintptr_t n)
{
    return reinterpret_cast<const CDataNode*>(n * 16);
}

CTreeBoxNode* Row(std::uintptr_t n)
{
    return reinterpret_cast<CTreeBoxNode*>(n * 8 + 8);
}

TEST(RowMap, FollowsAStandardMapThroughSettingsAndErasures)
{
    CRowMap map;
    std::unordered_map<const CDataNode*, CTreeBoxNode*> expected;
    std::mt19937 random(3);
    // Few distinct keys, so that erasures hit keys in the middle of crowded runs.
    std::uniform_int_distribution<std::uintptr_t> keys(1, 300);
    for (int step = 0; step < 20000; ++step) {
        const CDataNode* key = Key(keys(random));
        switch (random() % 4) {
        case 0: {
            const auto found = expected.find(key);
            // Erasing with another row than the key's keeps the key.
            CTreeBoxNode* row = found != expected.end() && random() % 4 ? found->second : Row(0);
            map.Erase(key, row);
            if (found != expected.end() && found->second == row)
                expected.erase(found);
            break;
        }
        default: {
            CTreeBoxNode* row = Row(std::uintptr_t(step));
            map.Set(key, row);
            expected[key] = row;
            break;
        }
        }
        ASSERT_EQ(map.Size(), expected.size()) << "step " << step;
        if (step % 97 == 0) {
            for (std::uintptr_t k = 1; k <= 300; ++k) {
                const auto found = expected.find(Key(k));
                ASSERT_EQ(map.Find(Key(k)), found == expected.end() ? nullptr : found->second)
                    << "step " << step << " key " << k;
            }
        }
    }
}

TEST(RowMap, NullKeysAreNotKeptAndClearForgetsAll)
{
    CRowMap map;
    map.Set(nullptr, Row(1));
    EXPECT_EQ(map.Size(), 0u);
    EXPECT_EQ(map.Find(nullptr), nullptr);
    map.Reserve(1000);
    for (std::uintptr_t k = 1; k <= 1000; ++k)
        map.Set(Key(k), Row(k));
    EXPECT_EQ(map.Find(Key(500)), Row(500));
    map.Clear();
    EXPECT_EQ(map.Size(), 0u);
    EXPECT_EQ(map.Find(Key(500)), nullptr);
}

} // namespace

TEST(RowMap, SettingManyAtOnceKeepsEachKeysLastRowAndSkipsNullKeys)
{
    CRowMap map;
    map.Set(Key(5), Row(1));
    std::vector<CRowMap::Pair> pairs;
    // More pairs than the look-ahead, keys in an order unrelated to their slots, a key set
    // twice in the batch, a key set before it, and a null key.
    for (std::uintptr_t n = 1000; n > 0; --n)
        pairs.emplace_back(Key(n * 7919 % 1001 + 1), Row(n));
    pairs.emplace_back(Key(5), Row(2000));
    pairs.emplace_back(nullptr, Row(3000));
    pairs.emplace_back(Key(3000), Row(3001));
    pairs.emplace_back(Key(3000), Row(3002));
    map.SetMany(pairs);
    std::unordered_map<const CDataNode*, CTreeBoxNode*> expected{{Key(5), Row(1)}};
    for (const CRowMap::Pair& pair : pairs)
        if (pair.first)
            expected[pair.first] = pair.second;
    EXPECT_EQ(map.Size(), expected.size());
    for (const auto& [key, row] : expected)
        EXPECT_EQ(map.Find(key), row);
    EXPECT_EQ(map.Find(nullptr), nullptr);
}
