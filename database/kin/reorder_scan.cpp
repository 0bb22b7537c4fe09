// database/kin/reorder_scan.cpp: walking a record's items of one kind and comparing each dated item
// with the last dated one before it.
#include "database/kin/reorder_scan.h"

#include "database/dates/date_node.h"
#include "database/kin/link_date_order.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"

namespace {

/// A non-empty date, or null.
const CDateNode* NonEmptyDate(const CDataNode* date)
{
    const auto* node = dynamic_cast<const CDateNode*>(date);
    return node && !node->IsEmpty() ? node : nullptr;
}

/// The date of a fact or an ordinance: its first DATE that holds something.
const CDateNode* ItemDate(const CDataNode* item)
{
    return NonEmptyDate(item->FindChild(nullptr, FIELD_DATE, true));
}

/// The date of the first marriage of the family a spouse link leads to.
const CDateNode* MarriageDate(const CDataNode* link)
{
    const CRecordNode* family = link->GetLinkTarget();
    const CDataNode* marriage = family ? family->FindChild(nullptr, FIELD_MARR) : nullptr;
    return marriage ? NonEmptyDate(marriage->FindChild(nullptr, FIELD_DATE)) : nullptr;
}

/// The birth date of the individual a child link leads to.
const CDateNode* BirthDate(const CDataNode* link)
{
    const CRecordNode* child = link->GetLinkTarget();
    return child ? NonEmptyDate(FindBirthDate(child)) : nullptr;
}

/// Whether an item that next() yields has a date before the last dated item above it.
template <class Next, class DateOf> bool OutOfSequence(Next next, DateOf dateOf)
{
    const CDateNode* last = nullptr;
    for (const CDataNode* item = next(nullptr); item; item = next(item)) {
        const CDateNode* date = dateOf(item);
        if (!date)
            continue;
        if (last && CompareDatesInSequence(*date, *last) < 0)
            return true;
        last = date;
    }
    return false;
}

bool LinksOutOfSequence(const CRecordNode& record, int fieldId,
                        const CDateNode* (*dateOf)(const CDataNode*))
{
    const auto next = [&](const CDataNode* after) { return record.FindChild(after, fieldId); };
    return OutOfSequence(next, dateOf);
}

} // namespace

ReorderKinds FindOutOfSequenceKinds(const CRecordNode& record, const ReorderKinds& chosen)
{
    const int type = record.GetTypeIndex();
    const bool individual = type == RECORD_LIST_INDI;
    if (!individual && type != RECORD_LIST_FAM)
        return {};
    ReorderKinds found;
    if (individual && chosen.spouses)
        found.spouses = LinksOutOfSequence(record, FIELD_FAMS, &MarriageDate);
    if (!individual && chosen.children)
        found.children = LinksOutOfSequence(record, FIELD_CHIL, &BirthDate);
    if (chosen.events)
        found.events = OutOfSequence(
            [&](const CDataNode* after) { return record.GetNextFact(after, true); }, &ItemDate);
    if (chosen.lds)
        found.lds = OutOfSequence(
            [&](const CDataNode* after) { return record.GetNextLdsOrdinance(after, true); },
            &ItemDate);
    return found;
}
