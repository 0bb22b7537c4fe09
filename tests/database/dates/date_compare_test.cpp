// tests/database/dates/date_compare_test.cpp: sort orders, value comparisons, query matching, ages,
// year spans and closeness of dates.
#include "database/dates/date_data.h"

#include "platform/base/ole_date_time.h"
#include "tests/database/dates/date_test_helpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using date_test::Gedcom;
using date_test::Value;

struct SortCase {
    const char* name;
    int code;
    std::vector<const char*> ascending;
};

class DateSortOrder : public testing::TestWithParam<SortCase> {};

TEST_P(DateSortOrder, EachDateSortsBeforeTheNext)
{
    const SortCase& c = GetParam();
    for (std::size_t i = 0; i + 1 < c.ascending.size(); ++i) {
        const CDateData a = Gedcom(c.ascending[i]);
        const CDateData b = Gedcom(c.ascending[i + 1]);
        EXPECT_EQ(a.Compare(b, c.code), -1) << c.ascending[i] << " < " << c.ascending[i + 1];
        EXPECT_EQ(b.Compare(a, c.code), 1) << c.ascending[i + 1] << " > " << c.ascending[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateSortOrder,
    testing::Values(
        SortCase{"Default",
                 DF_DEFAULT,
                 {"(not known)", "100 B.C.", "JAN 100 B.C.", "50 B.C.", "1", "1700", "JAN 1700",
                  "5 JAN 1700", "DEC 1700", "@#DJULIAN@ JAN 1700", "FROM 1701", "1702"}},
        SortCase{"Long", DF_LONG, {"", "BEF 1650", "ABT 1700", "AFT 1750"}},
        SortCase{"StartBound", DF_XDATE1, {"BEF 1650", "AFT 1600", "1650", "FROM 1700 TO 1800"}},
        SortCase{"EndBound", DF_XDATE2, {"AFT 1700", "BEF 1650", "FROM 1600 TO 1700", "1750"}},
        SortCase{"Year", DF_YEAR, {"FROM 1500", "50 B.C.", "ABT 1700", "INT 1800 (x)"}},
        SortCase{"MonthAndDay", DF_MONTH_AND_DAY, {"(x)", "1900", "JAN 1950", "2 JAN 1800"}}),
    [](const testing::TestParamInfo<SortCase>& info) { return std::string(info.param.name); });

TEST(DateSortOrder, LeavesUndatedPairsAndTypeToTheGenericOrder)
{
    EXPECT_EQ(Gedcom("(a)").Compare(Gedcom(""), DF_LONG), std::nullopt);
    EXPECT_EQ(Gedcom("1700").Compare(Gedcom("1800"), DF_XDATETYPE), std::nullopt);
    EXPECT_EQ(Gedcom("ABT 1700").Compare(Gedcom("1700"), DF_LONG), 0);
}

struct OrderCase {
    const char* a;
    const char* b;
    bool before;
    bool onOrBefore;
    bool onOrAfter;
    int compared;
};

class DateValueOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(DateValueOrder, TreatsMissingPartsAsTheEndOfThePeriod)
{
    const OrderCase& c = GetParam();
    const CDateValue a = Value(c.a);
    const CDateValue b = Value(c.b);
    EXPECT_EQ(CDateValue::IsBefore(a, b), c.before) << c.a << " / " << c.b;
    EXPECT_EQ(CDateValue::IsOnOrBefore(a, b), c.onOrBefore) << c.a << " / " << c.b;
    EXPECT_EQ(CDateValue::IsOnOrAfter(a, b), c.onOrAfter) << c.a << " / " << c.b;
    EXPECT_EQ(CompareDateValues(a, b), c.compared) << c.a << " / " << c.b;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateValueOrder,
    testing::Values(OrderCase{"5 JUN 1700", "JUN 1700", true, true, false, 0},
                    OrderCase{"JUN 1700", "1700", true, true, false, 0},
                    OrderCase{"1700", "JUN 1700", false, false, true, 0},
                    OrderCase{"5 JUN 1700", "5 JUN 1700", false, true, true, 0},
                    OrderCase{"4 JUN 1700", "5 JUN 1700", true, true, false, -1},
                    OrderCase{"100 B.C.", "50 B.C.", true, true, false, -1},
                    OrderCase{"JAN 50 B.C.", "DEC 50 B.C.", true, true, false, -1},
                    OrderCase{"1 B.C.", "1", true, true, false, -1},
                    OrderCase{"10000", "1700", false, false, false, 0}));

struct YearsCase {
    const char* a;
    const char* b;
    int years;
};

class DateYearsBetween : public testing::TestWithParam<YearsCase> {};

TEST_P(DateYearsBetween, CountsCompletedYears)
{
    EXPECT_EQ(YearsBetween(Value(GetParam().a), Value(GetParam().b)), GetParam().years)
        << GetParam().a << " - " << GetParam().b;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateYearsBetween,
    testing::Values(YearsCase{"4 JUN 1750", "5 JUN 1700", 49},
                    YearsCase{"JUN 1750", "5 JUN 1700", 50}, YearsCase{"MAY 1750", "JUN 1700", 49},
                    YearsCase{"5 JUN 1750", "5 JUN 1700", 50},
                    YearsCase{"@#DJULIAN@ MAY 1750", "JUN 1700", 50},
                    YearsCase{"1700", "1750", -50}, YearsCase{"1", "1 B.C.", 1},
                    YearsCase{"10", "10 B.C.", 19}, YearsCase{"20 B.C.", "50 B.C.", 30}));

struct MatchCase {
    const char* field;
    int code;
    int op;
    const char* value;
    bool matches;
};

class DateMatch : public testing::TestWithParam<MatchCase> {};

TEST_P(DateMatch, AnswersTheCondition)
{
    const MatchCase& c = GetParam();
    EXPECT_EQ(Gedcom(c.field).MatchDate(c.code, c.op, Value(c.value)), c.matches)
        << c.field << " op " << c.op << " " << c.value;
}

constexpr int kEq = DATE_OP_EQUAL;
constexpr int kLater = DATE_OP_LATER;
constexpr int kEarlier = DATE_OP_EARLIER;

INSTANTIATE_TEST_SUITE_P(
    Cases, DateMatch,
    testing::Values(
        MatchCase{"1700", 0, kEq, "1700", true}, MatchCase{"JAN 1700", 0, kEq, "1700", true},
        MatchCase{"5 JUN 1700", 0, kEq, "1700", true},
        MatchCase{"5 JAN 1700", 0, kEq, "JAN 1700", true},
        MatchCase{"1700", 0, kEq, "JAN 1700", false},
        MatchCase{"ABT 1701", 0, kLater, "1700", true},
        MatchCase{"JUN 1700", 0, kLater, "1700", false},
        MatchCase{"50 B.C.", 0, kLater, "100 B.C.", true},
        MatchCase{"JAN 50 B.C.", 0, kEarlier, "DEC 50 B.C.", true},
        MatchCase{"@#DJULIAN@ 1700", 0, kEq, "1700", false},
        MatchCase{"FROM 1650 TO 1750", 0, kEq, "1700", true},
        MatchCase{"FROM 1650 TO 1750", 0, kLater, "1700", true},
        MatchCase{"FROM 1650 TO 1750", 0, kEarlier, "1600", false},
        MatchCase{"FROM 1650", 0, kEq, "1700", true}, MatchCase{"FROM 1750", 0, kEq, "1700", false},
        MatchCase{"FROM 1750", 0, kLater, "1800", true},
        MatchCase{"TO 1650", 0, kEq, "1700", false},
        MatchCase{"TO 1750", 0, kEarlier, "1000", true},
        MatchCase{"AFT 1650", 0, kEq, "1700", true}, MatchCase{"AFT 1650", 0, kLater, "2000", true},
        MatchCase{"BEF 1750", 0, kEq, "1700", true}, MatchCase{"BEF 1650", 0, kEq, "1700", false},
        MatchCase{"BEF 1750", 0, kLater, "1800", false},
        MatchCase{"BEF 1750", 0, kEarlier, "1000", true},
        MatchCase{"BET 1650 AND 1750", 0, kEq, "1700", true},
        MatchCase{"BET 1650 AND 1750", 0, kEq, "1650", false},
        MatchCase{"(1700)", 0, kEq, "1700", false}, MatchCase{"", 0, kLater, "1700", false},
        MatchCase{"BEF 1700", DF_XDATE1, kEq, "1700", false},
        MatchCase{"BEF 1700", DF_XDATE2, kEq, "1700", true},
        MatchCase{"1700", 0, kEq, "not a date", false}, MatchCase{"1700", 0, 6, "1700", false}));

TEST(DateValueOleDate, ComparesWithFrameworkDates)
{
    const COleDateTime day(1700, 6, 5, 0, 0, 0);
    const COleDateTime none;
    EXPECT_TRUE(Value("5 JUN 1700").EqualsOleDate(day));
    EXPECT_FALSE(Value("JUN 1700").EqualsOleDate(day));
    EXPECT_TRUE(CDateValue().EqualsOleDate(none));
    EXPECT_TRUE(Value("6 JUN 1700").IsAfterOleDate(day));
    EXPECT_FALSE(Value("JUN 1700").IsAfterOleDate(day));
    EXPECT_TRUE(Value("1700").IsAfterOleDate(none));
    EXPECT_FALSE(Value("1700 B.C.").IsAfterOleDate(day));
    EXPECT_TRUE(Value("1700 B.C.").IsBeforeOleDate(day));
    EXPECT_TRUE(Value("JUN 1700").IsBeforeOleDate(day));
    EXPECT_FALSE(Value("1700").IsBeforeOleDate(none));
    EXPECT_EQ(CDateValue(day).GetDay(), 5);
    EXPECT_FALSE(CDateValue(none).IsValid());
}

TEST(DateAge, CountsFromTheBirthDate)
{
    EXPECT_EQ(AgeAt(Value("4 JUN 1750"), Gedcom("5 JUN 1700")), 49);
    EXPECT_EQ(AgeAt(Value("JUN 1750"), Gedcom("ABT 5 JUN 1700")), 50);
    EXPECT_EQ(AgeAt(Value("1750"), Gedcom("FROM 1700")), std::nullopt);
    EXPECT_EQ(AgeAt(CDateValue(), Gedcom("1700")), std::nullopt);

    const CDateData dated = Gedcom("1750");
    const CDateData undated = Gedcom("(x)");
    EXPECT_EQ(CompareAgesAt(undated, std::nullopt, dated, std::nullopt), -1);
    EXPECT_EQ(CompareAgesAt(dated, std::nullopt, dated, 3), -1);
    EXPECT_EQ(CompareAgesAt(dated, 40, dated, 3), 1);
}

struct RangeCase {
    const char* a;
    const char* b;
    int least;
    int greatest;
};

class DateYearsRange : public testing::TestWithParam<RangeCase> {};

TEST_P(DateYearsRange, AllowsForMissingPartsAndSpans)
{
    int least = -99;
    int greatest = -99;
    ASSERT_TRUE(Gedcom(GetParam().a).GetYearsRange(Gedcom(GetParam().b), least, greatest));
    EXPECT_EQ(least, GetParam().least) << GetParam().a << " / " << GetParam().b;
    EXPECT_EQ(greatest, GetParam().greatest) << GetParam().a << " / " << GetParam().b;
}

INSTANTIATE_TEST_SUITE_P(Cases, DateYearsRange,
                         testing::Values(RangeCase{"1750", "5 JUN 1700", 49, 50},
                                         RangeCase{"4 JUN 1750", "5 JUN 1700", 49, 49},
                                         RangeCase{"BET 1750 AND 1760", "1700", 49, 60},
                                         RangeCase{"1700", "1700", 0, 0},
                                         RangeCase{"10", "10 B.C.", 18, 19}));

TEST(DateYearsRange, NeedsTwoGregorianDates)
{
    int least = 0;
    int greatest = 0;
    EXPECT_FALSE(Gedcom("@#DJULIAN@ 1750").GetYearsRange(Gedcom("1700"), least, greatest));
    EXPECT_FALSE(Gedcom("1750").GetYearsRange(Gedcom("(x)"), least, greatest));
}

struct ClosenessCase {
    const char* a;
    const char* b;
    int expected; // 1 same, 2 near, 3 medium, 4 far, 0 none
};

class DateCloseness : public testing::TestWithParam<ClosenessCase> {};

TEST_P(DateCloseness, ClassifiesBothWays)
{
    const CDateData a = Gedcom(GetParam().a);
    const CDateData b = Gedcom(GetParam().b);
    EXPECT_EQ(a.ClassifyCloseness(b, 1, 2, 3, 4), GetParam().expected)
        << GetParam().a << " / " << GetParam().b;
    EXPECT_EQ(b.ClassifyCloseness(a, 1, 2, 3, 4), GetParam().expected)
        << GetParam().b << " / " << GetParam().a;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateCloseness,
    testing::Values(ClosenessCase{"1700", "1700", 1}, ClosenessCase{"1700", "1709", 2},
                    ClosenessCase{"1700", "1715", 3}, ClosenessCase{"1700", "1750", 4},
                    ClosenessCase{"1867", "67", 2}, ClosenessCase{"1867", "1967", 4},
                    ClosenessCase{"FROM 1700 TO 1720", "FROM 1700 TO 1720", 1},
                    ClosenessCase{"FROM 1700 TO 1750", "BET 1710 AND 1720", 2},
                    ClosenessCase{"FROM 1700 TO 1710", "FROM 1712 TO 1725", 3},
                    ClosenessCase{"1705", "FROM 1700 TO 1710", 2},
                    ClosenessCase{"1725", "FROM 1700 TO 1710", 3},
                    ClosenessCase{"1740", "FROM 1700 TO 1710", 4},
                    ClosenessCase{"(x)", "1700", 0}));

} // namespace
