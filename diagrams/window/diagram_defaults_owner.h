// diagrams/window/diagram_defaults_owner.h: the Diagram Defaults command's side of the options
// sheet: the program's diagram defaults edited with no diagram open.
#pragma once

#include "diagrams/diagram_options_target.h"

class CDiagramDefaults;
class CWnd;

/// There is no diagram to redraw: refreshing and rebuilding do nothing and laying out always
/// succeeds. The block edited and the scheme list are the program's defaults'.
class CDiagramDefaultsOwner final : public IDiagramOptionsTarget {
public:
    explicit CDiagramDefaultsOwner(CDiagramDefaults& defaults) : m_defaults(defaults) {}

    /// Copies the section into the default block.
    void TakeSettings(const CDiagramSettings& from, int section) override;
    void RefreshDiagram() override {}
    void ApplyGeneralOptions(bool /*typeChanged*/) override {}
    bool RelayoutDiagram(bool /*keepScroll*/) override { return true; }
    CDiagramSettings& GetDefaultSettings() override;
    /// Copies schemes into the defaults' list and tells every window (hint 7, no sender).
    void ReplaceTextSchemes(const CTextSchemeList& schemes) override;
    const CTextSchemeList& GetTextSchemes() override;
    int GetAutoRowsPerGeneration(const CDiagramSettings& settings) override;

private:
    CDiagramDefaults& m_defaults;
};

/// The Diagram Defaults command: the "Diagram Defaults" sheet over the defaults' settings block,
/// with no window and no "Save as default" (every page applied is saved to the profile).
void ShowDiagramDefaults(CDiagramDefaults& defaults, CWnd* parent);
