// database/nodes/data_control_access.cpp: how a field node reads and writes the value shown in its
// data control without knowing any window: the window layer installs the implementation.
#include "database/nodes/data_control_access.h"

#include "database/nodes/data_node.h"

namespace {

IDataControlAccess* g_access = nullptr;

} // namespace

void SetDataControlAccess(IDataControlAccess* access)
{
    g_access = access;
}

IDataControlAccess* GetDataControlAccess()
{
    return g_access;
}

CDataCtl* PresentControl(CDataNode& node, CDataCtl* control, bool notify,
                         ControlSelection selection)
{
    IDataControlAccess* access = GetDataControlAccess();
    if (!control || !access)
        return control;
    node.UpdateFromControl(control, false, notify);
    if (selection == ControlSelection::All)
        access->SelectText(*control, 0, -1);
    else if (selection == ControlSelection::Start)
        access->SelectText(*control, 0, 0);
    access->ShowAndFocus(*control);
    return control;
}
