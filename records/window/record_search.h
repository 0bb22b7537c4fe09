// records/window/record_search.h: a search for records as Find Record asks it: the words typed,
// split with the ignorable ones marked, and the search of one record list for the next match.
#pragma once

#include "database/nodes/data_node.h"

#include <string>
#include <string_view>
#include <vector>

class CRecordNode;
class CTagGrid;

/// One blank-separated word of the search text.
struct SearchWord {
    std::string m_text;
    std::string m_upper;
    std::string m_lower;
    /// Its length in bytes.
    std::size_t m_length = 0;
    /// "of", ".of", "..of", "...of" and "and", in any case: a record need not hold them.
    bool m_ignorable = false;
};

/// What to search by: the name or title of a record, its notes, or every text field.
enum SearchType : int { kSearchNameOrTitle = 0, kSearchNotes = 1, kSearchAllText = 2 };

/// One search request.
struct RecordSearch {
    std::vector<SearchWord> m_words;
    /// All record types, or the one of m_listIndex.
    bool m_allTypes = false;
    int m_listIndex = 0;
    SearchType m_searchType = kSearchNameOrTitle;
    /// Towards the top.
    bool m_up = false;
    bool m_matchCase = false;
    /// Find First: from the start of the list rather than after the current record.
    bool m_first = true;
};

/// The words of text: each run of characters other than white space, in order.
std::vector<SearchWord> SplitSearchWords(std::string_view text);
/// The terms a record must hold: the words that are not ignorable, or every word when all are.
std::vector<CSearchTerm> MatchTermsOf(const std::vector<SearchWord>& words);

/// Whether the record matches the search type's terms: the key text (name or title) for a name
/// search; one note of the record (its own note texts, the notes of note records it links to,
/// a note record's text) holding every term for a note search; one text field holding every
/// term for an all-text search.
bool RecordMatches(const CRecordNode& record, const std::vector<CSearchTerm>& terms,
                   SearchType type, bool matchCase);
/// The first node of the record, in field order, whose own value holds every term for the
/// search type (the record itself for a name search); null when none does.
const CDataNode* FirstMatchingNode(const CRecordNode& record, const std::vector<CSearchTerm>& terms,
                                   SearchType type, bool matchCase);

/// Opens the row of the node's record down to the node and selects the node's row (the deepest
/// row reached when a field on the way is not listed); false when the record has no row.
bool SelectNodeRow(CTagGrid& grid, const CDataNode* node);

/// Searches the grid's records from the row after the caret row's record (up: before it), or
/// from the first (up: last) row when fromStart or without a caret row. The first matching
/// record is shown: a name search selects its row; another search opens the row down to the
/// first matching field and selects that field's row. False when no record matched.
bool FindNextMatch(CTagGrid& grid, bool fromStart, const RecordSearch& search);
