#include "database/nodes/root_node.h"

const CRuntimeClass* CRootNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CRootNode>();
}
