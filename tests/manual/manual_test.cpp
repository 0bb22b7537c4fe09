// tests/manual/manual_test.cpp: the user manual, its pages and the tutorial files as the build
// installs them beside the program: every Help menu command finds its file, every tutorial file
// opens through its command without a line for the exception report, the pages link only to
// sections and pictures that exist, and the PDF holds every chapter.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"
#include "app/shell/help_commands.h"

#include "database/gedcom/gedcom_loader.h"
#include "platform/base/paths.h"
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
        // The installation names the build's program folder as its help files folder.
        const std::string value = kProgramFolder + "/PROGRAM";
        HKEY key = nullptr;
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                       &key, nullptr);
        RegSetValueEx(key, "Help Files Directory", 0, REG_SZ,
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
        TopicCase{"A window the manual does not know", kSubViewQuery, "09-queries.html"}),
    [](const auto& info) { return "Row" + std::to_string(info.index); });

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
