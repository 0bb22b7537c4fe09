// database/dates/date_compare.cpp: the sort order of dates, query matching and ages.
#include "database/dates/date_data.h"

namespace {

int Sign(int n)
{
    return (n > 0) - (n < 0);
}

/// B.C. years before A.D. years, the larger B.C. year first.
int SortYear(const CDateValue& v)
{
    return v.IsBC() ? -1 - v.GetYear() : v.GetYear();
}

bool IsDated(DateKind kind)
{
    return kind != DATE_EMPTY && kind != DATE_PHRASE;
}

/// Present before missing, each side given as whether it is there.
int ComparePresence(bool a, bool b)
{
    return Sign(int(a) - int(b));
}

/// Codes DAY to YEAR: the parts of the simple values.
int CompareSimpleParts(const CDateValue* a, const CDateValue* b, int code)
{
    if (!a || !b)
        return ComparePresence(a, b);
    switch (code) {
    case DF_DAY:
        return Sign(a->GetDay() - b->GetDay());
    case DF_MONTH_NUMBER:
    case DF_MONTH_NAME:
        return Sign(a->GetMonth() - b->GetMonth());
    case DF_MONTH_AND_DAY: {
        const int months = Sign(a->GetMonth() - b->GetMonth());
        return months != 0 ? months : Sign(a->GetDay() - b->GetDay());
    }
    default:
        return Sign(SortYear(*a) - SortYear(*b));
    }
}

/// XDATE1 and XDATE2: a missing or invalid bound first, then the earlier bound.
int CompareBounds(const CDateValue* a, const CDateValue* b)
{
    const bool hasA = a && a->IsValid();
    const bool hasB = b && b->IsValid();
    if (!hasA || !hasB)
        return ComparePresence(hasA, hasB);
    if (CDateValue::IsBefore(*a, *b))
        return -1;
    return CDateValue::IsBefore(*b, *a) ? 1 : 0;
}

/// The first values of two dated fields: year, then calendar, month and day.
int CompareFirstValues(const CDateValue& a, const CDateValue& b)
{
    if (!a.IsValid() || !b.IsValid())
        return ComparePresence(a.IsValid(), b.IsValid());
    for (int c : {Sign(SortYear(a) - SortYear(b)), Sign(a.GetCalendar() - b.GetCalendar()),
                  Sign(a.GetMonth() - b.GetMonth()), Sign(a.GetDay() - b.GetDay())}) {
        if (c != 0)
            return c;
    }
    return 0;
}

} // namespace

std::optional<int> CDateData::Compare(const CDateData& other, int code) const
{
    switch (code) {
    case DF_XDATETYPE:
    case DF_AGE_AT:
    case DF_HUSBAND_AGE_AT:
    case DF_WIFE_AGE_AT:
        return std::nullopt;
    case DF_DAY:
    case DF_MONTH_NUMBER:
    case DF_MONTH_NAME:
    case DF_MONTH_AND_DAY:
    case DF_YEAR:
        return CompareSimpleParts(GetSimpleValue(), other.GetSimpleValue(), code);
    case DF_XDATE1:
        return CompareBounds(GetStartValue(), other.GetStartValue());
    case DF_XDATE2:
        return CompareBounds(GetEndValue(), other.GetEndValue());
    default:
        break;
    }
    const bool dated = IsDated(m_kind);
    if (!dated && !IsDated(other.m_kind))
        return std::nullopt;
    if (dated != IsDated(other.m_kind))
        return dated ? 1 : -1;
    return CompareFirstValues(m_first, other.m_first);
}

bool CDateData::MatchDate(int code, int op, const CDateValue& value) const
{
    if (!value.IsValid())
        return false;
    auto match = [&](const CDateValue* v, int o) {
        return v && v->IsValid() && CDateValue::MatchOp(*v, o, value);
    };
    if (code == DF_XDATE1)
        return match(GetStartValue(), op);
    if (code == DF_XDATE2)
        return match(GetEndValue(), op);
    if (op != DATE_OP_EQUAL && op != DATE_OP_LATER && op != DATE_OP_EARLIER)
        return false;
    if (m_kind == DATE_EMPTY || m_kind == DATE_PHRASE)
        return false;
    const CDateValue* v = &m_first;
    const CDateValue* w = GetSecondValue();
    const bool equal = op == DATE_OP_EQUAL;
    const bool later = op == DATE_OP_LATER;
    switch (m_qualifier) {
    case DQ_FROM:
        return equal ? match(v, DATE_OP_EARLIER) || match(v, DATE_OP_EQUAL)
                     : later || match(v, DATE_OP_EARLIER);
    case DQ_TO:
        return equal ? match(v, DATE_OP_LATER) || match(v, DATE_OP_EQUAL)
                     : !later || match(v, DATE_OP_LATER);
    case DQ_FROM_TO:
        if (equal)
            return (match(v, DATE_OP_EARLIER) && match(w, DATE_OP_LATER)) ||
                   match(v, DATE_OP_EQUAL) || match(w, DATE_OP_EQUAL);
        return later ? match(w, DATE_OP_LATER) : match(v, DATE_OP_EARLIER);
    case DQ_AFT:
        return later || match(v, DATE_OP_EARLIER);
    case DQ_BEF:
        return op == DATE_OP_EARLIER || match(v, DATE_OP_LATER);
    case DQ_BET_AND:
        if (equal)
            return match(v, DATE_OP_EARLIER) && match(w, DATE_OP_LATER);
        return later ? match(w, DATE_OP_LATER) : match(v, DATE_OP_EARLIER);
    default:
        return match(v, op);
    }
}

int CompareAgesAt(const CDateData& a, std::optional<int> ageA, const CDateData& b,
                  std::optional<int> ageB)
{
    const bool simpleA = a.GetSimpleValue() != nullptr;
    const bool simpleB = b.GetSimpleValue() != nullptr;
    if (!simpleA || !simpleB)
        return ComparePresence(simpleA, simpleB);
    if (!ageA || !ageB)
        return ComparePresence(ageA.has_value(), ageB.has_value());
    return Sign(*ageA - *ageB);
}

std::optional<int> AgeAt(const CDateValue& at, const CDateData& birth)
{
    const CDateValue* born = birth.GetSimpleValue();
    if (!born || !born->IsValid() || !at.IsValid())
        return std::nullopt;
    return YearsBetween(at, *born);
}
