// tests/database/dates/date_parse_test.cpp: the GEDCOM and typed date grammars, what each text
// becomes and how it is written back.
#include "database/dates/date_data.h"
#include "database/dates/date_parse.h"

#include "tests/database/dates/date_test_helpers.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using date_test::Written;

constexpr bool kFile = true;
constexpr bool kTyped = false;

struct ParseCase {
    const char* name;
    const char* text;
    bool gedcom;
    DateKind kind;
    DateQualifier qualifier;
    const char* written;
    const char* longText;
};

std::string CaseName(const testing::TestParamInfo<ParseCase>& info)
{
    return info.param.name;
}

class DateParse : public testing::TestWithParam<ParseCase> {};

TEST_P(DateParse, GivesKindTextAndGedcomThatReadsBackTheSame)
{
    const ParseCase& c = GetParam();
    CDateData date;
    ASSERT_TRUE(date.SetFromText(c.text, c.gedcom, false, CDateParseOptions()));
    EXPECT_EQ(date.GetKind(), c.kind);
    EXPECT_EQ(date.GetQualifier(), c.qualifier);
    EXPECT_EQ(Written(date), c.written);
    EXPECT_EQ(date.FormatText(DF_LONG, CDateLocale()), c.longText);

    // What is written reads back as the same date and is written the same again.
    CDateData reread;
    reread.SetFromText(Written(date), kFile, false, CDateParseOptions());
    EXPECT_TRUE(reread.IsSameValue(date)) << Written(reread);
    EXPECT_EQ(Written(reread), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    FromFile, DateParse,
    testing::Values(
        ParseCase{"DayMonthYear", "1 JAN 1700", kFile, DATE_SIMPLE, DQ_NONE, "1 JAN 1700",
                  "1 January 1700"},
        ParseCase{"MonthYear", "JAN 1700", kFile, DATE_SIMPLE, DQ_NONE, "JAN 1700", "January 1700"},
        ParseCase{"YearAlone", "1700", kFile, DATE_SIMPLE, DQ_NONE, "1700", "1700"},
        ParseCase{"LowerCaseMonthCode", "11 Jan 2001", kFile, DATE_SIMPLE, DQ_NONE, "11 JAN 2001",
                  "11 January 2001"},
        ParseCase{"LowerCaseKeyword", "abt 1700", kFile, DATE_APPROXIMATE, DQ_ABT, "ABT 1700",
                  "1700 (approx.)"},
        ParseCase{"MonthNameNotCode", "JANUARY 1700", kFile, DATE_PHRASE, DQ_NONE, "(JANUARY 1700)",
                  "\"JANUARY 1700\""},
        ParseCase{"DayWithoutMonth", "15 1700", kFile, DATE_PHRASE, DQ_NONE, "(15 1700)",
                  "\"15 1700\""},
        ParseCase{"DayPastMonthEnd", "32 JAN 1700", kFile, DATE_PHRASE, DQ_NONE, "(32 JAN 1700)",
                  "\"32 JAN 1700\""},
        ParseCase{"ThirtiethOfFebruary", "30 FEB 1700", kFile, DATE_PHRASE, DQ_NONE,
                  "(30 FEB 1700)", "\"30 FEB 1700\""},
        ParseCase{"LeapDay", "29 FEB 1700", kFile, DATE_SIMPLE, DQ_NONE, "29 FEB 1700",
                  "29 February 1700"},
        ParseCase{"DayZero", "0 JAN 1700", kFile, DATE_PHRASE, DQ_NONE, "(0 JAN 1700)",
                  "\"0 JAN 1700\""},
        ParseCase{"YearTooLarge", "10000", kFile, DATE_PHRASE, DQ_NONE, "(10000)", "\"10000\""},
        ParseCase{"YearZero", "0", kFile, DATE_SIMPLE, DQ_NONE, "0", "0"},
        ParseCase{"LeadingZerosDropped", "5 MAY 0005", kFile, DATE_SIMPLE, DQ_NONE, "5 MAY 5",
                  "5 May 5"},
        ParseCase{"Julian", "@#DJULIAN@ 1 JAN 1700", kFile, DATE_SIMPLE, DQ_NONE,
                  "@#DJULIAN@ 1 JAN 1700", "[Julian] 1 January 1700"},
        ParseCase{"GregorianEscape", "@#DGREGORIAN@ 31 DEC 1997", kFile, DATE_SIMPLE, DQ_NONE,
                  "31 DEC 1997", "31 December 1997"},
        ParseCase{"Hebrew", "@#DHEBREW@ 2 TVT 5758", kFile, DATE_SIMPLE, DQ_NONE,
                  "@#DHEBREW@ 2 TVT 5758", "[Hebrew] 2 Tevet 5758"},
        ParseCase{"French", "@#DFRENCH@ 11 NIVO 0006", kFile, DATE_SIMPLE, DQ_NONE,
                  "@#DFRENCH@ 11 NIVO 6", "[French] 11 NIVOSE 6"},
        ParseCase{"HebrewMonthWithoutEscape", "2 TVT 5758", kFile, DATE_PHRASE, DQ_NONE,
                  "(2 TVT 5758)", "\"2 TVT 5758\""},
        ParseCase{"UnknownCalendar", "@#DROMAN@ 28", kFile, DATE_PHRASE, DQ_NONE, "(@#DROMAN@ 28)",
                  "\"@#DROMAN@ 28\""},
        ParseCase{"DualYear", "27 OCT 1699/00", kFile, DATE_SIMPLE, DQ_NONE, "27 OCT 1699/00",
                  "27 October 1699/00"},
        ParseCase{"OneDigitDualYear", "1401/8", kFile, DATE_PHRASE, DQ_NONE, "(1401/8)",
                  "\"1401/8\""},
        ParseCase{"BeforeChrist", "1700 B.C.", kFile, DATE_SIMPLE, DQ_NONE, "1700 B.C.",
                  "1700 B.C."},
        ParseCase{"BeforeChristShort", "1700 BC", kFile, DATE_SIMPLE, DQ_NONE, "1700 B.C.",
                  "1700 B.C."},
        ParseCase{"BeforeChristJoined", "5 AUG 1100BC", kFile, DATE_SIMPLE, DQ_NONE,
                  "5 AUG 1100 B.C.", "5 August 1100 B.C."},
        ParseCase{"BeforeChristOnlyGregorian", "@#DJULIAN@ 44 B.C.", kFile, DATE_PHRASE, DQ_NONE,
                  "(@#DJULIAN@ 44 B.C.)", "\"@#DJULIAN@ 44 B.C.\""},
        ParseCase{"Between", "BET 5 APR 1712/13 AND 28 SEP 1714/15", kFile, DATE_RANGE, DQ_BET_AND,
                  "BET 5 APR 1712/13 AND 28 SEP 1714/15",
                  "Between 5 April 1712/13 and 28 September 1714/15"},
        ParseCase{"BetweenWithoutAnd", "BET 1700", kFile, DATE_PHRASE, DQ_NONE, "(BET 1700)",
                  "\"BET 1700\""},
        ParseCase{"Before", "BEF 1970", kFile, DATE_RANGE, DQ_BEF, "BEF 1970", "Before 1970"},
        ParseCase{"After", "AFT 31 DEC 1997", kFile, DATE_RANGE, DQ_AFT, "AFT 31 DEC 1997",
                  "After 31 December 1997"},
        ParseCase{"FromTo", "FROM 1 JAN 1980 TO 1 FEB 1982", kFile, DATE_PERIOD, DQ_FROM_TO,
                  "FROM 1 JAN 1980 TO 1 FEB 1982", "From 1 January 1980 To 1 February 1982"},
        ParseCase{"FromToWithoutEnd", "FROM 1700 TO", kFile, DATE_PHRASE, DQ_NONE, "(FROM 1700 TO)",
                  "\"FROM 1700 TO\""},
        ParseCase{"From", "FROM 31 DEC 1997", kFile, DATE_PERIOD, DQ_FROM, "FROM 31 DEC 1997",
                  "From 31 December 1997"},
        ParseCase{"To", "TO 1997", kFile, DATE_PERIOD, DQ_TO, "TO 1997", "To 1997"},
        ParseCase{"Calculated", "CAL 31 DEC 1997", kFile, DATE_APPROXIMATE, DQ_CAL,
                  "CAL 31 DEC 1997", "31 December 1997 (calculated)"},
        ParseCase{"Estimated", "EST 1997", kFile, DATE_APPROXIMATE, DQ_EST, "EST 1997",
                  "1997 (estimated)"},
        ParseCase{"Interpreted", "INT 1700 (about then)", kFile, DATE_INTERPRETED, DQ_NONE,
                  "INT 1700 (about then)", "1700 (\"about then\")"},
        ParseCase{"InterpretedBadValueKeptWhole", "INT 2 TVT 5758 (interpreted Hebrew date)", kFile,
                  DATE_PHRASE, DQ_NONE, "(INT 2 TVT 5758 (interpreted Hebrew date))",
                  "\"INT 2 TVT 5758 (interpreted Hebrew date)\""},
        ParseCase{"Phrase", "(not known)", kFile, DATE_PHRASE, DQ_NONE, "(not known)",
                  "\"not known\""},
        ParseCase{"QuotesInPhraseKept", "(\"quoted\")", kFile, DATE_PHRASE, DQ_NONE, "(\"quoted\")",
                  "\"\"quoted\"\""},
        ParseCase{"BlanksInPhraseKept", "(  two  blanks )", kFile, DATE_PHRASE, DQ_NONE,
                  "(  two  blanks )", "\"  two  blanks \""},
        ParseCase{"TrailingTextKept", "BEF 1700 or so", kFile, DATE_PHRASE, DQ_NONE,
                  "(BEF 1700 or so)", "\"BEF 1700 or so\""},
        ParseCase{"Empty", "   ", kFile, DATE_EMPTY, DQ_NONE, "", ""}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Typed, DateParse,
    testing::Values(
        ParseCase{"FullMonthName", "1 January 1700", kTyped, DATE_SIMPLE, DQ_NONE, "1 JAN 1700",
                  "1 January 1700"},
        ParseCase{"LowerCase", "1 jan 1700", kTyped, DATE_SIMPLE, DQ_NONE, "1 JAN 1700",
                  "1 January 1700"},
        ParseCase{"OneLetterMonth", "1 J 1700", kTyped, DATE_SIMPLE, DQ_NONE, "1 JAN 1700",
                  "1 January 1700"},
        ParseCase{"TwoLetterMonth", "ju 1700", kTyped, DATE_SIMPLE, DQ_NONE, "JUN 1700",
                  "June 1700"},
        ParseCase{"FourLetterMonth", "Sept 1700", kTyped, DATE_SIMPLE, DQ_NONE, "SEP 1700",
                  "September 1700"},
        ParseCase{"JulianPrefix", "[J 1 Jan 1700", kTyped, DATE_SIMPLE, DQ_NONE,
                  "@#DJULIAN@ 1 JAN 1700", "[Julian] 1 January 1700"},
        ParseCase{"ShownTextTypedBack", "[Julian] 1 January 1700", kTyped, DATE_SIMPLE, DQ_NONE,
                  "@#DJULIAN@ 1 JAN 1700", "[Julian] 1 January 1700"},
        ParseCase{"ClosedShortPrefix", "[J] 1 Jan 1700", kTyped, DATE_PHRASE, DQ_NONE,
                  "([J] 1 Jan 1700)", "\"[J] 1 Jan 1700\""},
        ParseCase{"HebrewTwoWordMonth", "[Hebrew] 5 Adar Sheni 5758", kTyped, DATE_SIMPLE, DQ_NONE,
                  "@#DHEBREW@ 5 ADS 5758", "[Hebrew] 5 Adar Sheni 5758"},
        ParseCase{"HebrewCodeNotName", "[H 1 TSH 5758", kTyped, DATE_PHRASE, DQ_NONE,
                  "([H 1 TSH 5758)", "\"[H 1 TSH 5758\""},
        ParseCase{"FrenchName", "[f 1 vend 10", kTyped, DATE_SIMPLE, DQ_NONE,
                  "@#DFRENCH@ 1 VEND 10", "[French] 1 VENDEMIAIRE 10"},
        ParseCase{"BeforeChrist", "44 bc", kTyped, DATE_SIMPLE, DQ_NONE, "44 B.C.", "44 B.C."},
        ParseCase{"GedcomKeywordIsPhrase", "ABT 1700", kTyped, DATE_PHRASE, DQ_NONE, "(ABT 1700)",
                  "\"ABT 1700\""},
        ParseCase{"Approx", "1700 (approx)", kTyped, DATE_APPROXIMATE, DQ_ABT, "ABT 1700",
                  "1700 (approx.)"},
        ParseCase{"ApproxShownForm", "1700 (approx.)", kTyped, DATE_APPROXIMATE, DQ_ABT, "ABT 1700",
                  "1700 (approx.)"},
        ParseCase{"App", "1700 (app)", kTyped, DATE_APPROXIMATE, DQ_ABT, "ABT 1700",
                  "1700 (approx.)"},
        ParseCase{"ApproxWord", "1700 approx", kTyped, DATE_APPROXIMATE, DQ_ABT, "ABT 1700",
                  "1700 (approx.)"},
        ParseCase{"KeywordRunsOn", "1700 approximately", kTyped, DATE_PHRASE, DQ_NONE,
                  "(1700 approximately)", "\"1700 approximately\""},
        ParseCase{"TextAfterKeywordKept", "1700 (approx) or later", kTyped, DATE_PHRASE, DQ_NONE,
                  "(1700 (approx) or later)", "\"1700 (approx) or later\""},
        ParseCase{"Calculated", "JAN 1700 cal", kTyped, DATE_APPROXIMATE, DQ_CAL, "CAL JAN 1700",
                  "January 1700 (calculated)"},
        ParseCase{"Estimated", "1700 (estimated)", kTyped, DATE_APPROXIMATE, DQ_EST, "EST 1700",
                  "1700 (estimated)"},
        ParseCase{"Before", "before 1700", kTyped, DATE_RANGE, DQ_BEF, "BEF 1700", "Before 1700"},
        ParseCase{"AfterAbbreviated", "aft 1700", kTyped, DATE_RANGE, DQ_AFT, "AFT 1700",
                  "After 1700"},
        ParseCase{"Between", "between 1700 and 1750", kTyped, DATE_RANGE, DQ_BET_AND,
                  "BET 1700 AND 1750", "Between 1700 and 1750"},
        ParseCase{"Btw", "Btw 1700 and 1750", kTyped, DATE_RANGE, DQ_BET_AND, "BET 1700 AND 1750",
                  "Between 1700 and 1750"},
        ParseCase{"FrmTo", "frm 1700 to 1750", kTyped, DATE_PERIOD, DQ_FROM_TO, "FROM 1700 TO 1750",
                  "From 1700 To 1750"},
        ParseCase{"OctoberIsNotTo", "from 1 october 1700 to 1750", kTyped, DATE_PERIOD, DQ_FROM_TO,
                  "FROM 1 OCT 1700 TO 1750", "From 1 October 1700 To 1750"},
        ParseCase{"Interpreted", "1 Jan 1700 (\"about then\")", kTyped, DATE_INTERPRETED, DQ_NONE,
                  "INT 1 JAN 1700 (about then)", "1 January 1700 (\"about then\")"},
        ParseCase{"InterpretedQuoted", "1700 \"about then\"", kTyped, DATE_INTERPRETED, DQ_NONE,
                  "INT 1700 (about then)", "1700 (\"about then\")"},
        ParseCase{"QuotedPhrase", "\"not known\"", kTyped, DATE_PHRASE, DQ_NONE, "(not known)",
                  "\"not known\""},
        ParseCase{"NotADate", "when the war ended", kTyped, DATE_PHRASE, DQ_NONE,
                  "(when the war ended)", "\"when the war ended\""},
        ParseCase{"None", "<None>", kTyped, DATE_EMPTY, DQ_NONE, "", ""},
        ParseCase{"Numeric", "12/25/1700", kTyped, DATE_SIMPLE, DQ_NONE, "25 DEC 1700",
                  "25 December 1700"},
        ParseCase{"NumericTwoDigitYearKept", "5/6/67", kTyped, DATE_SIMPLE, DQ_NONE, "6 MAY 67",
                  "6 May 67"},
        ParseCase{"NumericBracketed", " ( 12 . 25 . 1700 ) ", kTyped, DATE_SIMPLE, DQ_NONE,
                  "25 DEC 1700", "25 December 1700"},
        ParseCase{"NumericWrongOrder", "25/12/1700", kTyped, DATE_PHRASE, DQ_NONE, "(25/12/1700)",
                  "\"25/12/1700\""},
        ParseCase{"NumericNoSuchDay", "2/30/1700", kTyped, DATE_PHRASE, DQ_NONE, "(2/30/1700)",
                  "\"2/30/1700\""}),
    CaseName);

struct NumericCase {
    const char* name;
    CNumericDatePrefs prefs;
    CDateLocale locale;
    const char* text;
    const char* written;
};

class NumericDateFromFile : public testing::TestWithParam<NumericCase> {};

TEST_P(NumericDateFromFile, FollowsThePreferences)
{
    const NumericCase& c = GetParam();
    CDateData date;
    date.SetFromText(c.text, kFile, false, CDateParseOptions{c.prefs, c.locale});
    EXPECT_EQ(Written(date), c.written);
}

constexpr CDateLocale kMdy{DATE_ORDER_MDY, '/', ':'};
constexpr CDateLocale kDmyDash{DATE_ORDER_DMY, '-', ':'};

INSTANTIATE_TEST_SUITE_P(
    Cases, NumericDateFromFile,
    testing::Values(
        NumericCase{"DayMonthYear", {true, 2, '/'}, kMdy, "25/12/1700", "25 DEC 1700"},
        NumericCase{"FullStopAlwaysSeparates", {true, 2, '/'}, kMdy, "25.12.1700", "25 DEC 1700"},
        NumericCase{"NoThirteenthMonth", {true, 2, '/'}, kMdy, "25/13/1700", "(25/13/1700)"},
        NumericCase{"NotAllowed", {false, 2, '/'}, kMdy, "25/12/1700", "(25/12/1700)"},
        NumericCase{"MonthDayYear", {true, 1, '/'}, kMdy, "12/25/1700", "25 DEC 1700"},
        NumericCase{"YearMonthDayOwnSeparator", {true, 3, '-'}, kMdy, "1700-12-25", "25 DEC 1700"},
        NumericCase{"FormatZeroTakesLocale", {true, 0, '/'}, kDmyDash, "25-12-1700", "25 DEC 1700"},
        NumericCase{"YearZeroRefused", {true, 2, '/'}, kMdy, "1/1/0", "(1/1/0)"},
        NumericCase{"TextAfterRefused", {true, 2, '/'}, kMdy, "25/12/1700 x", "(25/12/1700 x)"}),
    [](const testing::TestParamInfo<NumericCase>& info) { return std::string(info.param.name); });

TEST(NumericDateTyped, FollowsTheLocaleNotTheFilePreferences)
{
    const CDateParseOptions options{{true, 2, '-'}, kMdy};
    EXPECT_EQ(Written(date_test::Typed("12/25/1700", options)), "25 DEC 1700");
    EXPECT_EQ(Written(date_test::Typed("25-12-1700", options)), "(25-12-1700)");
}

struct KeywordCase {
    const char* keyword;
    const char* text;
    std::size_t expected;
};

class DateKeyword : public testing::TestWithParam<KeywordCase> {};

TEST_P(DateKeyword, MayStopEarlyButNotRunOn)
{
    EXPECT_EQ(MatchDateKeyword(GetParam().keyword, GetParam().text, 0), GetParam().expected)
        << GetParam().keyword << " / " << GetParam().text;
}

constexpr std::size_t kNo = std::string_view::npos;

INSTANTIATE_TEST_SUITE_P(
    Cases, DateKeyword,
    testing::Values(KeywordCase{"BEF-ORE", "BEF 1700", 3}, KeywordCase{"BEF-ORE", "BEFO 1700", 4},
                    KeywordCase{"BEF-ORE", "BEFORE 1700", 6}, KeywordCase{"BEF-ORE", "BEFORE", 6},
                    KeywordCase{"BEF-ORE", "BE 1700", kNo}, KeywordCase{"BEF-ORE", "BEFX", kNo},
                    KeywordCase{"BEF-ORE", "BEFORE1700", kNo},
                    KeywordCase{"BEF-ORE", "BEFOREHAND", kNo}, KeywordCase{"TO", "TOWN", kNo},
                    KeywordCase{"[J-ULIAN]", "[J 1700", 2},
                    KeywordCase{"[J-ULIAN]", "[JULIAN]1700", 8},
                    KeywordCase{"[J-ULIAN]", "[J]", kNo}, KeywordCase{"(APP-ROX)", "(APP)", kNo},
                    KeywordCase{"(", "(X", 1}));

struct SampleFile {
    const char* path;
    bool allDates; // whether every DATE of the file is a date rather than a phrase
};

class DateSampleFile : public testing::TestWithParam<SampleFile> {};

TEST_P(DateSampleFile, EveryDateIsWrittenSoThatItReadsBackTheSame)
{
    std::istringstream lines(test_support::ReadFile(test_support::DataPath(GetParam().path)));
    int count = 0;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t tag = line.find(" DATE ");
        if (tag == std::string::npos)
            continue;
        ++count;
        const std::string text = line.substr(tag + 6);
        const CDateData date = date_test::Gedcom(text.c_str());
        const CDateData reread = date_test::Gedcom(Written(date).c_str());
        EXPECT_TRUE(reread.IsSameValue(date)) << text;
        EXPECT_EQ(Written(reread), Written(date)) << text;
        if (GetParam().allDates) {
            EXPECT_NE(date.GetKind(), DATE_PHRASE) << text;
        }
    }
    EXPECT_GT(count, 10);
}

INSTANTIATE_TEST_SUITE_P(Files, DateSampleFile,
                         testing::Values(SampleFile{"dates/date-dual-valid.ged", true},
                                         SampleFile{"dates/date-dual-invalid.ged", false}));

TEST(DateParseFailure, RefusedTextLeavesTheDateEmpty)
{
    CDateData date = date_test::Gedcom("1700");
    EXPECT_FALSE(date.SetFromText("not a date", kTyped, true, CDateParseOptions()));
    EXPECT_TRUE(date.IsEmpty());

    CDateValue value(1700, 1, 1);
    EXPECT_FALSE(ParseDateValue(value, "JAN", kFile));
    EXPECT_FALSE(value.IsValid());
}

TEST(DateData, CopiesOwnTheirSecondValueAndPhrase)
{
    CDateData range = date_test::Gedcom("BET 1700 AND 1750");
    CDateData copy = range;
    range.SetPhrase("replaced");
    ASSERT_NE(copy.GetSecondValue(), nullptr);
    EXPECT_EQ(copy.GetSecondValue()->GetYear(), 1750);

    CDateData moved = std::move(range);
    EXPECT_EQ(*moved.GetPhrase(), "replaced");
    EXPECT_TRUE(range.IsEmpty()); // NOLINT(bugprone-use-after-move): a move leaves it cleared
    copy = moved;
    EXPECT_EQ(*copy.GetPhrase(), "replaced");
    EXPECT_EQ(copy.GetSecondValue(), nullptr);
}

TEST(DateData, SameValueComparesPhrasesWithoutCase)
{
    EXPECT_TRUE(date_test::Gedcom("(Not Known)").IsSameValue(date_test::Gedcom("(not known)")));
    EXPECT_FALSE(date_test::Gedcom("BEF 1700").IsSameValue(date_test::Gedcom("AFT 1700")));
    EXPECT_FALSE(
        date_test::Gedcom("FROM 1700 TO 1750").IsSameValue(date_test::Gedcom("FROM 1700 TO 1751")));
    EXPECT_FALSE(date_test::Gedcom("1699/00").IsSameValue(date_test::Gedcom("1699")));
}

TEST(DateData, RefusesKindsAndQualifiersThatDoNotPair)
{
    CDateData date;
    EXPECT_FALSE(date.SetDate(DATE_RANGE, DQ_ABT, CDateValue(1700, 0, 0)));
    const CDateValue end(1750, 0, 0);
    EXPECT_FALSE(date.SetDate(DATE_PERIOD, DQ_FROM, CDateValue(1700, 0, 0), &end));
    EXPECT_FALSE(date.SetDate(DATE_SIMPLE, DQ_NONE, CDateValue()));
    EXPECT_TRUE(date.IsEmpty());
    date.SetSimpleDate(CDateValue());
    EXPECT_TRUE(date.IsEmpty());
}

} // namespace
