// database/dates/date_data.cpp: storage, accessors and the GEDCOM form of a parsed date.
#include "database/dates/date_data.h"

#include "database/dates/date_format.h"
#include "database/dates/date_parse.h"
#include "database/nodes/node_pool.h"
#include "platform/base/ole_date_time.h"
#include "platform/base/text.h"

#include <utility>

CDateData::CDateData(const CDateData& other)
    : m_first(other.m_first), m_kind(other.m_kind), m_qualifier(other.m_qualifier)
{
    CopySecondFrom(other);
}

CDateData::CDateData(CDateData&& other) noexcept
    : m_first(other.m_first), m_kind(other.m_kind), m_qualifier(other.m_qualifier),
      m_second(other.m_second)
{
    other.DropSecondOwner();
    other.m_second = nullptr;
    other.Clear();
    KeepSecondOwner();
}

CDateData& CDateData::operator=(const CDateData& other)
{
    if (this != &other) {
        CDateData copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CDateData& CDateData::operator=(CDateData&& other) noexcept
{
    if (this != &other) {
        FreeSecond();
        m_first = other.m_first;
        m_kind = other.m_kind;
        m_qualifier = other.m_qualifier;
        m_second = other.m_second;
        other.DropSecondOwner();
        other.m_second = nullptr;
        other.Clear();
        KeepSecondOwner();
    }
    return *this;
}

CDateData::~CDateData()
{
    FreeSecond();
}

bool CDateData::IsValidPair(int kind, int qualifier)
{
    switch (kind) {
    case DATE_EMPTY:
    case DATE_SIMPLE:
    case DATE_INTERPRETED:
    case DATE_PHRASE:
        return qualifier == DQ_NONE;
    case DATE_PERIOD:
        return qualifier >= DQ_FROM && qualifier <= DQ_FROM_TO;
    case DATE_RANGE:
        return qualifier >= DQ_AFT && qualifier <= DQ_BET_AND;
    case DATE_APPROXIMATE:
        return qualifier >= DQ_ABT && qualifier <= DQ_EST;
    default:
        return false;
    }
}

void CDateData::Clear()
{
    Fill(DATE_EMPTY, DQ_NONE, CDateValue(), nullptr);
}

void CDateData::SetFromOleDate(const COleDateTime& date)
{
    SetSimpleDate(CDateValue(date));
}

bool CDateData::SetDate(DateKind kind, DateQualifier qualifier, const CDateValue& first,
                        const CDateValue* second)
{
    const bool takesSecond = qualifier == DQ_FROM_TO || qualifier == DQ_BET_AND;
    if (kind == DATE_EMPTY || kind >= DATE_INTERPRETED || !IsValidPair(kind, qualifier) ||
        !first.IsValid() || (second && (!takesSecond || !second->IsValid())))
        return false;
    Fill(kind, qualifier, first, second ? new CDateValue(*second) : nullptr);
    return true;
}

bool CDateData::SetInterpreted(const CDateValue& first, std::string_view phrase)
{
    if (!first.IsValid())
        return false;
    Fill(DATE_INTERPRETED, DQ_NONE, first, new std::string(phrase));
    return true;
}

void CDateData::SetPhrase(std::string_view phrase)
{
    Fill(DATE_PHRASE, DQ_NONE, CDateValue(), new std::string(phrase));
}

bool CDateData::SetFromText(std::string_view text, bool gedcomMode, bool refuseUnparsed,
                            const CDateParseOptions& options)
{
    if (ParseDateText(*this, text, gedcomMode, options))
        return true;
    if (refuseUnparsed)
        return false;
    SetPhrase(text);
    return true;
}

const CDateValue* CDateData::GetSecondValue() const
{
    return OwnsValue() ? static_cast<const CDateValue*>(m_second) : nullptr;
}

const std::string* CDateData::GetPhrase() const
{
    return OwnsPhrase() ? static_cast<const std::string*>(m_second) : nullptr;
}

const CDateValue* CDateData::GetSimpleValue() const
{
    const bool simple =
        m_kind == DATE_SIMPLE || m_kind == DATE_APPROXIMATE || m_kind == DATE_INTERPRETED;
    return simple ? &m_first : nullptr;
}

const CDateValue* CDateData::GetStartValue() const
{
    if (m_kind == DATE_EMPTY || m_kind == DATE_PHRASE || m_qualifier == DQ_TO ||
        m_qualifier == DQ_BEF)
        return nullptr;
    return &m_first;
}

const CDateValue* CDateData::GetEndValue() const
{
    if (m_kind == DATE_EMPTY || m_kind == DATE_PHRASE || m_qualifier == DQ_FROM ||
        m_qualifier == DQ_AFT)
        return nullptr;
    if (m_qualifier == DQ_FROM_TO || m_qualifier == DQ_BET_AND)
        return GetSecondValue();
    return &m_first;
}

const CDateValue* CDateData::GetLatestValue() const
{
    const CDateValue* second = GetSecondValue();
    if (second && second->IsValid())
        return second;
    return m_first.IsValid() ? &m_first : nullptr;
}

bool CDateData::IsSameValue(const CDateData& other) const
{
    if (m_kind != other.m_kind || m_qualifier != other.m_qualifier ||
        !m_first.IsSameValue(other.m_first))
        return false;
    if (OwnsValue()) {
        const CDateValue* a = GetSecondValue();
        const CDateValue* b = other.GetSecondValue();
        return (!a && !b) || (a && b && a->IsSameValue(*b));
    }
    if (OwnsPhrase()) {
        const std::string* a = GetPhrase();
        const std::string* b = other.GetPhrase();
        return (!a && !b) || (a && b && text::EqualsNoCase(*a, *b));
    }
    return true;
}

std::string CDateData::GetGedcomLineText() const
{
    std::string line;
    AppendGedcomLineText(line);
    return line;
}

void CDateData::AppendGedcomLineText(std::string& line) const
{
    static constexpr const char* kKeywords[] = {"",     "FROM ", "TO ",  "FROM ", "AFT ",
                                                "BEF ", "BET ",  "ABT ", "CAL ",  "EST "};
    switch (m_kind) {
    case DATE_EMPTY:
    case DATE_PHRASE:
        return;
    case DATE_INTERPRETED:
        line += "INT ";
        WriteDateValue(m_first, line);
        line += ' ';
        return;
    default:
        break;
    }
    line += kKeywords[m_qualifier];
    WriteDateValue(m_first, line);
    if (const CDateValue* second = GetSecondValue()) {
        line += m_qualifier == DQ_BET_AND ? " AND " : " TO ";
        WriteDateValue(*second, line);
    }
}

std::optional<std::string> CDateData::GetGedcomValueText() const
{
    if (!OwnsPhrase())
        return std::nullopt;
    const std::string* phrase = GetPhrase();
    return "(" + (phrase ? *phrase : std::string()) + ")";
}

void CDateData::KeepSecondOwner() noexcept
{
    if (m_second) {
        CNodePool::Nodes().KeepOwner(
            this, [](void* date) noexcept { static_cast<CDateData*>(date)->FreeSecond(); });
    }
}

void CDateData::DropSecondOwner() noexcept
{
    if (m_second)
        CNodePool::Nodes().DropOwner(this);
}

void CDateData::FreeSecond() noexcept
{
    DropSecondOwner();
    if (OwnsValue())
        delete static_cast<CDateValue*>(m_second);
    else if (OwnsPhrase())
        delete static_cast<std::string*>(m_second);
    m_second = nullptr;
}

void CDateData::CopySecondFrom(const CDateData& other)
{
    m_second = nullptr;
    if (const CDateValue* value = other.GetSecondValue())
        m_second = new CDateValue(*value);
    else if (const std::string* phrase = other.GetPhrase())
        m_second = new std::string(*phrase);
    KeepSecondOwner();
}
