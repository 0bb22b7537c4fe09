// reports/window/rpt_dc_canvas.h: the report canvas over a device context: report pages measured
// and drawn on a printer, a print preview or the screen.
//
// SetupMapping maps the page anisotropically onto the whole sheet, so logical 0,0 is the sheet's
// corner even though a printer context's origin is the printable area's corner. The canvas owns the
// fonts it makes and puts the context's font back when it goes. Given a reference canvas (the
// printer's, mapped onto the same page) it measures nothing itself: font measures, widths and fits
// are the reference's, and text is drawn at the reference's character places, stretched over its
// blanks as the printer stretches it. COwnedDcCanvas is the canvas that owns its context.
//
// Traps: text runs are clipped to their rectangle and measured by bytes of UTF-8; a justified run
// is stretched only when it holds a blank and is narrower than its rectangle.
#pragma once

#include "reports/rpt_canvas.h"
#include "reports/rpt_font_set.h"

#include <array>
#include <memory>

class CDC;
class CFont;

/// Draws on dc, which it leaves with its mapping set and the last font selected until the
/// canvas goes; the fonts made are the canvas's own. With a reference canvas (the printer's,
/// mapped onto the same page) every measure is the reference's and text is drawn at the
/// reference's character places, so that lines break and stretch as they do on the printer.
class CRptDcCanvas : public IRptCanvas {
public:
    explicit CRptDcCanvas(CDC& dc, CRptDcCanvas* reference = nullptr);
    ~CRptDcCanvas() override;
    CRptDcCanvas(const CRptDcCanvas&) = delete;
    CRptDcCanvas& operator=(const CRptDcCanvas&) = delete;

    /// The sheet of a printer context; a context without a sheet gives its drawing area.
    RptDevicePage GetDevicePage() const override;
    /// Anisotropic mapping of the page onto the whole sheet, whose corner lies the printable
    /// area's offset above and left of the context's origin.
    void SetupMapping(int pageWidth, int pageHeight) override;
    RptFontMetrics CreateFont(int slot, const LOGFONT& font, int height) override;
    void SelectFont(int slot) override;
    int GetTextWidth(std::string_view text) override;
    int GetFitCount(std::string_view text, int width) override;
    void DrawTextRun(const CRect& rect, RptAlign align, int x, int baseline, std::string_view text,
                     bool justify) override;
    void DrawRule(int left, int right, int y, int thickness) override;
    void DrawPicture(const CRect& rect, const RptPicture& picture) override;
    void DrawCircle(int x, int y, int radius, COLORREF fill, bool hollow, COLORREF edge,
                    int width) override;
    void DrawLine(int x1, int y1, int x2, int y2, int width, COLORREF colour) override;

private:
    /// The context whose measures count: the reference's, else the canvas's own.
    CDC& MeasuringDc() const;

    CDC& m_dc;
    CRptDcCanvas* m_reference;
    std::array<std::unique_ptr<CFont>, kRptSlotCount> m_fonts;
    CFont* m_oldFont = nullptr;
    bool m_selected = false;
};

/// Holds the context of a COwnedDcCanvas until the canvas over it has gone.
struct RptOwnedDc {
    std::unique_ptr<CDC> m_ownedDc;
};

/// A report canvas that owns the context it draws on (a printer's measuring context).
class COwnedDcCanvas final : private RptOwnedDc, public CRptDcCanvas {
public:
    explicit COwnedDcCanvas(std::unique_ptr<CDC> dc);
    ~COwnedDcCanvas() override;
};
