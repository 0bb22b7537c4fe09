// merge/merge_engine.cpp: the compare of two data sets: rows and maps, the greedy pairing by score,
// the pairing of fields, and the end of a session.
#include "merge/merge_engine.h"

#include "database/fields/text_value_node.h"
#include "database/kin/ind_compare_keys.h"
#include "database/kin/ind_rec.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/data_node.h"
#include "database/records/record_node.h"
#include "merge/merge_candidates.h"
#include "merge/merge_individual_blocks.h"
#include "merge/merge_score_bounds.h"
#include "platform/base/progress.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr const char* kComparing = "Comparing new file with the current file...";
constexpr int kHeaderType = 0;
constexpr int kIndividualType = 2;
constexpr int kMultimediaType = 3;
constexpr int kNoteType = 4;

std::vector<CRecordNode*> RecordsOf(const CDataNode* root)
{
    std::vector<CRecordNode*> records;
    records.reserve(root ? root->CountChildren() : 0);
    for (CDataNode* node = root ? root->GetFirstChild() : nullptr; node;
         node = node->GetNextSibling())
        records.push_back(static_cast<CRecordNode*>(node));
    return records;
}

void ClearMergeFlags(CDataNode* node)
{
    node->SetFlag(DNF_PAIRED | DNF_MARK | DNF_MERGE, false);
    for (CDataNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        ClearMergeFlags(child);
}

CRecordNode* RecordOf(const CDataNode* node)
{
    while (node && !node->IsRecord())
        node = node->GetParent();
    return const_cast<CRecordNode*>(static_cast<const CRecordNode*>(node));
}

} // namespace

/// The compare's progress: moved once per hundredth of the new records, with a repaint at
/// every tenth move.
class CCompareProgress {
public:
    CCompareProgress(IProgress* progress, std::function<void()> repaint, long total)
        : m_progress(progress), m_repaint(std::move(repaint)), m_step(total / 100)
    {
        if (m_progress)
            m_progress->ResetProgress(total, kComparing);
    }
    void Advance()
    {
        ++m_count;
        if (m_count <= m_threshold)
            return;
        if (m_progress)
            m_progress->SetProgressPos(m_count);
        m_threshold += m_step;
        if (++m_moves % 10 == 0 && m_repaint)
            m_repaint();
    }

private:
    IProgress* m_progress;
    std::function<void()> m_repaint;
    long m_step;
    long m_count = 0;
    long m_threshold = 0;
    long m_moves = 0;
};

CMergeEngine::CMergeEngine(const MergeRoots& current, const MergeRoots& incoming)
    : m_current(current), m_incoming(incoming)
{
    m_valid = std::all_of(current.begin(), current.end(), [](auto* r) { return r; }) &&
              std::all_of(incoming.begin(), incoming.end(), [](auto* r) { return r; });
}

CMergeEngine::~CMergeEngine()
{
    EndSession();
}

void CMergeEngine::InitCompareMaps(IProgress* progress, std::function<void()> repaint)
{
    if (!IsOpen())
        return;
    // A size read by an earlier compare may be stale: the scores read the files afresh.
    for (const MergeRoots* roots : {&m_current, &m_incoming}) {
        for (const CRecordNode* record : RecordsOf((*roots)[kMultimediaType])) {
            if (const auto* object = dynamic_cast<const CObjRec*>(record))
                object->ResetCompareCache();
        }
    }
    std::size_t count = 0;
    for (const MergeRoots* roots : {&m_current, &m_incoming}) {
        if (const CDataNode* root = (*roots)[kIndividualType])
            count += root->CountChildren();
    }
    std::vector<const CIndRec*> individuals;
    individuals.reserve(count);
    for (const MergeRoots* roots : {&m_current, &m_incoming}) {
        const CDataNode* root = (*roots)[kIndividualType];
        for (CDataNode* node = root ? root->GetFirstChild() : nullptr; node;
             node = node->GetNextSibling()) {
            if (const CIndRec* individual = AsIndividual(static_cast<CRecordNode*>(node)))
                individuals.push_back(individual);
        }
    }
    InstallCompareKeys(individuals);
    individuals = std::vector<const CIndRec*>(); // its memory freed ({} would keep it)
    try {
        CompareFiles(progress, std::move(repaint));
    } catch (...) {
        SetCompareKeys(nullptr);
        throw;
    }
    SetCompareKeys(nullptr);
}

void CMergeEngine::CompareFiles(IProgress* progress, std::function<void()> repaint)
{
    if (!IsOpen())
        return;
    long total = 0;
    for (const CDataNode* root : m_incoming)
        total += root ? long(root->CountChildren()) : 0;
    CCompareProgress bar(progress, std::move(repaint), total);
    for (int type = RECORD_TYPE_COUNT - 1; type >= 0; --type)
        CompareType(type, bar);
    PairMatchedRecords();
    // The new file's header that matched none is not added; nor is the record of another type
    // a file holds once, where the program's data set has one (the merged file would hold two,
    // and a load reads the first only).
    for (int type = 0; type < RECORD_TYPE_COUNT; ++type) {
        const CRecordType* row = GetRecordTypeTable().RowByCode(type);
        const CDataNode* root = m_current[std::size_t(type)];
        if (!row || !row->m_singleInstance ||
            (type != kHeaderType && !(root && root->GetFirstChild())))
            continue;
        for (const auto& line : m_rows[std::size_t(type)]) {
            if (line->incoming && !line->current)
                line->incoming->SetSubtreeMark(true);
        }
    }
}

void CMergeEngine::CompareType(int type, CCompareProgress& progress)
{
    const std::size_t t = std::size_t(type);
    m_rows[t].clear();
    m_mapA[t].clear();
    m_mapB[t].clear();
    m_matches.m_tables[t].clear();
    const std::vector<CRecordNode*> currents = RecordsOf(m_current[t]);
    m_mapA[t].reserve(currents.size());
    // The current individual matched with each new one, for the index to ask (only individuals
    // are asked for, by the families, compared after them): by the new one's record number,
    // which at most one individual of a data set holds, and through its row for any other.
    std::vector<std::pair<const CRecordNode*, const CRecordNode*>> byNumber; // new, current
    const auto numberAll = [this, &byNumber] {
        const RowList& rows = m_rows[kIndividualType];
        const std::int64_t limit = std::int64_t(rows.size()) * 4 + 1024;
        const auto numberOf = [limit](const MergeRow& row) {
            const std::int32_t number = row.incoming ? row.incoming->GetRecordNumber() : 0;
            return number > limit ? 0 : std::max(number, 0);
        };
        std::int32_t highest = 0;
        for (const auto& row : rows)
            highest = std::max(highest, numberOf(*row));
        byNumber.resize(std::size_t(highest) + 1); // exactly: no room to spare
        for (const auto& row : rows) {
            const auto number = std::size_t(numberOf(*row));
            if (number > 0 && !byNumber[number].first)
                byNumber[number] = {row->incoming, row->current};
        }
    };
    const auto currentMatchOf = [this, &byNumber, numberAll](const CRecordNode* incoming) {
        if (byNumber.empty())
            numberAll();
        const std::int32_t number = incoming->GetRecordNumber();
        if (number > 0 && std::size_t(number) < byNumber.size() &&
            byNumber[std::size_t(number)].first == incoming)
            return byNumber[std::size_t(number)].second;
        const auto& rows = m_mapB[kIndividualType];
        const auto found = rows.find(incoming);
        return found == rows.end() ? nullptr
                                   : static_cast<const CRecordNode*>(found->second->current);
    };
    // The index of every candidate, made when first needed: the individuals need it only when
    // their blocks cannot settle a new record.
    std::unique_ptr<CCandidateIndex> index;
    const auto candidateIndex = [&]() -> const CCandidateIndex& {
        if (!index)
            index = MakeCandidateIndex(type, currents, currentMatchOf);
        return *index;
    };
    const bool shortcuts = UsesShortcuts();
    std::unique_ptr<CScoreBounds> bounds;
    std::unique_ptr<CIndividualBlocks> blocks;
    if (shortcuts && type == kIndividualType) {
        bounds = std::make_unique<CScoreBounds>(currents);
        blocks = std::make_unique<CIndividualBlocks>(currents);
    }
    RowList leftOver;
    RowList claimed; // the rows of claimed current records, in no useful order
    std::vector<MergeRow*> claimOf(currents.size(), nullptr); // by position: map A as it grows
    std::vector<RowList::iterator> placeOf(currents.size());  // by position: its claim's row
    auto& matches = m_matches.m_tables[t];
    matches.reserve(currents.size());
    // No individual's score reads the table of matched individuals: it is filled once the
    // matching is done, not at every claim and release.
    const bool matchesAtEnd = type == kIndividualType;
    // A current record claimed by a new record, taking it over from the one that claimed it
    // before (which becomes an unmatched row).
    const auto claim = [&](std::uint32_t position, CRecordNode* incoming, int score) {
        CRecordNode* current = currents[position];
        if (MergeRow* old = claimOf[position]) {
            old->current = nullptr;
            old->score = 0;
            leftOver.splice(leftOver.end(), claimed, placeOf[position]);
        }
        claimed.push_back(std::make_unique<MergeRow>(MergeRow{current, incoming, score, false}));
        placeOf[position] = std::prev(claimed.end());
        claimOf[position] = claimed.back().get();
        if (!matchesAtEnd)
            matches[current] = incoming;
        if (blocks)
            blocks->SetClaim(position, score);
    };
    // The claim of a new record on a current record it found a better one than.
    const auto release = [&](std::uint32_t position) {
        claimed.erase(placeOf[position]);
        claimOf[position] = nullptr;
        if (!matchesAtEnd)
            matches.erase(currents[position]);
        if (blocks)
            blocks->SetClaim(position, std::nullopt);
    };
    std::vector<std::uint32_t> candidates;
    for (CDataNode* node = m_incoming[t]->GetFirstChild(); node; node = node->GetNextSibling()) {
        auto* incoming = static_cast<CRecordNode*>(node);
        progress.Advance();
        if (bounds)
            bounds->SetIncoming(incoming);
        if (blocks) {
            const auto found = blocks->FindBest(*incoming, *bounds, [&](std::uint32_t position) {
                const std::optional<int> keyed = bounds->Score(position);
                return keyed ? *keyed : currents[position]->MatchScore(incoming, &m_matches);
            });
            if (found) {
                if (found->found)
                    claim(found->position, incoming, found->score);
                else
                    leftOver.push_back(
                        std::make_unique<MergeRow>(MergeRow{nullptr, incoming, 0, false}));
                continue;
            }
        }
        int best = 0;
        std::optional<std::uint32_t> bestPosition;
        // A note scores only by having the same text, so none scores above the new note against
        // itself: a current note claimed at that score stays with its claim, and the first
        // candidate reaching it ends the search.
        const int ceiling = shortcuts && type == kNoteType
                                ? incoming->MatchScore(incoming, &m_matches)
                                : std::numeric_limits<int>::max();
        const bool narrowed = shortcuts && candidateIndex().Collect(*incoming, candidates);
        const std::size_t count = narrowed ? candidates.size() : currents.size();
        for (std::size_t k = 0; k < count; ++k) {
            const std::uint32_t position = narrowed ? candidates[k] : std::uint32_t(k);
            const MergeRow* old = claimOf[position];
            if (old && old->score >= ceiling)
                continue;
            // A score that cannot pass the best so far, nor the claim on the record, changes
            // nothing.
            if (bounds && (!bounds->CouldExceed(position, best) ||
                           (old && !bounds->CouldExceed(position, old->score))))
                continue;
            const int score = currents[position]->MatchScore(incoming, &m_matches);
            if (score <= best || (old && old->score >= score))
                continue;
            claim(position, incoming, score);
            // The candidate found before is free again.
            if (bestPosition)
                release(*bestPosition);
            bestPosition = position;
            best = score;
            if (best >= ceiling)
                break;
        }
        if (!bestPosition)
            leftOver.push_back(std::make_unique<MergeRow>(MergeRow{nullptr, incoming, 0, false}));
    }
    // The matching is done: its indexes are freed before the rows and their maps are made, so
    // the two do not add up at the peak.
    blocks.reset();
    bounds.reset();
    index.reset();
    byNumber = decltype(byNumber)();
    // The row list: the current records in their order, matched or not, then the left-over
    // rows in the order they were left over.
    auto& mapA = m_mapA[t];
    for (std::size_t position = 0; position < currents.size(); ++position) {
        if (claimOf[position]) {
            if (matchesAtEnd)
                matches.emplace(currents[position], claimOf[position]->incoming);
            m_rows[t].splice(m_rows[t].end(), claimed, placeOf[position]);
        } else {
            m_rows[t].push_back(
                std::make_unique<MergeRow>(MergeRow{currents[position], nullptr, 0, false}));
        }
        mapA.emplace(currents[position], m_rows[t].back().get());
    }
    m_rows[t].splice(m_rows[t].end(), leftOver);
    m_mapB[t].reserve(m_rows[t].size());
    for (const auto& row : m_rows[t]) {
        if (row->incoming)
            m_mapB[t].emplace(row->incoming, row.get());
    }
}

void CMergeEngine::PairMatchedRecords()
{
    std::array<std::unordered_map<std::string, CRecordNode*>, 2> ids;
    for (const RowList& rows : m_rows) {
        for (const auto& row : rows) {
            if (row->IsMatched()) {
                row->current->PairSubtrees(row->incoming, &m_matches);
                MarkBirthConflict(row->current, row->incoming);
            } else if (row->current)
                row->current->SetSubtreeMark(false);
            else if (row->incoming)
                row->incoming->SetSubtreeMark(false);
        }
    }
    // Once every record is paired, the records text fields name can be compared.
    for (const RowList& rows : m_rows) {
        for (const auto& row : rows) {
            if (row->IsMatched())
                PartTextReferences(row->current, row->incoming, ids);
        }
    }
}

void CMergeEngine::PartTextReferences(
    CRecordNode* current, CRecordNode* incoming,
    std::array<std::unordered_map<std::string, CRecordNode*>, 2>& ids)
{
    const auto named = [&](const CTextValueNode& text, bool currentSide) -> const CRecordNode* {
        auto& map = ids[currentSide ? 0 : 1];
        if (map.empty()) {
            for (CDataNode* root : currentSide ? m_current : m_incoming) {
                for (CDataNode* node = root->GetFirstChild(); node; node = node->GetNextSibling()) {
                    auto* record = static_cast<CRecordNode*>(node);
                    if (std::string id = record->GetIdText(); !id.empty())
                        map.emplace(std::move(id), record);
                }
            }
        }
        const auto found = map.find(std::string(CrossReferenceIn(text.GetValue())));
        return found == map.end() ? nullptr : found->second;
    };
    // The walk carries each paired field with its partner: the k-th paired child of one
    // definition pairs with the k-th of that definition on the other side.
    std::vector<std::pair<CDataNode*, CDataNode*>> pending{{current, incoming}};
    std::vector<std::pair<const CFieldDef*, CDataNode*>> lastOf; // per definition, its last partner
    while (!pending.empty()) {
        const auto [node, partner] = pending.back();
        pending.pop_back();
        // A field parted on both sides by a sibling's check is passed with its subtree.
        if (node != current && !node->HasFlag(DNF_PAIRED))
            continue;
        lastOf.clear();
        for (CDataNode* child = node->GetFirstChild(); child; child = child->GetNextSibling()) {
            if (!child->HasFlag(DNF_PAIRED))
                continue;
            const CFieldDef* def = child->GetFieldDef();
            auto last = std::find_if(lastOf.begin(), lastOf.end(),
                                     [def](const auto& entry) { return entry.first == def; });
            CDataNode* other = last == lastOf.end() ? partner->GetFirstChild()
                               : last->second       ? last->second->GetNextSibling()
                                                    : nullptr;
            while (other && (other->GetFieldDef() != def || !other->HasFlag(DNF_PAIRED)))
                other = other->GetNextSibling();
            if (last == lastOf.end())
                lastOf.emplace_back(def, other);
            else
                last->second = other;
            if (other)
                pending.emplace_back(child, other);
        }
        // Only text fields holding a cross-reference on either side are checked; the flag is
        // read before the casts, which most fields never need.
        if (node == current || (!node->HasFlag(DNF_XREF_TEXT) && !partner->HasFlag(DNF_XREF_TEXT)))
            continue;
        const auto* mine = dynamic_cast<const CTextValueNode*>(node);
        const auto* theirs = dynamic_cast<const CTextValueNode*>(partner);
        if (!mine || !theirs || (!mine->HoldsCrossReference() && !theirs->HoldsCrossReference()))
            continue;
        const CRecordNode* mineNames = mine->HoldsCrossReference() ? named(*mine, true) : nullptr;
        const CRecordNode* theirsNames =
            theirs->HoldsCrossReference() ? named(*theirs, false) : nullptr;
        const bool same =
            mine->HoldsCrossReference() && theirs->HoldsCrossReference() &&
            (mineNames || theirsNames
                 ? mineNames && theirsNames && m_matches.FindMatch(mineNames) == theirsNames
                 : true);
        if (same)
            continue;
        node->SetSubtreeMark(false);
        partner->SetSubtreeMark(false);
    }
}

MergeRow* CMergeEngine::FindCurrentRow(const CRecordNode* record) const
{
    for (const auto& map : m_mapA) {
        if (const auto found = map.find(record); found != map.end())
            return found->second;
    }
    return nullptr;
}

MergeRow* CMergeEngine::FindIncomingRow(const CRecordNode* record) const
{
    for (const auto& map : m_mapB) {
        if (const auto found = map.find(record); found != map.end())
            return found->second;
    }
    return nullptr;
}

MergeRow* CMergeEngine::FindRow(const CRecordNode* record, bool currentSide) const
{
    return currentSide ? FindCurrentRow(record) : FindIncomingRow(record);
}

int CMergeEngine::TypeOf(const CRecordNode* record) const
{
    const CDataNode* root = record ? record->GetParent() : nullptr;
    for (int type = 0; type < RECORD_TYPE_COUNT && root; ++type) {
        if (m_current[std::size_t(type)] == root || m_incoming[std::size_t(type)] == root)
            return type;
    }
    return -1;
}

bool CMergeEngine::IsCurrentSide(const CDataNode* node) const
{
    const CRecordNode* record = RecordOf(node);
    const CDataNode* root = record ? record->GetParent() : nullptr;
    return root && std::find(m_current.begin(), m_current.end(), root) != m_current.end();
}

CDataNode* CMergeEngine::GetCounterpart(const CDataNode* node, bool currentSide,
                                        MergeRow** row) const
{
    if (row)
        *row = nullptr;
    if (!node)
        return nullptr;
    const CRecordNode* record = RecordOf(node);
    MergeRow* found = record ? FindRow(record, currentSide) : nullptr;
    if (row)
        *row = found;
    if (!node->HasFlag(DNF_PAIRED) || !found || !found->IsMatched())
        return nullptr;
    CRecordNode* other = currentSide ? found->incoming : found->current;
    return node->FindCounterpart(other);
}

void CMergeEngine::SetRowIncoming(int type, MergeRow& row, CRecordNode* incoming)
{
    const std::size_t t = std::size_t(type);
    if (row.incoming && m_mapB[t].count(row.incoming) && m_mapB[t].at(row.incoming) == &row)
        m_mapB[t].erase(row.incoming);
    if (row.current)
        m_matches.m_tables[t].erase(row.current);
    row.incoming = incoming;
    if (incoming) {
        m_mapB[t][incoming] = &row;
        if (row.current)
            m_matches.m_tables[t][row.current] = incoming;
    }
}

void CMergeEngine::RemoveRow(int type, MergeRow* row)
{
    const std::size_t t = std::size_t(type);
    if (row->current) {
        if (const auto found = m_mapA[t].find(row->current);
            found != m_mapA[t].end() && found->second == row)
            m_mapA[t].erase(found);
        m_matches.m_tables[t].erase(row->current);
    }
    if (row->incoming) {
        if (const auto found = m_mapB[t].find(row->incoming);
            found != m_mapB[t].end() && found->second == row)
            m_mapB[t].erase(found);
    }
    m_rows[t].remove_if([row](const auto& r) { return r.get() == row; });
}

MergeRow* CMergeEngine::InsertRowAfter(int type, MergeRow* after, std::unique_ptr<MergeRow> row)
{
    const std::size_t t = std::size_t(type);
    auto place = m_rows[t].end();
    if (after) {
        place = std::find_if(m_rows[t].begin(), m_rows[t].end(),
                             [after](const auto& r) { return r.get() == after; });
        if (place != m_rows[t].end())
            ++place;
    }
    MergeRow* inserted = m_rows[t].insert(place, std::move(row))->get();
    if (inserted->current)
        m_mapA[t][inserted->current] = inserted;
    if (inserted->incoming)
        m_mapB[t][inserted->incoming] = inserted;
    if (inserted->IsMatched())
        m_matches.m_tables[t][inserted->current] = inserted->incoming;
    return inserted;
}

void CMergeEngine::BeginAction()
{
    m_inAction = true;
    ClearRefreshState();
}

void CMergeEngine::EndAction()
{
    m_inAction = false;
}

void CMergeEngine::NoteChangedNode(CDataNode* node)
{
    if (!node)
        return;
    if (!m_changedNode) {
        m_changedNode = node;
        return;
    }
    if (RecordOf(node) != RecordOf(m_changedNode)) {
        m_fullRefresh = true;
        return;
    }
    // The nearest common ancestor of the two.
    std::vector<CDataNode*> chain;
    for (CDataNode* up = m_changedNode; up; up = up->GetParent())
        chain.push_back(up);
    for (CDataNode* up = node; up; up = up->GetParent()) {
        if (std::find(chain.begin(), chain.end(), up) != chain.end()) {
            m_changedNode = up;
            return;
        }
    }
}

void CMergeEngine::ClearRefreshState()
{
    m_fullRefresh = false;
    m_changedNode = nullptr;
}

void CMergeEngine::EndSession()
{
    if (!m_valid || m_ended)
        return;
    m_ended = true;
    for (const MergeRoots* roots : {&m_current, &m_incoming}) {
        for (CDataNode* root : *roots) {
            if (root)
                ClearMergeFlags(root);
        }
    }
    for (auto& rows : m_rows)
        rows.clear();
    for (auto& map : m_mapA)
        map.clear();
    for (auto& map : m_mapB)
        map.clear();
    for (auto& table : m_matches.m_tables)
        table.clear();
    m_changedNode = nullptr;
}
