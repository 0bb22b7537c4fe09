// diagrams/window/rel_tree_commands.cpp: the Diagram window's menu commands with their update
// rules: zoom, the mouse modes, marks, override text, refresh, the spouse options, frames and
// buttons, titles, defaults, statistics, Centre and Properties, and the status panes. A settings
// change is an operation of the document, which lays out as needed and tells the window to repaint;
// toggles of an ordinary diagram are mirrored into the defaults for new windows.
//
// Properties opens the record properties box through the window's CRelTreeProperties. Titles
// shown or hidden from the menu (and those set in Title Options) become the defaults in any
// diagram; titles dragged or deleted do so only in an ordinary one. A page grid dragged becomes
// the default in any diagram.
#include "diagrams/window/sub_view_rel_tree.h"

#include "app/shell/save_message.h"
#include "controls/text_dlg.h"
#include "diagrams/diag_elem.h"
#include "diagrams/diag_resync.h"
#include "diagrams/diag_stats.h"
#include "platform/base/prompt.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/cmd_ui.h"

#include <algorithm>
#include <functional>

using namespace diagram_cmd;

namespace {

constexpr UINT kRefresh = 32811, kExpandSiblings = 32809, kShowSpouses = 32808,
               kShowDuplicates = 32783, kNoSpouses = 32790, kShowFrames = 32822,
               kShowButtons = 32823, kStatistics = 33043, kResetTitles = 32959;

CAppProfile* Profile()
{
    CWinApp* app = AfxGetApp();
    return app ? &app->GetProfile() : nullptr;
}

/// Whether a visible title is selected.
bool AnyTitleSelected(const CDiagramDocument& doc)
{
    for (int t = 0; t < kDiagramTitleCount; ++t)
        if (doc.Selection().IsTitleSelected(t) && doc.Settings().m_titles[std::size_t(t)].visible)
            return true;
    return false;
}

} // namespace

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
    const CPoint scroll = m_viewport.ScrollOrigin();
    const int type = m_doc.Settings().m_diagramType;
    if (m_doc.RootKind() == 1)
        RebuildTree(m_doc.RootFamily(), false, type, false, name);
    else
        BuildTree(m_doc.RootPerson(), false, type, false, name);
    m_viewport.SetScrollOrigin(scroll);
}

void CSubViewRelTree::DeleteOrHide()
{
    if (!m_doc.Selection().Empty()) {
        m_editor.DeleteSelected();
        return;
    }
    if (AnyTitleSelected(m_doc))
        CheckSaved(m_doc.HideSelectedTitles(Profile()));
}

void CSubViewRelTree::MapWindowCommands()
{
    const auto always = [](CCmdUI* state) { state->Enable(TRUE); };
    MapCommand(kRefresh, [this] { RebuildDiagram(); });
    MapUpdate(kRefresh, always);
    MapCommand(kExpandSiblings, [this] {
        m_doc.SetExpandSiblingBranches(!m_doc.Settings().m_expandSiblingBranches);
        RebuildDiagram();
    });
    MapUpdate(kExpandSiblings,
              [this](CCmdUI* state) { state->SetCheck(m_doc.Settings().m_expandSiblingBranches); });
    const std::pair<UINT, int> spouseOptions[] = {
        {kShowSpouses, 2}, {kShowDuplicates, 1}, {kNoSpouses, 0}};
    for (const auto& [id, option] : spouseOptions) {
        MapCommand(id, [this, option] {
            if (!m_doc.SetSpouseOption(option))
                MessageBox("Memory error - please close other applications and retry");
        });
        MapUpdate(id, [this, option](CCmdUI* state) {
            const bool enabled = m_doc.Settings().m_diagramType != kAncestorsDiagram;
            state->Enable(enabled);
            state->SetCheck(enabled && m_doc.Settings().m_spouseOption == option);
        });
    }
    MapCommand(kShowFrames, [this] { m_doc.SetShowBoxes(!m_doc.Settings().m_showBoxes); });
    MapUpdate(kShowFrames,
              [this](CCmdUI* state) { state->SetCheck(m_doc.Settings().m_showBoxes); });
    MapCommand(kShowButtons,
               [this] { m_doc.SetShowExpansionButtons(!m_doc.Settings().m_showExpansionButtons); });
    MapUpdate(kShowButtons,
              [this](CCmdUI* state) { state->SetCheck(m_doc.Settings().m_showExpansionButtons); });
    MapCommandRange(kTitle1, kTitle1 + kDiagramTitleCount - 1, [this](UINT id) {
        CheckSaved(m_doc.ToggleTitle(int(id - kTitle1), Profile()));
    });
    MapUpdateRange(kTitle1, kTitle1 + kDiagramTitleCount - 1, [this](CCmdUI* state) {
        state->Enable(HasTree());
        state->SetCheck(m_doc.Settings().m_titles[std::size_t(state->m_nID - kTitle1)].visible);
    });
    MapCommand(kResetTitles, [this] { m_doc.ResetTitles(); });
    MapUpdate(kResetTitles, always);
    MapCommand(kSaveAsDefaults,
               [this] { CheckSaved(m_doc.SaveAsDefaults(kSectionAll, Profile())); });
    MapCommand(kStatistics, [this] {
        if (const CDiagRowSet* rowSet = RowSet())
            MessageBox(DiagStatisticsMessage(*rowSet));
        else
            MessageBox("Diagram contains 0 nodes and references 0 individuals.");
    });
    MapUpdate(kStatistics, always);
    MapCommand(kProperties, [this] { m_properties.Open(nullptr); });
    MapCommand(kOptions, [this] { m_options.OpenOptions(); });
    MapUpdate(kOptions, always);
    MapCommand(kColours, [this] { m_options.ChooseColours(); });
    MapUpdate(kColours, always);

    // Editing the records: marks by query, order of children and marriages, deletion.
    MapCommand(kMarksByQuery, [this] { m_editor.MarksByQuery(); });
    MapCommand(kMoveUp, [this] { m_editor.MoveSelected(true); });
    MapUpdate(kMoveUp, [this](CCmdUI* state) { state->Enable(m_editor.CanMoveSelected(true)); });
    MapCommand(kMoveDown, [this] { m_editor.MoveSelected(false); });
    MapUpdate(kMoveDown, [this](CCmdUI* state) { state->Enable(m_editor.CanMoveSelected(false)); });
    // The one command is Delete for selected boxes and Hide Title for selected titles.
    MapCommand(kDelete, [this] { DeleteOrHide(); });
    MapUpdate(kDelete, [this](CCmdUI* state) {
        state->Enable(!m_doc.Selection().Empty() || AnyTitleSelected(m_doc));
    });
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
    MapCommand(kAvoidPageBoundaries,
               [this] { m_doc.SetAvoidsPageBoundaries(!m_doc.AvoidsPageBoundaries()); });
    MapUpdate(kAvoidPageBoundaries, [this](CCmdUI* state) {
        state->Enable(TRUE);
        state->SetCheck(m_doc.AvoidsPageBoundaries());
    });
    MapCommand(kPrintSize, [this] { SetPrintedSize(); });
    MapUpdate(kPrintSize, always);
    MapCommand(kTitleOptions, [this] { m_titles.OpenOptions(); });
    MapUpdate(kTitleOptions, [this](CCmdUI* state) {
        state->Enable(m_doc.Selection().Empty() && m_titles.Selected() >= 0);
    });
    MapCommand(kPageSetup, [this] { PageSetup(); });
    MapUpdate(kPageSetup, always);
    MapCommand(kRestoreInstallation, [this] { m_custom.RestoreInstallationSettings(); });
    MapUpdate(kRestoreInstallation, always);
    MapCommand(kSaveCustom, [this] { m_custom.SaveAsCustomDiagram(); });
    MapUpdate(kSaveCustom, always);
}

void CSubViewRelTree::OverrideText()
{
    if (m_doc.Selection().Size() != 1)
        return;
    CDiagElem& box = *m_doc.Selection().Boxes()[0];
    CTextDlg dialog(this);
    dialog.m_caption = "Override Default Text";
    // Every line feed not after a carriage return becomes a line break of the edit.
    const std::string text = box.GetText();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            dialog.m_text += '\r';
        dialog.m_text += text[i];
    }
    if (dialog.DoModal() != IDOK)
        return;
    m_doc.SetOverrideText(box, dialog.m_text.c_str());
}

void CSubViewRelTree::MapCommands()
{
    const auto withTree = [this](CCmdUI* state) { state->Enable(HasTree()); };
    MapCommand(kZoomIn, [this] { m_viewport.Zoom(-1, false); });
    MapCommand(kZoomOut, [this] { m_viewport.Zoom(1, false); });
    MapUpdate(kZoomIn, withTree);
    MapUpdate(kZoomOut, withTree);
    MapCommand(kViewWhole, [this] { m_viewport.ViewWholeDiagram(); });
    MapCommand(kCentre, [this] { m_viewport.CentreOnRoot(); });
    for (UINT id : {kViewWhole, kRemoveAllMarks, kMarksByQuery, kCentre, kSaveAsDefaults})
        MapUpdate(id, withTree);
    MapCommand(kSelectArea, [this] { m_mouse.ToggleMode(kModeSelectArea); });
    MapUpdate(kSelectArea, [this](CCmdUI* state) {
        state->Enable(HasTree());
        state->SetCheck(m_mouse.Mode() == kModeSelectArea);
    });
    MapCommand(kGrabber, [this] { m_mouse.ToggleMode(kModeGrabber); });
    MapUpdate(kGrabber, [this](CCmdUI* state) {
        state->Enable(HasTree());
        state->SetCheck(m_mouse.Mode() == kModeGrabber);
    });
    const auto markSelected = [this](bool on) {
        for (CDiagElem* box : m_doc.Selection().Boxes())
            box->SetFlag(kElemMarked, on);
        Invalidate();
    };
    // Mark is offered while a selected box is unmarked, Unmark while one is marked.
    const auto anySelected = [this](bool marked) {
        const std::vector<CDiagElem*>& boxes = m_doc.Selection().Boxes();
        return std::any_of(boxes.begin(), boxes.end(), [marked](CDiagElem* box) {
            return box->HasFlag(kElemMarked) == marked;
        });
    };
    MapCommand(kSetMark, [markSelected] { markSelected(true); });
    MapUpdate(kSetMark, [anySelected](CCmdUI* state) { state->Enable(anySelected(false)); });
    MapCommand(kClearMark, [markSelected] { markSelected(false); });
    MapUpdate(kClearMark, [anySelected](CCmdUI* state) { state->Enable(anySelected(true)); });
    MapCommand(kRemoveAllMarks, [this] {
        for (auto& rowSet : m_doc.RowSets())
            for (CDiagTree* tree : rowSet->Trees())
                tree->SetFlags(kElemMarked, false, nullptr);
        Invalidate();
    });
    MapCommand(kMarkRepeated, [this] {
        if (!m_doc.MarkRepeatedAncestors()) {
            // A failed marking leaves the diagram built afresh, with the message.
            RebuildDiagram();
            MessageBox("Memory error. Please close other applications and retry");
        }
    });
    MapUpdate(kMarkRepeated, [this](CCmdUI* state) {
        state->Enable(HasTree() && m_doc.Settings().m_diagramType != kDescendantsDiagram);
    });
    MapCommand(kOverrideText, [this] { OverrideText(); });
    MapUpdate(kOverrideText,
              [this](CCmdUI* state) { state->Enable(m_doc.Selection().Size() == 1); });
    MapCommand(kClearOverride, [this] { m_doc.ClearSelectedOverrideTexts(); });
    MapUpdate(kClearOverride, [this](CCmdUI* state) { state->Enable(!m_doc.Selection().Empty()); });
    MapCommand(kUnderlineOverridden, [this] {
        m_underlineOverridden = !m_underlineOverridden;
        Invalidate();
    });
    MapUpdate(kUnderlineOverridden,
              [this](CCmdUI* state) { state->SetCheck(m_underlineOverridden); });
    MapWindowCommands();
    MapUpdate(kPaneHelp, [](CCmdUI* state) { state->SetText("For Help, press F1"); });
    MapUpdate(kPanePos, [this](CCmdUI* state) { state->SetText(m_pages.StatusPosText()); });
    MapUpdate(kPaneSize, [this](CCmdUI* state) { state->SetText(m_pages.StatusSizeText()); });
}
