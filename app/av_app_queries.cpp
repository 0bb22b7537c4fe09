// app/av_app_queries.cpp: the application object's part in queries: Work with Queries/Reports, a
// saved query opened from its menu, the query window opened on a query, and the Split Tree Helper.
#include "app/av_app.h"

#include "app/shell/app_ids.h"
#include "app/shell/main_frame.h"

#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "queries/query_def.h"
#include "queries/query_eval.h"
#include "queries/window/split_tree_dlg.h"
#include "queries/window/sub_view_query.h"

namespace {

constexpr UINT ID_WORK_WITH_QUERIES = 32871, ID_SPLIT_TREE = 32966;

} // namespace

void CAvApp::MapQueryCommands()
{
    MapCommand(ID_WORK_WITH_QUERIES, [this] { OpenQueryWindow(nullptr, false, -1); });
    MapCommand(ID_SPLIT_TREE, [this] { CSplitTreeDlg(GetMainFrame()).DoModal(); });
}

void CAvApp::OpenSavedQuery(const std::string& path)
{
    const bool custom = paths::FileName(paths::Folder(path)) == GetQueryKindFolderName(true);
    std::string title = paths::FileName(path);
    title = title.substr(0, title.rfind('.'));
    auto query = CQueryDef::Create();
    std::string error;
    if (!query->Load(title, custom, error, &path)) {
        MessageBox(error);
        return;
    }
    if (AskQueryParameters(*query, false, false, GetSelectedRecord()))
        OpenQueryWindow(std::move(query), true, kTabResults);
}

void CAvApp::OpenQueryWindow(std::shared_ptr<CQueryDef> query, bool run, int page)
{
    ShowInWindowOfKind(kSubViewQuery, RuntimeClassOf<CSubViewQuery>(),
                       [&query, run, page](CSubView& pane) {
                           auto* window = dynamic_cast<CSubViewQuery*>(&pane);
                           if (!window)
                               return;
                           if (query)
                               window->SetQuery(query, true);
                           if (run)
                               window->GetResultGrid().Reset(true);
                           if (page != -1)
                               window->SelectTabIndex(page);
                           if (run)
                               window->RunNow();
                       });
}
