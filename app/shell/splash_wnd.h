// app/shell/splash_wnd.h: the picture shown in the middle of the screen while the program starts.
#pragma once

#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/windows/wnd.h"

/// At most one splash shows. It closes after five seconds, at the first key or mouse button
/// pressed anywhere in the program (which that press does nothing else), or when asked; the
/// window object deletes itself when its window ends.
class CSplashWnd final : public CWnd {
public:
    /// Start-up enables it unless the command line or the preferences say otherwise.
    static void EnableSplashScreen(BOOL enable);
    /// Shows the splash, owned by parent, when it is enabled and none shows.
    static void ShowSplashScreen(CWnd* parent);
    /// The splash showing, or null.
    static CSplashWnd* GetSplashScreen();
    /// While a splash shows, a key or mouse button going down hides it and is consumed (TRUE);
    /// the application offers every message here before anything else sees it.
    static BOOL PreTranslateAppMessage(MSG* msg);

    /// Destroys the window and repaints the main window at once.
    void HideSplashScreen();

protected:
    int OnCreate(CREATESTRUCT* createStruct) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnTimer(UINT_PTR id) override;
    void PostNcDestroy() override;

private:
    CSplashWnd() = default;
    ~CSplashWnd() override;
    BOOL Create(CWnd* parent);

    CBitmap m_bitmap;
};
