// tests/platform/ui/windows/recording_wnd.h: a window for tests that records the handlers called,
// with their arguments, and can be told to keep some messages from Default().
#pragma once

#include "platform/base/clock.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/wnd.h"

#include <string>
#include <utility>
#include <vector>

namespace test_windows {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

/// A window that records the handlers called, with their arguments, and can be told to
/// handle some messages without Default().
class RecordingWnd : public CWnd {
public:
    std::vector<std::string> calls;
    bool keepRightButton = false;
    bool keepWheel = true;
    bool keepContextMenu = true;
    int createResult = 0;
    COLORREF paintColour = kRed;
    CRect lastPaintBox;
    std::vector<std::string>* shared = nullptr; // the same record for several windows

    BOOL CreateChild(CWnd* parent, const CRect& rect, UINT id = 7)
    {
        return Create(nullptr, "child", WS_CHILD | WS_VISIBLE, rect, parent, id);
    }
    BOOL CreateTop(const CRect& rect)
    {
        return Create(nullptr, "top", WS_POPUP | WS_VISIBLE, rect, nullptr, 0);
    }
    std::vector<std::string> Take() { return std::exchange(calls, {}); }

protected:
    void Note(const std::string& call)
    {
        calls.push_back(call);
        if (shared)
            shared->push_back(GetNameForLog() + call);
    }
    std::string GetNameForLog() const { return m_name + ":"; }

    int OnCreate(CREATESTRUCT* cs) override
    {
        Note("Create " + std::to_string(cs->cx) + "x" + std::to_string(cs->cy));
        return createResult;
    }
    void OnDestroy() override { Note("Destroy"); }
    void PostNcDestroy() override { Note("PostNcDestroy"); }
    void OnSize(UINT, int cx, int cy) override
    {
        Note("Size " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    BOOL OnEraseBkgnd(CDC* dc) override
    {
        Note("Erase");
        return CWnd::OnEraseBkgnd(dc);
    }
    void OnPaint() override
    {
        CPaintDC dc(this);
        dc.GetClipBox(&lastPaintBox);
        Note("Paint");
        CBrush brush(paintColour);
        CRect client;
        GetClientRect(&client);
        client.DeflateRect(2, 2);
        dc.FillRect(&client, &brush);
    }
    void OnLButtonDown(UINT flags, CPoint p) override { Mouse("LDown", flags, p); }
    void OnLButtonUp(UINT flags, CPoint p) override { Mouse("LUp", flags, p); }
    void OnLButtonDblClk(UINT flags, CPoint p) override { Mouse("LDbl", flags, p); }
    void OnRButtonDown(UINT flags, CPoint p) override { Mouse("RDown", flags, p); }
    void OnRButtonUp(UINT flags, CPoint p) override
    {
        Mouse("RUp", flags, p);
        if (!keepRightButton)
            Default();
    }
    void OnMButtonDown(UINT flags, CPoint p) override { Mouse("MDown", flags, p); }
    void OnMButtonDblClk(UINT flags, CPoint p) override { Mouse("MDbl", flags, p); }
    void OnMouseMove(UINT flags, CPoint p) override { Mouse("Move", flags, p); }
    BOOL OnMouseWheel(UINT flags, short delta, CPoint p) override
    {
        Note("Wheel " + std::to_string(delta) + " " + std::to_string(flags) + " " + Point(p));
        return keepWheel ? TRUE : CWnd::OnMouseWheel(flags, delta, p);
    }
    void OnKeyDown(UINT vk, UINT repeat, UINT) override
    {
        Note("KeyDown " + std::to_string(vk) + " " + std::to_string(repeat) +
             (GetKeyState(VK_SHIFT) < 0 ? " shift" : ""));
    }
    void OnKeyUp(UINT vk, UINT, UINT flags) override
    {
        Note("KeyUp " + std::to_string(vk) + ((flags & KF_UP) ? " up" : ""));
    }
    void OnChar(UINT c, UINT, UINT) override { Note("Char " + std::to_string(c)); }
    void OnTimer(UINT_PTR id) override
    {
        Note("Timer " + std::to_string(id) + " at " + std::to_string(GetTickCount() - m_timeBase));
    }
    void OnContextMenu(CWnd* wnd, CPoint p) override
    {
        Note(std::string("ContextMenu ") + (wnd == this ? "self " : "other ") + Point(p));
        if (!keepContextMenu)
            Default();
    }
    void OnEnable(BOOL enable) override { Note(enable ? "Enable" : "Disable"); }
    void OnSetFocus(CWnd* old) override { Note("SetFocus from " + NameOf(old)); }
    void OnKillFocus(CWnd* next) override { Note("KillFocus to " + NameOf(next)); }

public:
    std::string m_name = "w";
    DWORD m_timeBase = GetTickCount();

private:
    static std::string NameOf(CWnd* wnd)
    {
        auto* recording = dynamic_cast<RecordingWnd*>(wnd);
        return recording ? recording->m_name : "none";
    }
    static std::string Point(CPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
    void Mouse(const char* what, UINT flags, CPoint p)
    {
        Note(std::string(what) + " " + std::to_string(flags) + " " + Point(p));
    }
};

} // namespace test_windows
