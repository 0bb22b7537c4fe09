// diagrams/diagram_defaults.cpp: loading the program's diagram defaults at start-up.
#include "diagrams/diagram_defaults.h"

#include "diagrams/scheme_template_check.h"
#include "diagrams/text_scheme_store.h"

void CDiagramDefaults::Load(CAppProfile* profile)
{
    // Templates name fields, so the schemes are checked once the field definitions are loaded.
    InitTextSchemes(m_schemes, TemplateCompiles);
    if (profile)
        m_settings.LoadSettingsFromProfile(*profile);
}
