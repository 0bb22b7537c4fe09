// database/nodes/node_factory.cpp: The node factory: making a field's node, and its subtree of
// mandatory and default children.
#include "database/nodes/node_factory.h"

#include "common/abort.h"
#include "database/dates/date_node.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/age_node.h"
#include "database/fields/blob_node.h"
#include "database/fields/number_node.h"
#include "database/fields/rect_node.h"
#include "database/fields/text_field_classes.h"
#include "database/kin/ind_rec.h"
#include "database/multimedia/obj_node.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/complex_node.h"
#include "database/nodes/custom_event_node.h"
#include "database/records/assoc_node.h"
#include "database/records/fam_rec.h"
#include "database/records/note_rec.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "database/records/src_rec.h"

namespace {

template <class T> CDataNode* Make()
{
    return new T;
}

void NumberRecord(CDataNode* node, const CFieldDef* def)
{
    if (!node->IsRecord() || IsRecordNumberingSuspended())
        return;
    if (CRecordIdState* state = GetRecordIdState(GetRecordTypeIndex(def)))
        static_cast<CRecordNode*>(node)->SetRecordNumber(state->TakeNextNumber());
}

/// The default-children entry of def's value list that names tag ("PLAC", or "TYPE-word"
/// with the word as the new child's value); null when none does.
const std::string* FindDefaultEntry(const CFieldDef* def, std::string_view tag)
{
    const int type = def->GetDataType();
    if (type != FDT_COMPLEX && type != FDT_RECORD)
        return nullptr;
    for (const std::string& entry : def->GetValues().m_items) {
        if (std::string_view(entry).substr(0, entry.find('-')) == tag)
            return &entry;
    }
    return nullptr;
}

} // namespace

void RegisterDataNodeClasses()
{
    FindNodeClass("CComplexNode")->SetFactory(&Make<CComplexNode>);
    FindNodeClass("CCustomEventNode")->SetFactory(&Make<CCustomEventNode>);
    FindNodeClass("CRecordNode")->SetFactory(&Make<CRecordNode>);
    FindNodeClass("CAgeNode")->SetFactory(&Make<CAgeNode>);
    FindNodeClass("CNumberNode")->SetFactory(&Make<CNumberNode>);
    FindNodeClass("CRectNode")->SetFactory(&Make<CRectNode>);
    FindNodeClass("CBlobNode")->SetFactory(&Make<CBlobNode>);
    FindNodeClass("CDateNode")->SetFactory(&Make<CDateNode>);
    RegisterTextFieldClasses();
    FindNodeClass("CObjNode")->SetFactory(&Make<CObjNode>);
    FindNodeClass("CObjRec")->SetFactory(&Make<CObjRec>);
    FindNodeClass("CAssocNode")->SetFactory(&Make<CAssocNode>);
    FindNodeClass("CAssocChilNode")->SetFactory(&Make<CAssocChilNode>);
    FindNodeClass("CAssocFamcNode")->SetFactory(&Make<CAssocFamcNode>);
    FindNodeClass("CFamRec")->SetFactory(&Make<CFamRec>);
    FindNodeClass("CIndRec")->SetFactory(&Make<CIndRec>);
    FindNodeClass("CNoteRec")->SetFactory(&Make<CNoteRec>);
    FindNodeClass("CSrcRec")->SetFactory(&Make<CSrcRec>);
}

void CDataNode::AddDefaultChildren(CDataNode* node, const CFieldDef* def,
                                   std::vector<CDataNode*>* made)
{
    for (const CFieldDef* childDef = def->GetFirstChild(); childDef;
         childDef = childDef->GetNextSibling()) {
        const std::string* entry = nullptr;
        if (childDef->GetMinCount() == 0) {
            entry = FindDefaultEntry(def, childDef->GetTag());
            if (!entry)
                continue;
        }
        CDataNode* child = CreateNodeFromDef(childDef, true, made);
        if (!child)
            continue;
        node->LinkOrdered(child, true);
        if (entry && entry->find('-') != std::string::npos)
            child->SetText(std::string_view(*entry).substr(entry->find('-') + 1));
    }
}

CDataNode* FinishLoneNode(CDataNode* node, const CFieldDef* def)
{
    if (!node)
        ThrowAbort();
    node->SetFieldDef(def);
    NumberRecord(node, def);
    return node;
}

CDataNode* CreateNodeFromDef(const CFieldDef* def, bool withChildren, std::vector<CDataNode*>* made)
{
    CDataNode* node = CreateLoneNode(def);
    if (!node)
        return nullptr;
    if (made)
        made->push_back(node);
    if (withChildren)
        CDataNode::AddDefaultChildren(node, def, made);
    return node;
}
