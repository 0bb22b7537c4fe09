// media/window/link_entries.cpp: pairing an object's frame notes with the record links of the
// same number.
#include "media/window/link_entries.h"

#include "database/dictionary/field_ids.h"
#include "database/fields/rect_node.h"
#include "database/fields/text_value_node.h"
#include "database/multimedia/media_item.h"
#include "database/multimedia/obj_note_node.h"
#include "database/multimedia/obj_rec.h"
#include "database/records/assoc_node.h"
#include "database/records/record_node.h"

#include <algorithm>

namespace {

/// Whether the node, or a node above it, waits for deletion.
bool IsGone(const CDataNode* node)
{
    for (; node; node = node->GetParent())
        if (node->IsPendingDeletion())
            return true;
    return false;
}

} // namespace

std::vector<CMeLinkEntry> BuildLinkEntries(CMediaItem& item)
{
    std::vector<CMeLinkEntry> entries;
    for (CDataNode* note = item.FindFrameNoteAfter(nullptr); note;
         note = item.FindFrameNoteAfter(note)) {
        if (IsGone(note))
            continue;
        CMeLinkEntry entry;
        entry.note = note;
        GetFrame(*note, entry.frame, entry.number);
        entry.frame.NormalizeRect();
        entries.push_back(entry);
    }
    auto* record = dynamic_cast<CObjRec*>(item.GetHolderNode());
    if (!record)
        return entries;
    for (CAssocNode* link = CAssocNode::GetFirstLink(); link; link = link->GetNextLink()) {
        if (link->GetFieldId() != FIELD_OBJE || link->GetLinkTarget() != record || IsGone(link))
            continue;
        const int number = FieldNumber(link->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER));
        auto paired = std::find_if(entries.begin(), entries.end(), [&](const CMeLinkEntry& e) {
            return e.note && !e.link && number > 0 && e.number == number;
        });
        if (paired == entries.end()) {
            entries.push_back({});
            paired = entries.end() - 1;
            paired->number = number;
        }
        paired->link = link;
        paired->record = link->GetRecord();
    }
    return entries;
}

int HitTestLinkEntries(const std::vector<CMeLinkEntry>& entries, CPoint point)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].HasFrame() && entries[i].frame.PtInRect(point))
            return int(i);
    return -1;
}

bool EnsureEntryNote(CMediaItem& item, CMeLinkEntry& entry)
{
    if (entry.note)
        return true;
    int number = 0;
    entry.note = item.AddFrameNote(&number, entry.HasFrame() ? &entry.frame : nullptr);
    if (!entry.note)
        return false;
    entry.number = number;
    if (entry.link) {
        CDataNode* field = entry.link->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER);
        if (!field)
            field = entry.link->CreateChildById(FIELD_OBJE_LINK_NUMBER, {.withChildren = false});
        if (field)
            SetTextValue(field, std::to_string(number));
    }
    return true;
}

bool StoreEntryFrame(CMediaItem& item, CMeLinkEntry& entry, const RECT& frame)
{
    CRect normal = frame;
    normal.NormalizeRect();
    const bool made = !entry.note;
    entry.frame = normal;
    if (!EnsureEntryNote(item, entry))
        return false;
    if (made && entry.HasFrame())
        return true;
    CRectNode* rect = nullptr;
    CNumberNode* number = nullptr;
    GetFrameFields(*entry.note, rect, number);
    if (!rect)
        rect = dynamic_cast<CRectNode*>(
            entry.note->CreateChildById(FIELD_OBJE_FRAME, {.withChildren = false}));
    if (!rect)
        return false;
    rect->SetRect(normal);
    return true;
}
