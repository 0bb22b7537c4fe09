// database/records/assoc_node.cpp: CAssocNode: a link field's target kept two-way, its
// cross-reference text and its control.
#include "database/records/assoc_node.h"

#include "database/dictionary/qualifier_table.h"
#include "database/dictionary/record_type_table.h"
#include "database/document/merge_record_map.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_control_access.h"
#include "database/nodes/data_model.h"
#include "database/nodes/node_pool.h"
#include "database/records/assoc_link_table.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/progress.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <cstring>
#include <limits>
#include <optional>
#include <unordered_set>

namespace {

bool IsFamilyLinkId(int fieldId)
{
    return fieldId == FIELD_CHIL || fieldId == FIELD_FAMC || fieldId == FIELD_FAMS ||
           fieldId == FIELD_HUSB || fieldId == FIELD_WIFE;
}

/// The records a walk has met: a few in place, any number beyond.
class CSeenRecords {
public:
    /// True when record was not met before.
    bool Insert(const CRecordNode* record)
    {
        if (m_count < m_small.size()) {
            const auto end = m_small.begin() + std::ptrdiff_t(m_count);
            if (std::find(m_small.begin(), end, record) != end)
                return false;
            m_small[m_count++] = record;
            return true;
        }
        if (std::find(m_small.begin(), m_small.end(), record) != m_small.end())
            return false;
        return m_large.insert(record).second;
    }

private:
    std::array<const CRecordNode*, 16> m_small{};
    std::size_t m_count = 0;
    std::unordered_set<const CRecordNode*> m_large;
};

/// Links whose value word holds a kept text, and those among them whose text the identifier
/// maps hold.
std::size_t g_keptTexts = 0;
std::size_t g_heldTexts = 0;

/// The record-type rows last found for the target types of link definitions, by definition
/// index (TargetTypeIndex). Atomic, since the query worker thread asks too.
std::array<std::atomic<const CRecordType*>, 64> g_targetRows{};

/// The list index of the record type a link of def points at; -1 when none. Every link a load
/// reads asks, and the table's own lookup walks its rows whenever the type differs from the
/// one asked for last: the row found for a definition is kept by the definition's index, and
/// given again only while the row still has the definition's target as its top, so an answer
/// the table no longer holds is never used.
inline int TargetTypeIndex(const CFieldDef* def)
{
    if (!def)
        return -1;
    const CFieldDef* target = def->GetLinkTarget();
    std::atomic<const CRecordType*>& kept = g_targetRows[def->GetIndex() % g_targetRows.size()];
    const CRecordType* row = kept.load(std::memory_order_relaxed);
    if (!row || row->m_topDef != target || !target) {
        row = GetRecordTypeTable().RowForDef(target);
        if (!row)
            return -1;
        kept.store(row, std::memory_order_relaxed);
    }
    return row->m_listIndex;
}

} // namespace

/// What FindPendingTarget answers for the links of a load, for the walk that resolves them:
/// the value word read here, and each type's number map asked through the pages the walk met.
class CLoadedTargetFinder {
public:
    /// Inline, with the rare cases out of line, as the walk passes every link of a load here.
    [[gnu::always_inline]] CRecordNode* Find(const CAssocNode& link)
    {
        const std::uintptr_t value = link.m_value;
        const std::uintptr_t tag = value & CAssocNode::kValueTags;
        const auto listIndex =
            std::size_t((value >> CAssocNode::kNumberTypeShift) & CAssocNode::kNumberTypeMask);
        if (tag != CAssocNode::kNumberTag) {
            // A file of non-standard identifiers has every link held: asked here without a call.
            if (tag == CAssocNode::kHeldTag && listIndex <= std::size_t(RECORD_LIST_HEAD))
                return g_recordIdStates[listIndex].m_textMap.FindHeld(value & ~kHeldOwnBits);
            return tag != 0 ? link.FindPendingTextTarget() : nullptr;
        }
        if (listIndex > std::size_t(RECORD_LIST_HEAD)) // no type's state
            return nullptr;
        return m_pages[listIndex].Find(g_recordIdStates[listIndex].m_numberMap,
                                       std::int32_t(value >> 32));
    }

private:
    static constexpr std::uintptr_t kHeldOwnBits =
        (std::uintptr_t(1) << CRecordTextIds::kHeldFreeBits) - 1;

    std::array<CRecordNumberMap::CPageCache, RECORD_LIST_HEAD + 1> m_pages{};
};

static_assert(sizeof(CAssocNode) <= 48, "links are among the most common nodes");

CAssocNode::~CAssocNode()
{
    // Emptying the data set frees targets before some of their links: no list is kept then.
    if (GetLinkTarget() && IsClearingDataSet())
        m_value = 0;
    ClearValue(); // leaves the target's list while the slot still holds its place there
    CAssocLinkTable::Remove(m_slot);
}

const CRuntimeClass* CAssocNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CAssocNode>();
}

CAssocNode* CAssocNode::GetFirstLink()
{
    return CAssocLinkTable::NewestBelow(CAssocLinkTable::kNoSlot);
}

CAssocNode* CAssocNode::GetNextLink() const
{
    return CAssocLinkTable::NewestBelow(m_slot);
}

// ---- The value word -----------------------------------------------------------------------

CRecordNode* CAssocNode::GetLinkTarget() const
{
    return (m_value & kValueTags) ? nullptr : reinterpret_cast<CRecordNode*>(m_value);
}

std::optional<std::string_view> CAssocNode::KeptText() const
{
    if ((m_value & kValueTags) != kTextTag)
        return std::nullopt;
    const auto* block = reinterpret_cast<const char*>(m_value & ~kValueTags);
    std::uint32_t size = 0;
    std::memcpy(&size, block, sizeof size);
    return std::string_view(block + sizeof size, size);
}

std::int32_t CAssocNode::GetReferenceNumber() const
{
    return (m_value & kValueTags) == kNumberTag ? std::int32_t(m_value >> 32) : 0;
}

bool CAssocNode::HasCrossReference() const
{
    return (m_value & kValueTags) != 0;
}

void CAssocNode::SetNumberValue(std::int32_t number, int listIndex)
{
    ClearValue();
    m_value = NumberValue(number, listIndex);
}

int CAssocNode::NumberTypeIndex() const
{
    const auto type = int((m_value >> kNumberTypeShift) & kNumberTypeMask);
    return type == int(kNumberTypeMask) ? -1 : type;
}

void CAssocNode::SetTextValue(std::string_view text)
{
    ClearValue();
    const auto size = std::uint32_t(text.size());
    auto* block = static_cast<char*>(CNodePool::Nodes().Allocate(sizeof size + size));
    std::memcpy(block, &size, sizeof size);
    if (size != 0)
        std::memcpy(block + sizeof size, text.data(), size);
    m_value = reinterpret_cast<std::uintptr_t>(block) | kTextTag;
    ++g_keptTexts;
}

bool CAssocNode::SetHeldValue(CRecordIdState* state, int listIndex, std::string_view text)
{
    if (!state || !IsRecordNumberingSuspended())
        return false;
    SetHeldWord(state->m_textMap.Hold(text), listIndex);
    return true;
}

void CAssocNode::SetHeldWord(std::uint64_t held, int listIndex)
{
    static_assert(CRecordTextIds::kHeldFreeBits >= kNumberTypeShift + 4);
    const auto type = std::uintptr_t(listIndex) & kNumberTypeMask;
    ClearValue();
    m_value = std::uintptr_t(held) | (type << kNumberTypeShift) | kHeldTag;
    ++g_keptTexts;
    ++g_heldTexts;
}

CRecordNode* CAssocNode::FindHeldTarget() const
{
    // The type kept in the value word: no definition is read.
    const CRecordIdState* state = GetRecordIdState(NumberTypeIndex());
    constexpr std::uintptr_t kOwnBits = (std::uintptr_t(1) << CRecordTextIds::kHeldFreeBits) - 1;
    return state ? state->m_textMap.FindHeld(m_value & ~kOwnBits) : nullptr;
}

bool CAssocNode::AppendHeldText(std::string& text) const
{
    const CRecordIdState* state = GetRecordIdState(NumberTypeIndex());
    constexpr std::uintptr_t kOwnBits = (std::uintptr_t(1) << CRecordTextIds::kHeldFreeBits) - 1;
    return state && state->m_textMap.AppendHeldText(m_value & ~kOwnBits, text);
}

void CAssocNode::KeepHeldText()
{
    std::string text;
    if (AppendHeldText(text))
        SetTextValue(text);
    else
        ClearValue();
}

void CAssocNode::KeepHeldTexts()
{
    for (std::uint32_t slot = 0; g_heldTexts != 0 && slot < CAssocLinkTable::End(); ++slot) {
        CAssocNode* link = CAssocLinkTable::At(slot);
        if (link && (link->m_value & kValueTags) == kHeldTag)
            link->KeepHeldText();
    }
}

void CAssocNode::ForgetAllLinks() noexcept
{
    CAssocLinkTable::Clear();
    g_keptTexts = 0;
    g_heldTexts = 0;
}

void CAssocNode::ReleaseKeptText()
{
    if (const std::optional<std::string_view> text = KeptText()) {
        CNodePool::Nodes().Free(reinterpret_cast<void*>(m_value & ~kValueTags),
                                sizeof(std::uint32_t) + text->size());
        --g_keptTexts;
    } else if ((m_value & kValueTags) == kHeldTag) {
        --g_keptTexts;
        --g_heldTexts;
    }
}

void CAssocNode::StoreTarget(CRecordNode* record)
{
    ClearValue();
    m_value = reinterpret_cast<std::uintptr_t>(record);
    if (!record)
        return;
    // The link goes first on the target's list; the old first learns its previous link unless
    // the list waits for its previous links (a load's).
    const std::uint32_t own = CNodePool::IndexOf(static_cast<const CDataNode*>(this));
    const std::uint32_t head = record->m_firstLinkIn;
    const std::uint32_t first = head & ~kPrevLinksUnset;
    CAssocLinkTable::NextByTarget(m_slot) = first;
    CAssocLinkTable::PrevByTarget(m_slot) = 0;
    if (first != 0 && !(head & kPrevLinksUnset))
        CAssocLinkTable::PrevByTarget(LinkAt(first)->m_slot) = own;
    record->m_firstLinkIn = own | (head & kPrevLinksUnset);
}

void CAssocNode::JoinLoadedTargetList(CRecordNode* record)
{
    // Only the link's own slot and the target's first link are written, so that resolving a
    // load's links reads no other link; the previous links are set when one leaves the list.
    m_value = reinterpret_cast<std::uintptr_t>(record);
    const std::uint32_t own = CNodePool::IndexOf(static_cast<const CDataNode*>(this));
    CAssocLinkTable::NextByTarget(m_slot) = record->m_firstLinkIn & ~kPrevLinksUnset;
    CAssocLinkTable::PrevByTarget(m_slot) = 0;
    record->m_firstLinkIn = own | kPrevLinksUnset;
}

void CAssocNode::LeaveTargetList() noexcept
{
    auto* target = reinterpret_cast<CRecordNode*>(m_value);
    if (target->m_firstLinkIn & kPrevLinksUnset) {
        target->m_firstLinkIn &= ~kPrevLinksUnset;
        std::uint32_t prev = 0;
        for (std::uint32_t at = target->m_firstLinkIn; at != 0;) {
            const std::uint32_t slot = LinkAt(at)->m_slot;
            CAssocLinkTable::PrevByTarget(slot) = prev;
            prev = at;
            at = CAssocLinkTable::NextByTarget(slot);
        }
    }
    const std::uint32_t prev = CAssocLinkTable::PrevByTarget(m_slot);
    const std::uint32_t next = CAssocLinkTable::NextByTarget(m_slot);
    if (prev != 0)
        CAssocLinkTable::NextByTarget(LinkAt(prev)->m_slot) = next;
    else
        target->m_firstLinkIn = next;
    if (next != 0)
        CAssocLinkTable::PrevByTarget(LinkAt(next)->m_slot) = prev;
    CAssocLinkTable::NextByTarget(m_slot) = 0;
    CAssocLinkTable::PrevByTarget(m_slot) = 0;
}

void CAssocNode::DropLinksTo(CRecordNode* record) noexcept
{
    for (std::uint32_t at = record->m_firstLinkIn & ~kPrevLinksUnset; at != 0;) {
        CAssocNode* link = LinkAt(at);
        at = CAssocLinkTable::NextByTarget(link->m_slot);
        CAssocLinkTable::NextByTarget(link->m_slot) = 0;
        CAssocLinkTable::PrevByTarget(link->m_slot) = 0;
        link->m_value = 0;
    }
    record->m_firstLinkIn = 0;
}

CAssocNode* CAssocNode::FirstLinkTo(const CRecordNode* record)
{
    return record ? LinkAt(record->m_firstLinkIn & ~kPrevLinksUnset) : nullptr;
}

CAssocNode* CAssocNode::GetNextLinkToTarget() const
{
    return LinkAt(CAssocLinkTable::NextByTarget(m_slot));
}

std::size_t CAssocNode::CountKeptTexts()
{
    return g_keptTexts;
}

int CAssocNode::GetTargetTypeIndex() const
{
    return TargetTypeIndex(GetFieldDef());
}

std::string CAssocNode::GetXrefText() const
{
    std::string xref;
    AppendXrefText(xref);
    return xref;
}

bool CAssocNode::AppendXrefText(std::string& line) const
{
    if ((m_value & kValueTags) == kHeldTag) {
        const std::size_t start = line.size();
        line += '@';
        if (!AppendHeldText(line)) {
            line.resize(start);
            return false;
        }
        line += '@';
        return true;
    }
    if (const std::optional<std::string_view> text = KeptText()) {
        line += '@';
        line += *text;
        line += '@';
        return true;
    }
    // Every link of a save passes here: the target is read from the value word without a
    // virtual call, and the target type's row found from the definition in one step.
    const std::uintptr_t tag = m_value & kValueTags;
    const std::int32_t number =
        tag == kNumberTag ? GetReferenceNumber()
        : tag == 0 && m_value != 0
            ? reinterpret_cast<const CRecordNode*>(m_value)->GetRecordNumber()
            : 0;
    if (number < 1)
        return false;
    const CFieldDef* def = GetFieldDef();
    const CRecordType* row = def ? GetRecordTypeTable().RowForDef(def->GetLinkTarget()) : nullptr;
    if (!row)
        return false;
    char xref[16] = {'@', row->m_idLetter};
    char* end = PutRecordNumber(xref + 2, std::uint32_t(number));
    *end++ = '@';
    line.append(xref, end);
    return true;
}

// ---- Targets ------------------------------------------------------------------------------

void CAssocNode::SetTarget(CRecordNode* record)
{
    if (GetLinkTarget() == record && !HasCrossReference())
        return;
    StoreTarget(record);
    MarkChanged(this);
}

CAssocNode* CAssocNode::FindBackLink() const
{
    const CRecordNode* target = GetLinkTarget();
    const CFieldDef* def = GetFieldDef();
    if (!target || !def)
        return nullptr;
    const std::vector<std::string>& tags = def->GetValues().m_items;
    const CDataNode* own = GetParent();
    for (CDataNode* child = target->GetFirstChild(); child; child = child->GetNextSibling()) {
        const CFieldDef* childDef = child->GetFieldDef();
        if (!childDef || childDef->GetDataType() != FDT_LINK || child->GetLinkTarget() != own)
            continue;
        const bool tagged = std::any_of(tags.begin(), tags.end(), [&](const std::string& tag) {
            return childDef->GetTag() == tag;
        });
        if (tagged)
            return dynamic_cast<CAssocNode*>(child);
    }
    return nullptr;
}

void CAssocNode::ClearLink()
{
    CRecordNode* target = GetLinkTarget();
    if (!target) {
        ClearValue();
        return;
    }
    if (CAssocNode* back = FindBackLink()) {
        back->StoreTarget(nullptr);
        target->DeleteChild(back);
    }
    if (!target->IsPendingDeletion())
        MarkChanged(target);
    StoreTarget(nullptr);
    MarkChanged(this);
}

// ---- Node operations ----------------------------------------------------------------------

CDataCtl* CAssocNode::ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                    DWORD style, UINT id, DWORD flags)
{
    return PresentControl(*this, CDataNode::ShowInControl(parent, rect, owner, style, id, flags),
                          false, ControlSelection::All);
}

bool CAssocNode::UpdateFromControl(CDataCtl*, bool save, bool)
{
    return !save;
}

bool CAssocNode::IsChanged() const
{
    const CRecordNode* target = GetLinkTarget();
    return HasFlag(DNF_CHANGED) || (target && target->IsChanged());
}

bool CAssocNode::IsEmpty() const
{
    return GetLinkTarget() == nullptr;
}

bool CAssocNode::GetText(std::string& text, int format) const
{
    text.clear();
    if (format != 0 && GetFieldDef())
        text = GetFieldDef()->GetLabel() + ": ";
    const CRecordNode* target = GetLinkTarget();
    if (!target) {
        text += "<none>";
        return true;
    }
    std::string targetText;
    target->GetText(targetText, 0);
    text += targetText;
    return true;
}

bool CAssocNode::SetText(std::string_view text)
{
    if (text.size() < 3 || text.front() != '@' || text.back() != '@')
        return false;
    const std::string_view id(text.data() + 1, text.size() - 2); // without substr's bounds check
    // Every link line of a load comes here with an empty link: what a link held before is
    // dropped out of line, and the value word is then stored without a look at it.
    if (m_value != 0)
        DropValue();
    const int listIndex = TargetTypeIndex(GetFieldDef());
    CRecordIdState* state = GetRecordIdState(listIndex);
    std::int32_t number = 0;
    if (state && MatchLastTextGroup(*state, id, number) && IsRecordNumberingSuspended())
        SetHeldWord(state->m_textMap.HeldInLastGroup(number), listIndex);
    else if (state && ParseStandardId(*state, id, number))
        m_value = NumberValue(number, listIndex);
    else if (!SetHeldValue(state, listIndex, id))
        SetTextValue(id);
    return true;
}

void CAssocNode::DropValue()
{
    if (CAssocNode::GetLinkTarget()) // the value word itself, without a virtual call
        SetTarget(nullptr);
    else
        ClearValue();
}

CDataNode* CAssocNode::CopyValueFrom(const CDataNode* other)
{
    if (!other || other == this || other->GetFieldDef() != GetFieldDef())
        return this;
    ClearLink();
    if (CRecordNode* target = other->GetLinkTarget())
        SetTargetWithBackLink(target, false, false, SEX_UNSET);
    MarkChanged(this);
    return this;
}

bool CAssocNode::IsEqual(const CDataNode* other, const void* options) const
{
    const CRecordNode* mine = GetLinkTarget();
    const CRecordNode* theirs = other ? other->GetLinkTarget() : nullptr;
    if (mine == theirs)
        return true;
    if (!mine || !theirs || !options)
        return false;
    return static_cast<const CMergeRecordMap*>(options)->FindMatch(mine) == theirs;
}

bool CAssocNode::MatchRecord(int qualifier, int op, const CRecordNode* record) const
{
    return qualifier == 0 && op == COND_IS && GetLinkTarget() == record;
}

bool CAssocNode::WriteGedcom(int level, std::string& line) const
{
    const CFieldDef* def = GetFieldDef();
    if (!def)
        return true;
    line.assign(1, ' ');
    if (!AppendXrefText(line))
        return true;
    if (!WriteGedcomTagLine(level, def->GetGedcomTag(), line))
        return false;
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!child->WriteGedcom(level + 1, line))
            return false;
    }
    return true;
}

void CAssocNode::ScheduleDelete()
{
    if (IsFamilyLinkId(GetFieldId()))
        SetFamilyCleanupFlag();
    if (GetLinkTarget())
        ClearLink();
    CDataNode::ScheduleDelete();
}

int CAssocNode::SetLink(CRecordNode* record, bool noQuestions)
{
    bool sexInTarget = false;
    bool sexInOwnRecord = false;
    int sex = SEX_UNSET;
    if (!record || !CheckLink(record, sexInTarget, sexInOwnRecord, sex, false, noQuestions))
        return 0;
    ClearLink();
    SetTargetWithBackLink(record, sexInTarget, sexInOwnRecord, sex);
    MarkChanged(this);
    return 1;
}

// ---- Loading ------------------------------------------------------------------------------

void CAssocNode::PrefetchLink() const
{
    __builtin_prefetch(this, 1);
    __builtin_prefetch(&m_value, 1);
}

CRecordNode* CAssocNode::FindPendingTarget() const
{
    const std::uintptr_t tag = m_value & kValueTags;
    if (tag == kNumberTag)
        return FindLoadedRecord(NumberTypeIndex(), GetReferenceNumber());
    if (tag == 0)
        return nullptr;
    return FindPendingTextTarget();
}

CRecordNode* CAssocNode::FindPendingTextTarget() const
{
    if ((m_value & kValueTags) == kHeldTag)
        return FindHeldTarget();
    return FindLoadedRecord(GetTargetTypeIndex(), *KeptText());
}

bool CAssocNode::ResolvePendingReference(CRecordNode* record)
{
    if (!HasCrossReference())
        return true;
    if (record) {
        ClearValue();
        JoinLoadedTargetList(record);
        return true;
    }
    return KeepUnresolved();
}

bool CAssocNode::KeepUnresolved()
{
    if ((m_value & kValueTags) == kHeldTag) {
        KeepHeldText();
        return false;
    }
    const int listIndex = GetTargetTypeIndex();
    CRecordIdState* state = GetRecordIdState(listIndex);
    if (state && !KeptText() && listIndex != RECORD_LIST_HEAD && state->m_counter >= 0)
        state->m_counter = std::max(state->m_counter, GetReferenceNumber());
    return false;
}

int ResolveLinkTargets(CAssocNode* stopLink, IProgress* progress, IDanglingLinkSink* sink)
{
    // The links newer than stopLink hold the slots above its own.
    const std::uint32_t first = stopLink ? stopLink->GetChainSlot() + 1 : 0;
    const std::uint32_t end = std::max(first, CAssocLinkTable::End());
    long count = stopLink ? 0 : long(CAssocLinkTable::Count());
    for (std::uint32_t slot = first; stopLink && slot < end; ++slot)
        count += CAssocLinkTable::At(slot) != nullptr;
    if (progress)
        progress->ResetProgress(count, "Initialising data...");
    const long step = std::max(1L, count / 100);
    std::vector<CAssocNode*> dangling;
    long done = 0;
    long nextStep = step; // the bar moves to each multiple of step, after the batch that passed it
    CLoadedTargetFinder finder;
    // Links and their targets lie anywhere in memory, so the links are taken in batches of
    // slots, newest first: a batch's links are read from the table and fetched two batches
    // before they are resolved, and their targets found and fetched one batch before, so that
    // the processor waits for many at once instead of for each in turn. A target found early is
    // the one found later, as resolving changes no identifier map.
    // A batch holds the links of its slots without the empty ones.
    constexpr std::uint32_t kBatch = 16;
    struct Batch {
        std::array<CAssocNode*, kBatch> links;
        std::array<CRecordNode*, kBatch> targets;
        std::uint32_t size;
    };
    std::array<Batch, 3> batches;
    const std::uint32_t batchCount = (end - first + kBatch - 1) / kBatch;
    for (std::uint32_t round = 0; round < batchCount + 2; ++round) {
        if (round < batchCount) {
            Batch& batch = batches[round % batches.size()];
            const std::uint32_t top = end - round * kBatch;
            const std::uint32_t slots = std::min(kBatch, top - first);
            batch.size = 0;
            for (std::uint32_t i = 0; i < slots; ++i) {
                CAssocNode* link = CAssocLinkTable::At(top - 1 - i);
                batch.links[batch.size] = link;
                if (link) {
                    link->PrefetchLink();
                    ++batch.size;
                }
            }
        }
        if (round >= 1 && round - 1 < batchCount) {
            Batch& batch = batches[(round - 1) % batches.size()];
            for (std::uint32_t i = 0; i < batch.size; ++i) {
                CRecordNode* target = finder.Find(*batch.links[i]);
                if (target) // its first link is written
                    __builtin_prefetch(reinterpret_cast<const char*>(target) + sizeof(CDataNode),
                                       1);
                batch.targets[i] = target;
            }
        }
        if (round < 2)
            continue;
        const Batch& batch = batches[(round - 2) % batches.size()];
        for (std::uint32_t i = 0; i < batch.size; ++i) {
            if (!batch.links[i]->ResolvePendingReference(batch.targets[i]))
                dangling.push_back(batch.links[i]);
        }
        done += batch.size;
        for (; progress && nextStep <= done; nextStep += step)
            progress->SetProgressPos(nextStep);
    }
    if (sink) {
        for (auto link = dangling.rbegin(); link != dangling.rend(); ++link)
            sink->OnDanglingLink(**link, (*link)->GetXrefText());
    }
    return int(dangling.size());
}

std::vector<std::int32_t> CollectReservedNumbers(int listIndex)
{
    std::vector<std::int32_t> numbers;
    for (const CAssocNode* link = CAssocNode::GetFirstLink(); link; link = link->GetNextLink()) {
        if (link->GetReferenceNumber() > 0 && link->GetTargetTypeIndex() == listIndex)
            numbers.push_back(link->GetReferenceNumber());
    }
    return numbers;
}

// ---- Walks --------------------------------------------------------------------------------

CRecordNode* GetNextLinkTarget(const CDataNode* holder, int fieldId, const CRecordNode* after)
{
    if (!holder)
        return nullptr;
    CSeenRecords seen;
    bool passed = after == nullptr;
    for (const CDataNode* child = holder->GetFirstChild(); child; child = child->GetNextSibling()) {
        CRecordNode* target = child->GetFieldId() == fieldId ? child->GetLinkTarget() : nullptr;
        if (!target || !seen.Insert(target))
            continue;
        if (passed)
            return target;
        passed = target == after;
    }
    return nullptr;
}

void EnumLinksTo(CRecordNode* record, ILinkVisitor* visitor, const CFieldDef* typeDef)
{
    if (!record || !visitor)
        return;
    // A visit may take links off the list (a deletion clears them; freeing waits for the
    // pending deletions), so the links are taken before the first visit, newest first as the
    // chain of all links has them.
    std::vector<CAssocNode*> links;
    for (CAssocNode* link = CAssocNode::FirstLinkTo(record); link;
         link = link->GetNextLinkToTarget())
        links.push_back(link);
    std::sort(links.begin(), links.end(), [](const CAssocNode* a, const CAssocNode* b) {
        return a->GetChainSlot() > b->GetChainSlot();
    });
    for (CAssocNode* link : links) {
        if (link->GetLinkTarget() != record)
            continue;
        CRecordNode* holder = link->GetRecord();
        if (!typeDef || (holder && holder->GetFieldDef() == typeDef))
            visitor->OnLink(record, link, holder);
    }
}

// ---- The two family link classes ----------------------------------------------------------

const CRuntimeClass* CAssocChilNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CAssocChilNode>();
}

bool CAssocChilNode::IsChanged() const
{
    return HasFlag(DNF_CHANGED) || IsRecordListed(GetLinkTarget());
}

const CRuntimeClass* CAssocFamcNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CAssocFamcNode>();
}

bool CAssocFamcNode::IsChanged() const
{
    return HasFlag(DNF_CHANGED) || IsRecordListed(GetLinkTarget());
}
