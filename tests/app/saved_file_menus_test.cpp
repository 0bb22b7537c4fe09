// tests/app/saved_file_menus_test.cpp: the menus of saved diagrams, queries and reports: their
// items from the regular files of the folders the installation names, "<Empty>", "More..." when
// a folder holds more files than a menu has commands, and the file an item opens.
#include "tests/app/app_fixture.h"
#include "tests/app/test_panes.h"

#include "platform/base/paths.h"

#include <gmock/gmock.h>

namespace app_test {
namespace {

using testing::ElementsAre;

class SavedFileMenusTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Script() = PaneScript();
        ASSERT_TRUE(Start());
        for (SavedFileKind kind :
             {SavedFileKind::kDiagram, SavedFileKind::kQuery, SavedFileKind::kReport})
            m_app->SetSavedFileOpener(kind, [this, kind](const std::string& path) {
                m_opened.push_back(std::to_string(int(kind)) + " " + path);
            });
    }

    /// A new folder of this test, holding the files.
    std::string MakeFolder(const std::string& name, const std::vector<std::string>& files)
    {
        const std::string folder = m_folder + "/" + name;
        paths::MakeDirectories(folder);
        for (const std::string& file : files)
            test_support::WriteFile(folder + "/" + file, "x");
        return folder;
    }

    /// Names the folder, quoted, under the program's machine-wide key.
    static void NameFolder(const char* setting, const std::string& folder)
    {
        const std::string value = "\"" + folder + "\"";
        HKEY key = nullptr;
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                       &key, nullptr);
        RegSetValueEx(key, setting, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                      DWORD(value.size() + 1));
        RegCloseKey(key);
    }

    /// Opens the pop-up titled sub of the menu bar's pop-up titled top as the menu bar does, and
    /// lists its items from position first on: "text id", " [grey]" added when greyed.
    std::vector<std::string> Open(const char* top, const char* sub, int first = 0)
    {
        CMenu* popup = nullptr;
        CMenu* bar = Frame()->GetMenu();
        std::string text;
        for (int i = 0; i < bar->GetMenuItemCount(); ++i)
            for (int j = 0; bar->GetMenuString(UINT(i), text, MF_BYPOSITION) && text == top &&
                            j < bar->GetSubMenu(i)->GetMenuItemCount();
                 ++j)
                if (bar->GetSubMenu(i)->GetMenuString(UINT(j), text, MF_BYPOSITION) && text == sub)
                    popup = bar->GetSubMenu(i)->GetSubMenu(j);
        Frame()->SendMessage(WM_INITMENUPOPUP, WPARAM(popup->GetSafeHmenu()), 0);
        std::vector<std::string> items;
        for (int i = first; i < popup->GetMenuItemCount(); ++i) {
            popup->GetMenuString(UINT(i), text, MF_BYPOSITION);
            const bool grey = popup->GetMenuState(UINT(i), MF_BYPOSITION) & MF_GRAYED;
            items.push_back(text + " " + std::to_string(popup->GetMenuItemID(i)) +
                            (grey ? " [grey]" : ""));
        }
        return items;
    }

    std::vector<std::string> m_opened;
};

/// One menu: where it is, its folder setting and sub-folder, its files' extension, its first
/// command, its fixed items, and the kind of file its items open.
struct MenuCase {
    const char* name;
    const char* top;
    const char* sub;
    const char* setting;
    const char* subFolder;
    const char* extension;
    UINT firstId;
    int fixedItems;
    int kind;
};

class SavedFileMenuTest : public SavedFileMenusTest,
                          public testing::WithParamInterface<MenuCase> {};

TEST_P(SavedFileMenuTest, TheMenuListsItsFolderAndItsItemsOpenTheirFiles)
{
    const MenuCase& row = GetParam();
    const std::string ext = row.extension;
    // When the menu lists a sub-folder, the setting's folder itself holds other files.
    const std::string root = MakeFolder(row.name, {});
    std::string folder = root;
    if (*row.subFolder) {
        folder = MakeFolder(std::string(row.name) + "/" + row.subFolder, {});
        test_support::WriteFile(root + "/Root" + ext, "x");
    }
    for (const std::string& file : {"b&w" + ext, "Alpha" + ext, std::string("notes.txt")})
        test_support::WriteFile(folder + "/" + file, "x");
    // Only regular files are saved files: a folder or a pipe so named is no item.
    paths::MakeDirectories(folder + "/Folder" + ext);
    test_support::MakePipe(folder + "/Pipe" + ext);
    NameFolder(row.setting, root);
    // Diagrams are drawn for the individual selected in the active window.
    m_app->OpenDocumentFile(WriteGedcom("single.ged", kSingleFile).c_str());
    Script().selection = GetRecordTypeRoot(kIndividuals)->GetFirstChild();
    m_app->ShowInWindowOfKind(kSubViewReport, RuntimeClassOf<CReportPane>(), [](CSubView&) {});

    const std::string first = std::to_string(row.firstId);
    const std::string second = std::to_string(row.firstId + 1);
    if (row.fixedItems)
        EXPECT_THAT(Open(row.top, row.sub, 4),
                    ElementsAre(" 0", "Alpha " + first, "b&&w " + second));
    else
        EXPECT_THAT(Open(row.top, row.sub), ElementsAre("Alpha " + first, "b&&w " + second));

    ASSERT_TRUE(Run(row.firstId + 1));
    EXPECT_THAT(m_opened, ElementsAre(std::to_string(row.kind) + " " + folder + "/b&w" + ext));
}

INSTANTIATE_TEST_SUITE_P(
    Menus, SavedFileMenuTest,
    testing::Values(MenuCase{"StandardDiagrams", "Dia&grams", "&Show in Diagram",
                             "Standard Diagram Directory", "", ".dgm", 26001, 4, 0},
                    MenuCase{"CustomDiagrams", "Dia&grams", "&Custom Diagrams",
                             "Custom Diagram Directory", "", ".dgm", 26051, 0, 0},
                    MenuCase{"StandardQueries", "&Queries", "&Standard Queries",
                             "Queries Directory", "Standard", ".avq", 26501, 0, 1},
                    MenuCase{"CustomQueries", "&Queries", "&Custom Queries", "Queries Directory",
                             "Custom", ".avq", 26551, 0, 1},
                    MenuCase{"MoreReports", "&Reports", "&More Reports",
                             "Reports Directory - Standard", "", ".avr", 27001, 0, 2},
                    MenuCase{"CustomReports", "&Reports", "&Custom Reports",
                             "Reports Directory - Custom", "", ".avr", 27051, 0, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SavedFileMenusTest, AnItemOpensTheFileItListedThoughTheFolderChangedSince)
{
    const std::string folder = MakeFolder("custom", {"Ann.avr", "Bob.avr", "Cy.avr"});
    NameFolder("Reports Directory - Custom", folder);
    Open("&Reports", "&Custom Reports");

    paths::RemoveFile(folder + "/Ann.avr");
    test_support::WriteFile(folder + "/Abe.avr", "x");
    ASSERT_TRUE(Run(27052));
    ASSERT_TRUE(Run(27051));

    EXPECT_THAT(m_opened, ElementsAre("2 " + folder + "/Bob.avr", "2 " + folder + "/Ann.avr"));
}

TEST_F(SavedFileMenusTest, AFolderWithMoreFilesThanCommandsEndsWithMore)
{
    std::vector<std::string> files;
    for (int i = 100; i <= 150; ++i)
        files.push_back("Query " + std::to_string(i) + ".avq");
    NameFolder("Queries Directory", MakeFolder("queries", {}));
    const std::string folder = MakeFolder("queries/Standard", files);

    const std::vector<std::string> items = Open("&Queries", "&Standard Queries");
    ASSERT_EQ(items.size(), 50u);
    EXPECT_EQ(items[48], "Query 148 26549");
    EXPECT_EQ(items[49], "More... 26550");
    TestHooks::AnswerFilePicker({folder + "/Query 150.avq"});
    ASSERT_TRUE(Run(26550));
    EXPECT_THAT(m_opened, ElementsAre("1 " + folder + "/Query 150.avq"));

    paths::RemoveFile(folder + "/Query 150.avq");
    EXPECT_EQ(Open("&Queries", "&Standard Queries").back(), "Query 149 26550");
}

TEST_F(SavedFileMenusTest, EmptyFoldersShowEmptyAndItemsAreGreyWhileNothingOpensThem)
{
    NameFolder("Custom Diagram Directory", MakeFolder("empty", {"readme.txt"}));
    NameFolder("Reports Directory - Standard",
               MakeFolder("reports", {"individual summary report.avr", "Family Group Sheet.AVR",
                                      "Census.avr"}));

    EXPECT_THAT(Open("Dia&grams", "&Custom Diagrams"), ElementsAre("<Empty> 26051 [grey]"));
    EXPECT_THAT(Open("&Queries", "&Custom Queries"), ElementsAre("<Empty> 26551 [grey]"));
    EXPECT_EQ(Open("Dia&grams", "&Show in Diagram").size(), 4u);
    EXPECT_THAT(Open("&Reports", "&More Reports"), ElementsAre("Census 27001"));
    m_app->SetSavedFileOpener(SavedFileKind::kReport, nullptr);
    EXPECT_THAT(Open("&Reports", "&More Reports"), ElementsAre("Census 27001 [grey]"));
}

TEST_F(SavedFileMenusTest, WithoutFolderSettingsTheMenusListTheUsersOwnQueriesAndDiagrams)
{
    const std::string custom = paths::Join(paths::DataHome(), "ardenvel/Queries/Custom");
    paths::MakeDirectories(custom);
    test_support::WriteFile(custom + "/Hanovers.avq", "x");

    EXPECT_THAT(Open("&Queries", "&Custom Queries"), ElementsAre("Hanovers 26551"));
    EXPECT_THAT(Open("&Queries", "&Standard Queries"), ElementsAre("<Empty> 26501 [grey]"));

    // The custom diagrams saved without a folder setting are the user's too.
    const std::string diagrams = paths::Join(paths::DataHome(), "ardenvel/Diagrams/Custom");
    paths::MakeDirectories(diagrams);
    test_support::WriteFile(diagrams + "/Stuarts.dgm", "x");
    EXPECT_THAT(Open("Dia&grams", "&Custom Diagrams"),
                ElementsAre(testing::StartsWith("Stuarts 26051")));
}

} // namespace
} // namespace app_test
