// tests/platform/ui/frames/recent_file_list_test.cpp: the recent files stay most recent first
// within their number, live in the profile, shorten for the menu, and fill the File menu through
// the application's update pass and command.
#include "platform/ui/frames/menu.h"
#include "platform/ui/frames/recent_file_list.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/app.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr const char* kSection = "Recent File List";

std::vector<std::string> Entries(const CRecentFileList& list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list.GetCount(); ++i)
        entries.push_back(list[i]);
    return entries;
}

TEST(RecentFileList, MostRecentFirstWithinItsSize)
{
    CAppProfile profile("RecentMaker", "Order");
    CRecentFileList list(profile, ID_FILE_MRU_FILE1, kSection, "File%d", 3);
    for (const char* path : {"/a.ged", "/b.ged", "/c.ged", "/d.ged", "/b.ged"})
        list.Add(path);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"/b.ged", "/d.ged", "/c.ged"}));
    list.Add("/x/../d.ged"); // the same file named another way
    list.Add("relative.ged");
    const std::string full = (std::filesystem::current_path() / "relative.ged").string();
    EXPECT_EQ(Entries(list), (std::vector<std::string>{full, "/d.ged", "/b.ged"}));

    CRecentFileList reread(profile, ID_FILE_MRU_FILE1, kSection, "File%d", 3);
    reread.ReadList();
    EXPECT_EQ(Entries(reread), Entries(list));

    list.Remove(0);
    list.Remove(7);
    EXPECT_EQ(profile.GetProfileString(kSection, "File3", "gone"), "gone");
    reread.ReadList();
    EXPECT_EQ(Entries(reread), (std::vector<std::string>{"/d.ged", "/b.ged"}));
}

TEST(RecentFileList, ReadingSkipsEmptyAndRepeatedEntries)
{
    CAppProfile profile("RecentMaker", "Reading");
    profile.WriteProfileString(kSection, "File1", "/x.ged");
    profile.WriteProfileString(kSection, "File2", "");
    profile.WriteProfileString(kSection, "File3", "/x.ged");
    profile.WriteProfileString(kSection, "File4", "/y.ged");
    profile.WriteProfileString(kSection, "File5", "/z.ged");
    CRecentFileList list(profile, ID_FILE_MRU_FILE1, kSection, "File%d", 4);
    list.ReadList();
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"/x.ged", "/y.ged"}));
}

TEST(RecentFileList, LongPathsShortenForTheMenu)
{
    CAppProfile profile("RecentMaker", "Names");
    CRecentFileList list(profile, ID_FILE_MRU_FILE1, kSection, "File%d", 4, 40);
    list.Add("/home/anna/a-file-name-longer-than-forty-characters.ged");
    list.Add("/home/anna/genealogy/archive/2023/family/tree.ged");
    list.Add("/home/anna/tree.ged");
    EXPECT_EQ(list.GetDisplayName(0), "/home/anna/tree.ged");
    EXPECT_EQ(list.GetDisplayName(1), "/home/.../archive/2023/family/tree.ged");
    EXPECT_EQ(list.GetDisplayName(2), "a-file-name-longer-than-forty-characters.ged");
    EXPECT_EQ(list.GetDisplayName(5), "");
}

constexpr const char* kFileMenu = R"(
7 MENU
BEGIN
    POPUP "&File"
    BEGIN
        MENUITEM "&Open...",       57601
        MENUITEM SEPARATOR
        MENUITEM "Recent File",    57616, GRAYED
        MENUITEM SEPARATOR
        MENUITEM "E&xit",          57665
    END
END
)";

/// Opens the files that exist, as far as the recent-file command can tell.
class OpeningApp : public CWinApp {
public:
    std::vector<std::string> opened;

    OpeningApp() : CWinApp("RecentTest") {}

    CDocument* OpenDocumentFile(const char* path) override
    {
        opened.push_back(path);
        static int document;
        return std::string(path).ends_with("missing.ged") ? nullptr
                                                          : reinterpret_cast<CDocument*>(&document);
    }
};

std::vector<std::string> Texts(const CMenu& menu)
{
    std::vector<std::string> texts;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
        std::string text;
        menu.GetMenuString(UINT(i), text, MF_BYPOSITION);
        if (menu.GetMenuState(UINT(i), MF_BYPOSITION) & MF_GRAYED)
            text += " (grey)";
        texts.push_back(text);
    }
    return texts;
}

TEST(RecentFileList, FileMenuShowsTheEntriesAndCommandsOpenThem)
{
    CResources resources;
    resources.AddScript(kFileMenu, "file_menu.rc", ".");
    SetAppResources(&resources);
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(7));
    SetAppResources(nullptr);
    CMenu& file = *bar.GetSubMenu(0);

    OpeningApp app;
    app.SetRegistryKey("RecentMaker");
    app.WriteProfileString(kSection, nullptr, nullptr);
    app.LoadStdProfileSettings(4);
    file.UpdateCmdUI(&app, TRUE);
    EXPECT_EQ(Texts(file), (std::vector<std::string>{"&Open... (grey)", "", "Recent File (grey)",
                                                     "", "E&xit (grey)"}));

    app.AddToRecentFileList("/data/missing.ged");
    app.AddToRecentFileList("/data/R&D/tree.ged");
    file.UpdateCmdUI(&app, TRUE);
    EXPECT_EQ(Texts(file),
              (std::vector<std::string>{"&Open... (grey)", "", "&1 /data/R&&D/tree.ged",
                                        "&2 /data/missing.ged", "", "E&xit (grey)"}));
    EXPECT_EQ(file.GetMenuItemID(3), ID_FILE_MRU_FILE1 + 1);

    // An entry that fails to open leaves the list; the profile under the maker's key follows.
    ASSERT_TRUE(app.OnCmdMsg(ID_FILE_MRU_FILE1 + 1, CN_COMMAND, nullptr, nullptr));
    ASSERT_TRUE(app.OnCmdMsg(ID_FILE_MRU_FILE1, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(app.opened, (std::vector<std::string>{"/data/missing.ged", "/data/R&D/tree.ged"}));
    EXPECT_EQ(CAppProfile("RecentMaker", "RecentTest").GetProfileString(kSection, "File2", "none"),
              "none");
    file.UpdateCmdUI(&app, TRUE);
    EXPECT_EQ(Texts(file),
              (std::vector<std::string>{"&Open... (grey)", "", "&1 /data/R&&D/tree.ged", "",
                                        "E&xit (grey)"}));

    app.GetRecentFileList()->Remove(0);
    file.UpdateCmdUI(&app, TRUE);
    EXPECT_EQ(Texts(file)[2], "Recent File (grey)");
}

} // namespace
