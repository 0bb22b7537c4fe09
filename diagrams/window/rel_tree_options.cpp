// diagrams/window/rel_tree_options.cpp: the Diagram window's options sheet and colour chooser and
// their target: taking edited settings back, laying out again, colours, schemes. The document
// changes and lays out; the options keep the window's scroll position and have it repaint.
#include "diagrams/window/rel_tree_options.h"

#include "app/shell/save_message.h"
#include "diagrams/diag_band.h"
#include "diagrams/diagram_document.h"
#include "diagrams/window/diagram_defaults_owner.h"
#include "diagrams/window/rel_tree_painter.h"
#include "diagrams/window/tree_opts_colours.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/app.h"

CRelTreeOptions::CRelTreeOptions(IRelTreeOptionsView& view, CDiagramDocument& doc,
                                 CRelTreePainter& painter)
    : m_view(view), m_doc(doc), m_painter(painter)
{
}

void CRelTreeOptions::OpenOptions()
{
    OpenSheet("Diagram Options", CTreeOptsDlg::kGeneralPage, false, m_doc.CustomName().empty());
}

int CRelTreeOptions::OpenSheet(const char* caption, UINT startPage, bool printOnly,
                               bool saveAsDefault)
{
    CTreeOptsDlg sheet(caption, m_doc.Settings(), *this, &m_view.Window(), startPage, printOnly,
                       this, saveAsDefault);
    m_sheetOpen = true;
    const int result = sheet.DoModal();
    m_sheetOpen = false;
    return result;
}

void CRelTreeOptions::ChooseColours()
{
    bool saveAsDefault = m_doc.CustomName().empty();
    auto colours = m_doc.Settings().m_colours;
    if (!ChooseDiagramColours(&m_view.Window(), colours.data(), kDiagramColourCount, this, true,
                              &saveAsDefault))
        return;
    m_doc.SetColours(colours.data(), kDiagramColourCount);
    if (saveAsDefault) {
        CWinApp* app = AfxGetApp();
        CheckSaved(m_doc.SaveAsDefaults(kSectionColours, app ? &app->GetProfile() : nullptr));
    }
}

void CRelTreeOptions::TakeSettings(const CDiagramSettings& from, int section)
{
    m_doc.TakeSettings(from, section);
}

void CRelTreeOptions::RefreshDiagram()
{
    m_doc.ReloadTextScheme();
    // The descriptions' font or gap may have changed with the boxes' sizes.
    if (m_doc.HasTree())
        m_painter.PlaceRelationshipColumns(false);
    m_view.Window().Invalidate();
}

void CRelTreeOptions::ApplyGeneralOptions(bool typeChanged)
{
    m_doc.KeepSpousesInAllRelatives();
    const CPoint scroll = m_view.ScrollOrigin();
    m_view.RebuildDiagram();
    if (typeChanged) {
        m_view.CentreOnRoot();
        return;
    }
    m_view.SetScrollOrigin(scroll);
    m_view.ExtentChanged();
    m_view.Window().Invalidate();
}

bool CRelTreeOptions::RelayoutDiagram(bool keepScroll)
{
    const CPoint scroll = m_view.ScrollOrigin();
    if (!m_doc.RelayoutAll()) {
        MessageBox("Memory error - please close other applications and retry");
        return false;
    }
    if (keepScroll)
        m_view.SetScrollOrigin(scroll);
    m_view.ExtentChanged();
    m_view.Window().Invalidate();
    return true;
}

CDiagramSettings& CRelTreeOptions::GetDefaultSettings()
{
    return m_doc.Defaults().Settings();
}

void CRelTreeOptions::ReplaceTextSchemes(const CTextSchemeList& schemes)
{
    CDiagramDefaultsOwner(m_doc.Defaults()).ReplaceTextSchemes(schemes);
}

const CTextSchemeList& CRelTreeOptions::GetTextSchemes()
{
    return m_doc.Defaults().TextSchemes();
}

int CRelTreeOptions::GetAutoRowsPerGeneration(const CDiagramSettings& settings)
{
    return GetRelativesGenerations(settings);
}

void CRelTreeOptions::ApplyColours(const DiagramColourEntry* entries, int count)
{
    m_doc.SetColours(entries, count);
}

void CRelTreeOptions::ResetColoursToInstallation(DiagramColourEntry* entries, int count)
{
    ResetDiagramColours(entries, count);
}
