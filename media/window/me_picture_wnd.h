// media/window/me_picture_wnd.h: the window that shows the selected multimedia object: a picture
// at its own size with scroll bars and its frames, an OLE object's placeholder, or the icon of
// any other file; the picture tools draw, move and resize frames.
#pragma once

#include "media/window/link_entries.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/windows/rect_tracker.h"
#include "platform/ui/windows/wnd.h"

#include <memory>

class CMediaItem;
class CSubViewMedia;
class CView;

/// The object shown is locked while shown. Two timers: 907 moves an animated scroll along (it
/// ends on its target after 1000 ms of the clock, whatever the timer's rate), 908 ends the hover
/// highlight once the mouse has left. Drags are states of the window, fed by its mouse
/// messages under capture: the rubber band of a new frame, and the tracker's move or resize of
/// the selected frame.
class CMePictureWnd final : public CWnd {
public:
    CMePictureWnd();
    ~CMePictureWnd() override;

    BOOL Create(CWnd* parent, UINT id, CSubViewMedia* view);

    /// Shows the object (null: nothing), scrolled to the top left.
    void LoadDisplayPicture(CMediaItem* object);
    CMediaItem* GetItem() const { return m_item; }
    /// The picture tool changed from oldMode to newMode.
    void SetPictureMode(int oldMode, int newMode);
    /// Shows entry as the selected link (null: none), bringing its frame into view, animated
    /// when asked. False when it is the entry shown already.
    bool SelectLink(const CMeLinkEntry* entry, bool animate);
    const CMeLinkEntry& GetSelectedLink() const { return m_link; }
    /// Hint 8: repaints.
    void OnDocumentUpdate(CView* sender, LPARAM hint, CObject* object);
    /// The object's action: an OLE object's verb, another file opened through the desktop.
    void OnMediaAction();
    bool CanPerformAction() const;

    /// Scrolls so that frame (picture pixels) is in view; animated with timer 907.
    void ScrollFrameIntoView(const RECT& frame, bool animate);
    bool IsAnimating() const { return m_animTimer != 0; }
    CPoint GetScrollPosition() const { return m_scroll; }
    /// The height of the caption's band above the object (0 with nothing shown): picture pixel
    /// (x, y) is at client (x, y + top) before scrolling.
    int GetCaptionHeight() const { return m_top; }
    /// The frame under the mouse, empty when none.
    const CRect& GetHotFrame() const { return m_hot; }
    /// The rubber band or the tracker's rectangle while a drag goes on (client coordinates).
    bool IsTracking() const { return m_banding || m_tracker.IsTracking(); }
    /// The text the window shows above the object (its caption, or why it did not load).
    std::string GetDisplayText() const;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnTimer(UINT_PTR id) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags) override;
    void OnClose() override;
    void OnDestroy() override;

private:
    void Release();
    void UpdateScrollBars(bool reset);
    void ScrollTo(int x, int y);
    void OnScroll(int bar, UINT code);
    void StopAnimation();
    void ClearHot();
    bool IsPicture() const;
    CRect ToClient(const RECT& frame) const;
    CPoint ToPicture(CPoint point) const;
    CRect ToPicture(const RECT& rect) const;
    /// The cursor for a point under the tool on.
    void UpdateCursor(CPoint point);
    int ToolMode() const;
    void PaintObject(CDC& dc);
    void PaintOtherFile(CDC& dc);

    CMediaItem* m_item = nullptr;
    CMeLinkEntry m_link;
    CSize m_size;
    CBitmap m_bitmap;
    bool m_hasBitmap = false;
    CSubViewMedia* m_view = nullptr;
    UINT_PTR m_animTimer = 0;
    UINT_PTR m_hoverTimer = 0;
    DWORD m_animStart = 0;
    DWORD m_animEnd = 0;
    CPoint m_animFrom;
    CPoint m_animTo;
    CRect m_hot;
    bool m_rangeGrown = false;
    CPoint m_scroll;
    CSize m_range;
    int m_top = 0;
    CRectTracker m_tracker;
    bool m_banding = false;
};
