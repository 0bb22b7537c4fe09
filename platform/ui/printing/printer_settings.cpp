// platform/ui/printing/printer_settings.cpp: loading a printer's defaults, the orientation, and
// measuring contexts of the printer.
#include "platform/ui/printing/printer_settings.h"

#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/detail/printer_device.h"

using ui_detail::PrinterSetup;

CPrinterSettings::CPrinterSettings() = default;

CPrinterSettings::~CPrinterSettings() = default;

CPrinterSettings::CPrinterSettings(const CPrinterSettings& other)
    : m_setup(other.m_setup ? std::make_unique<PrinterSetup>(*other.m_setup) : nullptr)
{
}

CPrinterSettings& CPrinterSettings::operator=(const CPrinterSettings& other)
{
    if (this != &other)
        m_setup = other.m_setup ? std::make_unique<PrinterSetup>(*other.m_setup) : nullptr;
    return *this;
}

BOOL CPrinterSettings::HasPrinter()
{
    return !ui_detail::PrintersRemoved();
}

BOOL CPrinterSettings::IsLoaded() const
{
    return m_setup && HasPrinter();
}

BOOL CPrinterSettings::LoadDefaults()
{
    if (!HasPrinter())
        m_setup.reset();
    else if (!m_setup)
        m_setup = ui_detail::DefaultPrinterSetup();
    return IsLoaded();
}

int CPrinterSettings::GetOrientation() const
{
    if (!IsLoaded())
        return 0;
    return m_setup->layout.orientation() == QPageLayout::Landscape ? DMORIENT_LANDSCAPE
                                                                   : DMORIENT_PORTRAIT;
}

void CPrinterSettings::SetOrientation(int orientation)
{
    if (m_setup && (orientation == DMORIENT_PORTRAIT || orientation == DMORIENT_LANDSCAPE))
        m_setup->layout.setOrientation(orientation == DMORIENT_LANDSCAPE ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait);
}

BOOL CPrinterSettings::IsVirtualPrinter() const
{
    return IsLoaded() && m_setup->printerName.isEmpty();
}

std::string CPrinterSettings::GetOutputFile() const
{
    return m_setup ? m_setup->outputFile.toStdString() : std::string();
}

void CPrinterSettings::SetOutputFile(const std::string& path)
{
    if (m_setup)
        m_setup->outputFile = QString::fromStdString(path);
}

BOOL CPrinterSettings::CreatePrinterDC(CDC& dc) const
{
    if (!IsLoaded())
        return FALSE;
    const auto printer = ui_detail::MakePrinter(*m_setup);
    ui_detail::DcAccess::AttachPrinter(dc, ui_detail::MetricsOf(*printer));
    return TRUE;
}
