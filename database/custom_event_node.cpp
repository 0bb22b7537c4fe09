#include "database/custom_event_node.h"

#include "database/data_model.h"
#include "database/record_node.h"
#include "database/record_type_table.h"
#include "platform/base/text.h"

#include <algorithm>

namespace {

CCustomEventNode*& ChainHead()
{
    static CCustomEventNode* head = nullptr;
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

CCustomEventNode::CCustomEventNode() noexcept : m_nextEvent(ChainHead())
{
    ChainHead() = this;
}

CCustomEventNode::~CCustomEventNode()
{
    if (IsClearingDataSet())
        return;
    for (CCustomEventNode** link = &ChainHead(); *link; link = &(*link)->m_nextEvent) {
        if (*link == this) {
            *link = m_nextEvent;
            return;
        }
    }
}

const CRuntimeClass* CCustomEventNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CCustomEventNode>();
}

CCustomEventNode* CCustomEventNode::GetFirstCustomEvent()
{
    return ChainHead();
}

void CCustomEventNode::ForgetAllCustomEvents()
{
    ChainHead() = nullptr;
}

void CollectCustomEventNames(std::vector<std::string>* individualNames,
                             std::vector<std::string>* familyNames)
{
    const CFieldDef* indiDef = GetRecordTypeDef(0);
    const CFieldDef* famDef = GetRecordTypeDef(1);
    for (const CCustomEventNode* event = ChainHead(); event; event = event->GetNextCustomEvent()) {
        const std::string name = event->GetTypeText();
        const CRecordNode* record = event->GetRecord();
        if (name.empty() || !record)
            continue;
        if (record->GetFieldDef() == indiDef)
            AddName(individualNames, name);
        else if (record->GetFieldDef() == famDef)
            AddName(familyNames, name);
    }
}
