// database/nodes/data_node_edit.cpp: The tree-changing operations of CDataNode: creating, placing,
// moving and deleting children.
#include "database/nodes/data_node.h"

#include "common/abort.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/source_citation.h"
#include "database/records/record_node.h"

namespace {

int OrderOf(const CDataNode* node)
{
    const CFieldDef* def = node->GetFieldDef();
    return def ? def->GetSiblingOrder() : 0;
}

} // namespace

// ---- Placing children ---------------------------------------------------------------------

namespace {

/// Whether child is a record numbered above 0, above the record before it and below the one
/// after it.
bool StandsInNumberOrder(const CDataNode* child)
{
    if (!child->IsRecord())
        return false;
    const std::int32_t number = static_cast<const CRecordNode*>(child)->GetRecordNumber();
    const CDataNode* prev = child->GetPrevSibling();
    const CDataNode* next = child->GetNextSibling();
    return number > 0 &&
           (!prev || (prev->IsRecord() &&
                      static_cast<const CRecordNode*>(prev)->GetRecordNumber() < number)) &&
           (!next || (next->IsRecord() &&
                      static_cast<const CRecordNode*>(next)->GetRecordNumber() > number));
}

} // namespace

void CDataNode::LinkAfter(CDataNode* child, CDataNode* prev)
{
    if (prev) {
        child->m_link = prev->m_link;
        prev->m_link = SiblingLink(child);
    } else {
        child->m_link = m_firstChild ? m_firstChild << kLinkShift : ParentLink(this);
        SetFirstChild(child);
    }
    if (child->IsRecord())
        static_cast<CRecordNode*>(child)->SetKeptRoot(this);
    SetRecordPrev(child, prev);
    SetRecordPrev(child->GetNextSibling(), child);
    if (ChildTally* tally = RootTally()) {
        ++tally->count;
        if (child->IsLastSibling())
            tally->last = child;
        tally->ascending = tally->ascending && StandsInNumberOrder(child);
    }
}

void CDataNode::NoteRecordRenumbered(const CDataNode* child)
{
    if (ChildTally* tally = RootTally(); tally && tally->ascending)
        tally->ascending = StandsInNumberOrder(child);
}

void CDataNode::LinkOrdered(CDataNode* child, bool ordered)
{
    if (ChildTally* tally = RootTally(); tally && !ordered) {
        LinkAfter(child, tally->last);
        return;
    }
    CDataNode* prev = nullptr;
    for (CDataNode* node = GetFirstChild(); node; node = node->GetNextSibling()) {
        if (ordered && OrderOf(node) > OrderOf(child))
            break;
        prev = node;
    }
    LinkAfter(child, prev);
}

void CDataNode::AppendChild(CDataNode* child, bool ordered)
{
    LinkOrdered(child, ordered);
    MarkChanged(child);
}

void CDataNode::AppendLoadedRecord(CRecordNode* record)
{
    ChildTally* tally = RootTally();
    CDataNode* last = tally ? tally->last : nullptr;
    if (!last || !last->IsRecord() || !last->IsLastSibling() || IsChangeTrackingOn()) {
        AppendChild(record, false);
        return;
    }
    record->m_link = last->m_link;
    last->m_link = SiblingLink(record);
    // The last record already names this root: its word is copied rather than looked up.
    record->m_root = static_cast<CRecordNode*>(last)->m_root;
    record->SetKeptPrevSibling(last);
    ++tally->count;
    tally->last = record;
    tally->ascending =
        tally->ascending && record->GetRecordNumber() > 0 &&
        record->GetRecordNumber() > static_cast<CRecordNode*>(last)->GetRecordNumber();
}

bool CDataNode::CanStandBeside(const CDataNode* child, const CDataNode* sibling, bool before) const
{
    if (!sibling || sibling->GetParent() != this)
        return false;
    const int order = OrderOf(child);
    const int siblingOrder = OrderOf(sibling);
    if (order == siblingOrder)
        return true;
    if (before) {
        const CDataNode* prev = sibling->GetPrevSibling();
        return (!prev || OrderOf(prev) <= order) && siblingOrder >= order;
    }
    const CDataNode* next = sibling->GetNextSibling();
    return (!next || OrderOf(next) >= order) && siblingOrder <= order;
}

void CDataNode::InsertChild(CDataNode* child, CDataNode* sibling, bool before)
{
    if (CanStandBeside(child, sibling, before))
        LinkAfter(child, before ? sibling->GetPrevSibling() : sibling);
    else if (IsRecord() || GetParent())
        LinkOrdered(child, true);
    else if (before)
        LinkOrdered(child, false); // a record under its root: before puts it last,
    else
        LinkAfter(child, nullptr); // after puts it first
    MarkChanged(child);
}

void CDataNode::UnlinkChild(CDataNode* child, bool tolerant)
{
    CDataNode* prev = nullptr;
    if (child->IsRecord() && static_cast<CRecordNode*>(child)->KeptRoot() == this) {
        prev = static_cast<CRecordNode*>(child)->KeptPrevSibling();
    } else {
        CDataNode* node = GetFirstChild();
        while (node && node != child) {
            prev = node;
            node = node->GetNextSibling();
        }
        if (!node) {
            if (!tolerant)
                ThrowAbort();
            return;
        }
    }
    if (prev)
        prev->m_link = child->m_link;
    else
        SetFirstChild(child->GetNextSibling());
    SetRecordPrev(child->GetNextSibling(), prev);
    if (ChildTally* tally = RootTally()) {
        --tally->count;
        if (tally->last == child)
            tally->last = prev;
    }
    child->Detach();
}

void CDataNode::MoveTo(CDataNode* newParent, CDataNode* sibling, bool before)
{
    if (CDataNode* parent = GetParent())
        parent->UnlinkChild(this, false);
    newParent->InsertChild(this, sibling, before);
    if (IsChangeTrackingOn()) {
        SetFlag(DNF_NEW, true);
        MarkChanged(this);
    }
}

bool CDataNode::MoveUp()
{
    CDataNode* prev = GetPrevSibling();
    if (!prev || OrderOf(prev) != OrderOf(this))
        return false;
    CDataNode* parent = GetParent();
    parent->UnlinkChild(this, false);
    parent->LinkAfter(this, prev->GetPrevSibling());
    MarkChanged(this);
    return true;
}

bool CDataNode::MoveDown()
{
    CDataNode* next = GetNextSibling();
    if (!next || OrderOf(next) != OrderOf(this))
        return false;
    CDataNode* parent = GetParent();
    parent->UnlinkChild(this, false);
    parent->LinkAfter(this, next);
    MarkChanged(this);
    return true;
}

// ---- Creating children --------------------------------------------------------------------

CDataNode* CDataNode::FindReusableChild(const CFieldDef* def) const
{
    for (CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        if (child->GetFieldDef() == def && !child->GetFirstChild() && child->IsEmpty())
            return child;
    }
    return nullptr;
}

CDataNode* CDataNode::CreateChild(const CFieldDef* def, const CreateOptions& options)
{
    const bool isRoot = !IsRecord() && !GetParent();
    if (!def) {
        if (!isRoot)
            return nullptr;
        def = GetFieldDef();
    }
    if (options.reuseEmpty && !isRoot) {
        if (CDataNode* reused = FindReusableChild(def)) {
            CiteReusedField(reused);
            return reused;
        }
    }
    std::vector<CDataNode*> made;
    CDataNode* node = nullptr;
    try {
        node = CreateNodeFromDef(def, options.withChildren, &made);
    } catch (...) {
        for (auto it = made.rbegin(); it != made.rend(); ++it)
            delete *it;
        if (CauseOfAbandon() == AbandonCause::OutOfMemory)
            throw; // the operation's handler says so
        return nullptr;
    }
    if (!node)
        return nullptr;
    if (!options.sibling && !options.after)
        AppendChild(node, !isRoot);
    else
        InsertChild(node, options.sibling, !options.after);
    CiteNewNode(node);
    if (IsChangeTrackingOn()) {
        node->SetFlag(DNF_NEW, true);
        NoteNodeCreated();
        MarkChanged(node);
    }
    return node;
}

CDataNode* CDataNode::CreateChildById(int fieldId, const CreateOptions& options)
{
    const CFieldDef* def = FindChildDefById(GetFieldDef(), fieldId);
    return def ? CreateChild(def, options) : nullptr;
}

CDataNode* CDataNode::CreateChildOfClass(const CNodeClass*, int fieldId,
                                         const CreateOptions& options)
{
    return CreateChildById(fieldId, options);
}

CDataNode* CDataNode::CreateChildByTag(std::string_view tag, const CreateOptions& options)
{
    const CFieldDef* found = nullptr;
    for (const CFieldDef* def = GetFieldDef() ? GetFieldDef()->GetFirstChild() : nullptr; def;
         def = def->GetNextSibling()) {
        if (FieldDefMatchesTag(def, tag, false)) {
            found = def;
            break;
        }
    }
    return found ? CreateChild(found, options) : nullptr;
}

CDataNode* CDataNode::AddTextChild(int fieldId, std::string_view text)
{
    CDataNode* child = CreateChildById(fieldId);
    if (child)
        child->SetText(text);
    return child;
}

CDataNode* CDataNode::AddLinkChild(int fieldId, CRecordNode* record)
{
    CDataNode* child = CreateChildById(fieldId);
    if (child && !child->SetLink(record, true)) {
        DeleteChild(child);
        return nullptr;
    }
    return child;
}

// ---- Deleting children --------------------------------------------------------------------

void CDataNode::DeleteChild(CDataNode* child)
{
    if (GetParent()) {
        for (CDataNode* later = child->GetNextSibling(); later; later = later->GetNextSibling()) {
            if (later->GetFieldDef() == child->GetFieldDef())
                MarkSubtreeChanged(later);
        }
        MarkChanged(this);
    }
    UnlinkChild(child, true);
    child->ScheduleDelete();
}

void CDataNode::ScheduleDelete()
{
    if (IsChangeTrackingOn())
        ListRecordAsChanged(GetRecord());
    SetFlag(DNF_PENDING_DELETE, true);
    CDataNode* next = nullptr;
    for (CDataNode* child = GetFirstChild(); child; child = next) {
        next = child->GetNextSibling();
        if (!child->IsPendingDeletion())
            child->ScheduleDelete();
    }
    Detach();
    SetFirstChild(nullptr);
    PushPendingDeletion(this);
}

void CDataNode::DeleteNode(CDataNode* node)
{
    if (!node)
        return;
    if (CDataNode* parent = node->GetParent()) {
        parent->DeleteChild(node);
    } else {
        node->DeleteChildren();
        delete node;
    }
    NotifyChanges();
}

void CDataNode::DeleteChildren()
{
    CDataNode* next = nullptr;
    for (CDataNode* child = GetFirstChild(); child; child = next) {
        next = child->GetNextSibling();
        child->DeleteChildren();
        child->Detach();
        delete child;
    }
    SetFirstChild(nullptr);
    if (ChildTally* tally = RootTally())
        *tally = ChildTally();
}

void CDataNode::DeleteChildrenById(int fieldId)
{
    CDataNode* next = nullptr;
    for (CDataNode* child = GetFirstChild(); child; child = next) {
        next = child->GetNextSibling();
        if (child->GetFieldId() == fieldId)
            DeleteChild(child);
    }
}

void CDataNode::DeleteChildrenWhere(const std::function<bool(const CDataNode*)>& pick)
{
    std::vector<CDataNode*> picked;
    CDataNode* prev = nullptr;
    CDataNode* next = nullptr;
    for (CDataNode* child = GetFirstChild(); child; child = next) {
        next = child->GetNextSibling();
        if (!pick(child)) {
            prev = child;
            continue;
        }
        if (prev)
            prev->m_link = child->m_link;
        else
            SetFirstChild(next);
        SetRecordPrev(next, prev);
        picked.push_back(child);
    }
    if (ChildTally* tally = RootTally(); tally && !picked.empty()) {
        tally->last = prev;
        tally->count -= picked.size();
    }
    for (CDataNode* child : picked)
        child->ScheduleDelete();
}

bool CDataNode::DeleteMarkedChildren()
{
    bool deleted = false;
    CDataNode* next = nullptr;
    for (CDataNode* child = GetFirstChild(); child; child = next) {
        next = child->GetNextSibling();
        if (child->HasFlag(DNF_MARK)) {
            DeleteChild(child);
            deleted = true;
        } else {
            deleted |= child->DeleteMarkedChildren();
        }
    }
    return deleted;
}
