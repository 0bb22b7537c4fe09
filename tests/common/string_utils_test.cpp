// tests/common/string_utils_test.cpp: sentence joints, ordinals, white space, quoting and
// escaped tokens.
#include "common/quoted_text.h"
#include "common/sentence_text.h"
#include "common/string_utils.h"

#include <gtest/gtest.h>

namespace {

struct SentenceCase {
    std::string text;
    SentenceJoint mode;
    std::string result;
};

class AppendSentenceTest : public testing::TestWithParam<SentenceCase> {};

TEST_P(AppendSentenceTest, JoinsByLastCharacterAndMode)
{
    std::string text = GetParam().text;
    AppendSentence(text, "Next", GetParam().mode);
    EXPECT_EQ(text, GetParam().result);
}

constexpr SentenceJoint kClause = SentenceJoint::Clause;
constexpr SentenceJoint kSentence = SentenceJoint::Sentence;
constexpr SentenceJoint kWord = SentenceJoint::Word;

INSTANTIATE_TEST_SUITE_P(
    Table, AppendSentenceTest,
    testing::Values(
        SentenceCase{"", kSentence, "Next"}, SentenceCase{"   ", kClause, "Next"},
        SentenceCase{"Wow!", kClause, "Wow!  Next"}, SentenceCase{"Why?", kSentence, "Why?  Next"},
        SentenceCase{"Why?", kWord, "Why? Next"}, SentenceCase{"Born.", kClause, "Born, Next"},
        SentenceCase{"Born.", kSentence, "Born.  Next"}, SentenceCase{"Born.", kWord, "Born. Next"},
        SentenceCase{"Born,", kClause, "Born, Next"},
        SentenceCase{"Born,", kSentence, "Born.  Next"}, SentenceCase{"Born,", kWord, "Born, Next"},
        SentenceCase{"Born;", kClause, "Born; Next"},
        SentenceCase{"Born;", kSentence, "Born; Next"},
        SentenceCase{"Born  ", kClause, "Born, Next"},
        SentenceCase{"Born", kSentence, "Born.  Next"}, SentenceCase{"Born", kWord, "Born Next"}));

TEST(SentenceTextTest, EnsureFinalStopAddsAFullStopOnlyWhereNeeded)
{
    for (const auto& [text, result] :
         std::vector<std::pair<std::string, std::string>>{{"Died", "Died."},
                                                          {"Died  ", "Died."},
                                                          {"Died:", "Died:"},
                                                          {"Died?", "Died?"},
                                                          {"", ""},
                                                          {"  ", ""}}) {
        std::string value = text;
        EnsureFinalStop(value);
        EXPECT_EQ(value, result) << text;
    }
}

TEST(SentenceTextTest, PadToWidthCountsCharacters)
{
    EXPECT_EQ(PadToWidth("ab", 4, 1), "ab  ");
    EXPECT_EQ(PadToWidth("ab", 4, 0), "  ab");
    EXPECT_EQ(PadToWidth("\xC3\xA9t\xC3\xA9", 4, 1), "\xC3\xA9t\xC3\xA9 ");
    EXPECT_EQ(PadToWidth("abcde", 4, 1), "abcde");
}

TEST(SentenceTextTest, OrdinalSuffixFollowsTheLastTwoDigits)
{
    const std::vector<std::pair<long, const char*>> cases = {
        {1, "st"},  {21, "st"}, {101, "st"}, {2, "nd"},   {22, "nd"}, {3, "rd"}, {4, "th"},
        {11, "th"}, {12, "th"}, {13, "th"},  {111, "th"}, {0, "th"},  {-1, "st"}};
    for (const auto& [number, suffix] : cases)
        EXPECT_EQ(GetOrdinalSuffix(number, true), suffix) << number;
    EXPECT_EQ(GetOrdinalSuffix(22, false), "ND");
}

TEST(StringUtilsTest, CollapseSpacesRebuildsOnlyWhenARunExists)
{
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"  a b  ", "a b"}, {"a\tb", "a\tb"}, {"a \tb\tc", "a b c"}, {"a  b\tc", "a b c"},
        {"\t\n", ""},       {"one", "one"},   {"x\r\ny", "x y"}};
    for (const auto& [text, result] : cases)
        EXPECT_EQ(CollapseSpaces(text), result) << text;
}

TEST(StringUtilsTest, WordsAndCaseBlindSearch)
{
    EXPECT_EQ(CountWords("  two\twords "), 2);
    EXPECT_EQ(CountWords("   "), 0);
    EXPECT_EQ(FindNoCase("John SMITH", "smith"), 5);
    EXPECT_EQ(FindNoCase("John", "x"), -1);
    EXPECT_TRUE(ContainsFoldedText("Stra\xC3\x9F"
                                   "e M\xC3\x9CLLER",
                                   "m\xC3\xBCller", "M\xC3\x9CLLER"));
    EXPECT_FALSE(ContainsFoldedText("Muller", "m\xC3\xBCller", "M\xC3\x9CLLER"));
}

TEST(StringUtilsTest, SurnameSlashesGetBlanksWhereMissing)
{
    EXPECT_EQ(NormalizeSurnameSlashes("John/Smith/Jr"), "John /Smith/ Jr");
    EXPECT_EQ(NormalizeSurnameSlashes("John /Smith/ Jr"), "John /Smith/ Jr");
    EXPECT_EQ(NormalizeSurnameSlashes("/Smith/John"), "/Smith/ John");
    EXPECT_EQ(NormalizeSurnameSlashes("John/Smith/"), "John /Smith/");
    EXPECT_EQ(NormalizeSurnameSlashes("John"), "John");
}

TEST(StringUtilsTest, LineBreaksAndBlankLines)
{
    EXPECT_EQ(ToLfLineBreaks("a\r\nb\rc\nd\n\re"), "a\nb\nc\nd\n\ne");
    EXPECT_EQ(NextNonBlankLine("  \r\n \r\n  text"), 7);
    EXPECT_EQ(NextNonBlankLine("  \n\n"), -1);
}

TEST(QuotedTextTest, UnquotingRemovesInnerQuotesToo)
{
    EXPECT_EQ(QuoteString("a b", true), "\"a b\"");
    EXPECT_EQ(QuoteString("\"a\"b\"", false), "ab");
}

TEST(QuotedTextTest, ParseQuotedStringReadsDoubledQuotes)
{
    const std::string text = "x=\"say \"\"hi\"\"\" rest";
    std::size_t position = 2;
    std::string value;
    ASSERT_TRUE(ParseQuotedString(text, position, value));
    EXPECT_EQ(value, "say \"hi\"");
    EXPECT_EQ(text.substr(position), " rest");
    std::size_t open = 0;
    EXPECT_FALSE(ParseQuotedString("\"no end", open, value));
    EXPECT_EQ(open, 0u);
}

struct TokenCase {
    const char* source;
    int consumed;
    const char* token;
};

class CopyEscapedTokenTest : public testing::TestWithParam<TokenCase> {};

TEST_P(CopyEscapedTokenTest, StopsAtTheTerminatorAndUnescapes)
{
    std::string token;
    EXPECT_EQ(CopyEscapedToken(GetParam().source, ';', '\\', token), GetParam().consumed);
    if (GetParam().consumed >= 0) {
        EXPECT_EQ(token, GetParam().token);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyEscapedTokenTest,
                         testing::Values(TokenCase{"abc;def", 3, "abc"}, TokenCase{"abc", 3, "abc"},
                                         TokenCase{"a\\;b;c", 4, "a;b"},
                                         TokenCase{"a\\\\;b", 3, "a\\"}, TokenCase{";", 0, ""},
                                         TokenCase{"a\\b", -1, ""}, TokenCase{"ab\\", -1, ""}));

TEST(CopyEscapedTokenTest, EscapeEqualToTerminatorStandsForItselfWhenDoubled)
{
    std::string token;
    EXPECT_EQ(CopyEscapedToken("say \"\"hi\"\"\" rest", '"', '"', token), 10);
    EXPECT_EQ(token, "say \"hi\"");
}

} // namespace
