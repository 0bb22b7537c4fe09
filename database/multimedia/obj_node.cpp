// database/multimedia/obj_node.cpp: a multimedia object described inside another record (an OBJE
// structure with its format, title and file).
#include "database/multimedia/obj_node.h"

#include "platform/base/text.h"

const CRuntimeClass* CObjNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CObjNode>();
}

bool CObjNode::GetText(std::string& text, int withLabel) const
{
    text = GetCaption(withLabel != 0);
    return true;
}

bool CObjNode::IsEqual(const CDataNode* other, const void*) const
{
    const auto* object = dynamic_cast<const CObjNode*>(other);
    return object && object->IsEmbedded() == IsEmbedded() && object->GetKind() == GetKind() &&
           text::EqualsNoCase(object->GetFilePath(), GetFilePath());
}

bool CObjNode::GetEmbeddedFile(std::string& path) const
{
    path.clear();
    return false;
}
