// database/nodes/data_node_merge.cpp: The merge support of CDataNode: marks, pairing with the other
// data set and taking its fields.
#include "database/nodes/data_node.h"

#include "database/records/record_node.h"

#include <cstdint>

namespace {

/// The number of paired siblings before node that share its definition.
int PairedIndex(const CDataNode* node)
{
    int index = 0;
    for (const CDataNode* sibling = node->GetParent()->GetFirstChild(); sibling && sibling != node;
         sibling = sibling->GetNextSibling()) {
        index += sibling->GetFieldDef() == node->GetFieldDef() && sibling->HasFlag(DNF_PAIRED);
    }
    return index;
}

/// The index-th paired child of parent with that definition; null when there is none.
CDataNode* NthPairedChild(const CDataNode* parent, const CFieldDef* def, int index)
{
    for (CDataNode* child = parent->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (child->GetFieldDef() == def && child->HasFlag(DNF_PAIRED) && index-- == 0)
            return child;
    }
    return nullptr;
}

/// The child of otherParent at node's place among the paired children of its definition.
CDataNode* PartnerIn(const CDataNode* node, const CDataNode* otherParent)
{
    if (!node->HasFlag(DNF_PAIRED))
        return nullptr;
    return NthPairedChild(otherParent, node->GetFieldDef(), PairedIndex(node));
}

bool HasRoomFor(const CDataNode* parent, const CFieldDef* def, int alreadyKept)
{
    if (def->IsUnbounded())
        return true;
    return parent->CountChildrenByDef(def) + alreadyKept < def->GetMaxCount();
}

} // namespace

void CDataNode::SetSubtreeMark(bool on)
{
    SetFlag(DNF_PAIRED, false);
    SetFlag(DNF_MARK, on);
    for (CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling())
        child->SetSubtreeMark(on);
}

void CDataNode::SetSubtreeMergeFlag(bool on)
{
    SetFlag(DNF_MERGE, on);
    for (CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling())
        child->SetSubtreeMergeFlag(on);
}

void CDataNode::GetSubtreeMarks(bool& hasUnmarked, bool& hasMarked) const
{
    if (hasUnmarked && hasMarked)
        return;
    if (GetFieldDef() && GetFieldDef()->IsHidden())
        return;
    if (!HasFlag(DNF_PAIRED))
        (HasFlag(DNF_MARK) ? hasMarked : hasUnmarked) = true;
    for (const CDataNode* child = GetFirstChild(); child && !(hasUnmarked && hasMarked);
         child = child->GetNextSibling())
        child->GetSubtreeMarks(hasUnmarked, hasMarked);
}

void CDataNode::PairSubtrees(CDataNode* counterpart, const void* maps)
{
    SetFlag(DNF_PAIRED, true);
    SetFlag(DNF_MARK, false);
    counterpart->SetFlag(DNF_PAIRED, true);
    counterpart->SetFlag(DNF_MARK, false);
    CDataNode* lastPartner = nullptr;
    for (CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        CDataNode* partner = counterpart->GetFirstChild();
        while (partner && (partner->GetFieldDef() != child->GetFieldDef() ||
                           partner->HasFlag(DNF_PAIRED) || !child->IsEqual(partner, maps)))
            partner = partner->GetNextSibling();
        if (!partner) {
            child->SetSubtreeMark(false);
            continue;
        }
        // Keep the partners of one definition in this side's order, which is how a field finds
        // its partner later: one found before a partner already taken goes after the last
        // taken, even where fields of other definitions stand between them.
        CDataNode* lastTaken = nullptr;
        for (CDataNode* later = partner->GetNextSibling(); later; later = later->GetNextSibling()) {
            if (later->GetFieldDef() == partner->GetFieldDef() && later->HasFlag(DNF_PAIRED))
                lastTaken = later;
        }
        if (!lastTaken && lastPartner && lastPartner->GetFieldDef() == partner->GetFieldDef())
            lastTaken = lastPartner;
        if (lastTaken) {
            counterpart->UnlinkChild(partner, false);
            counterpart->LinkAfter(partner, lastTaken);
        }
        child->PairSubtrees(partner, maps);
        lastPartner = partner;
    }
    for (CDataNode* other = counterpart->GetFirstChild(); other; other = other->GetNextSibling()) {
        if (other->HasFlag(DNF_PAIRED))
            continue;
        int kept = 0;
        for (const CDataNode* earlier = counterpart->GetFirstChild(); earlier != other;
             earlier = earlier->GetNextSibling()) {
            kept += earlier->GetFieldDef() == other->GetFieldDef() &&
                    !earlier->HasFlag(DNF_PAIRED) && !earlier->HasFlag(DNF_MARK);
        }
        other->SetSubtreeMark(!HasRoomFor(this, other->GetFieldDef(), kept));
    }
}

CDataNode* CDataNode::FindCounterpart(CDataNode* otherRecord) const
{
    if (!otherRecord)
        return nullptr;
    std::vector<const CDataNode*> path;
    for (const CDataNode* node = this; node && !node->IsRecord(); node = node->GetParent())
        path.push_back(node);
    CDataNode* current = otherRecord;
    for (auto it = path.rbegin(); it != path.rend() && current; ++it) {
        if (!(*it)->GetParent())
            return nullptr;
        current = PartnerIn(*it, current);
    }
    return current;
}

void CDataNode::MergeChildren(CDataNode* counterpart, CRecordNode* sourceRecord, bool annotate)
{
    CDataNode* next = nullptr;
    for (CDataNode* child = GetFirstChild(); child; child = next) {
        next = child->GetNextSibling();
        if (CDataNode* partner = PartnerIn(child, counterpart))
            child->MergeChildren(partner, sourceRecord, annotate);
        else if (!child->HasFlag(DNF_PAIRED) && child->HasFlag(DNF_MARK))
            DeleteChild(child);
    }
    // Kept fields of the other side come over in their order, each after the field that now
    // precedes it on this side.
    CDataNode* anchor = nullptr;
    for (CDataNode* other = counterpart->GetFirstChild(); other; other = next) {
        next = other->GetNextSibling();
        if (other->HasFlag(DNF_PAIRED)) {
            anchor = PartnerIn(other, this);
            continue;
        }
        if (other->HasFlag(DNF_MARK))
            continue;
        other->MoveTo(this, anchor, false);
        anchor = other;
        if (sourceRecord) {
            std::string path;
            other->CiteMergeSource(sourceRecord, annotate, path);
        }
    }
}

CDataNode* CDataNode::CiteMergeSource(CRecordNode* sourceRecord, bool climb, std::string& path)
{
    for (CDataNode* node = this; node; node = node->GetParent()) {
        const CFieldDef* def = node->GetFieldDef();
        if (!def || def->IsHidden() || def->IsNotInAddMenu())
            return nullptr;
        CDataNode* citation = node->FindLinkChild(FIELD_SOUR, sourceRecord);
        if (!citation && node->CanHaveSourceCitation())
            citation = node->AddLinkChild(FIELD_SOUR, sourceRecord);
        if (citation) {
            if (node != this)
                citation->AddTextChild(FIELD_NOTE_TEXT, "Source for field: " + path);
            return citation;
        }
        if (!climb || node->IsRecord())
            return nullptr;
        std::string label;
        node->GetLabel(label);
        path = path.empty() ? label : label + "\\" + path;
    }
    return nullptr;
}
