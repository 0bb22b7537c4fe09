// database/named_list_store.h: the store of named lists as the data set sees it.
#pragma once

/// The named lists of records live in the query library, above the data set; it installs its
/// store here at start-up so that the data set's reset can clear the lists.
class INamedListStore {
public:
    virtual ~INamedListStore() = default;
    /// With deleteAll every list is freed (exit); otherwise the automatic lists are emptied and
    /// kept, every other list is freed, and missing automatic lists are created (a reset).
    virtual void ClearNamedLists(bool deleteAll) = 0;
};

/// The installed store; null until one is installed.
void SetNamedListStore(INamedListStore* store);
INamedListStore* GetNamedListStore();
