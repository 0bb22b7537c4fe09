// app/av_app_diagrams.cpp: the application object's diagram command: Diagram Defaults, which edits
// the settings of new diagrams with no diagram open.
#include "app/av_app.h"

#include "app/shell/av_view.h"
#include "diagrams/window/diagram_defaults_owner.h"

namespace {

constexpr UINT ID_DIAGRAM_DEFAULTS = 33024;

} // namespace

void CAvApp::MapDiagramCommands()
{
    // The sheet belongs to the active view, as every sheet a view opens does.
    MapCommand(ID_DIAGRAM_DEFAULTS, [this] {
        CWnd* parent = GetActiveAvView();
        ShowDiagramDefaults(m_diagramDefaults, parent ? parent : m_pMainWnd);
    });
}
