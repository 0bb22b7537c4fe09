// database/records/record_node_media.cpp: The record's links to multimedia records: walking the
// pictures and adding a link.
#include "database/records/record_node.h"

#include "database/dictionary/field_ids.h"
#include "database/fields/text_value_node.h"
#include "database/multimedia/media_item.h"
#include "database/multimedia/obj_rec.h"

#include <string>

CObjRec* CRecordNode::GetNextLinkedPicture(CDataNode*& link, bool picturesOnly, RECT* frame) const
{
    if (frame)
        *frame = RECT();
    for (link = FindChild(link, FIELD_OBJE); link; link = FindChild(link, FIELD_OBJE)) {
        auto* record = dynamic_cast<CObjRec*>(link->GetLinkTarget());
        if (!record || (picturesOnly && record->GetKind() != MEDIA_KIND_PICTURE))
            continue;
        if (frame)
            *frame =
                record->GetFrameRect(FieldNumber(link->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER)));
        return record;
    }
    return nullptr;
}

CDataNode* CRecordNode::AddObjectLink(CObjRec* record, int number)
{
    CDataNode* link = CreateChildById(FIELD_OBJE, {.withChildren = false});
    if (!link)
        return nullptr;
    if (record && !link->SetLink(record, true)) {
        UnlinkChild(link, false);
        DestroyNodeTree(link);
        return nullptr;
    }
    if (number < 1)
        return link;
    CDataNode* numberField = link->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER);
    if (!numberField)
        numberField = link->CreateChildById(FIELD_OBJE_LINK_NUMBER, {.withChildren = false});
    if (!numberField)
        return nullptr;
    SetTextValue(numberField, std::to_string(number));
    return link;
}
