// diagrams/window/rel_tree_mouse.h: the Diagram window's mouse: clicks on boxes, buttons and
// titles, the mouse modes (selecting an area to view, moving the diagram with the grabber), the
// drags (the stretchy box, the grabber, moving and sizing a title, moving and sizing the page
// grid, the add-relative drag), their feedback, Escape, and the cursor.
//
// CRelTreeMouse owns what is being dragged and works through IRelTreeMouseView: the window hit
// tests, maps points, scrolls, keeps the selection and opens its menus and dialogs; the window's
// CRelTreeTitles selects the titles, finds their handles and opens Title Options; its
// CRelTreeEditor says why a zone refuses the add-relative drop and adds the relative dropped. The
// page grid's drag is carried out by CRelTreePages; the mouse says when it begins, moves and ends.
//
// Traps: every drag runs under the mouse capture from its press to its release; the right button
// or Escape cancels it (a dragged page grid goes back, a dragged title stays where it is). A
// page-grid resize is begun by the right button and ended by its release; a left press cancels
// it. The box of the add-relative drag is held by record, so an update that destroys it while the
// drag runs leaves nothing to add to.
#pragma once

#include "diagrams/diagram_selection.h"
#include "platform/base/geometry.h"
#include "platform/ui/windows/rect_tracker.h"

#include <string>

class CDC;
class CDiagElem;
class CDiagramDocument;
class CRelTreeEditor;
class CRelTreePages;
class CRelTreeTitles;
class CWnd;

/// Hit kinds of HitTest.
enum DiagHitKind : int {
    kHitNothing = 0,
    kHitBox = 1,
    kHitButton = 2,
    kHitTitle = 3,
    kHitSizer = 4
};
/// Interaction modes.
enum DiagMode : int { kModeNormal = 0, kModeSelectArea = 1, kModeGrabber = 2 };
/// Drop zones of the add-relative drag around a box.
enum DiagDropZone : int {
    kZoneNone = 0,
    kZoneParent = 1,
    kZoneSpouseLeft = 2,
    kZoneSpouseRight = 3,
    kZoneChild = 4
};
/// The cursors of selecting an area, of moving the diagram with the mouse, over a clickable box
/// or button, over a page boundary, and of moving the page grid.
inline constexpr UINT kAreaCursorId = 125, kGrabberCursorId = 168, kItemCursorId = 169,
                      kPageLineCursorId = 312, kPageDragCursorId = 202;

/// Why no relative can be added where the add-relative drag points.
inline constexpr const char* kDiagNoRelativeText = "Can't add relative in this context";

/// The zone of the diagram point around the box: the side the pointer has left the box by
/// farthest, measured in box sizes; kZoneNone inside the box.
int DiagDropZoneAt(const CDiagElem& box, CPoint point);

/// What the mouse asks of the window it serves.
class IRelTreeMouseView {
public:
    virtual ~IRelTreeMouseView() = default;
    /// The window itself: captures the mouse, is invalidated to repaint, parents the menus.
    virtual CWnd& Window() = 0;
    virtual bool HasTree() const = 0;
    /// What lies under a device point (a DiagHitKind), with the box or the title found.
    virtual int HitTest(CPoint device, CDiagElem** element, int* title) = 0;
    virtual CPoint ToDiagram(CPoint device) = 0;
    virtual CPoint ToDevice(CPoint diagram) = 0;
    /// Scrolls so that the diagram point lies at the device point, moving what is painted.
    virtual void PanTo(CPoint diagram, CPoint device) = 0;
    /// Shows the scroll bars for the present scroll position.
    virtual void SetScrollBars(bool horizontal, bool vertical) = 0;
    virtual void ZoomToRect(CRect rect, bool logical) = 0;
    /// The extent may have changed: the scroll ranges are worked out again at the next paint.
    virtual void ExtentChanged() = 0;

    // The selection.
    virtual void SelectBox(CDiagElem* element, bool clearOthers, bool redraw) = 0;
    /// Null deselects every box.
    virtual void DeselectBox(CDiagElem* element, bool redraw) = 0;
    virtual void DeselectAll() = 0;
    /// Selects every visible box and title lying inside rect (device pixels).
    virtual void SelectBoxesInArea(const CRect& rect) = 0;

    // What a click opens.
    virtual void ExpandBox(CDiagElem& box) = 0;
    /// A double click on a box: its properties beside it (after offering a record for a
    /// spouse box shown without one).
    virtual void OpenBoxProperties(CDiagElem& box) = 0;
    virtual void ShowContextMenu(CPoint point) = 0;
};

class CRelTreeMouse {
public:
    CRelTreeMouse(IRelTreeMouseView& view, CDiagramDocument& doc, CRelTreePages& pages,
                  CRelTreeTitles& titles, CRelTreeEditor& editor);

    int Mode() const { return m_mode; }
    /// Switches a mode on, or off when it is on.
    void ToggleMode(int mode);
    /// Back to the normal mode, with its cursor.
    void EndMode();
    bool IsDragging() const { return m_drag != kNoDrag; }
    /// The text the add-relative drag shows on the status bar; empty outside the drag.
    const std::string& DragStatusText() const { return m_dragStatus; }

    // The window's mouse messages (client pixels).
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(CPoint point);
    /// False when no drag took the release.
    bool OnLButtonUp(UINT flags, CPoint point);
    /// False when no drag took the move.
    bool OnMouseMove(UINT flags, CPoint point);
    void OnRButtonDown(CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    /// Escape: cancels a drag (and the grabber mode with its drag); false without a drag.
    bool CancelOnEscape();
    /// Losing the focus ends "Select Area to View".
    void OnKillFocus();

    /// Starts the add-relative drag from the box pressed; the mouse and its release carry it
    /// on, Escape cancels it.
    void BeginRelativeDrag(CDiagElem& box);
    /// Shows the cursor of the mouse mode, else of what lies under point (client pixels; none:
    /// the arrow).
    void ChooseCursor(const CPoint* point);
    /// The feedback of a drag under way, over the painted diagram.
    void DrawFeedback(CDC& dc);

private:
    enum DragKind {
        kNoDrag,
        kAreaDrag,
        kGrabDrag,
        kTitleMoveDrag,
        kTitleSizeDrag,
        kGridDrag,
        kGridSizeDrag,
        kRelativeDrag
    };

    /// The stretchy box: started by a press, followed by the mouse, ended by the release
    /// (EndAreaBox) or cancelled by the right button or Escape.
    void BeginAreaBox(CPoint point);
    void EndAreaBox(CPoint point);
    void CancelDrag();
    /// Title and page-grid drags: begun by a press, followed by moves, ended by the release;
    /// cancel puts a dragged page grid back.
    void BeginTitleDrag(CPoint point, int title, int handle);
    void BeginPageGridDrag(CPoint point, bool resize);
    bool InPageOrTitleDrag() const;
    bool InGridDrag() const { return m_drag == kGridDrag || m_drag == kGridSizeDrag; }
    void TrackPageOrTitleDrag(UINT flags, CPoint point);
    void EndPageOrTitleDrag(bool cancelled);
    /// The add-relative drag: following the pointer, its release, its feedback.
    void TrackRelativeDrag(CPoint point);
    void EndRelativeDrag(CPoint point);
    void ClearRelativeDrag();
    void DrawRelativeFeedback(CDC& dc);
    void ShowDragStatus(const std::string& text);
    /// The box the add-relative drag started from; null once no box shows its records.
    CDiagElem* DragBox() const;
    /// Repaints the window, erasing the background or not.
    void Invalidate(bool erase = true);

    IRelTreeMouseView& m_view;
    CDiagramDocument& m_doc;
    CRelTreePages& m_pages;
    /// Selects the titles pressed and finds their handles.
    CRelTreeTitles& m_titles;
    /// Says why a zone refuses the add-relative drop, and adds the relative dropped.
    CRelTreeEditor& m_editor;
    int m_mode = kModeNormal;
    DragKind m_drag = kNoDrag;
    /// The right press ended a drag: its release opens no menu.
    bool m_suppressRightUp = false;
    CRectTracker m_tracker;
    /// The diagram point held under the mouse while the grabber drags.
    CPoint m_grabPoint;
    /// The dragged title and handle, the press in diagram units and what the drag started from.
    int m_dragTitle = -1;
    int m_dragHandle = -1;
    /// The pressed title was already selected: released unmoved, it becomes the only one.
    bool m_titleAloneOnRelease = false;
    CPoint m_dragStart;
    CRect m_dragFrame;
    /// The box the add-relative drag started from (held by record as the selection is), the
    /// zone under the pointer, whether it allows an addition, and the status text.
    CDiagramSelection m_dragBox;
    int m_dropZone = kZoneNone;
    bool m_dropAllowed = false;
    std::string m_dragStatus;
};
