// reports/rpt_catalogue.h: the three report folders (types, Standard, Custom), restoring missing
// standard reports from the types, and locating a report by name: its class chooses the
// generator.
//
// GetReportsFolder: the folder settings, else "Reports/Types" beside the program and
// "ardenvel/Reports/Standard" and ".../Custom" in the user's data folder. FindReportClass knows the
// 14 classes. LocateReport finds what a report opened by name is; the window side's open flow
// (reports/window/rpt_open_flow.h) asks for its records, makes the generator (rpt_gen_make.h)
// and shows it. The report type files, one per class, are resources/reports/*.avr; the build
// copies them to build/app/Reports/Types.
//
// Trap: a report name and a Template value read from a file become paths only through
// ReportFilePath, which refuses what CheckReportName refuses: a Template naming "../../x" is
// "Report type not recognised" with the check's reason, and nothing outside the folders is read.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

/// The generator a report opened by name asks for.
struct RptGenRequest {
    int type = 0;
    std::string name;
    bool custom = false;
    int recordType = -1;
    /// The named list of a List report.
    std::string listName;
};

/// The message of a report whose type cannot be told.
inline constexpr const char* kRptTypeNotRecognised = "Report type not recognised";
/// Finds a report by name in the Standard or Custom folder: its Template, a missing standard
/// report restored from the types (waited for a few seconds, idle running over and over while
/// it waits), and the type's class: the generator type in type and the record type of a record
/// report (else -1) in recordType. False with the message that says what went wrong in refusal.
bool LocateReport(std::string_view name, bool custom, const std::function<void()>& idle, int& type,
                  int& recordType, std::string& refusal);
