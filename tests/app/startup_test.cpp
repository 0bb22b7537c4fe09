// tests/app/startup_test.cpp: start-up opens the file the arguments name (never a switch; a
// relative name from the folder the program started in), else the default file, else a new file,
// titles the frame as the untitled file while the named one loads, shows the records window with
// its menu and toolbar, registers the file types, installs the services the libraries below reach
// (taken out again at exit), and ends before the window shows when a step fails.
#include "tests/app/app_fixture.h"

#include "app/shell/saved_file_menus.h"
#include "app/shell_file_types.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/kin/kinship_cache.h"
#include "database/kin/relative_dialogs.h"
#include "database/multimedia/media_content.h"
#include "database/nodes/data_control_host.h"
#include "database/nodes/named_list_store.h"
#include "database/paths/data_expression.h"
#include "database/records/assoc_node.h"
#include "diagrams/text_scheme.h"
#include "diagrams/window/diagram_window_services.h"
#include "diagrams/window/sub_view_rel_tree.h"
#include "platform/base/paths.h"
#include "platform/ui/windows/app.h"
#include "queries/query_eval.h"
#include "queries/query_heading.h"
#include "queries/window/qry_result_grid.h"
#include "records/properties/media_window_opener.h"
#include "records/window/file_links_dlg.h"
#include "records/window/named_lists_pane.h"
#include "reports/window/rpt_control_form.h"

#include <gmock/gmock.h>

#include <filesystem>

namespace app_test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class StartUpTest : public AppTest {};

TEST_F(StartUpTest, WithoutArgumentsOrDefaultFileShowsANewUntitledFile)
{
    ASSERT_TRUE(Start());

    EXPECT_TRUE(Frame()->IsWindowVisible());
    EXPECT_EQ(Doc()->GetTitle(), "Untitled");
    EXPECT_TRUE(Doc()->GetPathName().empty());
    EXPECT_FALSE(Doc()->IsModified());
    std::string caption;
    Frame()->GetWindowText(caption);
    EXPECT_EQ(caption, "Untitled - Ardenvel Riru");
    CAvView* view = nullptr;
    ASSERT_NE(m_app->FindRecordsView(&view), nullptr);
    EXPECT_EQ(m_app->GetActiveAvView(), view);
    EXPECT_EQ(ShownRows(kIndividuals), 0);
    EXPECT_THAT(MessageTexts(), IsEmpty());
}

TEST_F(StartUpTest, QueryHeadingsAreCompiledByTheTemplateLanguage)
{
    SetHeadingCompiler(nullptr);
    ASSERT_TRUE(Start());
    ASSERT_NE(GetHeadingCompiler(), nullptr);
    EXPECT_NE(GetHeadingCompiler()->Compile("Born =Name()"), nullptr);
}

/// The services the libraries below the application reach, by name, with whether each is there.
std::vector<std::pair<std::string, bool>> Services(const CAvApp& app)
{
    return {{"named lists", GetNamedListStore() != nullptr},
            {"expressions", GetDataExpressionParser() != nullptr},
            {"relationships", GetRelationshipPoolFactory() != nullptr},
            {"headings", GetHeadingCompiler() != nullptr},
            {"multimedia content", GetMediaContentLoader() != nullptr},
            {"multimedia window", CanOpenMediaWindow()},
            {"data controls", GetDataControlHost() != nullptr},
            {"relative dialogs", GetRelativeDialogs() != nullptr},
            {"sex question", GetSexQuestion() != nullptr},
            {"named-lists pane", MakeNamedListsPane() != nullptr},
            {"query parameters", GetQueryParameterDialog() != nullptr},
            {"moved file links", GetFileLinksDialog() != nullptr},
            {"query record opener", CQryResultGrid::HasRecordOpener()},
            {"diagram defaults", HasDiagramWindowDefaults()},
            {"diagram change feed", DiagramWindowChanges() != nullptr},
            {"diagram properties opener", CRelTreeProperties::HasOpener()},
            {"report record opener", CRptControlForm::HasRecordOpener()},
            {"report folders", CSavedFileMenus::HasReportFolders()},
            {"saved queries", app.CanOpenSavedFile(SavedFileKind::kQuery)},
            {"saved diagrams", app.CanOpenSavedFile(SavedFileKind::kDiagram)},
            {"saved reports", app.CanOpenSavedFile(SavedFileKind::kReport)}};
}

TEST_F(StartUpTest, EveryServiceStandsFromStartUpUntilExit)
{
    ASSERT_TRUE(Start());
    for (const auto& [name, installed] : Services(*m_app))
        EXPECT_TRUE(installed) << name;

    // Nothing the libraries keep may reach the application once it has gone.
    m_app->ExitInstance();
    for (const auto& [name, installed] : Services(*m_app))
        EXPECT_FALSE(installed) << name;
}

TEST_F(StartUpTest, TextSchemesHoldEveryBuiltInSchemeOnceCompiled)
{
    ASSERT_TRUE(Start());
    const CTextSchemeList& schemes = m_app->GetDiagramDefaults().TextSchemes();
    for (const BuiltInScheme& scheme : BuiltInSchemes())
        EXPECT_NE(schemes.FindScheme(scheme.name), nullptr) << scheme.name;
}

TEST_F(StartUpTest, RecordsWindowBringsItsMenuAndToolbarOnly)
{
    ASSERT_TRUE(Start());

    EXPECT_THAT(MenuTitles(),
                ElementsAre("&File", "&Edit", "&View", "&Insert", "Dia&grams", "&Queries",
                            "&Reports", "&Tools", "&Lists", "&Window", "&Help"));
    EXPECT_TRUE(Frame()->GetToolBar(kStandardBar).IsWindowVisible());
    EXPECT_TRUE(Frame()->GetToolBar(kRecordsBar).IsWindowVisible());
    EXPECT_FALSE(Frame()->GetToolBar(kDiagramBar).IsWindowVisible());
    EXPECT_FALSE(Frame()->GetToolBar(kMediaBar).IsWindowVisible());
    EXPECT_EQ(Frame()->GetCurrentStatusBar(), 59393u);
}

TEST_F(StartUpTest, TheNamedFileWinsOverTheDefaultFile)
{
    const std::string named = WriteGedcom("named.ged", kFamilyFile);
    Prefs().m_defaultFile = WriteGedcom("default.ged", kSingleFile);
    SavePreferences();

    ASSERT_TRUE(Start({named}));

    EXPECT_EQ(Doc()->GetPathName(), named);
    EXPECT_EQ(Doc()->GetTitle(), "named.ged");
    EXPECT_EQ(ShownRows(kIndividuals), 2);
    EXPECT_EQ((*m_app->GetRecentFileList())[0], named);
}

TEST_F(StartUpTest, TheDefaultFileOpensWhenNoneIsNamed)
{
    const std::string defaultFile = WriteGedcom("default.ged", kSingleFile);
    Prefs().m_defaultFile = "  " + defaultFile + " ";
    SavePreferences();

    ASSERT_TRUE(Start());

    EXPECT_EQ(Doc()->GetPathName(), defaultFile);
    EXPECT_EQ(ShownRows(kIndividuals), 1);
}

TEST_F(StartUpTest, AMissingDefaultFileGivesANewFileWithoutAMessage)
{
    Prefs().m_defaultFile = m_folder + "/gone.ged";
    SavePreferences();

    ASSERT_TRUE(Start());

    EXPECT_EQ(Doc()->GetTitle(), "Untitled");
    EXPECT_THAT(MessageTexts(), IsEmpty());
}

/// Arguments and whether they name the family file (written as "FILE").
struct ArgumentsCase {
    const char* name;
    std::vector<std::string> arguments;
    bool opensFile;
};

class StartUpArgumentsTest : public AppTest, public testing::WithParamInterface<ArgumentsCase> {};

TEST_P(StartUpArgumentsTest, SwitchesAreNeverTakenForTheFile)
{
    const std::string file = WriteGedcom("family tree.ged", kFamilyFile);
    std::vector<std::string> arguments;
    for (const std::string& argument : GetParam().arguments)
        arguments.push_back(argument == "FILE" ? file : argument);

    ASSERT_TRUE(Start(arguments));

    EXPECT_THAT(MessageTexts(), IsEmpty());
    EXPECT_EQ(Doc()->GetPathName(), GetParam().opensFile ? file : "");
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, StartUpArgumentsTest,
    testing::Values(ArgumentsCase{"SplashSwitch", {"-nosplash"}, false},
                    ArgumentsCase{"SwitchInCapitals", {"--NOSPLASH"}, false},
                    ArgumentsCase{"UnknownSwitch", {"-verbose"}, false},
                    ArgumentsCase{"SwitchBeforeFile", {"-nosplash", "FILE"}, true},
                    ArgumentsCase{"FileBeforeSwitch", {"FILE", "-nosplash"}, true}),
    [](const auto& info) { return std::string(info.param.name); });

/// A file whose header names another place, so that its links are shown while it loads, and
/// whose one picture is named without a folder.
constexpr const char* kMovedFile = "0 HEAD\r\n1 FILE C:\\Old\\moved.ged\r\n1 CHAR UTF-8\r\n"
                                   "0 @O1@ OBJE\r\n1 FORM bmp\r\n1 _FILE p.bmp\r\n0 TRLR\r\n";

TEST_F(StartUpTest, WhileTheNamedFileLoadsTheTitleIsThatOfTheUntitledFileNeverTheProgramsTwice)
{
    const std::string named = WriteGedcom("moved.ged", kMovedFile);
    std::string during;
    TestHooks::OnNextDialog(CFileLinksDlg::kTemplate, [&](CDialog& dialog) {
        Frame()->GetWindowText(during);
        TestHooks::Click(dialog, IDCANCEL);
    });

    ASSERT_TRUE(Start({named}));

    EXPECT_EQ(during, "Untitled - Ardenvel Riru");
    std::string caption;
    Frame()->GetWindowText(caption);
    EXPECT_EQ(caption, "moved.ged - Ardenvel Riru");
}

TEST_F(StartUpTest, ARelativeNameIsTakenFromTheStartingFolderAndItsLinkedFilesFromBesideIt)
{
    const std::string home = test_support::NewFolder("app-home");
    const std::string elsewhere = test_support::NewFolder("app-startup");
    test_support::WriteFile(home + "/moved.ged", kMovedFile);
    test_support::WriteFile(home + "/p.bmp", "BM-beside");
    Prefs().m_startupDirectory = elsewhere;
    SavePreferences();
    const std::filesystem::path started = std::filesystem::current_path();
    std::filesystem::current_path(home);
    bool missing = true;
    TestHooks::OnNextDialog(CFileLinksDlg::kTemplate, [&](CDialog& dialog) {
        for (const FileLinkNode* file : static_cast<CFileLinksDlg&>(dialog).GetLinkTree().Files())
            if (file->m_link)
                missing = file->m_state != FileLinkNode::kPresent;
        TestHooks::Click(dialog, IDCANCEL);
    });

    const bool startedUp = Start({"./moved.ged"});
    const std::filesystem::path current = std::filesystem::current_path();
    std::filesystem::current_path(started);

    ASSERT_TRUE(startedUp);
    EXPECT_EQ(current.string(), elsewhere) << "the start-up folder was entered";
    EXPECT_EQ(Doc()->GetPathName(), home + "/moved.ged");
    EXPECT_FALSE(missing) << "the picture beside the file";
    EXPECT_THAT(MessageTexts(), IsEmpty());
}

TEST_F(StartUpTest, WritesTheDesktopFileTypesUnderTheDataFolder)
{
    ASSERT_TRUE(Start());

    const ShellFileTypeFiles expected = MakeShellFileTypes(ProgramPath(), true, paths::DataHome());
    EXPECT_EQ(test_support::ReadFile(expected.desktopEntryPath), expected.desktopEntry);
    EXPECT_EQ(test_support::ReadFile(expected.mimePackagePath), expected.mimePackage);
}

TEST_F(StartUpTest, AFailingDataModelEndsStartUpBeforeAnyWindow)
{
    setenv(FIELD_DEFS_ENV, (m_folder + "/missing.txt").c_str(), 1);
    TestHooks::AnswerMessageBox(IDOK);

    EXPECT_FALSE(m_app->StartUp({}));

    EXPECT_EQ(m_app->GetMainFrame(), nullptr);
    EXPECT_EQ(m_app->GetDocument(), nullptr);
    EXPECT_THAT(MessageTexts(),
                ElementsAre("Initialisation failed.  Installation error?  Please re-install."));
}

TEST_F(StartUpTest, TheProgramRunsAndExitsWithASwitchOnItsCommandLine)
{
    char program[] = "ardenvel";
    char splash[] = "-nosplash";
    char* argv[] = {program, splash, nullptr};

    EXPECT_EQ(AfxWinMain(2, argv), 0);

    EXPECT_THAT(MessageTexts(), IsEmpty());
    EXPECT_EQ(m_app->GetAppName(), "Ardenvel");
    EXPECT_EQ(m_app->GetMainFrame(), nullptr);
}

} // namespace
} // namespace app_test
