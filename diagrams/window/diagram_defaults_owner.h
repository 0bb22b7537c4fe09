// diagrams/window/diagram_defaults_owner.h: the Diagram Defaults command's side of the options
// sheet: the settings of new diagrams edited with no diagram open.
#pragma once

#include "diagrams/diagram_options_target.h"

class CWnd;

/// There is no diagram to redraw: refreshing and rebuilding do nothing and laying out always
/// succeeds. The block edited is the program's default block; the scheme list is the program's.
class CDiagramDefaultsOwner final : public IDiagramOptionsTarget {
public:
    void RefreshDiagram() override {}
    void ApplyGeneralOptions(bool /*typeChanged*/) override {}
    bool RelayoutDiagram(bool /*keepScroll*/) override { return true; }
    CDiagramSettings& GetDefaultSettings() override;
    /// Copies schemes into the program's list and tells every window (hint 7, no sender).
    void ReplaceTextSchemes(const CTextSchemeList& schemes) override;
    const CTextSchemeList& GetTextSchemes() override;
    int GetAutoRowsPerGeneration(const CDiagramSettings& settings) override;
};

/// The Diagram Defaults command: the "Diagram Defaults" sheet over the default block, with no
/// window and no "Save as default" (every page applied is saved to the profile).
void ShowDiagramDefaults(CWnd* parent);
