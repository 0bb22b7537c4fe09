// database/dates/date_data.h: a whole GEDCOM date in parsed form (kind, qualifier, one or two
// values or a phrase), the value a date field holds.
#pragma once

#include "database/dates/date_options.h"
#include "database/dates/date_value.h"
#include "platform/base/types.h"

#include <optional>
#include <string>
#include <string_view>

class COleDateTime;

enum DateKind : BYTE {
    DATE_EMPTY = 0,
    DATE_SIMPLE = 1,
    DATE_PERIOD = 2,
    DATE_RANGE = 3,
    DATE_APPROXIMATE = 4,
    DATE_INTERPRETED = 5,
    DATE_PHRASE = 6,
};

enum DateQualifier : BYTE {
    DQ_NONE = 0,
    DQ_FROM = 1,
    DQ_TO = 2,
    DQ_FROM_TO = 3,
    DQ_AFT = 4,
    DQ_BEF = 5,
    DQ_BET_AND = 6,
    DQ_ABT = 7,
    DQ_CAL = 8,
    DQ_EST = 9,
};

/// The format codes of date texts, sorting and qualifiers (the date qualifier ids). 0 is LONG.
enum DateFormatCode : int {
    DF_DEFAULT = 0,
    DF_DAY = 1,
    DF_MONTH_NUMBER = 2,
    DF_MONTH_NAME = 3,
    DF_MONTH_AND_DAY = 4,
    DF_YEAR = 5,
    DF_LONG = 6,
    DF_COMPACT = 7,
    DF_ABBREV = 8,
    DF_ABBREV2 = 9,
    DF_ABBREV3 = 10,
    DF_ABBREV4 = 11,
    DF_XDATE1 = 12,
    DF_XDATE2 = 13,
    DF_XDATETYPE = 14,
    DF_AGE_AT = 30,
    DF_HUSBAND_AGE_AT = 31,
    DF_WIFE_AGE_AT = 32,
};

/// A date value type. Its kind and qualifier are always one of the valid pairs (IsValidPair);
/// periods and ranges may own a second value (the TO or AND value), interpreted dates and
/// phrases a phrase. Every dated kind holds a valid first value. Copies are deep.
class CDateData {
public:
    CDateData() = default;
    CDateData(const CDateData& other);
    CDateData(CDateData&& other) noexcept;
    CDateData& operator=(const CDateData& other);
    CDateData& operator=(CDateData&& other) noexcept;
    ~CDateData();

    /// Whether kind and qualifier make a date: 0/0, 1/0, 2/1-3, 3/4-6, 4/7-9, 5/0, 6/0.
    static bool IsValidPair(int kind, int qualifier);

    // Filling. Each replaces the whole date.
    void Clear();
    /// A simple date holding a copy of value; empty when value is invalid. Inline: a load sets
    /// most dates of the file so.
    void SetSimpleDate(const CDateValue& value)
    {
        if (value.IsValid())
            Fill(DATE_SIMPLE, DQ_NONE, value, nullptr);
        else
            Clear();
    }
    /// A simple Gregorian date from the date's year, month and day; empty when it is not valid.
    void SetFromOleDate(const COleDateTime& date);
    /// A simple, period, range or approximate date; second only for the FROM..TO and BET..AND
    /// qualifiers. False, leaving the date as it was, for an invalid pair or value.
    bool SetDate(DateKind kind, DateQualifier qualifier, const CDateValue& first,
                 const CDateValue* second = nullptr);
    /// An interpreted date: first, with the phrase that explains it. False for an invalid first.
    bool SetInterpreted(const CDateValue& first, std::string_view phrase);
    void SetPhrase(std::string_view phrase);
    /// Parses text (lenient grammar, or the GEDCOM grammar with gedcomMode). When no grammar
    /// reads it, the whole text becomes a date phrase, so nothing typed or read is lost; with
    /// refuseUnparsed the date is left empty instead and the answer is false.
    bool SetFromText(std::string_view text, bool gedcomMode, bool refuseUnparsed,
                     const CDateParseOptions& options);

    // Reading.
    bool IsEmpty() const { return m_kind == DATE_EMPTY; }
    DateKind GetKind() const { return m_kind; }
    DateQualifier GetQualifier() const { return m_qualifier; }
    const CDateValue& GetFirstValue() const { return m_first; }
    /// The TO or AND value of a period or range; null for other kinds and when there is none.
    const CDateValue* GetSecondValue() const;
    /// The phrase of an interpreted date or date phrase; null for other kinds.
    const std::string* GetPhrase() const;
    /// The first value of a simple, approximate or interpreted date; null for other kinds.
    const CDateValue* GetSimpleValue() const;
    /// The earliest bound (XDATE1); null for TO, BEF, phrases and empty dates.
    const CDateValue* GetStartValue() const;
    /// The latest bound (XDATE2); null for FROM, AFT, phrases and empty dates.
    const CDateValue* GetEndValue() const;
    /// The valid second value of a FROM..TO period or BET..AND range, else the valid first
    /// value, else null.
    const CDateValue* GetLatestValue() const;
    /// Same kind, qualifier and values, and phrases equal without regard to case.
    bool IsSameValue(const CDateData& other) const;

    // The GEDCOM form. The line text follows "DATE " on the line as it stands ("ABT 1700",
    // "INT 1700 "); the value text, present for interpreted dates and phrases, is the
    // parenthesised phrase, handed to the line sink as the line's value so that its "@" are
    // doubled. Empty dates write no line at all.
    std::string GetGedcomLineText() const;
    /// Appends GetGedcomLineText to line.
    void AppendGedcomLineText(std::string& line) const;
    std::optional<std::string> GetGedcomValueText() const;

    // Display (date_format.cpp).
    /// The display text in a format (DateFormatCode; 0 is LONG), without the field's label.
    std::string FormatText(int code, const CDateLocale& locale) const;
    /// The text of a date qualifier 0 to 14: a part of the simple value (day, month number,
    /// month name in its calendar, month and day, year) or FormatText. Empty when the date has
    /// no such part, and for the age codes, which need the individual records.
    std::string GetQualifiedText(int code, const CDateLocale& locale) const;
    /// Whether qualifier code 1 to 14 gives this date a value; false for every other code.
    bool SupportsFormat(int code) const;

    // Sorting and queries (date_compare.cpp).
    /// -1, 0 or 1 in the sort order of a format code other than the ages; no value where the
    /// generic field comparison decides (XDATETYPE, and two dates neither of which is dated).
    std::optional<int> Compare(const CDateData& other, int code) const;
    /// The query condition "date op value" (DateMatchOp); with XDATE1 or XDATE2 the bound
    /// alone is matched. False for an invalid value and for other operators.
    bool MatchDate(int code, int op, const CDateValue& value) const;

    // Spans and closeness (date_span.cpp).
    /// The least and greatest completed years from other to this date, allowing for missing
    /// months and days and for either being a span. False unless both have a valid Gregorian
    /// first value.
    bool GetYearsRange(const CDateData& other, int& least, int& greatest) const;
    /// One of same, nearby, medium and far by how close the two dates lie; 0 when either lacks
    /// a valid first value.
    int ClassifyCloseness(const CDateData& other, int same, int nearby, int medium, int far) const;

private:
    bool OwnsValue() const { return m_kind == DATE_PERIOD || m_kind == DATE_RANGE; }
    bool OwnsPhrase() const { return m_kind == DATE_INTERPRETED || m_kind == DATE_PHRASE; }
    void FreeSecond() noexcept;
    void CopySecondFrom(const CDateData& other);
    /// A date in the node pool that holds a second value is one of the pool's owners (see
    /// node_pool.h), so that the value is freed when the whole pool is.
    void KeepSecondOwner() noexcept;
    void DropSecondOwner() noexcept;
    /// Replaces the whole date; ownedSecond becomes the date's (see m_second).
    void Fill(DateKind kind, DateQualifier qualifier, const CDateValue& first, void* ownedSecond)
    {
        if (m_second)
            FreeSecond();
        m_first = first;
        m_kind = kind;
        m_qualifier = qualifier;
        m_second = ownedSecond;
        KeepSecondOwner();
    }

    CDateValue m_first;
    DateKind m_kind = DATE_EMPTY;
    DateQualifier m_qualifier = DQ_NONE;
    /// Owned; what it points to follows from the kind: a CDateValue for periods and ranges, a
    /// std::string for interpreted dates and phrases. Null when there is none.
    void* m_second = nullptr;
};

/// The sort order of the age qualifiers: a date without a simple value first, then one whose
/// age could not be worked out, then by age.
int CompareAgesAt(const CDateData& a, std::optional<int> ageA, const CDateData& b,
                  std::optional<int> ageB);
/// The completed years from birth's simple value to at; none when either is missing or invalid.
std::optional<int> AgeAt(const CDateValue& at, const CDateData& birth);
