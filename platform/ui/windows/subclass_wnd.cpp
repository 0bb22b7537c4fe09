// platform/ui/windows/subclass_wnd.cpp: the chains of window hooks, the broadcast of desktop
// changes to top-level windows and of printer changes to every window.
#include "platform/ui/windows/subclass_wnd.h"

#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/message.h"
#include "platform/ui/windows/wnd.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <vector>

CSubclassWnd::~CSubclassWnd()
{
    HookWindow(nullptr);
}

BOOL CSubclassWnd::HookWindow(CWnd* wnd)
{
    if (m_wnd)
        CSubclassWndMap::Get().Remove(*this);
    if (!wnd)
        return TRUE;
    if (!wnd->GetSafeHwnd())
        return FALSE;
    CSubclassWndMap::Get().Add(*wnd, *this);
    return TRUE;
}

LRESULT CSubclassWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_next)
        return m_next->WindowProc(message, wParam, lParam);
    return m_wnd ? ui_detail::WndBridge::CallWindowProc(*m_wnd, message, wParam, lParam) : 0;
}

CSubclassWndMap& CSubclassWndMap::Get()
{
    static CSubclassWndMap map;
    return map;
}

void CSubclassWndMap::Add(CWnd& wnd, CSubclassWnd& hook)
{
    CSubclassWnd*& first = m_first[&wnd];
    hook.m_wnd = &wnd;
    hook.m_next = first;
    first = &hook;
}

void CSubclassWndMap::Remove(CSubclassWnd& hook)
{
    const auto found = m_first.find(hook.m_wnd);
    if (found != m_first.end()) {
        if (found->second == &hook) {
            if (hook.m_next)
                found->second = hook.m_next;
            else
                m_first.erase(found);
        } else {
            for (CSubclassWnd* link = found->second; link; link = link->m_next) {
                if (link->m_next == &hook) {
                    link->m_next = hook.m_next;
                    break;
                }
            }
        }
    }
    hook.m_wnd = nullptr;
    hook.m_next = nullptr;
}

void CSubclassWndMap::RemoveAll(const CWnd& wnd)
{
    const auto found = m_first.find(&wnd);
    if (found == m_first.end())
        return;
    CSubclassWnd* hook = found->second;
    m_first.erase(found);
    while (hook) {
        CSubclassWnd* next = hook->m_next;
        hook->m_wnd = nullptr;
        hook->m_next = nullptr;
        hook = next;
    }
}

CSubclassWnd* CSubclassWndMap::Lookup(const CWnd& wnd) const
{
    const auto found = m_first.find(&wnd);
    return found == m_first.end() ? nullptr : found->second;
}

LRESULT CSubclassWndMap::Dispatch(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CSubclassWnd* first = m_first.empty() ? nullptr : Lookup(wnd);
    if (first && message == WM_NCDESTROY)
        RemoveAll(wnd);
    else if (first)
        return first->WindowProc(message, wParam, lParam);
    return ui_detail::WndBridge::CallWindowProc(wnd, message, wParam, lParam);
}

void BroadcastSystemChange(UINT message)
{
    std::vector<QPointer<QWidget>> tops;
    for (QWidget* top : QApplication::topLevelWidgets())
        tops.emplace_back(top);
    for (const QPointer<QWidget>& top : tops)
        if (CWnd* wnd = top ? ui_detail::WndFromWidget(top) : nullptr)
            wnd->SendMessage(message, 0, 0);
}

void BroadcastPrinterChange()
{
    // Every window is listed first: a window that ends meanwhile is passed over.
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        windows.emplace_back(top);
        for (QWidget* inside : top->findChildren<QWidget*>())
            windows.emplace_back(inside);
    }
    for (const QPointer<QWidget>& widget : windows)
        if (CWnd* wnd = widget ? ui_detail::WndFromWidget(widget) : nullptr)
            wnd->SendMessage(WM_DEVMODECHANGE, 0, 0);
}
