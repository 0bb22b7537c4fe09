#include "database/custom_attr_node.h"

#include "database/data_model.h"
#include "database/record_node.h"
#include "database/record_type_table.h"

#include "platform/base/text.h"

#include <algorithm>

namespace {

CCustomAttrNode*& ChainHead()
{
    static CCustomAttrNode* head = nullptr;
    return head;
}

void AddName(std::vector<std::string>* names, const std::string& name)
{
    if (!names)
        return;
    const auto same = [&](const std::string& known) { return text::EqualsNoCase(known, name); };
    if (std::none_of(names->begin(), names->end(), same))
        names->push_back(name);
}

}  // namespace

CCustomAttrNode::CCustomAttrNode() noexcept : m_nextAttr(ChainHead())
{
    ChainHead() = this;
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
    const CFieldDef* indiDef = GetRecordTypeDef(0);
    const CFieldDef* famDef = GetRecordTypeDef(1);
    for (const CCustomAttrNode* attr = ChainHead(); attr; attr = attr->GetNextCustomAttr()) {
        const std::string name = attr->GetTypeText();
        const CRecordNode* record = attr->GetRecord();
        if (name.empty() || !record)
            continue;
        if (record->GetFieldDef() == indiDef)
            AddName(individualNames, name);
        else if (record->GetFieldDef() == famDef)
            AddName(familyNames, name);
    }
}
