// reports/window/data_ref_insert.h: the "Insert Data Ref" button of the report dialogs: a data
// reference picked in the Data Reference Assistant, put into an edit between "%" signs.
//
// Used by "<< &Insert Data Ref..." of Heading Details and Edit Item Details: the Data Reference
// Assistant of the records library over the record type.
#pragma once

class CWnd;

/// Whether a record type (0-8) has data references to offer.
bool HasDataRefs(int recordType);

/// Runs the assistant over recordType's fields; on OK the reference, enclosed in "%" signs,
/// replaces the selection of dialog's edit editId (undoably). False on Cancel or when the
/// record type has no references.
bool InsertDataRef(CWnd& dialog, int editId, int recordType);
