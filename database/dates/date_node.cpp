// database/dates/date_node.cpp: a DATE field: a GEDCOM date held in parsed form, shown, typed,
// compared, matched and written back.
#include "database/dates/date_node.h"

#include "common/abort.h"
#include "common/gedcom_value.h"
#include "common/preferences.h"
#include "database/dates/date_parse.h"
#include "database/dictionary/qualifier_table.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_control_access.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"

#include <cstdint>
#include <cstring>

static_assert(sizeof(CDateNode) <= 56, "a date field is one of the most common nodes");

namespace {

CDateLocale g_locale;
CompactModeQuery g_compactModeQuery = nullptr;

bool IsAgeCode(int code)
{
    return code == DF_AGE_AT || code == DF_HUSBAND_AGE_AT || code == DF_WIFE_AGE_AT;
}

bool IsDisplayCode(int code)
{
    return code < 1 || (code >= DF_LONG && code <= DF_XDATETYPE);
}

/// text cut to size - 1 bytes without cutting a character, terminated; the length copied.
int CutToBuffer(const std::string& text, char* buffer, int size)
{
    const std::size_t length = text::Utf8Boundary(text, std::size_t(size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return int(length);
}

/// The date of a DATE value in the GEDCOM grammar ("@@" being one "@"), or the phrase of one it
/// cannot read. Out of line: the string it may fill would cost every date SetText reads the
/// frame that frees it.
[[gnu::noinline]] void ReadGedcomText(CDateData& date, std::string_view text)
{
    std::string unescaped;
    if (text.find('@') != std::string_view::npos) {
        AppendGedcomValue(unescaped, text);
        text = unescaped;
    }
    date.SetFromText(text, true, false, GetDateParseOptions());
}

} // namespace

void InitDateLocale()
{
    g_locale = ReadDateLocale();
}

const CDateLocale& GetDateLocale()
{
    return g_locale;
}

void SetDateControlCompactModeQuery(CompactModeQuery query)
{
    g_compactModeQuery = query;
}

CDateParseOptions GetDateParseOptions()
{
    const Preferences& prefs = Prefs();
    CDateParseOptions options;
    options.prefs.allowNumericDates = prefs.m_allowNumericDates;
    options.prefs.numericDateFormat = prefs.m_numericDateFormat;
    options.prefs.numericDateSeparator = prefs.m_numericDateSeparator;
    options.locale = g_locale;
    return options;
}

const CRuntimeClass* CDateNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CDateNode>();
}

CDataCtl* CDateNode::ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                   DWORD style, UINT id, DWORD flags)
{
    return PresentControl(*this, CDataNode::ShowInControl(parent, rect, owner, style, id, flags),
                          false, ControlSelection::All);
}

bool CDateNode::UpdateFromControl(CDataCtl* control, bool save, bool notify)
{
    IDataControlAccess* access = GetDataControlAccess();
    if (!control || !access)
        return false;
    if (!save) {
        const bool compact = g_compactModeQuery && g_compactModeQuery(*control);
        access->SetText(*control, FormatText(false, compact ? DF_COMPACT : DF_LONG));
        return true;
    }
    std::string text;
    try {
        if (!access->GetText(*control, text))
            return false;
    } catch (...) {
        EndAbandonedOperation();
        return false;
    }
    CDateData typed;
    typed.SetFromText(text, false, false, GetDateParseOptions());
    if (!typed.IsSameValue(m_date)) {
        m_date = std::move(typed);
        MarkChanged(this);
        if (notify)
            NotifyChanges();
    }
    return true;
}

bool CDateNode::GetText(std::string& text, int) const
{
    text = FormatText(false, DF_LONG);
    return true;
}

int CDateNode::GetTextBuf(char* buffer, int size, int format) const
{
    if (!buffer || size < 1)
        return 0;
    buffer[0] = '\0';
    const std::string text = QualifiedText(format);
    if (IsDisplayCode(format))
        return CutToBuffer(text, buffer, size);
    if (text.size() >= std::size_t(size))
        return 0;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return int(text.size());
}

bool CDateNode::SetText(std::string_view text)
{
    // Most dates of a file take a common form ("1831", "24 MAY 1819", "ABT    1850"), read
    // where it stands: with no "@" to undo and no settings to fetch.
    if (!ReadCommonGedcomDate(text, m_date))
        ReadGedcomText(m_date, text);
    return true;
}

CDataNode* CDateNode::CopyValueFrom(const CDataNode* other)
{
    const auto* date = dynamic_cast<const CDateNode*>(other);
    if (!date || date == this)
        return this;
    m_date = date->m_date;
    MarkChanged(this);
    return this;
}

int CDateNode::Compare(const CDataNode* other, int format) const
{
    const auto* date = dynamic_cast<const CDateNode*>(other);
    if (!date || format == DF_XDATETYPE)
        return CDataNode::Compare(other, format);
    if (IsAgeCode(format))
        return CompareAgesAt(m_date, AgeAt(format), date->m_date, date->AgeAt(format));
    if (const std::optional<int> order = m_date.Compare(date->m_date, format))
        return *order;
    return CDataNode::Compare(other, format);
}

bool CDateNode::SupportsQualifier(int qualifier) const
{
    if (!IsAgeCode(qualifier))
        return m_date.SupportsFormat(qualifier);
    const CDateNode* birth = FindBirthDateForAge(this, qualifier);
    return m_date.GetSimpleValue() && birth && birth->GetSimpleValue();
}

bool CDateNode::IsEqual(const CDataNode* other, const void*) const
{
    const auto* date = dynamic_cast<const CDateNode*>(other);
    return date && IsSameValue(*date);
}

bool CDateNode::MatchDate(int qualifier, int op, const CDateValue& value) const
{
    return m_date.MatchDate(qualifier, op, value);
}

bool CDateNode::MatchMonthDay(int, int op, int month, int day) const
{
    const CDateValue* date = m_date.GetSimpleValue();
    if (!date || !date->IsValid() || date->GetMonth() == 0 || date->GetDay() == 0)
        return false;
    // A value read from a file may hold any month and day, so the order is taken in 64 bits.
    const std::int64_t order =
        (date->GetMonth() * std::int64_t(100) + date->GetDay()) - (month * std::int64_t(100) + day);
    return op == COND_EQUAL     ? order == 0
           : op == COND_GREATER ? order > 0
           : op == COND_LESS    ? order < 0
                                : false;
}

bool CDateNode::WriteGedcom(int level, std::string& line) const
{
    const CFieldDef* def = GetFieldDef();
    if (IsEmpty() || !def)
        return true;
    line.assign(1, ' ');
    m_date.AppendGedcomLineText(line);
    const std::optional<std::string> value = m_date.GetGedcomValueText();
    if (!WriteGedcomTagLine(level, def->GetGedcomTag(), line,
                            value ? std::string_view(*value) : std::string_view()))
        return false;
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!child->WriteGedcom(level + 1, line))
            return false;
    }
    return true;
}

std::string CDateNode::FormatText(bool withLabel, int format) const
{
    std::string text;
    if (withLabel && GetFieldDef())
        text = GetFieldDef()->GetLabel() + ": ";
    return text + m_date.FormatText(format, g_locale);
}

bool CDateNode::SetFromText(std::string_view text, bool gedcomMode, bool refuseUnparsed)
{
    return m_date.SetFromText(text, gedcomMode, refuseUnparsed, GetDateParseOptions());
}

void CDateNode::SetSimpleDate(const CDateValue* value)
{
    m_date.Clear();
    if (value)
        m_date.SetSimpleDate(*value);
}

void CDateNode::SetFromOleDate(const COleDateTime& date)
{
    m_date.SetFromOleDate(date);
}

void CDateNode::MoveFrom(CDateNode& other)
{
    if (&other != this)
        m_date = std::move(other.m_date);
}

std::string CDateNode::QualifiedText(int format) const
{
    if (!IsAgeCode(format))
        return m_date.GetQualifiedText(format < 1 ? DF_DEFAULT : format, g_locale);
    const std::optional<int> age = AgeAt(format);
    return age ? std::to_string(*age) : std::string();
}

std::optional<int> CDateNode::AgeAt(int code) const
{
    const CDateValue* value = m_date.GetSimpleValue();
    int years = 0;
    if (!value || !ComputeAgeAt(this, *value, code, years))
        return std::nullopt;
    return years;
}

const CDateNode* FindBirthDate(const CDataNode* individual)
{
    const CDataNode* birth =
        individual ? individual->FindChild(nullptr, FIELD_BIRT, true) : nullptr;
    const CDataNode* date = birth ? birth->FindChild(nullptr, FIELD_DATE, true) : nullptr;
    return dynamic_cast<const CDateNode*>(date);
}

const CDateNode* FindBirthDateForAge(const CDataNode* node, int code)
{
    const CRecordNode* record = node ? node->GetRecord() : nullptr;
    if (!record)
        return nullptr;
    if (code == DF_AGE_AT)
        return record->GetFieldId() == FIELD_INDI ? FindBirthDate(record) : nullptr;
    if (record->GetFieldId() != FIELD_FAM || !IsAgeCode(code))
        return nullptr;
    const int spouse = code == DF_HUSBAND_AGE_AT ? FIELD_HUSB : FIELD_WIFE;
    const CDataNode* link = record->FindChild(nullptr, spouse);
    return link ? FindBirthDate(link->GetLinkTarget()) : nullptr;
}

bool ComputeAgeAt(const CDataNode* node, const CDateValue& value, int code, int& years)
{
    const CDateNode* birth = FindBirthDateForAge(node, code);
    const std::optional<int> age = birth ? AgeAt(value, birth->GetDate()) : std::nullopt;
    if (!age)
        return false;
    years = *age;
    return true;
}
