// tests/platform/base/ole_date_time_test.cpp: date-time validity, order and formatting, the
// settable clocks and the short-date conventions.
#include "platform/base/clock.h"
#include "platform/base/locale_info.h"
#include "platform/base/ole_date_time.h"

#include <gtest/gtest.h>

struct DateRow {
    const char* name;
    int year, month, day, hour, minute, second;
    bool valid;
};

class OleDateTimeValidityTest : public testing::TestWithParam<DateRow> {};

TEST_P(OleDateTimeValidityTest, SetDateTimeChecksEveryPart)
{
    const DateRow& r = GetParam();
    COleDateTime value;
    EXPECT_EQ(value.SetDateTime(r.year, r.month, r.day, r.hour, r.minute, r.second),
              r.valid ? 0 : 1);
    EXPECT_EQ(value.GetStatus(), r.valid ? COleDateTime::valid : COleDateTime::invalid);
    EXPECT_EQ(value.GetDay(), r.valid ? r.day : -1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OleDateTimeValidityTest,
    testing::Values(DateRow{"Ordinary", 2001, 3, 3, 10, 0, 5, true},
                    DateRow{"LeapDay", 2000, 2, 29, 0, 0, 0, true},
                    DateRow{"NoLeapDayInACentury", 1900, 2, 29, 0, 0, 0, false},
                    DateRow{"LastMoment", 9999, 12, 31, 23, 59, 59, true},
                    DateRow{"YearTooLarge", 10000, 1, 1, 0, 0, 0, false},
                    DateRow{"YearTooSmall", 99, 1, 1, 0, 0, 0, false},
                    DateRow{"NoMonth", 2001, 0, 1, 0, 0, 0, false},
                    DateRow{"NoDay", 2001, 1, 0, 0, 0, 0, false},
                    DateRow{"April31", 2001, 4, 31, 0, 0, 0, false},
                    DateRow{"Hour24", 2001, 1, 1, 24, 0, 0, false},
                    DateRow{"Minute61", 2001, 3, 3, 10, 61, 5, false},
                    DateRow{"NegativeSecond", 2001, 3, 3, 10, 0, -1, false}),
    [](const testing::TestParamInfo<DateRow>& info) { return info.param.name; });

TEST(OleDateTimeTest, StartsNullAndKeepsNoPartsWhenNotValid)
{
    COleDateTime value;
    EXPECT_EQ(value.GetStatus(), COleDateTime::null);
    EXPECT_EQ(value.GetYear(), -1);
    EXPECT_EQ(value.Format("%Y"), "");
    value.SetDate(2003, 1, 5);
    EXPECT_EQ(value.GetHour(), 0);
    value.SetStatus(COleDateTime::null);
    EXPECT_EQ(value.GetMonth(), -1);
}

TEST(OleDateTimeTest, OrdersByTimeWithNullAndInvalidFirst)
{
    const COleDateTime early(2003, 1, 5, 14, 7, 9);
    const COleDateTime later(2003, 1, 5, 14, 7, 10);
    COleDateTime invalid;
    invalid.SetDate(2003, 2, 30);
    const COleDateTime null;
    EXPECT_LT(early, later);
    EXPECT_EQ(early, COleDateTime(2003, 1, 5, 14, 7, 9));
    EXPECT_NE(early, later);
    EXPECT_LT(null, invalid);
    EXPECT_LT(invalid, early);
    EXPECT_EQ(null, COleDateTime());
}

TEST(OleDateTimeTest, FormatsWithEnglishNames)
{
    const COleDateTime value(2026, 12, 6, 9, 5, 7);
    EXPECT_EQ(value.GetDayOfWeek(), 1); // a Sunday
    EXPECT_EQ(value.Format("%A %d %b %Y"), "Sunday 06 Dec 2026");
    EXPECT_EQ(value.Format(" - %d %b %Y"), " - 06 Dec 2026");
    EXPECT_EQ(value.Format("%a %B %m/%y %H:%M:%S 100%% %q"), "Sun December 12/26 09:05:07 100% %q");
    EXPECT_EQ(COleDateTime(2000, 2, 29, 0, 0, 0).Format("%A"), "Tuesday");
    EXPECT_EQ(COleDateTime(1752, 9, 14, 0, 0, 0).Format("%a"), "Thu"); // proleptic Gregorian
}

TEST(OleDateTimeTest, CurrentTimeComesFromTheSettableClock)
{
    clock_seam::SetLocalNow({2024, 2, 29, 23, 59, 58});
    EXPECT_EQ(COleDateTime::GetCurrentTime(), COleDateTime(2024, 2, 29, 23, 59, 58));
    clock_seam::ReleaseLocalNow();
    EXPECT_EQ(COleDateTime::GetCurrentTime().GetStatus(), COleDateTime::valid);
}

TEST(ClockTest, FrozenTickCountMovesOnlyWhenAdvanced)
{
    clock_seam::FreezeTickCount(0xFFFFFF00u);
    EXPECT_EQ(GetTickCount(), 0xFFFFFF00u);
    clock_seam::AdvanceTickCount(0x200);
    EXPECT_EQ(GetTickCount(), 0x100u); // wraps as a 32-bit count does
    clock_seam::ReleaseTickCount();
    const DWORD first = GetTickCount();
    EXPECT_LT(DWORD(GetTickCount() - first), 1000u);
}

TEST(LocaleInfoTest, ShortDateFollowsOrderAndSeparator)
{
    EXPECT_EQ(locale_info::FormatShortDate(2026, 12, 6), "12/6/2026");
    locale_info::SetShortDateOrder(locale_info::DayMonthYear);
    locale_info::SetDateSeparator('.');
    EXPECT_EQ(locale_info::FormatShortDate(2026, 12, 6), "6.12.2026");
    locale_info::SetShortDateOrder(locale_info::YearMonthDay);
    locale_info::SetDateSeparator('-');
    EXPECT_EQ(locale_info::FormatShortDate(987, 1, 2), "0987-1-2");
    EXPECT_EQ(locale_info::FormatShortDate(2026, 13, 2), "");
    locale_info::Reset();
    EXPECT_EQ(locale_info::DateSeparator(), '/');
    EXPECT_EQ(locale_info::TimeSeparator(), ':');
}
