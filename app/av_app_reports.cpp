// app/av_app_reports.cpp: the Reports menu, the report services, a saved report opened from its
// menu and the Report window that shows a report opened by name.
#include "app/av_app.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/sub_view.h"
#include "platform/base/paths.h"
#include "reports/rpt_catalogue.h"
#include "reports/rpt_gen.h"
#include "reports/rpt_gen_make.h"
#include "reports/window/rpt_services.h"
#include "reports/window/sub_view_report.h"

namespace {

constexpr UINT ID_REPORT_INDIVIDUAL_SUMMARY = 33048, ID_REPORT_FAMILY_GROUP_SHEET = 33075;

/// The report window as the catalogue reaches it.
class CAppReportHost final : public IRptWindowHost {
public:
    explicit CAppReportHost(CAvApp& app) : m_app(app) {}
    bool OpenReportWindow(std::unique_ptr<CRptGen> report) override
    {
        return m_app.OpenReportWindow(std::move(report));
    }

private:
    CAvApp& m_app;
};

} // namespace

bool CAvApp::OpenReportWindow(std::unique_ptr<CRptGen> report)
{
    if (!report)
        return false;
    bool taken = false;
    ShowInWindowOfKind(kSubViewReport, RuntimeClassOf<CSubViewReport>(),
                       [&report, &taken](CSubView& pane) {
                           if (auto* window = dynamic_cast<CSubViewReport*>(&pane)) {
                               window->SetReport(std::move(report));
                               taken = true;
                           }
                       });
    return taken;
}

void CAvApp::MapReportCommands()
{
    static CAppReportHost host(*this);
    InstallReportServices(m_printer);
    SetRptGenMaker(RptMakeGenerator);
    SetRptWindowHost(&host);
    MapCommand(ID_REPORT_INDIVIDUAL_SUMMARY,
               [] { OpenReport(GetIndividualSummaryReportName(), false); });
    MapCommand(ID_REPORT_FAMILY_GROUP_SHEET, [] { OpenReport(GetFamilyGroupSheetName(), false); });
}

void CAvApp::OpenSavedReport(const std::string& path)
{
    const bool custom = paths::Folder(path) == GetReportFolderPath(true);
    std::string title = paths::FileName(path);
    title = title.substr(0, title.rfind('.'));
    OpenReport(title, custom);
}
