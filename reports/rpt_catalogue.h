// reports/rpt_catalogue.h: the three report folders (types, Standard, Custom), restoring missing
// standard reports from the types, and opening a report by name: its class chooses the
// generator, which the report window is handed.
//
// GetReportsFolder: the folder settings, else "Reports/Types" beside the program and
// "ardenvel/Reports/Standard" and ".../Custom" in the user's data folder. FindReportClass knows the
// 14 classes. The concrete generators come from the installed RptGenMaker; the report window takes
// them through IRptWindowHost. The report type files, one per class, are resources/reports/*.avr;
// the build copies them to build/app/Reports/Types.
//
// Trap: a report name and a Template value read from a file become paths only through
// ReportFilePath, which refuses what CheckReportName refuses: a Template naming "../../x" is
// "Report type not recognised" with the check's reason, and nothing outside the folders is read.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CRptGen;

/// Folder kinds: report types (master copies), standard reports, custom reports.
inline constexpr int kRptTypesFolder = 1, kRptStandardFolder = 2, kRptCustomFolder = 3;

/// The folder of a kind, without quotes or a trailing separator; empty for any other kind.
/// Without a folder setting the types lie in "Reports/Types" beside the program, the standard
/// and custom reports in "ardenvel/Reports/Standard" and ".../Custom" of the user's data folder.
std::string GetReportsFolder(int kind);
std::string GetReportFolderPath(bool custom);
std::string GetReportTypesFolderPath();
/// The report file of name in the Standard or Custom folder; empty for a refused name.
std::string GetReportFilePath(std::string_view name, bool custom);
/// The report type file of name; empty for a refused name.
std::string GetReportTypeFilePath(std::string_view name);

const char* GetIndividualSummaryReportName();
const char* GetFamilyGroupSheetName();
const char* GetSourceReportName();

/// The generator type (0-6) and, for record reports, the record type (0-7, else -1) of a Class
/// value, compared without regard to case; false for a class not in the table.
bool FindReportClass(std::string_view reportClass, int& type, int& recordType);

/// Copies each report type file whose name is not in knownNames (file names with ".avr"; null:
/// those in the Standard folder) into the Standard folder. True when it copied any.
bool ScanReportsFolder(const std::vector<std::string>* knownNames = nullptr);

/// What the report window is asked to show, and what makes the generators.
struct RptGenRequest {
    int type = 0;
    std::string name;
    bool custom = false;
    int recordType = -1;
    /// The named list of a List report.
    std::string listName;
};
using RptGenMaker = std::function<std::unique_ptr<CRptGen>(const RptGenRequest&)>;
/// Installs the maker of the concrete generators; without one no report can be shown.
void SetRptGenMaker(RptGenMaker maker);

/// The report window as reports reach it: it takes the generator (true) or lets it go.
class IRptWindowHost {
public:
    virtual ~IRptWindowHost() = default;
    virtual bool OpenReportWindow(std::unique_ptr<CRptGen> report) = 0;
};
void SetRptWindowHost(IRptWindowHost* host);

/// Opens a report by name from the Standard or Custom folder: finds its Template, restores a
/// missing standard report from the types (waiting for it a few seconds), reads the type's
/// class and displays it. Messages say what went wrong; false when no report was shown.
bool OpenReport(std::string_view name, bool custom);
/// Asks for the subject records (or the named list), makes the generator and hands it to the
/// report window. False when cancelled or refused (with its message).
bool DisplayReport(int type, std::string_view name, bool custom, int recordType);
