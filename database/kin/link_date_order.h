// database/kin/link_date_order.h: putting a record's links (a family's children, an individual's
// spouse families) into the order of a date of their targets.
#pragma once

class CDataNode;
class CDateNode;
class CRecordNode;

/// The date a link's target is ordered by; null when it has none.
using LinkDateOf = const CDateNode* (*)(const CRecordNode* target);

/// -1, 0 or 1 by the dates' first values; two dates that compare equal are ordered by their own
/// range qualifiers, BEF before a plain date and a plain date before AFT.
int CompareDatesInSequence(const CDateNode& a, const CDateNode& b);

/// Moves each link of fieldId under holder whose target's date is earlier than the previous
/// dated link's to just before that link, pass after pass until a pass moves nothing; links
/// without a date keep their places. True when anything moved.
bool SortLinksByDate(CDataNode& holder, int fieldId, LinkDateOf dateOf);
