// database/nodes/root_node.cpp: the node that holds all records of one record type.
#include "database/nodes/root_node.h"

const CRuntimeClass* CRootNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CRootNode>();
}
