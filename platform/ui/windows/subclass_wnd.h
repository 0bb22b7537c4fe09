// platform/ui/windows/subclass_wnd.h: hooks that see a window's messages before the window does,
// several per window, the latest first.
#pragma once

#include "platform/base/types.h"

#include <unordered_map>

class CWnd;

/// A hook on one window: each message meant for the window comes to WindowProc first. Hooks of
/// one window form a chain, the most recently added first; the window's own handling comes
/// last. A hook leaves its window when it is unhooked, when it is destroyed, and when the
/// window ends (at WM_NCDESTROY, which then goes straight to the window).
class CSubclassWnd {
public:
    CSubclassWnd() = default;
    virtual ~CSubclassWnd();
    CSubclassWnd(const CSubclassWnd&) = delete;
    CSubclassWnd& operator=(const CSubclassWnd&) = delete;

    /// Hooks wnd, leaving the window hooked before; null only unhooks. FALSE when wnd has no
    /// window.
    BOOL HookWindow(CWnd* wnd);
    CWnd* GetHookedWindow() const { return m_wnd; }

    /// Passes the message on: to the next hook of the window, or to the window itself.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class CSubclassWndMap;
    CWnd* m_wnd = nullptr;
    CSubclassWnd* m_next = nullptr;
};

/// The program's one map from each hooked window to its first hook.
class CSubclassWndMap {
public:
    static CSubclassWndMap& Get();

    void Add(CWnd& wnd, CSubclassWnd& hook);
    void Remove(CSubclassWnd& hook);
    /// Unhooks every hook of the window.
    void RemoveAll(const CWnd& wnd);
    CSubclassWnd* Lookup(const CWnd& wnd) const;

    /// Runs a message through the window's hooks and then the window; WM_NCDESTROY unhooks
    /// them all first and goes to the window alone.
    LRESULT Dispatch(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    std::unordered_map<const CWnd*, CSubclassWnd*> m_first;
};

/// Sends message (WM_SYSCOLORCHANGE or WM_SETTINGCHANGE) to every top-level window, as the
/// desktop does when its colours or settings change.
void BroadcastSystemChange(UINT message);

/// Sends WM_DEVMODECHANGE to every window, top-level windows first and then the windows inside
/// each, as CWinApp::DoPrintDialog does once the user confirmed new printer settings: a window
/// laid out for the printer's page measures it again.
void BroadcastPrinterChange();
