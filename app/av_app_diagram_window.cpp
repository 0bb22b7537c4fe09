// app/av_app_diagram_window.cpp: the application object's part in diagrams: Show in Diagram for the
// selected person or couple, saved diagrams opened from their menus, a new person or couple
// shown in a diagram, and the Diagram Wizard.
#include "app/av_app.h"

#include "app/shell/app_ids.h"
#include "app/shell/main_frame.h"

#include "common/abort.h"

#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"
#include "diagrams/window/diagram_wizard.h"
#include "diagrams/window/sub_view_rel_tree.h"
#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/cmd_ui.h"

namespace {

constexpr UINT kDiagramKindCommands[] = {diagram_cmd::kShowAncestors, diagram_cmd::kShowDescendants,
                                         32774, 32900};
constexpr UINT kNewIndividualInDiagram = 32869, kNewCoupleInDiagram = 32870, kDiagramWizard = 32928;
constexpr const char* kMemoryError = "Memory error";

/// A new record of the list; null when it could not be made.
CRecordNode* NewRecordOf(int listIndex)
{
    CDataNode* root = GetRecordTypeRoot(listIndex);
    return dynamic_cast<CRecordNode*>(root ? root->CreateChild(nullptr) : nullptr);
}

/// Deletes the records made for a diagram that could not be shown.
void DeleteMadeRecords(std::initializer_list<CRecordNode*> records)
{
    for (CRecordNode* record : records)
        if (record)
            if (CDataNode* root = record->GetParent())
                root->DeleteChild(record);
    NotifyChanges();
}

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
    const auto always = [](CCmdUI* state) { state->Enable(TRUE); };
    MapCommand(kNewIndividualInDiagram, [this] { NewInDiagram(false); });
    MapUpdate(kNewIndividualInDiagram, always);
    MapCommand(kNewCoupleInDiagram, [this] { NewInDiagram(true); });
    MapUpdate(kNewCoupleInDiagram, always);
    MapCommand(kDiagramWizard, [this] {
        CDiagWizDlg wizard([this](int type, CIndRec* person,
                                  CFamRec* family) { ShowInDiagram(type, person, family); },
                           GetMainFrame());
        wizard.DoModal();
    });
    MapUpdate(kDiagramWizard, always);
}

void CAvApp::OpenSavedDiagramFile(const std::string& path)
{
    OpenSavedDiagram(path, DiagramName(path));
}

void CAvApp::NewInDiagram(bool couple)
{
    CIndRec* person = nullptr;
    CFamRec* family = nullptr;
    CIndRec* husband = nullptr;
    CIndRec* wife = nullptr;
    bool shown = false;
    try {
        if (couple) {
            family = AsFamily(NewRecordOf(RECORD_LIST_FAM));
            bool cancelled = false;
            husband = family ? family->AddNewSpouse(SEX_MALE, cancelled) : nullptr;
            wife = husband ? family->AddNewSpouse(SEX_FEMALE, cancelled) : nullptr;
        } else {
            person = AsIndividual(NewRecordOf(RECORD_LIST_INDI));
        }
        NotifyChanges();
        if (couple ? wife != nullptr : person != nullptr)
            shown = ShowInDiagram(kAllRelativesDiagram, person, family) != nullptr;
    } catch (...) {
        NotifyChanges();
        EndAbandonedOperation();
    }
    if (shown)
        return;
    DeleteMadeRecords({person, husband, wife, family});
    MessageBox(kMemoryError, MB_OK | MB_ICONEXCLAMATION);
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
    if (!paths::IsFile(path)) {
        MessageBox("The custom diagram \"" + name + "\" is no longer in its folder (\"" + path +
                       "\").",
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!person) {
        MessageBox("Select an individual first: a custom diagram opens for the selected "
                   "individual.",
                   MB_OK | MB_ICONINFORMATION);
        return;
    }
    ShowInWindowOfKind(kSubViewDiagram, RuntimeClassOf<CSubViewRelTree>(), [&](CSubView& pane) {
        if (auto* window = dynamic_cast<CSubViewRelTree*>(&pane))
            window->Custom().OpenCustomDiagram(path, person, name);
    });
}
