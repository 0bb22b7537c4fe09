// database/dates/date_parse.cpp: the strict GEDCOM and the lenient date grammars.
#include "database/dates/date_parse.h"

#include "database/dates/date_data.h"
#include "database/dates/date_tables.h"
#include "database/dates/date_value.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

/// Upper case of the ASCII letters only, so every character keeps its byte position and a
/// phrase can be cut from the original text at the positions found in the copy.
std::string UpperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return upper;
}

std::size_t SkipBlanks(std::string_view s, std::size_t pos)
{
    while (pos < s.size() && IsBlank(s[pos]))
        ++pos;
    return pos;
}

std::size_t SkipBlanksBack(std::string_view s, std::size_t begin, std::size_t end)
{
    while (end > begin && IsBlank(s[end - 1]))
        --end;
    return end;
}

std::string_view TrimBlanks(std::string_view s)
{
    const std::size_t begin = SkipBlanks(s, 0);
    return s.substr(begin, SkipBlanksBack(s, begin, s.size()) - begin);
}

/// The number written by digits when it is at most max.
std::optional<int> ReadNumber(std::string_view digits, int max)
{
    long value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > max)
            return std::nullopt;
    }
    return int(value);
}

// ---- One date value ----

/// Reads a calendar escape (GEDCOM mode) or a typed calendar prefix such as "[J" or
/// "[JULIAN]" (lenient mode) at pos. False for an escape or prefix that names no calendar.
bool ReadCalendar(std::string_view s, std::size_t& pos, bool gedcomMode, int& calendar)
{
    calendar = CALENDAR_GREGORIAN;
    if (pos >= s.size())
        return true;
    if (!gedcomMode && s[pos] == '[') {
        for (int c = CALENDAR_GREGORIAN; c <= CALENDAR_FRENCH; ++c) {
            const std::string_view prefix = GetCalendarPrefixPattern(c);
            if (pos + 1 >= s.size() || s[pos + 1] != prefix[1])
                continue;
            const std::size_t length = MatchDateKeyword(prefix, s, pos);
            if (length == npos)
                return false;
            pos += length;
            calendar = c;
            return true;
        }
        return false;
    }
    if (gedcomMode && s[pos] == '@') {
        for (int c = CALENDAR_GREGORIAN; c <= CALENDAR_FRENCH; ++c) {
            const std::string_view escape = GetCalendarEscape(c);
            if (s.substr(pos, escape.size()) == escape) {
                pos += escape.size();
                calendar = c;
                return true;
            }
        }
        return false;
    }
    return true;
}

/// Removes a trailing "B.C.", "BC." or "BC" from [pos, end); true when there was one.
bool StripBC(std::string_view s, std::size_t pos, std::size_t& end)
{
    for (std::string_view suffix : {"B.C.", "BC.", "BC"}) {
        if (end - pos >= suffix.size() && s.substr(end - suffix.size(), suffix.size()) == suffix) {
            end = SkipBlanksBack(s, pos, end - suffix.size());
            return true;
        }
    }
    return false;
}

/// Removes a trailing "/" and two digits from [pos, end) and stores them as the dual year.
void StripDualYear(std::string_view s, std::size_t pos, std::size_t& end, CDateValue& value)
{
    if (end - pos < 3 || s[end - 3] != '/' || !IsDigit(s[end - 2]) || !IsDigit(s[end - 1]))
        return;
    value.SetDualYear((s[end - 2] - '0') * 10 + (s[end - 1] - '0'));
    end -= 3;
}

/// The month that monthText names: in GEDCOM mode exactly a code of the calendar's table; in
/// lenient mode the first name it abbreviates (letters, "-" and inner blanks, so that a name
/// such as "Adar Sheni" shown by the program can be typed back). 0 when none.
int ReadMonth(std::string_view monthText, int calendar, bool gedcomMode)
{
    if (gedcomMode)
        return FindMonthCode(monthText, calendar);
    if (monthText.empty() || !IsLetter(monthText[0]))
        return 0;
    for (char c : monthText) {
        if (!IsLetter(c) && c != '-' && !IsBlank(c))
            return 0;
    }
    return FindMonthName(monthText, calendar);
}

/// Reads "[day] month" from [pos, end), the text before the year.
bool ReadDayAndMonth(std::string_view s, std::size_t pos, std::size_t end, bool gedcomMode,
                     CDateValue& value)
{
    std::size_t monthStart = pos;
    while (monthStart < end && IsDigit(s[monthStart]))
        ++monthStart;
    const std::string_view dayDigits = s.substr(pos, monthStart - pos);
    monthStart = SkipBlanks(s.substr(0, end), monthStart);
    const std::size_t monthEnd = SkipBlanksBack(s, monthStart, end);
    const int month =
        ReadMonth(s.substr(monthStart, monthEnd - monthStart), value.GetCalendar(), gedcomMode);
    if (month == 0)
        return false;
    value.SetMonth(month);
    if (dayDigits.empty())
        return true;
    const std::optional<int> day =
        ReadNumber(dayDigits, GetMaxDayOfMonth(month, value.GetCalendar()));
    if (!day || *day < 1)
        return false;
    value.SetDay(*day);
    return true;
}

// ---- Whole dates ----

struct PatternRow {
    const char* pattern;
    DateKind kind;
    DateQualifier qualifier;
};

// "#" stands for a date value, "%" for a phrase; the other tokens are keywords.
constexpr PatternRow kGedcomPatterns[] = {
    {"BEF #", DATE_RANGE, DQ_BEF},           {"AFT #", DATE_RANGE, DQ_AFT},
    {"BET # AND #", DATE_RANGE, DQ_BET_AND}, {"FROM # TO #", DATE_PERIOD, DQ_FROM_TO},
    {"FROM #", DATE_PERIOD, DQ_FROM},        {"TO #", DATE_PERIOD, DQ_TO},
    {"ABT #", DATE_APPROXIMATE, DQ_ABT},     {"CAL #", DATE_APPROXIMATE, DQ_CAL},
    {"EST #", DATE_APPROXIMATE, DQ_EST},     {"INT # ( %", DATE_INTERPRETED, DQ_NONE},
    {"( %", DATE_PHRASE, DQ_NONE},           {"#", DATE_SIMPLE, DQ_NONE},
};

constexpr PatternRow kLenientPatterns[] = {
    {"BEF-ORE #", DATE_RANGE, DQ_BEF},
    {"AFT-ER #", DATE_RANGE, DQ_AFT},
    {"BET-WEEN # AND #", DATE_RANGE, DQ_BET_AND},
    {"BTW-EEN # AND #", DATE_RANGE, DQ_BET_AND},
    {"FRM # TO #", DATE_PERIOD, DQ_FROM_TO},
    {"FROM # TO #", DATE_PERIOD, DQ_FROM_TO},
    {"FROM #", DATE_PERIOD, DQ_FROM},
    {"FRM #", DATE_PERIOD, DQ_FROM},
    {"TO #", DATE_PERIOD, DQ_TO},
    {"# (APP-ROX)", DATE_APPROXIMATE, DQ_ABT},
    {"# (APP-ROX.)", DATE_APPROXIMATE, DQ_ABT},
    {"# (APP)", DATE_APPROXIMATE, DQ_ABT},
    {"# APP-ROX", DATE_APPROXIMATE, DQ_ABT},
    {"# (CAL-CULATED)", DATE_APPROXIMATE, DQ_CAL},
    {"# (CAL)", DATE_APPROXIMATE, DQ_CAL},
    {"# CAL-CULATED", DATE_APPROXIMATE, DQ_CAL},
    {"# (EST-IMATED)", DATE_APPROXIMATE, DQ_EST},
    {"# (EST)", DATE_APPROXIMATE, DQ_EST},
    {"# EST-IMATED", DATE_APPROXIMATE, DQ_EST},
    {"# (\" %", DATE_INTERPRETED, DQ_NONE},
    {"# \" %", DATE_INTERPRETED, DQ_NONE},
    {"\" %", DATE_PHRASE, DQ_NONE},
    {"#", DATE_SIMPLE, DQ_NONE},
};

struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
};

/// Where a row's placeholders lie in the text.
struct RowMatch {
    Span first;
    bool firstIsPhrase = false;
    std::optional<Span> second;
    bool secondIsPhrase = false;
};

/// The blank-separated tokens of a pattern (at most four).
struct PatternTokens {
    std::array<std::string_view, 4> token;
    std::size_t size = 0;
};

PatternTokens SplitPattern(std::string_view pattern)
{
    PatternTokens tokens;
    std::size_t pos = 0;
    while (pos < pattern.size() && tokens.size < tokens.token.size()) {
        const std::size_t blank = pattern.find(' ', pos);
        const std::size_t end = blank == npos ? pattern.size() : blank;
        tokens.token[tokens.size++] = pattern.substr(pos, end - pos);
        pos = end + 1;
    }
    return tokens;
}

bool IsPlaceholder(std::string_view token)
{
    return token == "#" || token == "%";
}

/// The first place at or after from where keyword matches, with the matched length.
std::optional<Span> FindKeyword(std::string_view keyword, std::string_view text, std::size_t from)
{
    for (std::size_t at = from; at < text.size(); ++at) {
        const std::size_t length = MatchDateKeyword(keyword, text, at);
        if (length != npos)
            return Span{at, at + length};
    }
    return std::nullopt;
}

/// Matches the keywords of a pattern against the upper-cased text, whose date begins at start.
/// No answer when a keyword is missing, or text other than blanks follows a closing keyword.
std::optional<RowMatch> MatchRow(std::string_view pattern, std::string_view upper,
                                 std::size_t start)
{
    const PatternTokens split = SplitPattern(pattern);
    const auto& tokens = split.token;
    std::size_t index = 0;
    std::size_t searchFrom = start;
    RowMatch match;
    match.first = {start, upper.size()};
    if (!IsPlaceholder(tokens[0])) {
        const std::size_t length = MatchDateKeyword(tokens[0], upper, start);
        if (length == npos)
            return std::nullopt;
        searchFrom = start + length;
        index = 1;
        if (tokens[index] == "#")
            match.first.begin = searchFrom;
    }
    match.firstIsPhrase = tokens[index] == "%";
    if (index + 1 == split.size)
        return match;
    const std::optional<Span> keyword = FindKeyword(tokens[index + 1], upper, searchFrom);
    if (!keyword)
        return std::nullopt;
    match.first.end = keyword->begin;
    if (index + 2 == split.size) {
        if (SkipBlanks(upper, keyword->end) != upper.size())
            return std::nullopt;
        return match;
    }
    match.secondIsPhrase = tokens[index + 2] == "%";
    match.second = Span{match.secondIsPhrase ? keyword->begin : keyword->end, upper.size()};
    return match;
}

/// The phrase in text's span: an opening "(" and a closing ")" are dropped. A GEDCOM phrase is
/// kept exactly as it stands between them, so that it is written back as it was read. A typed
/// phrase also loses the double quotes a user puts around it, and the blanks inside.
std::string ExtractPhrase(std::string_view text, Span span, bool gedcomMode)
{
    std::string_view s = TrimBlanks(text.substr(span.begin, span.end - span.begin));
    const bool parenthesis = !s.empty() && s.front() == '(';
    if (parenthesis)
        s.remove_prefix(1);
    if (parenthesis && !s.empty() && s.back() == ')')
        s.remove_suffix(1);
    if (gedcomMode)
        return std::string(s);
    s = TrimBlanks(s);
    if (!s.empty() && s.front() == '"') {
        s.remove_prefix(1);
        if (!s.empty() && s.back() == '"')
            s.remove_suffix(1);
    }
    return std::string(TrimBlanks(s));
}

/// Parses the values and phrase a row placed and stores them; false when a value fails.
bool StoreRow(CDateData& date, const PatternRow& row, const RowMatch& match, std::string_view text,
              std::string_view upper, bool gedcomMode)
{
    CDateValue first;
    CDateValue second;
    std::string phrase;
    auto valueText = [&](Span span) { return upper.substr(span.begin, span.end - span.begin); };
    if (match.firstIsPhrase)
        phrase = ExtractPhrase(text, match.first, gedcomMode);
    else if (!ParseDateValue(first, valueText(match.first), gedcomMode))
        return false;
    if (match.second && match.secondIsPhrase)
        phrase = ExtractPhrase(text, *match.second, gedcomMode);
    else if (match.second && !ParseDateValue(second, valueText(*match.second), gedcomMode))
        return false;

    if (row.kind == DATE_PHRASE)
        date.SetPhrase(phrase);
    else if (row.kind == DATE_INTERPRETED)
        date.SetInterpreted(first, phrase);
    else
        date.SetDate(row.kind, row.qualifier, first, match.second ? &second : nullptr);
    return true;
}

// ---- Numeric dates ----

/// Reads "[(] n sep n sep n [)]" with blanks allowed between the parts and nothing after.
bool ReadNumericShape(std::string_view s, char separator, int (&numbers)[3])
{
    std::size_t pos = SkipBlanks(s, 0);
    if (pos < s.size() && s[pos] == '(')
        pos = SkipBlanks(s, pos + 1);
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (pos >= s.size() || (s[pos] != '/' && s[pos] != '.' && s[pos] != separator))
                return false;
            pos = SkipBlanks(s, pos + 1);
        }
        const std::size_t begin = pos;
        while (pos < s.size() && IsDigit(s[pos]))
            ++pos;
        if (pos == begin)
            return false;
        numbers[i] = ReadNumber(s.substr(begin, pos - begin), 99999).value_or(100000);
        pos = SkipBlanks(s, pos);
    }
    if (pos < s.size() && s[pos] == ')')
        pos = SkipBlanks(s, pos + 1);
    return pos == s.size();
}

/// A simple Gregorian date from an all-numeric text such as "25/12/1700", in the order and
/// with the separator that the mode's settings give.
bool ParseNumericDate(CDateData& date, std::string_view text, bool gedcomMode,
                      const CDateParseOptions& options)
{
    int order = options.locale.order;
    char separator = options.locale.dateSeparator;
    if (gedcomMode) {
        // In a file, text in parentheses is a date phrase, whatever it looks like.
        if (!options.prefs.allowNumericDates || TrimBlanks(text).starts_with('('))
            return false;
        const int format = options.prefs.numericDateFormat;
        if (format >= DATE_ORDER_MDY && format <= DATE_ORDER_YMD) {
            order = format;
            separator = options.prefs.numericDateSeparator;
        }
    }
    int n[3] = {};
    if (!ReadNumericShape(text, separator, n))
        return false;
    const int day = order == DATE_ORDER_MDY ? n[1] : order == DATE_ORDER_YMD ? n[2] : n[0];
    const int month = order == DATE_ORDER_MDY ? n[0] : n[1];
    const int year = order == DATE_ORDER_YMD ? n[0] : n[2];
    if (month < 1 || month > 12 || day < 1 || day > GetMaxDayOfMonth(month, CALENDAR_GREGORIAN) ||
        year < 1 || year > 9999)
        return false;
    date.SetSimpleDate(CDateValue(year, month, day));
    return true;
}

// ---- The common strict forms ----

/// The keywords a common date may open with, and what they make; BET and FROM may join a
/// second value with AND and TO.
struct QuickQualifier {
    std::string_view keyword;
    DateKind kind;
    DateQualifier qualifier;
};

constexpr QuickQualifier kQuickQualifiers[] = {
    {"ABT ", DATE_APPROXIMATE, DQ_ABT}, {"CAL ", DATE_APPROXIMATE, DQ_CAL},
    {"EST ", DATE_APPROXIMATE, DQ_EST}, {"BEF ", DATE_RANGE, DQ_BEF},
    {"AFT ", DATE_RANGE, DQ_AFT},       {"BET ", DATE_RANGE, DQ_BET_AND},
    {"FROM ", DATE_PERIOD, DQ_FROM},    {"TO ", DATE_PERIOD, DQ_TO},
};

/// Three letters as one number, so that a switch finds a month code in a few comparisons.
constexpr std::uint32_t ThreeLetters(const char* p)
{
    return std::uint32_t(static_cast<unsigned char>(p[0])) << 16 |
           std::uint32_t(static_cast<unsigned char>(p[1])) << 8 | static_cast<unsigned char>(p[2]);
}

/// The Gregorian month whose GEDCOM code is the three characters at p; 0 for none.
int GregorianMonthOfCode(const char* p)
{
    switch (ThreeLetters(p)) {
    case ThreeLetters("JAN"):
        return 1;
    case ThreeLetters("FEB"):
        return 2;
    case ThreeLetters("MAR"):
        return 3;
    case ThreeLetters("APR"):
        return 4;
    case ThreeLetters("MAY"):
        return 5;
    case ThreeLetters("JUN"):
        return 6;
    case ThreeLetters("JUL"):
        return 7;
    case ThreeLetters("AUG"):
        return 8;
    case ThreeLetters("SEP"):
        return 9;
    case ThreeLetters("OCT"):
        return 10;
    case ThreeLetters("NOV"):
        return 11;
    case ThreeLetters("DEC"):
        return 12;
    default:
        return 0;
    }
}

/// The first character at or after p that is not a space (a tab leaves the text to the
/// general grammar).
const char* SkipSpaces(const char* p, const char* end)
{
    while (p < end && *p == ' ')
        ++p;
    return p;
}

/// Reads the digits at p, at most four, into number; the position after them, or null when
/// there are none. A fifth digit is left where it stands, for the caller to refuse.
const char* ReadUpToFourDigits(const char* p, const char* end, int& number)
{
    const char* const last = end - p > 4 ? p + 4 : end;
    const char* q = p;
    number = 0;
    while (q < last) {
        const unsigned digit = unsigned(static_cast<unsigned char>(*q)) - '0';
        if (digit > 9)
            break;
        number = number * 10 + int(digit);
        ++q;
    }
    return q == p ? nullptr : q;
}

/// The Gregorian month whose code and a space stand at p with more after them; 0 for none.
/// Inline, as ReadCommonValue is, where a call would cost each date the registers it saves.
[[gnu::always_inline]] inline int MonthCodeAt(const char* p, const char* end)
{
    return end - p >= 5 && p[3] == ' ' ? GregorianMonthOfCode(p) : 0;
}

/// Reads one value at p as ParseDateValue reads it in the GEDCOM grammar, when it has the form
/// "[day ]MON year[/yy]" or "year[/yy]": a day the month has (digits that the month follows,
/// with or without spaces between), a Gregorian month code and spaces, and a year of one to
/// four digits. The position after the value, which is the end or a space; null for any other
/// text. Inline: a call would cost each date the registers it saves.
[[gnu::always_inline]] inline const char* ReadCommonValue(const char* p, const char* end,
                                                          CDateValue& value)
{
    if (p == end)
        return nullptr;
    int day = 0;
    int month = 0;
    int year = 0;
    if (IsDigit(*p)) {
        if (!(p = ReadUpToFourDigits(p, end, year)))
            return nullptr;
        // Digits that a month code follows, with spaces between or not, are its day.
        const char* const next = SkipSpaces(p, end);
        month = MonthCodeAt(next, end);
        if (month != 0) {
            day = std::exchange(year, 0);
            if (day < 1)
                return nullptr;
            p = next;
        }
    } else {
        month = MonthCodeAt(p, end);
        if (month == 0)
            return nullptr;
    }
    if (month != 0) {
        // Most days fit every month; only a later one asks the table.
        if (day > 28 && day > GetMaxDayOfMonth(month, CALENDAR_GREGORIAN))
            return nullptr;
        if (!(p = ReadUpToFourDigits(SkipSpaces(p + 4, end), end, year)))
            return nullptr;
    }
    value = CDateValue(year, month, day);
    if (p < end && *p == '/') {
        if (end - p < 3 || !IsDigit(p[1]) || !IsDigit(p[2]))
            return nullptr;
        value.SetDualYear((p[1] - '0') * 10 + (p[2] - '0'));
        p += 3;
    }
    return p == end || *p == ' ' ? p : nullptr;
}
} // namespace

bool ReadCommonGedcomDate(std::string_view text, CDateData& date)
{
    const char* const end = text.data() + text.size();
    // Every keyword begins with a letter, so a date that begins with a digit is one value.
    const QuickQualifier* opening = nullptr;
    if (!text.empty() && !IsDigit(text[0])) {
        for (const QuickQualifier& q : kQuickQualifiers) {
            if (text.starts_with(q.keyword)) {
                opening = &q;
                break;
            }
        }
    }
    const char* p = opening ? SkipSpaces(text.data() + opening->keyword.size(), end) : text.data();
    CDateValue first;
    if (!(p = ReadCommonValue(p, end, first)))
        return false;
    if (!opening) {
        if (p != end)
            return false;
        date.SetSimpleDate(first);
        return true;
    }
    if (p == end) {
        return opening->qualifier != DQ_BET_AND &&
               date.SetDate(opening->kind, opening->qualifier, first, nullptr);
    }
    // Only BET and FROM take a second value, joined by AND and TO.
    const std::string_view joining = opening->qualifier == DQ_BET_AND ? "AND "
                                     : opening->qualifier == DQ_FROM  ? "TO "
                                                                      : "";
    p = SkipSpaces(p, end);
    CDateValue second;
    if (joining.empty() || !std::string_view(p, end - p).starts_with(joining) ||
        ReadCommonValue(SkipSpaces(p + joining.size(), end), end, second) != end)
        return false;
    const DateQualifier qualifier = opening->qualifier == DQ_FROM ? DQ_FROM_TO : DQ_BET_AND;
    return date.SetDate(opening->kind, qualifier, first, &second);
}

std::size_t MatchDateKeyword(std::string_view keyword, std::string_view text, std::size_t pos)
{
    const std::size_t dash = keyword.find('-');
    const std::string_view head = keyword.substr(0, dash);
    if (pos > text.size() || text.substr(pos, head.size()) != head)
        return npos;
    std::size_t end = pos + head.size();
    if (dash != npos) {
        for (char c : keyword.substr(dash + 1)) {
            if (end >= text.size() || IsBlank(text[end]))
                break;
            if (text[end] != c)
                return npos;
            ++end;
        }
    }
    if (!keyword.empty() && IsLetter(keyword[0]) && end < text.size() &&
        (IsLetter(text[end]) || IsDigit(text[end])))
        return npos;
    return end - pos;
}

bool ParseDateValue(CDateValue& value, std::string_view text, bool gedcomMode)
{
    value.Reset();
    const std::string upper = UpperAscii(text);
    const std::string_view s = upper;
    std::size_t pos = SkipBlanks(s, 0);
    int calendar = CALENDAR_GREGORIAN;
    if (!ReadCalendar(s, pos, gedcomMode, calendar))
        return false;
    pos = SkipBlanks(s, pos);
    std::size_t end = SkipBlanksBack(s, pos, s.size());
    if (end == pos)
        return false;

    CDateValue result;
    result.SetCalendar(calendar);
    if (calendar == CALENDAR_GREGORIAN) {
        result.SetBC(StripBC(s, pos, end));
        StripDualYear(s, pos, end, result);
    }
    std::size_t yearStart = end;
    while (yearStart > pos && IsDigit(s[yearStart - 1]))
        --yearStart;
    const std::optional<int> year = ReadNumber(s.substr(yearStart, end - yearStart), 9999);
    if (yearStart == end || !year)
        return false;
    result.SetYear(*year);
    if (yearStart > pos && !ReadDayAndMonth(s, pos, yearStart, gedcomMode, result))
        return false;
    result.SetValid(true);
    value = result;
    return true;
}

bool ParseDateText(CDateData& date, std::string_view text, bool gedcomMode,
                   const CDateParseOptions& options)
{
    date.Clear();
    // The common forms first: no text they read has the three numbers of a numeric date.
    if (gedcomMode && ReadCommonGedcomDate(text, date))
        return true;
    if (ParseNumericDate(date, text, gedcomMode, options))
        return true;
    const std::string upper = UpperAscii(text);
    const std::size_t start = SkipBlanks(upper, 0);
    if (start == upper.size() || (!gedcomMode && TrimBlanks(upper) == "<NONE>"))
        return true;
    for (const PatternRow& row : gedcomMode ? std::span<const PatternRow>(kGedcomPatterns)
                                            : std::span<const PatternRow>(kLenientPatterns)) {
        const std::optional<RowMatch> match = MatchRow(row.pattern, upper, start);
        if (!match)
            continue;
        if (StoreRow(date, row, *match, text, upper, gedcomMode))
            return true;
        // Once a row's opening keyword has matched, the text is that row's or none. A row that
        // opens with a value only found its closing keyword somewhere in the text, so the later
        // rows still get their turn (a typed phrase in double quotes is the phrase row's).
        if (!IsPlaceholder(std::string_view(row.pattern).substr(0, 1)))
            return false;
    }
    return false;
}
