// database/nodes/node_factory.h: the node factory's way for a load, which makes a node for every
// line: inline, without the general factory's call.
#pragma once

#include "database/dictionary/field_class.h"
#include "database/nodes/data_node.h"

/// A node made as CreateNodeFromDef makes it that is a record (numbered here) or none (its
/// class could not make it: the program aborts); for CreateLoneNode.
CDataNode* FinishLoneNode(CDataNode* node, const CFieldDef* def);
/// CreateNodeFromDef(def, false, nullptr) inline, as a load makes a node for every line: a
/// field's node is made and given its definition without a call of its own.
inline CDataNode* CreateLoneNode(const CFieldDef* def)
{
    const CNodeClass* nodeClass = def ? def->GetNodeClass() : nullptr;
    if (!nodeClass)
        return nullptr;
    CDataNode* node = nodeClass->Create();
    if (!node || node->IsRecord())
        return FinishLoneNode(node, def);
    node->SetFieldDef(def);
    return node;
}
