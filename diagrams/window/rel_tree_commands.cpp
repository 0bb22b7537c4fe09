// diagrams/window/rel_tree_commands.cpp: the Diagram window's menu commands with their update
// rules: refresh, the spouse options, frames and buttons, titles, defaults, statistics, Centre
// and Properties; toggles of an ordinary diagram are mirrored into the defaults for new windows.
//
// Properties goes through the opener the program installs, told whether a box is viewed or a record
// was just made by the add-relative drag, as each has its own preferred size. Titles shown or
// hidden from the menu (and those set in Title Options) become the defaults in any diagram; titles
// dragged or deleted do so only in an ordinary one. A page grid dragged becomes the default in any
// diagram.
#include "diagrams/window/sub_view_rel_tree.h"

#include "app/shell/save_message.h"
#include "diagrams/diag_elem.h"
#include "diagrams/diag_resync.h"
#include "diagrams/diag_stats.h"
#include "platform/base/prompt.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/cmd_ui.h"

#include <functional>

using namespace diagram_cmd;

namespace {

constexpr UINT kRefresh = 32811, kExpandSiblings = 32809, kShowSpouses = 32808,
               kShowDuplicates = 32783, kNoSpouses = 32790, kShowFrames = 32822,
               kShowButtons = 32823, kStatistics = 33043, kResetTitles = 32959;

std::function<void(CPoint*, CSubViewRelTree::PropertiesUse)>& PropertiesOpener()
{
    static std::function<void(CPoint*, CSubViewRelTree::PropertiesUse)> opener;
    return opener;
}

CAppProfile* Profile()
{
    CWinApp* app = AfxGetApp();
    return app ? &app->GetProfile() : nullptr;
}

} // namespace

void CSubViewRelTree::SetPropertiesOpener(std::function<void(CPoint*, PropertiesUse)> opener)
{
    PropertiesOpener() = std::move(opener);
}

void CSubViewRelTree::OpenProperties(CPoint* screen, PropertiesUse use)
{
    if (PropertiesOpener())
        PropertiesOpener()(screen, use);
}

void CSubViewRelTree::RebuildDiagram()
{
    if (!HasTree())
        return;
    if (!m_doc.RootStillThere()) {
        ClearDiagram();
        if (CFrameWnd* frame = GetSafeHwnd() ? GetParentFrame(this) : nullptr)
            frame->OnUpdateFrameTitle(TRUE);
        return;
    }
    CWaitCursor wait;
    const std::string name = m_doc.CustomName();
    const CPoint scroll = m_scroll;
    const int type = m_doc.Settings().m_diagramType;
    if (m_doc.RootKind() == 1)
        RebuildTree(m_doc.RootFamily(), false, type, false, name);
    else
        BuildTree(m_doc.RootPerson(), false, type, false, name);
    m_scroll = scroll;
    m_scrollBarsStale = true;
}

void CSubViewRelTree::Mirror(const std::function<void(CDiagramSettings&)>& change)
{
    change(m_doc.Settings());
    if (m_doc.CustomName().empty())
        change(DefaultDiagramSettings());
}

void CSubViewRelTree::SetSpouseOption(int option)
{
    if (m_doc.Settings().m_diagramType == kAncestorsDiagram ||
        m_doc.Settings().m_spouseOption == option)
        return;
    const int old = m_doc.Settings().m_spouseOption;
    Mirror([option](CDiagramSettings& settings) { settings.m_spouseOption = option; });
    if (!m_doc.ConvertSpouseOption(old))
        MessageBox("Memory error - please close other applications and retry");
}

void CSubViewRelTree::ToggleTitle(int index)
{
    CDiagramTitle& title = m_doc.Settings().m_titles[std::size_t(index)];
    title.visible = !title.visible;
    // Titles shown or hidden from the menu become the defaults, a custom diagram's too.
    CheckSaved(DefaultDiagramSettings().CopySettings(m_doc.Settings(), kSectionTitles, Profile()));
    Invalidate();
}

bool CSubViewRelTree::AnyTitleSelected() const
{
    for (std::size_t t = 0; t < m_titleSelected.size(); ++t)
        if (m_titleSelected[t] && m_doc.Settings().m_titles[t].visible)
            return true;
    return false;
}

void CSubViewRelTree::DeleteOrHide()
{
    if (!m_selection.Empty()) {
        DeleteSelected();
        return;
    }
    if (!AnyTitleSelected())
        return;
    for (std::size_t t = 0; t < m_titleSelected.size(); ++t)
        if (m_titleSelected[t])
            m_doc.Settings().m_titles[t].visible = false;
    m_titleSelected.fill(false);
    // A custom diagram's titles are its own: only an ordinary diagram's become the defaults.
    if (m_doc.CustomName().empty())
        CheckSaved(
            DefaultDiagramSettings().CopySettings(m_doc.Settings(), kSectionTitles, Profile()));
    Invalidate();
}

void CSubViewRelTree::MapWindowCommands()
{
    const auto always = [](CCmdUI* state) { state->Enable(TRUE); };
    MapCommand(kRefresh, [this] { RebuildDiagram(); });
    MapUpdate(kRefresh, always);
    MapCommand(kExpandSiblings, [this] {
        m_doc.Settings().m_expandSiblingBranches = !m_doc.Settings().m_expandSiblingBranches;
        RebuildDiagram();
    });
    MapUpdate(kExpandSiblings,
              [this](CCmdUI* state) { state->SetCheck(m_doc.Settings().m_expandSiblingBranches); });
    const std::pair<UINT, int> spouseOptions[] = {
        {kShowSpouses, 2}, {kShowDuplicates, 1}, {kNoSpouses, 0}};
    for (const auto& [id, option] : spouseOptions) {
        MapCommand(id, [this, option] { SetSpouseOption(option); });
        MapUpdate(id, [this, option](CCmdUI* state) {
            const bool enabled = m_doc.Settings().m_diagramType != kAncestorsDiagram;
            state->Enable(enabled);
            state->SetCheck(enabled && m_doc.Settings().m_spouseOption == option);
        });
    }
    MapCommand(kShowFrames, [this] {
        const bool on = !m_doc.Settings().m_showBoxes;
        Mirror([on](CDiagramSettings& settings) { settings.m_showBoxes = on; });
        Invalidate();
    });
    MapUpdate(kShowFrames,
              [this](CCmdUI* state) { state->SetCheck(m_doc.Settings().m_showBoxes); });
    MapCommand(kShowButtons, [this] {
        const bool on = !m_doc.Settings().m_showExpansionButtons;
        Mirror([on](CDiagramSettings& settings) { settings.m_showExpansionButtons = on; });
        Invalidate();
    });
    MapUpdate(kShowButtons,
              [this](CCmdUI* state) { state->SetCheck(m_doc.Settings().m_showExpansionButtons); });
    MapCommandRange(kTitle1, kTitle1 + kDiagramTitleCount - 1,
                    [this](UINT id) { ToggleTitle(int(id - kTitle1)); });
    MapUpdateRange(kTitle1, kTitle1 + kDiagramTitleCount - 1, [this](CCmdUI* state) {
        state->Enable(HasTree());
        state->SetCheck(m_doc.Settings().m_titles[std::size_t(state->m_nID - kTitle1)].visible);
    });
    MapCommand(kResetTitles, [this] {
        m_doc.Settings().SetDefaultSettings(kSectionTitles);
        Invalidate();
    });
    MapUpdate(kResetTitles, always);
    MapCommand(kSaveAsDefaults, [this] {
        CheckSaved(DefaultDiagramSettings().CopySettings(m_doc.Settings(), kSectionAll, Profile()));
    });
    MapCommand(kStatistics, [this] {
        if (const CDiagRowSet* rowSet = RowSet())
            MessageBox(DiagStatisticsMessage(*rowSet));
        else
            MessageBox("Diagram contains 0 nodes and references 0 individuals.");
    });
    MapUpdate(kStatistics, always);
    MapCommand(kProperties, [this] { OpenProperties(nullptr); });
    MapCommand(kOptions, [this] { OpenOptions(); });
    MapUpdate(kOptions, always);
    MapCommand(kColours, [this] { ChooseColours(); });
    MapUpdate(kColours, always);

    // Editing the records: marks by query, order of children and marriages, deletion.
    MapCommand(kMarksByQuery, [this] { MarksByQuery(); });
    MapCommand(kMoveUp, [this] { MoveSelected(true); });
    MapUpdate(kMoveUp, [this](CCmdUI* state) { state->Enable(CanMoveSelected(true)); });
    MapCommand(kMoveDown, [this] { MoveSelected(false); });
    MapUpdate(kMoveDown, [this](CCmdUI* state) { state->Enable(CanMoveSelected(false)); });
    // The one command is Delete for selected boxes and Hide Title for selected titles.
    MapCommand(kDelete, [this] { DeleteOrHide(); });
    MapUpdate(kDelete,
              [this](CCmdUI* state) { state->Enable(!m_selection.Empty() || AnyTitleSelected()); });
    MapPageAndTitleCommands();
}

void CSubViewRelTree::MapPageAndTitleCommands()
{
    const auto always = [](CCmdUI* state) { state->Enable(TRUE); };
    MapCommand(kShowPageBoundaries, [this] { ShowPageBoundaries(); });
    MapUpdate(kShowPageBoundaries, [this](CCmdUI* state) {
        state->Enable(TRUE);
        state->SetCheck(m_pages.Shown());
    });
    MapCommand(kAvoidPageBoundaries, [this] { AvoidPageBoundaries(); });
    MapUpdate(kAvoidPageBoundaries, [this](CCmdUI* state) {
        state->Enable(TRUE);
        state->SetCheck(m_pages.Avoids());
    });
    MapCommand(kPrintSize, [this] { SetPrintedSize(); });
    MapUpdate(kPrintSize, always);
    MapCommand(kTitleOptions, [this] { TitleOptions(); });
    MapUpdate(kTitleOptions, [this](CCmdUI* state) {
        state->Enable(m_selection.Empty() && SelectedTitle() >= 0);
    });
    MapCommand(kPageSetup, [this] { PageSetup(); });
    MapUpdate(kPageSetup, always);
    MapCommand(kRestoreInstallation, [this] { RestoreInstallationSettings(); });
    MapUpdate(kRestoreInstallation, always);
    MapCommand(kSaveCustom, [this] { SaveAsCustomDiagram(); });
    MapUpdate(kSaveCustom, always);
}
