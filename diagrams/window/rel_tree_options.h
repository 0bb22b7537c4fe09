// diagrams/window/rel_tree_options.h: the Diagram window's settings sheet and colour chooser: the
// Diagram Options sheet (and its print-only form), the colour chooser, and what both ask of the
// diagram whose settings they edit.
//
// CRelTreeOptions is the sheet's IDiagramOptionsTarget and IDiagramOptionsWindow and the chooser's
// IDiagramColoursTarget for one window. The document takes the edited settings and lays out; the
// options keep the window's scroll position across a layout and ask the window to repaint, rebuild
// and zoom through IRelTreeOptionsView.
//
// Trap: Page Setup does not open while a sheet is open (SheetOpen); the sheet itself does not ask.
#pragma once

#include "diagrams/diagram_options_target.h"
#include "diagrams/window/tree_opts_dlg.h"
#include "platform/base/geometry.h"

class CDiagramDocument;
class CRelTreePainter;
class CWnd;

/// What the options ask of the window that shows the diagram.
class IRelTreeOptionsView {
public:
    virtual ~IRelTreeOptionsView() = default;
    /// The window itself: the owner of the sheet, the chooser and the messages, repainted.
    virtual CWnd& Window() = 0;
    /// Builds the diagram again from its root.
    virtual void RebuildDiagram() = 0;
    virtual void CentreOnRoot() = 0;
    virtual CPoint ScrollOrigin() const = 0;
    virtual void SetScrollOrigin(CPoint origin) = 0;
    /// The diagram's extent changed: the scroll bars follow before the next paint.
    virtual void ExtentChanged() = 0;
    virtual int ScaleDivisor() const = 0;
    virtual void SetScale(int divisor) = 0;
};

class CRelTreeOptions final : public IDiagramOptionsTarget,
                              public IDiagramColoursTarget,
                              public IDiagramOptionsWindow {
public:
    CRelTreeOptions(IRelTreeOptionsView& view, CDiagramDocument& doc, CRelTreePainter& painter);

    /// The Diagram Options sheet on the window's settings.
    void OpenOptions();
    /// Runs the sheet (printOnly: the Print page alone) on the window's settings; its answer.
    int OpenSheet(const char* caption, UINT startPage, bool printOnly, bool saveAsDefault);
    /// Whether a sheet is open.
    bool SheetOpen() const { return m_sheetOpen; }
    /// The colour chooser over the window's colours.
    void ChooseColours();

    // IDiagramOptionsTarget: the sheet's edits go to the document, which tells the window.
    void TakeSettings(const CDiagramSettings& from, int section) override;
    void RefreshDiagram() override;
    void ApplyGeneralOptions(bool typeChanged) override;
    bool RelayoutDiagram(bool keepScroll) override;
    CDiagramSettings& GetDefaultSettings() override;
    void ReplaceTextSchemes(const CTextSchemeList& schemes) override;
    const CTextSchemeList& GetTextSchemes() override;
    int GetAutoRowsPerGeneration(const CDiagramSettings& settings) override;

    // IDiagramColoursTarget.
    void ApplyColours(const DiagramColourEntry* entries, int count) override;
    void ResetColoursToInstallation(DiagramColourEntry* entries, int count) override;

    // IDiagramOptionsWindow: the window's zoom.
    int GetScaleDivisor() const override { return m_view.ScaleDivisor(); }
    void SetScale(int divisor) override { m_view.SetScale(divisor); }

private:
    IRelTreeOptionsView& m_view;
    CDiagramDocument& m_doc;
    CRelTreePainter& m_painter;
    bool m_sheetOpen = false;
};
