// platform/ui/detail/page_sinks.h: the places a print loop's pages go: a Qt printer (a print
// job, or the pages a preview records) and an image of one page for the test hooks.
#pragma once

#include "platform/ui/printing/print_job.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace ui_detail {

/// Pages on a printer, each after the first on a new sheet. The painter begins on the first
/// page, so a loop that draws nothing starts no job.
class PrinterPages final : public IPrintPages {
public:
    explicit PrinterPages(QPrinter& printer) : m_printer(printer) {}
    BOOL StartPage(CDC& dc, UINT page) override;
    BOOL EndPage(CDC& dc, UINT page) override;
    /// Ends the job; false when the printer failed at any point.
    bool Finish();
    int PageCount() const { return m_pages; }

private:
    QPrinter& m_printer;
    QPainter m_painter;
    int m_pages = 0;
    bool m_failed = false;
};

/// One page drawn on a white image of the whole sheet, scaled down by an integer factor; the
/// pages before it are passed over, drawing nothing, and the loop ends after it.
class ImagePage final : public IPrintPages {
public:
    ImagePage(UINT page, QSize sheet, QPoint offset, int scale);
    BOOL StartPage(CDC& dc, UINT page) override;
    BOOL EndPage(CDC& dc, UINT page) override;
    bool Drawn() const { return m_drawn; }
    const QImage& Image() const { return m_image; }

private:
    UINT m_page;
    QPoint m_offset;
    int m_scale;
    QImage m_image;
    QPainter m_painter;
    bool m_drawn = false;
};

} // namespace ui_detail
