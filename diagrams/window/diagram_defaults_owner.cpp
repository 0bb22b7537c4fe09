// diagrams/window/diagram_defaults_owner.cpp: the defaults owner and the Diagram Defaults sheet.
#include "diagrams/window/diagram_defaults_owner.h"

#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "diagrams/diagram_settings.h"
#include "diagrams/text_scheme.h"
#include "diagrams/window/tree_opts_dlg.h"

CDiagramSettings& CDiagramDefaultsOwner::GetDefaultSettings()
{
    return DefaultDiagramSettings();
}

void CDiagramDefaultsOwner::ReplaceTextSchemes(const CTextSchemeList& schemes)
{
    TextSchemes().CopySchemeList(schemes);
    if (IDataObserver* observer = GetDataObserver())
        observer->OnDataChanged(nullptr, kHintTextSchemesReplaced, nullptr, false);
}

const CTextSchemeList& CDiagramDefaultsOwner::GetTextSchemes()
{
    return TextSchemes();
}

int CDiagramDefaultsOwner::GetAutoRowsPerGeneration(const CDiagramSettings& settings)
{
    return settings.GetRelativesGenerations();
}

void ShowDiagramDefaults(CWnd* parent)
{
    CDiagramDefaultsOwner owner;
    CTreeOptsDlg sheet("Diagram Defaults", DefaultDiagramSettings(), owner, parent, 0, false,
                       nullptr, false);
    sheet.DoModal();
}
