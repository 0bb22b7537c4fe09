// app/shell/help_commands.cpp: opening the user manual, its pages at a window's topic, and the
// tutorial files.
#include "app/shell/help_commands.h"

#include "app/shell/app_ids.h"

#include "common/file_utils.h"
#include "common/folder_settings.h"
#include "common/shell_open.h"
#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/app.h"

#include <cctype>
#include <string_view>

namespace {

struct Tutorial {
    UINT id;
    const char* file;
};

constexpr Tutorial kTutorials[] = {
    {ID_TUTORIAL_1, "Tutorial - Chapter 1.GED"},
    {ID_TUTORIAL_4, "Tutorial - Chapter 4.GED"},
    {ID_TUTORIAL_5, "Tutorial - Chapter 5.GED"},
    {ID_TUTORIAL_6, "Tutorial - Chapter 6.GED"},
    {ID_TUTORIAL_9, "Tutorial - Chapter 9.GED"},
    {ID_TUTORIAL_10, "Tutorial - Chapter 10.GED"},
    {ID_TUTORIAL_13, "Tutorial - Chapter 13 (Chapter 4 modified).GED"},
    {ID_TUTORIAL_15, "Tutorial - Chapter 15.GED"},
};

/// A window whose caption starts with caption is told of at topic.
struct CaptionTopic {
    const char* caption;
    const char* topic;
};

constexpr CaptionTopic kCaptionTopics[] = {
    {"Record Properties", "05-record-properties.html"},
    {"Add Event", "05-record-properties.html#events"},
    {"Add Custom Event", "05-record-properties.html#events"},
    {"Add Note", "07-sources-and-notes.html#notes"},
    {"Select Individual", "05-record-properties.html#relatives"},
    {"Select Couple", "05-record-properties.html#relatives"},
    {"Specify Family for Parent and Child", "05-record-properties.html#relatives"},
    {"Find Record", "04-records-window.html#find-record"},
    // A report's choice of records, before the records window's choice of one record.
    {"Select Records", "12-reports.html#records"},
    {"Select Record", "04-records-window.html#find-record"},
    {"Record Links", "04-records-window.html#record-links"},
    {"Record Window Defaults", "04-records-window.html#options"},
    {"Date Entry Assistant", "06-dates-and-assistants.html#date-assistant"},
    {"Age Entry Assistant", "06-dates-and-assistants.html#age-assistant"},
    {"New Source Record", "07-sources-and-notes.html#sources"},
    {"New Repository", "07-sources-and-notes.html#sources"},
    {"Set Automatic Source Citation", "07-sources-and-notes.html#automatic-citation"},
    {"Add To Named List", "08-named-lists.html#adding"},
    {"Remove Items From Named List", "08-named-lists.html#adding"},
    {"Create New Named List", "08-named-lists.html#pane"},
    {"List Properties", "08-named-lists.html#pane"},
    {"Select Named List", "08-named-lists.html#pane"},
    {"Delete All Records in Named List", "08-named-lists.html#deleting"},
    {"Enter Query Parameters", "09-queries.html#parameters"},
    {"New Custom Query", "09-queries.html#new-query"},
    {"Save As Custom Query", "09-queries.html#saving"},
    {"Select Query", "09-queries.html#opening"},
    {"Unsaved Changes to Query", "09-queries.html#saving"},
    {"Set or Clear Marks", "11-diagram-options.html#quick"},
    {"Split Tree Helper", "09-queries.html#split-tree"},
    {"Data Reference Assistant", "09-queries.html#data-references"},
    {"Diagram Wizard", "10-diagrams.html#kinds"},
    {"Diagram Defaults", "11-diagram-options.html"},
    {"Diagram Options", "11-diagram-options.html#pages"},
    {"Title Options", "11-diagram-options.html#pages"},
    {"More Dimensions", "11-diagram-options.html#pages"},
    {"Colours", "11-diagram-options.html#colours"},
    {"Override Default Text", "11-diagram-options.html#quick"},
    {"Set Diagram Size When Printed", "11-diagram-options.html#printing"},
    {"Save As Custom Diagram", "11-diagram-options.html#saving"},
    {"New Text Template Scheme Name", "11-diagram-options.html#text"},
    {"Report Options", "12-reports.html#options"},
    {"Edit Item Details", "12-reports.html#options"},
    {"Heading Style", "12-reports.html#options"},
    {"Heading Details", "12-reports.html#options"},
    {"Gaps Around Pictures", "12-reports.html#options"},
    {"Go To Page", "12-reports.html#window"},
    {"Save Report As", "12-reports.html#output"},
    {"Save As Custom Report", "12-reports.html#custom"},
    {"Merge Results", "13-merge-and-compare.html#merging"},
    {"Merge", "13-merge-and-compare.html"},
    {"Source details for merge", "13-merge-and-compare.html#merging"},
    {"New Object Options", "14-multimedia.html#inserting"},
    {"Work with External File Links", "14-multimedia.html#file-links"},
    {"Backup Family Tree File?", "15-backup-and-tools.html#backup"},
    {"Re-order Out-of-Sequence Data", "15-backup-and-tools.html#reorder"},
    {"Work with Record Identifiers", "15-backup-and-tools.html#record-identifiers"},
    {"Preferences", "16-preferences.html"},
};

/// A window of the run-time class is told of at topic, whatever its caption.
constexpr CaptionTopic kClassTopics[] = {
    {"CPropertiesDlg", "05-record-properties.html"},
};

const char* KindTopic(int viewKind)
{
    switch (viewKind) {
    case kSubViewRecords:
        return "04-records-window.html";
    case kSubViewDiagram:
        return "10-diagrams.html";
    case kSubViewMedia:
        return "14-multimedia.html";
    case kSubViewQuery:
        return "09-queries.html";
    case kSubViewReport:
        return "12-reports.html";
    default:
        return kHelpContentsPage;
    }
}

/// Opens a page of the user manual; a failure is shown in a stop box.
void OpenShown(const std::string& target)
{
    if (const ShellOpenOutcome opened = ShellOpenFile("open", target); !opened)
        MessageBox(opened.failure, MB_OK | MB_ICONSTOP);
}

/// "Help is not available." and where the user manual should be.
void ReportMissingManual(bool forHelp)
{
    MessageBox(std::string(forHelp ? "Help is not available.  " : "") +
                   "The user manual could not be found.  It should be the file \"" +
                   UserManualPath() + "\".",
               MB_OK | MB_ICONEXCLAMATION);
}

/// Percent-encodes what a file address may not hold as it stands (spaces above all).
std::string FileAddress(const std::string& path)
{
    static constexpr std::string_view kPlain = "/-._~";
    std::string address = "file://";
    for (const unsigned char c : path) {
        if (std::isalnum(c) || kPlain.find(char(c)) != std::string_view::npos) {
            address += char(c);
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            address += '%';
            address += kHex[c >> 4];
            address += kHex[c & 15];
        }
    }
    return address;
}

} // namespace

std::string HelpFilesFolder()
{
    std::string folder;
    if (!GetProgramFolder(folder))
        folder = GetModuleDirectory();
    return paths::ToNative(folder);
}

std::string UserManualPath()
{
    return paths::Join(HelpFilesFolder(), kUserManualName);
}

void ReportNoWebSite()
{
    MessageBox(kNoWebSiteMessage, MB_OK | MB_ICONINFORMATION);
}

void OpenUserManual()
{
    const std::string path = UserManualPath();
    if (!paths::IsFile(path)) {
        ReportMissingManual(false);
        return;
    }
    OpenShown(path);
}

std::string HelpTopic(const std::string& caption, int viewKind, const std::string& windowClass)
{
    for (const CaptionTopic& entry : kClassTopics)
        if (windowClass == entry.caption)
            return entry.topic;
    for (const CaptionTopic& entry : kCaptionTopics)
        if (!caption.empty() && caption.rfind(entry.caption, 0) == 0)
            return entry.topic;
    return KindTopic(viewKind);
}

void OpenHelpTopic(const std::string& topic)
{
    const std::size_t hash = topic.find('#');
    const std::string page =
        paths::Join(paths::Join(HelpFilesFolder(), kHelpPagesFolder), topic.substr(0, hash));
    if (paths::IsFile(page)) {
        const std::string section = hash == std::string::npos ? "" : topic.substr(hash);
        OpenShown(FileAddress(page) + section);
        return;
    }
    if (!paths::IsFile(UserManualPath())) {
        ReportMissingManual(true);
        return;
    }
    OpenShown(UserManualPath());
}

std::string TutorialFileName(UINT commandId)
{
    for (const Tutorial& tutorial : kTutorials)
        if (tutorial.id == commandId)
            return tutorial.file;
    return {};
}

void OpenTutorialFile(UINT commandId)
{
    const std::string path =
        paths::Join(paths::Join(HelpFilesFolder(), kTutorialFolder), TutorialFileName(commandId));
    if (!paths::IsFile(path)) {
        MessageBox("Unable to open tutorial file", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (CWinApp* app = AfxGetApp())
        app->OpenDocumentFile(path.c_str());
}
