// database/nodes/custom_event_node.cpp: a user-defined event (EVEN with its TYPE text).
#include "database/nodes/custom_event_node.h"

#include "database/dictionary/record_type_table.h"
#include "database/nodes/data_model.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"

#include <algorithm>

namespace {

CCustomEventNode*& ChainHead()
{
    static CCustomEventNode* head = nullptr;
    return head;
}

} // namespace

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

void AddCustomTypeName(const CDataNode& node, std::vector<std::string>* individualNames,
                       std::vector<std::string>* familyNames)
{
    const std::string name = node.GetTypeText();
    const CRecordNode* record = node.GetRecord();
    if (name.empty() || !record)
        return;
    std::vector<std::string>* names = record->GetFieldDef() == GetRecordTypeDef(0) ? individualNames
                                      : record->GetFieldDef() == GetRecordTypeDef(1) ? familyNames
                                                                                     : nullptr;
    const auto same = [&](const std::string& known) { return text::EqualsNoCase(known, name); };
    if (names && std::none_of(names->begin(), names->end(), same))
        names->push_back(name);
}

void CollectCustomEventNames(std::vector<std::string>* individualNames,
                             std::vector<std::string>* familyNames)
{
    for (const CCustomEventNode* event = ChainHead(); event; event = event->GetNextCustomEvent())
        AddCustomTypeName(*event, individualNames, familyNames);
}
