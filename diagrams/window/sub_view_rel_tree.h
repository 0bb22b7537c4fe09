// diagrams/window/sub_view_rel_tree.h: the Diagram window: the view of one diagram of a root
// person or couple; painting, zoom, scrolling, selection, the context menus and the status panes.
//
// The pane of sub-view type 3. It shows a diagram document (CDiagramDocument: the settings, the
// text scheme, the root, the laid-out trees and the selection), which owns the trees and answers
// their questions; the window is the document's view and observer. The Diagram Options sheet and
// the colour chooser are its CRelTreeOptions (rel_tree_options.h), their target, which asks it to
// repaint, keep its scroll position and zoom through IRelTreeOptionsView.
// Its document is given the program's diagram defaults (the settings of new
// windows and the text schemes) installed for the windows (diagram_window_services.h), and the
// window reaches them through it. The program opens it through
// CAvApp::ShowInDiagram and OpenSavedDiagram. Settings change through the document's operations,
// which tell it to repaint. The page grid's view side and the print job are its CRelTreePages
// (rel_tree_pages.h), which asks it for the mapping through IRelTreePagesView; its mouse messages
// go to its CRelTreeMouse (rel_tree_mouse.h), which owns the mouse modes and drags and asks it for
// hit tests, scrolling and the selection through IRelTreeMouseView; the edits of the records from
// the diagram (the add-relative drop, moving, deleting, marks) are its CRelTreeEditor
// (rel_tree_editor.h), which asks it to select, scroll and open its dialogs through
// IRelTreeEditorView; its CRelTreePainter (rel_tree_painter.h) paints the background, the diagram,
// the relationship descriptions and the titles on a context the window maps, through
// IRelTreePainterView; its CRelTreeTitles (rel_tree_titles.h) fills in, draws and selects the
// title blocks and opens Title Options, asking it for the screen mapping through
// IRelTreeTitlesView; its CRelTreeCustom (rel_tree_custom.h) restores the installation settings
// and opens and saves custom diagrams, asking it to build through IRelTreeCustomView; its
// CRelTreeViewport (rel_tree_viewport.h) maps diagram units onto the screen, zooms and scrolls,
// asking it for its client area and scroll bars through IRelTreeViewportView. Its own work is
// spread over sub_view_rel_tree.cpp and the rel_tree_*.cpp files, each of which says what it
// holds.
//
// Traps: the diagram's mapping has y up, so a logical rectangle's top lies above its bottom; widen
// or shrink it outwards with that in mind, and normalise a clip box read back from the context
// before asking whether it is empty. The selection is the document's (Document().Selection(),
// newest first), held by record: a box an update destroys is found again among the new boxes, or
// leaves it.
#pragma once

#include "app/shell/sub_view.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diagram_document.h"
#include "diagrams/diagram_settings.h"
#include "diagrams/window/rel_tree_custom.h"
#include "diagrams/window/rel_tree_editor.h"
#include "diagrams/window/rel_tree_mouse.h"
#include "diagrams/window/rel_tree_options.h"
#include "diagrams/window/rel_tree_pages.h"
#include "diagrams/window/rel_tree_painter.h"
#include "diagrams/window/rel_tree_properties.h"
#include "diagrams/window/rel_tree_titles.h"
#include "diagrams/window/rel_tree_viewport.h"
#include "platform/base/geometry.h"

#include <memory>
#include <string>
#include <vector>

class CDC;
class CDiagElem;
class CFamRec;
class CIndRec;
class CCmdUI;

/// The command ids of the window and of the shell commands that open it.
namespace diagram_cmd {
inline constexpr UINT kShowAncestors = 32856, kShowDescendants = 32857;
inline constexpr UINT kZoomIn = 32788, kZoomOut = 32789, kViewWhole = 32825, kCentre = 32784;
inline constexpr UINT kSelectArea = 32824, kGrabber = 33028;
inline constexpr UINT kOverrideText = 32804, kClearOverride = 32807, kSetMark = 33030,
                      kClearMark = 32841, kProperties = 32802, kMarkRepeated = 32840;
inline constexpr UINT kHideTitle = 32801, kTitleOptions = 32958;
inline constexpr UINT kUnderlineOverridden = 32827, kTitle1 = 32945, kPrintSize = 32957,
                      kSaveCustom = 32949, kColours = 32791, kOptions = 32963;
inline constexpr UINT kRemoveAllMarks = 33031, kMarksByQuery = 33032, kSaveAsDefaults = 32964;
inline constexpr UINT kShowPageBoundaries = 32910, kAvoidPageBoundaries = 32956, kPageSetup = 32872,
                      kRestoreInstallation = 33046;
inline constexpr UINT kMoveUp = 32833, kMoveDown = 32834, kDelete = 32801;
inline constexpr UINT kPaneHelp = 59399, kPanePos = 59401, kPaneSize = 59400,
                      kTreeStatusBar = 59398;
} // namespace diagram_cmd

class CSubViewRelTree : public CSubView,
                        public IDiagramView,
                        public IDiagramObserver,
                        public IRelTreePagesView,
                        public IRelTreeMouseView,
                        public IRelTreeEditorView,
                        public IRelTreePainterView,
                        public IRelTreeOptionsView,
                        public IRelTreePropertiesView,
                        public IRelTreeTitlesView,
                        public IRelTreeCustomView,
                        public IRelTreeViewportView {
public:
    CSubViewRelTree();
    ~CSubViewRelTree() override;
    const CRuntimeClass* GetRuntimeClass() const override;

    // The hosting view's operations.
    BOOL Create(const RECT& rect, CAvView* parentView, UINT id, DWORD request) override;
    CObject* GetSelection(const CRuntimeClass* cls, int* count) const override;
    void GetSelectedRecords(std::vector<CRecordNode*>& records) const override;
    int GetSubViewType() const override { return 3; }
    void GetTitle(std::string& title) const override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* object) override;
    void Refresh() override;
    BOOL IsSelected(const CObject*) const override { return FALSE; }
    BOOL IsLockable() const override { return TRUE; }
    HICON LoadViewIcon(BOOL reusable, BOOL big) const override;
    void OnActivate(BOOL activate, CView* activated, CView* deactivated) override;
    void OnPrepareDC(CDC* dc, CPrintInfo* info) override;
    BOOL CanPrint(BOOL preview) override;
    BOOL PreparePrinting(CPrintInfo* info) override;
    /// A print job holds the wait cursor from its beginning to its end.
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
    /// The printer set-up for this diagram: the dialog opens in the diagram's orientation, and
    /// the orientation chosen becomes the diagram's; the program's printer keeps its own.
    void OnFilePrintSetup() override;

    // Building.
    /// A diagram of the type rooted at person; an empty custom name drops the window's custom
    /// settings and takes the defaults again. False when nothing was built.
    bool BuildTree(CIndRec* person, bool selectRoot, int type, bool showProperties,
                   const std::string& customName = {});
    /// The same rooted at the couple of family.
    bool RebuildTree(CFamRec* family, bool selectRoot, int type, bool showProperties,
                     const std::string& customName = {});
    void ClearDiagram();
    bool HasTree() const override { return m_doc.HasTree(); }
    CDiagRowSet* RowSet() const { return m_doc.RowSet(); }
    /// The diagram the window shows.
    CDiagramDocument& Document() { return m_doc; }
    const CDiagramDocument& Document() const { return m_doc; }
    CDiagramSettings& GetSettings() { return m_doc.Settings(); }
    const CDiagramSettings& Settings() const { return m_doc.Settings(); }
    /// The painting of the diagram: its background, boxes, descriptions and titles.
    const CRelTreePainter& Painter() const { return m_painter; }

    /// Builds the diagram again from its root, keeping the custom name and the scroll
    /// position; empties the window when the root went.
    void RebuildDiagram() override;

    /// Delete and the Delete key: the selected boxes' records, or without boxes every selected
    /// title hidden.
    void DeleteOrHide();
    /// The Text dialog on the one selected box's text; OK makes it the box's override text.
    void OverrideText();
    /// The Diagram Options sheet, its print-only form and the colour chooser over the window's
    /// settings, and their target.
    CRelTreeOptions& Options() { return m_options; }

    // Pages (through CRelTreePages and the document), titles (CRelTreeTitles) and custom
    // diagrams (CRelTreeCustom).
    /// Shows or hides the page grid and its numbers together, keeping the view's centre.
    void ShowPageBoundaries();
    bool PageBoundariesShown() const { return m_pages.Shown(); }
    /// Moves boxes off vertical page boundaries (afresh) while the document avoids them.
    void ComputePageAvoidance() { m_doc.AvoidPageBoundariesAgain(); }
    /// Prints in landscape or portrait from now on: the page grid turns with the paper and the
    /// boxes are measured again.
    void SetPrintOrientation(bool landscape) { m_pages.SetPrintOrientation(landscape); }
    /// Sizes the page grid to hold a number of rows per printed page (the rows dialog).
    void SetPrintedSize() { m_pages.SetPrintedSize(); }
    /// The title blocks: their texts, drawing, selection and Title Options.
    CRelTreeTitles& Titles() { return m_titles; }
    /// The options sheet's print-only form; OK makes the printing section the default.
    void PageSetup();
    /// Restoring the installation settings, and opening and saving custom diagrams.
    CRelTreeCustom& Custom() { return m_custom; }

    // Mapping, zoom and scrolling (through CRelTreeViewport).
    /// The mapping of diagram units onto the screen, the zoom, the scroll position and ranges.
    CRelTreeViewport& Viewport() { return m_viewport; }
    const CRelTreeViewport& Viewport() const { return m_viewport; }
    /// The top-left corner of the page grid covering the diagram (titles included) and its
    /// pages down and across, each at least 1.
    void GetPageSpan(CPoint& origin, int& down, int& across) const
    {
        m_doc.GetPageSpan(origin, down, across);
    }

    // Selection and mouse.
    int HitTest(CPoint device, CDiagElem** element, int* title) override;
    void SelectBox(CDiagElem* element, bool clearOthers, bool redraw) override;
    void DeselectBox(CDiagElem* element, bool redraw) override;
    void DeselectAll() override;
    /// The mouse: its mode, the drag under way and the add-relative drag's status text.
    const CRelTreeMouse& Mouse() const { return m_mouse; }
    /// The page grid, its status panes and the print job.
    const CRelTreePages& Pages() const { return m_pages; }

    // Editing the records from the diagram.
    /// The drop zones of the add-relative drag.
    using DropZone = DiagDropZone;
    using enum DiagDropZone;
    /// The add-relative drop, moving, deleting and marking: the window's commands and mouse
    /// call it.
    CRelTreeEditor& Editor() { return m_editor; }

    // IDiagramView.
    /// On the screen the gap keeps its pixels at any zoom; on paper it is taken as units.
    int SpouseLinesGap() const override { return m_viewport.SpouseLinesGap(); }
    bool GetDiagramExtent(CRect& rect) const override { return m_viewport.GetDiagramExtent(rect); }
    std::unique_ptr<IBoxPainter> CreateMeasurer() override;
    bool ZoomKeyWaiting() const override;

    // IDiagramObserver.
    void DiagramCleared() override;
    void DiagramLayoutChanged() override;
    void DiagramBoxesChanged(const CDiagRepaint& repaint) override;
    void DiagramSettingsChanged() override;
    /// A change of the data brought into the diagram retitles the frame.
    void DiagramResynced(DiagramResync outcome) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags) override;
    void OnChar(UINT character, UINT repeatCount, UINT flags) override;
    void OnKillFocus(CWnd* newWnd) override;

private:
    // IRelTreeCustomView.
    bool Build(CIndRec* person, CFamRec* family, bool selectRoot, int type, bool showProperties,
               const std::string& customName, bool tellFailure) override;
    // IRelTreePainterView and IRelTreeTitlesView.
    void PrepareScreenDC(CDC& dc) override { m_viewport.PrepareScreenDC(dc); }
    void PrepareMeasuringDC(CDC& dc, bool printer) override
    {
        m_viewport.PrepareMeasuringDC(dc, printer);
    }
    void RefreshStaleScrollBars() override { m_viewport.RefreshStaleScrollBars(); }
    void ExpandBox(CDiagElem& box) override;
    void ShowContextMenu(CPoint point) override;
    void SelectBoxesInArea(const CRect& rect) override;
    void MapCommands();
    void MapWindowCommands();
    void MapPageAndTitleCommands();
    // IRelTreePagesView (and every helper's window).
    CWnd& Window() override { return *this; }
    CPoint ToDiagram(CPoint device) override { return m_viewport.ToDiagram(device); }
    int RootRowOffset() const override { return m_viewport.RootRowOffset(); }
    void DrawPrintedPage(CDC& dc, const CRect& clip) override;
    // IRelTreeMouseView.
    CPoint ToDevice(CPoint diagram) override { return m_viewport.ToDevice(diagram); }
    void PanTo(CPoint diagram, CPoint device) override { m_viewport.PanTo(diagram, device); }
    void SetScrollBars(bool horizontal, bool vertical) override
    {
        m_viewport.SetScrollBars(horizontal, vertical);
    }
    void ZoomToRect(CRect rect, bool logical) override { m_viewport.ZoomToRect(rect, logical); }
    void ExtentChanged() override { m_viewport.ExtentChanged(); }
    void OpenBoxProperties(CDiagElem& box) override;
    // IRelTreeEditorView.
    void ScrollToPoint(int px, int py, int dx, int dy, bool redraw) override
    {
        m_viewport.ScrollToPoint(px, py, dx, dy, redraw);
    }
    void OpenAddedRecordProperties() override
    {
        m_properties.Open(nullptr, CRelTreeProperties::Use::kDragAdd);
    }
    void OpenOptions() override { m_options.OpenOptions(); }
    // IRelTreeOptionsView.
    void CentreOnRoot() override { m_viewport.CentreOnRoot(); }
    CPoint ScrollOrigin() const override { return m_viewport.ScrollOrigin(); }
    void SetScrollOrigin(CPoint origin) override { m_viewport.SetScrollOrigin(origin); }
    int ScaleDivisor() const override { return m_viewport.ScaleDivisor(); }
    void SetScale(int divisor) override { m_viewport.SetScale(divisor); }

    CDiagramDocument m_doc;
    /// The page grid and the print job.
    CRelTreePages m_pages{*this, m_doc};
    /// The edits of the records from the diagram.
    CRelTreeEditor m_editor{*this, m_doc};
    /// The title blocks.
    CRelTreeTitles m_titles{*this, m_doc, m_pages};
    /// The mouse, its modes and drags.
    CRelTreeMouse m_mouse{*this, m_doc, m_pages, m_titles, m_editor};
    /// The background, the drawing pass, the relationship-description columns and the titles.
    CRelTreePainter m_painter{*this, m_doc, m_pages, m_titles};
    /// The options sheet, the colour chooser and their target.
    CRelTreeOptions m_options{*this, m_doc, m_painter};
    /// Opening the record properties box.
    CRelTreeProperties m_properties{*this, m_doc};
    /// The installation settings and the custom diagram files.
    CRelTreeCustom m_custom{*this, m_doc, m_options};

    /// The mapping, the zoom and the scroll position.
    CRelTreeViewport m_viewport{*this, m_doc, m_pages, m_painter};

    bool m_updating = false;
    bool m_underlineOverridden = false;
};
