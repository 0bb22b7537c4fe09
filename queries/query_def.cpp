// queries/query_def.cpp: CQueryDef: making, copying and deleting a query, and its columns, filter
// rows and headings.
#include "queries/query_def.h"

#include "common/file_name_check.h"
#include "common/folder_settings.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_id_state.h"
#include "platform/base/paths.h"
#include "queries/query_eval.h"

#include <algorithm>

namespace {

/// What a query's file name adds to its name.
constexpr std::string_view kQueryFileExtension = ".avq";

/// Every query that exists, newest first. Only the interface thread changes it.
std::vector<CQueryDef*>& LoadedQueries()
{
    static std::vector<CQueryDef*> queries;
    return queries;
}

const CFieldDef* IndividualRecordType()
{
    return GetRecordTypeDef(RECORD_LIST_INDI);
}

} // namespace

std::shared_ptr<CQueryDef> CQueryDef::Create()
{
    return std::make_shared<CQueryDef>(CMakeKey());
}

CQueryDef::CQueryDef(CMakeKey) : m_recordType(IndividualRecordType())
{
    auto& queries = LoadedQueries();
    queries.insert(queries.begin(), this);
}

CQueryDef::~CQueryDef()
{
    std::erase(LoadedQueries(), this);
}

void CQueryDef::RemoveAll(bool keepSettings)
{
    m_columns.clear();
    m_filters.clear();
    m_recordType = IndividualRecordType();
    if (!keepSettings) {
        m_name.clear();
        m_path.clear();
        m_fileStamped = false;
        m_new = true;
        m_dirty = false;
        m_versionMajor = 1;
        m_versionMinor = 0;
        m_description.clear();
        m_multiPage = QMP_DOWN_FIRST;
        m_orientation = QOR_LANDSCAPE;
    }
    m_title.SetText({});
    m_subtitle.SetText({});
    m_readOnly = false;
    m_custom = true;
}

std::string CQueryDef::GetFilePath() const
{
    return BuildQueryFolderPath(true, m_custom) + m_name + ".avq";
}

int CQueryDef::GetColumnCount(bool visibleOnly) const
{
    if (!visibleOnly)
        return int(m_columns.size());
    return int(std::count_if(m_columns.begin(), m_columns.end(),
                             [](const auto& column) { return !column->m_hidden; }));
}

CQueryColumn* CQueryDef::GetColumn(int index, bool visibleOnly) const
{
    if (index < 0)
        return nullptr;
    for (const auto& column : m_columns) {
        if (visibleOnly && column->m_hidden)
            continue;
        if (index-- == 0)
            return column.get();
    }
    return nullptr;
}

void CQueryDef::AddColumn(std::unique_ptr<CQueryColumn> column)
{
    m_columns.push_back(std::move(column));
}

CAvFilter* CQueryDef::GetFilter(int index) const
{
    return index >= 0 && index < GetFilterCount() ? m_filters[std::size_t(index)].get() : nullptr;
}

void CQueryDef::AddFilter(std::unique_ptr<CAvFilter> filter)
{
    m_filters.push_back(std::move(filter));
}

int CQueryDef::FindFilter(const CAvFilter* filter) const
{
    for (std::size_t i = 0; i < m_filters.size(); ++i) {
        if (m_filters[i].get() == filter)
            return int(i);
    }
    return -1;
}

bool CQueryDef::SetFilterAt(const CAvFilter* old, std::unique_ptr<CAvFilter> row)
{
    const int index = FindFilter(old);
    if (index < 0)
        return false;
    m_filters[std::size_t(index)] = std::move(row);
    m_dirty = true;
    return true;
}

bool CQueryDef::RemoveFilter(const CAvFilter* filter)
{
    const int index = FindFilter(filter);
    if (index < 0)
        return false;
    m_filters.erase(m_filters.begin() + index);
    m_dirty = true;
    return true;
}

bool CQueryDef::SwapFilters(int first, int second)
{
    const int count = GetFilterCount();
    if (first < 0 || second < 0 || first >= count || second >= count)
        return false;
    std::swap(m_filters[std::size_t(first)], m_filters[std::size_t(second)]);
    m_dirty = true;
    return true;
}

std::string CQueryDef::GetHeadingText(int index)
{
    if (index == 0)
        return m_title.GetDisplayText();
    if (index == 1)
        return m_subtitle.GetDisplayText();
    return {};
}

QueryFileOutcome CQueryDef::CommitChange(bool replaceChanged)
{
    // A supplied query is never rewritten: its changes stay here until saved under a new name.
    if (m_new || !m_custom || m_readOnly) {
        m_dirty = true;
        return {};
    }
    QueryFileOutcome saved = Save(nullptr, false, replaceChanged);
    m_dirty = !saved;
    return saved;
}

QueryFileOutcome CQueryDef::Delete()
{
    if (m_new)
        return {};
    if (!m_custom || m_readOnly)
        return QueryFileOutcome::Refused({});
    if (!paths::RemoveFile(GetFilePath()))
        return QueryFileOutcome::Refused("An error has occurred - cannot delete query");
    return {};
}

std::shared_ptr<CQueryDef> FindLoadedQuery(std::string_view name, bool custom)
{
    for (CQueryDef* query : LoadedQueries()) {
        if (query->IsCustom() == custom && query->GetName() == name) {
            if (auto shared = query->weak_from_this().lock())
                return shared;
        }
    }
    return nullptr;
}

std::shared_ptr<CQueryDef> FirstLoadedQuery()
{
    for (CQueryDef* query : LoadedQueries())
        if (auto shared = query->weak_from_this().lock())
            return shared;
    return nullptr;
}

void NotifyAllQueries(long hint)
{
    if (hint != kHintDataSetClearing && !GetPendingDeletions() && HasNoDeletedChanges())
        return;
    // A query's notice cannot make or free queries, so the list stays as it is meanwhile.
    for (CQueryDef* query : LoadedQueries())
        query->OnDataChanged(hint);
}

std::shared_ptr<CQueryDef> FindOrLoadQuery(std::string_view name, bool custom, std::string& error)
{
    if (auto loaded = FindLoadedQuery(name, custom))
        return loaded;
    auto query = CQueryDef::Create();
    if (!query->Load(name, custom, error))
        return nullptr;
    return query;
}

std::shared_ptr<CQueryDef> NewCustomQuery(std::string_view name, const CFieldDef* recordType,
                                          std::string& failure)
{
    auto query = CQueryDef::Create();
    query->SetRecordType(recordType);
    query->Title().SetText("New Custom Query");
    query->Subtitle().SetText("%#x");
    auto column = std::make_unique<CQueryColumn>();
    CDataPath path;
    path.SetField(recordType);
    path.FormatRelation(column->m_heading, false);
    column->m_ref.SetPath(path);
    query->AddColumn(std::move(column));
    const std::string newName(name);
    if (QueryFileOutcome saved = query->Save(&newName, true); !saved) {
        failure = std::move(saved.message);
        return nullptr;
    }
    return query;
}

std::string QueryNameProblem(std::string_view name)
{
    // Query names were only ever refused a slash: names saved so far stay valid.
    const FileNameRules rules{.textOnly = false,
                              .noControl = false,
                              .noDotDot = false,
                              .plainEnds = false,
                              .reserved = "/"};
    switch (FindFileNameFault(name, kQueryFileExtension, rules)) {
    case FileNameFault::kNone:
    case FileNameFault::kEmpty:
    case FileNameFault::kNotText:
    case FileNameFault::kControl:
    case FileNameFault::kDotDot:
    case FileNameFault::kEnds:
        return {};
    case FileNameFault::kReserved:
        return "A query name cannot contain the character \"/\".  Please choose another name.";
    case FileNameFault::kTooLong:
        break;
    }
    return "This query name is too long to name a file.  Please choose a shorter name.";
}

const char* GetQueryKindFolderName(bool custom)
{
    return custom ? "Custom" : "Standard";
}

std::string BuildQueryFolderPath(bool trailingSeparator, bool custom)
{
    std::string folder = GetQueryKindFolder(custom);
    if (trailingSeparator)
        folder += "/";
    return folder;
}
