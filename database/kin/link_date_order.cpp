// database/kin/link_date_order.cpp: putting a record's links (a family's children, an individual's
// spouse families) into the order of a date of their targets.
#include "database/kin/link_date_order.h"

#include "database/dates/date_node.h"

namespace {

/// The tie value of a date: 1 for a range after a date, -1 for a range before one, else 0.
int TieValue(const CDateNode& date)
{
    if (date.GetKind() != DATE_RANGE)
        return 0;
    return date.GetQualifier() == DQ_AFT ? 1 : date.GetQualifier() == DQ_BEF ? -1 : 0;
}

/// One pass; true when a link moved.
bool SortPass(CDataNode& holder, int fieldId, LinkDateOf dateOf)
{
    bool moved = false;
    CDataNode* previous = nullptr;
    const CDateNode* previousDate = nullptr;
    for (CDataNode* link = holder.FindChild(nullptr, fieldId); link;) {
        CDataNode* next = holder.FindChild(link, fieldId);
        const CRecordNode* target = link->GetLinkTarget();
        const CDateNode* date = target ? dateOf(target) : nullptr;
        if (date && previousDate && CompareDatesInSequence(*date, *previousDate) < 0) {
            link->MoveTo(&holder, previous, true);
            moved = true;
        } else if (date) {
            previous = link;
            previousDate = date;
        }
        link = next;
    }
    return moved;
}

} // namespace

int CompareDatesInSequence(const CDateNode& a, const CDateNode& b)
{
    const int byValue = CompareDateValues(a.GetFirstValue(), b.GetFirstValue());
    if (byValue != 0)
        return byValue;
    const int tie = TieValue(a) - TieValue(b);
    return tie < 0 ? -1 : tie > 0 ? 1 : 0;
}

bool SortLinksByDate(CDataNode& holder, int fieldId, LinkDateOf dateOf)
{
    bool moved = false;
    while (SortPass(holder, fieldId, dateOf))
        moved = true;
    return moved;
}
