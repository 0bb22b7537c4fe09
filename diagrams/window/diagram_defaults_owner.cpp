// diagrams/window/diagram_defaults_owner.cpp: the defaults owner and the Diagram Defaults sheet.
#include "diagrams/window/diagram_defaults_owner.h"

#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "diagrams/diagram_defaults.h"
#include "diagrams/window/tree_opts_dlg.h"

void CDiagramDefaultsOwner::TakeSettings(const CDiagramSettings& from, int section)
{
    GetDefaultSettings().CopySettings(from, section);
}

CDiagramSettings& CDiagramDefaultsOwner::GetDefaultSettings()
{
    return m_defaults.Settings();
}

void CDiagramDefaultsOwner::ReplaceTextSchemes(const CTextSchemeList& schemes)
{
    m_defaults.TextSchemes().CopySchemeList(schemes);
    if (IDataObserver* observer = GetDataObserver())
        observer->OnDataChanged(nullptr, kHintTextSchemesReplaced, nullptr, false);
}

const CTextSchemeList& CDiagramDefaultsOwner::GetTextSchemes()
{
    return m_defaults.TextSchemes();
}

int CDiagramDefaultsOwner::GetAutoRowsPerGeneration(const CDiagramSettings& settings)
{
    return settings.GetRelativesGenerations();
}

void ShowDiagramDefaults(CDiagramDefaults& defaults, CWnd* parent)
{
    CDiagramDefaultsOwner owner(defaults);
    CTreeOptsDlg sheet("Diagram Defaults", defaults.Settings(), owner, parent, 0, false, nullptr,
                       false);
    sheet.DoModal();
}
