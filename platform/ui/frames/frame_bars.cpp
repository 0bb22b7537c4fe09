// platform/ui/frames/frame_bars.cpp: a frame's control bars: where toolbars dock, floating them in
// a window of their own and docking them back, and status bars stacked under the client area.
#include "platform/ui/frames/frame_wnd.h"

#include "platform/ui/detail/widget_windows.h"

#include <QLayout>

#include <algorithm>

namespace {

QToolBar* ToolBarOf(const CWnd* bar)
{
    return qobject_cast<QToolBar*>(ui_detail::WidgetOf(bar));
}

QMainWindow* MainWindowOf(const CWnd* frame)
{
    return qobject_cast<QMainWindow*>(ui_detail::WidgetOf(frame));
}

Qt::ToolBarArea AreaOfAlignment(DWORD align)
{
    if (align & CBRS_ALIGN_TOP)
        return Qt::TopToolBarArea;
    if (align & CBRS_ALIGN_BOTTOM)
        return Qt::BottomToolBarArea;
    if (align & CBRS_ALIGN_LEFT)
        return Qt::LeftToolBarArea;
    if (align & CBRS_ALIGN_RIGHT)
        return Qt::RightToolBarArea;
    return Qt::TopToolBarArea;
}

DWORD AlignmentOfArea(Qt::ToolBarArea area)
{
    switch (area) {
    case Qt::BottomToolBarArea:
        return CBRS_ALIGN_BOTTOM;
    case Qt::LeftToolBarArea:
        return CBRS_ALIGN_LEFT;
    case Qt::RightToolBarArea:
        return CBRS_ALIGN_RIGHT;
    default:
        return CBRS_ALIGN_TOP;
    }
}

Qt::ToolBarAreas AreasOfAlignment(DWORD align)
{
    Qt::ToolBarAreas areas;
    for (const DWORD side : {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT})
        if (align & side)
            areas |= AreaOfAlignment(side);
    return areas;
}

DWORD AlignmentOfDockBar(UINT dockBarId)
{
    switch (dockBarId) {
    case AFX_IDW_DOCKBAR_TOP:
        return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT:
        return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT:
        return CBRS_ALIGN_RIGHT;
    default:
        return 0;
    }
}

/// The edge of the frame's window that a rectangle (screen) lies on: a bar taller than wide
/// goes to the nearer side edge, others to the nearer of top and bottom.
DWORD AlignmentOfRect(const QMainWindow* window, const RECT& rect)
{
    const QRect area(window->mapToGlobal(QPoint(0, 0)), window->size());
    const QPoint centre((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    if (rect.bottom - rect.top > rect.right - rect.left)
        return centre.x() < area.center().x() ? CBRS_ALIGN_LEFT : CBRS_ALIGN_RIGHT;
    return centre.y() < area.center().y() ? CBRS_ALIGN_TOP : CBRS_ALIGN_BOTTOM;
}

} // namespace

void CFrameWnd::AddControlBar(CControlBar* bar)
{
    if (std::find(m_bars.begin(), m_bars.end(), bar) != m_bars.end())
        return;
    m_bars.push_back(bar);
    QMainWindow* window = MainWindowOf(this);
    if (!window)
        return;
    if (ToolBarOf(bar))
        DockToolBar(bar, bar->GetBarStyle() & CBRS_ALIGN_ANY, nullptr);
    else if (QWidget* widget = ui_detail::WidgetOf(bar))
        ui_detail::BodyOf(window)->AddBottomBar(widget);
}

void CFrameWnd::RemoveControlBar(CControlBar* bar)
{
    m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), bar), m_bars.end());
    if (m_flyByBar == bar)
        m_flyByBar = nullptr;
}

CControlBar* CFrameWnd::GetControlBar(UINT id) const
{
    for (CControlBar* bar : m_bars)
        if (UINT(bar->GetDlgCtrlID()) == id)
            return bar;
    return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dockStyle)
{
    m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY;
    for (CControlBar* bar : m_bars)
        ApplyDocking(bar);
}

void CFrameWnd::ApplyDocking(CControlBar* bar)
{
    QToolBar* toolBar = ToolBarOf(bar);
    if (!toolBar)
        return;
    const DWORD allowed = bar->GetEnabledAlignment() & m_dwDockStyle;
    toolBar->setAllowedAreas(AreasOfAlignment(allowed));
    toolBar->setMovable(allowed != 0);
    toolBar->setFloatable(allowed != 0);
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, const RECT* rect)
{
    QMainWindow* window = MainWindowOf(this);
    if (!window || !ToolBarOf(bar))
        return;
    DWORD align = AlignmentOfDockBar(dockBarId);
    if (!align && rect)
        align = AlignmentOfRect(window, *rect);
    if (!align)
        align = bar->GetBarStyle() & CBRS_ALIGN_ANY;
    DockToolBar(bar, align, rect);
}

void CFrameWnd::DockToolBar(CControlBar* bar, DWORD align, const RECT* rect)
{
    QMainWindow* window = MainWindowOf(this);
    QToolBar* toolBar = ToolBarOf(bar);
    const Qt::ToolBarArea area = AreaOfAlignment(align);
    auto* floatWindow = dynamic_cast<ui_detail::FloatWindow*>(toolBar->parentWidget());
    const bool visible =
        floatWindow ? !floatWindow->isHidden() && !toolBar->isHidden() : !toolBar->isHidden();
    if (floatWindow) {
        toolBar->setParent(window);
        floatWindow->hide();
        floatWindow->deleteLater();
    } else if (window->toolBarArea(toolBar) != Qt::NoToolBarArea) {
        window->removeToolBar(toolBar);
    }
    // Bars on an edge keep the order of their positions along it.
    const bool vertical = (align & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
    QToolBar* before = nullptr;
    if (rect) {
        int bestPlace = 0;
        for (CControlBar* other : m_bars) {
            QToolBar* otherBar = ToolBarOf(other);
            if (!otherBar || otherBar == toolBar || otherBar->parentWidget() != window ||
                window->toolBarArea(otherBar) != area)
                continue;
            const QPoint at = otherBar->mapToGlobal(QPoint(0, 0));
            const int place = vertical ? at.y() : at.x();
            if (place > (vertical ? rect->top : rect->left) && (!before || place < bestPlace)) {
                before = otherBar;
                bestPlace = place;
            }
        }
    }
    toolBar->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
    if (before)
        window->insertToolBar(before, toolBar);
    else
        window->addToolBar(area, toolBar);
    toolBar->setVisible(visible);
    bar->SetBarStyle((bar->GetBarStyle() & ~CBRS_ALIGN_ANY) | AlignmentOfArea(area));
    ApplyDocking(bar);
}

void CFrameWnd::FloatControlBar(CControlBar* bar, CPoint point, DWORD style)
{
    QMainWindow* window = MainWindowOf(this);
    QToolBar* toolBar = ToolBarOf(bar);
    if (!window || !toolBar)
        return;
    auto* floatWindow = dynamic_cast<ui_detail::FloatWindow*>(toolBar->parentWidget());
    if (!floatWindow) {
        const bool visible = !toolBar->isHidden();
        if (window->toolBarArea(toolBar) != Qt::NoToolBarArea)
            window->removeToolBar(toolBar);
        toolBar->setOrientation((style & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? Qt::Vertical
                                                                               : Qt::Horizontal);
        floatWindow = new ui_detail::FloatWindow(window, toolBar);
        toolBar->show();
        floatWindow->setVisible(visible);
    }
    // The bar's own corner goes to the point, so a placement saved from the bar's window
    // rectangle comes back where it was.
    floatWindow->move(point.x, point.y);
    const QPoint corner = toolBar->mapToGlobal(QPoint(0, 0));
    floatWindow->move(QPoint(point.x, point.y) * 2 - corner);
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL /*delay*/)
{
    QWidget* widget = ui_detail::WidgetOf(bar);
    if (!widget)
        return;
    if (auto* floatWindow = dynamic_cast<ui_detail::FloatWindow*>(widget->parentWidget()))
        floatWindow->setVisible(show != FALSE);
    widget->setVisible(show != FALSE);
}

void CFrameWnd::RecalcLayout(BOOL /*notify*/)
{
    for (CControlBar* bar : m_bars)
        ApplyDocking(bar);
    QWidget* widget = ui_detail::WidgetOf(this);
    if (!widget)
        return;
    if (auto* window = qobject_cast<QMainWindow*>(widget); window && window->centralWidget())
        window->centralWidget()->layout()->activate();
    if (widget->layout())
        widget->layout()->activate();
}
