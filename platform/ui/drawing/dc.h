// platform/ui/drawing/dc.h: a device context: drawing with pens, brushes and fonts on a window, a
// bitmap or an image, following the classic pixel rules.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

#include <memory>
#include <string_view>
#include <vector>

class CGdiObject;
class CPen;
class CBrush;
class CFont;
class CBitmap;
class CRgn;
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
// Mapping modes. MM_TEXT maps one unit to one pixel, y down. The metric and English modes map
// a fixed size to the device's resolution, y up: MM_LOMETRIC 0.1 mm, MM_HIMETRIC 0.01 mm,
// MM_LOENGLISH 0.01 inch, MM_HIENGLISH 0.001 inch, MM_TWIPS 1/1440 inch. MM_ISOTROPIC and
// MM_ANISOTROPIC take the window and viewport extents given; isotropic keeps both axes at one
// scale by shrinking a viewport extent.
inline constexpr int MM_TEXT = 1, MM_LOMETRIC = 2, MM_HIMETRIC = 3, MM_LOENGLISH = 4,
                     MM_HIENGLISH = 5, MM_TWIPS = 6, MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8;
// ExtTextOut options.
inline constexpr UINT ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004;
// GetCharacterPlacement flags.
inline constexpr DWORD GCP_MAXEXTENT = 0x00100000;
// Raster operations of BitBlt.
inline constexpr DWORD SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6,
                       SRCINVERT = 0x00660046, MERGEPAINT = 0x00BB0226;

/// Where characters stand: one entry per byte of the UTF-8 text, the advance of a character
/// at its first byte and 0 at the others, so that the entries of any whole characters add up
/// to their width; and how many bytes of whole characters fit the extent asked.
struct GCP_RESULTS {
    std::vector<int> dx;
    int nMaxFit = 0;
};

/// A device context. A fresh one has the black pen, the white brush, the system font, black
/// text on a white opaque background, top-left text alignment, and MM_TEXT: one logical unit is
/// one device pixel. Drawing, text and clipping calls take logical units and convert them
/// through the mapping (text stays upright under any mapping); pen widths and font heights are
/// logical too, a pen of width 0 being one pixel. Measures come back in logical units. Filled
/// shapes leave out their right and bottom edges and lines their last point, in device pixels.
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
    /// Where pattern brushes start, in device pixels.
    CPoint SetBrushOrg(int x, int y);
    CPoint GetBrushOrg() const;

    // Mapping. The setters return the previous value; extents are ignored (and the previous
    // value returned) unless the mode is MM_ISOTROPIC or MM_ANISOTROPIC, and a zero extent is
    // refused.
    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint GetWindowOrg() const;
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint SetViewportOrg(int x, int y);
    CPoint GetViewportOrg() const;
    CPoint OffsetViewportOrg(int dx, int dy);
    CSize SetWindowExt(int cx, int cy);
    CSize GetWindowExt() const;
    CSize SetViewportExt(int cx, int cy);
    CSize GetViewportExt() const;
    /// Logical to device units. Points take the origins; sizes only the scales; a rectangle
    /// converts its two corners (so top may come out below bottom).
    void LPtoDP(POINT* points, int count = 1) const;
    void LPtoDP(RECT* rect) const;
    void LPtoDP(SIZE* size) const;
    void DPtoLP(POINT* points, int count = 1) const;
    void DPtoLP(RECT* rect) const;
    void DPtoLP(SIZE* size) const;

    // State and clipping.
    /// Saves the selected objects, colours, modes, position, mapping and clipping; returns its
    /// level.
    int SaveDC();
    /// Restores a level from SaveDC, or with a negative number that many levels back.
    BOOL RestoreDC(int savedDC);
    /// Clipping region calls return the kind of region left (NULLREGION, SIMPLEREGION,
    /// COMPLEXREGION). Rectangles are logical, a selected region in device units; null removes
    /// the clipping.
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(const RECT* rect);
    int ExcludeClipRect(int left, int top, int right, int bottom);
    int ExcludeClipRect(const RECT* rect);
    int SelectClipRgn(CRgn* region);
    /// The smallest rectangle around what can be drawn, its device corners in logical units (so
    /// with y up its top lies above its bottom); returns the kind of region.
    int GetClipBox(RECT* rect) const;
    int GetDeviceCaps(int index) const;
    /// Whether the context draws the pages of a print job or of a print preview.
    BOOL IsPrinting() const;

    // Lines and shapes, with the selected pen and brush.
    CPoint MoveTo(int x, int y);
    CPoint GetCurrentPosition() const;
    /// Draws to (x, y) without its last pixel and makes it the current position.
    BOOL LineTo(int x, int y);
    /// Lines from point to point, each without its last pixel; a point repeated after a line
    /// sets that line's last pixel.
    BOOL Polyline(const POINT* points, int count);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT* rect);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(const RECT* rect);
    /// The outline of the ellipse in the rectangle, counter-clockwise from where the line from
    /// its centre to start crosses it to where the line to end does; the whole outline when both
    /// lines cross at one point.
    BOOL Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    BOOL Arc(const RECT* rect, POINT start, POINT end);
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
    /// Inverts every pixel of the rectangle; a second call puts them back. Nothing on a printer.
    void InvertRect(const RECT* rect);
    /// Copies pixels from another context, or combines them with what is there: SRCPAINT ORs,
    /// SRCAND ANDs, SRCINVERT XORs, MERGEPAINT ORs the inverted source.
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource,
                DWORD rop);

    // Text, in UTF-8 with the selected font, text colour and background.
    BOOL TextOut(int x, int y, std::string_view text);
    /// TextOut with options: ETO_OPAQUE fills rect with the background colour first, ETO_CLIPPED
    /// keeps the text inside rect. With dx (one entry per byte, as GCP_RESULTS) each character
    /// takes the advance given instead of its own, and no justification is added.
    BOOL ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text,
                    const int* dx = nullptr);
    /// Draws text in rect with DT_ format flags and returns the text's height. With
    /// DT_CALCRECT nothing is drawn and rect is set to the space the text needs.
    int DrawText(std::string_view text, RECT* rect, UINT format);
    /// Width (sum of advances, with the justification's extra space) and height of the text in
    /// the selected font.
    CSize GetTextExtent(std::string_view text) const;
    /// The extent of text, how many bytes of whole characters fit within maxExtent (when fit is
    /// given) and, per byte, the width up to the end of the character it belongs to.
    BOOL GetTextExtentExPoint(std::string_view text, int maxExtent, int* fit,
                              std::vector<int>* partialExtents, CSize* size) const;
    /// Places the characters of text: their advances in results->dx, rounded so that they add
    /// up to the text's width. With GCP_MAXEXTENT only the whole characters within maxExtent
    /// are placed. Returns the extent of what was placed; 0 by 0 when results is null.
    CSize GetCharacterPlacement(std::string_view text, int maxExtent, GCP_RESULTS* results,
                                DWORD flags) const;
    /// Later text output spreads breakExtra logical units over the blanks of each text, as
    /// evenly as whole pixels allow (the first blanks take the remainder); breakCount is the
    /// number of blanks the extra was meant for. 0 turns it off.
    BOOL SetTextJustification(int breakExtra, int breakCount);
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;

private:
    friend class ui_detail::DcAccess;

    std::unique_ptr<ui_detail::DcImpl> m_impl;
};

/// Calls proc for each point of the one-pixel line from (x1, y1) to (x2, y2), without the last
/// point, in order: the points LineTo sets.
using LINEDDAPROC = void (*)(int x, int y, LPARAM data);
void LineDDA(int x1, int y1, int x2, int y2, LINEDDAPROC proc, LPARAM data);
