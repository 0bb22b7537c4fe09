// records/grid/tag_grid_sort.cpp: the grid's sorts. Each row's key is read once into a compact
// entry; the entries, side by side in one array, are sorted stably in the comparator's order,
// and the rows take that order. Individuals by name go through the ranks of their names first.
#include "records/grid/tag_grid.h"

#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/note_rec.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "database/records/src_rec.h"
#include "platform/base/abandon.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "queries/expression.h"
#include "records/grid/name_rank_sort.h"
#include "records/grid/node_prefetch.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string_view>
#include <typeinfo>

namespace {

/// One row being sorted: what most comparisons need, without following a pointer.
struct SortEntry {
    /// The first bytes of the entry's text (padded with zeros), as big-endian numbers.
    std::array<std::uint64_t, 3> prefix{};
    std::int64_t number = 0;
    /// The row's place before the sort: its index into the rows and the key tables.
    std::uint32_t index = 0;
    std::uint32_t textOffset = 0;
    std::uint32_t textLength = 0;
    /// A key not kept in the entry: its place among the others of its kind.
    std::uint32_t other = 0;
    std::optional<CDateValue> date;
    std::uint8_t flags = 0;
    /// The bytes before the compared text: a name's surname lead and its end mark, when the
    /// leads are left out of the comparison.
    std::uint8_t skip = 0;
};

constexpr std::uint8_t kHasNode = 1, kIsRecord = 2, kHasText = 4, kOwnOrder = 8, kHasPerson = 16;

/// A valid stamp as a count of seconds that orders as the stamps do.
std::int64_t StampSeconds(const COleDateTime& stamp)
{
    const std::int64_t days =
        std::int64_t(stamp.GetYear()) * 372 + stamp.GetMonth() * 31 + stamp.GetDay();
    return ((days * 24 + stamp.GetHour()) * 60 + stamp.GetMinute()) * 60 + stamp.GetSecond();
}

int Sign(int value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

/// The texts the entries compare, one after another.
class TextStore {
public:
    void Put(SortEntry& entry, std::string_view text)
    {
        entry.textOffset = std::uint32_t(m_bytes.size());
        entry.textLength = std::uint32_t(text.size());
        m_bytes.append(text);
        SetPrefix(entry);
        entry.flags |= kHasText;
    }
    /// The text the entry compares.
    std::string_view Text(const SortEntry& entry) const { return Stored(entry).substr(entry.skip); }
    /// The text as it was put.
    std::string_view Stored(const SortEntry& entry) const
    {
        return std::string_view(m_bytes).substr(entry.textOffset, entry.textLength);
    }
    /// Leaves the first bytes of the entry's text out of its comparisons.
    void Skip(SortEntry& entry, std::uint8_t bytes) const
    {
        entry.skip = bytes;
        SetPrefix(entry);
    }
    /// The order of two entries' texts; prefixes that differ decide as the texts would. Equal
    /// prefixes hold the whole of a text that fits in them, the zeros after it included, so the
    /// shorter text is then the start of the other and goes first.
    int Compare(const SortEntry& a, const SortEntry& b) const
    {
        for (std::size_t i = 0; i < a.prefix.size(); ++i)
            if (a.prefix[i] != b.prefix[i])
                return a.prefix[i] < b.prefix[i] ? -1 : 1;
        const std::string_view mine = Text(a), theirs = Text(b);
        if (mine.size() <= kPrefixBytes || theirs.size() <= kPrefixBytes)
            return mine.size() < theirs.size() ? -1 : mine.size() > theirs.size() ? 1 : 0;
        return Sign(mine.substr(kPrefixBytes).compare(theirs.substr(kPrefixBytes)));
    }
    bool Fits(std::size_t more) const { return m_bytes.size() + more <= UINT32_MAX; }

private:
    static constexpr std::size_t kPrefixBytes = sizeof(SortEntry::prefix);

    void SetPrefix(SortEntry& entry) const
    {
        const std::string_view text = Text(entry);
        for (std::size_t i = 0; i < entry.prefix.size(); ++i)
            entry.prefix[i] = Word(text, i * 8);
    }
    /// Eight bytes of text from start (zeros past its end) as a big-endian number.
    static std::uint64_t Word(std::string_view text, std::size_t start)
    {
        std::uint64_t word = 0;
        for (std::size_t i = start; i < start + 8; ++i)
            word = word << 8 | (i < text.size() ? std::uint8_t(text[i]) : 0);
        return word;
    }

    std::string m_bytes;
};

/// What an individual's name compares by, as one text put into joined, when its parts join in
/// order: the surname lead, the surname and the kept form, each ended by kNamePartEnd. False when
/// the key is compared otherwise (no name, no marked surname, a name compared as formatted).
bool JoinName(const CIndRec::SortKey& key, std::string& joined)
{
    const CNameNode::SortKey& name = key.name;
    if (!key.hasName || !name.hasSlash || name.formatted || !JoinsInOrder(name.lead) ||
        !JoinsInOrder(name.surname) || !JoinsInOrder(name.kept))
        return false;
    joined.clear();
    for (const std::string* part : {&name.lead, &name.surname, &name.kept}) {
        joined += *part;
        joined += kNamePartEnd;
    }
    return true;
}

/// The key a name's ordered text was joined from, with the entry's date and number.
CIndRec::SortKey SplitName(std::string_view joined, const SortEntry& entry)
{
    CIndRec::SortKey key;
    key.hasName = true;
    key.name.hasSlash = true;
    for (std::string* part : {&key.name.lead, &key.name.surname, &key.name.kept}) {
        const std::size_t end = joined.find(kNamePartEnd);
        *part = joined.substr(0, end);
        joined.remove_prefix(end + 1);
    }
    key.date = entry.date;
    key.number = std::int32_t(entry.number);
    return key;
}

/// Whether the node compares as CDataNode does, by its compared text without regard to case.
bool ComparesByText(const CDataNode& node)
{
    const std::type_info& type = typeid(node);
    return type == typeid(CNoteRec) || type == typeid(CSrcRec) || type == typeid(CRecordNode);
}

/// Sorts the entries stably by compare (negative: a first); rows without a node go last.
template <class Compare> void SortEntries(std::vector<SortEntry>& entries, Compare compare)
{
    std::stable_sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
        if (!(a.flags & kHasNode))
            return false;
        if (!(b.flags & kHasNode))
            return true;
        return compare(a, b) < 0;
    });
}

} // namespace

// ---- Sorting ----------------------------------------------------------------------------------

void CTagGrid::OnSortAlphabetical()
{
    Sort(kSortAlphabetical);
}

void CTagGrid::OnSortCreationOrder()
{
    Sort(kSortCreation);
}

void CTagGrid::OnSortLastUpdateOrder()
{
    Sort(kSortLastUpdate);
}

void CTagGrid::SortByDataRef(const CDataRef& reference, bool ascending)
{
    m_sortRef = &reference;
    Sort(ascending ? kSortRefAscending : kSortRefDescending);
    m_sortRef = nullptr;
}

void CTagGrid::Sort(SortKey key)
{
    if (!((m_mode == kModeRecordSet && m_shown) || m_mode == kModeFreeList))
        return;
    const CWaitCursor wait;
    CloseEditor(true);
    for (CTreeBoxNode* row : std::vector<CTreeBoxNode*>(m_openRows.begin(), m_openRows.end()))
        if (row->m_state == CTreeBoxNode::kExpanded)
            GetBox().ExpandItem(row, false, 1);
    m_openRows.clear();
    m_sortKey = key;
    if (!SortByKeys(key))
        GetBox().ReexpandOpenItems();
    m_sortKey = kSortNone;
}

bool CTagGrid::SortByKeys(SortKey key)
{
    const bool alphabetical = key == kSortAlphabetical && m_mode == kModeRecordSet && m_shown;
    const bool byName =
        alphabetical && GetRecordTypeIndex(m_shown->GetFieldDef()) == RECORD_LIST_INDI;
    const bool byText = alphabetical && !byName;
    const bool byRef = (key == kSortRefAscending || key == kSortRefDescending) && m_sortRef;
    if (!byName && !byText && !byRef && key != kSortLastUpdate && key != kSortCreation)
        return false;
    if (byName && SortByNameRanks())
        return true;
    auto* expression = byRef ? dynamic_cast<CExpression*>(m_sortRef->GetExpression()) : nullptr;

    std::vector<CTreeBoxNode*> rows;
    std::vector<SortEntry> entries;
    // The keys of names not kept as one text, by each entry's other.
    std::vector<CIndRec::SortKey> others;
    std::vector<CExprSortKey> values;
    TextStore texts;
    std::string joined;
    bool leadsStartSurnames = true;
    rows.reserve(m_rows.Size());
    entries.reserve(m_rows.Size());
    // The records of the rows eight ahead are asked for while this row's key is read.
    CTreeBoxNode* ahead = GetBox().GetFirstItem();
    for (int i = 0; ahead && i < 8; ++i)
        ahead = ahead->m_nextSibling;
    for (CTreeBoxNode* row = GetBox().GetFirstItem(); row; row = row->m_nextSibling) {
        if (ahead) {
            PrefetchNode(NodeOf(ahead));
            ahead = ahead->m_nextSibling;
        }
        SortEntry entry;
        entry.index = std::uint32_t(rows.size());
        rows.push_back(row);
        CDataNode* node = NodeOf(row);
        auto* record = node && node->IsRecord() ? static_cast<CRecordNode*>(node) : nullptr;
        if (node)
            entry.flags |= kHasNode;
        if (record)
            entry.flags |= kIsRecord;
        if (!node) {
            // A row without a node has no key; it goes last.
            entries.push_back(entry);
            continue;
        }
        if (byName) {
            const auto* individual = dynamic_cast<const CIndRec*>(node);
            if (!individual)
                return false;
            CIndRec::SortKey key = individual->GetSortKey(0);
            entry.date = key.date;
            entry.number = key.number;
            if (JoinName(key, joined) && texts.Fits(joined.size())) {
                texts.Put(entry, joined);
                leadsStartSurnames = leadsStartSurnames && LeadStartsSurname(key.name);
            } else {
                entry.other = std::uint32_t(others.size());
                others.push_back(std::move(key));
            }
        } else if (byText) {
            // The order of CDataNode::Compare: the compared texts without regard to case.
            if (!ComparesByText(*node))
                return false;
            const std::string folded = text::FoldedSortKey(node->GetCompareText(0));
            if (!texts.Fits(folded.size()))
                return false;
            texts.Put(entry, folded);
        } else if (expression) {
            CExprSortKey value;
            try {
                if (record)
                    value = expression->MakeSortKey(record);
            } catch (const COperationAborted&) {
                // A value of the wrong kind sorts as no value.
                value = CExprSortKey();
                value.m_resultType =
                    expression->GetFunction() ? expression->GetFunction()->m_resultType : 0;
            }
            if (value.m_ownOrder) {
                entry.flags |= kOwnOrder | (value.m_hasPerson ? kHasPerson : 0);
                entry.date = value.m_personDate;
            } else if (value.m_resultType == ERT_TEXT && texts.Fits(value.m_text.size())) {
                texts.Put(entry, value.m_text);
            } else {
                entry.other = std::uint32_t(values.size());
                values.push_back(std::move(value));
            }
        } else if (byRef) {
            std::string text;
            if (record)
                m_sortRef->Evaluate(text, record);
            text = text::FoldedSortKey(text);
            if (!texts.Fits(text.size()))
                return false;
            texts.Put(entry, text);
        } else if (record && key == kSortCreation) {
            entry.number = record->GetRecordNumber();
        } else if (record) {
            const COleDateTime& stamp = record->GetChangeStamp();
            // Latest first; a record without a stamp after every one with a stamp.
            entry.number =
                stamp.GetStatus() == COleDateTime::valid ? -StampSeconds(stamp) : INT64_MAX;
        }
        entries.push_back(std::move(entry));
    }

    if (byName) {
        if (leadsStartSurnames)
            for (SortEntry& entry : entries)
                if (entry.flags & kHasText)
                    texts.Skip(entry, std::uint8_t(texts.Stored(entry).find(kNamePartEnd) + 1));
        const auto fullKey = [&](const SortEntry& entry,
                                 CIndRec::SortKey& scratch) -> const CIndRec::SortKey& {
            if (!(entry.flags & kHasText))
                return others[entry.other];
            scratch = SplitName(texts.Stored(entry), entry);
            return scratch;
        };
        SortEntries(entries, [&](const SortEntry& a, const SortEntry& b) {
            if (!(a.flags & b.flags & kHasText)) {
                CIndRec::SortKey first, second;
                return CIndRec::CompareSortKeys(fullKey(a, first), fullKey(b, second));
            }
            if (const int order = texts.Compare(a, b); order != 0)
                return order;
            // Equal names: the later date key first, then the record number.
            if (const int byDate = CIndRec::CompareDateKeys(b.date, a.date); byDate != 0)
                return byDate;
            return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
        });
    } else if (byText) {
        SortEntries(entries,
                    [&](const SortEntry& a, const SortEntry& b) { return texts.Compare(a, b); });
    } else if (byRef) {
        const bool descending = key == kSortRefDescending;
        const auto valueOf = [&](const SortEntry& entry,
                                 CExprSortKey& scratch) -> const CExprSortKey& {
            if (!(entry.flags & kHasText))
                return values[entry.other];
            scratch.m_resultType = ERT_TEXT;
            scratch.m_text = texts.Text(entry);
            return scratch;
        };
        SortEntries(entries, [&](const SortEntry& first, const SortEntry& second) {
            if (!(first.flags & second.flags & kIsRecord))
                return 0;
            const SortEntry& a = descending ? second : first;
            const SortEntry& b = descending ? first : second;
            if (!expression)
                return texts.Compare(a, b);
            if ((a.flags | b.flags) & kOwnOrder) {
                if (!(a.flags & kHasPerson))
                    return b.flags & kHasPerson ? -1 : 0;
                if (!(b.flags & kHasPerson))
                    return 1;
                return CIndRec::CompareDateKeys(a.date, b.date);
            }
            if (a.flags & b.flags & kHasText)
                return texts.Compare(a, b);
            CExprSortKey mine, theirs;
            return CExpression::CompareSortKeys(valueOf(a, mine), valueOf(b, theirs));
        });
    } else {
        SortEntries(entries, [](const SortEntry& a, const SortEntry& b) {
            if (!(a.flags & b.flags & kIsRecord))
                return a.flags & kIsRecord ? -1 : b.flags & kIsRecord ? 1 : 0;
            return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
        });
    }
    std::vector<CTreeBoxNode*> order;
    order.reserve(entries.size());
    for (const SortEntry& entry : entries)
        order.push_back(rows[entry.index]);
    GetBox().SetTopLevelOrder(order);
    return true;
}

bool CTagGrid::SortByNameRanks()
{
    std::vector<CTreeBoxNode*> rows;
    std::vector<CDataNode*> nodes;
    rows.reserve(m_rows.Size());
    nodes.reserve(m_rows.Size());
    for (CTreeBoxNode* row = GetBox().GetFirstItem(); row; row = row->m_nextSibling) {
        rows.push_back(row);
        nodes.push_back(NodeOf(row));
    }
    const std::optional<std::vector<std::uint32_t>> places = NameRankOrder(nodes);
    if (!places)
        return false;
    std::vector<CTreeBoxNode*> order;
    order.reserve(rows.size());
    for (const std::uint32_t place : *places)
        order.push_back(rows[place]);
    GetBox().SetTopLevelOrder(order);
    return true;
}

std::optional<std::vector<std::uint32_t>> CTagGrid::NameRankOrder(std::span<CDataNode* const> nodes)
{
    CNameRankSort ranks(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        // The records eight ahead are asked for while this one's key is read.
        if (i + 8 < nodes.size())
            PrefetchNode(nodes[i + 8]);
        if (!nodes[i]) {
            ranks.AddEmpty();
            continue;
        }
        const auto* individual = dynamic_cast<const CIndRec*>(nodes[i]);
        if (!individual || !ranks.Add(individual->GetSortKey(0)))
            return std::nullopt;
    }
    return ranks.Order();
}

int CTagGrid::Compare(CTreeBox*, std::uintptr_t first, std::uintptr_t second)
{
    if (!first)
        return second ? 1 : 0;
    if (!second)
        return -1;
    const auto* a = reinterpret_cast<const CDataNode*>(first);
    const auto* b = reinterpret_cast<const CDataNode*>(second);
    if (m_sortKey == kSortAlphabetical) {
        if (m_mode == kModeFreeList && a->GetFieldDef() != b->GetFieldDef())
            return CompareRecordTypeOrder(a->GetFieldDef(), b->GetFieldDef());
        return a->Compare(b, 0);
    }
    return 0;
}

void CTagGrid::OnColumnClick(CColumnHeader*, int column)
{
    if (m_sortOnHeaderClick) {
        if (column == 0)
            OnSortAlphabetical();
        else if (column >= 2 && column - 2 < int(m_extra.size()))
            SortByDataRef(m_extra[std::size_t(column - 2)].reference,
                          m_extra[std::size_t(column - 2)].ascending);
    }
    if (m_owner)
        m_owner->OnGridColumnClicked(this, column);
}
