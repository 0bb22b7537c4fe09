// database/fields/custom_attr_node.cpp: a user-defined attribute, whose TYPE sub-field names it.
#include "database/fields/custom_attr_node.h"

#include "database/dictionary/record_type_table.h"
#include "database/nodes/custom_event_node.h"
#include "database/nodes/data_model.h"
#include "database/records/record_node.h"

#include "platform/base/text.h"

#include <algorithm>

namespace {

CCustomAttrNode*& ChainHead()
{
    static CCustomAttrNode* head = nullptr;
    return head;
}

} // namespace

CCustomAttrNode::CCustomAttrNode() noexcept : m_nextAttr(ChainHead())
{
    ChainHead() = this;
}

void CCustomAttrNode::ForgetAllCustomAttrs()
{
    ChainHead() = nullptr;
}

CCustomAttrNode::~CCustomAttrNode()
{
    if (IsClearingDataSet()) {
        ChainHead() = nullptr;
        return;
    }
    for (CCustomAttrNode** link = &ChainHead(); *link; link = &(*link)->m_nextAttr) {
        if (*link == this) {
            *link = m_nextAttr;
            return;
        }
    }
}

const CRuntimeClass* CCustomAttrNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CCustomAttrNode>();
}

CCustomAttrNode* CCustomAttrNode::GetFirstCustomAttr()
{
    return ChainHead();
}

void CollectCustomAttrNames(std::vector<std::string>* individualNames,
                            std::vector<std::string>* familyNames)
{
    for (const CCustomAttrNode* attr = ChainHead(); attr; attr = attr->GetNextCustomAttr())
        AddCustomTypeName(*attr, individualNames, familyNames);
}
