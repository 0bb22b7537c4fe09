// queries/query_filter.cpp: CAvFilter and CAvFilterList: what every filter row shares, and the list
// rows (membership of a named list).
#include "queries/query_filter.h"

#include "database/nodes/node_prefetch.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "queries/detail/query_line.h"
#include "queries/named_list.h"
#include "queries/query_record_sets.h"

using namespace query_line;

namespace {

/// How many records ahead of the one tested a row asks for a record's memory.
constexpr std::size_t kPrefetchAhead = 8;

} // namespace

const CRuntimeClass* CAvFilter::GetRuntimeClass() const
{
    return RuntimeClassOf<CAvFilter>();
}

void CAvFilter::Apply(CQueryRecordSets& sets, const std::atomic<bool>& cancelled)
{
    if (!PrepareApply(sets))
        return;
    const bool exclude = m_exclude;
    for (std::size_t i = 0; i < sets.GetCount(); ++i) {
        if (cancelled.load(std::memory_order_relaxed))
            return;
        // The records a row looks at lie far apart in memory: each is asked for a few records
        // ahead of its turn, so that its test does not wait on memory.
        if (const std::size_t ahead = i + kPrefetchAhead;
            ahead < sets.GetCount() && sets.IsInResult(ahead) == exclude)
            PrefetchNode(sets.GetRecord(ahead));
        if (sets.IsInResult(i) != exclude)
            continue;
        if (Matches(sets.GetRecord(i)) != m_unless)
            sets.Move(i, !exclude);
    }
}

bool CAvFilter::Load(std::string_view text, std::size_t& position)
{
    std::size_t at = position;
    SkipSpace(text, at);
    bool exclude = false;
    if (TakeKeyword(text, at, "EXC"))
        exclude = true;
    else if (!TakeKeyword(text, at, "ADD"))
        return false;
    if (!SkipComma(text, at))
        return false;
    bool unless = false;
    if (TakeKeyword(text, at, "UNLESS"))
        unless = true;
    else if (!TakeKeyword(text, at, "IF"))
        return false;
    if (!SkipComma(text, at))
        return false;
    bool parameter = false;
    if (TakeKeyword(text, at, "Y"))
        parameter = true;
    else if (!TakeKeyword(text, at, "N"))
        return false;
    std::string label;
    if (!SkipComma(text, at) || !ReadQuoted(text, at, label) || !SkipComma(text, at))
        return false;
    m_exclude = exclude;
    m_unless = unless;
    m_parameter = parameter;
    m_label = parameter ? std::move(label) : std::string();
    position = at;
    return true;
}

std::string CAvFilter::DescribeStart() const
{
    return std::string(m_exclude ? "Exclude " : "Add ") + (m_unless ? "unless " : "if ");
}

bool CAvFilter::SaveStart(std::string& text, std::string_view kind, bool asParameter) const
{
    if (asParameter && !FitsOneLine(m_label))
        return false;
    text += "FILTER=";
    text += kind;
    text += m_exclude ? ",EXC" : ",ADD";
    text += m_unless ? ",UNLESS" : ",IF";
    text += asParameter ? ",Y," : ",N,";
    text += Quote(asParameter ? m_label : std::string());
    return true;
}

const CRuntimeClass* CAvFilterList::GetRuntimeClass() const
{
    return RuntimeClassOf<CAvFilterList>();
}

std::string CAvFilterList::Describe() const
{
    return DescribeStart() + "in list \"" + m_listName + "\"";
}

bool CAvFilterList::Load(std::string_view text, std::size_t& position)
{
    std::string name;
    if (!CAvFilter::Load(text, position) || !ReadQuoted(text, position, name))
        return false;
    m_listName = std::move(name);
    SetParameterFlag(false);
    SetParameterLabel({});
    return true;
}

bool CAvFilterList::Save(std::string& text) const
{
    if (!FitsOneLine(m_listName))
        return false;
    std::string line;
    if (!SaveStart(line, "LST", false))
        return false;
    text += line + "," + Quote(m_listName);
    return true;
}

bool CAvFilterList::PrepareApply(const CQueryRecordSets&)
{
    // The members are taken once, so the row's walk does not go back to the list for every
    // record.
    m_members.clear();
    CNamedList* list = m_listName.empty() ? nullptr : FindNamedList(m_listName);
    if (list) {
        for (const NamedListEntry& entry : list->Entries())
            m_members.insert(entry.m_record);
    }
    return true;
}

bool CAvFilterList::Matches(CRecordNode* record)
{
    return m_members.contains(record);
}

std::unique_ptr<CAvFilter> NewFilterOfKind(std::string_view kind, CQueryDef* owner)
{
    const std::string_view key = kind.substr(0, 3);
    if (text::EqualsNoCase(key, "GEN"))
        return std::make_unique<CAvFilterGen>(owner);
    if (text::EqualsNoCase(key, "LST"))
        return std::make_unique<CAvFilterList>(owner);
    if (text::EqualsNoCase(key, "REL"))
        return std::make_unique<CAvFilterRels>(owner);
    return nullptr;
}
