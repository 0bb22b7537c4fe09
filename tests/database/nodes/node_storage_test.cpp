// tests/database/nodes/node_storage_test.cpp: Tests of how nodes and their values are stored: the
// compact text, the block pool and the sizes that keep a ten-million-line file within its memory
// budget.
#include "tests/database/nodes/node_test_support.h"

#include "database/nodes/custom_event_node.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <utility>

namespace node_test {
namespace {

TEST(NodeSizeTest, NodesStayWithinTheirBudget)
{
    EXPECT_EQ(sizeof(CDataNode), 24u);
    EXPECT_EQ(sizeof(CComplexNode), 24u);
    EXPECT_EQ(sizeof(CTestTextNode), 48u) << "the text packs into the node's tail";
    EXPECT_LE(sizeof(CCustomEventNode), 32u);
    EXPECT_LE(sizeof(CRecordNode), 48u);
    EXPECT_EQ(sizeof(COleDateTime), 8u) << "every record carries a change stamp";
}

struct TextCase {
    const char* name;
    std::size_t length;
    bool isLong;
};

class NodeTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NodeTextTest, KeepsTheTextWhereverItLives)
{
    const TextCase& c = GetParam();
    const std::string value(c.length, 'x');
    CNodeText text(value);
    EXPECT_EQ(text.View(), value);
    EXPECT_EQ(text.IsLong(), c.isLong);
    CNodeText copy(text);
    CNodeText moved(std::move(text));
    EXPECT_EQ(copy.View(), value);
    EXPECT_EQ(moved.View(), value);
    EXPECT_TRUE(text.IsEmpty());
    copy = moved;
    EXPECT_EQ(copy.View(), value);
}

INSTANTIATE_TEST_SUITE_P(Rows, NodeTextTest,
                         ::testing::Values(TextCase{"Empty", 0, false},
                                           TextCase{"Typical", 11, false},
                                           TextCase{"Inline", CNodeText::kInlineBytes, false},
                                           TextCase{"FirstLong", CNodeText::kInlineBytes + 1, true},
                                           TextCase{"Note", 5000, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NodeTextAppendTest, ContinuationsGrowFromInlineToTheHeap)
{
    CNodeText text("Born in");
    text.Append(" the parish of ");
    EXPECT_FALSE(text.IsLong());
    text.Append("St Mary");
    EXPECT_TRUE(text.IsLong());
    std::string expected = "Born in the parish of St Mary";
    for (int i = 0; i < 200; ++i) {
        text.Append("\nline");
        expected += "\nline";
    }
    EXPECT_EQ(text.View(), expected);
    text.Assign("short");
    EXPECT_FALSE(text.IsLong());
    EXPECT_EQ(text.View(), "short");
}

TEST(NodeTextAppendTest, AssigningAPieceOfItselfIsSafe)
{
    CNodeText text(std::string(40, 'a') + "tail");
    text.Assign(text.View().substr(40));
    EXPECT_EQ(text.View(), "tail");
    CNodeText longer(std::string(30, 'b'));
    longer.Assign(longer.View().substr(2));
    EXPECT_EQ(longer.View(), std::string(28, 'b'));
    longer.Append(longer.View());
    EXPECT_EQ(longer.View(), std::string(56, 'b'));
    // A short text moved within its own inline bytes, either way.
    CNodeText inline_("abcdefghij");
    inline_.Assign(inline_.View().substr(3));
    EXPECT_EQ(inline_.View(), "defghij");
    CNodeText overlapping("0123456789");
    overlapping.Assign(overlapping.View().substr(1, 8));
    EXPECT_EQ(overlapping.View(), "12345678");
}

// A short text is copied in pieces of the width its size reaches: at every size, from other
// bytes and from a later piece of its own, each byte lands in its place.
TEST(NodeTextAppendTest, EveryShortSizeKeepsItsBytesInOrder)
{
    const std::string_view digits = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (std::size_t size = 0; size <= CNodeText::kInlineBytes; ++size) {
        CNodeText text("old");
        text.Assign(digits.substr(1, size));
        EXPECT_EQ(text.View(), digits.substr(1, size)) << size;
        CNodeText own(digits.substr(0, CNodeText::kInlineBytes));
        const std::size_t from = CNodeText::kInlineBytes - size;
        own.Assign(own.View().substr(from, size));
        EXPECT_EQ(own.View(), digits.substr(from, size)) << size;
    }
}

const std::string kPlace = "Ludlow, Shropshire, England";

TEST(SharedNodeTextTest, EqualTextsShareOneCopyUntilTheLastHolderGoes)
{
    const std::size_t before = CNodePool::Nodes().LiveBlocks();
    {
        CNodeText first;
        CNodeText second;
        first.AssignShared(kPlace);
        second.AssignShared(std::string(kPlace));
        EXPECT_TRUE(first.IsShared());
        EXPECT_EQ(first.View().data(), second.View().data());
        EXPECT_EQ(CNodePool::Nodes().LiveBlocks(), before + 1);
        {
            const CNodeText copy(first);
            EXPECT_EQ(copy.View().data(), first.View().data()) << "a copy shares too";
        }
        first.Clear();
        EXPECT_EQ(second.View(), kPlace) << "the copy outlives a holder that lets go";
        EXPECT_EQ(CNodePool::Nodes().LiveBlocks(), before + 1);
    }
    EXPECT_EQ(CNodePool::Nodes().LiveBlocks(), before) << "the last holder frees the copy";
}

struct ChangeCase {
    const char* name;
    std::function<void(CNodeText&)> change;
    std::string expected;
};

class SharedNodeTextChangeTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(SharedNodeTextChangeTest, ChangingOneHolderLeavesTheOthers)
{
    const ChangeCase& c = GetParam();
    const std::size_t before = CNodePool::Nodes().LiveBlocks();
    {
        CNodeText changed;
        CNodeText other;
        CNodeText copied;
        changed.AssignShared(kPlace);
        other.AssignShared(kPlace);
        copied = other;
        c.change(changed);
        EXPECT_EQ(changed.View(), c.expected);
        EXPECT_EQ(other.View(), kPlace);
        EXPECT_EQ(copied.View(), kPlace);
        CNodeText again;
        again.AssignShared(kPlace);
        EXPECT_EQ(again.View().data(), other.View().data()) << "the copy is still found";
    }
    EXPECT_EQ(CNodePool::Nodes().LiveBlocks(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SharedNodeTextChangeTest,
    ::testing::Values(
        ChangeCase{"Append", [](CNodeText& t) { t.Append(" (parish)"); }, kPlace + " (parish)"},
        ChangeCase{"AssignLong", [](CNodeText& t) { t.Assign(kPlace + "!"); }, kPlace + "!"},
        ChangeCase{"AssignShort", [](CNodeText& t) { t.Assign("Ludlow"); }, "Ludlow"},
        ChangeCase{"AssignPieceOfItself", [](CNodeText& t) { t.Assign(t.View().substr(8)); },
                   kPlace.substr(8)},
        ChangeCase{"ShareAnother", [](CNodeText& t) { t.AssignShared("Leiden, Zuid-Holland"); },
                   "Leiden, Zuid-Holland"},
        ChangeCase{"ShareAPieceOfItself",
                   [](CNodeText& t) { t.AssignShared(t.View().substr(0, 23)); },
                   kPlace.substr(0, 23)},
        ChangeCase{"MoveAway", [](CNodeText& t) { CNodeText taken(std::move(t)); }, ""},
        ChangeCase{"Clear", [](CNodeText& t) { t.Clear(); }, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SharedNodeTextTest, ShortTextsStayInsideTheObject)
{
    CNodeText text;
    text.AssignShared("Ludlow");
    EXPECT_FALSE(text.IsShared());
    EXPECT_EQ(text.View(), "Ludlow");
}

TEST(SharedNodeTextTest, ManyTextsStayFoundWhileOthersAreFreed)
{
    const std::size_t before = CNodePool::Nodes().LiveBlocks();
    constexpr int kCount = 3000;
    const auto name = [](int i) {
        return "Place number " + std::to_string(i) + ", Somewhere, Shire";
    };
    ASSERT_GT(name(0).size(), CNodeText::kInlineBytes) << "every text is shared";
    {
        std::vector<CNodeText> texts(kCount);
        for (int i = 0; i < kCount; ++i)
            texts[std::size_t(i)].AssignShared(name(i));
        for (int i = 0; i < kCount; i += 3)
            texts[std::size_t(i)].Clear();
        for (int i = 0; i < kCount; ++i) {
            CNodeText probe;
            probe.AssignShared(name(i));
            ASSERT_EQ(probe.View(), name(i));
            if (i % 3 != 0) {
                ASSERT_EQ(probe.View().data(), texts[std::size_t(i)].View().data()) << i;
            }
        }
        EXPECT_EQ(CNodePool::Nodes().LiveBlocks(), before + kCount - (kCount + 2) / 3);
    }
    EXPECT_EQ(CNodePool::Nodes().LiveBlocks(), before);
}

TEST(NodePoolTest, FreedBlocksAreReusedAndChunksReleasedWhenAllAreFree)
{
    CNodePool pool;
    void* a = pool.Allocate(48);
    void* b = pool.Allocate(64);
    EXPECT_EQ(pool.LiveBlocks(), 2u);
    EXPECT_EQ(pool.ReservedBytes(), CNodePool::kChunkBytes);
    EXPECT_FALSE(pool.ReleaseUnused());
    pool.Free(a, 48);
    EXPECT_EQ(pool.Allocate(41), a) << "41 bytes share the 48-byte class";
    pool.Free(a, 41);
    pool.Free(b, 64);
    EXPECT_TRUE(pool.ReleaseUnused());
    EXPECT_EQ(pool.ReservedBytes(), 0u);
    void* again = pool.Allocate(48);
    EXPECT_EQ(pool.ReservedBytes(), CNodePool::kChunkBytes) << "a fresh range after a release";
    std::memset(again, 1, 48);
    pool.Free(again, 48);
}

/// An object that keeps a heap text while it lives in a pool, as the rare node values do.
struct CTestOwner {
    std::string* text;
    static void Release(void* owner) noexcept
    {
        auto* self = static_cast<CTestOwner*>(owner);
        delete std::exchange(self->text, nullptr);
        ++s_released;
    }
    static inline int s_released = 0;
};

TEST(NodePoolTest, ReleasingEverythingRunsOnlyTheKeptOwnersAndFreesLargeBlocks)
{
    CNodePool pool;
    CTestOwner::s_released = 0;
    pool.Allocate(48);
    void* large = pool.Allocate(CNodePool::kMaxPooled + 100);
    std::memset(large, 1, CNodePool::kMaxPooled + 100);
    pool.Allocate(CNodePool::kMaxPooled + 1); // left to the release, as a long text is
    auto* kept = new (pool.Allocate(sizeof(CTestOwner))) CTestOwner{new std::string(300, 'k')};
    auto* dropped = new (pool.Allocate(sizeof(CTestOwner))) CTestOwner{nullptr};
    pool.KeepOwner(kept, &CTestOwner::Release);
    pool.KeepOwner(dropped, &CTestOwner::Release);
    pool.DropOwner(dropped);
    CTestOwner outside{nullptr};
    pool.KeepOwner(&outside, &CTestOwner::Release);
    pool.Free(large, CNodePool::kMaxPooled + 100);

    ASSERT_TRUE(pool.CanReleaseAll());
    EXPECT_TRUE(pool.ReleaseAll());
    EXPECT_EQ(CTestOwner::s_released, 1) << "only the owner kept in the pool";
    EXPECT_EQ(pool.LiveBlocks(), 0u);
    EXPECT_EQ(pool.ReservedBytes(), 0u);
    void* again = pool.Allocate(48);
    EXPECT_EQ(pool.ReservedBytes(), CNodePool::kChunkBytes) << "a fresh range after a release";
    pool.Free(again, 48);
    EXPECT_TRUE(pool.ReleaseAll());
    EXPECT_EQ(CTestOwner::s_released, 1) << "an owner released is forgotten";
}

TEST(NodePoolTest, NodeBlocksAreNamedByTheirIndex)
{
    CNodePool& pool = CNodePool::Nodes();
    std::vector<void*> blocks;
    for (const std::size_t size : {8u, 40u, 256u})
        blocks.push_back(pool.Allocate(size));
    for (void* block : blocks) {
        const std::uint32_t index = CNodePool::IndexOf(block);
        EXPECT_NE(index, 0u);
        EXPECT_LT(index, std::uint32_t(1) << 30) << "two bits stay free for the link's tags";
        EXPECT_EQ(CNodePool::BlockAt(index), block);
    }
    int onTheStack = 0;
    const auto onTheHeap = std::make_unique<int>();
    EXPECT_EQ(CNodePool::IndexOf(nullptr), 0u);
    EXPECT_EQ(CNodePool::IndexOf(&onTheStack), 0u);
    EXPECT_EQ(CNodePool::IndexOf(onTheHeap.get()), 0u);
    EXPECT_EQ(CNodePool::BlockAt(0), nullptr);
    pool.Free(blocks[0], 8);
    pool.Free(blocks[1], 40);
    pool.Free(blocks[2], 256);
    // Without a range, the pool names no address either.
    ASSERT_TRUE(pool.ReleaseUnused());
    static int inTheProgram = 0;
    const std::vector<const void*> addresses = {nullptr, &onTheStack, onTheHeap.get(),
                                                &inTheProgram, blocks[1]};
    for (const void* address : addresses)
        EXPECT_EQ(CNodePool::IndexOf(address), 0u) << address;
}

TEST(NodePoolTest, SizesAtTheEdgesOfTheClassesGoWhereTheirClassSays)
{
    CNodePool& pool = CNodePool::Nodes();
    const std::size_t live = pool.LiveBlocks();
    void* empty = pool.Allocate(0);
    void* beyond = pool.Allocate(CNodePool::kMaxPooled + 1);
    EXPECT_EQ(CNodePool::IndexOf(empty), 0u) << "no size comes from the heap";
    EXPECT_EQ(CNodePool::IndexOf(beyond), 0u);
    void* largest = pool.Allocate(CNodePool::kMaxPooled);
    EXPECT_NE(CNodePool::IndexOf(largest), 0u);
    std::memset(largest, 1, CNodePool::kMaxPooled);
    void* one = pool.Allocate(1);
    EXPECT_NE(CNodePool::IndexOf(one), 0u);
    pool.Free(one, 1);
    EXPECT_EQ(pool.Allocate(CNodePool::kGranule), one) << "1 and 8 bytes share a class";
    EXPECT_EQ(pool.LiveBlocks(), live + 2) << "blocks from the heap are not the pool's";
    pool.Free(one, CNodePool::kGranule);
    pool.Free(largest, CNodePool::kMaxPooled);
    pool.Free(beyond, CNodePool::kMaxPooled + 1);
    pool.Free(empty, 0);
    EXPECT_EQ(pool.LiveBlocks(), live);
}

TEST(NodePoolTest, ManyBlocksSpanChunksWithoutOverlap)
{
    CNodePool pool;
    std::vector<char*> blocks;
    const std::size_t count = 3 * CNodePool::kChunkBytes / 72;
    for (std::size_t i = 0; i < count; ++i) {
        blocks.push_back(static_cast<char*>(pool.Allocate(72)));
        std::memset(blocks.back(), int(i & 0x7F), 72);
    }
    for (std::size_t i = 0; i < count; ++i)
        ASSERT_EQ(blocks[i][71], char(i & 0x7F)) << "block " << i << " was overwritten";
    void* large = pool.Allocate(1000);
    pool.Free(large, 1000);
    for (char* block : blocks)
        pool.Free(block, 72);
    EXPECT_EQ(pool.LiveBlocks(), 0u);
}

TEST(NodePoolTest, CommittingAheadHandsOutTheSameBlocksInTheSameOrder)
{
    constexpr std::size_t kSize = 72;
    const std::size_t count = (CNodePool::kAheadChunks + 6) * CNodePool::kChunkBytes / kSize;
    CNodePool plain;
    CNodePool ahead;
    std::vector<char*> plainBlocks;
    std::vector<char*> blocks;
    {
        const CNodePool::CCommitAhead committing(ahead);
        for (std::size_t i = 0; i < count; ++i) {
            plainBlocks.push_back(static_cast<char*>(plain.Allocate(kSize)));
            blocks.push_back(static_cast<char*>(ahead.Allocate(kSize)));
            std::memset(blocks.back(), int(i & 0x7F), kSize);
            ASSERT_EQ(blocks[i] - blocks[0], plainBlocks[i] - plainBlocks[0]) << "block " << i;
        }
    }
    for (std::size_t i = 0; i < count; ++i)
        ASSERT_EQ(blocks[i][kSize - 1], char(i & 0x7F)) << "block " << i << " was overwritten";
    const std::size_t used = plain.ReservedBytes();
    EXPECT_GE(ahead.ReservedBytes(), used);
    EXPECT_LE(ahead.ReservedBytes(), used + CNodePool::kAheadChunks * CNodePool::kChunkBytes);
    // The chunks committed ahead serve the blocks that follow, in order.
    const std::size_t committed = ahead.ReservedBytes();
    auto* next = static_cast<char*>(ahead.Allocate(kSize));
    EXPECT_EQ(next, blocks.back() + kSize);
    EXPECT_EQ(ahead.ReservedBytes(), std::max(committed, used + CNodePool::kChunkBytes));
    ahead.Free(next, kSize);
    for (std::size_t i = 0; i < count; ++i) {
        plain.Free(plainBlocks[i], kSize);
        ahead.Free(blocks[i], kSize);
    }
    EXPECT_TRUE(ahead.ReleaseUnused());
    EXPECT_EQ(ahead.ReservedBytes(), 0u);
}

TEST(NodePoolTest, AReleaseWhileCommittingAheadGivesEveryChunkBack)
{
    CNodePool pool;
    const CNodePool::CCommitAhead committing(pool);
    void* block = pool.Allocate(48);
    pool.Free(block, 48);
    ASSERT_TRUE(pool.ReleaseUnused());
    EXPECT_EQ(pool.ReservedBytes(), 0u) << "the chunks committed ahead went back too";
    // The pool commits its own chunks from then on.
    std::vector<void*> blocks;
    // The range's first granule is never handed out.
    for (std::size_t i = 0; i < 2 * CNodePool::kChunkBytes / 256 - 1; ++i) {
        blocks.push_back(pool.Allocate(256));
        std::memset(blocks.back(), 1, 256);
    }
    EXPECT_EQ(pool.ReservedBytes(), 2 * CNodePool::kChunkBytes);
    for (void* each : blocks)
        pool.Free(each, 256);
}

} // namespace
} // namespace node_test
