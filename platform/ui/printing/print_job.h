// platform/ui/printing/print_job.h: the print loop, which drives a view's print hooks over the
// pages of a print job or a print preview.
#pragma once

#include "platform/base/types.h"

class CDC;
class CPrintInfo;
class CView;

/// Where the pages of a print loop go: a printer, a preview, or an image of one page.
class IPrintPages {
public:
    virtual ~IPrintPages() = default;
    /// Makes dc draw on the page, or on nothing for a page that is only passed over. FALSE
    /// when the device cannot take the page; the loop then ends.
    virtual BOOL StartPage(CDC& dc, UINT page) = 0;
    /// Finishes the page; FALSE when no further page is wanted.
    virtual BOOL EndPage(CDC& dc, UINT page) = 0;
};

/// The loop on dc, a context of the job's printer: OnBeginPrinting; then for each page of the
/// range, OnPrepareDC, which may end the job before the page by clearing m_bContinuePrinting,
/// then the page with m_rectDraw set to the printable area and OnPrint, which may clear it to
/// make the page the last; then OnEndPrinting. An exception from a hook ends the loop and goes
/// on to the caller, after OnEndPrinting. Returns the number of pages drawn.
UINT RunPrintLoop(CView& view, CPrintInfo& info, CDC& dc, IPrintPages& pages);

/// Prints the job on the printer of info (DoPreparePrinting chose it): the print loop on a new
/// printer context. On the virtual printer the PDF is written beside its file and takes its
/// place only once every page is in, so a failed job never leaves half a file nor destroys
/// the one it would have replaced. An exception from a hook abandons the job. FALSE when
/// nothing was printed or the printer failed.
BOOL PrintJob(CView& view, CPrintInfo& info);
