// diagrams/window/rel_tree_drag.cpp: the drags of the Diagram window's mouse (CRelTreeMouse): the
// stretchy box that selects boxes or picks the area to view, the grabber that pans, moving and
// sizing a title, moving and sizing the page grid (carried out by CRelTreePages), and the
// add-relative drag with its outline and status text. Each runs under the mouse capture from the
// press to the release.
//
// A title moved or sized is placed by the document, which repaints; it becomes the default of new
// windows only in an ordinary diagram (a custom diagram's titles are its own).
#include "diagrams/window/rel_tree_mouse.h"

#include "app/shell/save_message.h"
#include "diagrams/diag_elem.h"
#include "diagrams/diagram_document.h"
#include "diagrams/window/rel_tree_editor.h"
#include "diagrams/window/rel_tree_pages.h"
#include "diagrams/window/rel_tree_titles.h"
#include "diagrams/window/title_block.h"
#include "platform/base/prompt.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/gdi_object.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/wnd.h"

#include <algorithm>

namespace {

/// A stretchy box narrower or lower than this many pixels is no box.
constexpr int kMinAreaBox = 3;

constexpr const char* kAreaHint =
    "Click and drag on the diagram to draw a stretchy box around the area you wish to view.  Or, "
    "to cancel this action, click again on the 'Select Area to View' button on the Diagram "
    "Toolbar.";

/// A rectangle with y up whatever order its corners were given in.
CRect Upright(const CRect& rect)
{
    return CRect(std::min(rect.left, rect.right), std::max(rect.top, rect.bottom),
                 std::max(rect.left, rect.right), std::min(rect.top, rect.bottom));
}

/// Draws in device pixels over a context mapped to the diagram.
class CDevicePixels {
public:
    explicit CDevicePixels(CDC& dc) : m_dc(dc)
    {
        m_dc.SaveDC();
        m_dc.SetMapMode(MM_TEXT);
        m_dc.SetViewportOrg(0, 0);
        m_dc.SetWindowOrg(0, 0);
    }
    ~CDevicePixels() { m_dc.RestoreDC(-1); }
    CDevicePixels(const CDevicePixels&) = delete;
    CDevicePixels& operator=(const CDevicePixels&) = delete;

private:
    CDC& m_dc;
};

} // namespace

int DiagDropZoneAt(const CDiagElem& box, CPoint point)
{
    const CRect r = Upright(box.Rect());
    const long long outX = point.x < r.left    ? r.left - point.x
                           : point.x > r.right ? point.x - r.right
                                               : 0;
    const long long outY = point.y > r.top      ? point.y - r.top
                           : point.y < r.bottom ? r.bottom - point.y
                                                : 0;
    if (outX == 0 && outY == 0)
        return kZoneNone;
    // The side the pointer has left the box by farthest, measured in box sizes.
    const long long width = std::max(1, r.right - r.left);
    const long long height = std::max(1, r.top - r.bottom);
    if (outY * width >= outX * height)
        return point.y > r.top ? kZoneParent : kZoneChild;
    return point.x < r.left ? kZoneSpouseLeft : kZoneSpouseRight;
}

void CRelTreeMouse::BeginAreaBox(CPoint point)
{
    m_drag = kAreaDrag;
    m_tracker.m_nStyle = CRectTracker::dottedLine;
    m_tracker.BeginRubberBand(point);
    m_view.Window().SetCapture();
}

void CRelTreeMouse::CancelDrag()
{
    if (m_drag == kNoDrag)
        return;
    if (InPageOrTitleDrag()) {
        EndPageOrTitleDrag(InGridDrag());
        return;
    }
    if (m_drag == kAreaDrag)
        m_tracker.EndTrack(m_tracker.m_rect.BottomRight(), false);
    if (m_drag == kRelativeDrag)
        ClearRelativeDrag();
    m_drag = kNoDrag;
    ReleaseCapture();
    Invalidate(false);
}

void CRelTreeMouse::EndAreaBox(CPoint point)
{
    m_tracker.EndTrack(point, true);
    m_drag = kNoDrag;
    ReleaseCapture();
    CRect area = m_tracker.m_rect;
    area.NormalizeRect();
    m_tracker.m_rect.SetRectEmpty();
    Invalidate(false);
    const bool drawn = area.Width() >= kMinAreaBox && area.Height() >= kMinAreaBox;
    if (m_mode == kModeSelectArea) {
        if (!drawn) {
            MessageBox(kAreaHint);
            return;
        }
        EndMode();
        m_view.ZoomToRect(area, false);
        return;
    }
    if (drawn)
        m_view.SelectBoxesInArea(area);
}

bool CRelTreeMouse::OnMouseMove(UINT flags, CPoint point)
{
    switch (m_drag) {
    case kNoDrag:
        ChooseCursor(&point);
        return false;
    case kAreaDrag:
        m_tracker.TrackTo(point);
        Invalidate(false);
        break;
    case kGrabDrag:
        m_view.PanTo(m_grabPoint, point);
        break;
    case kRelativeDrag:
        TrackRelativeDrag(point);
        break;
    default:
        TrackPageOrTitleDrag(flags, point);
        break;
    }
    return true;
}

bool CRelTreeMouse::OnLButtonUp(UINT flags, CPoint point)
{
    switch (m_drag) {
    case kNoDrag:
        return false;
    case kGridSizeDrag:
        // The right button's release ends the resize.
        break;
    case kAreaDrag:
        EndAreaBox(point);
        break;
    case kGrabDrag:
        m_drag = kNoDrag;
        ReleaseCapture();
        m_view.SetScrollBars(true, true);
        break;
    case kRelativeDrag:
        EndRelativeDrag(point);
        break;
    default:
        TrackPageOrTitleDrag(flags, point);
        EndPageOrTitleDrag(false);
        break;
    }
    return true;
}

void CRelTreeMouse::DrawFeedback(CDC& dc)
{
    if (m_drag == kRelativeDrag)
        DrawRelativeFeedback(dc);
    if (m_drag != kAreaDrag)
        return;
    CDevicePixels pixels(dc);
    CRectTracker shown(m_tracker.m_rect, CRectTracker::dottedLine);
    shown.m_rect.NormalizeRect();
    shown.Draw(&dc);
}

void CRelTreeMouse::BeginTitleDrag(CPoint point, int title, int handle)
{
    if (title < 0 || title >= kDiagramTitleCount)
        return;
    m_drag = handle >= 0 ? kTitleSizeDrag : kTitleMoveDrag;
    m_dragTitle = title;
    m_dragHandle = handle;
    m_dragStart = m_view.ToDiagram(point);
    m_dragFrame = m_doc.Settings().m_titles[std::size_t(title)].frame;
    m_view.Window().SetCapture();
}

bool CRelTreeMouse::InPageOrTitleDrag() const
{
    return m_drag == kTitleMoveDrag || m_drag == kTitleSizeDrag || InGridDrag();
}

void CRelTreeMouse::BeginPageGridDrag(CPoint point, bool resize)
{
    m_drag = resize ? kGridSizeDrag : kGridDrag;
    ChooseCursor(nullptr);
    m_pages.BeginGridDrag(point, resize);
    m_view.Window().SetCapture();
}

void CRelTreeMouse::TrackPageOrTitleDrag(UINT flags, CPoint point)
{
    if (InGridDrag()) {
        // Ctrl lands the horizontal lines between generation rows.
        m_pages.TrackGridDrag(point, m_drag == kGridSizeDrag, (flags & MK_CONTROL) != 0);
        Invalidate();
        return;
    }
    const CPoint p = m_view.ToDiagram(point);
    CRect frame = m_dragFrame;
    if (m_drag == kTitleMoveDrag) {
        frame.OffsetRect(p.x - m_dragStart.x, p.y - m_dragStart.y);
    } else {
        TitleBlockLook look;
        look.rect = m_doc.Settings().m_titles[std::size_t(m_dragTitle)].frame;
        CTitleView(look, &m_view.Window()).Resize(p.x, p.y, m_dragHandle);
        frame = look.rect;
    }
    m_doc.MoveTitle(m_dragTitle, frame);
}

void CRelTreeMouse::EndPageOrTitleDrag(bool cancelled)
{
    const bool grid = InGridDrag();
    const bool resize = m_drag == kGridSizeDrag;
    m_drag = kNoDrag;
    ReleaseCapture();
    ChooseCursor(nullptr);
    if (grid) {
        m_pages.EndGridDrag(cancelled, resize);
    } else if (m_doc.Settings().m_titles[std::size_t(m_dragTitle)].frame != m_dragFrame) {
        CWinApp* app = AfxGetApp();
        CheckSaved(m_doc.KeepTitlesPlaced(app ? &app->GetProfile() : nullptr));
    } else if (m_titleAloneOnRelease && !cancelled) {
        // A selected title pressed and released unmoved becomes the only selection.
        m_view.DeselectAll();
        m_titles.Select(m_dragTitle, true);
    }
    m_titleAloneOnRelease = false;
    m_dragTitle = m_dragHandle = -1;
    m_view.ExtentChanged();
    Invalidate();
}

void CRelTreeMouse::BeginRelativeDrag(CDiagElem& box)
{
    if (m_drag != kNoDrag || !m_view.HasTree())
        return;
    m_drag = kRelativeDrag;
    m_dragBox.Select(box, true);
    m_dropZone = kZoneNone;
    m_dropAllowed = false;
    m_view.Window().SetCapture();
}

void CRelTreeMouse::ShowDragStatus(const std::string& text)
{
    m_dragStatus = text;
    // The status bar is the main window's: the diagram's own frame has none.
    CWnd& window = m_view.Window();
    CFrameWnd* frame = window.GetSafeHwnd() ? GetTopLevelFrame(&window) : nullptr;
    if (!frame)
        return;
    if (text.empty())
        frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    else
        frame->SetMessageText(text);
}

void CRelTreeMouse::TrackRelativeDrag(CPoint point)
{
    CDiagElem* dragBox = DragBox();
    if (!dragBox) {
        // The box went with an update while the drag ran: nothing can be added.
        m_dropZone = kZoneNone;
        m_dropAllowed = false;
        ShowDragStatus(kDiagNoRelativeText);
        Invalidate(false);
        return;
    }
    m_dropZone = DiagDropZoneAt(*dragBox, m_view.ToDiagram(point));
    const std::string refusal = m_editor.DropRefusal(*dragBox, m_dropZone);
    m_dropAllowed = refusal.empty();
    static const char* const kAdd[] = {"", "Add parent", "Add spouse", "Add spouse", "Add child"};
    ShowDragStatus(m_dropAllowed ? kAdd[m_dropZone] : refusal);
    Invalidate(false);
}

CDiagElem* CRelTreeMouse::DragBox() const
{
    const std::vector<CDiagElem*>& boxes = m_dragBox.Boxes();
    return boxes.empty() ? nullptr : boxes.front();
}

void CRelTreeMouse::ClearRelativeDrag()
{
    m_dragBox.Clear();
    m_dropZone = kZoneNone;
    m_dropAllowed = false;
    ShowDragStatus({});
}

void CRelTreeMouse::DrawRelativeFeedback(CDC& dc)
{
    const CDiagElem* dragBox = DragBox();
    if (!dragBox || m_dropZone == kZoneNone)
        return;
    const CRect r = Upright(dragBox->Rect());
    const int width = r.right - r.left;
    const int height = r.top - r.bottom;
    const int gapY = std::max(m_doc.Settings().m_boxToBoxVertGap, height / 2);
    const int gapX = std::max(width / 4, 1);
    CPoint offset;
    CPoint from = dragBox->GetCentre();
    switch (m_dropZone) {
    case kZoneParent:
        offset = CPoint(0, height + gapY);
        from.y = r.top;
        break;
    case kZoneChild:
        offset = CPoint(0, -(height + gapY));
        from.y = r.bottom;
        break;
    case kZoneSpouseLeft:
        offset = CPoint(-(width + gapX), 0);
        from.x = r.left;
        break;
    default:
        offset = CPoint(width + gapX, 0);
        from.x = r.right;
        break;
    }
    const CPoint a = m_view.ToDevice(CPoint(r.left + offset.x, r.top + offset.y));
    const CPoint b = m_view.ToDevice(CPoint(r.right + offset.x, r.bottom + offset.y));
    // The joining line spans the gap between the box and the outline.
    const bool vertical = m_dropZone == kZoneParent || m_dropZone == kZoneChild;
    const CPoint to =
        m_view.ToDevice(vertical ? CPoint(from.x, from.y + (offset.y > 0 ? gapY : -gapY))
                                 : CPoint(from.x + (offset.x > 0 ? gapX : -gapX), from.y));
    const CPoint start = m_view.ToDevice(from);
    // The pen outlives the context's state it is selected into.
    CPen pen(PS_DOT, 1, m_dropAllowed ? RGB(0, 0, 0) : RGB(160, 160, 160));
    CDevicePixels pixels(dc);
    dc.SelectObject(&pen);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
    dc.MoveTo(start.x, start.y);
    dc.LineTo(to.x, to.y);
}

void CRelTreeMouse::EndRelativeDrag(CPoint point)
{
    TrackRelativeDrag(point);
    const int zone = m_dropZone;
    CDiagElem* box = m_dropAllowed ? DragBox() : nullptr;
    m_drag = kNoDrag;
    ReleaseCapture();
    ClearRelativeDrag();
    Invalidate(false);
    if (box)
        m_editor.DropRelative(*box, zone, point);
}
