// diagrams/window/rel_tree_options.cpp: the Diagram window as the Diagram Options sheet's and the
// colour chooser's target: taking edited settings back, laying out again, colours, schemes.
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
    LoadTextScheme(m_doc.RootRecord(), false);
    if (HasTree()) {
        Relayout();
        // The descriptions' font or gap may have changed with the boxes' sizes.
        PlaceRelationshipColumns(false);
    }
    Invalidate();
}

void CSubViewRelTree::ApplyGeneralOptions(bool typeChanged)
{
    CDiagramSettings& settings = m_doc.Settings();
    if (settings.m_diagramType == kAllRelativesDiagram && settings.m_spouseOption == 0)
        settings.m_spouseOption = 1;
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
    CDiagramDefaultsOwner().ReplaceTextSchemes(schemes);
}

int CSubViewRelTree::GetAutoRowsPerGeneration(const CDiagramSettings& settings)
{
    return GetRelativesGenerations(settings);
}

void CSubViewRelTree::ApplyColours(const DiagramColourEntry* entries, int count)
{
    for (int row = 0; row < count && row < kDiagramColourCount; ++row) {
        m_doc.Settings().m_colours[std::size_t(row)].colour = entries[row].colour;
        m_doc.Settings().m_colours[std::size_t(row)].transparent = entries[row].transparent;
    }
    Invalidate();
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
    if (ChooseDiagramColours(this, m_doc.Settings().m_colours.data(), kDiagramColourCount, this,
                             true, &saveAsDefault) &&
        saveAsDefault) {
        CWinApp* app = AfxGetApp();
        CheckSaved(DefaultDiagramSettings().CopySettings(m_doc.Settings(), kSectionColours,
                                                         app ? &app->GetProfile() : nullptr));
    }
    Invalidate();
}
