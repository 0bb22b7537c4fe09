// database/kin/reorder_scan.h: finding the kinds of dated items that stand out of date order in an
// individual or family record.
#pragma once

class CRecordNode;

/// The kinds of items that can stand out of date order: an individual's spouse families (by
/// the date of each family's first marriage), a family's children (by their birth dates), the
/// events and attributes of either, and their LDS ordinances.
struct ReorderKinds {
    bool spouses = false;
    bool children = false;
    bool events = false;
    bool lds = false;

    bool Any() const { return spouses || children || events || lds; }
    bool operator==(const ReorderKinds&) const = default;
};

/// The kinds among chosen whose items stand out of order in record: an item is out of order
/// when its date comes before the date of the last dated item above it of the same kind (equal
/// dates by their own qualifiers, BEF before a plain date and a plain date before AFT). Items
/// without a date, with an empty date or whose link leads nowhere are passed over. Spouses are
/// looked at in individuals only, children in families only; other records have no such items.
ReorderKinds FindOutOfSequenceKinds(const CRecordNode& record, const ReorderKinds& chosen);
