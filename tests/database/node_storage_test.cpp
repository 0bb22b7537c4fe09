// Tests of how nodes and their values are stored: the compact text, the block pool and the
// sizes that keep a ten-million-line file within its memory budget.
#include "tests/database/node_test_support.h"

#include "database/custom_event_node.h"

#include <cstring>
#include <string>

namespace node_test {
namespace {

TEST(NodeSizeTest, NodesStayWithinTheirBudget)
{
    EXPECT_EQ(sizeof(CDataNode), 40u);
    EXPECT_EQ(sizeof(CComplexNode), 40u);
    EXPECT_EQ(sizeof(CTestTextNode), 56u) << "the text packs into the node's tail";
    EXPECT_LE(sizeof(CCustomEventNode), 48u);
    EXPECT_LE(sizeof(CRecordNode), 88u);
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

}  // namespace
}  // namespace node_test
