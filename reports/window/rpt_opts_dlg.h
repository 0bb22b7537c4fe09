// reports/window/rpt_opts_dlg.h: the Report Options sheet over a working copy of the shown
// report's settings: OK and Apply copy it back, save it in the report's file and rebuild.
//
// Pages by report type: Contents, Pictures, Sources, Format, Page Layout; CRptPage is the base of
// the pages. A page whose exchange is refused keeps the sheet open and nothing is saved. The
// working copy is taken when the sheet is made; a page reads and writes only that copy, and only OK
// or Apply touches the generator.
//
// Trap: lengths shown as inches are hundredths in the settings and are read digit by digit
// (ReadHundredths): "0.29" is 29, never 28 through a binary fraction; text without a leading digit
// reads 0, so a typed "-1" margin is 0; on the Page Layout page text without any digit is refused
// ("Enter a number.").
#pragma once

#include "platform/ui/dialogs/property_page.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "reports/rpt_settings.h"

#include <memory>
#include <vector>

class CSubViewReport;
class CRptOptsDlg;

/// The base of the option pages: the sheet's working copy, the page's part for Installation
/// Settings, and a refused exchange that keeps the sheet from saving.
class CRptPage : public CPropertyPage {
public:
    CRptPage(UINT templateId, int part) : CPropertyPage(templateId), m_part(part) {}
    void SetOptsSheet(CRptOptsDlg* sheet) { m_opts = sheet; }
    CRptSettings& Copy();
    /// Exchanges the controls into the copy; a refusal clears the sheet's applied flag.
    void OnOK() override;
    /// Restores the page's part from the report type file, then shows it again.
    void RestoreInstalled();

protected:
    CRptOptsDlg* m_opts = nullptr;
    int m_part;
};

class CRptOptsDlg final : public CPropertySheet {
public:
    /// The sheet's pages for the window's report, over a copy of its settings taken now.
    CRptOptsDlg(CSubViewReport& window, const char* caption, CWnd* parent, int reportType,
                int recordType, int firstPage = 0);
    ~CRptOptsDlg() override;

    CRptSettings& GetCopy() { return m_copy; }
    void ClearApplied() { m_applied = false; }
    CSubViewReport& GetWindow() { return m_window; }
    int GetReportType() const { return m_reportType; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    /// Copies the working copy back, saves it in the report's file and rebuilds the report.
    void Commit();

    CSubViewReport& m_window;
    CRptSettings m_copy;
    std::vector<std::unique_ptr<CRptPage>> m_pages;
    bool m_applied = false;
    int m_reportType;
    int m_recordType;
};
