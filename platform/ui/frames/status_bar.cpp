// platform/ui/frames/status_bar.cpp: the panes of a status bar: sizes from sizing texts, layout,
// painting and the update pass.
#include "platform/ui/frames/status_bar.h"

#include "platform/ui/detail/window_widget.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

namespace {

/// Space between the bar's edge and its panes, and between two panes.
constexpr int kEdge = 2;
constexpr int kGap = 2;
/// Each side of a pane: a one-pixel border and a margin before the text.
constexpr int kPaneBorder = 1;
constexpr int kPaneMargin = 2;
constexpr int kPaneExtra = 2 * (kPaneBorder + kPaneMargin);

/// Applies what an update handler sets to a pane.
class CStatusCmdUI final : public CCmdUI {
public:
    explicit CStatusCmdUI(CStatusBar& bar) : m_bar(bar) {}

    void Enable(BOOL on) override
    {
        CCmdUI::Enable(on);
        const UINT style = m_bar.GetPaneStyle(int(m_nIndex)) & ~SBPS_DISABLED;
        m_bar.SetPaneStyle(int(m_nIndex), on ? style : style | SBPS_DISABLED);
    }
    void SetCheck(int check) override
    {
        CCmdUI::SetCheck(check);
        const UINT style = m_bar.GetPaneStyle(int(m_nIndex)) & ~SBPS_POPOUT;
        m_bar.SetPaneStyle(int(m_nIndex), check ? style | SBPS_POPOUT : style);
    }
    void SetText(const std::string& text) override
    {
        CCmdUI::SetText(text);
        m_bar.SetPaneText(int(m_nIndex), text);
    }

private:
    CStatusBar& m_bar;
};

int BarHeight(CWnd& bar)
{
    CClientDC dc(&bar);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    TEXTMETRIC metrics;
    dc.GetTextMetrics(&metrics);
    return int(metrics.tmHeight) + 2 * (kEdge + kPaneBorder + kPaneMargin);
}

} // namespace

CStatusBar::CStatusBar() = default;
CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id)
{
    m_dwBarStyle = style & CBRS_ALL;
    CRect area;
    if (parent)
        parent->GetClientRect(&area);
    if (!CWnd::Create(nullptr, nullptr, (style & ~CBRS_ALL) | WS_CHILD, area, parent, id))
        return FALSE;
    const int height = BarHeight(*this);
    MoveWindow(0, std::max(0, int(area.bottom) - height), area.Width(), height);
    ui_detail::WidgetOf(this)->setFixedHeight(height);
    if (!(style & WS_VISIBLE))
        ShowWindow(SW_HIDE); // stays hidden when its frame shows
    JoinParentFrame();
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count)
{
    m_panes.clear();
    for (int i = 0; i < count; ++i) {
        Pane pane;
        pane.id = ids[i];
        if (pane.id == ID_SEPARATOR) {
            pane.width = GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0)
                pane.style = SBPS_STRETCH | SBPS_NOBORDERS;
        } else {
            if (!AppResources().LoadString(pane.id, pane.text))
                return FALSE;
            pane.width = GetTextWidth(pane.text);
        }
        m_panes.push_back(std::move(pane));
    }
    Invalidate();
    return TRUE;
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[std::size_t(i)].id == id)
            return i;
    return -1;
}

UINT CStatusBar::GetItemID(int index) const
{
    return ValidIndex(index) ? m_panes[std::size_t(index)].id : 0;
}

void CStatusBar::GetItemRect(int index, RECT* rect) const
{
    const std::vector<CRect> rects = Layout();
    *rect = ValidIndex(index) ? rects[std::size_t(index)] : CRect();
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const
{
    if (!ValidIndex(index))
        return;
    const Pane& pane = m_panes[std::size_t(index)];
    id = pane.id;
    style = pane.style;
    width = pane.width;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    if (!ValidIndex(index))
        return;
    Pane& pane = m_panes[std::size_t(index)];
    pane.id = id;
    pane.style = style;
    pane.width = std::max(0, width);
    Invalidate();
}

UINT CStatusBar::GetPaneStyle(int index) const
{
    return ValidIndex(index) ? m_panes[std::size_t(index)].style : 0;
}

void CStatusBar::SetPaneStyle(int index, UINT style)
{
    if (!ValidIndex(index) || m_panes[std::size_t(index)].style == style)
        return;
    const bool relayout =
        ((m_panes[std::size_t(index)].style ^ style) & (SBPS_STRETCH | SBPS_NOBORDERS)) != 0;
    m_panes[std::size_t(index)].style = style;
    if (relayout)
        Invalidate();
    else
        InvalidatePane(index);
}

std::string CStatusBar::GetPaneText(int index) const
{
    return ValidIndex(index) ? m_panes[std::size_t(index)].text : std::string();
}

BOOL CStatusBar::SetPaneText(int index, const std::string& text, BOOL update)
{
    if (!ValidIndex(index))
        return FALSE;
    Pane& pane = m_panes[std::size_t(index)];
    if (pane.text == text)
        return TRUE;
    pane.text = text;
    if ((pane.style & SBPS_STRETCH) == 0) {
        // A count of a million people is longer than the sizing text: the pane grows to show
        // it whole rather than cut its last digit (and keeps the width, so it does not jump).
        const int width = GetTextWidth(text);
        if (width > pane.width) {
            pane.width = width;
            Invalidate();
            return TRUE;
        }
    }
    if (update)
        InvalidatePane(index);
    return TRUE;
}

int CStatusBar::GetTextWidth(const std::string& text) const
{
    if (!GetSafeHwnd())
        return 0;
    CClientDC dc(const_cast<CStatusBar*>(this));
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    return int(dc.GetTextExtent(text).cx);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL /*disableIfNoHandler*/)
{
    CStatusCmdUI state(*this);
    for (int i = 0; i < GetCount(); ++i) {
        state.m_nID = m_panes[std::size_t(i)].id;
        state.m_nIndex = UINT(i);
        // The bar's own update handlers come first; a pane nobody updates keeps its state.
        if (state.m_nID != ID_SEPARATOR &&
            !CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            state.DoUpdate(target, FALSE);
    }
}

std::vector<CRect> CStatusBar::Layout() const
{
    CRect client;
    GetClientRect(&client);
    int fixed = 2 * kEdge;
    for (const Pane& pane : m_panes)
        fixed += pane.width + kPaneExtra + kGap;
    const int spare = std::max(0, int(client.Width()) - fixed + kGap);
    std::vector<CRect> rects;
    int x = kEdge;
    bool stretched = false;
    for (const Pane& pane : m_panes) {
        int width = pane.width + kPaneExtra;
        if ((pane.style & SBPS_STRETCH) && !stretched) {
            width += spare;
            stretched = true;
        }
        rects.emplace_back(x, kEdge, x + width, std::max(int(client.bottom) - kEdge, kEdge));
        x += width + kGap;
    }
    return rects;
}

void CStatusBar::InvalidatePane(int index)
{
    CRect rect;
    GetItemRect(index, &rect);
    InvalidateRect(&rect, TRUE);
}

BOOL CStatusBar::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CStatusBar::OnPaint()
{
    CPaintDC dc(this);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    const std::vector<CRect> rects = Layout();
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        const Pane& pane = m_panes[i];
        CRect rect = rects[i];
        dc.FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
        if (!(pane.style & SBPS_NOBORDERS)) {
            const bool out = (pane.style & SBPS_POPOUT) != 0;
            dc.Draw3dRect(&rect, GetSysColor(out ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW),
                          GetSysColor(out ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
        }
        if (pane.style & SBPS_DISABLED)
            continue;
        rect.DeflateRect(kPaneBorder + kPaneMargin, kPaneBorder);
        dc.DrawText(pane.text, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void CStatusBar::OnSize(UINT type, int cx, int cy)
{
    CControlBar::OnSize(type, cx, cy);
    Invalidate();
}
