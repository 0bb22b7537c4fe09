// app/shell/splash_wnd.cpp: the start-up picture.
#include "app/shell/splash_wnd.h"

#include "platform/base/prompt.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/sys_metrics.h"

namespace {

constexpr UINT kSplashBitmap = 332;
constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kShowMs = 5000;

// Presses on a window's frame and title bar.
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1, WM_NCRBUTTONDOWN = 0x00A4, WM_NCMBUTTONDOWN = 0x00A7;

BOOL g_enabled = FALSE;
CSplashWnd* g_shown = nullptr;

bool ClosesSplash(UINT message)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

} // namespace

CSplashWnd::~CSplashWnd()
{
    if (g_shown == this) {
        g_shown = nullptr;
        SetModalStartHandler({});
    }
}

void CSplashWnd::EnableSplashScreen(BOOL enable)
{
    g_enabled = enable;
}

void CSplashWnd::ShowSplashScreen(CWnd* parent)
{
    if (!g_enabled || g_shown)
        return;
    auto* splash = new CSplashWnd;
    if (!splash->Create(parent)) {
        delete splash;
        return;
    }
    g_shown = splash;
    // A question asked while the picture shows (a file named on the command line that brings
    // one up) takes its place: the picture would stand behind the box, and the first press on
    // the box would only close the picture.
    SetModalStartHandler([] {
        if (g_shown)
            g_shown->HideSplashScreen();
    });
    splash->UpdateWindow();
}

CSplashWnd* CSplashWnd::GetSplashScreen()
{
    return g_shown;
}

BOOL CSplashWnd::PreTranslateAppMessage(MSG* msg)
{
    if (!g_shown || !msg || !ClosesSplash(msg->message))
        return FALSE;
    g_shown->HideSplashScreen();
    return TRUE;
}

void CSplashWnd::HideSplashScreen()
{
    DestroyWindow();
    if (CWnd* main = AfxGetMainWnd())
        main->UpdateWindow();
}

BOOL CSplashWnd::Create(CWnd* parent)
{
    if (!m_bitmap.LoadBitmap(kSplashBitmap))
        return FALSE;
    BITMAP info;
    m_bitmap.GetBitmap(&info);
    const CRect rect(0, 0, info.bmWidth, info.bmHeight);
    return CreateEx(0, "AvSplash", "", WS_POPUP | WS_VISIBLE, rect, parent, 0);
}

int CSplashWnd::OnCreate(CREATESTRUCT* createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - createStruct->cx) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - createStruct->cy) / 2;
    MoveWindow(x, y, createStruct->cx, createStruct->cy);
    SetTimer(kCloseTimer, kShowMs);
    return 0;
}

BOOL CSplashWnd::OnEraseBkgnd(CDC* /*dc*/)
{
    return TRUE;
}

void CSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc))
        return;
    BITMAP info;
    m_bitmap.GetBitmap(&info);
    CBitmap* old = memory.SelectObject(&m_bitmap);
    dc.BitBlt(0, 0, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CSplashWnd::OnTimer(UINT_PTR id)
{
    if (id == kCloseTimer)
        HideSplashScreen();
}

void CSplashWnd::PostNcDestroy()
{
    delete this;
}
