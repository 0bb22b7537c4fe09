// records/window/record_search.cpp: splitting the search words, matching a record by name, notes or
// any text, and finding the next matching record of a record list.
#include "records/window/record_search.h"

#include "records/grid/tag_grid.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/field_ids.h"
#include "database/records/note_rec.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"

#include <array>
#include <span>

namespace {

bool IsIgnorableWord(std::string_view word)
{
    constexpr std::array<std::string_view, 5> kIgnorable = {"of", ".of", "..of", "...of", "and"};
    for (std::string_view ignorable : kIgnorable)
        if (text::EqualsNoCase(word, ignorable))
            return true;
    return false;
}

bool OwnValueHolds(const CDataNode& node, const std::vector<CSearchTerm>& terms, bool matchCase)
{
    return node.ContainsText(std::span(terms), matchCase, false);
}

bool IsShown(const CDataNode& node)
{
    const CFieldDef* def = node.GetFieldDef();
    return def && !def->IsHidden();
}

/// A note of the record: a note text, a note record's text, a caption note.
bool IsNoteText(const CDataNode& node)
{
    switch (node.GetFieldId()) {
    case FIELD_NOTE_TEXT:
    case FIELD_EXT_NOTE:
        return true;
    case FIELD_TEXT:
        return dynamic_cast<const CNoteRec*>(node.GetParent()) != nullptr;
    default:
        return false;
    }
}

bool NoteHolds(const CDataNode& node, const std::vector<CSearchTerm>& terms, bool matchCase)
{
    if (IsNoteText(node))
        return OwnValueHolds(node, terms, matchCase);
    if (node.GetFieldId() != FIELD_NOTE)
        return false;
    const auto* note = dynamic_cast<const CNoteRec*>(node.GetLinkTarget());
    const CDataNode* text = note ? note->GetTextField() : nullptr;
    return text && OwnValueHolds(*text, terms, matchCase);
}

/// The first shown node below parent, in field order, that holds the terms for the search type.
const CDataNode* FirstMatchBelow(const CDataNode& parent, const std::vector<CSearchTerm>& terms,
                                 SearchType type, bool matchCase)
{
    for (const CDataNode* child = parent.GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!IsShown(*child))
            continue;
        const bool holds = type == kSearchNotes ? NoteHolds(*child, terms, matchCase)
                                                : OwnValueHolds(*child, terms, matchCase);
        if (holds)
            return child;
        if (const CDataNode* below = FirstMatchBelow(*child, terms, type, matchCase))
            return below;
    }
    return nullptr;
}

/// The row of node under row, opening each row on the way; the deepest row reached.
CTreeBoxNode* OpenDownTo(CTagGrid& grid, CTreeBoxNode* row, const CDataNode* node)
{
    std::vector<const CDataNode*> path;
    for (const CDataNode* at = node; at && at != CTagGrid::NodeOf(row); at = at->GetParent())
        path.insert(path.begin(), at);
    CTreeBox& box = grid.GetBox();
    for (const CDataNode* step : path) {
        if (row->m_state == CTreeBoxNode::kCollapsed)
            box.ExpandItem(row, true, 1);
        CTreeBoxNode* child = row->m_firstChild;
        while (child && CTagGrid::NodeOf(child) != step)
            child = child->m_nextSibling;
        if (!child)
            break;
        row = child;
    }
    return row;
}

/// The top-level rows to search, in search order, from the one after caret (null: all).
std::vector<CTreeBoxNode*> RowsToSearch(CTreeBox& box, const CTreeBoxNode* caret, bool up)
{
    std::vector<CTreeBoxNode*> rows;
    if (!up) {
        for (CTreeBoxNode* row = caret ? caret->m_nextSibling : box.GetFirstItem(); row;
             row = row->m_nextSibling)
            rows.push_back(row);
        return rows;
    }
    for (CTreeBoxNode* row = box.GetFirstItem(); row && row != caret; row = row->m_nextSibling)
        rows.push_back(row);
    return {rows.rbegin(), rows.rend()};
}

} // namespace

bool SelectNodeRow(CTagGrid& grid, const CDataNode* node)
{
    const CDataNode* record = node;
    while (record && !record->IsRecord())
        record = record->GetParent();
    CTreeBoxNode* row = record ? grid.FindRowByRecord(record) : nullptr;
    if (!row)
        return false;
    row = OpenDownTo(grid, row, node);
    grid.GetBox().ClearSelection(nullptr, false);
    grid.SelectRow(row, false, true);
    return true;
}

std::vector<SearchWord> SplitSearchWords(std::string_view text)
{
    std::vector<SearchWord> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && text::IsSpace(text[at]))
            ++at;
        const std::size_t start = at;
        while (at < text.size() && !text::IsSpace(text[at]))
            ++at;
        if (at == start)
            break;
        SearchWord word;
        word.m_text = std::string(text.substr(start, at - start));
        word.m_upper = text::ToUpper(word.m_text);
        word.m_lower = text::ToLower(word.m_text);
        word.m_length = word.m_text.size();
        word.m_ignorable = IsIgnorableWord(word.m_text);
        words.push_back(std::move(word));
    }
    return words;
}

std::vector<CSearchTerm> MatchTermsOf(const std::vector<SearchWord>& words)
{
    bool allIgnorable = true;
    for (const SearchWord& word : words)
        allIgnorable = allIgnorable && word.m_ignorable;
    std::vector<CSearchTerm> terms;
    for (const SearchWord& word : words)
        if (allIgnorable || !word.m_ignorable)
            terms.push_back({word.m_text, word.m_lower, word.m_upper});
    return terms;
}

const CDataNode* FirstMatchingNode(const CRecordNode& record, const std::vector<CSearchTerm>& terms,
                                   SearchType type, bool matchCase)
{
    if (terms.empty())
        return nullptr;
    if (type == kSearchNameOrTitle)
        return record.ContainsKeyText(std::span(terms), matchCase) ? &record : nullptr;
    return FirstMatchBelow(record, terms, type, matchCase);
}

bool RecordMatches(const CRecordNode& record, const std::vector<CSearchTerm>& terms,
                   SearchType type, bool matchCase)
{
    return FirstMatchingNode(record, terms, type, matchCase) != nullptr;
}

bool FindNextMatch(CTagGrid& grid, bool fromStart, const RecordSearch& search)
{
    const std::vector<CSearchTerm> terms = MatchTermsOf(search.m_words);
    if (terms.empty())
        return false;
    CTreeBox& box = grid.GetBox();
    CTreeBoxNode* caret = fromStart ? nullptr : box.GetFocusItem();
    while (caret && caret->m_parent)
        caret = caret->m_parent;
    for (CTreeBoxNode* row : RowsToSearch(box, caret, search.m_up)) {
        const auto* record = dynamic_cast<const CRecordNode*>(CTagGrid::NodeOf(row));
        if (!record || record->IsPendingDeletion())
            continue;
        const CDataNode* match =
            FirstMatchingNode(*record, terms, search.m_searchType, search.m_matchCase);
        if (!match)
            continue;
        if (row->m_state == CTreeBoxNode::kExpanded && search.m_searchType != kSearchNameOrTitle)
            box.ExpandItem(row, false, 1);
        return SelectNodeRow(grid, match);
    }
    return false;
}
