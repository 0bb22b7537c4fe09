// diagrams/diagram_options_target.h: what the Diagram Options sheet asks of the one whose settings
// it edits (a diagram window, or the program's defaults), and what the colour chooser tells.
#pragma once

class CDiagramSettings;
class CTextSchemeList;
struct DiagramColourEntry;

/// The owner of the settings block the options sheet edits.
class IDiagramOptionsTarget {
public:
    virtual ~IDiagramOptionsTarget() = default;

    /// Takes a section of the sheet's edits into the block edited.
    virtual void TakeSettings(const CDiagramSettings& from, int section) = 0;
    /// Takes the edited block's scheme, fonts, sizes and pages again and repaints.
    virtual void RefreshDiagram() = 0;
    /// Rebuilds the diagram for new general options; typeChanged: the diagram type changed.
    virtual void ApplyGeneralOptions(bool typeChanged) = 0;
    /// Lays the diagram out again; keepScroll keeps the scroll origin. False when it failed.
    virtual bool RelayoutDiagram(bool keepScroll) = 0;
    /// The block new diagrams copy.
    virtual CDiagramSettings& GetDefaultSettings() = 0;
    /// Makes the program's scheme list a copy of schemes and tells every window.
    virtual void ReplaceTextSchemes(const CTextSchemeList& schemes) = 0;
    /// The program's scheme list.
    virtual const CTextSchemeList& GetTextSchemes() = 0;
    /// The rows per generation an All Relatives diagram of these settings needs.
    virtual int GetAutoRowsPerGeneration(const CDiagramSettings& settings) = 0;
};

/// Told of colours chosen in the colour chooser over a block's colour entries.
class IDiagramColoursTarget {
public:
    virtual ~IDiagramColoursTarget() = default;

    /// Takes each entry's colour and transparent flag and shows them.
    virtual void ApplyColours(const DiagramColourEntry* entries, int count) = 0;
    /// Fills the entries with the colours and transparent flags of the installation.
    virtual void ResetColoursToInstallation(DiagramColourEntry* entries, int count) = 0;
};
