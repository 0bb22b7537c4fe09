// platform/ui/printing/print_preview.cpp: the preview window over Qt's print preview widget.
#include "platform/ui/printing/print_preview.h"

#include "platform/base/abandon.h"
#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/detail/owner_activation.h"
#include "platform/ui/detail/page_sinks.h"
#include "platform/ui/detail/printer_device.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/message.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

#include <functional>
#include <map>
#include <utility>

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

/// Runs the loop onto the pages the preview widget records.
int DrawPages(CView& view, CPrintInfo& info, QPrinter& printer)
{
    CDC dc;
    ui_detail::DcAccess::AttachPrinter(dc, ui_detail::MetricsOf(printer));
    ui_detail::PrinterPages pages(printer);
    try {
        RunPrintLoop(view, info, dc, pages);
    } catch (...) {
        // A hook abandoned the loop; the pages drawn so far stay in view.
        EndAbandonedOperation();
    }
    pages.Finish();
    return pages.PageCount();
}

} // namespace

struct CPrintPreview::Impl {
    CView* view = nullptr;
    /// Gone when the view's window went while the preview was open.
    QPointer<QWidget> viewWidget;
    std::unique_ptr<CPrintInfo> info;
    std::unique_ptr<QPrinter> printer;
    QPointer<QWidget> window;
    QPrintPreviewWidget* preview = nullptr;
    QAction* twoPages = nullptr;
    int pageCount = 0;
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
    impl.preview = new QPrintPreviewWidget(impl.printer.get(), window);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(impl.preview, 1);

    QPrintPreviewWidget* preview = impl.preview;
    QObject::connect(bar->addAction(QStringLiteral("&Print...")), &QAction::triggered, window,
                     [this] { PrintAndClose(); });
    QObject::connect(bar->addAction(QStringLiteral("&Next Page")), &QAction::triggered, preview,
                     [preview] { preview->setCurrentPage(preview->currentPage() + 1); });
    QObject::connect(bar->addAction(QStringLiteral("Pre&v Page")), &QAction::triggered, preview,
                     [preview] { preview->setCurrentPage(preview->currentPage() - 1); });
    impl.twoPages = bar->addAction(QStringLiteral("&Two Page"));
    impl.twoPages->setCheckable(true);
    QObject::connect(impl.twoPages, &QAction::toggled, preview, [preview](bool two) {
        preview->setViewMode(two ? QPrintPreviewWidget::FacingPagesView
                                 : QPrintPreviewWidget::SinglePageView);
    });
    QObject::connect(bar->addAction(QStringLiteral("Zoom &In")), &QAction::triggered, preview,
                     [preview] { preview->zoomIn(); });
    QObject::connect(bar->addAction(QStringLiteral("Zoom &Out")), &QAction::triggered, preview,
                     [preview] { preview->zoomOut(); });
    QObject::connect(bar->addAction(QStringLiteral("&Close")), &QAction::triggered, window,
                     [this] { Close(); });
    QObject::connect(preview, &QPrintPreviewWidget::paintRequested, window,
                     [this](QPrinter* printer) {
                         if (m_impl->viewWidget)
                             m_impl->pageCount = DrawPages(*m_impl->view, *m_impl->info, *printer);
                     });

    impl.twoPages->setChecked(impl.info->m_nNumPreviewPages == 2);
    PlaceInWorkArea(*window, window->parentWidget());
    window->show();
    ui_detail::ActivateAppearedWindow(*window);
}

int CPrintPreview::GetPageCount() const
{
    return m_impl->pageCount;
}

int CPrintPreview::GetCurrentPage() const
{
    return m_impl->window ? m_impl->preview->currentPage() : 0;
}

BOOL CPrintPreview::ShowsTwoPages() const
{
    return m_impl->twoPages && m_impl->twoPages->isChecked();
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
