// queries/query_filter_rels.cpp: CAvFilterRels: the relationship filter row, the relatives of a
// person.
#include "queries/query_filter.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/kin/kinship.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/root_node.h"
#include "database/records/record_id_state.h"
#include "platform/base/text.h"
#include "queries/detail/query_line.h"
#include "queries/query_record_sets.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

using namespace query_line;

namespace {

struct RelationKindRow {
    int kind;
    const char* keyword;
    const char* wording;        // without a limit
    const char* limitedWording; // with a limit; null when the kind takes none
};

constexpr RelationKindRow kRelationKinds[] = {
    {FRK_ANCESTORS, "ANC", "an ancestor of ", "an ancestor (max. %d generations) of "},
    {FRK_DESCENDANTS, "DESC", "a descendant of ", "a descendant (max. %d generations) of "},
    {FRK_SPOUSES, "SPOUSE", "a spouse of ", nullptr},
};

const RelationKindRow* FindRelationKind(int kind)
{
    for (const RelationKindRow& row : kRelationKinds) {
        if (row.kind == kind)
            return &row;
    }
    return nullptr;
}

/// How many records ahead of the one looked up the place of its lookup is asked for.
constexpr std::size_t kLookAhead = 16;

/// The relatives of a run as one bit for every 8 bytes of the address range they lie in, for a
/// run's test of every record: the records of a loaded file lie at rising addresses, so the
/// tests read the bits in order where looking each record up in the relatives' map waits on
/// memory at every record. Empty (IsUsable false) when the range would take more memory than
/// kBytesPerRelative for each relative; the map answers then.
class CRelativeBits {
public:
    explicit CRelativeBits(const CMapPtrToWord& relatives)
    {
        if (relatives.empty())
            return;
        std::uintptr_t low = UINTPTR_MAX;
        std::uintptr_t high = 0;
        for (const auto& entry : relatives) {
            const auto address = reinterpret_cast<std::uintptr_t>(entry.first);
            low = std::min(low, address);
            high = std::max(high, address);
        }
        const std::uintptr_t words = ((high - low) >> 3) / 64 + 1;
        if (words * sizeof(std::uint64_t) > kBytesPerRelative * relatives.size() + kBytesFree)
            return;
        m_low = low;
        m_words.assign(words, 0);
        for (const auto& entry : relatives) {
            const std::uintptr_t bit = (reinterpret_cast<std::uintptr_t>(entry.first) - low) >> 3;
            m_words[bit / 64] |= std::uint64_t(1) << (bit % 64);
        }
    }
    bool IsUsable() const { return !m_words.empty(); }
    bool Contains(const void* record) const
    {
        const std::uintptr_t bit = (reinterpret_cast<std::uintptr_t>(record) - m_low) >> 3;
        return bit / 64 < m_words.size() && (m_words[bit / 64] >> (bit % 64) & 1) != 0;
    }

private:
    static constexpr std::size_t kBytesPerRelative = 64;
    static constexpr std::size_t kBytesFree = 64 * 1024;

    std::uintptr_t m_low = 0;
    std::vector<std::uint64_t> m_words;
};

/// A record and its number, for ordering relatives by number.
struct CNumbered {
    std::uint32_t number;
    CRecordNode* record;
};

/// Sorts items by number, keeping the order of equal numbers: a few passes over 11 bits of the
/// numbers each, as many as the highest number has, where a comparison sort of a quarter of a
/// million relatives waits on many more steps.
void SortByNumber(std::vector<CNumbered>& items)
{
    constexpr unsigned kBits = 11;
    constexpr std::uint32_t kMask = (1u << kBits) - 1;
    std::uint32_t highest = 0;
    for (const CNumbered& item : items)
        highest = std::max(highest, item.number);
    std::vector<CNumbered> spare(items.size());
    for (unsigned shift = 0; shift < 32 && (highest >> shift) != 0; shift += kBits) {
        std::array<std::size_t, kMask + 2> starts{};
        for (const CNumbered& item : items)
            ++starts[((item.number >> shift) & kMask) + 1];
        for (std::size_t digit = 1; digit < starts.size(); ++digit)
            starts[digit] += starts[digit - 1];
        for (const CNumbered& item : items)
            spare[starts[(item.number >> shift) & kMask]++] = item;
        items.swap(spare);
    }
}

/// The relatives that are records of root, in root's order, when root keeps its records in
/// number order: ordered by their numbers, without a walk of every record. False (inOrder
/// untouched) when root is no record-type root or its records are not in number order.
bool RelativesInFileOrder(const CMapPtrToWord& relatives, const CDataNode* root,
                          std::vector<CRecordNode*>& inOrder)
{
    const auto* typeRoot = dynamic_cast<const CRootNode*>(root);
    if (!typeRoot || !typeRoot->RecordsAscend())
        return false;
    std::vector<CNumbered> numbered;
    numbered.reserve(relatives.size());
    for (const auto& entry : relatives) {
        if (entry.first->CDataNode::GetParent() == root)
            numbered.push_back({std::uint32_t(entry.first->GetRecordNumber()), entry.first});
    }
    SortByNumber(numbered);
    inOrder.reserve(numbered.size());
    for (const CNumbered& item : numbered)
        inOrder.push_back(item.record);
    return true;
}

bool GoesAway(const CRecordNode* record, long hint)
{
    return hint == kHintDataSetClearing || record->IsPendingDeletion();
}

} // namespace

const CRuntimeClass* CAvFilterRels::GetRuntimeClass() const
{
    return RuntimeClassOf<CAvFilterRels>();
}

void CAvFilterRels::Apply(CQueryRecordSets& sets, const std::atomic<bool>& cancelled)
{
    if (IsParameter() && !m_target)
        return;
    CMapPtrToWord start;
    CMapPtrToWord relatives;
    if (IsParameter()) {
        start.emplace(m_target, 0);
    } else {
        for (std::size_t i = 0; i < sets.GetCount(); ++i) {
            if (!sets.IsInResult(i))
                continue;
            if (CIndRec* individual = AsIndividual(sets.GetRecord(i)))
                start.emplace(individual, 0);
        }
    }
    const int generations = m_maxGenerations > 0 ? m_maxGenerations : 0;
    if (m_kind == FRK_ANCESTORS)
        CollectAncestors(start, relatives, &cancelled, generations);
    else if (m_kind == FRK_DESCENDANTS)
        CollectDescendants(start, relatives, &cancelled, generations);
    else if (m_kind == FRK_SPOUSES)
        CollectSpouses(start, relatives, &cancelled);
    if (cancelled.load())
        return;
    // Added after the walk, which collects into an empty map fastest.
    if (IsParameter() && m_includeTarget)
        relatives.emplace(m_target, 0);
    if (m_includeSpouses) {
        const CMapPtrToWord found = relatives;
        CollectSpouses(found, relatives, &cancelled);
    }

    // Relatives added to an empty result while no row has listed the records: when the
    // records stand in number order, so do the relatives, and they are the result.
    if (!IsExclude() && !IsUnless() && sets.IsUnlistedAndEmpty()) {
        std::vector<CRecordNode*> inOrder;
        if (RelativesInFileOrder(relatives, sets.GetRoot(), inOrder)) {
            sets.SetUnlistedResult(std::move(inOrder));
            return;
        }
    }

    // Every record of a run is of the queried type, so either all are individuals (and each
    // is looked up among the relatives as it is) or none can be a relative. The place of a
    // record's lookup is asked for a few records ahead.
    const bool ofIndividuals = sets.GetCount() > 0 && AsIndividual(sets.GetRecord(0));
    const bool exclude = IsExclude();
    const CRelativeBits bits(relatives);
    for (std::size_t i = 0; i < sets.GetCount(); ++i) {
        if (cancelled.load(std::memory_order_relaxed))
            return;
        if (const std::size_t ahead = i + kLookAhead; !bits.IsUsable() && ahead < sets.GetCount())
            relatives.prefetch(sets.GetRecord(ahead));
        if (sets.IsInResult(i) != exclude)
            continue;
        const CRecordNode* record = sets.GetRecord(i);
        const bool isRelative =
            ofIndividuals && (bits.IsUsable() ? bits.Contains(record) : relatives.contains(record));
        if (isRelative != IsUnless())
            sets.Move(i, !exclude);
    }
}

std::string CAvFilterRels::Describe() const
{
    std::string text = DescribeStart();
    const RelationKindRow* row = FindRelationKind(m_kind);
    if (!row)
        text += "<error> ";
    else if (m_maxGenerations > 0 && row->limitedWording)
        text += text::Format(row->limitedWording, m_maxGenerations);
    else
        text += row->wording;
    text +=
        IsParameter() ? "[\"" + GetParameterLabel() + "\"]" : "anyone in the current result set";
    text += ".";
    if (m_includeTarget)
        text += "  Include original individual.";
    if (m_includeSpouses)
        text += "  Include relatives spouses.";
    return text;
}

bool CAvFilterRels::Load(std::string_view text, std::size_t& position)
{
    m_maxGenerations = 0;
    m_includeSpouses = false;
    m_target = nullptr;
    if (!CAvFilter::Load(text, position))
        return false;
    const std::string_view kind = ReadToken(text, position);
    const RelationKindRow* found = nullptr;
    for (const RelationKindRow& row : kRelationKinds) {
        if (text::EqualsNoCase(kind, row.keyword))
            found = &row;
    }
    if (!found || !SkipComma(text, position))
        return false;
    m_kind = found->kind;
    m_includeTarget = text::EqualsNoCase(ReadToken(text, position), "ORG");
    if (!SkipComma(text, position))
        return false;
    m_includeSpouses = text::EqualsNoCase(ReadToken(text, position), "SP");
    if (AtEnd(text, position))
        return true;
    if (!SkipComma(text, position))
        return false;
    if (!AtEnd(text, position))
        m_maxGenerations = std::max(0, ReadLeadingNumber(text, position));
    return true;
}

bool CAvFilterRels::Save(std::string& text) const
{
    const RelationKindRow* row = FindRelationKind(m_kind);
    std::string line;
    if (!row || !SaveStart(line, "REL", IsParameter()))
        return false;
    line += std::string(",") + row->keyword;
    line += m_includeTarget ? ",ORG" : ",";
    line += m_includeSpouses ? ",SP" : ",";
    if (m_maxGenerations > 0)
        line += "," + std::to_string(m_maxGenerations);
    text += line;
    return true;
}

bool CAvFilterRels::GetParameterPrompt(CParameterPrompt& prompt) const
{
    if (!IsParameter())
        return false;
    const CFieldDef* individuals = GetRecordTypeDef(RECORD_LIST_INDI);
    prompt.m_type = TV_RECORD;
    prompt.m_context = individuals;
    prompt.m_value.SetRecord(m_target);
    prompt.m_label = GetParameterLabel();
    if (prompt.m_label.empty() && individuals)
        prompt.m_label = individuals->GetLabel();
    return true;
}

bool CAvFilterRels::SetParameter(const CTypedValue& value)
{
    if (value.GetType() != TV_RECORD)
        return false;
    CIndRec* individual = AsIndividual(value.GetRecord());
    if (!individual)
        return false;
    m_target = individual;
    return true;
}

void CAvFilterRels::OnRecordDeleted(long hint)
{
    if (m_target && GoesAway(m_target, hint))
        m_target = nullptr;
}

bool CAvFilterRels::RefersTo(long hint) const
{
    return m_target && (GoesAway(m_target, hint) || m_target->IsChanged());
}
