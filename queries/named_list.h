// queries/named_list.h: named lists of records and the store that holds them all.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CDataNode;
class CRecordNode;
class INamedListStore;

/// The longest list name, in characters.
inline constexpr std::size_t kMaxNamedListName = 200;

/// One record of a named list, with its own note (line breaks as LF).
struct NamedListEntry {
    CRecordNode* m_record = nullptr; // not owned; never the header record
    std::string m_note;
};

/// A user-kept, ordered list of records of any types under a name that is unique without regard
/// to case. All lists form one chain, newest first, which owns them: a list links itself in at
/// the head when made and unlinks itself when destroyed.
class CNamedList final {
public:
    explicit CNamedList(std::string name);
    ~CNamedList();
    CNamedList(const CNamedList&) = delete;
    CNamedList& operator=(const CNamedList&) = delete;

    const std::string& GetName() const { return m_name; }
    /// The caller has checked that no other list has the name.
    void SetName(std::string name) { m_name = std::move(name); }
    const std::string& GetNote() const { return m_note; }
    void SetNote(std::string note) { m_note = std::move(note); }
    std::vector<NamedListEntry>& Entries() { return m_entries; }
    const std::vector<NamedListEntry>& Entries() const { return m_entries; }

    /// Appends what a header "_LIST" field holds: its "_NOTE" becomes the list's note; each
    /// reference of its "_IDS" fields (a type letter and a record number, separated by commas,
    /// white space around them allowed) that names a record of the load being read becomes an
    /// entry, the last of a line taking the note under that line. A reference that names no
    /// record is left out and reported, with the note it carried.
    void ReadListField(const CDataNode& field);

    /// Deletes from the data set every listed record not already waiting for deletion (a record
    /// listed twice goes once) under the wait cursor, then announces the edit once; the notice
    /// takes the records out of every list. False when a failure stopped the deletions; those
    /// done are announced all the same. Asking the user first is the caller's part.
    bool DeleteAllRecords();

    /// The next (older) list of the chain.
    CNamedList* GetNext() const { return m_next; }
    /// The newest list; null when there is none.
    static CNamedList* GetFirst();

private:
    std::string m_name;
    std::string m_note;
    std::vector<NamedListEntry> m_entries;
    CNamedList* m_next = nullptr;
};

/// The name as lists are named: trimmed, each run of white space inside it one blank.
std::string NormaliseNamedListName(std::string_view name);
/// The first list in chain order whose name equals name without regard to case; null if none.
CNamedList* FindNamedList(std::string_view name);
/// The list of that name, made when there is none; the name is trimmed and each run of white
/// space inside it becomes one blank first. A list made with notify set is announced.
CNamedList* GetNamedList(std::string_view name, bool notify);
/// Appends the record with an empty note; nothing for a null list or record, the header
/// record, or (with unique) a record already listed. With notify the change is announced.
void AddToNamedList(CNamedList* list, CRecordNode* record, bool notify, bool unique);
/// Appends each record not listed yet (nor met earlier among records), in order, with an empty
/// note; null records and the header record are passed over. No notice. It looks each record up
/// once, so a result set of many records is added at once.
void AddManyToNamedList(CNamedList* list, const std::vector<CRecordNode*>& records);
/// For each record, the first entry of the list for it that is still there is removed (a record
/// listed twice and given once keeps one entry); the other entries keep their order. No notice.
void RemoveManyFromNamedList(CNamedList* list, const std::vector<CRecordNode*>& records);
/// The first entry of the list for the record; null when there is none.
NamedListEntry* FindNamedListEntry(CNamedList* list, const CRecordNode* record);
/// Removes every entry; the name and note stay.
void RemoveAllFromNamedList(CNamedList* list);
/// Removes from every list each entry whose record is missing or waiting for deletion.
void RemoveDeletedFromNamedLists();
/// With deleteAll every list is freed. Otherwise each automatic list is emptied (note too) and
/// kept, every other list is freed, and the missing automatic lists are made.
void ClearNamedLists(bool deleteAll);
/// Makes a list for each automatic name of the preferences that has none; no notice.
void CreateAutoNamedLists();
/// Whether name equals one of the non-empty automatic names without regard to case.
bool IsAutoNamedList(std::string_view name);
/// What the user is told, in a plain box, of a name longer than 200 characters; empty for a
/// name short enough.
std::string ListNameLengthProblem(std::string_view name);
/// Tells every window that the named lists changed (kHintNamedListsChanged) and marks the document
/// modified.
void NotifyNamedListsChanged();

/// Writes every list, oldest first, as a level-1 "_LIST" field through the line sink: its name,
/// its note, and its entries as references on "_IDS" lines, an entry with a note ending its line
/// with the note beneath. False when the sink failed.
bool WriteNamedListFields(std::string& line);

/// The store as the data set sees it; the application installs it at start-up.
INamedListStore& NamedListStore();
