// app/av_app_diagram_window.cpp: the application object's part in diagrams: Show in Diagram for the
// selected person or couple, and saved diagrams opened from their menus.
#include "app/av_app.h"

#include "app/shell/app_ids.h"
#include "records/properties/properties_dlg.h"

#include "common/preferences.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "diagrams/window/sub_view_rel_tree.h"
#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/cmd_ui.h"

namespace {

constexpr UINT kDiagramKindCommands[] = {diagram_cmd::kShowAncestors, diagram_cmd::kShowDescendants,
                                         32774, 32900};

/// The file name without its folder and extension.
std::string DiagramName(const std::string& path)
{
    std::string name = paths::FileName(path);
    return name.substr(0, name.rfind('.'));
}

} // namespace

void CAvApp::MapDiagramWindowCommands()
{
    for (int kind = 0; kind < int(std::size(kDiagramKindCommands)); ++kind) {
        const UINT id = kDiagramKindCommands[kind];
        MapCommand(id, [this, kind] { ShowInDiagram(kind, nullptr, nullptr); });
        MapUpdate(id, [this](CCmdUI* state) {
            CIndRec* person = nullptr;
            CFamRec* family = nullptr;
            state->Enable(GetSelectedIndividual(&person, &family) != 0);
        });
    }
    // The properties box opens at the size the preference "Prop Dlg Size - Diagram" gives.
    CSubViewRelTree::SetPropertiesOpener([this](CPoint*) {
        int size = kPropSizeLarge;
        if (Prefs().m_propDlgSizeDiagram == kPropDlgSmall)
            size = kPropSizeSmall;
        else if (Prefs().m_propDlgSizeDiagram == kPropDlgFull)
            size = kPropSizeLargeWithSources;
        ShowPropertiesDlg(size, 0, FALSE, FALSE);
    });
    SetSavedFileOpener(SavedFileKind::kDiagram, [this](const std::string& path) {
        OpenSavedDiagram(path, DiagramName(path));
    });
}

CSubViewRelTree* CAvApp::ShowInDiagram(int kind, CIndRec* person, CFamRec* family)
{
    if (!person && !family)
        GetSelectedIndividual(&person, &family);
    if (!person && !family)
        return nullptr;
    if (!person && !family->GetHusband() && !family->GetWife()) {
        MessageBox("To display a family record in a diagram, it must have at least one parent.");
        return nullptr;
    }
    CSubViewRelTree* shown = nullptr;
    ShowInWindowOfKind(kSubViewDiagram, RuntimeClassOf<CSubViewRelTree>(), [&](CSubView& pane) {
        auto* window = dynamic_cast<CSubViewRelTree*>(&pane);
        if (!window)
            return;
        if (person)
            window->BuildTree(person, true, kind, false);
        else
            window->RebuildTree(family, true, kind, false);
        shown = window;
    });
    return shown;
}

void CAvApp::OpenSavedDiagram(const std::string& path, const std::string& name)
{
    CIndRec* person = nullptr;
    CFamRec* family = nullptr;
    GetSelectedIndividual(&person, &family);
    if (!person && family)
        person = family->GetHusband() ? family->GetHusband() : family->GetWife();
    if (!person)
        return;
    // A saved diagram that went from its folder opens nothing.
    if (!paths::Exists(path))
        return;
    ShowInWindowOfKind(kSubViewDiagram, RuntimeClassOf<CSubViewRelTree>(), [&](CSubView& pane) {
        if (auto* window = dynamic_cast<CSubViewRelTree*>(&pane))
            window->OpenCustomDiagram(path, person, name);
    });
}
