// database/nodes/data_control_host.cpp: how a node shows itself in a data control without knowing
// any window: the window layer installs a host that makes and creates the controls.
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
