// media/window/me_picture_wnd.cpp: showing the object, scrolling, the animated scroll, painting
// and the object's action; the mouse and the picture tools are in me_picture_mouse.cpp.
#include "media/window/me_picture_wnd.h"

#include "media/window/file_type_icon.h"
#include "media/window/media_window_ids.h"
#include "media/window/picture_scroll.h"
#include "media/window/sub_view_media.h"

#include "common/shell_open.h"
#include "database/multimedia/linked_file_location.h"
#include "database/multimedia/media_item.h"
#include "platform/base/clock.h"
#include "platform/base/prompt.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/frames/ole_client_item.h"
#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr int kLineStep = 20;
/// The room above and below the caption's line.
constexpr int kCaptionGap = 2;
/// The selected frame's colour.
constexpr COLORREF kFrameColour = RGB(220, 0, 0);

} // namespace

CMePictureWnd::CMePictureWnd()
{
    MapCommand(ID_MEDIA_ACTION, [this] { OnMediaAction(); });
    MapUpdate(ID_MEDIA_ACTION, [this](CCmdUI* state) { state->Enable(CanPerformAction()); });
}

CMePictureWnd::~CMePictureWnd()
{
    if (GetSafeHwnd())
        DestroyWindow();
    Release();
}

BOOL CMePictureWnd::Create(CWnd* parent, UINT id, CSubViewMedia* view)
{
    m_view = view;
    return CreateEx(0, nullptr, "Av Viewer", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                    CRect(), parent, id);
}

void CMePictureWnd::OnDestroy()
{
    StopAnimation();
    if (m_hoverTimer)
        KillTimer(kMediaHoverTimer);
    m_hoverTimer = 0;
    CWnd::OnDestroy();
}

void CMePictureWnd::OnClose()
{
    StopAnimation();
    CWnd::OnClose();
}

void CMePictureWnd::Release()
{
    if (m_item)
        m_item->Unlock();
    m_item = nullptr;
}

int CMePictureWnd::ToolMode() const
{
    return m_view ? m_view->GetToolMode() : kToolNone;
}

bool CMePictureWnd::IsPicture() const
{
    return m_item && m_item->GetKind() == MEDIA_KIND_PICTURE && m_item->GetLoadedContent();
}

void CMePictureWnd::LoadDisplayPicture(CMediaItem* object)
{
    const CWaitCursor wait;
    ClearHot();
    StopAnimation();
    Release();
    m_item = object;
    m_link = CMeLinkEntry();
    m_size = CSize();
    m_top = 0;
    if (m_item) {
        m_item->Lock();
        m_size = m_item->GetExtent();
    }
    if (GetSafeHwnd()) {
        if (m_item) {
            // The caption has a band of its own above the object, so the picture never hides it.
            const CClientDC dc(this);
            m_top = dc.GetTextExtent("Ag").cy + 2 * kCaptionGap;
        }
        UpdateScrollBars(true);
        Invalidate();
    }
}

std::string CMePictureWnd::GetDisplayText() const
{
    if (!m_item)
        return {};
    if (m_item->HasLoadFailed() && !m_item->GetErrorText().empty())
        return m_item->GetErrorText();
    return m_item->GetCaption(false);
}

// ---- Scrolling --------------------------------------------------------------------------------

void CMePictureWnd::UpdateScrollBars(bool reset)
{
    if (reset)
        m_scroll = CPoint();
    // The client area without bars, from the one with the bars shown now.
    CRect client;
    GetClientRect(&client);
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    CSize full(client.Width(), client.Height());
    if (GetStyle() & WS_HSCROLL) {
        SCROLLINFO h;
        if (GetScrollInfo(SB_HORZ, &h, SIF_ALL) && h.nPage > 0 && h.nMax >= int(h.nPage))
            full.cy += bar;
    }
    if (GetStyle() & WS_VSCROLL) {
        SCROLLINFO v;
        if (GetScrollInfo(SB_VERT, &v, SIF_ALL) && v.nPage > 0 && v.nMax >= int(v.nPage))
            full.cx += bar;
    }
    const CSize content(m_size.cx, m_size.cy + m_top);
    const ScrollLayout layout = LayOutScrollBars(content, full, bar);
    m_range = CSize(content.cx + kPictureMargin, content.cy + kPictureMargin);
    CSize range = m_range;
    // A position beyond the new range stays: the range widens to hold it until the next scroll.
    m_rangeGrown = false;
    if (m_scroll.x > MaxScrollPos(range.cx, layout.pageX)) {
        range.cx = m_scroll.x + layout.pageX - 1;
        m_rangeGrown = true;
    }
    if (m_scroll.y > MaxScrollPos(range.cy, layout.pageY)) {
        range.cy = m_scroll.y + layout.pageY - 1;
        m_rangeGrown = true;
    }
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = m_item ? range.cx : 0;
    info.nPage = UINT(layout.pageX);
    info.nPos = m_scroll.x;
    SetScrollInfo(SB_HORZ, &info, TRUE);
    info.nMax = m_item ? range.cy : 0;
    info.nPage = UINT(layout.pageY);
    info.nPos = m_scroll.y;
    SetScrollInfo(SB_VERT, &info, TRUE);
}

void CMePictureWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    UpdateScrollBars(false);
    // What was drawn at the old size may stand at another scroll position now.
    Invalidate(FALSE);
}

void CMePictureWnd::ScrollTo(int x, int y)
{
    if (x == m_scroll.x && y == m_scroll.y)
        return;
    const CPoint old = m_scroll;
    m_scroll = CPoint(x, y);
    SetScrollPos(SB_HORZ, x, TRUE);
    SetScrollPos(SB_VERT, y, TRUE);
    ScrollWindow(old.x - x, old.y - y);
}

void CMePictureWnd::OnScroll(int bar, UINT code)
{
    if (code == SB_ENDSCROLL) {
        if (m_rangeGrown)
            UpdateScrollBars(false);
        return;
    }
    StopAnimation();
    ClearHot();
    SCROLLINFO info;
    if (!GetScrollInfo(bar, &info, SIF_ALL))
        return;
    const int maximum = MaxScrollPos(info.nMax, int(info.nPage));
    int pos = bar == SB_HORZ ? m_scroll.x : m_scroll.y;
    switch (code) {
    case SB_LINEUP:
        pos -= kLineStep;
        break;
    case SB_LINEDOWN:
        pos += kLineStep;
        break;
    case SB_PAGEUP:
        pos -= int(info.nPage);
        break;
    case SB_PAGEDOWN:
        pos += int(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        // The whole 32-bit position: the thumb follows on a picture of any size.
        pos = info.nTrackPos;
        break;
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = maximum;
        break;
    default:
        return;
    }
    pos = std::clamp(pos, 0, maximum);
    if (bar == SB_HORZ)
        ScrollTo(pos, m_scroll.y);
    else
        ScrollTo(m_scroll.x, pos);
    if (m_rangeGrown)
        UpdateScrollBars(false);
}

void CMePictureWnd::OnHScroll(UINT code, UINT, CScrollBar*)
{
    OnScroll(SB_HORZ, code);
}

void CMePictureWnd::OnVScroll(UINT code, UINT, CScrollBar*)
{
    OnScroll(SB_VERT, code);
}

CRect CMePictureWnd::ToClient(const RECT& frame) const
{
    CRect rect = frame;
    rect.OffsetRect(-m_scroll.x, m_top - m_scroll.y);
    return rect;
}

CPoint CMePictureWnd::ToPicture(CPoint point) const
{
    return CPoint(point.x + m_scroll.x, point.y + m_scroll.y - m_top);
}

CRect CMePictureWnd::ToPicture(const RECT& rect) const
{
    CRect out = rect;
    out.OffsetRect(m_scroll.x, m_scroll.y - m_top);
    return out;
}

void CMePictureWnd::ScrollFrameIntoView(const RECT& frame, bool animate)
{
    // Only the part that lies on the picture is brought into view.
    CRect onPicture;
    if (!onPicture.IntersectRect(frame, CRect(0, 0, m_size.cx, m_size.cy)))
        return;
    CRect client;
    GetClientRect(&client);
    CRect edges = ToClient(onPicture);
    edges.InflateRect(1, 1);
    InvalidateRect(&edges, FALSE);
    const CSize offset = OffsetToShow(ToClient(onPicture), client.Size());
    SCROLLINFO h, v;
    GetScrollInfo(SB_HORZ, &h, SIF_ALL);
    GetScrollInfo(SB_VERT, &v, SIF_ALL);
    const CPoint target(std::clamp(m_scroll.x + offset.cx, 0, MaxScrollPos(h.nMax, int(h.nPage))),
                        std::clamp(m_scroll.y + offset.cy, 0, MaxScrollPos(v.nMax, int(v.nPage))));
    if (target == m_scroll)
        return;
    if (animate) {
        m_animStart = GetTickCount();
        m_animEnd = m_animStart + kMediaAnimationMs;
        m_animFrom = m_scroll;
        m_animTo = target;
        m_animTimer = SetTimer(kMediaAnimationTimer, 1);
    } else {
        ScrollTo(target.x, target.y);
    }
}

void CMePictureWnd::StopAnimation()
{
    if (m_animTimer && GetSafeHwnd())
        KillTimer(kMediaAnimationTimer);
    m_animTimer = 0;
}

void CMePictureWnd::OnTimer(UINT_PTR id)
{
    if (id == kMediaAnimationTimer) {
        const LONG t = LONG(GetTickCount() - m_animStart);
        const LONG duration = LONG(m_animEnd - m_animStart);
        SCROLLINFO h, v;
        GetScrollInfo(SB_HORZ, &h, SIF_ALL);
        GetScrollInfo(SB_VERT, &v, SIF_ALL);
        const int x = std::clamp(AnimationPosition(m_animFrom.x, m_animTo.x, t, duration), 0,
                                 MaxScrollPos(h.nMax, int(h.nPage)));
        const int y = std::clamp(AnimationPosition(m_animFrom.y, m_animTo.y, t, duration), 0,
                                 MaxScrollPos(v.nMax, int(v.nPage)));
        if (x != m_scroll.x || y != m_scroll.y) {
            ScrollTo(x, y);
            UpdateWindow();
        }
        if (t >= duration)
            StopAnimation();
        return;
    }
    if (id == kMediaHoverTimer) {
        if (GetWindowUnderMouse() != this) {
            KillTimer(kMediaHoverTimer);
            m_hoverTimer = 0;
            ClearHot();
        }
        return;
    }
    CWnd::OnTimer(id);
}

// ---- Links, modes and notices -----------------------------------------------------------------

bool CMePictureWnd::SelectLink(const CMeLinkEntry* entry, bool animate)
{
    const CMeLinkEntry next = entry ? *entry : CMeLinkEntry();
    if (next == m_link)
        return false;
    // Another link turns the tool off; the same link with its frame changed keeps it.
    const bool sameLink =
        (next.note || next.link) && next.note == m_link.note && next.link == m_link.link;
    if (m_view && !sameLink)
        m_view->SetToolMode(kToolNone, false);
    if (m_link.HasFrame()) {
        CRect old = ToClient(m_link.frame);
        old.InflateRect(6, 6);
        InvalidateRect(&old, FALSE);
    }
    m_link = next;
    if (m_link.HasFrame() && GetSafeHwnd()) {
        CRect now = ToClient(m_link.frame);
        now.InflateRect(6, 6);
        InvalidateRect(&now, FALSE);
        ScrollFrameIntoView(m_link.frame, animate);
    }
    return true;
}

void CMePictureWnd::SetPictureMode(int oldMode, int newMode)
{
    if (!GetSafeHwnd())
        return;
    if (oldMode == kToolSelectFrame && m_link.HasFrame()) {
        CRect area = ToClient(m_link.frame);
        area.InflateRect(6, 6);
        InvalidateRect(&area, FALSE);
    }
    ClearHot();
    if (m_link.HasFrame())
        Invalidate(FALSE);
    SetWindowCursor(newMode == kToolNewFrame || newMode == kToolAddFrame
                        ? LoadStandardCursor(IDC_CROSS)
                        : nullptr);
}

void CMePictureWnd::OnDocumentUpdate(CView*, LPARAM, CObject*)
{
    Invalidate();
}

void CMePictureWnd::ClearHot()
{
    if (m_hot.IsRectEmpty())
        return;

    CRect area = ToClient(m_hot);
    area.InflateRect(1, 1);
    m_hot.SetRectEmpty();
    if (GetSafeHwnd())
        InvalidateRect(&area, FALSE);
}

bool CMePictureWnd::CanPerformAction() const
{
    return m_item && (m_item->GetKind() == MEDIA_KIND_OLE || m_item->GetKind() == MEDIA_KIND_OTHER);
}

void CMePictureWnd::OnMediaAction()
{
    if (!m_item)
        return;
    if (m_item->GetKind() == MEDIA_KIND_OLE) {
        MessageBox(kOleUnavailableText, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (m_item->GetKind() != MEDIA_KIND_OTHER)
        return;
    std::string path;
    if (!m_item->GetEmbeddedFile(path)) {
        const std::string stored = m_item->GetFilePath();
        if (stored.empty())
            return;
        path = LinkedFileLocation(stored);
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        MessageBox("The file \"" + path + "\" cannot be found.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (const ShellOpenOutcome opened = ShellOpenFile("open", path); !opened)
        MessageBox(opened.failure, MB_OK | MB_ICONSTOP);
}

// ---- Painting ---------------------------------------------------------------------------------

BOOL CMePictureWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CMePictureWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    if (!m_item)
        return;
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(2 - m_scroll.x, kCaptionGap - m_scroll.y, GetDisplayText());
    PaintObject(dc);
    if (!IsPicture())
        return;
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    if (m_link.HasFrame() && !(ToolMode() == kToolSelectFrame && m_tracker.IsTracking())) {
        if (ToolMode() == kToolSelectFrame) {
            CRectTracker tracker(ToClient(m_link.frame),
                                 CRectTracker::solidLine | CRectTracker::resizeInside);
            tracker.Draw(&dc);
        } else {
            CPen pen(PS_SOLID, 1, kFrameColour);
            CPen* old = dc.SelectObject(&pen);
            const CRect frame = ToClient(m_link.frame);
            dc.Rectangle(&frame);
            dc.SelectObject(old);
        }
    }
    if (!m_hot.IsRectEmpty()) {
        CPen dotted(PS_DOT, 1, RGB(0, 0, 0));
        CPen* old = dc.SelectObject(&dotted);
        const CRect hot = ToClient(m_hot);
        dc.Rectangle(&hot);
        dc.SelectObject(old);
    }
    if (m_banding || m_tracker.IsTracking()) {
        CRectTracker shown(m_tracker.m_rect,
                           m_banding ? CRectTracker::dottedLine
                                     : CRectTracker::solidLine | CRectTracker::resizeInside);
        shown.Draw(&dc);
    }
    dc.SelectObject(oldBrush);
}

void CMePictureWnd::PaintObject(CDC& dc)
{
    IMediaContent* content = m_item->GetLoadedContent();
    switch (m_item->GetKind()) {
    case MEDIA_KIND_PICTURE:
        if (content) {
            // Only the part in view is drawn: a picture may be far larger than the window.
            CRect client;
            GetClientRect(&client);
            CRect source;
            if (source.IntersectRect(ToPicture(client), CRect(0, 0, m_size.cx, m_size.cy)))
                content->Draw(dc, ToClient(source), &source);
        }
        break;
    case MEDIA_KIND_OLE:
        if (content)
            content->Draw(dc, ToClient(CRect(0, 0, m_size.cx, m_size.cy)), nullptr);
        break;
    case MEDIA_KIND_OTHER:
        PaintOtherFile(dc);
        break;
    default:
        break;
    }
}

void CMePictureWnd::PaintOtherFile(CDC& dc)
{
    const std::string path = m_item->GetFilePath();
    if (path.empty() && !m_item->IsEmbedded())
        return;
    DrawFileTypeIcon(dc, CPoint(8 - m_scroll.x, m_top + 8 - m_scroll.y), *m_item);
}
