// platform/ui/drawing/dc.h: a device context: drawing with pens, brushes and fonts on a window, a
// bitmap or an image, following the classic pixel rules.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

#include <memory>
#include <string_view>

class CGdiObject;
class CPen;
class CBrush;
class CFont;
class CBitmap;
class CWnd;
namespace ui_detail {
struct DcImpl;
class DcAccess;
} // namespace ui_detail

/// What GetTextMetrics reports of the selected font, in device pixels.
struct TEXTMETRIC {
    LONG tmHeight = 0; // ascent + descent
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0; // height - em size
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    /// TMPF_FIXED_PITCH is set for a font of *variable* pitch.
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};
inline constexpr BYTE TMPF_FIXED_PITCH = 0x01;

// Background modes.
inline constexpr int TRANSPARENT = 1, OPAQUE = 2;
// Text alignment: one horizontal, one vertical, and whether TextOut moves the current position.
inline constexpr UINT TA_NOUPDATECP = 0, TA_UPDATECP = 1, TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6,
                      TA_TOP = 0, TA_BOTTOM = 8, TA_BASELINE = 24;
// DrawText formats.
inline constexpr UINT DT_TOP = 0x0000, DT_LEFT = 0x0000, DT_CENTER = 0x0001, DT_RIGHT = 0x0002,
                      DT_VCENTER = 0x0004, DT_BOTTOM = 0x0008, DT_WORDBREAK = 0x0010,
                      DT_SINGLELINE = 0x0020, DT_NOCLIP = 0x0100, DT_CALCRECT = 0x0400,
                      DT_NOPREFIX = 0x0800, DT_END_ELLIPSIS = 0x8000;
// Device capabilities. The sizes are in millimetres; on a printer the physical ones give the
// whole sheet and the offsets its unprintable margin, in printer pixels.
inline constexpr int HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, BITSPIXEL = 12,
                     PLANES = 14, LOGPIXELSX = 88, LOGPIXELSY = 90, PHYSICALWIDTH = 110,
                     PHYSICALHEIGHT = 111, PHYSICALOFFSETX = 112, PHYSICALOFFSETY = 113;
// Kinds of clipping region.
inline constexpr int RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3;
// Raster operations of BitBlt.
inline constexpr DWORD SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6,
                       SRCINVERT = 0x00660046, MERGEPAINT = 0x00BB0226;

/// A device context. A fresh one has the black pen, the white brush, the system font, black
/// text on a white opaque background, and top-left text alignment. Coordinates are device
/// pixels. Filled shapes leave out their right and bottom edges and lines their last point.
/// A printer context (CPrinterSettings::CreatePrinterDC) measures for the printer and draws
/// only on the pages of a print job or preview, its origin at the printable area's corner.
class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    /// Makes this a memory context drawing on the bitmap selected into it (none at first).
    BOOL CreateCompatibleDC(CDC* dc);
    /// Makes this a context of the window's client area, as CClientDC is; FALSE without one.
    BOOL Attach(CWnd* wnd);
    BOOL DeleteDC();

    // Objects. Each returns the object it replaces.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    /// Only into a memory context; null otherwise.
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);

    // Colours and modes. Each setter returns the previous value.
    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    UINT SetTextAlign(UINT align);
    UINT GetTextAlign() const;

    // State and clipping.
    /// Saves the selected objects, colours, modes, position and clipping; returns its level.
    int SaveDC();
    /// Restores a level from SaveDC, or with a negative number that many levels back.
    BOOL RestoreDC(int savedDC);
    int IntersectClipRect(int left, int top, int right, int bottom);
    /// The smallest rectangle around what can be drawn; returns the kind of region.
    int GetClipBox(RECT* rect) const;
    int GetDeviceCaps(int index) const;
    /// Whether the context draws the pages of a print job or of a print preview.
    BOOL IsPrinting() const;

    // Lines and shapes, with the selected pen and brush.
    CPoint MoveTo(int x, int y);
    CPoint GetCurrentPosition() const;
    /// Draws to (x, y) without its last pixel and makes it the current position.
    BOOL LineTo(int x, int y);
    BOOL Polyline(const POINT* points, int count);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT* rect);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(const RECT* rect);
    /// A one-pixel frame: top and left in one colour, right and bottom in the other.
    void Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);

    // Fills and copies.
    void FillRect(const RECT* rect, CBrush* brush);
    /// Fills with a colour; like the classic call it leaves that colour as the background colour.
    void FillSolidRect(const RECT* rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    /// A one-pixel frame drawn with the brush.
    void FrameRect(const RECT* rect, CBrush* brush);
    /// Copies pixels from another context, or combines them with what is there: SRCPAINT ORs,
    /// SRCAND ANDs, SRCINVERT XORs, MERGEPAINT ORs the inverted source.
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource,
                DWORD rop);

    // Text, in UTF-8 with the selected font, text colour and background.
    BOOL TextOut(int x, int y, std::string_view text);
    /// Draws text in rect with DT_ format flags and returns the text's height. With
    /// DT_CALCRECT nothing is drawn and rect is set to the space the text needs.
    int DrawText(std::string_view text, RECT* rect, UINT format);
    /// Width (sum of advances) and height of the text in the selected font.
    CSize GetTextExtent(std::string_view text) const;
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;

private:
    friend class ui_detail::DcAccess;

    std::unique_ptr<ui_detail::DcImpl> m_impl;
};
