// tests/database/dates/date_format_test.cpp: every display form of every kind of date, the parts
// the date qualifiers take out, and the short texts of diagrams and time stamps.
#include "database/dates/date_data.h"
#include "database/dates/date_format.h"

#include "platform/base/locale_info.h"
#include "platform/base/ole_date_time.h"
#include "tests/database/dates/date_test_helpers.h"

#include <gtest/gtest.h>

namespace {

using date_test::Gedcom;

struct FormatCase {
    const char* date;
    int code;
    const char* expected;
};

class DateFormatText : public testing::TestWithParam<FormatCase> {};

TEST_P(DateFormatText, ShowsTheDateInTheFormat)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(Gedcom(c.date).FormatText(c.code, CDateLocale()), c.expected)
        << c.date << " in format " << c.code;
}

INSTANTIATE_TEST_SUITE_P(
    Simple, DateFormatText,
    testing::Values(FormatCase{"5 JUN 1700", DF_DEFAULT, "5 June 1700"},
                    FormatCase{"5 JUN 1700", DF_LONG, "5 June 1700"},
                    FormatCase{"5 JUN 1700", DF_COMPACT, "5 Jun 1700"},
                    FormatCase{"5 JUN 1700", DF_ABBREV, "5 Jun 1700"},
                    FormatCase{"5 JUN 1700", DF_ABBREV2, "5 Jun 1700"},
                    FormatCase{"5 JUN 1700", DF_ABBREV3, "6/5/1700"},
                    FormatCase{"5 JUN 1700", DF_ABBREV4, "1700"},
                    FormatCase{"5 JUN 1700", DF_XDATE1, "5 Jun 1700"},
                    FormatCase{"5 JUN 1700", DF_XDATE2, "5 Jun 1700"},
                    FormatCase{"5 JUN 1700", DF_XDATETYPE, "Date"},
                    FormatCase{"5 JUN 1700", DF_YEAR, "5 Jun 1700"},
                    FormatCase{"JUN 1700", DF_ABBREV3, "6/1700"},
                    FormatCase{"50", DF_ABBREV4, "0050"}, FormatCase{"1699/00", DF_LONG, "1699/00"},
                    FormatCase{"1699/00", DF_COMPACT, "1699/00"},
                    FormatCase{"1699/00", DF_ABBREV3, "1699(/00)"},
                    FormatCase{"@#DJULIAN@ 5 JAN 1700", DF_COMPACT, "[Julian] 5 January 1700"},
                    FormatCase{"@#DJULIAN@ 5 JAN 1700", DF_ABBREV3, "[Julian] 1/5/1700"},
                    FormatCase{"@#DJULIAN@ 5 JAN 1700", DF_ABBREV4, "1700"},
                    FormatCase{"44 B.C.", DF_LONG, "44 B.C."},
                    FormatCase{"44 B.C.", DF_ABBREV4, "0044 B.C."}));

INSTANTIATE_TEST_SUITE_P(
    PeriodsAndRanges, DateFormatText,
    testing::Values(
        FormatCase{"FROM 1700", DF_LONG, "From 1700"},
        FormatCase{"FROM 1700", DF_COMPACT, "Frm 1700"},
        FormatCase{"FROM 5 JUN 1700", DF_ABBREV, "Frm 1700"},
        FormatCase{"FROM 1700", DF_ABBREV2, "1700-____"},
        FormatCase{"FROM 1700", DF_ABBREV3, "1700-"}, FormatCase{"FROM 1700", DF_XDATE1, "1700"},
        FormatCase{"FROM 1700", DF_XDATE2, ""}, FormatCase{"FROM 1700", DF_XDATETYPE, "From"},
        FormatCase{"TO 1700", DF_LONG, "To 1700"}, FormatCase{"TO 1700", DF_ABBREV2, "____-1700"},
        FormatCase{"TO 1700", DF_ABBREV4, "-1700"}, FormatCase{"TO 1700", DF_XDATE1, ""},
        FormatCase{"TO 1700", DF_XDATE2, "1700"},
        FormatCase{"FROM 1 JAN 1980 TO 1 FEB 1982", DF_LONG,
                   "From 1 January 1980 To 1 February 1982"},
        FormatCase{"FROM 1 JAN 1980 TO 1 FEB 1982", DF_COMPACT, "Frm 1 Jan 1980 To 1 Feb 1982"},
        FormatCase{"FROM 1 JAN 1980 TO 1 FEB 1982", DF_ABBREV, "Frm 1980 To 1982"},
        FormatCase{"FROM 1 JAN 1980 TO 1 FEB 1982", DF_ABBREV2, "1980-1982"},
        FormatCase{"FROM 1 JAN 1980 TO 1 FEB 1982", DF_XDATE1, "1 Jan 1980"},
        FormatCase{"FROM 1 JAN 1980 TO 1 FEB 1982", DF_XDATE2, "1 Feb 1982"},
        FormatCase{"FROM 1 JAN 1980 TO 1 FEB 1982", DF_XDATETYPE, "From/To"},
        FormatCase{"FROM 1 JAN 1980 TO 1 FEB 1982", DF_YEAR, "1980-1982"},
        FormatCase{"FROM JAN 1700 TO DEC 1700", DF_ABBREV3, "1700"},
        FormatCase{"AFT 1700", DF_LONG, "After 1700"},
        FormatCase{"AFT 1700", DF_COMPACT, "Aft 1700"},
        FormatCase{"AFT 1700", DF_ABBREV2, "Aft 1700"}, FormatCase{"AFT 1700", DF_XDATE2, ""},
        FormatCase{"AFT 1700", DF_XDATETYPE, "After"},
        FormatCase{"BEF 1700", DF_LONG, "Before 1700"},
        FormatCase{"BEF 1700", DF_ABBREV, "Bef 1700"},
        FormatCase{"BEF 1700", DF_ABBREV4, "Bef 1700"}, FormatCase{"BEF 1700", DF_XDATE1, ""},
        FormatCase{"BEF 1700", DF_XDATE2, "1700"},
        FormatCase{"BET 1700 AND 1750", DF_LONG, "Between 1700 and 1750"},
        FormatCase{"BET 1700 AND 1750", DF_COMPACT, "Btw 1700 and 1750"},
        FormatCase{"BET 1700 AND 1750", DF_ABBREV2, "1700-1750"},
        FormatCase{"BET 1700 AND 1750", DF_XDATETYPE, "Between"}));

INSTANTIATE_TEST_SUITE_P(
    Qualified, DateFormatText,
    testing::Values(
        FormatCase{"ABT 1700", DF_LONG, "1700 (approx.)"},
        FormatCase{"ABT 1700", DF_COMPACT, "1700 (app)"},
        FormatCase{"ABT 1700", DF_ABBREV2, "1700?"},
        FormatCase{"ABT 5 JUN 1700", DF_ABBREV3, "6/5/1700?"},
        FormatCase{"ABT 1700", DF_XDATE1, "1700"}, FormatCase{"ABT 1700", DF_XDATETYPE, "Approx"},
        FormatCase{"ABT 1700", DF_YEAR, "1700?"},
        FormatCase{"CAL 1700", DF_LONG, "1700 (calculated)"},
        FormatCase{"CAL 1700", DF_ABBREV, "1700 (cal)"},
        FormatCase{"CAL 1700", DF_XDATETYPE, "Calculated"},
        FormatCase{"EST 1700", DF_LONG, "1700 (estimated)"},
        FormatCase{"EST 1700", DF_COMPACT, "1700 (est)"},
        FormatCase{"EST 1700", DF_XDATETYPE, "Estimated"},
        FormatCase{"INT 5 JUN 1700 (about then)", DF_COMPACT, "5 Jun 1700 (\"about then\")"},
        FormatCase{"INT 1700 (about then)", DF_ABBREV, "1700 (int)"},
        FormatCase{"INT 1700 (about then)", DF_ABBREV4, "1700?"},
        FormatCase{"INT 1700 (about then)", DF_XDATETYPE, "Interpreted Phrase"},
        FormatCase{"(not known)", DF_COMPACT, "\"not known\""},
        FormatCase{"(not known)", DF_ABBREV, ""}, FormatCase{"(not known)", DF_ABBREV2, "____"},
        FormatCase{"(not known)", DF_ABBREV3, ""}, FormatCase{"(not known)", DF_XDATE1, ""},
        FormatCase{"(not known)", DF_XDATETYPE, "Phrase"}, FormatCase{"", DF_LONG, ""},
        FormatCase{"", DF_ABBREV2, "____"}, FormatCase{"", DF_ABBREV4, ""},
        FormatCase{"", DF_XDATETYPE, ""}));

TEST(DateValueFormat, NumericStyleFollowsTheLocale)
{
    const CDateValue day(1700, 6, 5);
    const CDateValue month(1700, 6, 0);
    const CDateLocale dmy{DATE_ORDER_DMY, '.', ':'};
    const CDateLocale ymd{DATE_ORDER_YMD, '-', ':'};
    EXPECT_EQ(day.Format(DATE_STYLE_NUMERIC, dmy), "5.6.1700");
    EXPECT_EQ(month.Format(DATE_STYLE_NUMERIC, dmy), "6.1700");
    EXPECT_EQ(day.Format(DATE_STYLE_NUMERIC, ymd), "1700-6-5");
    EXPECT_EQ(month.Format(DATE_STYLE_NUMERIC, ymd), "1700-6");
    EXPECT_EQ(CDateValue(1700, 0, 5).Format(DATE_STYLE_NUMERIC, ymd), "1700");
    EXPECT_EQ(CDateValue(1700, 3, 1, 9).Format(DATE_STYLE_LONG, dmy), "[Unknown] 1 1700");
    EXPECT_EQ(CDateValue().Format(DATE_STYLE_LONG, dmy), "");
}

struct PartCase {
    const char* date;
    int code;
    const char* text;
    bool supported;
};

class DateQualifiedText : public testing::TestWithParam<PartCase> {};

TEST_P(DateQualifiedText, GivesThePartAndSaysWhetherItApplies)
{
    const PartCase& c = GetParam();
    const CDateData date = Gedcom(c.date);
    EXPECT_EQ(date.GetQualifiedText(c.code, CDateLocale()), c.text) << c.date << " " << c.code;
    EXPECT_EQ(date.SupportsFormat(c.code), c.supported) << c.date << " " << c.code;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateQualifiedText,
    testing::Values(PartCase{"5 JUN 1700", DF_DAY, "5", true},
                    PartCase{"5 JUN 1700", DF_MONTH_NUMBER, "6", true},
                    PartCase{"5 JUN 1700", DF_MONTH_NAME, "June", true},
                    PartCase{"5 JUN 1700", DF_MONTH_AND_DAY, "6/5", true},
                    PartCase{"5 JUN 1700", DF_YEAR, "1700", true},
                    PartCase{"1700", DF_DAY, "0", false},
                    PartCase{"1700", DF_MONTH_AND_DAY, "?/?", false},
                    PartCase{"ABT JUN 1700", DF_MONTH_AND_DAY, "6/?", true},
                    PartCase{"@#DHEBREW@ 1 TSH 5758", DF_MONTH_NAME, "Tishri", true},
                    PartCase{"@#DFRENCH@ COMP 10", DF_MONTH_NAME, "JOUR-COMPLEMENTAIRS", true},
                    PartCase{"FROM 1700", DF_YEAR, "", false},
                    PartCase{"FROM 1700", DF_LONG, "From 1700", true},
                    PartCase{"FROM 1700", DF_XDATE2, "", false},
                    PartCase{"(not known)", DF_COMPACT, "\"not known\"", true},
                    PartCase{"(not known)", DF_ABBREV3, "", false},
                    PartCase{"", DF_ABBREV2, "____", false},
                    PartCase{"5 JUN 1700", DF_AGE_AT, "", false}));

TEST(DateQualifiedText, MonthAndDayFollowTheLocaleOrder)
{
    const CDateLocale dmy{DATE_ORDER_DMY, '-', ':'};
    EXPECT_EQ(Gedcom("5 JUN 1700").GetQualifiedText(DF_MONTH_AND_DAY, dmy), "5-6");
}

TEST(ShortDateText, NamesTheBoundForDiagrams)
{
    const CDateData period = Gedcom("FROM 1700 TO 1750");
    const CDateData range = Gedcom("BET 1700 AND 1750");
    EXPECT_EQ(GetShortDateText(Gedcom("5 JUN 1700"), CDateValue(1700, 6, 5), true), "1700");
    EXPECT_EQ(GetShortDateText(Gedcom("TO 1700"), CDateValue(1700, 0, 0), true), "to1700");
    EXPECT_EQ(GetShortDateText(period, period.GetFirstValue(), true), "frm1700");
    EXPECT_EQ(GetShortDateText(period, *period.GetSecondValue(), false), "to1750");
    EXPECT_EQ(GetShortDateText(range, range.GetFirstValue(), true), "aft1700");
    EXPECT_EQ(GetShortDateText(range, *range.GetSecondValue(), false), "bef1750");
    EXPECT_EQ(GetShortDateText(Gedcom("ABT 1700"), CDateValue(1700, 0, 0), true), "1700?");
    EXPECT_STREQ(GetBlankDateText(), "____");
}

TEST(FormatDateText, ShowsFrameworkDates)
{
    const COleDateTime stamp(2026, 12, 6, 9, 5, 0);
    const CDateLocale dmy{DATE_ORDER_DMY, '.', '.'};
    EXPECT_EQ(FormatDateText(stamp, -1, CDateLocale()), "12/6/2026 09:05");
    EXPECT_EQ(FormatOleDateTime(stamp, dmy), "6.12.2026 09.05");
    EXPECT_EQ(FormatDateText(stamp, DF_LONG, CDateLocale()), "6 December 2026");
    EXPECT_EQ(FormatDateText(COleDateTime(), -1, CDateLocale()), "");
    EXPECT_EQ(FormatDateText(COleDateTime(), DF_LONG, CDateLocale()), "");
}

TEST(DateLocale, IsReadFromThePlatformSettings)
{
    locale_info::SetShortDateOrder(locale_info::YearMonthDay);
    locale_info::SetDateSeparator('-');
    const CDateLocale locale = ReadDateLocale();
    locale_info::Reset();
    EXPECT_EQ(locale.order, DATE_ORDER_YMD);
    EXPECT_EQ(locale.dateSeparator, '-');
    EXPECT_EQ(ReadDateLocale().order, DATE_ORDER_MDY);
}

} // namespace
