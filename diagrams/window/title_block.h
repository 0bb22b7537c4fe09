// diagrams/window/title_block.h: a diagram's free-text title blocks on the canvas: drawing one,
// its eight selection handles, finding the handle under the mouse, dragging a handle, and
// repainting a block's area.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/log_font.h"
#include "platform/base/types.h"

#include <string>

class CBrush;
class CDC;
class CWnd;

/// What drawing a title block needs of the diagram's title record.
struct TitleBlockLook {
    /// In the diagram's logical units, y up: top lies above bottom.
    CRect rect;
    std::string text;
    bool frame = false;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF backColour = RGB(255, 255, 255);
    bool transparent = false;
    /// The height is a character height; its sign is ignored.
    LOGFONT font;
    int xMargin = 0;
    int yMargin = 0;
};

/// The handles, clockwise from the middle of the top edge.
enum TitleHandle {
    kHandleTop = 0,
    kHandleTopRight = 1,
    kHandleRight = 2,
    kHandleBottomRight = 3,
    kHandleBottom = 4,
    kHandleBottomLeft = 5,
    kHandleLeft = 6,
    kHandleTopLeft = 7,
};

/// The smallest block, in logical units each way.
inline constexpr int kMinTitleSide = 9;

/// A title block as the window shows it: the record, whether it is selected, and the window.
class CTitleView {
public:
    CTitleView(TitleBlockLook& look, CWnd* wnd) : m_look(look), m_wnd(wnd) {}

    bool IsSelected() const { return m_selected; }
    void SetSelected(bool selected) { m_selected = selected; }
    /// The brush printed handles are filled with; none leaves them out on paper.
    void SetHandleBrush(CBrush* brush) { m_handleBrush = brush; }
    const TitleBlockLook& Look() const { return m_look; }

    /// The frame (filled with the background colour unless transparent), the text centred and
    /// word-wrapped within the margins, and the handles when selected.
    void Draw(CDC& dc) const;
    /// The eight handles, in pixels: inverted on the screen, so that drawing them again takes
    /// them away; filled with the handle brush on a printer. Without a context the window's is
    /// used.
    void DrawHandles(CDC* dc) const;
    /// The handle under a point in pixels, for a selected block; false when there is none.
    bool HandleAt(const CDC& dc, POINT device, int* handle) const;
    /// Drags a handle to (x, y) in logical units, keeping the block at least the smallest size;
    /// other codes change nothing.
    void Resize(int x, int y, int handle);
    /// Repaints the block's area, with room for the handles when selected.
    void Invalidate(const CDC* dc) const;

private:
    TitleBlockLook& m_look;
    CWnd* m_wnd = nullptr;
    CBrush* m_handleBrush = nullptr;
    bool m_selected = false;
};

/// The text's rectangle: the block shrunk by the margins, of zero size on an axis the margins
/// would turn over.
CRect TitleTextRect(const TitleBlockLook& look);
/// Repaints a logical rectangle of the window, with erasing: grown by one pixel right and down,
/// and by 3 more pixels each way when grown is set. Without a context the whole window.
void InvalidateBlockArea(CWnd& wnd, const CDC* dc, const RECT& rect, bool grown);
