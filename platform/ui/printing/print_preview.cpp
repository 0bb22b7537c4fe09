// platform/ui/printing/print_preview.cpp: the preview window: the pages recorded once, shown one or
// two side by side, scaled to fit the window or zoomed in.
#include "platform/ui/printing/print_preview.h"

#include "platform/base/abandon.h"
#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/detail/owner_activation.h"
#include "platform/ui/detail/printer_device.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/printing/print_job.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/message.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPicture>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace {

std::map<const CView*, CPrintPreview*>& OpenPreviews()
{
    static std::map<const CView*, CPrintPreview*> open;
    return open;
}

/// The preview's window; its close box asks, and the preview closes it.
class PreviewWindow final : public QWidget {
public:
    PreviewWindow(QWidget* owner, std::function<void()> onClose)
        : QWidget(owner, Qt::Window), m_onClose(std::move(onClose))
    {
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        m_onClose();
    }

private:
    std::function<void()> m_onClose;
};

/// Sizes and places the preview as the desktop does a new main window: most of the work area of
/// its owner's screen, in the middle of it, so that the window and the frame the window manager
/// puts round it stay clear of the screen's edges and panels.
void PlaceInWorkArea(QWidget& window, const QWidget* owner)
{
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    if (area.isEmpty()) {
        window.resize(640, 480);
        return;
    }
    const QSize size(area.width() * 4 / 5, area.height() * 4 / 5);
    window.setGeometry(QRect(area.left() + (area.width() - size.width()) / 2,
                             area.top() + (area.height() - size.height()) / 2, size.width(),
                             size.height()));
}

/// Each page of the loop recorded as a picture in printer pixels, its origin at the printable
/// area's corner.
class RecordedPages final : public IPrintPages {
public:
    BOOL StartPage(CDC& dc, UINT /*page*/) override
    {
        m_pages.emplace_back();
        if (!m_painter.begin(&m_pages.back())) {
            m_pages.pop_back();
            return FALSE;
        }
        ui_detail::DcAccess::SetPagePainter(dc, &m_painter);
        return TRUE;
    }
    BOOL EndPage(CDC& dc, UINT /*page*/) override
    {
        ui_detail::DcAccess::SetPagePainter(dc, nullptr);
        m_painter.end();
        return TRUE;
    }
    std::vector<QPicture> Take() { return std::move(m_pages); }

private:
    QPainter m_painter;
    std::vector<QPicture> m_pages;
};

/// Runs the loop onto recorded pages.
std::vector<QPicture> DrawPages(CView& view, CPrintInfo& info, const QPrinter& printer)
{
    CDC dc;
    ui_detail::DcAccess::AttachPrinter(dc, ui_detail::MetricsOf(printer));
    RecordedPages pages;
    try {
        RunPrintLoop(view, info, dc, pages);
    } catch (...) {
        // A hook abandoned the loop; the pages drawn so far stay in view.
        EndAbandonedOperation();
    }
    return pages.Take();
}

/// The sheets on show, side by side on a grey ground, each white with its page drawn over the
/// unprintable margin.
class PagesCanvas final : public QWidget {
public:
    static constexpr int kGap = 12;

    explicit PagesCanvas(ui_detail::PrinterMetrics metrics) : m_metrics(metrics) {}

    void SetPages(std::vector<QPicture> pages) { m_pages = std::move(pages); }
    int PageCount() const { return int(m_pages.size()); }
    /// Shows count pages (1 or 2) from first (from 1).
    void Show(int first, int count)
    {
        m_first = first;
        m_count = count;
        update();
    }
    /// The size showing the sheets at zoom times the size that fits area.
    QSize SizeFor(QSize area, double zoom) const
    {
        const double scale = FitScale(area) * zoom;
        const QSize sheet = Sheet();
        return QSize(int(sheet.width() * scale) * m_count + kGap * (m_count + 1),
                     int(sheet.height() * scale) + 2 * kGap);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(128, 128, 128));
        const double scale = FitScale(size());
        const QSize sheet = Sheet();
        const int width = int(sheet.width() * scale), height = int(sheet.height() * scale);
        const int left = (this->width() - width * m_count - kGap * (m_count - 1)) / 2;
        const int top = std::max(kGap, (this->height() - height) / 2);
        for (int i = 0; i < m_count; ++i) {
            const int page = m_first + i;
            if (page < 1 || page > PageCount())
                continue;
            const QRect place(left + i * (width + kGap), top, width, height);
            painter.fillRect(place, Qt::white);
            painter.save();
            painter.setClipRect(place);
            painter.translate(place.topLeft());
            painter.scale(scale, scale);
            painter.translate(m_metrics.offset);
            painter.drawPicture(0, 0, m_pages[std::size_t(page - 1)]);
            painter.restore();
            painter.setPen(Qt::black);
            painter.drawRect(place.adjusted(0, 0, -1, -1));
        }
    }

private:
    QSize Sheet() const { return m_metrics.physical.isEmpty() ? QSize(1, 1) : m_metrics.physical; }
    /// Printer pixels to widget pixels so that the sheets on show fit area.
    double FitScale(QSize area) const
    {
        const QSize sheet = Sheet();
        const double across = double(std::max(1, area.width() - kGap * (m_count + 1))) /
                              (double(sheet.width()) * m_count);
        const double down = double(std::max(1, area.height() - 2 * kGap)) / sheet.height();
        return std::min(across, down);
    }

    ui_detail::PrinterMetrics m_metrics;
    std::vector<QPicture> m_pages;
    int m_first = 1;
    int m_count = 1;
};

} // namespace

struct CPrintPreview::Impl {
    CView* view = nullptr;
    /// Gone when the view's window went while the preview was open.
    QPointer<QWidget> viewWidget;
    std::unique_ptr<CPrintInfo> info;
    std::unique_ptr<QPrinter> printer;
    QPointer<QWidget> window;
    QScrollArea* scroll = nullptr;
    PagesCanvas* canvas = nullptr;
    QAction* next = nullptr;
    QAction* prev = nullptr;
    QAction* pagesShown = nullptr;
    int current = 1;
    int shown = 1;
    /// How many times the size that fits the window the sheets are drawn at.
    double zoom = 1.0;
};

CPrintPreview::CPrintPreview(CView& view, std::unique_ptr<CPrintInfo> info)
    : m_impl(std::make_unique<Impl>())
{
    m_impl->view = &view;
    m_impl->viewWidget = ui_detail::WidgetOf(&view);
    m_impl->info = std::move(info);
    const ui_detail::PrinterSetup* setup =
        ui_detail::PrinterAccess::Of(m_impl->info->GetPrinterSettings());
    m_impl->printer = ui_detail::MakePrinter(setup ? *setup : ui_detail::PrinterSetup());
}

CPrintPreview::~CPrintPreview()
{
    // Deferred: the preview may close from inside its window's own event.
    if (m_impl->window) {
        ui_detail::LeaveActivationToOwner(*m_impl->window);
        m_impl->window->hide();
        m_impl->window->deleteLater();
    }
}

CPrintPreview* CPrintPreview::Open(CView& view, std::unique_ptr<CPrintInfo> info)
{
    if (!info)
        return nullptr;
    if (CPrintPreview* old = Of(view))
        old->Close();
    auto* preview = new CPrintPreview(view, std::move(info));
    OpenPreviews()[&view] = preview;
    preview->Build();
    return preview;
}

CPrintPreview* CPrintPreview::Of(const CView& view)
{
    const auto found = OpenPreviews().find(&view);
    return found == OpenPreviews().end() ? nullptr : found->second;
}

void CPrintPreview::Build()
{
    Impl& impl = *m_impl;
    QWidget* owner = ui_detail::WidgetOf(AfxGetMainWnd());
    auto* window = new PreviewWindow(owner ? owner->window() : nullptr, [this] { Close(); });
    impl.window = window;
    window->setWindowTitle(QStringLiteral("Print Preview"));
    auto* bar = new QToolBar(window);
    impl.canvas = new PagesCanvas(ui_detail::MetricsOf(*impl.printer));
    impl.scroll = new QScrollArea(window);
    impl.scroll->setWidget(impl.canvas);
    impl.scroll->setAlignment(Qt::AlignCenter);
    impl.scroll->setWidgetResizable(true);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(impl.scroll, 1);

    QObject::connect(bar->addAction(QStringLiteral("&Print...")), &QAction::triggered, window,
                     [this] { PrintAndClose(); });
    impl.next = bar->addAction(QStringLiteral("&Next Page"));
    QObject::connect(impl.next, &QAction::triggered, window, [this] { NextPage(); });
    impl.prev = bar->addAction(QStringLiteral("Pre&v Page"));
    QObject::connect(impl.prev, &QAction::triggered, window, [this] { PrevPage(); });
    impl.pagesShown = bar->addAction(QString());
    QObject::connect(impl.pagesShown, &QAction::triggered, window,
                     [this] { SetTwoPages(!ShowsTwoPages()); });
    QObject::connect(bar->addAction(QStringLiteral("Zoom &In")), &QAction::triggered, window,
                     [this] { Zoom(1.25); });
    QObject::connect(bar->addAction(QStringLiteral("Zoom &Out")), &QAction::triggered, window,
                     [this] { Zoom(0.8); });
    QObject::connect(bar->addAction(QStringLiteral("&Close")), &QAction::triggered, window,
                     [this] { Close(); });

    if (impl.viewWidget)
        impl.canvas->SetPages(DrawPages(*impl.view, *impl.info, *impl.printer));
    impl.shown = impl.info->m_nNumPreviewPages == 2 ? 2 : 1;
    ShowPages();
    PlaceInWorkArea(*window, window->parentWidget());
    window->show();
    ui_detail::ActivateAppearedWindow(*window);
}

void CPrintPreview::ShowPages()
{
    Impl& impl = *m_impl;
    const int count = impl.canvas->PageCount();
    impl.current = std::clamp(impl.current, 1, std::max(1, count));
    impl.canvas->Show(impl.current, impl.shown);
    impl.next->setEnabled(impl.current + impl.shown <= count);
    impl.prev->setEnabled(impl.current > 1);
    impl.pagesShown->setText(impl.shown == 2 ? QStringLiteral("&One Page")
                                             : QStringLiteral("&Two Page"));
    // At the fitting size the canvas follows the window; zoomed in, it is scrolled.
    impl.scroll->setWidgetResizable(impl.zoom <= 1.0);
    if (impl.zoom > 1.0)
        impl.canvas->resize(impl.canvas->SizeFor(impl.scroll->viewport()->size(), impl.zoom));
}

void CPrintPreview::NextPage()
{
    if (m_impl->current + m_impl->shown > GetPageCount())
        return;
    m_impl->current += m_impl->shown;
    ShowPages();
}

void CPrintPreview::PrevPage()
{
    m_impl->current = std::max(1, m_impl->current - m_impl->shown);
    ShowPages();
}

void CPrintPreview::SetTwoPages(BOOL two)
{
    m_impl->shown = two ? 2 : 1;
    ShowPages();
}

void CPrintPreview::Zoom(double factor)
{
    // From the fitting size up to eight times it.
    m_impl->zoom = std::clamp(m_impl->zoom * factor, 1.0, 8.0);
    ShowPages();
}

int CPrintPreview::GetPageCount() const
{
    return m_impl->canvas ? m_impl->canvas->PageCount() : 0;
}

int CPrintPreview::GetCurrentPage() const
{
    return m_impl->window ? m_impl->current : 0;
}

BOOL CPrintPreview::ShowsTwoPages() const
{
    return m_impl->shown == 2;
}

void CPrintPreview::GetWindowRect(RECT* rect) const
{
    const QRect frame = m_impl->window ? m_impl->window->frameGeometry() : QRect();
    *rect = CRect(frame.left(), frame.top(), frame.left() + frame.width(),
                  frame.top() + frame.height());
}

void CPrintPreview::Close()
{
    Impl& impl = *m_impl;
    OpenPreviews().erase(impl.view);
    if (impl.viewWidget) {
        CDC dc;
        impl.info->GetPrinterSettings().CreatePrinterDC(dc);
        impl.view->OnEndPrintPreview(&dc, impl.info.get(), POINT{}, impl.view);
    }
    delete this;
}

void CPrintPreview::PrintAndClose()
{
    CView* view = m_impl->viewWidget ? m_impl->view : nullptr;
    Close();
    if (view)
        view->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}
