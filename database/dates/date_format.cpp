// database/dates/date_format.cpp: the display texts of date values and whole dates, the parts that
// the date qualifiers extract, and the GEDCOM form of one value.
#include "database/dates/date_format.h"

#include "database/dates/date_data.h"
#include "database/dates/date_tables.h"
#include "database/dates/date_value.h"
#include "platform/base/ole_date_time.h"
#include "platform/base/text.h"

#include <charconv>
#include <iterator>

namespace {

constexpr const char* kBlankDate = "____";

/// Appends number in decimal, as "%d" writes it.
void AppendDecimal(std::string& out, int number)
{
    char digits[12];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    out.append(digits, end);
}

/// Appends number in decimal with zeros in front up to width characters, as "%0<width>d" writes
/// it (a minus sign counts in the width).
void AppendPadded(std::string& out, int number, int width)
{
    char digits[12];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    const char* first = digits;
    if (number < 0) {
        out += '-';
        ++first;
        --width;
    }
    if (const auto length = int(end - first); length < width)
        out.append(std::size_t(width - length), '0');
    out.append(first, std::size_t(end - first));
}

void AppendCalendarPrefix(std::string& out, int calendar)
{
    if (calendar == CALENDAR_GREGORIAN)
        return;
    const char* name = GetCalendarName(calendar);
    out += '[';
    out += name ? name : "Unknown";
    out += "] ";
}

/// Styles long and short: "5 June 1700", "5 Jun 1699/00".
void AppendWordText(std::string& out, const CDateValue& v, int style)
{
    if (v.GetDay() != 0) {
        AppendDecimal(out, v.GetDay());
        out += ' ';
    }
    const bool gregorian = v.GetCalendar() == CALENDAR_GREGORIAN;
    const char* month = style == DATE_STYLE_SHORT && gregorian
                            ? GetShortMonthName(v.GetMonth())
                            : GetMonthName(v.GetMonth(), v.GetCalendar());
    if (month) {
        out += month;
        out += ' ';
    }
    AppendDecimal(out, v.GetYear());
    if (gregorian && v.HasDualYear()) {
        out += '/';
        AppendPadded(out, v.GetDualYear(), 2);
    }
}

/// Style numeric: day, month and year in the locale's order; the year alone without a month.
void AppendNumericText(std::string& out, const CDateValue& v, const CDateLocale& locale)
{
    const auto appendYear = [&] {
        AppendPadded(out, v.GetYear(), 4);
        if (v.GetCalendar() == CALENDAR_GREGORIAN && v.HasDualYear()) {
            out += "(/";
            AppendPadded(out, v.GetDualYear(), 2);
            out += ')';
        }
    };
    if (v.GetMonth() == 0) {
        appendYear();
        return;
    }
    const char sep = locale.dateSeparator;
    const bool hasDay = v.GetDay() != 0;
    switch (locale.order) {
    case DATE_ORDER_YMD:
        appendYear();
        out += sep;
        AppendDecimal(out, v.GetMonth());
        if (hasDay) {
            out += sep;
            AppendDecimal(out, v.GetDay());
        }
        return;
    case DATE_ORDER_DMY:
        if (hasDay) {
            AppendDecimal(out, v.GetDay());
            out += sep;
        }
        AppendDecimal(out, v.GetMonth());
        out += sep;
        appendYear();
        return;
    default:
        AppendDecimal(out, v.GetMonth());
        out += sep;
        if (hasDay) {
            AppendDecimal(out, v.GetDay());
            out += sep;
        }
        appendYear();
        return;
    }
}

// The columns of the display table: LONG, COMPACT and ABBREV; ABBREV2 to ABBREV4 (and every
// code not in the table); the two bounds; the type name.
enum class Column { Full, Abbrev, XDate1, XDate2, Type };

Column ColumnOf(int code)
{
    switch (code) {
    case DF_LONG:
    case DF_COMPACT:
    case DF_ABBREV:
        return Column::Full;
    case DF_XDATE1:
        return Column::XDate1;
    case DF_XDATE2:
        return Column::XDate2;
    case DF_XDATETYPE:
        return Column::Type;
    default:
        return Column::Abbrev;
    }
}

/// The style of the value of a simple, approximate or interpreted date.
int SingleStyle(int code)
{
    switch (code) {
    case DF_LONG:
        return DATE_STYLE_LONG;
    case DF_ABBREV3:
        return DATE_STYLE_NUMERIC;
    case DF_ABBREV4:
        return DATE_STYLE_YEAR;
    default:
        return DATE_STYLE_SHORT;
    }
}

/// The style of the values of a period or range.
int SpanStyle(int code)
{
    return code == DF_LONG      ? DATE_STYLE_LONG
           : code == DF_COMPACT ? DATE_STYLE_SHORT
                                : DATE_STYLE_YEAR;
}

const char* ApproximateSuffix(DateQualifier qualifier, bool longForm)
{
    switch (qualifier) {
    case DQ_CAL:
        return longForm ? " (calculated)" : " (cal)";
    case DQ_EST:
        return longForm ? " (estimated)" : " (est)";
    default:
        return longForm ? " (approx.)" : " (app)";
    }
}

const char* ApproximateTypeName(DateQualifier qualifier)
{
    return qualifier == DQ_CAL ? "Calculated" : qualifier == DQ_EST ? "Estimated" : "Approx";
}

/// Simple, approximate and interpreted dates: one value and what qualifies it.
std::string SingleText(const CDateData& date, int code, const CDateLocale& locale)
{
    const CDateValue& v = date.GetFirstValue();
    std::string value = v.Format(SingleStyle(code), locale);
    const DateKind kind = date.GetKind();
    switch (ColumnOf(code)) {
    case Column::XDate1:
    case Column::XDate2:
        return v.Format(DATE_STYLE_SHORT, locale);
    case Column::Type:
        return kind == DATE_SIMPLE        ? "Date"
               : kind == DATE_INTERPRETED ? "Interpreted Phrase"
                                          : ApproximateTypeName(date.GetQualifier());
    case Column::Abbrev:
        if (kind != DATE_SIMPLE)
            value += '?';
        return value;
    case Column::Full:
        break;
    }
    if (kind == DATE_SIMPLE)
        return value;
    if (kind == DATE_APPROXIMATE) {
        value += ApproximateSuffix(date.GetQualifier(), code == DF_LONG);
    } else if (code == DF_ABBREV) {
        value += " (int)";
    } else {
        const std::string* phrase = date.GetPhrase();
        value += " (\"";
        if (phrase)
            value += *phrase;
        value += "\")";
    }
    return value;
}

/// The words of a period or range: LONG, COMPACT and ABBREV, and the type name.
struct SpanWords {
    const char* longOpen;
    const char* shortOpen;
    const char* join;
    const char* typeName;
};

SpanWords WordsOf(DateQualifier qualifier)
{
    switch (qualifier) {
    case DQ_FROM:
        return {"From ", "Frm ", "", "From"};
    case DQ_TO:
        return {"To ", "To ", "", "To"};
    case DQ_FROM_TO:
        return {"From ", "Frm ", " To ", "From/To"};
    case DQ_AFT:
        return {"After ", "Aft ", "", "After"};
    case DQ_BEF:
        return {"Before ", "Bef ", "", "Before"};
    default:
        return {"Between ", "Btw ", " and ", "Between"};
    }
}

/// Periods and ranges in the ABBREV2 to ABBREV4 column.
std::string SpanAbbrevText(const CDateData& date, int code, const std::string& v,
                           const std::string& w)
{
    const std::string blank = code == DF_ABBREV2 ? kBlankDate : "";
    switch (date.GetQualifier()) {
    case DQ_FROM:
        return v + "-" + blank;
    case DQ_TO:
        return blank + "-" + v;
    case DQ_AFT:
        return "Aft " + v;
    case DQ_BEF:
        return "Bef " + v;
    default: {
        const CDateValue* second = date.GetSecondValue();
        const CDateValue& first = date.GetFirstValue();
        const bool yearDiffers =
            second && (second->GetYear() != first.GetYear() || second->IsBC() != first.IsBC());
        return yearDiffers ? v + "-" + w : v;
    }
    }
}

/// Periods and ranges: V the first value, W the second.
std::string SpanText(const CDateData& date, int code, const CDateLocale& locale)
{
    const DateQualifier qualifier = date.GetQualifier();
    const CDateValue* second = date.GetSecondValue();
    const SpanWords words = WordsOf(qualifier);
    switch (ColumnOf(code)) {
    case Column::XDate1:
    case Column::XDate2: {
        const CDateValue* bound =
            ColumnOf(code) == Column::XDate1 ? date.GetStartValue() : date.GetEndValue();
        return bound ? bound->Format(DATE_STYLE_SHORT, locale) : std::string();
    }
    case Column::Type:
        return words.typeName;
    case Column::Abbrev:
        break;
    case Column::Full: {
        const int style = SpanStyle(code);
        std::string out = code == DF_LONG ? words.longOpen : words.shortOpen;
        out += date.GetFirstValue().Format(style, locale);
        if (second) {
            out += words.join;
            out += second->Format(style, locale);
        }
        return out;
    }
    }
    const int style = SpanStyle(code);
    const std::string w = second ? second->Format(style, locale) : std::string();
    return SpanAbbrevText(date, code, date.GetFirstValue().Format(style, locale), w);
}

/// Date phrases and empty dates.
std::string UndatedText(const CDateData& date, int code)
{
    const bool phrase = date.GetKind() == DATE_PHRASE;
    switch (ColumnOf(code)) {
    case Column::Abbrev:
        return code == DF_ABBREV2 ? kBlankDate : "";
    case Column::Type:
        return phrase ? "Phrase" : "";
    case Column::Full:
        if (phrase && code != DF_ABBREV) {
            const std::string* text = date.GetPhrase();
            return "\"" + (text ? *text : std::string()) + "\"";
        }
        return {};
    default:
        return {};
    }
}

std::string MonthAndDayText(const CDateValue& v, const CDateLocale& locale)
{
    const std::string month = v.GetMonth() != 0 ? text::Format("%d", v.GetMonth()) : "?";
    const std::string day = v.GetDay() != 0 ? text::Format("%d", v.GetDay()) : "?";
    const std::string sep(1, locale.dateSeparator);
    return locale.order == DATE_ORDER_DMY ? day + sep + month : month + sep + day;
}

} // namespace

std::string CDateValue::Format(int style, const CDateLocale& locale) const
{
    if (!IsValid())
        return {};
    std::string out;
    if (style == DATE_STYLE_YEAR) {
        AppendPadded(out, GetYear(), 4);
    } else {
        AppendCalendarPrefix(out, GetCalendar());
        if (style == DATE_STYLE_NUMERIC)
            AppendNumericText(out, *this, locale);
        else
            AppendWordText(out, *this, style);
    }
    if (IsBC())
        out += " B.C.";
    return out;
}

std::string CDateData::FormatText(int code, const CDateLocale& locale) const
{
    if (code == DF_DEFAULT)
        code = DF_LONG;
    switch (m_kind) {
    case DATE_SIMPLE:
    case DATE_APPROXIMATE:
    case DATE_INTERPRETED:
        return SingleText(*this, code, locale);
    case DATE_PERIOD:
    case DATE_RANGE:
        return SpanText(*this, code, locale);
    default:
        return UndatedText(*this, code);
    }
}

std::string CDateData::GetQualifiedText(int code, const CDateLocale& locale) const
{
    if (code == DF_DEFAULT || (code >= DF_LONG && code <= DF_XDATETYPE))
        return FormatText(code, locale);
    const CDateValue* v = GetSimpleValue();
    if (!v)
        return {};
    switch (code) {
    case DF_DAY:
        return text::Format("%d", v->GetDay());
    case DF_MONTH_NUMBER:
        return text::Format("%d", v->GetMonth());
    case DF_MONTH_NAME: {
        const char* name = GetMonthName(v->GetMonth(), v->GetCalendar());
        return name ? name : "";
    }
    case DF_MONTH_AND_DAY:
        return MonthAndDayText(*v, locale);
    case DF_YEAR:
        return text::Format("%d", v->GetYear());
    default:
        return {};
    }
}

bool CDateData::SupportsFormat(int code) const
{
    const CDateValue* v = GetSimpleValue();
    switch (code) {
    case DF_DAY:
        return v && v->GetDay() != 0;
    case DF_MONTH_NUMBER:
    case DF_MONTH_NAME:
    case DF_MONTH_AND_DAY:
        return v && v->GetMonth() != 0;
    case DF_YEAR:
        return v && v->GetYear() != 0;
    case DF_LONG:
    case DF_COMPACT:
    case DF_ABBREV2:
    case DF_XDATETYPE:
        return !IsEmpty();
    case DF_ABBREV:
    case DF_ABBREV3:
    case DF_ABBREV4:
        return !IsEmpty() && m_kind != DATE_PHRASE;
    case DF_XDATE1:
        return GetStartValue() != nullptr;
    case DF_XDATE2:
        return GetEndValue() != nullptr;
    default:
        return false;
    }
}

void WriteDateValue(const CDateValue& value, std::string& out)
{
    const int calendar = value.GetCalendar();
    if (calendar != CALENDAR_GREGORIAN && calendar <= CALENDAR_FRENCH) {
        out += GetCalendarEscape(calendar);
        out += ' ';
    }
    if (value.GetDay() != 0) {
        AppendDecimal(out, value.GetDay());
        out += ' ';
    }
    if (const char* code = GetMonthCode(value.GetMonth(), calendar)) {
        out += code;
        out += ' ';
    }
    AppendDecimal(out, value.GetYear());
    if (calendar != CALENDAR_GREGORIAN)
        return;
    if (value.HasDualYear()) {
        out += value.GetDualYear() < 10 ? "/0" : "/";
        AppendDecimal(out, value.GetDualYear());
    }
    if (value.IsBC())
        out += " B.C.";
}

void AppendShortDateText(std::string& out, const CDateData& date, const CDateValue& value,
                         bool start)
{
    const DateKind kind = date.GetKind();
    if (kind == DATE_PERIOD || kind == DATE_RANGE) {
        switch (date.GetQualifier()) {
        case DQ_FROM:
            out += "frm";
            break;
        case DQ_TO:
            out += "to";
            break;
        case DQ_FROM_TO:
            out += start ? "frm" : "to";
            break;
        case DQ_AFT:
            out += "aft";
            break;
        case DQ_BEF:
            out += "bef";
            break;
        default:
            out += start ? "aft" : "bef";
            break;
        }
    }
    AppendDecimal(out, value.GetYear());
    if (kind != DATE_SIMPLE && kind != DATE_PERIOD && kind != DATE_RANGE)
        out += '?';
}

std::string GetShortDateText(const CDateData& date, const CDateValue& value, bool start)
{
    std::string out;
    AppendShortDateText(out, date, value, start);
    return out;
}

const char* GetBlankDateText()
{
    return kBlankDate;
}

std::string FormatDateText(const COleDateTime& date, int code, const CDateLocale& locale)
{
    if (code == -1)
        return FormatOleDateTime(date, locale);
    CDateData simple;
    simple.SetFromOleDate(date);
    return simple.FormatText(code, locale);
}

std::string FormatOleDateTime(const COleDateTime& date, const CDateLocale& locale)
{
    if (date.GetStatus() != COleDateTime::valid)
        return {};
    return CDateValue(date).Format(DATE_STYLE_NUMERIC, locale) +
           text::Format(" %02d%c%02d", date.GetHour(), locale.timeSeparator, date.GetMinute());
}
