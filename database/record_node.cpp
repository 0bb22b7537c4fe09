#include "database/record_node.h"

#include "database/change_tracking.h"

CRecordNode::CRecordNode() noexcept
{
    SetFlag(DNF_RECORD, true);
}

CRecordNode::~CRecordNode()
{
    if (IsChangeTrackingOn() && m_root)
        m_root->UnlinkChild(this, true);
    SetFlag(DNF_RECORD, false);
}

const CRuntimeClass* CRecordNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CRecordNode>();
}
