// queries/query_def.h: one query (its record type, columns, filter rows, headings, print
// settings and last result), its query file, and the program-wide list of queries.
#pragma once

#include "database/paths/data_ref.h"
#include "queries/query_filter.h"
#include "queries/query_heading.h"
#include "queries/query_result_set.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CFieldDef;

enum QueryColumnSort : int {
    QCS_NONE = 0,
    QCS_ASCENDING = 1,
    QCS_DESCENDING = 2,
};

enum QueryMultiPage : int {
    QMP_DOWN_FIRST = 0,
    QMP_ACROSS_FIRST = 1,
    QMP_ACROSS_ONE_MAX = 2,
};

enum QueryOrientation : int {
    QOR_LANDSCAPE = 0,
    QOR_PORTRAIT = 1,
};

/// The width a column has unless set otherwise.
inline constexpr int kDefaultColumnWidth = 80;

/// One result column: a heading over the value of a data reference.
struct CQueryColumn {
    std::string m_heading;
    CDataRef m_ref;
    std::string m_extra; // kept empty
    int m_width = kDefaultColumnWidth;
    int m_sort = QCS_NONE;
    bool m_hidden = false;
};

/// What a save or a removal of a query's file came to: done; refused, with the message that
/// tells the user why as a warning (none when there is nothing to say); or, before anything is
/// written, the question whether to replace a file another program changed since it was read,
/// asked with No as the default: the save goes on when called again with replaceChanged.
struct QueryFileOutcome {
    bool done = true;
    std::string message;
    bool replaceQuestion = false;

    static QueryFileOutcome Refused(std::string message) { return {false, std::move(message)}; }
    explicit operator bool() const { return done; }
};

/// One query. Queries are shared: the query window, reports, diagrams and a running worker
/// each hold a reference, and the query lives until the last lets go, so none is ever freed
/// under another. Every query that exists is in the program-wide list (FindLoadedQuery,
/// NotifyAllQueries) from its creation to its destruction. Only the interface thread makes,
/// edits and frees queries; while a run is going (CQueryRun), the query and the data set are
/// left alone.
class CQueryDef final : public std::enable_shared_from_this<CQueryDef> {
    struct CMakeKey {};

public:
    /// A new query: custom, never saved, of the individual record type, version 1.0.
    static std::shared_ptr<CQueryDef> Create();
    explicit CQueryDef(CMakeKey);
    ~CQueryDef();
    CQueryDef(const CQueryDef&) = delete;
    CQueryDef& operator=(const CQueryDef&) = delete;

    /// Deletes every column and row and sets the individual record type. Unless keepSettings,
    /// also forgets name, path, description and print settings and makes the query new and
    /// clean, version 1.0. Headings are emptied, read-only cleared and custom set either way.
    void RemoveAll(bool keepSettings);

    /// Reads a query file: the file of name in the "Custom" or "Standard" folder, or path when
    /// given. False with error set to the message to show; the query is then empty.
    bool Load(std::string_view name, bool custom, std::string& error,
              const std::string* path = nullptr);
    /// Writes the query file under newName (null: the current name), in the "Custom" folder
    /// when the query is custom or asCustom is set, else in "Standard". The file is written
    /// beside the old one and renamed over it, so a failure leaves the old file whole. Refused,
    /// with its message, when the file cannot be written or a part of the query cannot be
    /// written so that it reads back the same, or when the name cannot be a file's name
    /// (QueryNameProblem). Saving in place over a file changed by another program since it was
    /// read waits on the question unless replaceChanged.
    QueryFileOutcome Save(const std::string* newName, bool asCustom, bool replaceChanged = false);
    /// After an edit: a new query, a standard one and a read-only one are only marked dirty
    /// (their changes stay here until saved under a name of the user's); another is saved in
    /// place, as Save, and dirty tells whether that is still to do.
    QueryFileOutcome CommitChange(bool replaceChanged = false);
    /// Removes the query's file; a new query has none. Refused without a message for a
    /// standard or read-only query, with one when the file cannot be removed.
    QueryFileOutcome Delete();

    const std::string& GetName() const { return m_name; }
    /// The file the query reads from and saves to: the queries folder, its kind's folder, the
    /// name and ".avq".
    std::string GetFilePath() const;
    /// The path of the file last read; empty before.
    const std::string& GetLoadedPath() const { return m_path; }

    /// The top definition of the queried record type; null when a file named none.
    const CFieldDef* GetRecordType() const { return m_recordType; }
    void SetRecordType(const CFieldDef* topDef) { m_recordType = topDef; }

    /// With visibleOnly, hidden columns are not counted. Null for an index out of range.
    int GetColumnCount(bool visibleOnly) const;
    CQueryColumn* GetColumn(int index, bool visibleOnly) const;
    void AddColumn(std::unique_ptr<CQueryColumn> column);
    const std::vector<std::unique_ptr<CQueryColumn>>& GetColumns() const { return m_columns; }
    /// For moving and removing columns.
    std::vector<std::unique_ptr<CQueryColumn>>& MutableColumns() { return m_columns; }

    int GetFilterCount() const { return int(m_filters.size()); }
    CAvFilter* GetFilter(int index) const;
    void AddFilter(std::unique_ptr<CAvFilter> filter);
    /// The row's index; -1 when it is not one of the query's.
    int FindFilter(const CAvFilter* filter) const;
    /// Puts row in old's place and deletes old; false when old is not found. Sets dirty.
    bool SetFilterAt(const CAvFilter* old, std::unique_ptr<CAvFilter> row);
    /// Removes and deletes a row; false when it is not found. Sets dirty.
    bool RemoveFilter(const CAvFilter* filter);
    /// Exchanges two rows; false when an index is out of range. Sets dirty.
    bool SwapFilters(int first, int second);

    CQueryHeading& Title() { return m_title; }
    CQueryHeading& Subtitle() { return m_subtitle; }
    /// Index 0 the title, 1 the subtitle, rendered when compiled; empty for another index.
    std::string GetHeadingText(int index);

    /// Paragraphs separated by carriage return and line feed.
    const std::string& GetDescription() const { return m_description; }
    void SetDescription(std::string description) { m_description = std::move(description); }
    int GetVersionMajor() const { return m_versionMajor; }
    int GetVersionMinor() const { return m_versionMinor; }
    int GetMultiPage() const { return m_multiPage; }
    void SetMultiPage(int handling) { m_multiPage = handling; }
    int GetOrientation() const { return m_orientation; }
    void SetOrientation(int orientation) { m_orientation = orientation; }
    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool on) { m_readOnly = on; }
    bool IsCustom() const { return m_custom; }
    bool IsNew() const { return m_new; }
    bool IsDirty() const { return m_dirty; }
    void SetDirty(bool on) { m_dirty = on; }

    /// Whether the query has run-time parameters (with onlyUnset, only those without a
    /// value): in its rows, in the expressions of its rows and columns, and in every
    /// expression call of its headings.
    bool HasParameters(bool onlyUnset);
    /// For a change notice: rows, column expressions and headings forget the records going
    /// away; the result drops them too (kHintDataSetClearing: everything).
    void OnDataChanged(long hint);

    /// The result of the last run.
    const CQueryResultSet& GetResult() const { return m_result; }
    CQueryResultSet& MutableResult() { return m_result; }

    // The run's flags: invert is set before a run; cancelled is set by the interface thread
    // and read by the worker; error is set by the worker when the run fails.
    bool IsInverted() const { return m_invert; }
    void SetInverted(bool on) { m_invert = on; }
    std::atomic<bool>& CancelledFlag() { return m_cancelled; }
    std::atomic<bool>& ErrorFlag() { return m_error; }

private:
    friend class CQueryFileReader;
    friend class CQueryFileWriter;

    /// Notes the size and time of the file at path as this query read or wrote it.
    void TakeFileStamp(const std::string& path);
    /// Whether something other than this query has changed the file at path since it read or
    /// wrote it (a file that is gone has nothing to lose).
    bool IsFileChangedOnDisk(const std::string& path) const;

    const CFieldDef* m_recordType = nullptr;
    std::string m_name;
    std::string m_path;
    bool m_new = true;
    bool m_dirty = false;
    CQueryHeading m_title;
    CQueryHeading m_subtitle;
    std::vector<std::unique_ptr<CQueryColumn>> m_columns;
    std::vector<std::unique_ptr<CAvFilter>> m_filters;
    CQueryResultSet m_result;
    int m_versionMajor = 1;
    int m_versionMinor = 0;
    std::string m_description;
    int m_multiPage = QMP_DOWN_FIRST;
    int m_orientation = QOR_LANDSCAPE;
    bool m_readOnly = false;
    bool m_custom = true;
    bool m_invert = false;
    bool m_fileStamped = false;
    std::uintmax_t m_fileSize = 0;
    std::int64_t m_fileTime = 0;
    std::atomic<bool> m_cancelled = false;
    std::atomic<bool> m_error = false;
};

/// The first query in the list of the same kind whose name is exactly name (case counts);
/// null when none.
std::shared_ptr<CQueryDef> FindLoadedQuery(std::string_view name, bool custom);
/// The first query of the list that is still held; null when there is none.
std::shared_ptr<CQueryDef> FirstLoadedQuery();
/// The query of that name and kind in the list, else a new one read from its file; null with
/// error set when the file cannot be read.
std::shared_ptr<CQueryDef> FindOrLoadQuery(std::string_view name, bool custom, std::string& error);
/// A new custom query of the record type, titled "New Custom Query" with the subtitle "%#x"
/// and one column showing the record itself, saved under name; null, with the message that
/// tells the user why in failure, when it cannot be saved, also when a query of that name
/// exists.
std::shared_ptr<CQueryDef> NewCustomQuery(std::string_view name, const CFieldDef* recordType,
                                          std::string& failure);

/// Why name cannot name a query file, as the message that tells the user; empty when it can. A
/// name holding a slash would put the file in another folder, or outside the queries folder; a
/// name too long for a file name is refused before any file is tried.
std::string QueryNameProblem(std::string_view name);

/// "Custom" or "Standard".
const char* GetQueryKindFolderName(bool custom);
/// The folder of one kind of query, with a final separator when asked.
std::string BuildQueryFolderPath(bool trailingSeparator, bool custom);
