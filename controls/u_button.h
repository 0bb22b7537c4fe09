// controls/u_button.h: a small push button drawn from a bitmap strip, which can latch down and
// switch between two bitmaps, and tells a listener when it is pressed and clicked.
#pragma once

#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/windows/wnd.h"

class CUButton;

class CUButtonListener {
public:
    virtual ~CUButtonListener() = default;
    virtual void OnButtonPressed(CUButton* /*button*/) {}
    virtual void OnButtonClicked(CUButton* /*button*/) {}
};

/// A bitmap strip holds frames side by side: the picture, then its mask (white where the
/// picture shows); with four frames, the disabled picture and its mask follow.
class CUButton : public CWnd {
public:
    static constexpr int kNormal = 0, kPressed = 1, kLatched = 2, kDisabled = 3;
    /// CreateButton's flags: the button stays down until it is clicked again.
    static constexpr DWORD kLatchable = 0x1;

    CUButton();
    ~CUButton() override;

    /// secondBitmapId 0: no alternate bitmap. False without a parent or when a bitmap cannot
    /// be loaded.
    BOOL CreateButton(DWORD style, const RECT& rect, CWnd* parent, UINT id,
                      CUButtonListener* listener, int frameWidth, int frameHeight, UINT bitmapId,
                      int frameCount, DWORD flags, UINT secondBitmapId);
    void SetAlternateBitmap(bool useSecond, bool repaint, bool updateNow);
    /// Only for latchable buttons.
    void SetLatched(bool latched);
    int GetState() const { return m_state; }

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    /// The picture is centred and the frame follows the edges: a new size repaints it all.
    void OnSize(UINT type, int cx, int cy) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnEnable(BOOL enable) override;

private:
    bool LoadStrip(CBitmap& strip, UINT id);
    void DrawButton(CDC& dc);
    /// Pressed while the point is inside, normal outside; a latched button stays latched.
    void UpdateState(CPoint point);
    void Repaint();

    CBitmap m_first;
    CBitmap m_second;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    int m_frames = 0;
    int m_state = kNormal;
    bool m_tracking = false;
    bool m_latchable = false;
    bool m_useAlternate = false;
    CUButtonListener* m_listener = nullptr;
};
