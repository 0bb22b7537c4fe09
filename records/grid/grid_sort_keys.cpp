// records/grid/grid_sort_keys.cpp: the grid's sorts. Each row's key is read once into a compact
// entry; the entries, side by side in one array, are sorted stably in the comparator's order,
// and the rows' places are read off them. Individuals by name go through the ranks of their
// names first.
#include "records/grid/grid_sort_keys.h"

#include "database/kin/ind_rec.h"
#include "database/nodes/node_prefetch.h"
#include "database/paths/data_ref.h"
#include "database/records/note_rec.h"
#include "database/records/record_node.h"
#include "database/records/src_rec.h"
#include "platform/base/abandon.h"
#include "platform/base/text.h"
#include "queries/expression.h"
#include "records/grid/name_rank_sort.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <typeinfo>

namespace {

/// One row being sorted: what most comparisons need, without following a pointer.
struct SortEntry {
    /// The first bytes of the entry's text (padded with zeros), as big-endian numbers.
    std::array<std::uint64_t, 3> prefix{};
    std::int64_t number = 0;
    /// The row's place before the sort: its index into the nodes and the key tables.
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

int CompareNumbers(std::int64_t a, std::int64_t b)
{
    return a < b ? -1 : a > b ? 1 : 0;
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
            return CompareNumbers(std::int64_t(mine.size()), std::int64_t(theirs.size()));
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

/// One entry a node, read by read(entry, node, record) for the nodes there are (record: the node
/// as a record, or null); an entry without a node is left as it is. False as soon as read is.
template <class Read>
bool ReadEntries(std::span<CDataNode* const> nodes, std::vector<SortEntry>& entries, Read read)
{
    entries.reserve(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        // The records eight ahead are asked for while this one's key is read.
        if (i + 8 < nodes.size())
            PrefetchNode(nodes[i + 8]);
        SortEntry entry;
        entry.index = std::uint32_t(i);
        CDataNode* node = nodes[i];
        if (node) {
            auto* record = node->IsRecord() ? static_cast<CRecordNode*>(node) : nullptr;
            entry.flags |= kHasNode | (record ? kIsRecord : 0);
            if (!read(entry, *node, record))
                return false;
        }
        entries.push_back(std::move(entry));
    }
    return true;
}

/// The entries' places after a stable sort by compare (negative: a first); rows without a node
/// go last.
template <class Compare>
std::vector<std::uint32_t> SortedPlaces(std::vector<SortEntry>& entries, Compare compare)
{
    std::stable_sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
        if (!(a.flags & kHasNode))
            return false;
        if (!(b.flags & kHasNode))
            return true;
        return compare(a, b) < 0;
    });
    std::vector<std::uint32_t> places;
    places.reserve(entries.size());
    for (const SortEntry& entry : entries)
        places.push_back(entry.index);
    return places;
}

std::optional<std::vector<std::uint32_t>> NameOrder(std::span<CDataNode* const> nodes)
{
    std::vector<SortEntry> entries;
    // The keys of names not kept as one text, by each entry's other.
    std::vector<CIndRec::SortKey> others;
    TextStore texts;
    std::string joined;
    bool leadsStartSurnames = true;
    const bool read = ReadEntries(nodes, entries, [&](SortEntry& entry, CDataNode& node, auto*) {
        const auto* individual = dynamic_cast<const CIndRec*>(&node);
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
        return true;
    });
    if (!read)
        return std::nullopt;
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
    return SortedPlaces(entries, [&](const SortEntry& a, const SortEntry& b) {
        if (!(a.flags & b.flags & kHasText)) {
            CIndRec::SortKey first, second;
            return CIndRec::CompareSortKeys(fullKey(a, first), fullKey(b, second));
        }
        if (const int order = texts.Compare(a, b); order != 0)
            return order;
        // Equal names: the later date key first, then the record number.
        if (const int byDate = CIndRec::CompareDateKeys(b.date, a.date); byDate != 0)
            return byDate;
        return CompareNumbers(a.number, b.number);
    });
}

std::optional<std::vector<std::uint32_t>> TextOrder(std::span<CDataNode* const> nodes)
{
    std::vector<SortEntry> entries;
    TextStore texts;
    const bool read = ReadEntries(nodes, entries, [&](SortEntry& entry, CDataNode& node, auto*) {
        // The order of CDataNode::Compare: the compared texts without regard to case.
        if (!ComparesByText(node))
            return false;
        const std::string folded = text::FoldedSortKey(node.GetCompareText(0));
        if (!texts.Fits(folded.size()))
            return false;
        texts.Put(entry, folded);
        return true;
    });
    if (!read)
        return std::nullopt;
    return SortedPlaces(
        entries, [&](const SortEntry& a, const SortEntry& b) { return texts.Compare(a, b); });
}

std::optional<std::vector<std::uint32_t>> ValueOrder(std::span<CDataNode* const> nodes,
                                                     const CDataRef& reference, bool descending)
{
    auto* expression = dynamic_cast<CExpression*>(reference.GetExpression());
    std::vector<SortEntry> entries;
    std::vector<CExprSortKey> values;
    TextStore texts;
    const auto readValue = [&](SortEntry& entry, CDataNode&, CRecordNode* record) {
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
        return true;
    };
    const auto readText = [&](SortEntry& entry, CDataNode&, CRecordNode* record) {
        std::string text;
        if (record)
            reference.Evaluate(text, record);
        text = text::FoldedSortKey(text);
        if (!texts.Fits(text.size()))
            return false;
        texts.Put(entry, text);
        return true;
    };
    if (!(expression ? ReadEntries(nodes, entries, readValue)
                     : ReadEntries(nodes, entries, readText)))
        return std::nullopt;
    const auto valueOf = [&](const SortEntry& entry, CExprSortKey& scratch) -> const CExprSortKey& {
        if (!(entry.flags & kHasText))
            return values[entry.other];
        scratch.m_resultType = ERT_TEXT;
        scratch.m_text = texts.Text(entry);
        return scratch;
    };
    return SortedPlaces(entries, [&](const SortEntry& first, const SortEntry& second) {
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
}

std::vector<std::uint32_t> NumberOrder(std::span<CDataNode* const> nodes, bool byCreation)
{
    std::vector<SortEntry> entries;
    ReadEntries(nodes, entries, [&](SortEntry& entry, CDataNode&, CRecordNode* record) {
        if (record && byCreation) {
            entry.number = record->GetRecordNumber();
        } else if (record) {
            const COleDateTime& stamp = record->GetChangeStamp();
            // Latest first; a record without a stamp after every one with a stamp.
            entry.number =
                stamp.GetStatus() == COleDateTime::valid ? -StampSeconds(stamp) : INT64_MAX;
        }
        return true;
    });
    return SortedPlaces(entries, [](const SortEntry& a, const SortEntry& b) {
        if (!(a.flags & b.flags & kIsRecord))
            return a.flags & kIsRecord ? -1 : b.flags & kIsRecord ? 1 : 0;
        return CompareNumbers(a.number, b.number);
    });
}

} // namespace

std::optional<std::vector<std::uint32_t>> GridSortOrder(std::span<CDataNode* const> nodes,
                                                        GridSortBy by, const CDataRef* reference,
                                                        bool descending)
{
    switch (by) {
    case GridSortBy::kName:
        if (auto places = NameRankOrder(nodes))
            return places;
        return NameOrder(nodes);
    case GridSortBy::kText:
        return TextOrder(nodes);
    case GridSortBy::kValue:
        if (!reference)
            return std::nullopt;
        return ValueOrder(nodes, *reference, descending);
    case GridSortBy::kCreation:
    case GridSortBy::kLastUpdate:
        return NumberOrder(nodes, by == GridSortBy::kCreation);
    }
    return std::nullopt;
}

bool AddNameRankRow(CNameRankSort& ranks, const CDataNode* node)
{
    if (!node) {
        ranks.AddEmpty();
        return true;
    }
    const CIndRec* individual =
        node->IsRecord() ? AsIndividual(static_cast<const CRecordNode*>(node)) : nullptr;
    if (!individual)
        return false;
    // A name stored as an earlier one was, whose key followed its text alone, is that name: its
    // key is not read again. Whether a key follows the text alone is a matter of the text, so
    // a text found among those is not tested again.
    std::string_view stored;
    if (const CNameNode* name = individual->GetName()) {
        const std::string_view value = name->GetValue();
        if (!value.empty() &&
            ranks.AddByStoredName(value, individual->GetDateKey(), individual->GetRecordNumber()))
            return true;
        if (name->SortKeyFollowsValue(0))
            stored = value;
    }
    return ranks.Add(individual->GetSortKey(0), stored);
}

std::optional<std::vector<std::uint32_t>> NameRankOrder(std::span<CDataNode* const> nodes)
{
    CNameRankSort ranks(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        // The records eight ahead are asked for while this one's key is read.
        if (i + 8 < nodes.size())
            PrefetchNode(nodes[i + 8]);
        if (!AddNameRankRow(ranks, nodes[i]))
            return std::nullopt;
    }
    return ranks.Order();
}
