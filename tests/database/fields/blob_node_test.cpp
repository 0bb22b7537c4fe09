// tests/database/fields/blob_node_test.cpp: embedded content gathered from BLOB lines, written back
// and read again without change.
#include "database/fields/blob_node.h"

#include "tests/database/nodes/field_node_fakes.h"

namespace {

/// Content of length bytes using every byte value; a length that is a multiple of three ends in
/// 0xFF, which the encoding's padding must not swallow.
std::string Content(std::size_t length)
{
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = char((i * 37 + 11) % 256);
    if (length % 3 == 0 && length > 0)
        bytes.back() = char(0xFF);
    return bytes;
}

class BlobNodeTest : public field_node_test::CFieldNodeTest,
                     public testing::WithParamInterface<std::size_t> {
protected:
    /// A field read back from written lines as the loader feeds it: the BLOB line's value, then
    /// each CONT line's value.
    CBlobNode* ReadBack(const std::string& written)
    {
        CBlobNode* blob = Make<CBlobNode>("OBJE.BLOB", "");
        for (std::size_t start = 0; start < written.size();) {
            const std::size_t end = written.find("\r\n", start);
            const std::string line = written.substr(start, end - start);
            start = end + 2;
            EXPECT_LE(line.size(), 7 + CBlobNode::kLineChars);
            if (line.rfind("2 CONT ", 0) == 0) {
                EXPECT_TRUE(blob->AppendText(line.substr(7), FIELD_CONT));
            } else {
                EXPECT_EQ(line, "1 BLOB");
            }
        }
        return blob;
    }
};

TEST_P(BlobNodeTest, ContentComesBackWholeAndDoesNotGrow)
{
    const std::string content = Content(GetParam());
    CBlobNode* blob = Make<CBlobNode>("OBJE.BLOB", "");
    blob->SetContent(content);
    const std::string written = field_node_test::WrittenLines(*blob, 1);
    const CBlobNode* reread = ReadBack(written);
    EXPECT_EQ(reread->GetContent(), content);
    CBlobNode* again = Make<CBlobNode>("OBJE.BLOB", "");
    again->SetContent(reread->GetContent().value_or(""));
    EXPECT_EQ(field_node_test::WrittenLines(*again, 1), written);
}

INSTANTIATE_TEST_SUITE_P(Lengths, BlobNodeTest,
                         testing::Values(0u, 1u, 2u, 3u, 53u, 54u, 55u, 6749u, 6750u, 40000u));

TEST_F(BlobNodeTest, PiecesJoinWithoutSeparatorAndForeignCharactersDecodeToNothing)
{
    CBlobNode* blob = Make<CBlobNode>("OBJE.BLOB", "");
    EXPECT_EQ(field_node_test::WrittenLines(*blob, 1), "");
    EXPECT_TRUE(blob->AppendText("..../", FIELD_CONT));
    EXPECT_TRUE(blob->AppendText("...zzzz", FIELD_CONC));
    EXPECT_EQ(blob->GetContent(), std::string("\0\0\0\x01\0\0", 6));
    EXPECT_TRUE(blob->AppendText(" ...", FIELD_CONT));
    EXPECT_EQ(blob->GetContent(), std::nullopt);
}

} // namespace
