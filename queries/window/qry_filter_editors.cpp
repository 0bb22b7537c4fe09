// queries/window/qry_filter_editors.cpp: the editor the Rows pane shows on each of its tabs.
#include "queries/window/qry_filter_wnd.h"

std::unique_ptr<CQryFilterWnd> NewFilterEditor(FilterEditorKind kind, IQryRowsPane&)
{
    switch (kind) {
    case FilterEditorKind::General:
    case FilterEditorKind::Relations:
    case FilterEditorKind::List:
        break;
    }
    return nullptr;
}
