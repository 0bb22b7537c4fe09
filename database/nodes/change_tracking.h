// database/nodes/change_tracking.h: how every edit is marked, announced once and only then freed.
#pragma once

class CDataNode;
class CRecordNode;
class IDataObserver;

/// An edit runs from the first node operation after a NotifyChanges to the next one: nodes
/// collect changed and new bits, their records join the changed-records list (stamped with the
/// time of their first change), and deleted subtrees wait flagged and detached on the
/// pending-deletion list. NotifyChanges tells the observer once, clears the marks and only then
/// frees what the edit deleted, so observers can still look at deleted nodes.

bool IsChangeTrackingOn();
/// Off until the first reset of the data set, and while a reset or a load builds the data set.
void SetChangeTracking(bool on);

/// The observer that NotifyChanges tells; null for none.
void SetDataObserver(IDataObserver* observer);
IDataObserver* GetDataObserver();

/// Climbs from the node to its record; unless recordOnly, sets the changed bit on every node
/// passed; lists and stamps the record when it is not yet listed. Nothing while tracking is off.
void MarkChanged(CDataNode* node, bool recordOnly = false);
void MarkSubtreeChanged(CDataNode* node);
/// Lists the record as changed (without a stamp) when it is not yet listed; null is ignored.
void ListRecordAsChanged(CRecordNode* record);
/// Whether the record is in the changed-records list.
bool IsRecordListed(const CRecordNode* record);
/// Takes a record that is being freed off the list of changed records, so that no later walk
/// of the list reads freed memory.
void ForgetChangedRecord(CRecordNode* record);
/// Ends an edit: family clean-up, the observer (kHintRecordsEdited), clearing the marks, freeing
/// the pending deletions. Does nothing when nothing changed.
void NotifyChanges();
/// Frees every node waiting for deletion.
void DeletePendingNodes();
/// Clears the changed and new bits of every descendant of the node.
void ClearSubtreeChangeFlags(CDataNode* node);
/// True unless a record of the changed-records list is pending deletion.
bool HasNoDeletedChanges();
/// Deletes each changed family left with no member, or with one member and nothing else.
void CleanUpFamilies();

/// The first record of the changed-records list (the most recently listed); null when empty.
CRecordNode* GetChangedRecords();
/// The first node waiting for deletion (linked through their next-sibling pointers).
CDataNode* GetPendingDeletions();
/// Parks a detached node on the pending-deletion list.
void PushPendingDeletion(CDataNode* node);
/// Asks for the family clean-up at the next NotifyChanges (a family link is being deleted).
void SetFamilyCleanupFlag();
bool IsFamilyCleanupFlagSet();
/// Set when an edit created a node; cleared by NotifyChanges.
void NoteNodeCreated();
bool WasNodeCreated();
/// Forgets both lists and the flags without notifying or freeing (a reset, with both lists
/// empty after every completed edit).
void ResetChangeTracking();
