// platform/ui/detail/page_sinks.cpp: pages on a Qt printer or on an image.
#include "platform/ui/detail/page_sinks.h"

#include "platform/ui/detail/dc_impl.h"

namespace ui_detail {

BOOL PrinterPages::StartPage(CDC& dc, UINT /*page*/)
{
    const bool started = m_pages == 0 ? m_painter.begin(&m_printer) : m_printer.newPage();
    if (!started) {
        m_failed = true;
        return FALSE;
    }
    ++m_pages;
    DcAccess::SetPagePainter(dc, &m_painter);
    return TRUE;
}

BOOL PrinterPages::EndPage(CDC& dc, UINT /*page*/)
{
    DcAccess::SetPagePainter(dc, nullptr);
    return TRUE;
}

bool PrinterPages::Finish()
{
    if (m_painter.isActive() && !m_painter.end())
        m_failed = true;
    return !m_failed && m_printer.printerState() != QPrinter::Error;
}

ImagePage::ImagePage(UINT page, QSize sheet, QPoint offset, int scale)
    : m_page(page), m_offset(offset), m_scale(scale),
      m_image(sheet.width() / scale, sheet.height() / scale, QImage::Format_RGB32)
{
    m_image.fill(Qt::white);
}

BOOL ImagePage::StartPage(CDC& dc, UINT page)
{
    if (page != m_page || !m_painter.begin(&m_image))
        return TRUE;
    m_painter.scale(1.0 / m_scale, 1.0 / m_scale);
    m_painter.translate(m_offset);
    DcAccess::SetPagePainter(dc, &m_painter);
    return TRUE;
}

BOOL ImagePage::EndPage(CDC& dc, UINT page)
{
    DcAccess::SetPagePainter(dc, nullptr);
    if (page != m_page)
        return TRUE;
    m_painter.end();
    m_drawn = true;
    return FALSE;
}

} // namespace ui_detail
