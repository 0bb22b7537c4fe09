// database/nodes/data_node.cpp: CDataNode: the node's place in the tree, its value text, comparing
// and matching.
#include "database/nodes/data_node.h"

#include "database/dictionary/qualifier_table.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_control_host.h"
#include "database/nodes/node_pool.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The buffer size in which the base compares and matches display texts.
constexpr int kCompareBytes = 300;

} // namespace

CDataNode::~CDataNode()
{
    if (!IsChangeTrackingOn())
        return;
    CDataNode* next = nullptr;
    for (CDataNode* child = GetFirstChild(); child; child = next) {
        next = child->GetNextSibling();
        if (child->IsRecord() || !next)
            child->Detach();
    }
    if (CDataNode* parent = GetParent())
        parent->UnlinkChild(this, true);
}

void CDataNode::operator delete(void* block, std::size_t size) noexcept
{
    CNodePool::Nodes().Free(block, size);
}

void CDataNode::KeepAsPoolOwner() noexcept
{
    CNodePool::Nodes().KeepOwner(
        this, [](void* node) noexcept { static_cast<CDataNode*>(node)->~CDataNode(); });
}

void CDataNode::NotInPool()
{
    std::abort();
}

const CRuntimeClass* CDataNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CDataNode>();
}

CObject* CDataNode::CreateObject()
{
    return RuntimeClassOf<CDataNode>()->CreateObject();
}

CDataNode* CDataNode::GetParent() const
{
    if (IsRecord())
        return static_cast<const CRecordNode*>(this)->KeptRoot();
    const CDataNode* node = this;
    while (CDataNode* next = node->GetNextSibling())
        node = next;
    return node->ChainParent();
}

std::size_t CDataNode::CountChildren() const
{
    if (const ChildTally* tally = const_cast<CDataNode*>(this)->RootTally())
        return tally->count;
    std::size_t count = 0;
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling())
        ++count;
    return count;
}

void CDataNode::Detach()
{
    m_link = 0;
    if (IsRecord()) {
        static_cast<CRecordNode*>(this)->SetKeptRoot(nullptr);
        static_cast<CRecordNode*>(this)->SetKeptPrevSibling(nullptr);
    }
}

void CDataNode::SetRecordPrev(CDataNode* node, CDataNode* prev)
{
    if (node && node->IsRecord())
        static_cast<CRecordNode*>(node)->SetKeptPrevSibling(prev);
}

CRecordNode* CDataNode::GetRecord() const
{
    for (const CDataNode* node = this; node; node = node->GetParent()) {
        if (node->IsRecord())
            return static_cast<CRecordNode*>(const_cast<CDataNode*>(node));
    }
    return nullptr;
}

// ---- Base behaviour of the virtual operations ---------------------------------------------

CDataCtl* CDataNode::ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                   DWORD style, UINT id, DWORD flags)
{
    const CControlClass* controlClass = GetFieldDef() ? GetFieldDef()->GetControlClass() : nullptr;
    IDataControlHost* host = GetDataControlHost();
    if (!controlClass || !host)
        return nullptr;
    return host->CreateControl(*controlClass, *this, parent, rect, owner, style, id, flags);
}

bool CDataNode::UpdateFromControl(CDataCtl*, bool, bool)
{
    return true;
}

bool CDataNode::CanModifyChild(const CDataNode*, std::string&) const
{
    return true;
}

bool CDataNode::CanDeleteChild(const CDataNode*, std::string&) const
{
    return true;
}

bool CDataNode::GetText(std::string& text, int) const
{
    text.clear();
    return false;
}

int CDataNode::GetTextBuf(char* buffer, int size, int) const
{
    return CopyNodeText(buffer, size);
}

bool CDataNode::SetText(std::string_view)
{
    return false;
}

bool CDataNode::AppendText(std::string_view, int)
{
    return false;
}

CDataNode* CDataNode::CopyValueFrom(const CDataNode*)
{
    return this;
}

std::string CDataNode::GetCompareText(int format) const
{
    char buffer[kCompareBytes];
    const int length = GetTextBuf(buffer, kCompareBytes, format);
    return std::string(buffer, std::size_t(length));
}

int CDataNode::Compare(const CDataNode* other, int format) const
{
    const std::string mine = GetCompareText(format);
    const std::string theirs = other ? other->GetCompareText(format) : std::string();
    return text::CompareNoCase(mine, theirs);
}

bool CDataNode::SupportsQualifier(int) const
{
    return false;
}

bool CDataNode::IsEqual(const CDataNode*, const void*) const
{
    return false;
}

bool CDataNode::MatchEnum(int, int, int) const
{
    return false;
}

bool CDataNode::MatchRecord(int, int, const CRecordNode*) const
{
    return false;
}

bool CDataNode::MatchDate(int, int, const CDateValue&) const
{
    return false;
}

bool CDataNode::MatchMonthDay(int, int, int, int) const
{
    return false;
}

bool CDataNode::MatchSpan(int, int, int, int, int) const
{
    return false;
}

bool CDataNode::MatchNumber(int format, int op, long value) const
{
    const long number = text::ParseLeadingInt(GetCompareText(format));
    switch (op) {
    case COND_EQUAL:
        return number == value;
    case COND_GREATER:
        return number > value;
    case COND_LESS:
        return number < value;
    default:
        return false;
    }
}

bool CDataNode::MatchText(int format, int op, bool caseSensitive,
                          std::optional<std::string_view> operand) const
{
    if (!operand)
        return false;
    std::string value = GetCompareText(format);
    std::string wanted(*operand);
    if (!caseSensitive && (op == COND_BEGINS || op == COND_ENDS || op == COND_CONTAINS)) {
        value = text::ToLower(value);
        wanted = text::ToLower(wanted);
    }
    const auto compare = [&] {
        return caseSensitive ? value.compare(wanted) : text::CompareNoCase(value, wanted);
    };
    switch (op) {
    case COND_EQUAL:
        return compare() == 0;
    case COND_GREATER:
        return compare() > 0;
    case COND_LESS:
        return compare() < 0;
    case COND_BEGINS:
        return value.starts_with(wanted);
    case COND_ENDS:
        return value.ends_with(wanted);
    case COND_CONTAINS:
        return value.find(wanted) != std::string::npos;
    default:
        return false;
    }
}

bool CDataNode::ContainsText(std::span<const CSearchTerm> terms, bool caseSensitive,
                             bool recursive) const
{
    if (!recursive)
        return false;
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        const CFieldDef* def = child->GetFieldDef();
        if (def && !def->IsHidden() && child->ContainsText(terms, caseSensitive, recursive))
            return true;
    }
    return false;
}

bool CDataNode::WriteGedcom(int, std::string&) const
{
    return true;
}

int CDataNode::SetLink(CRecordNode*, bool)
{
    return 0;
}

// ---- Reading the tree ---------------------------------------------------------------------

CDataNode* CDataNode::FindChild(const CDataNode* after, int fieldId, bool skipEmpty) const
{
    if (after && after->GetParent() != this)
        return nullptr;
    for (CDataNode* child = after ? after->GetNextSibling() : GetFirstChild(); child;
         child = child->GetNextSibling()) {
        if (fieldId != 0 && child->GetFieldId() != fieldId)
            continue;
        if (skipEmpty && child->IsEmpty())
            continue;
        return child;
    }
    return nullptr;
}

CDataNode* CDataNode::FindChildByDef(const CFieldDef* def, const CDataNode* after) const
{
    if (after && after->GetParent() != this)
        return nullptr;
    for (CDataNode* child = after ? after->GetNextSibling() : GetFirstChild(); child;
         child = child->GetNextSibling()) {
        if (!def || child->GetFieldDef() == def)
            return child;
    }
    return nullptr;
}

int CDataNode::CountChildren(int fieldId) const
{
    int count = 0;
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling())
        count += fieldId == 0 || child->GetFieldId() == fieldId;
    return count;
}

int CDataNode::CountChildrenByDef(const CFieldDef* def) const
{
    int count = 0;
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling())
        count += child->GetFieldDef() == def;
    return count;
}

CDataNode* CDataNode::GetPrevSibling() const
{
    if (IsRecord())
        return static_cast<const CRecordNode*>(this)->KeptPrevSibling();
    const CDataNode* parent = GetParent();
    if (!parent)
        return nullptr;
    CDataNode* prev = nullptr;
    for (CDataNode* child = parent->GetFirstChild(); child && child != this;
         child = child->GetNextSibling())
        prev = child;
    return prev;
}

CDataNode* CDataNode::GetNextCitation(const CDataNode* after) const
{
    if (after && after->GetParent() != this)
        return nullptr;
    for (CDataNode* child = after ? after->GetNextSibling() : GetFirstChild(); child;
         child = child->GetNextSibling()) {
        const int id = child->GetFieldId();
        if ((id == FIELD_SOUR || id == FIELD_SOUR_TEXT) && !child->IsEmpty())
            return child;
    }
    return nullptr;
}

CDataNode* CDataNode::GetNextNoteText(const CDataNode* after, bool& local, CDataNode*& textNode,
                                      bool skipEmpty) const
{
    if (after && after->GetParent() != this)
        return nullptr;
    for (CDataNode* child = after ? after->GetNextSibling() : GetFirstChild(); child;
         child = child->GetNextSibling()) {
        const int id = child->GetFieldId();
        if (id == FIELD_NOTE) {
            const CRecordNode* note = child->GetLinkTarget();
            CDataNode* noteText = note ? note->FindChild(nullptr, FIELD_TEXT) : nullptr;
            if (skipEmpty && !note)
                continue;
            local = false;
            textNode = noteText;
            return child;
        }
        if (id == FIELD_NOTE_TEXT) {
            if (skipEmpty && child->IsEmpty())
                continue;
            local = true;
            textNode = child;
            return child;
        }
    }
    return nullptr;
}

bool CDataNode::HasVisibleChildren() const
{
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        if (child->GetFieldDef() && !child->GetFieldDef()->IsHidden())
            return true;
    }
    return false;
}

bool CDataNode::LinksTo(const CRecordNode* record, bool recursive) const
{
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        if (child->GetLinkTarget() == record)
            return true;
        if (recursive && child->LinksTo(record, true))
            return true;
    }
    return false;
}

void CDataNode::CountLinksTo(const CRecordNode* record, int& counter) const
{
    if (GetFieldDef() && GetFieldDef()->GetDataType() == FDT_LINK && GetLinkTarget() == record)
        ++counter;
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling())
        child->CountLinksTo(record, counter);
}

CDataNode* CDataNode::FindLinkChild(int fieldId, const CRecordNode* record) const
{
    for (CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        if (child->GetFieldId() == fieldId && child->GetLinkTarget() == record)
            return child;
    }
    return nullptr;
}

int CDataNode::CopyNodeText(char* buffer, int size) const
{
    if (!buffer || size <= 0)
        return 0;
    std::string text;
    GetText(text, 0);
    const std::size_t length = text::Utf8Boundary(text, std::size_t(size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return int(length);
}

bool CDataNode::FieldDefMatchesTag(const CFieldDef* def, std::string_view tag, bool prefixRule)
{
    if (!def)
        return false;
    std::string_view stored = def->GetTag();
    if (prefixRule && def->HasFlag(FDF_LOCAL_FORM) && !stored.empty())
        stored.remove_suffix(1);
    return stored == tag;
}
