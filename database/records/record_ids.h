// database/records/record_ids.h: the record-identifier tools: renumbering a record type, copying
// the numbers into a field, and taking the numbers from a field.
#pragma once

#include "database/nodes/outcome.h"

/// Each tool takes a record type's list index (INDI 0, FAM 1, NOTE 2, SOUR 3, REPO 4, SUBM 5,
/// SUBN 6, OBJE 7) and answers what it came to (EngineOutcome); a type without records is not
/// done, with the message "There are no records of this type". Numbers that dangling
/// cross-references keep are never given to a record.

/// Gives the records the numbers 1, 2, 3, ... in list order, under the wait cursor; the
/// counter becomes the last number given; all views are redrawn. Not done when there are no
/// records.
EngineOutcome RenumberRecordIds(int listIndex);

/// Writes each record's number in decimal into its first field of fieldId, made where it is
/// missing. The edit is announced (NotifyChanges) whatever happens, so a run cut short by a
/// field that cannot be made is announced as far as it went. Not done when a field could not be
/// made or there are no records.
EngineOutcome CopyRecordIdsToField(int listIndex, int fieldId);

/// Takes the numbers from the REFN ("Custom Id") or RIN ("Automated Record Id") field of each
/// record: a value that starts (after white space) with a digit and is 1 to 1000000000 is used
/// unless an earlier record took it; the others get new numbers above the highest, in list
/// order. Unless confirmed, nothing changes and the question comes back (to be answered OK or
/// Cancel), saying how many values are missing or duplicates; confirmed, the numbers are taken
/// and the message says how it went. Not done when there are no records or for another field.
EngineOutcome GenerateRecordIds(int listIndex, int fieldId, bool confirmed);
