// controls/u_button.cpp: the bitmap push button: its strips, drawing, mouse tracking and latch.
#include "controls/u_button.h"

#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/windows/sys_metrics.h"

CUButton::CUButton() = default;

CUButton::~CUButton()
{
    if (GetSafeHwnd() && GetCapture() == this)
        ReleaseCapture();
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CUButton::CreateButton(DWORD style, const RECT& rect, CWnd* parent, UINT id,
                            CUButtonListener* listener, int frameWidth, int frameHeight,
                            UINT bitmapId, int frameCount, DWORD flags, UINT secondBitmapId)
{
    if (!parent || GetSafeHwnd())
        return FALSE;
    if (!CreateEx(0, nullptr, "UButton", style, rect, parent, id))
        return FALSE;
    m_frameWidth = frameWidth;
    m_frameHeight = frameHeight;
    m_frames = frameCount;
    if (!LoadStrip(m_first, bitmapId) || (secondBitmapId && !LoadStrip(m_second, secondBitmapId))) {
        DestroyWindow();
        return FALSE;
    }
    m_listener = listener;
    m_latchable = flags & kLatchable;
    return TRUE;
}

bool CUButton::LoadStrip(CBitmap& strip, UINT id)
{
    if (!strip.LoadBitmap(id))
        return false;
    // Each mask is merged into its picture once, so the picture is white where it is clear
    // and drawing needs only two copies.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&strip);
    for (int picture = 0; picture + 1 < m_frames; picture += 2)
        dc.BitBlt(picture * m_frameWidth, 0, m_frameWidth, m_frameHeight, &dc,
                  (picture + 1) * m_frameWidth, 0, MERGEPAINT);
    return true;
}

void CUButton::SetAlternateBitmap(bool useSecond, bool repaint, bool updateNow)
{
    m_useAlternate = useSecond;
    if (!repaint)
        return;
    Invalidate();
    if (updateNow)
        UpdateWindow();
}

void CUButton::SetLatched(bool latched)
{
    if (!m_latchable)
        return;
    if (latched && m_state != kLatched) {
        m_state = kLatched;
        Repaint();
    } else if (!latched && m_state == kLatched) {
        m_state = kNormal;
        Repaint();
    }
}

void CUButton::Repaint()
{
    Invalidate();
    UpdateWindow();
}

BOOL CUButton::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_3DFACE));
    if (m_state != kLatched)
        return TRUE;
    // The latched look: a checkerboard of single pixels in the highlight colour.
    CPen dots(PS_DOT, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    dc->SelectObject(&dots);
    dc->SetBkMode(TRANSPARENT);
    for (int y = 0; y < client.Height(); ++y) {
        dc->MoveTo(y % 2, y);
        dc->LineTo(client.Width(), y);
    }
    return TRUE;
}

void CUButton::OnPaint()
{
    CPaintDC dc(this);
    if (!CRect(dc.m_ps.rcPaint).IsRectEmpty())
        DrawButton(dc);
}

void CUButton::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    Invalidate();
}

void CUButton::DrawButton(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    const int right = client.right - 1, bottom = client.bottom - 1;
    const bool down = m_state == kPressed || m_state == kLatched;
    const int x = (right - m_frameWidth + 1) / 2 + (down ? 1 : 0);
    const int y = (bottom - m_frameHeight + 1) / 2 + (down ? 1 : 0);
    const int picture = m_state == kDisabled && m_frames >= 4 ? 2 : 0;
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    memory.SelectObject(m_useAlternate && m_second.GetSafeHandle() ? &m_second : &m_first);
    dc.BitBlt(x, y, m_frameWidth, m_frameHeight, &memory, (picture + 1) * m_frameWidth, 0,
              SRCPAINT);
    dc.BitBlt(x, y, m_frameWidth, m_frameHeight, &memory, picture * m_frameWidth, 0, SRCAND);

    CPen frame(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME));
    CPen highlight(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen shadow(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    if (down) {
        dc.SelectObject(&shadow);
        dc.SelectStockObject(NULL_BRUSH);
        dc.Rectangle(0, 0, right + 1, bottom + 1);
        return;
    }
    dc.SelectObject(&frame);
    dc.MoveTo(0, bottom);
    dc.LineTo(right, bottom);
    dc.LineTo(right, -1);
    dc.SelectObject(&highlight);
    dc.MoveTo(0, bottom - 1);
    dc.LineTo(0, 0);
    dc.LineTo(right, 0);
    dc.SelectObject(&shadow);
    dc.MoveTo(1, bottom - 1);
    dc.LineTo(right - 1, bottom - 1);
    dc.LineTo(right - 1, 0);
}

void CUButton::UpdateState(CPoint point)
{
    if (m_state == kLatched)
        return;
    CRect client;
    GetClientRect(&client);
    const int state = client.PtInRect(point) ? kPressed : kNormal;
    if (state == m_state)
        return;
    m_state = state;
    Repaint();
}

void CUButton::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    if (m_state == kDisabled || m_state == kPressed || m_tracking || GetCapture())
        return;
    SetCapture();
    m_tracking = true;
    UpdateState(point);
    if (m_listener)
        m_listener->OnButtonPressed(this);
}

void CUButton::OnMouseMove(UINT /*flags*/, CPoint point)
{
    if (m_tracking)
        UpdateState(point);
}

void CUButton::OnLButtonUp(UINT /*flags*/, CPoint /*point*/)
{
    if (!m_tracking || m_state == kDisabled)
        return;
    ReleaseCapture();
    m_tracking = false;
    if (m_state == kNormal)
        return;
    m_state = m_state == kPressed && m_latchable ? kLatched : kNormal;
    Repaint();
    if (m_listener)
        m_listener->OnButtonClicked(this);
}

void CUButton::OnEnable(BOOL enable)
{
    if (enable) {
        m_state = kNormal;
    } else {
        m_tracking = false;
        if (GetCapture() == this)
            ReleaseCapture();
        m_state = kDisabled;
    }
    Repaint();
}
