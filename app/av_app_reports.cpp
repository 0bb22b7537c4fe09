// app/av_app_reports.cpp: the Reports menu, the report services, a saved report opened from its
// menu and the Report window that shows a report opened by name.
#include "app/av_app.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/sub_view.h"
#include "platform/base/paths.h"
#include "reports/rpt_catalogue.h"
#include "reports/rpt_gen.h"
#include "reports/window/rpt_services.h"
#include "reports/window/sub_view_report.h"

namespace {

constexpr UINT ID_REPORT_INDIVIDUAL_SUMMARY = 33048, ID_REPORT_FAMILY_GROUP_SHEET = 33075;

} // namespace

bool CAvApp::OpenReportWindow(std::unique_ptr<CRptGen> report)
{
    if (!report || !m_reports)
        return false;
    bool taken = false;
    IRptDevice& device = m_reports->Device();
    ShowInWindowOfKind(kSubViewReport, RuntimeClassOf<CSubViewReport>(),
                       [&report, &taken, &device](CSubView& pane) {
                           if (auto* window = dynamic_cast<CSubViewReport*>(&pane)) {
                               window->SetReport(std::move(report), device);
                               taken = true;
                           }
                       });
    return taken;
}

void CAvApp::MapReportCommands()
{
    m_reports = std::make_unique<CRptServices>(m_printer, [this](std::unique_ptr<CRptGen> report) {
        return OpenReportWindow(std::move(report));
    });
    const CRptOpenFlow& flow = m_reports->Flow();
    MapCommand(ID_REPORT_INDIVIDUAL_SUMMARY,
               [&flow] { flow.OpenReport(GetIndividualSummaryReportName(), false); });
    MapCommand(ID_REPORT_FAMILY_GROUP_SHEET,
               [&flow] { flow.OpenReport(GetFamilyGroupSheetName(), false); });
}

void CAvApp::OpenSavedReport(const std::string& path)
{
    const bool custom = paths::Folder(path) == GetReportFolderPath(true);
    std::string title = paths::FileName(path);
    title = title.substr(0, title.rfind('.'));
    m_reports->Flow().OpenReport(title, custom);
}
