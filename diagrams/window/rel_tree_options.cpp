// diagrams/window/rel_tree_options.cpp: the Diagram window as the Diagram Options sheet's and the
// colour chooser's target: taking edited settings back, laying out again, colours, schemes. The
// document changes and lays out; the window keeps its scroll position and repaints.
#include "diagrams/window/sub_view_rel_tree.h"

#include "app/shell/save_message.h"
#include "diagrams/diag_band.h"
#include "diagrams/diag_resync.h"
#include "diagrams/window/diagram_defaults_owner.h"
#include "diagrams/window/tree_opts_colours.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/app.h"

void CSubViewRelTree::RefreshDiagram()
{
    m_doc.ReloadTextScheme();
    // The descriptions' font or gap may have changed with the boxes' sizes.
    if (HasTree())
        m_painter.PlaceRelationshipColumns(false);
    Invalidate();
}

void CSubViewRelTree::ApplyGeneralOptions(bool typeChanged)
{
    m_doc.KeepSpousesInAllRelatives();
    const CPoint scroll = m_scroll;
    RebuildDiagram();
    if (typeChanged) {
        CentreOnRoot();
        return;
    }
    m_scroll = scroll;
    m_scrollBarsStale = true;
    Invalidate();
}

bool CSubViewRelTree::RelayoutDiagram(bool keepScroll)
{
    const CPoint scroll = m_scroll;
    if (!m_doc.RelayoutAll()) {
        MessageBox("Memory error - please close other applications and retry");
        return false;
    }
    if (keepScroll)
        m_scroll = scroll;
    m_scrollBarsStale = true;
    Invalidate();
    return true;
}

void CSubViewRelTree::ReplaceTextSchemes(const CTextSchemeList& schemes)
{
    CDiagramDefaultsOwner(m_doc.Defaults()).ReplaceTextSchemes(schemes);
}

int CSubViewRelTree::GetAutoRowsPerGeneration(const CDiagramSettings& settings)
{
    return GetRelativesGenerations(settings);
}

void CSubViewRelTree::ApplyColours(const DiagramColourEntry* entries, int count)
{
    m_doc.SetColours(entries, count);
}

void CSubViewRelTree::ResetColoursToInstallation(DiagramColourEntry* entries, int count)
{
    ResetDiagramColours(entries, count);
}

void CSubViewRelTree::OpenOptions()
{
    CTreeOptsDlg sheet("Diagram Options", m_doc.Settings(), *this, this, CTreeOptsDlg::kGeneralPage,
                       false, this, m_doc.CustomName().empty());
    m_optionsOpen = true;
    sheet.DoModal();
    m_optionsOpen = false;
}

void CSubViewRelTree::ChooseColours()
{
    bool saveAsDefault = m_doc.CustomName().empty();
    auto colours = m_doc.Settings().m_colours;
    if (!ChooseDiagramColours(this, colours.data(), kDiagramColourCount, this, true,
                              &saveAsDefault))
        return;
    m_doc.SetColours(colours.data(), kDiagramColourCount);
    if (saveAsDefault) {
        CWinApp* app = AfxGetApp();
        CheckSaved(m_doc.SaveAsDefaults(kSectionColours, app ? &app->GetProfile() : nullptr));
    }
}
