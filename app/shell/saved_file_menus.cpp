// app/shell/saved_file_menus.cpp: filling the menus of saved files and finding the file of an item.
#include "app/shell/saved_file_menus.h"

#include "common/folder_settings.h"
#include "common/quoted_text.h"
#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/file_dialog.h"
#include "platform/ui/frames/menu.h"

#include <algorithm>

namespace {

/// One menu of saved files.
struct SavedFileMenu {
    /// The command of the menu's first item, by which the menu is known when it opens.
    UINT marker;
    UINT firstId;
    UINT lastId;
    SavedFileKind kind;
    int folderSetting;
    /// The sub-folder of the setting's folder that holds the files; empty for the folder itself.
    const char* subFolder;
    const char* pattern;
    /// The items before the files that stay as they are.
    int fixedItems;
    /// The two reports that have commands of their own are not listed.
    bool leavesOutBuiltInReports;
};

constexpr UINT kShowAncestors = 32856;

constexpr SavedFileMenu kMenus[] = {
    {kShowAncestors, 26001, 26050, SavedFileKind::kDiagram, kStandardDiagramsFolder, "", "*.dgm", 4,
     false},
    {26051, 26051, 26500, SavedFileKind::kDiagram, kCustomDiagramsFolder, "", "*.dgm", 0, false},
    {26501, 26501, 26550, SavedFileKind::kQuery, kQueriesFolder, "Standard", "*.avq", 0, false},
    {26551, 26551, 27000, SavedFileKind::kQuery, kQueriesFolder, "Custom", "*.avq", 0, false},
    {27001, 27001, 27050, SavedFileKind::kReport, kStandardReportsFolder, "", "*.avr", 0, true},
    {27051, 27051, 27500, SavedFileKind::kReport, kCustomReportsFolder, "", "*.avr", 0, false},
};
static_assert(std::size(kMenus) == 6);

/// The reports that the Reports menu offers by their own commands, left out of "More Reports".
constexpr const char* kBuiltInReports[] = {"Individual Summary Report", "Family Group Sheet"};

constexpr const char* kEmptyItem = "<Empty>";
constexpr const char* kMoreItem = "More...";

/// The file name without its extension.
std::string FileTitle(const std::string& path)
{
    const std::string name = paths::FileName(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool IsBuiltInReport(const std::string& title)
{
    return std::any_of(std::begin(kBuiltInReports), std::end(kBuiltInReports),
                       [&title](const char* name) { return text::EqualsNoCase(title, name); });
}

std::string FilterFor(SavedFileKind kind)
{
    switch (kind) {
    case SavedFileKind::kDiagram:
        return "Diagram Files (*.dgm)|*.dgm||";
    case SavedFileKind::kQuery:
        return "Query Files (*.avq)|*.avq||";
    case SavedFileKind::kReport:
        break;
    }
    return "Report Files (*.avr)|*.avr||";
}

} // namespace

CSavedFileMenus::CSavedFileMenus() = default;

namespace {

CSavedFileMenus::ReportFolder g_reportFolder;
CSavedFileMenus::ReportRescan g_reportRescan;

} // namespace

void CSavedFileMenus::SetReportFolders(ReportFolder folder, ReportRescan rescan)
{
    g_reportFolder = std::move(folder);
    g_reportRescan = std::move(rescan);
}

bool CSavedFileMenus::HasReportFolders()
{
    return g_reportFolder && g_reportRescan;
}

CSavedFileMenus::Listed CSavedFileMenus::ListFiles(std::size_t index, bool rescanned) const
{
    const SavedFileMenu& menu = kMenus[index];
    Listed listed;
    std::string folder;
    // Without a setting naming their folder, the user's queries are in the user's data folder
    // and the standard ones beside the program.
    if (menu.folderSetting == kQueriesFolder) {
        listed.folder = GetQueryKindFolder(std::string_view(menu.subFolder) == "Custom");
    } else if (menu.kind == SavedFileKind::kReport && g_reportFolder) {
        listed.folder = g_reportFolder(menu.folderSetting == kCustomReportsFolder);
    } else if (menu.folderSetting == kCustomDiagramsFolder) {
        listed.folder = GetCustomDiagramsFolder();
    } else {
        if (!GetFolderSetting(menu.folderSetting, folder))
            return listed;
        listed.folder = paths::ToNative(folder);
        if (*menu.subFolder)
            listed.folder = paths::Join(listed.folder, menu.subFolder);
    }
    const std::size_t room = menu.lastId - menu.firstId + 1;
    for (const std::string& name : paths::ListFolder(listed.folder, menu.pattern)) {
        // Only regular files are saved files: a folder or a pipe so named is left out.
        if (!paths::IsFile(paths::Join(listed.folder, name)) ||
            (menu.leavesOutBuiltInReports && IsBuiltInReport(FileTitle(name))))
            continue;
        if (listed.paths.size() == room) {
            // The last id goes to "More..." in place of the file it would have listed.
            listed.paths.pop_back();
            listed.more = true;
            break;
        }
        listed.paths.push_back(paths::Join(listed.folder, name));
    }
    // An empty standard reports folder is restored from the report types once, then listed again.
    if (listed.paths.empty() && !rescanned && menu.kind == SavedFileKind::kReport &&
        menu.folderSetting == kStandardReportsFolder && g_reportRescan && g_reportRescan())
        return ListFiles(index, true);
    return listed;
}

bool CSavedFileMenus::Fill(CMenu& popup, const EnabledTest& enabled)
{
    const auto found = std::find_if(std::begin(kMenus), std::end(kMenus), [&popup](const auto& m) {
        return popup.GetMenuItemCount() > 0 && popup.GetMenuItemID(0) == m.marker;
    });
    if (found == std::end(kMenus))
        return false;
    const SavedFileMenu& menu = *found;
    const std::size_t index = std::size_t(found - std::begin(kMenus));
    while (popup.GetMenuItemCount() > menu.fixedItems)
        popup.DeleteMenu(UINT(menu.fixedItems), MF_BYPOSITION);
    Listed& listed = m_listed[index];
    listed = ListFiles(index);
    const UINT state = enabled(menu.kind) ? MF_ENABLED : MF_GRAYED;
    if (menu.fixedItems > 0 && !listed.paths.empty())
        popup.AppendMenu(MF_SEPARATOR);
    UINT id = menu.firstId;
    for (const std::string& path : listed.paths)
        popup.AppendMenu(MF_STRING | state, id++, DoubleChar(FileTitle(path), '&').c_str());
    if (listed.more)
        popup.AppendMenu(MF_STRING | state, menu.lastId, kMoreItem);
    if (listed.paths.empty() && menu.fixedItems == 0)
        popup.AppendMenu(MF_STRING | MF_GRAYED, menu.firstId, kEmptyItem);
    return true;
}

bool CSavedFileMenus::FileForCommand(UINT id, SavedFileKind& kind, std::string& path) const
{
    const auto found = std::find_if(std::begin(kMenus), std::end(kMenus), [id](const auto& m) {
        return id >= m.firstId && id <= m.lastId;
    });
    if (found == std::end(kMenus))
        return false;
    const Listed& listed = m_listed[std::size_t(found - std::begin(kMenus))];
    kind = found->kind;
    if (listed.more && id == found->lastId) {
        const std::string filter = FilterFor(kind);
        CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                           filter.c_str());
        dialog.SetInitialFolder(listed.folder);
        if (dialog.DoModal() != IDOK)
            return false;
        path = dialog.GetPathName();
        return true;
    }
    const std::size_t offset = id - found->firstId;
    if (offset >= listed.paths.size())
        return false;
    path = listed.paths[offset];
    return true;
}
