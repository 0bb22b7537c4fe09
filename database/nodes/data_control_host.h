// database/nodes/data_control_host.h: how a node shows itself in a data control without knowing any
// window: the window layer installs a host that makes and creates the controls.
#pragma once

#include "database/dictionary/field_class.h"
#include "platform/base/types.h"

class CDataCtl;
class CDataNode;
class CWnd;
class IDataCtlOwner;
struct RECT;

/// Makes a data control of a definition's control class and creates its window bound to a node.
class IDataControlHost {
public:
    virtual ~IDataControlHost() = default;
    /// The new control, owned by the caller; null (with nothing left behind) when the control
    /// cannot be made or its window cannot be created.
    virtual CDataCtl* CreateControl(const CControlClass& controlClass, CDataNode& node,
                                    CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                    DWORD style, UINT id, DWORD flags) = 0;
};

/// The installed host; null until the window layer (or a test) installs one.
void SetDataControlHost(IDataControlHost* host);
IDataControlHost* GetDataControlHost();
