// common/folder_settings.h: the folders of queries, reports, diagrams and help files that the
// installation names under the program's machine-wide key, and the program folder below them.
#pragma once

#include <string>

/// The folder settings by index, as GetFolderSetting takes them.
enum FolderSetting : int {
    kQueriesFolder = 0,
    kReportTypesFolder = 1,
    kStandardReportsFolder = 2,
    kCustomReportsFolder = 3,
    kStandardDiagramsFolder = 4,
    kCustomDiagramsFolder = 5,
    kHelpFilesFolder = 6,
};

/// Reads folder setting index from the program's machine-wide key with every double quote
/// removed. False for an unknown index, a missing key or value, a value that is not text, or one
/// longer than the settings hold; the program only reads these values.
bool GetFolderSetting(int index, std::string& folder);

/// The program folder: the help files folder without its last part "PROGRAM" (seven
/// characters). False when the help files folder cannot be read or is too short to hold a folder
/// before that part.
bool GetProgramFolder(std::string& folder);

/// The folder of the "Standard" and "Custom" query folders: the queries folder setting; without
/// it, "ardenvel/Queries" in the user's data folder, which the first save of a query makes.
std::string GetQueriesFolder();
/// The folder of the custom or of the standard queries: the "Custom" or "Standard" folder of the
/// queries folder setting. Without the setting, the custom queries are the user's, in the user's
/// data folder ("ardenvel/Queries/Custom"), and the standard queries are those supplied with the
/// program, in the "Queries/Standard" folder beside it.
std::string GetQueryKindFolder(bool custom);
/// The folder of the custom diagrams: the "Custom Diagram Directory" setting; without it (or with
/// it empty), "ardenvel/Diagrams/Custom" in the user's data folder, which the first save makes.
std::string GetCustomDiagramsFolder();
