// tests/manual/manual_test.cpp: the user manual, its pages and the tutorial files as the build
// installs them beside the program: every Help menu command finds its file, every tutorial file
// opens through its command without a line for the exception report, F1 in the diagram and report
// windows and in their dialogs and sheets opens their section, the pages link only to sections and
// pictures that exist, and the PDF holds every chapter.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"
#include "app/shell/help_commands.h"

#include "database/gedcom/gedcom_loader.h"
#include "database/kin/ind_rec.h"
#include "platform/base/paths.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/property_page.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "queries/lists/select_records_dlg.h"
#include "tests/support/pdf_text.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <functional>
#include <regex>
#include <set>

namespace app_test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing::SizeIs;

/// The folder the build installs the program, its manual and tutorial files in.
const std::string kProgramFolder = ARDENVEL_PROGRAM_FOLDER;

class ManualTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        // The installation names the build's program folder as its help files folder, and the
        // report types there.
        HKEY key = nullptr;
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                       &key, nullptr);
        for (const auto& [name, value] :
             {std::pair<std::string, std::string>{"Help Files Directory",
                                                  kProgramFolder + "/PROGRAM"},
              {"Reports Directory - Type", kProgramFolder + "/Reports/Types"}})
            RegSetValueEx(key, name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
        RegCloseKey(key);
        ASSERT_TRUE(Start());
    }

    static std::string Page(const std::string& name)
    {
        return paths::Join(paths::Join(kProgramFolder, kHelpPagesFolder), name);
    }
};

/// A tutorial file's command, and what the file holds.
struct TutorialCase {
    UINT command;
    long individuals;
    long families;
    const char* someone;
};

class TutorialFileTest : public ManualTest, public testing::WithParamInterface<TutorialCase> {};

TEST_P(TutorialFileTest, OpensThroughItsCommandWithNothingForTheExceptionReport)
{
    const TutorialCase& row = GetParam();
    ASSERT_TRUE(Run(row.command));

    EXPECT_EQ(Doc()->GetPathName(), paths::Join(paths::Join(kProgramFolder, kTutorialFolder),
                                                TutorialFileName(row.command)));
    EXPECT_THAT(MessageTexts(), IsEmpty()) << "no exception report is offered";
    EXPECT_EQ(GetLoadExceptionReport(), "") << "the load wrote no exception report";
    EXPECT_EQ(m_app->GetRecordCount(kIndividuals), row.individuals);
    EXPECT_EQ(m_app->GetRecordCount(kFamilies), row.families);
    const std::string text = test_support::ReadFile(Doc()->GetPathName());
    EXPECT_NE(text.find("1 NAME " + std::string(row.someone)), std::string::npos);
    EXPECT_NE(text.find("2 VERS 5.5\r\n"), std::string::npos) << "a GEDCOM 5.5 file";
}

INSTANTIATE_TEST_SUITE_P(Chapters, TutorialFileTest,
                         testing::Values(TutorialCase{ID_TUTORIAL_1, 7, 2, "Thomas /Ashworth/"},
                                         TutorialCase{ID_TUTORIAL_4, 12, 4, "John /Crowther/"},
                                         TutorialCase{ID_TUTORIAL_5, 5, 1, "Robert /Pennington/"},
                                         TutorialCase{ID_TUTORIAL_6, 5, 1, "Grace /Heywood/"},
                                         TutorialCase{ID_TUTORIAL_9, 17, 5, "Thomas /Kershaw/"},
                                         TutorialCase{ID_TUTORIAL_10, 15, 5, "Edward /Fairbank/"},
                                         TutorialCase{ID_TUTORIAL_13, 13, 4, "Dorothy /Ashworth/"},
                                         TutorialCase{ID_TUTORIAL_15, 8, 2, "Walter /Gurney/"}),
                         [](const auto& info) { return "Chapter" + std::to_string(info.index); });

TEST_F(ManualTest, TheChapter13FileIsTheChapter4FileModified)
{
    const std::string folder = paths::Join(kProgramFolder, kTutorialFolder);
    const std::string before =
        test_support::ReadFile(paths::Join(folder, TutorialFileName(ID_TUTORIAL_4)));
    const std::string after =
        test_support::ReadFile(paths::Join(folder, TutorialFileName(ID_TUTORIAL_13)));
    ASSERT_FALSE(before.empty());
    // Every record of the chapter 4 file is still there, under its identifier.
    const std::regex record("\r\n0 (@[A-Z0-9]+@) [A-Z]+\r\n");
    int records = 0;
    for (auto it = std::sregex_iterator(before.begin(), before.end(), record);
         it != std::sregex_iterator(); ++it, ++records)
        EXPECT_NE(after.find((*it)[0].str()), std::string::npos) << (*it)[1];
    EXPECT_GT(records, 15);
    EXPECT_NE(before, after);
}

TEST_F(ManualTest, EveryHelpMenuCommandFindsItsFile)
{
    ASSERT_TRUE(Run(ID_USER_MANUAL));
    EXPECT_THAT(TestHooks::TakeShellOpens(),
                ElementsAre(paths::Join(kProgramFolder, kUserManualName)));
    for (const UINT command : {ID_HELP_FINDER, ID_DEFAULT_HELP, ID_HELP, ID_CONTEXT_HELP}) {
        SCOPED_TRACE(command);
        ASSERT_TRUE(Run(command));
        const std::vector<std::string> opened = TestHooks::TakeShellOpens();
        ASSERT_THAT(opened, SizeIs(1));
        EXPECT_THAT(opened[0], testing::StartsWith("file://"));
        EXPECT_THAT(opened[0],
                    testing::EndsWith("/User%20Manual/" +
                                      std::string(command == ID_HELP || command == ID_CONTEXT_HELP
                                                      ? "04-records-window.html"
                                                      : kHelpContentsPage)))
            << "the records window is the active window";
    }
    EXPECT_THAT(MessageTexts(), IsEmpty());
}

TEST_F(ManualTest, HelpOnADialogOpensItsSection)
{
    // The record identifiers dialog's Help button, and F1 wherever the focus is in it.
    constexpr UINT kRecordIdsTemplate = 320;
    const std::vector<std::function<void(CDialog&)>> asks = {
        [](CDialog& dialog) { TestHooks::Click(dialog, int(ID_HELP)); },
        [](CDialog& dialog) {
            TestHooks::PostKey(dialog, VK_F1, 0);
            TestHooks::DeliverPosted();
        },
    };
    for (const auto& ask : asks) {
        TestHooks::OnNextDialog(kRecordIdsTemplate, [&ask](CDialog& dialog) {
            ask(dialog);
            dialog.EndDialog(IDCANCEL);
        });
        ASSERT_TRUE(Run(ID_RECORD_IDS));
        const std::vector<std::string> opened = TestHooks::TakeShellOpens();
        ASSERT_THAT(opened, SizeIs(1));
        EXPECT_THAT(opened[0], testing::EndsWith("/15-backup-and-tools.html#record-identifiers"));
    }
}

/// A window's caption and kind, and the page and section its help opens.
struct TopicCase {
    const char* caption;
    int kind;
    const char* topic;
};

class HelpTopicTest : public ManualTest, public testing::WithParamInterface<TopicCase> {};

TEST_P(HelpTopicTest, TheTopicOfAWindowIsASectionOfTheManual)
{
    const TopicCase& row = GetParam();
    const std::string topic = HelpTopic(row.caption, row.kind);
    EXPECT_EQ(topic, row.topic);
    const std::size_t hash = topic.find('#');
    const std::string page = test_support::ReadFile(Page(topic.substr(0, hash)));
    ASSERT_FALSE(page.empty()) << topic;
    if (hash != std::string::npos) {
        EXPECT_NE(page.find("id=\"" + topic.substr(hash + 1) + "\""), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, HelpTopicTest,
    testing::Values(
        TopicCase{"", kSubViewRecords, "04-records-window.html"},
        TopicCase{"", kSubViewDiagram, "10-diagrams.html"},
        TopicCase{"", kSubViewMedia, "14-multimedia.html"},
        TopicCase{"", kSubViewQuery, "09-queries.html"},
        TopicCase{"", kSubViewReport, "12-reports.html"}, TopicCase{"", kSubViewNone, "index.html"},
        TopicCase{"Record Properties - Robert Pennington", kSubViewRecords,
                  "05-record-properties.html"},
        TopicCase{"Add Event or Attribute for Robert Pennington", kSubViewRecords,
                  "05-record-properties.html#events"},
        TopicCase{"Date Entry Assistant", kSubViewRecords,
                  "06-dates-and-assistants.html#date-assistant"},
        TopicCase{"Age Entry Assistant", 0, "06-dates-and-assistants.html#age-assistant"},
        TopicCase{"Re-order Out-of-Sequence Data: Progress", 0, "15-backup-and-tools.html#reorder"},
        TopicCase{"Merge File", kSubViewRecords, "13-merge-and-compare.html"},
        TopicCase{"Split Tree Helper: Delete Unwanted Records", 0, "09-queries.html#split-tree"},
        TopicCase{"Work with External File Links", 0, "14-multimedia.html#file-links"},
        TopicCase{"Preferences", kSubViewQuery, "16-preferences.html"},
        TopicCase{"A window the manual does not know", kSubViewQuery, "09-queries.html"},
        TopicCase{"Diagram Options", kSubViewDiagram, "11-diagram-options.html#pages"},
        TopicCase{"Diagram Defaults", kSubViewRecords, "11-diagram-options.html"},
        TopicCase{"Title Options", kSubViewDiagram, "11-diagram-options.html#pages"},
        TopicCase{"More Dimensions...", kSubViewDiagram, "11-diagram-options.html#pages"},
        TopicCase{"Colours", kSubViewDiagram, "11-diagram-options.html#colours"},
        TopicCase{"Override Default Text", kSubViewDiagram, "11-diagram-options.html#quick"},
        TopicCase{"Set or Clear Marks for Individuals matching Query", kSubViewDiagram,
                  "11-diagram-options.html#quick"},
        TopicCase{"Set Diagram Size When Printed", kSubViewDiagram,
                  "11-diagram-options.html#printing"},
        TopicCase{"Save As Custom Diagram", kSubViewDiagram, "11-diagram-options.html#saving"},
        TopicCase{"New Text Template Scheme Name", kSubViewDiagram, "11-diagram-options.html#text"},
        TopicCase{"Diagram Wizard", kSubViewRecords, "10-diagrams.html#kinds"},
        TopicCase{"Select Records", kSubViewRecords, "12-reports.html#records"},
        TopicCase{"Select Record", kSubViewRecords, "04-records-window.html#find-record"},
        TopicCase{"Report Options", kSubViewReport, "12-reports.html#options"},
        TopicCase{"Edit Item Details", kSubViewReport, "12-reports.html#options"},
        TopicCase{"Heading Style", kSubViewReport, "12-reports.html#options"},
        TopicCase{"Heading Details", kSubViewReport, "12-reports.html#options"},
        TopicCase{"Gaps Around Pictures", kSubViewReport, "12-reports.html#options"},
        TopicCase{"Go To Page", kSubViewReport, "12-reports.html#window"},
        TopicCase{"Save Report As", kSubViewReport, "12-reports.html#output"},
        TopicCase{"Save As Custom Report", kSubViewReport, "12-reports.html#custom"},
        TopicCase{"Merge Results Dialog", kSubViewRecords, "13-merge-and-compare.html#merging"},
        TopicCase{"Source details for merge", kSubViewRecords,
                  "13-merge-and-compare.html#merging"}),
    [](const auto& info) { return "Row" + std::to_string(info.index); });

/// F1 in a window of the chapter 10 tutorial file, or in a dialog or sheet over it, and the
/// section of the manual it opens.
struct LiveHelpCase {
    const char* what;
    /// The command that shows the window on Edward Fairbank (0: the records window).
    UINT window;
    /// The command that opens the dialog or sheet over it (0: F1 in the window itself).
    UINT dialog;
    bool sheet;
    const char* section;
};

class LiveHelpTest : public ManualTest, public testing::WithParamInterface<LiveHelpCase> {
protected:
    /// Edward Fairbank, shown and selected in the records window.
    void SelectEdward()
    {
        CDataNode* root = GetRecordTypeRoot(0);
        for (CDataNode* node = root ? root->GetFirstChild() : nullptr; node;
             node = node->GetNextSibling()) {
            auto* person = dynamic_cast<CIndRec*>(node);
            char name[128] = {};
            if (person && text::EqualsNoCase(person->CopyNameText(name, int(sizeof name)),
                                             "Edward Fairbank")) {
                m_app->ShowRecordInRecordsWindow(person, TRUE);
                TestHooks::DeliverPosted();
                TestHooks::RunIdle();
                return;
            }
        }
        FAIL() << "no Edward Fairbank";
    }
};

TEST_P(LiveHelpTest, F1OpensTheSectionOfTheWindowOrDialogInFront)
{
    constexpr UINT kIndividualSummaryReport = 33048;
    const LiveHelpCase& row = GetParam();
    ASSERT_TRUE(Run(ID_TUTORIAL_10));
    SelectEdward();
    if (row.window == kIndividualSummaryReport) {
        TestHooks::OnNextDialog(kSelectRecordsTemplate,
                                [](CDialog& dialog) { TestHooks::Click(dialog, IDOK); });
    }
    if (row.window != 0) {
        ASSERT_TRUE(Run(row.window));
        TestHooks::DeliverPosted();
        TestHooks::RunIdle();
    }
    TestHooks::TakeShellOpens();
    bool stayedOpen = false;
    if (row.dialog == 0) {
        ASSERT_TRUE(Run(ID_HELP));
        stayedOpen = true;
    } else if (row.sheet) {
        TestHooks::OnNextSheet([&stayedOpen](CPropertySheet& sheet) {
            TestHooks::PostKey(*sheet.GetActivePage(), VK_F1, 0);
            TestHooks::DeliverPosted();
            stayedOpen = sheet.IsWindowVisible() != FALSE;
            if (stayedOpen)
                TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
        });
        ASSERT_TRUE(Run(row.dialog));
    } else {
        TestHooks::OnNextDialog(0, [&stayedOpen](CDialog& dialog) {
            TestHooks::PostKey(dialog, VK_F1, 0);
            TestHooks::DeliverPosted();
            stayedOpen = dialog.IsWindowVisible() != FALSE;
            dialog.EndDialog(IDCANCEL);
        });
        ASSERT_TRUE(Run(row.dialog));
    }
    EXPECT_TRUE(stayedOpen) << "help leaves the window as it was";
    const std::vector<std::string> opened = TestHooks::TakeShellOpens();
    ASSERT_THAT(opened, SizeIs(1));
    EXPECT_THAT(opened[0], testing::EndsWith(std::string("/User%20Manual/") + row.section));
    EXPECT_THAT(MessageTexts(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    DiagramsAndReports, LiveHelpTest,
    testing::Values(LiveHelpCase{"DiagramWindow", 32857, 0, false, "10-diagrams.html"},
                    LiveHelpCase{"DiagramOptions", 32857, 32963, true,
                                 "11-diagram-options.html#pages"},
                    LiveHelpCase{"DiagramDefaults", 0, 33024, true, "11-diagram-options.html"},
                    LiveHelpCase{"SelectRecords", 0, 33048, false, "12-reports.html#records"},
                    LiveHelpCase{"ReportWindow", 33048, 0, false, "12-reports.html"},
                    LiveHelpCase{"ReportOptions", 33048, 33066, true, "12-reports.html#options"},
                    LiveHelpCase{"GoToPage", 33048, 33069, false, "12-reports.html#window"},
                    // The box's caption names the record it shows.
                    LiveHelpCase{"RecordProperties", 32802, 0, false, "05-record-properties.html"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(ManualTest, ThePagesLinkOnlyToSectionsAndPicturesThatExist)
{
    const std::string folder = paths::Join(kProgramFolder, kHelpPagesFolder);
    std::map<std::string, std::string> pages;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".html")
            pages[entry.path().filename().string()] = test_support::ReadFile(entry.path());
    ASSERT_THAT(pages, SizeIs(17)) << "the contents and sixteen chapters";

    const std::regex link("href=\"([^\"#]*)(#([^\"]*))?\"");
    const std::regex picture("src=\"([^\"]*)\"");
    const std::regex identifier("id=\"([^\"]*)\"");
    for (const auto& [name, text] : pages) {
        SCOPED_TRACE(name);
        std::set<std::string> seen;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), identifier);
             it != std::sregex_iterator(); ++it)
            EXPECT_TRUE(seen.insert((*it)[1]).second) << "a section named twice: " << (*it)[1];
        for (auto it = std::sregex_iterator(text.begin(), text.end(), link);
             it != std::sregex_iterator(); ++it) {
            const std::string target = (*it)[1].str().empty() ? name : (*it)[1].str();
            if (target == "style.css")
                continue;
            ASSERT_TRUE(pages.count(target)) << "a link to " << target;
            if ((*it)[3].matched) {
                EXPECT_NE(pages[target].find("id=\"" + (*it)[3].str() + "\""), std::string::npos)
                    << "a link to " << target << "#" << (*it)[3];
            }
        }
        for (auto it = std::sregex_iterator(text.begin(), text.end(), picture);
             it != std::sregex_iterator(); ++it)
            EXPECT_TRUE(paths::IsFile(paths::Join(folder, (*it)[1].str()))) << (*it)[1];
    }
}

TEST_F(ManualTest, ThePdfHoldsEveryChapter)
{
    std::string error;
    const auto pages =
        test_support::PdfPageLines(paths::Join(kProgramFolder, kUserManualName), error);
    ASSERT_EQ(error, "");
    EXPECT_GT(pages.size(), 16u) << "a page or more a chapter";
    // Titles may wrap, and the PDF's text writes "fi" and "fl" as their ligatures.
    std::string text;
    for (const auto& page : pages)
        for (const std::string& line : page)
            text += line + " ";
    for (const auto& [ligature, letters] :
         {std::pair{"\xEF\xAC\x81", "fi"}, {"\xEF\xAC\x82", "fl"}})
        for (std::size_t at = text.find(ligature); at != std::string::npos;
             at = text.find(ligature, at))
            text.replace(at, 3, letters);
    for (const char* title :
         {"Ardenvel - User Manual", "Chapter 1: Getting started", "Chapter 4: The Records Window",
          "Chapter 5: The Record Properties box", "Chapter 6: Dates and the entry assistants",
          "Chapter 8: Named lists", "Chapter 9: Queries", "Chapter 10: Diagrams",
          "Chapter 12: Reports", "Chapter 13: Merging and comparing files",
          "Chapter 14: Pictures and other multimedia", "Chapter 15: Backup, restore",
          "Chapter 16: Preferences"})
        EXPECT_NE(text.find(title), std::string::npos) << title;
}

} // namespace
} // namespace app_test
