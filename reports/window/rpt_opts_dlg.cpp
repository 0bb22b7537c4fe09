// reports/window/rpt_opts_dlg.cpp: the Report Options sheet: its pages, the working copy, and OK
// and Apply saving and rebuilding.
#include "reports/window/rpt_opts_dlg.h"

#include "reports/rpt_catalogue.h"
#include "reports/rpt_gen.h"
#include "reports/window/rpt_contents_page.h"
#include "reports/window/rpt_format_page.h"
#include "reports/window/rpt_page_layout_page.h"
#include "reports/window/rpt_pictures_page.h"
#include "reports/window/rpt_sources_page.h"
#include "reports/window/sub_view_report.h"

#include "app/shell/save_message.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/windows/message.h"
#include "templates/settings_store.h"

CRptSettings& CRptPage::Copy()
{
    return m_opts->GetCopy();
}

void CRptPage::OnOK()
{
    if (!UpdateData(TRUE)) {
        if (m_opts)
            m_opts->ClearApplied();
        return;
    }
    SetModified(FALSE);
}

void CRptPage::RestoreInstalled()
{
    if (!m_opts)
        return;
    Copy().RestoreInstalled(m_part, GetReportTypesFolderPath());
    UpdateData(FALSE);
    SetModified(TRUE);
}

CRptOptsDlg::CRptOptsDlg(CSubViewReport& window, const char* caption, CWnd* parent, int reportType,
                         int recordType, int firstPage)
    : CPropertySheet(caption, parent, UINT(firstPage)), m_window(window), m_reportType(reportType),
      m_recordType(recordType)
{
    // The working copy is taken once, before any page shows it.
    if (m_window.GetReport())
        m_copy.Copy(m_window.GetReport()->Settings(), kRptPartAll, false);
    const bool summary =
        reportType == kRptTypeFam || reportType < kRptTypeFam || reportType > kRptTypeRec;
    if (summary)
        m_pages.push_back(std::make_unique<CRptPageContsInd>(reportType == kRptTypeFam));
    else if (reportType != kRptTypeList)
        m_pages.push_back(
            std::make_unique<CRptPageContsSrc>(reportType == kRptTypeSrc    ? IDD_RPT_CONTS_SRC
                                               : reportType == kRptTypeDesc ? IDD_RPT_CONTS_DESC
                                               : reportType == kRptTypeAnc  ? IDD_RPT_CONTS_ANC
                                                                            : IDD_RPT_CONTS_REC));
    if (const UINT pictures = RptPicturesTemplate(reportType, recordType))
        m_pages.push_back(std::make_unique<CRptPicturesPage>(pictures));
    if (summary)
        m_pages.push_back(std::make_unique<CRptSourcesPage>());
    m_pages.push_back(std::make_unique<CRptFormatPage>());
    m_pages.push_back(std::make_unique<CRptPageLayoutPage>());
    for (const std::unique_ptr<CRptPage>& page : m_pages) {
        page->SetOptsSheet(this);
        AddPage(page.get());
    }
}

CRptOptsDlg::~CRptOptsDlg() = default;

BOOL CRptOptsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if ((id != IDOK && id != ID_APPLY_NOW) || (lParam && HIWORD(wParam) != BN_CLICKED))
        return CPropertySheet::OnCommand(wParam, lParam);
    m_applied = true;
    // A page keeps the sheet open when the exchange of the page shown is refused.
    if (CPropertyPage* active = GetActivePage(); active && !active->UpdateData(TRUE))
        m_applied = false;
    if (!m_applied)
        return TRUE;
    CPropertySheet::OnCommand(wParam, lParam);
    if (m_applied)
        Commit();
    return TRUE;
}

void CRptOptsDlg::Commit()
{
    CRptGen* report = m_window.GetReport();
    if (!report)
        return;
    report->Settings().Copy(m_copy, kRptPartAll, false);
    const std::string path = GetReportFilePath(report->GetName(), report->IsCustom());
    if (!path.empty()) {
        CSettingsStore store(path);
        CheckSaved(report->Settings().Save(store, kRptPartAll));
    }
    m_window.Rebuild(false);
}
