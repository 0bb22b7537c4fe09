// database/nodes/named_list_store.cpp: the store of named lists as the data set sees it.
#include "database/nodes/named_list_store.h"

namespace {

INamedListStore* g_store = nullptr;

} // namespace

void SetNamedListStore(INamedListStore* store)
{
    g_store = store;
}

INamedListStore* GetNamedListStore()
{
    return g_store;
}
