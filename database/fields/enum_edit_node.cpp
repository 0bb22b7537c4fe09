// database/fields/enum_edit_node.cpp: a text usually chosen from its definition's value list but
// free to type (data type 3 held as text), such as a citation's certainty or a pedigree.
#include "database/fields/enum_edit_node.h"

#include "database/nodes/data_control_access.h"

const CRuntimeClass* CEnumEditNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CEnumEditNode>();
}

CDataCtl* CEnumEditNode::ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                       DWORD style, UINT id, DWORD flags)
{
    CDataCtl* control = CreateAndLoadControl(parent, rect, owner, style, id, flags);
    if (control && GetDataControlAccess())
        GetDataControlAccess()->ShowAndFocus(*control);
    return control;
}
