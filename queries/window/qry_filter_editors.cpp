// queries/window/qry_filter_editors.cpp: the editor the Rows pane shows on each of its tabs.
#include "queries/window/qry_filter_gen_wnd.h"
#include "queries/window/qry_filter_list_wnd.h"
#include "queries/window/qry_filter_rels_wnd.h"

std::unique_ptr<CQryFilterWnd> NewFilterEditor(FilterEditorKind kind, IQryRowsPane& pane)
{
    switch (kind) {
    case FilterEditorKind::General:
        return std::make_unique<CQryFilterGenWnd>(pane);
    case FilterEditorKind::Relations:
        return std::make_unique<CQryFilterRelsWnd>(pane);
    case FilterEditorKind::List:
        return std::make_unique<CQryFilterListWnd>(pane);
    }
    return nullptr;
}
