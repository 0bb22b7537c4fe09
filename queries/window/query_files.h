// queries/window/query_files.h: the saved queries as lists show them, and the choice of one.
#pragma once

#include <string>
#include <vector>

class CComboBox;
class CFieldDef;
class CListBox;
class CWnd;

/// The label a custom query's entry carries after its name.
inline constexpr const char* kCustomQuerySuffix = " (custom)";

/// One entry of a list of saved queries: the query's name, followed by " (custom)" for a
/// custom query, and its kind.
struct QueryFileEntry {
    std::string text;
    bool custom = false;

    bool operator==(const QueryFileEntry&) const = default;
};

/// Adds an entry for every query file of the "Standard" folder, then of the "Custom" folder,
/// each folder's files in name order, skipping an entry the list already has (same text and
/// kind). With a record type, a file that reads as a query of another type is left out; a
/// file that does not read is listed all the same, so that choosing it shows why. The list is
/// emptied first when emptyFirst is set. Only regular files are listed: a folder or a pipe named
/// as a query is passed over without being opened. False when the listing failed on the way.
bool ListQueryFiles(std::vector<QueryFileEntry>& list, bool emptyFirst,
                    const CFieldDef* recordType);
/// The same for a list box or combo box: item data 0 for a standard query, 1 for a custom one.
bool ListQueryFiles(CListBox& list, bool emptyFirst, const CFieldDef* recordType);
bool ListQueryFiles(CComboBox& list, bool emptyFirst, const CFieldDef* recordType);

/// The query's name and kind from an entry's text and item data.
std::string QueryNameFromEntry(const std::string& text);

/// Lets the user choose a saved query (of recordType, or of any type when null) in the query
/// selection dialog; removeNote leaves out the dialog's note about the multimedia window.
/// True with name and custom set when the user chose one.
bool SelectQuery(CWnd* parent, std::string& name, bool& custom, bool removeNote,
                 const CFieldDef* recordType);
