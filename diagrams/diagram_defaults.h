// diagrams/diagram_defaults.h: the program's diagram defaults: the settings block new diagrams
// start from and the list of text schemes, loaded once at start-up.
//
// The application owns one for the program's run and every diagram document is given it: a new
// document, or one that drops its custom settings, copies the settings block; loading a text
// scheme looks the scheme up in the list. Whoever changes either saves it where it is kept (the
// settings by section to the profile, the schemes to their store).
#pragma once

#include "diagrams/diagram_settings.h"
#include "diagrams/text_scheme.h"

class CAppProfile;

class CDiagramDefaults {
public:
    CDiagramDefaults() = default;
    CDiagramDefaults(const CDiagramDefaults&) = delete;
    CDiagramDefaults& operator=(const CDiagramDefaults&) = delete;

    CDiagramSettings& Settings() { return m_settings; }
    const CDiagramSettings& Settings() const { return m_settings; }
    CTextSchemeList& TextSchemes() { return m_schemes; }
    const CTextSchemeList& TextSchemes() const { return m_schemes; }

    /// Start-up, once the field definitions are loaded and the expression engine installed:
    /// fills the scheme list from the store and the built-in schemes, each template checked by
    /// the template compiler (a built-in one that does not compile stops the program), then
    /// reads the settings from the profile; without a profile they keep the installation values.
    void Load(CAppProfile* profile);

private:
    CDiagramSettings m_settings;
    CTextSchemeList m_schemes;
};
