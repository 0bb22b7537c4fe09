// platform/ui/printing/print_dialog.cpp: the setup dialog over Qt's page-setup dialog, the job
// dialog over Qt's print dialog, or the test hooks' answers.
#include "platform/ui/printing/print_dialog.h"

#include "platform/base/prompt.h"
#include "platform/ui/detail/hook_answers.h"
#include "platform/ui/detail/modal_cursor.h"
#include "platform/ui/detail/owner_activation.h"
#include "platform/ui/detail/printer_device.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/test_hooks.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>

using ui_detail::PrinterAccess;

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent)
    : m_flags(flags | (printSetupOnly ? PD_PRINTSETUP : 0)), m_setupOnly(printSetupOnly),
      m_parent(parent)
{
}

int CPrintDialog::DoModal()
{
    if (!m_settings.LoadDefaults())
        return IDCANCEL;
    return m_setupOnly ? RunSetup() : RunJob();
}

int CPrintDialog::RunSetup()
{
    if (!TestHooks::IsEnabled())
        return RunSetupOnDesktop();
    const auto answer = ui_detail::hooks::TakePrintSetupAnswer();
    if (!answer || !answer->ok)
        return IDCANCEL;
    m_settings.SetOrientation(answer->orientation);
    return IDOK;
}

int CPrintDialog::RunJob()
{
    if (!TestHooks::IsEnabled())
        return RunJobOnDesktop();
    const auto answer = ui_detail::hooks::TakePrintJobAnswer();
    if (!answer || !answer->ok)
        return IDCANCEL;
    if (m_settings.IsVirtualPrinter()) {
        if (answer->pdfPath.empty())
            return IDCANCEL;
        m_settings.SetOutputFile(answer->pdfPath);
    }
    const bool pages = answer->fromPage && !(m_flags & PD_NOPAGENUMS);
    m_flags = pages ? (m_flags | PD_PAGENUMS) : (m_flags & ~PD_PAGENUMS);
    m_nFromPage = pages ? answer->fromPage : 0;
    m_nToPage = pages ? answer->toPage : 0;
    return IDOK;
}

int CPrintDialog::RunSetupOnDesktop()
{
    ui_detail::PrinterSetup& setup = *PrinterAccess::Of(m_settings);
    const auto printer = ui_detail::MakePrinter(setup);
    QWidget* parent = m_parent ? ui_detail::WidgetOf(m_parent) : QApplication::activeWindow();
    QPageSetupDialog dialog(printer.get(), parent);
    const ui_detail::ModalCursorPause cursorPause;
    const ui_detail::ModalActivationReturn activationReturn(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    ui_detail::ReadBack(*printer, setup);
    return IDOK;
}

int CPrintDialog::RunJobOnDesktop()
{
    ui_detail::PrinterSetup& setup = *PrinterAccess::Of(m_settings);
    const auto printer = ui_detail::MakePrinter(setup);
    QWidget* parent = m_parent ? ui_detail::WidgetOf(m_parent) : QApplication::activeWindow();
    QPrintDialog dialog(printer.get(), parent);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile;
    if (!(m_flags & PD_NOPAGENUMS))
        options |= QAbstractPrintDialog::PrintPageRange;
    dialog.setOptions(options);
    dialog.setMinMax(int(m_nMinPage), int(m_nMaxPage));
    const ui_detail::ModalCursorPause cursorPause;
    const ui_detail::ModalActivationReturn activationReturn(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    ui_detail::ReadBack(*printer, setup);
    if (printer->outputFormat() == QPrinter::PdfFormat && printer->outputFileName().isEmpty())
        return IDCANCEL;
    const bool pages = printer->printRange() == QPrinter::PageRange;
    m_flags = pages ? (m_flags | PD_PAGENUMS) : (m_flags & ~PD_PAGENUMS);
    m_nFromPage = pages ? UINT(printer->fromPage()) : 0;
    m_nToPage = pages ? UINT(printer->toPage()) : 0;
    return IDOK;
}
