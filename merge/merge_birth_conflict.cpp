// merge/merge_birth_conflict.cpp: two matched individuals whose births cannot be one event: the new
// birth is flagged to be discarded, so the pair shows as conflicting and the merged person keeps
// one birth unless the user retains the other.
#include "merge/merge_engine.h"

#include "database/dates/date_node.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/data_node.h"

#include <optional>
#include <utility>

namespace {

/// A day as a number that orders days (B.C. years before A.D. ones); missing parts are taken
/// as the earliest (latest false) or the latest (latest true) they could be.
long DayKey(const CDateValue& value, bool latest)
{
    const long year = value.IsBC() ? -long(value.GetYear()) : long(value.GetYear());
    const long month = value.GetMonth() ? value.GetMonth() : latest ? 12 : 1;
    const long day = value.GetDay() ? value.GetDay() : latest ? 31 : 1;
    return (year * 100 + month) * 100 + day;
}

/// The first and last day a date may stand for, with its calendar; nothing for a date that
/// says too little to rule a day out (empty, a phrase, an approximate date) or whose bounds
/// lie in different calendars. A bound it lacks (BEF, AFT) is open.
struct DaySpan {
    std::optional<long> first, last;
    int calendar = 0;
};

std::optional<DaySpan> SpanOf(const CDateNode& date)
{
    const DateKind kind = date.GetKind();
    if (kind == DATE_EMPTY || kind == DATE_PHRASE || kind == DATE_APPROXIMATE)
        return std::nullopt;
    const CDateValue* start = date.GetStartValue();
    const CDateValue* end = date.GetEndValue();
    if ((start && !start->IsValid()) || (end && !end->IsValid()) || (!start && !end))
        return std::nullopt;
    if (start && end && start->GetCalendar() != end->GetCalendar())
        return std::nullopt;
    DaySpan span;
    span.calendar = (start ? start : end)->GetCalendar();
    if (start)
        span.first = DayKey(*start, false);
    if (end)
        span.last = DayKey(*end, true);
    return span;
}

/// Whether no day lies in both dates.
bool CannotBeOneDay(const CDateNode& a, const CDateNode& b)
{
    const std::optional<DaySpan> x = SpanOf(a), y = SpanOf(b);
    if (!x || !y || x->calendar != y->calendar)
        return false;
    return (x->last && y->first && *x->last < *y->first) ||
           (y->last && x->first && *y->last < *x->first);
}

} // namespace

void CMergeEngine::MarkBirthConflict(CRecordNode* current, CRecordNode* incoming)
{
    const CIndRec* mine = AsIndividual(current);
    const CIndRec* theirs = AsIndividual(incoming);
    const CDateNode* myDate = mine ? mine->GetBirthDate() : nullptr;
    const CDateNode* theirDate = theirs ? theirs->GetBirthDate() : nullptr;
    if (!myDate || !theirDate)
        return;
    CDataNode* myBirth = myDate->GetParent();
    CDataNode* theirBirth = theirDate->GetParent();
    if (!myBirth || !theirBirth || myBirth->HasFlag(DNF_PAIRED) ||
        theirBirth->HasFlag(DNF_PAIRED) || theirBirth->HasFlag(DNF_MARK) ||
        !CannotBeOneDay(*myDate, *theirDate))
        return;
    NoteChangedNode(theirBirth);
    theirBirth->SetSubtreeMark(true);
}
