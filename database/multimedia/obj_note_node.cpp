// database/multimedia/obj_note_node.cpp: a note inside a multimedia object, which may mark a frame
// (a numbered rectangle) of its picture.
#include "database/multimedia/obj_note_node.h"

#include "database/fields/number_node.h"
#include "database/fields/rect_node.h"
#include "database/multimedia/frame_note_record.h"
#include "database/records/record_node.h"

namespace {

const IFrameNoteRecord* MediaRecordOf(const CDataNode* node)
{
    return dynamic_cast<const IFrameNoteRecord*>(node ? node->GetRecord() : nullptr);
}

/// The last child of the note with that field id and node class; null when none.
template <class T> const T* LastChildOf(const CDataNode& note, int fieldId)
{
    const T* last = nullptr;
    for (const CDataNode* child = note.FindChild(nullptr, fieldId); child;
         child = note.FindChild(child, fieldId)) {
        if (const auto* typed = dynamic_cast<const T*>(child))
            last = typed;
    }
    return last;
}

} // namespace

const CRuntimeClass* CObjNoteNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CObjNoteNode>();
}

bool CObjNoteNode::GetText(std::string& text, int withLabel) const
{
    if (!MediaRecordOf(this))
        return CEditMultiNode::GetText(text, withLabel);
    StartText(text, withLabel);
    const std::string quoted = "\"" + GetFirstLine() + "\"";
    CRecordNode* linking = FindLinkingRecordOf(this);
    if (!linking) {
        text += quoted;
        return true;
    }
    std::string display;
    linking->GetText(display, 0);
    text += display + " (" + quoted + ")";
    return true;
}

bool CObjNoteNode::IsEqual(const CDataNode* other, const void* options) const
{
    if (!CEditMultiNode::IsEqual(other, options))
        return false;
    const CDataNode* mine = FindChild(nullptr, FIELD_OBJE_FRAME);
    const CDataNode* theirs = other->FindChild(nullptr, FIELD_OBJE_FRAME);
    if (!mine || !theirs)
        return !mine && !theirs;
    return mine->IsEqual(theirs, options);
}

CRecordNode* FindLinkingRecordOf(const CDataNode* node)
{
    const IFrameNoteRecord* record = MediaRecordOf(node);
    const CDataNode* number = record ? node->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER) : nullptr;
    return number ? record->FindLinkingRecord(number) : nullptr;
}

void GetFrameFields(const CDataNode& note, CRectNode*& rect, CNumberNode*& number)
{
    rect = dynamic_cast<CRectNode*>(note.FindChild(nullptr, FIELD_OBJE_FRAME));
    number = dynamic_cast<CNumberNode*>(note.FindChild(nullptr, FIELD_OBJE_LINK_NUMBER));
}

void GetFrame(const CDataNode& note, CRect& rect, int& number)
{
    const CRectNode* rectNode = LastChildOf<CRectNode>(note, FIELD_OBJE_FRAME);
    const CNumberNode* numberNode = LastChildOf<CNumberNode>(note, FIELD_OBJE_LINK_NUMBER);
    rect = rectNode ? rectNode->GetRect() : CRect();
    number = numberNode ? numberNode->GetNumber() : 0;
}
