// database/nodes/named_list_store.h: the store of named lists as the data set sees it.
#pragma once

#include <string>

class CDataNode;

/// The named lists of records live in the query library, above the data set; it installs its
/// store here at start-up so that the data set's reset can clear the lists, a load can hand it
/// the lists a file holds and a save can write them back.
class INamedListStore {
public:
    virtual ~INamedListStore() = default;
    /// With deleteAll every list is freed (exit); otherwise the automatic lists are emptied and
    /// kept, every other list is freed, and missing automatic lists are created (a reset).
    virtual void ClearNamedLists(bool deleteAll) = 0;
    /// Appends to the list that a header "_LIST" field names (made when there is none) the
    /// note and entries the field holds. Runs while a load's record identifiers are still
    /// mapped (FindLoadedRecord). The base ignores the field.
    virtual void ReadListField(const CDataNode&) {}
    /// Writes every list as a level-1 "_LIST" field through the line sink, in an order that
    /// reading the file back keeps; false when the sink failed. The base writes nothing.
    virtual bool WriteListFields(std::string&) { return true; }
};

/// The installed store; null until one is installed.
void SetNamedListStore(INamedListStore* store);
INamedListStore* GetNamedListStore();
