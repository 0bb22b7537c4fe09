// platform/ui/printing/print_info.h: what a print job or print preview tells a view's print hooks,
// and what the hooks tell it back: the page range, the page being drawn, and whether to go on.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"
#include "platform/ui/printing/printer_settings.h"

/// The page range runs from GetFromPage to GetToPage, within the minimum and maximum pages: a
/// view that knows its length sets the maximum page in OnPreparePrinting, and the print dialog
/// may narrow the range to pages the user chose. Pages count from 1.
class CPrintInfo {
public:
    /// The maximum page while the length of the document is not known.
    static constexpr UINT kUnknownLength = 0xFFFF;

    void SetMinPage(UINT page) { m_minPage = page; }
    void SetMaxPage(UINT page) { m_maxPage = page; }
    UINT GetMinPage() const { return m_minPage; }
    UINT GetMaxPage() const { return m_maxPage; }
    /// The first and last page to print: the range chosen in the print dialog, else all pages.
    UINT GetFromPage() const;
    UINT GetToPage() const;
    /// Chooses pages from..to, as the print dialog does; 0, 0 chooses all pages again.
    void SetPageRange(UINT from, UINT to);

    /// The printer of this job, in the settings the job prints with.
    CPrinterSettings& GetPrinterSettings() { return m_printer; }

    /// Set for a print preview, clear for a print job.
    BOOL m_bPreview = FALSE;
    /// Cleared by a print hook to end the job after the current page, or, in OnPrepareDC,
    /// before it.
    BOOL m_bContinuePrinting = TRUE;
    /// The page being prepared or drawn.
    UINT m_nCurPage = 1;
    /// How many pages the preview shows side by side: 1 or 2.
    UINT m_nNumPreviewPages = 1;
    /// The printable area of the page being drawn, in the context's units.
    CRect m_rectDraw;

private:
    UINT m_minPage = 1;
    UINT m_maxPage = kUnknownLength;
    UINT m_fromPage = 0;
    UINT m_toPage = 0;
    CPrinterSettings m_printer;
};
