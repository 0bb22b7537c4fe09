#include "database/nodes/data_control_host.h"

namespace {

IDataControlHost* g_host = nullptr;

} // namespace

void SetDataControlHost(IDataControlHost* host)
{
    g_host = host;
}

IDataControlHost* GetDataControlHost()
{
    return g_host;
}
