// tests/common/blob_encoding_test.cpp: the six-bit BLOB encoding and its round trip.
#include "common/blob_encoding.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (const int v : values)
        out += static_cast<char>(v);
    return out;
}

TEST(BlobEncodingTest, ThreeZeroBytesEncodeWithAPaddingGroup)
{
    EXPECT_EQ(EncodeBlob(Bytes({0, 0, 0})), "....zzzz");
    EXPECT_EQ(EncodeBlob(""), "zzzz");
}

TEST(BlobEncodingTest, SixBitValuesUseTheThreeCharacterRanges)
{
    // The three bytes whose group holds the four given six-bit values.
    const auto group = [](int v0, int v1, int v2, int v3) {
        return Bytes(
            {v0 | ((v1 & 0x03) << 6), (v1 >> 2) | ((v2 & 0x0F) << 4), (v2 >> 4) | (v3 << 2)});
    };
    EXPECT_EQ(EncodeBlob(group(0, 11, 12, 37)).substr(0, 4), ".9AZ");
    EXPECT_EQ(EncodeBlob(group(38, 63, 1, 10)).substr(0, 4), "az/8");
}

TEST(BlobEncodingTest, FourFullStopsDecodeToThreeZeroBytes)
{
    EXPECT_EQ(DecodeBlob("...."), Bytes({0, 0, 0}));
}

TEST(BlobEncodingTest, CharacterOutsideTheAlphabetFails)
{
    EXPECT_FALSE(DecodeBlob("..  ....").has_value());
    EXPECT_FALSE(DecodeBlob("...-").has_value());
}

TEST(BlobEncodingTest, ShortOrTrailingPartsAreIgnored)
{
    EXPECT_EQ(DecodeBlob("..."), std::string());
    EXPECT_EQ(DecodeBlob("....zz"), Bytes({0, 0, 0}));
}

class BlobRoundTripTest : public testing::TestWithParam<std::size_t> {};

TEST_P(BlobRoundTripTest, ContentComesBackExactlyAndStaysStable)
{
    std::mt19937 random(static_cast<unsigned>(GetParam()));
    std::string content(GetParam(), '\0');
    for (char& c : content)
        c = static_cast<char>(random() % 255); // never 0xFF
    const std::string text = EncodeBlob(content);
    EXPECT_EQ(text.size(), (content.size() / 3 + 1) * 4);
    const std::optional<std::string> once = DecodeBlob(text);
    ASSERT_TRUE(once.has_value());
    EXPECT_EQ(*once, content);
    EXPECT_EQ(EncodeBlob(*once), text);
}

INSTANTIATE_TEST_SUITE_P(Lengths, BlobRoundTripTest,
                         testing::Values(0, 1, 2, 3, 4, 5, 6, 7, 299, 300, 301, 6749));

struct FinalFfCase {
    const char* name;
    std::string content;
    std::string decoded;
};

class BlobFinalFfTest : public testing::TestWithParam<FinalFfCase> {};

TEST_P(BlobFinalFfTest, OnlyFfBytesInTheLastIncompleteGroupAreLost)
{
    const FinalFfCase& c = GetParam();
    const std::optional<std::string> once = DecodeBlob(EncodeBlob(c.content));
    ASSERT_TRUE(once.has_value());
    EXPECT_EQ(*once, c.decoded);
    EXPECT_EQ(DecodeBlob(EncodeBlob(*once)), *once);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlobFinalFfTest,
    testing::Values(
        FinalFfCase{"WholeGroupsKeepTheirFf", Bytes({1, 2, 0xFF}), Bytes({1, 2, 0xFF})},
        FinalFfCase{"AllFfWholeGroup", Bytes({0xFF, 0xFF, 0xFF}), Bytes({0xFF, 0xFF, 0xFF})},
        FinalFfCase{"OneLeftOverFfIsLost", Bytes({1, 2, 3, 0xFF}), Bytes({1, 2, 3})},
        FinalFfCase{"TwoLeftOverFfAreLost", Bytes({1, 2, 3, 0xFF, 0xFF}), Bytes({1, 2, 3})},
        FinalFfCase{"FfBeforeTheLastByteIsKept", Bytes({0xFF, 7}), Bytes({0xFF, 7})},
        FinalFfCase{"LoneFfIsLost", Bytes({0xFF}), ""}),
    [](const testing::TestParamInfo<FinalFfCase>& info) { return info.param.name; });

} // namespace
