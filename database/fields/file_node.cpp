// database/fields/file_node.cpp: a field whose value is the name of a file.
#include "database/fields/file_node.h"

const CRuntimeClass* CFileNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CFileNode>();
}

void CFileNode::SetFileName(std::string_view text)
{
    SetTextValue(this, text);
    if (CDataNode* parent = GetParent())
        parent->OnChildFileChanged();
}
