#include "database/data_control_access.h"

namespace {

IDataControlAccess* g_access = nullptr;

}  // namespace

void SetDataControlAccess(IDataControlAccess* access)
{
    g_access = access;
}

IDataControlAccess* GetDataControlAccess()
{
    return g_access;
}
