// tests/database/gedcom/real_file_copies_test.cpp: copies of a real file in each variant: the
// header and trailer once, the records once per copy with their identifiers rewritten, the text
// in the variant's set.
#include "bench/copies/real_file_copies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

namespace {

struct CopyCase {
    CopyVariant variant;
    const char* expected; // UTF-16: less the byte-order mark, each unit below 256 as a byte
};

class RealFileCopiesTest : public testing::TestWithParam<CopyCase> {};

TEST_P(RealFileCopiesTest, HeaderAndTrailerOnceRecordsPerCopyWithTheirIdentifiers)
{
    // An ANSEL source: "\xE2" "e" is an e with an acute accent.
    const std::string source = "0 HEAD\r\n1 CHAR ANSEL\r\n0 @I7@ INDI\r\n1 NAME Ren\xE2"
                               "e /Roe/\r\n1 FAMS @F2@\r\n1 NOTE a@b\r\n0 @F2@ FAM\r\n"
                               "1 HUSB @I7@\r\n0 TRLR\r\n";
    std::ostringstream out;
    const CGedcomCounts counts = WriteRealFileCopies(out, source, 2, GetParam().variant);
    std::string text = std::move(out).str();
    EXPECT_EQ(counts.bytes, std::int64_t(text.size()));
    EXPECT_EQ(counts.individuals, 2);
    EXPECT_EQ(counts.families, 2);
    EXPECT_EQ(counts.lines, 15);
    if (GetParam().variant == CopyVariant::Utf16Numbered) {
        ASSERT_TRUE(text.starts_with("\xFF\xFE"));
        std::string narrow;
        for (std::size_t i = 2; i + 1 < text.size(); i += 2)
            narrow += text[i + 1] == 0 ? text[i] : '?';
        text = narrow;
    }
    EXPECT_EQ(text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, RealFileCopiesTest,
    testing::Values(
        CopyCase{CopyVariant::Utf8Numbered,
                 "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I7@ INDI\r\n1 NAME Ren\xC3\xA9 /Roe/\r\n"
                 "1 FAMS @F2@\r\n1 NOTE a@b\r\n0 @F2@ FAM\r\n1 HUSB @I7@\r\n0 @I1000007@ INDI\r\n"
                 "1 NAME Ren\xC3\xA9 /Roe/\r\n1 FAMS @F1000002@\r\n1 NOTE a@b\r\n"
                 "0 @F1000002@ FAM\r\n1 HUSB @I1000007@\r\n0 TRLR\r\n"},
        CopyCase{CopyVariant::AnselNumbered,
                 "0 HEAD\r\n1 CHAR ANSEL\r\n0 @I7@ INDI\r\n1 NAME Ren\xE2"
                 "e /Roe/\r\n1 FAMS @F2@\r\n1 NOTE a@b\r\n0 @F2@ FAM\r\n1 HUSB @I7@\r\n"
                 "0 @I1000007@ INDI\r\n1 NAME Ren\xE2"
                 "e /Roe/\r\n1 FAMS @F1000002@\r\n1 NOTE a@b\r\n0 @F1000002@ FAM\r\n"
                 "1 HUSB @I1000007@\r\n0 TRLR\r\n"},
        CopyCase{CopyVariant::AnselTextIds,
                 "0 HEAD\r\n1 CHAR ANSEL\r\n0 @C0_I7@ INDI\r\n1 NAME Ren\xE2"
                 "e /Roe/\r\n1 FAMS @C0_F2@\r\n1 NOTE a@b\r\n0 @C0_F2@ FAM\r\n"
                 "1 HUSB @C0_I7@\r\n0 @C1_I7@ INDI\r\n1 NAME Ren\xE2"
                 "e /Roe/\r\n1 FAMS @C1_F2@\r\n1 NOTE a@b\r\n0 @C1_F2@ FAM\r\n"
                 "1 HUSB @C1_I7@\r\n0 TRLR\r\n"},
        CopyCase{CopyVariant::Utf16Numbered,
                 "0 HEAD\r\n1 CHAR UNICODE\r\n0 @I7@ INDI\r\n1 NAME Ren\xE9 /Roe/\r\n"
                 "1 FAMS @F2@\r\n1 NOTE a@b\r\n0 @F2@ FAM\r\n1 HUSB @I7@\r\n0 @I1000007@ INDI\r\n"
                 "1 NAME Ren\xE9 /Roe/\r\n1 FAMS @F1000002@\r\n1 NOTE a@b\r\n"
                 "0 @F1000002@ FAM\r\n1 HUSB @I1000007@\r\n0 TRLR\r\n"}),
    [](const auto& info) {
        std::string name = CopyVariantName(info.param.variant);
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

} // namespace
