// database/dates/date_node.h: a DATE field: a GEDCOM date held in parsed form, shown, typed,
// compared, matched and written back.
#pragma once

#include "database/dates/date_data.h"
#include "database/dates/date_options.h"
#include "database/nodes/data_node.h"

#include <optional>
#include <string>
#include <string_view>

class COleDateTime;

/// Reads the date conventions of the user's locale; the program does so once at start-up, and
/// every date field shows and reads numeric dates by them from then on.
void InitDateLocale();
/// The conventions read last; month-day-year with "/" and ":" until InitDateLocale runs.
const CDateLocale& GetDateLocale();
/// Answers whether a date control shows dates in their compact form; the window layer installs
/// it. Without one every date control shows the LONG form.
using CompactModeQuery = bool (*)(CDataCtl& control);
void SetDateControlCompactModeQuery(CompactModeQuery query);
/// What the date grammars need besides the text: the numeric-date preferences and the locale.
CDateParseOptions GetDateParseOptions();

/// A DATE field (run-time class "CDateNode"). It holds the date parsed; a text that no grammar
/// reads is held as a date phrase, so nothing read from a file or typed is ever lost, and it is
/// written back as a phrase.
class CDateNode : public CDataNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// Shows the date in the control, selects it, then shows and focuses the control.
    CDataCtl* ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner, DWORD style,
                            UINT id, DWORD flags) override;
    /// Save: reads the control's text in the typing grammar and takes the date when it differs
    /// from the stored one, marking the node changed and with notify announcing it; false, with
    /// the date as it was, when the control cannot be read. Load: shows the LONG text, or the
    /// COMPACT text when the control is in its compact mode.
    bool UpdateFromControl(CDataCtl* control, bool save, bool notify) override;
    bool IsEmpty() const override { return m_date.IsEmpty(); }
    /// The LONG text (never with a label).
    bool GetText(std::string& text, int withLabel) const override;
    /// Codes 0, 6 and 7 to 14 give the display text cut to the buffer; codes 1 to 5 and 30 to
    /// 32 give the part or the age only when it fits. Every other code gives nothing.
    int GetTextBuf(char* buffer, int size, int format) const override;
    /// Reads the value of a DATE line ("@@" being one "@") in the GEDCOM grammar; a value it
    /// cannot read becomes a date phrase. Always true.
    bool SetText(std::string_view text) override;
    /// From another date node; marks the node changed.
    CDataNode* CopyValueFrom(const CDataNode* other) override;
    /// The sort order of dates under a format code; against a node of another class, and for
    /// XDATETYPE and two undated fields, the display texts.
    int Compare(const CDataNode* other, int format) const override;
    /// Whether the date has a value under a date qualifier (1 to 14, and the ages 30 to 32).
    bool SupportsQualifier(int qualifier) const override;
    bool IsEqual(const CDataNode* other, const void* options) const override;
    bool MatchDate(int qualifier, int op, const CDateValue& value) const override;
    /// The simple value's month and day against month and day (3 equal, 4 later in the year, 5
    /// earlier); false for a date without a valid simple value, month and day.
    bool MatchMonthDay(int qualifier, int op, int month, int day) const override;
    /// "2 DATE ABT 1700", "2 DATE INT 1700 (about then)", "2 DATE (phrase)", then the
    /// children; an empty date writes nothing.
    bool WriteGedcom(int level, std::string& line) const override;

    /// The display text in a format code, after the label and ": " when asked.
    std::string FormatText(bool withLabel, int format) const;
    /// Replaces the date by the text read in the GEDCOM or the typing grammar. Text no grammar
    /// reads becomes a phrase, or with refuseUnparsed leaves the date empty and answers false.
    bool SetFromText(std::string_view text, bool gedcomMode, bool refuseUnparsed);
    /// A simple date holding a copy of the value; empty for none or an invalid value.
    void SetSimpleDate(const CDateValue* value);
    /// A simple Gregorian date from the framework date's year, month and day.
    void SetFromOleDate(const COleDateTime& date);
    void Clear() { m_date.Clear(); }
    /// Takes the other's date, leaving the other empty.
    void MoveFrom(CDateNode& other);
    bool IsSameValue(const CDateNode& other) const { return m_date.IsSameValue(other.m_date); }

    const CDateData& GetDate() const { return m_date; }
    DateKind GetKind() const { return m_date.GetKind(); }
    DateQualifier GetQualifier() const { return m_date.GetQualifier(); }
    const CDateValue& GetFirstValue() const { return m_date.GetFirstValue(); }
    const CDateValue* GetSecondValue() const { return m_date.GetSecondValue(); }
    const std::string* GetPhrase() const { return m_date.GetPhrase(); }
    const CDateValue* GetSimpleValue() const { return m_date.GetSimpleValue(); }
    const CDateValue* GetStartValue() const { return m_date.GetStartValue(); }
    const CDateValue* GetEndValue() const { return m_date.GetEndValue(); }
    const CDateValue* GetLatestValue() const { return m_date.GetLatestValue(); }
    bool GetYearsRange(const CDateNode& other, int& least, int& greatest) const
    {
        return m_date.GetYearsRange(other.m_date, least, greatest);
    }
    int ClassifyCloseness(const CDateNode& other, int same, int nearby, int medium, int far) const
    {
        return m_date.ClassifyCloseness(other.m_date, same, nearby, medium, far);
    }

private:
    /// The text of GetText: a display form, a part, or an age; empty when there is none.
    std::string QualifiedText(int format) const;
    /// The completed years from the birth date that an age code (30 to 32) names to this
    /// date's simple value; none when either is missing.
    std::optional<int> AgeAt(int code) const;

    CDateData m_date;
};

/// The DATE field of the individual's first non-empty BIRT when that DATE is not empty; null
/// otherwise.
const CDateNode* FindBirthDate(const CDataNode* individual);

/// The birth date an age code refers to, seen from node: code 30 (AGE_AT) the birth date of
/// the individual the node belongs to; 31 and 32 that of the individual that the first HUSB or
/// WIFE link of the node's family points at. Null when any step is missing.
const CDateNode* FindBirthDateForAge(const CDataNode* node, int code);

/// The completed years (YearsBetween) from the birth date that code names (as above) to value;
/// false when the birth date or its simple value is missing.
bool ComputeAgeAt(const CDataNode* node, const CDateValue& value, int code, int& years);
