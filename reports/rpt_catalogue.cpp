// reports/rpt_catalogue.cpp: the report folders, restoring standard reports from the report types,
// and locating a report by name.
#include "reports/rpt_catalogue.h"

#include "common/folder_settings.h"
#include "platform/base/paths.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "reports/report_name.h"
#include "reports/rpt_gen.h"
#include "reports/rpt_retry.h"
#include "reports/rpt_settings.h"

#include <algorithm>
#include <array>

namespace {

struct ReportClass {
    const char* name;
    int type;
    int recordType;
};

constexpr std::array<ReportClass, 14> kReportClasses{{
    {"Individual", kRptTypeInd, -1},
    {"Family", kRptTypeFam, -1},
    {"Source", kRptTypeSrc, -1},
    {"Descendant", kRptTypeDesc, -1},
    {"Ancestor", kRptTypeAnc, -1},
    {"List", kRptTypeList, -1},
    {"Rec-Ind", kRptTypeRec, 0},
    {"Rec-Fam", kRptTypeRec, 1},
    {"Rec-Not", kRptTypeRec, 2},
    {"Rec-Src", kRptTypeRec, 3},
    {"Rec-Rep", kRptTypeRec, 4},
    {"Rec-Sbr", kRptTypeRec, 5},
    {"Rec-Sbn", kRptTypeRec, 6},
    {"Rec-Obj", kRptTypeRec, 7},
}};

/// A missing standard report is looked for again this many times, a second apart.
constexpr int kReportWaits = 5;
constexpr DWORD kReportWaitInterval = 1000;

constexpr const char* kNotFound = "Report not found";

/// A folder without its trailing separators (the root excepted).
std::string WithoutTrailingSeparator(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

} // namespace

std::string GetReportsFolder(int kind)
{
    if (kind < kRptTypesFolder || kind > kRptCustomFolder)
        return {};
    const int setting = kind == kRptTypesFolder      ? kReportTypesFolder
                        : kind == kRptStandardFolder ? kStandardReportsFolder
                                                     : kCustomReportsFolder;
    std::string folder;
    if (GetFolderSetting(setting, folder) && !text::Trim(folder).empty())
        return WithoutTrailingSeparator(paths::ToNative(text::Trim(folder)));
    if (kind == kRptTypesFolder)
        return paths::Join(paths::ProgramFolder(), "Reports/Types");
    return paths::Join(paths::DataHome(), kind == kRptStandardFolder ? "ardenvel/Reports/Standard"
                                                                     : "ardenvel/Reports/Custom");
}

std::string GetReportFolderPath(bool custom)
{
    return GetReportsFolder(custom ? kRptCustomFolder : kRptStandardFolder);
}

std::string GetReportTypesFolderPath()
{
    return GetReportsFolder(kRptTypesFolder);
}

std::string GetReportFilePath(std::string_view name, bool custom)
{
    return ReportFilePath(GetReportFolderPath(custom), name);
}

std::string GetReportTypeFilePath(std::string_view name)
{
    return ReportFilePath(GetReportTypesFolderPath(), name);
}

const char* GetIndividualSummaryReportName()
{
    return "Individual Summary Report";
}

const char* GetFamilyGroupSheetName()
{
    return "Family Group Sheet";
}

const char* GetSourceReportName()
{
    return "Source Report";
}

bool FindReportClass(std::string_view reportClass, int& type, int& recordType)
{
    if (reportClass.empty())
        return false;
    const char first =
        char(text::ToUpperChar(char32_t(static_cast<unsigned char>(reportClass[0]))));
    for (const ReportClass& row : kReportClasses) {
        if (row.name[0] != first || !text::EqualsNoCase(row.name, reportClass))
            continue;
        type = row.type;
        recordType = row.recordType;
        return true;
    }
    return false;
}

bool ScanReportsFolder(const std::vector<std::string>* knownNames)
{
    const std::string standard = GetReportFolderPath(false);
    const std::string types = GetReportTypesFolderPath();
    std::vector<std::string> listed;
    if (!knownNames) {
        listed = paths::ListFolder(standard, "*.avr");
        knownNames = &listed;
    }
    bool copied = false;
    bool folderMade = false;
    for (const std::string& file : paths::ListFolder(types, "*.avr")) {
        const bool known =
            std::any_of(knownNames->begin(), knownNames->end(),
                        [&](const std::string& name) { return text::EqualsNoCase(name, file); });
        const std::string name = file.substr(0, file.size() - 4);
        if (known || !CheckReportName(name))
            continue;
        if (!folderMade)
            folderMade = paths::MakeDirectories(standard);
        if (paths::CopyFile(paths::Join(types, file), ReportFilePath(standard, name), true))
            copied = true;
    }
    return copied;
}

bool LocateReport(std::string_view name, bool custom, const std::function<void()>& idle, int& type,
                  int& recordType, std::string& refusal)
{
    if (!CheckReportName(name, &refusal))
        return false;
    const std::string path = GetReportFilePath(name, custom);
    std::string reportTemplate = ReadReportTemplate(path);
    if (!custom && reportTemplate.empty()) {
        CWaitCursor wait;
        ScanReportsFolder();
        WaitAndRetry(
            [&] {
                reportTemplate = ReadReportTemplate(path);
                return !reportTemplate.empty();
            },
            kReportWaits, kReportWaitInterval, idle);
    }
    if (reportTemplate.empty()) {
        refusal = kNotFound;
        return false;
    }
    // The Template value names a file of the types folder: it must stay a plain name there.
    std::string reason;
    if (!CheckReportName(reportTemplate, &reason)) {
        refusal = std::string(kRptTypeNotRecognised) + ": " + reason;
        return false;
    }
    if (!FindReportClass(ReadReportClass(GetReportTypeFilePath(reportTemplate)), type,
                         recordType)) {
        refusal = kRptTypeNotRecognised;
        return false;
    }
    return true;
}
