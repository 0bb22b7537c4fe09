// tests/records/entry_logic_test.cpp: the assistants' kernels as tables: the month type-ahead,
// showing and reading a set of date controls, building each page's date, the age boxes, and
// the text conversions of the data controls.
#include "records/datactl/data_ctl.h"
#include "records/datactl/data_ctl_enum.h"
#include "records/dialogs/age_entry_logic.h"
#include "records/dialogs/date_entry_logic.h"

#include "database/dates/date_node.h"
#include "database/dates/date_parse.h"

#include <gtest/gtest.h>

namespace {

/// The date's LONG text, "(empty)" for none.
std::string Shown(const CDateData& date)
{
    return date.IsEmpty() ? "(empty)" : date.FormatText(DF_LONG, GetDateLocale());
}

DateSetInput Set(const char* year, int month = -1, const char* day = "",
                 int calendar = CALENDAR_GREGORIAN, const char* dual = "", bool bc = false)
{
    DateSetInput input;
    input.calendar = calendar;
    input.year = year;
    input.month = month;
    input.day = day;
    input.dualYear = dual;
    input.bc = bc;
    return input;
}

TEST(MonthTypeAhead, PrefersLaterNamesAndTriesTheFirstLast)
{
    const std::vector<std::string> gregorian = MonthNamesOf(CALENDAR_GREGORIAN);
    struct Row {
        const char* typed;
        int expected;
    };
    const Row rows[] = {
        {"j", 5},     // June: the search starts at the second name
        {"ja", 0},    // January, tried last
        {"JU", 5},    // June, without regard to case
        {"jul", 6},   // July
        {"x", -1},    // nothing
        {"", -1},     // empty text clears
        {"  m ", 2},  // March, blanks ignored
        {"dec", 11},  // December
        {"janu", 0},  // January
        {"junex", -1} // longer than any name
    };
    for (const Row& row : rows)
        EXPECT_EQ(MatchTypedMonth(gregorian, row.typed), row.expected) << row.typed;
}

TEST(MonthTypeAhead, EachCalendarHasItsOwnList)
{
    EXPECT_EQ(MonthNamesOf(CALENDAR_GREGORIAN).size(), 12u);
    EXPECT_EQ(MonthNamesOf(CALENDAR_JULIAN).size(), 12u);
    EXPECT_EQ(MonthNamesOf(CALENDAR_HEBREW).size(), 13u);
    EXPECT_EQ(MonthNamesOf(CALENDAR_FRENCH).size(), 13u);
    EXPECT_TRUE(MonthNamesOf(7).empty());
}

TEST(DateSetView, ShowsTheValueAndAnEmptyYearForNoDate)
{
    CDateValue dual(1731, 2, 3);
    dual.SetDualYear(2);
    CDateValue bc(44, 3, 15);
    bc.SetBC(true);
    const CDateValue julian(1600, 1, 0, CALENDAR_JULIAN);
    const CDateValue none; // what an empty date holds

    DateSetView view = ShowDateValue(&dual, CALENDAR_GREGORIAN);
    EXPECT_EQ(view.day, "3");
    EXPECT_EQ(view.month, 1);
    EXPECT_EQ(view.year, "1731");
    EXPECT_EQ(view.dualYear, "02");
    EXPECT_TRUE(view.gregorian);

    view = ShowDateValue(&bc, CALENDAR_GREGORIAN);
    EXPECT_TRUE(view.bc);
    EXPECT_EQ(view.dualYear, "");

    view = ShowDateValue(&julian, CALENDAR_GREGORIAN);
    EXPECT_EQ(view.calendar, CALENDAR_JULIAN);
    EXPECT_FALSE(view.gregorian);
    EXPECT_EQ(view.day, "");
    EXPECT_EQ(view.month, 0);

    // An empty date opens with an empty year, so OK asks for one instead of storing year 0.
    view = ShowDateValue(&none, CALENDAR_GREGORIAN);
    EXPECT_EQ(view.year, "");
    EXPECT_EQ(view.calendar, CALENDAR_GREGORIAN);
    EXPECT_EQ(view.month, -1);

    view = ShowDateValue(nullptr, CALENDAR_HEBREW);
    EXPECT_EQ(view.calendar, CALENDAR_HEBREW);
    EXPECT_FALSE(view.gregorian);
}

TEST(DateSetRead, ChecksInOrderAndKeepsBcAndDualYearForGregorianOnly)
{
    struct Row {
        const char* name;
        DateSetInput input;
        DateEntryError error;
        const char* shown; // the value's long text as a simple date
    };
    const Row rows[] = {
        {"calendar", Set("1900", -1, "", -1), DateEntryError::Calendar, ""},
        {"no year", Set("", 2, "3"), DateEntryError::Year, ""},
        {"day without month", Set("1900", -1, "5"), DateEntryError::DayNoMonth, ""},
        {"year alone", Set("1900"), DateEntryError::None, "1900"},
        {"31 February", Set("1900", 1, "31"), DateEntryError::DayPastEnd, ""},
        {"29 February", Set("1900", 1, "29"), DateEntryError::None, "29 February 1900"},
        {"31 April", Set("1900", 3, "31"), DateEntryError::DayPastEnd, ""},
        {"30 April", Set("1900", 3, "30"), DateEntryError::None, "30 April 1900"},
        {"dual year", Set("1731", 1, "3", CALENDAR_GREGORIAN, "2"), DateEntryError::None,
         "3 February 1731/02"},
        {"B.C.", Set("44", 2, "15", CALENDAR_GREGORIAN, "", true), DateEntryError::None,
         "15 March 44 B.C."},
        {"Julian drops B.C. and dual year", Set("1600", 0, "", CALENDAR_JULIAN, "01", true),
         DateEntryError::None, "@#DJULIAN@ January 1600"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CDateValue value;
        ASSERT_EQ(ReadDateSet(row.input, value), row.error);
        if (row.error != DateEntryError::None)
            continue;
        EXPECT_TRUE(value.IsValid());
        if (value.GetCalendar() != CALENDAR_GREGORIAN) {
            EXPECT_FALSE(value.IsBC());
            EXPECT_FALSE(value.HasDualYear());
            continue;
        }
        CDateData date;
        date.SetSimpleDate(value);
        EXPECT_EQ(Shown(date), row.shown);
    }
}

TEST(DateEntryMessages, AreWordForWord)
{
    EXPECT_EQ(DateEntryMessage(DateEntryError::Calendar, false), "Invalid calendar value.");
    EXPECT_EQ(DateEntryMessage(DateEntryError::Year, true), "The year field is mandatory");
    EXPECT_EQ(DateEntryMessage(DateEntryError::Year, false),
              "The year field is mandatory.  If you do not know the year, but do know the month "
              "or day, you should store what information you have as a Date Phrase.");
    EXPECT_EQ(DateEntryMessage(DateEntryError::DayNoMonth, true),
              "The month field is not mandatory, but you cannot specify a day without specifying "
              "a month.");
    EXPECT_EQ(DateEntryMessage(DateEntryError::DayNoMonth, false),
              "The month field is not mandatory, but you cannot specify a day without specifying "
              "a month.  If you know the day, but don't know the month, you should store what "
              "information you have as a Date Phrase.");
    EXPECT_EQ(DateEntryMessage(DateEntryError::NoPeriodEnd, false),
              "Either a 'From' date, a 'To' date, or both, must be specified.");
    EXPECT_EQ(DateEntryMessage(DateEntryError::NoPhrase, false),
              "You must enter text describing the date - the 'Date Phrase'.  If there is no such "
              "text, you should enter the date using the Date tab.");
    EXPECT_EQ(DateEntryMessage(DateEntryError::Memory, false), "Memory error");
    EXPECT_EQ(DateEntryMessage(DateEntryError::Silent, false), "");
}

TEST(DateBuild, EachPageBuildsItsKindOfDate)
{
    struct Row {
        const char* name;
        DatePageInput input;
        DateEntryError error;
        int focus;
        DateKind kind;
        DateQualifier qualifier;
        const char* gedcom; // the GEDCOM text of the date built
    };
    const auto page = [](int index, auto&& fill) {
        DatePageInput input;
        input.page = index;
        fill(input);
        return input;
    };
    const Row rows[] = {
        {"simple", page(DPI_DATE, [](DatePageInput& i) { i.first = Set("1900", 4, "2"); }),
         DateEntryError::None, 0, DATE_SIMPLE, DQ_NONE, "2 MAY 1900"},
        {"estimated",
         page(DPI_DATE,
              [](DatePageInput& i) {
                  i.first = Set("1900");
                  i.qualifier = IDC_DATE_EST;
              }),
         DateEntryError::None, 0, DATE_APPROXIMATE, DQ_EST, "EST 1900"},
        {"no year", page(DPI_DATE, [](DatePageInput& i) { i.first = Set(""); }),
         DateEntryError::Year, IDC_DATE_YEAR, DATE_EMPTY, DQ_NONE, ""},
        {"period without ends", page(DPI_PERIOD, [](DatePageInput&) {}),
         DateEntryError::NoPeriodEnd, IDC_PERIOD_FROM, DATE_EMPTY, DQ_NONE, ""},
        {"period from to",
         page(DPI_PERIOD,
              [](DatePageInput& i) {
                  i.from = i.to = true;
                  i.first = Set("1900");
                  i.second = Set("1910");
              }),
         DateEntryError::None, 0, DATE_PERIOD, DQ_FROM_TO, "FROM 1900 TO 1910"},
        {"period to alone",
         page(DPI_PERIOD,
              [](DatePageInput& i) {
                  i.to = true;
                  i.first = Set("1800");
                  i.second = Set("1910");
              }),
         DateEntryError::None, 0, DATE_PERIOD, DQ_TO, "TO 1910"},
        {"period to without year",
         page(DPI_PERIOD,
              [](DatePageInput& i) {
                  i.to = true;
                  i.second = Set("");
              }),
         DateEntryError::Year, IDC_DATE2_YEAR, DATE_EMPTY, DQ_NONE, ""},
        {"empty phrase", page(DPI_PHRASE, [](DatePageInput& i) { i.phrase = "  "; }),
         DateEntryError::NoPhrase, IDC_PHRASE_TEXT, DATE_EMPTY, DQ_NONE, ""},
        {"phrase", page(DPI_PHRASE, [](DatePageInput& i) { i.phrase = "after the war"; }),
         DateEntryError::None, 0, DATE_PHRASE, DQ_NONE, "(after the war)"},
        {"interpreted",
         page(DPI_PHRASE,
              [](DatePageInput& i) {
                  i.phrase = "Easter";
                  i.interpreted = true;
                  i.first = Set("1900", 3, "15");
              }),
         DateEntryError::None, 0, DATE_INTERPRETED, DQ_NONE, "INT 15 APR 1900 (Easter)"},
        {"range before", page(DPI_RANGE, [](DatePageInput& i) { i.first = Set("1900"); }),
         DateEntryError::None, 0, DATE_RANGE, DQ_BEF, "BEF 1900"},
        {"range after",
         page(DPI_RANGE,
              [](DatePageInput& i) {
                  i.first = Set("1900");
                  i.range = IDC_RANGE_AFTER;
              }),
         DateEntryError::None, 0, DATE_RANGE, DQ_AFT, "AFT 1900"},
        {"range between",
         page(DPI_RANGE,
              [](DatePageInput& i) {
                  i.first = Set("1900");
                  i.second = Set("1910", -1, "", CALENDAR_GREGORIAN);
                  i.range = IDC_RANGE_BETWEEN;
              }),
         DateEntryError::None, 0, DATE_RANGE, DQ_BET_AND, "BET 1900 AND 1910"},
        {"between needs the day's month",
         page(DPI_RANGE,
              [](DatePageInput& i) {
                  i.first = Set("1900");
                  i.second = Set("1910", -1, "4");
                  i.range = IDC_RANGE_BETWEEN;
              }),
         DateEntryError::DayNoMonth, IDC_DATE2_DAY, DATE_EMPTY, DQ_NONE, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const DateBuildResult result = BuildDate(row.input);
        EXPECT_EQ(result.error, row.error);
        EXPECT_EQ(result.focusId, row.focus);
        if (row.error != DateEntryError::None)
            continue;
        EXPECT_EQ(result.date.GetKind(), row.kind);
        EXPECT_EQ(result.date.GetQualifier(), row.qualifier);
        std::string gedcom = result.date.GetGedcomLineText();
        if (const auto value = result.date.GetGedcomValueText())
            gedcom += *value;
        EXPECT_EQ(gedcom, row.gedcom);
    }
}

TEST(DateBuild, ADayPastTheMonthsEndIsRefusedByNameAndWhatIsTakenReadsBack)
{
    DatePageInput range;
    range.page = DPI_RANGE;
    range.range = IDC_RANGE_BETWEEN;
    range.first = Set("1900", 10, "30");
    range.second = Set("1910", 10, "31");
    DateBuildResult result = BuildDate(range);
    EXPECT_EQ(result.error, DateEntryError::DayPastEnd);
    EXPECT_EQ(result.focusId, IDC_DATE2_DAY);
    EXPECT_EQ(DateBuildMessage(result, false),
              "November has no day 31.  Please correct the day, or store what information you "
              "have as a Date Phrase.");
    EXPECT_EQ(DateBuildMessage(BuildDate(DatePageInput{}), true), "The year field is mandatory")
        << "the other refusals keep their messages";

    // The dates taken are the dates a saved file gives back, not date phrases.
    range.second = Set("1910", 10, "30");
    result = BuildDate(range);
    ASSERT_EQ(result.error, DateEntryError::None);
    const std::string gedcom = result.date.GetGedcomLineText();
    EXPECT_EQ(gedcom, "BET 30 NOV 1900 AND 30 NOV 1910");
    CDateData read;
    ASSERT_TRUE(ParseDateText(read, gedcom, true, CDateParseOptions()));
    EXPECT_TRUE(read.IsSameValue(result.date));
}

TEST(DateBuild, StartPageFollowsTheKind)
{
    EXPECT_EQ(StartPageForKind(DATE_EMPTY), DPI_DATE);
    EXPECT_EQ(StartPageForKind(DATE_SIMPLE), DPI_DATE);
    EXPECT_EQ(StartPageForKind(DATE_APPROXIMATE), DPI_DATE);
    EXPECT_EQ(StartPageForKind(DATE_PERIOD), DPI_PERIOD);
    EXPECT_EQ(StartPageForKind(DATE_RANGE), DPI_RANGE);
    EXPECT_EQ(StartPageForKind(DATE_INTERPRETED), DPI_PHRASE);
    EXPECT_EQ(StartPageForKind(DATE_PHRASE), DPI_PHRASE);
}

TEST(AgeEntry, ReadsTheBoxesAndRefusesWhatAnAgeCannotHold)
{
    struct Row {
        const char* name;
        AgeEntryInput input;
        AgeEntryError error;
        const char* text; // the age's typing text when accepted
    };
    const Row rows[] = {
        {"infant ignores the boxes", {AGE_INFANT, "12", "", ""}, AgeEntryError::None, "Infant"},
        {"older with days only", {AGE_MORE_THAN, "", "", "3"}, AgeEntryError::None, ">3d"},
        {"nothing given", {AGE_EXACT, "", "", ""}, AgeEntryError::NothingGiven, ""},
        {"zero years", {AGE_EXACT, "0", "", ""}, AgeEntryError::None, "0y"},
        {"all three", {AGE_LESS_THAN, "5", "11", "30"}, AgeEntryError::None, "<5y 11m 30d"},
        {"largest", {AGE_EXACT, "999", "99", "999"}, AgeEntryError::None, "999y 99m 999d"},
        {"years too many", {AGE_EXACT, "1000", "", ""}, AgeEntryError::YearsRange, ""},
        {"300 months", {AGE_EXACT, "", "300", ""}, AgeEntryError::MonthsRange, ""},
        {"99999 days", {AGE_EXACT, "", "", "99999"}, AgeEntryError::DaysRange, ""},
        {"no number", {AGE_EXACT, "1a", "", ""}, AgeEntryError::YearsRange, ""},
        {"leading blanks", {AGE_EXACT, "  7", "", ""}, AgeEntryError::None, "7y"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CAgeValue age;
        EXPECT_EQ(ReadAgeEntry(row.input, age), row.error);
        if (row.error == AgeEntryError::None) {
            EXPECT_EQ(AgeValueText(age), row.text);
        }
    }
    EXPECT_EQ(AgeEntryMessage(AgeEntryError::NothingGiven),
              "You must specify a value for at least one of 'Years', 'Months' and 'Days'.");
    EXPECT_EQ(AgeEntryErrorControl(AgeEntryError::NothingGiven), IDC_AGE_YEARS);
    EXPECT_EQ(AgeEntryErrorControl(AgeEntryError::MonthsRange), IDC_AGE_MONTHS);
    EXPECT_EQ(AgeKindButton(AGE_INFANT), IDC_AGE_INFANT);
    EXPECT_EQ(AgeKindButton(AGE_UNREAD), IDC_AGE_GIVEN);
}

TEST(DataCtlText, LineEndsAndOneLineText)
{
    EXPECT_EQ(ToCrLfLines("a\nb\r\nc"), "a\r\nb\r\nc");
    EXPECT_EQ(ToLfLines("a\r\nb\n\rc\rd\ne"), "a\nb\nc\nd\ne");
    EXPECT_EQ(ToOneLine(std::string("a\r\nb\nc\0d", 9)), "a b cd");
    EXPECT_EQ(ToOneLine("\n\n"), "  ");
    EXPECT_EQ(EnumListRows(3), 3);
    EXPECT_EQ(EnumListRows(40), 12);
}

} // namespace
