// tests/platform/base/text_test.cpp: formatting, UTF-8, case-blind comparison, trimming and
// numbers.
#include "platform/base/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

using text::Format;

TEST(TextFormatTest, IntegersAreWidenedWhateverTheLengthModifier)
{
    const long big = 5'000'000'000L;
    EXPECT_EQ(Format("Individuals: %lu", 4'000'000'000UL), "Individuals: 4000000000");
    EXPECT_EQ(Format("%ld", big), "5000000000");
    EXPECT_EQ(Format("%d", big), "5000000000");
    EXPECT_EQ(Format("%hd|%I64d|%lld|%zu", short(-7), std::int64_t(-9), 3LL, std::size_t(12)),
              "-7|-9|3|12");
    EXPECT_EQ(Format("%u", UINT_MAX), "4294967295");
    EXPECT_EQ(Format("%d", LLONG_MIN), "-9223372036854775808");
}

TEST(TextFormatTest, NegativeValuesUnderUnsignedConversionsKeepTheirPassedWidth)
{
    EXPECT_EQ(Format("%x", -1), "ffffffff");
    EXPECT_EQ(Format("%X", std::int64_t(-1)), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("%u", short(-1)), "4294967295");
}

struct FormatRow {
    const char* name;
    std::string actual;
    const char* expected;
};

class TextFormatRowsTest : public testing::TestWithParam<FormatRow> {};

TEST_P(TextFormatRowsTest, MatchesPrintf)
{
    EXPECT_EQ(GetParam().actual, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextFormatRowsTest,
    testing::Values(
        FormatRow{"LeftPaddedText", Format("[%-5s]", "ab"), "[ab   ]"},
        FormatRow{"RightPaddedText", Format("[%5s]", "ab"), "[   ab]"},
        FormatRow{"WidthCountsCharacters", Format("[%-4s]", "Éé"), "[Éé  ]"},
        FormatRow{"PrecisionCutsWholeCharacters", Format("[%.2s]", "ÉéX"), "[Éé]"},
        FormatRow{"ZeroPaddedReal", Format("%05.2f", 3.14159), "03.14"},
        FormatRow{"NegativeZeroPaddedReal", Format("%07.2f", -3.14159), "-003.14"},
        FormatRow{"ZeroPaddedInteger", Format("%05d", -42), "-0042"},
        FormatRow{"PrecisionOfInteger", Format("%.3d", 7), "007"},
        FormatRow{"PlusAndSpace", Format("%+d % d", 5, 5), "+5  5"},
        FormatRow{"AlternateHex", Format("%#x %#o", 255, 8), "0xff 010"},
        FormatRow{"Percent", Format("100%% sure"), "100% sure"},
        FormatRow{"Character", Format("%c%c", 'A', 0x41), "AA"},
        FormatRow{"CharacterCodePointIsUtf8", Format("%c", 0xE9), "é"},
        FormatRow{"StarWidthAndPrecision", Format("[%*.*f]", 8, 3, 2.5), "[   2.500]"},
        FormatRow{"NegativeStarWidthLeftAligns", Format("[%*d]", -4, 7), "[7   ]"},
        FormatRow{"Scientific", Format("%e|%E", 12345.678, 0.5), "1.234568e+04|5.000000E-01"},
        FormatRow{"General", Format("%g|%g|%g", 0.0001, 123456789.0, 100.0),
                  "0.0001|1.23457e+08|100"},
        FormatRow{"TooFewArgumentsPrintNothing", Format("%d-%s-%d", 1), "1--"},
        FormatRow{"NoArguments", Format("%s and %d"), " and "},
        FormatRow{"IntegerUnderTextConversion", Format("%s", 42), "42"},
        FormatRow{"TextUnderIntegerConversion", Format("%4d", "ab"), "  ab"},
        FormatRow{"IntegerUnderRealConversion", Format("%.1f", 3), "3.0"},
        FormatRow{"UnknownConversionStands", Format("%y %", 1), "%y %"},
        FormatRow{"NullText", Format("[%s]", static_cast<const char*>(nullptr)), "[]"},
        FormatRow{"StdString", Format("%s=%s", std::string("k"), std::string_view("v")), "k=v"}),
    [](const testing::TestParamInfo<FormatRow>& info) { return info.param.name; });

TEST(TextUtf8Test, DecodesValidAndStepsOverInvalidBytesOneAtATime)
{
    const std::string s = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xFF\xC3";
    std::size_t pos = 0;
    EXPECT_EQ(text::DecodeUtf8(s, pos), U'A');
    EXPECT_EQ(text::DecodeUtf8(s, pos), U'é');
    EXPECT_EQ(text::DecodeUtf8(s, pos), U'€');
    EXPECT_EQ(text::DecodeUtf8(s, pos), char32_t(0x1F600));
    EXPECT_EQ(text::DecodeUtf8(s, pos), char32_t(0xFF));
    EXPECT_EQ(pos, 11u);
    EXPECT_EQ(text::DecodeUtf8(s, pos), char32_t(0xC3)); // a sequence cut at the end
    EXPECT_EQ(pos, s.size());
    EXPECT_EQ(text::Utf8Length(s), 6u);
}

TEST(TextUtf8Test, RejectsOverlongSurrogateAndOutOfRangeSequences)
{
    EXPECT_TRUE(text::IsValidUtf8("plain \xC3\xA9"));
    for (const char* bad :
         {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "\xE2\x82"})
        EXPECT_FALSE(text::IsValidUtf8(bad)) << bad;
}

TEST(TextUtf8Test, BoundaryNeverCutsACharacter)
{
    const std::string s = "a\xC3\xA9\xE2\x82\xAC"; // a é €
    EXPECT_EQ(text::Utf8Boundary(s, 0), 0u);
    EXPECT_EQ(text::Utf8Boundary(s, 2), 1u);
    EXPECT_EQ(text::Utf8Boundary(s, 3), 3u);
    EXPECT_EQ(text::Utf8Boundary(s, 5), 3u);
    EXPECT_EQ(text::Utf8Boundary(s, 99), 6u);
    std::string encoded;
    text::AppendUtf8(encoded, 0xD800);
    EXPECT_EQ(encoded, "\xEF\xBF\xBD");
}

TEST(TextCaseTest, FoldsAccentedLatinLetters)
{
    EXPECT_TRUE(text::EqualsNoCase("ÉCOLE", "école"));
    EXPECT_TRUE(text::EqualsNoCase("Ÿ", "ÿ"));
    EXPECT_TRUE(text::EqualsNoCase("ŁÓDŹ ŐRSÉG", "łódź őrség"));
    EXPECT_TRUE(text::EqualsNoCase("ſ", "S"));
    EXPECT_FALSE(text::EqualsNoCase("×", "÷"));
    EXPECT_FALSE(text::EqualsNoCase("straße", "STRASSE"));
    EXPECT_FALSE(text::EqualsNoCase("\xE9", "é")); // a stray byte is not the letter
    EXPECT_EQ(text::ToUpper("ÿ straße ı ĸ"), "Ÿ STRAßE I ĸ");
    EXPECT_EQ(text::ToLower("ÀÉÎÕÜ Ĳ Ł Ž \xFF"), "àéîõü ĳ ł ž \xFF");
}

TEST(TextCaseTest, CompareOrdersLikeStrcmpOnFoldedLetters)
{
    EXPECT_EQ(text::CompareNoCase("abc", "ABC"), 0);
    EXPECT_LT(text::CompareNoCase("abc", "ABD"), 0);
    EXPECT_GT(text::CompareNoCase("abcd", "ABC"), 0);
    EXPECT_LT(text::CompareNoCase("", "a"), 0);
    EXPECT_LT(text::CompareNoCase("Zoë", "zoëy"), 0);
    // Capitals fold to small letters, so the signs between the two cases go before both.
    EXPECT_LT(text::CompareNoCase("[", "A"), 0);
    EXPECT_GT(text::CompareNoCase("{", "Z"), 0);
    EXPECT_EQ(text::CompareNoCase("MÜLLER", "müller"), 0);
    EXPECT_LT(text::CompareNoCase("ABZ", "abé"), 0);
    EXPECT_EQ(text::FoldedSortKey("MÜLLER, Ann"), "müller, ann");
}

TEST(TextCaseTest, FoldedSortKeysOrderAsCompareNoCase)
{
    // Letters of one, two, three and four bytes, case, prefixes, bytes that are no UTF-8, the
    // ASCII signs between the capitals and the small letters, and ASCII runs that end in other
    // letters.
    const std::vector<std::string> texts = {
        "",    "a",   "A",      "ab",  "Ab",     "abc",       "Zoë",    "zoëy",  "ZOË",
        "ſun", "SUN", "Ω",      "ω",   "日本",   "😀",         "\xff",   "a\xc3", "\xc3\xa9",
        "é",   "z",   "[",      "_",   "`",      "{",         "\x7f",   "ABé",   "abÉ",
        "abe", "ABF", "Ab\xff", "abZ", "MÜLLER", "müller, a", "Muller", "MZ"};
    for (const std::string& a : texts)
        for (const std::string& b : texts) {
            const int bytes = text::FoldedSortKey(a).compare(text::FoldedSortKey(b));
            EXPECT_EQ(bytes < 0   ? -1
                      : bytes > 0 ? 1
                                  : 0,
                      text::CompareNoCase(a, b))
                << a << " / " << b;
        }
}

TEST(TextCaseTest, FindNoCaseReturnsByteIndexAcrossLettersOfOtherLengths)
{
    EXPECT_EQ(text::FindNoCase("Grüße aus ÖSTERREICH", "österreich"), 12u);
    EXPECT_EQ(text::FindNoCase("aaa", "AA", 1), 1u);
    EXPECT_EQ(text::FindNoCase("ſun", "SUN"), 0u);
    EXPECT_EQ(text::FindNoCase("abc", "abcd"), std::string::npos);
    EXPECT_EQ(text::FindNoCase("abc", "cx"), std::string::npos);
    EXPECT_EQ(text::FindNoCase("abc", "", 2), 2u);
    EXPECT_EQ(text::FindNoCase("abc", "a", 4), std::string::npos);
}

TEST(TextTrimTest, TrimsAsciiWhiteSpaceOnly)
{
    EXPECT_EQ(text::Trim(" \t\r\n x y \v\f"), "x y");
    EXPECT_EQ(text::TrimLeft("  x "), "x ");
    EXPECT_EQ(text::TrimRight("  x \r\n"), "  x");
    EXPECT_EQ(text::Trim("\xC2\xA0x"), "\xC2\xA0x"); // no-break space is a character
    EXPECT_EQ(text::Trim("   "), "");
}

TEST(TextNumberTest, LeadingIntegerReadsLikeAtol)
{
    std::size_t used = 99;
    EXPECT_EQ(text::ParseLeadingInt("  -42abc", &used), -42);
    EXPECT_EQ(used, 5u);
    EXPECT_EQ(text::ParseLeadingInt("+7", &used), 7);
    EXPECT_EQ(text::ParseLeadingInt("abc", &used), 0);
    EXPECT_EQ(used, 0u);
    EXPECT_EQ(text::ParseLeadingInt("-", &used), 0);
    EXPECT_EQ(used, 0u);
    EXPECT_EQ(text::ParseLeadingInt("99999999999999999999999"), LONG_MAX);
    EXPECT_EQ(text::ParseLeadingInt("-9223372036854775808"), LONG_MIN);
}

TEST(TextNumberTest, WholeIntegerRejectsTrailingTextAndOverflow)
{
    long value = 5;
    EXPECT_TRUE(text::ParseInt(" -12 ", value));
    EXPECT_EQ(value, -12);
    EXPECT_TRUE(text::ParseInt("9223372036854775807", value));
    EXPECT_EQ(value, LONG_MAX);
    for (const char* bad :
         {"", " ", "12x", "1 2", "+", "9223372036854775808", "-9223372036854775809"}) {
        value = 5;
        EXPECT_FALSE(text::ParseInt(bad, value)) << bad;
        EXPECT_EQ(value, 5) << bad;
    }
}
