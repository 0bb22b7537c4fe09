// database/nodes/root_node.cpp: the node that holds all records of one record type.
#include "database/nodes/root_node.h"

#include <stdexcept>

CRootNode::CRootNode()
{
    while (m_slot < kMaxLive && s_live[m_slot])
        ++m_slot;
    if (m_slot == kMaxLive)
        throw std::length_error("too many record-type roots");
    s_live[m_slot] = this;
}

CRootNode::~CRootNode()
{
    s_live[m_slot] = nullptr;
}

const CRuntimeClass* CRootNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CRootNode>();
}
